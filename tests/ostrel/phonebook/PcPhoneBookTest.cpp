// The computer phonebook: its file (missing, sorted, saved, per SIM, unreadable), the configuration,
// groups, counts, record numbers, the all-storage list and the contact dialog's adds and edits.
#include "PhonebookHarness.h"

#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/phonebook/ContactLists.h"

#include <QCryptographicHash>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace ostrel;
using namespace pbtest;

namespace {

QByteArray digestOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result();
}

QStringList namesOf(const QList<QVariantMap> &contacts)
{
    QStringList names;
    for (const QVariantMap &c : contacts)
        names << contactName(c);
    return names;
}

TEST(PcPhoneBookFile, AMissingFileIsAnEmptyPhonebookOrOneDefaultGroup)
{
    for (const bool addDefault : {false, true}) {
        Harness h({{QStringLiteral("AddDefGrpWhileInit"), addDefault}});
        PBController &pb = h.start();
        h.settle();
        EXPECT_EQ(h.presenter.count(), 0) << "a missing file is nothing to tell";
        EXPECT_FALSE(QFileInfo::exists(h.path(QStringLiteral("phoneBook.plist")))) << "nothing written at load";
        if (!addDefault) {
            EXPECT_EQ(pb.sumOfGroupInPC(), 0);
            EXPECT_EQ(pb.currentGroupIndex(), -1);
        } else {
            ASSERT_EQ(pb.sumOfGroupInPC(), 1);
            EXPECT_EQ(pb.getPCUserByIndex(0, -1).value(QStringLiteral("groupname")), QStringLiteral("Group 0"));
            EXPECT_EQ(pb.sumOfContactInGroup(0), 0);
            EXPECT_EQ(pb.currentGroupIndex(), 0);
        }
    }
}

TEST(PcPhoneBookFile, GroupsAreSortedTheFirstSelectedAndTheWholeListSavedWithUnknownKeys)
{
    Harness h;
    const QVariantMap friendsHeader{{QStringLiteral("groupname"), QStringLiteral("Friends")}, {QStringLiteral("bRes"), true}};
    QVariantList friends{friendsHeader};
    friends << contact(QStringLiteral("Zoe"), QStringLiteral("0301"))
            << contact(QStringLiteral("Anna"), QStringLiteral("0302"), {{QStringLiteral("birthday"), QStringLiteral("12-24")}});
    ASSERT_TRUE(h.writeList(QVariantList{
        group(QStringLiteral("Work"), {contact(QStringLiteral("Yann"), QStringLiteral("0401")), contact(QStringLiteral("Bea"))}),
        friends, group(QStringLiteral("Art"))}));
    PBController &pb = h.start();

    EXPECT_EQ(pb.groupNames(), (QStringList{"Art", "Friends", "Work"}));
    EXPECT_EQ(pb.currentGroupIndex(), 0);
    EXPECT_EQ(pb.sumOfGroupInPC(), 3);
    EXPECT_EQ(pb.sumOfContactInGroup(1), 2);
    EXPECT_EQ(pb.sumOfContactInCurrentGroup(), 0);
    EXPECT_EQ(pb.sumOfContactInPC(), 4);
    EXPECT_EQ(pb.getPCUserByIndex(1, -1), friendsHeader);

    pb.setCurrentgroup(1); // selecting a group orders it by name
    ASSERT_TRUE(pb.savePhoneList2File());
    QVariantList expectedFriends{friendsHeader};
    expectedFriends << contact(QStringLiteral("Anna"), QStringLiteral("0302"), {{QStringLiteral("birthday"), QStringLiteral("12-24")}})
                    << contact(QStringLiteral("Zoe"), QStringLiteral("0301"));
    const QVariantList expected{
        group(QStringLiteral("Art")), expectedFriends,
        group(QStringLiteral("Work"), {contact(QStringLiteral("Yann"), QStringLiteral("0401")), contact(QStringLiteral("Bea"))})};
    EXPECT_EQ(h.readList(), QVariant(expected));
}

TEST(PcPhoneBookFile, ANumberWhereATextBelongsReadsAsItsText)
{
    Harness h;
    ASSERT_TRUE(h.writeList(QVariantList{QVariantList{
        QVariantMap{{QStringLiteral("groupname"), 7}},
        QVariantMap{{QStringLiteral("username"), QStringLiteral("Max")}, {QStringLiteral("mobilephone"), 4930123456LL},
                    {QStringLiteral("index"), 3}}}}));
    PBController &pb = h.start();
    EXPECT_EQ(pb.groupNames(), QStringList{"7"});
    const QVariantMap max = pb.getPCUserByIndex(0, 0);
    EXPECT_EQ(max.value(QStringLiteral("mobilephone")), QVariant(QStringLiteral("4930123456")));
    EXPECT_EQ(max.value(QStringLiteral("index")), QVariant(3)) << "the record number stays a number";
    EXPECT_EQ(pb.searchNameAtPhoneBook(QStringLiteral("+4930123456")), QStringLiteral("Max"));
}

TEST(PcPhoneBookFile, AfterThePerSimFileIsLoadedSavesGoThere)
{
    Harness h;
    ASSERT_TRUE(h.writeList(QVariantList{group(QStringLiteral("Generic"), {contact(QStringLiteral("Gus"), QStringLiteral("1"))})}));
    const QString perSim = QStringLiteral("262011234567890_phoneBook.plist");
    ASSERT_TRUE(h.writeList(QVariantList{group(QStringLiteral("Mine"), {contact(QStringLiteral("Sim"), QStringLiteral("2"))})}, perSim));
    PBController &pb = h.start();
    const QByteArray generic = digestOf(h.path(QStringLiteral("phoneBook.plist")));

    pb.loadPcPhoneListByImsi(perSim);
    EXPECT_EQ(pb.currentPcFileName(), perSim);
    EXPECT_EQ(pb.groupNames(), QStringList{"Mine"});
    pb.addGroup();
    pb.reloadPCPhoneList();
    EXPECT_EQ(pb.groupNames(), (QStringList{"Group 0", "Mine"}));
    EXPECT_EQ(h.readList(perSim).toList().size(), 2);
    EXPECT_EQ(digestOf(h.path(QStringLiteral("phoneBook.plist"))), generic) << "the generic file was written";
}

TEST(PcPhoneBookFile, AReloadKeepsTheFilesFirstGroupCurrentWhereverItSorts)
{
    Harness h;
    // Written by another hand (a restore appends groups): not in name order.
    const QVariantList unsorted{group(QStringLiteral("Work"), {contact("Bo", "2"), contact("Al", "1")}), group(QStringLiteral("Art"))};
    ASSERT_TRUE(h.writeList(unsorted));
    PBController &pb = h.start();
    EXPECT_EQ(pb.getPCUserByIndex(pb.currentGroupIndex(), -1).value(QStringLiteral("groupname")), QStringLiteral("Art"))
        << "a load selects the first group in name order";

    pb.reloadPCPhoneList();
    EXPECT_EQ(pb.groupNames(), (QStringList{"Art", "Work"}));
    ASSERT_EQ(pb.currentGroupIndex(), 1);
    EXPECT_EQ(contactName(pb.getUserFromCurGroup(0)), QStringLiteral("Al")) << "the current group is ordered by name";

    ASSERT_TRUE(QFile::remove(h.path(QStringLiteral("phoneBook.plist"))));
    pb.reloadPCPhoneList();
    EXPECT_EQ(pb.sumOfGroupInPC(), 0);
    EXPECT_EQ(pb.currentGroupIndex(), -1);
}

TEST(PcPhoneBookFile, ANameThatLeavesTheFolderIsRefusedAndAFolderAtThePathIsNeverMoved)
{
    Harness h;
    ASSERT_TRUE(h.writeList(QVariantList{group(QStringLiteral("Keep"), {contact("Ann", "0301")})}));
    PBController &pb = h.start();
    const QString refused[] = {QString(""), QStringLiteral("."), QStringLiteral(".."), QStringLiteral("../outside_phoneBook.plist"),
                               QStringLiteral("sub/phoneBook.plist"), QStringLiteral("26201") + QChar(0) + QStringLiteral("_phoneBook.plist")};
    for (const QString &name : refused) {
        pb.loadPcPhoneListByImsi(name);
        EXPECT_EQ(pb.currentPcFileName(), QStringLiteral("phoneBook.plist")) << qPrintable(name);
        EXPECT_EQ(pb.groupNames(), QStringList{"Keep"}) << qPrintable(name);
    }
    h.settle();
    EXPECT_EQ(h.presenter.count(), 0);
    EXPECT_TRUE(QFileInfo(h.dir.path()).isDir()) << "the ModemList folder was moved";

    // A folder where the phonebook file belongs stays where it is, and nothing is saved into it.
    const QString folderName = QStringLiteral("262011234567890_phoneBook.plist");
    ASSERT_TRUE(QDir(h.dir.path()).mkdir(folderName));
    pb.loadPcPhoneListByImsi(folderName);
    h.settle();
    EXPECT_TRUE(QFileInfo(h.path(folderName)).isDir());
    EXPECT_FALSE(QFileInfo::exists(h.path(folderName + QStringLiteral(".unreadable"))));
    ASSERT_EQ(h.presenter.count(), 1);
    EXPECT_TRUE(h.presenter.shown().first().message.contains(QStringLiteral("is left as it is")));
    EXPECT_FALSE(pb.savePhoneList2File());
    EXPECT_EQ(h.presenter.count(), 1);
}

struct Unreadable {
    const char *name;
    std::function<bool(const Harness &)> write;
};

void PrintTo(const Unreadable &u, std::ostream *out) { *out << u.name; }

class UnreadablePcFile : public ::testing::TestWithParam<Unreadable> {};

TEST_P(UnreadablePcFile, IsSetAsideByteForByteTheUserToldOnceAndAFreshFileWrittenBeside)
{
    Harness h;
    ASSERT_TRUE(GetParam().write(h));
    const QString file = h.path(QStringLiteral("phoneBook.plist"));
    const QByteArray original = digestOf(file);
    const qint64 size = QFileInfo(file).size();
    // An earlier unreadable file already took the first name.
    ASSERT_TRUE(h.writeBytes("earlier", QStringLiteral("phoneBook.plist.unreadable")));

    PBController &pb = h.start();
    EXPECT_EQ(pb.sumOfGroupInPC(), 0);
    h.settle();

    const QString aside = file + QStringLiteral(".unreadable-2");
    EXPECT_EQ(QFileInfo(aside).size(), size);
    EXPECT_EQ(digestOf(aside), original) << "the unreadable file was not kept byte for byte";
    EXPECT_FALSE(QFileInfo::exists(file));
    ASSERT_EQ(h.presenter.count(), 1);
    EXPECT_TRUE(h.presenter.shown().first().message.contains(aside)) << qPrintable(h.presenter.shown().first().message);
    EXPECT_EQ(h.presenter.shown().first().title, QStringLiteral("Warning!"));

    pb.addGroup();
    h.settle();
    EXPECT_EQ(h.presenter.count(), 1) << "told more than once";
    EXPECT_EQ(h.readList(), QVariant(QVariantList{group(QStringLiteral("Group 0"))}));
    EXPECT_EQ(digestOf(aside), original);
}

INSTANTIATE_TEST_SUITE_P(
    EachShape, UnreadablePcFile,
    ::testing::Values(
        Unreadable{"NotAPlist", [](const Harness &h) { return h.writeBytes("<plist><array><array><dict>"); }},
        Unreadable{"RootDictionary",
                   [](const Harness &h) { return h.writeList(QVariantMap{{QStringLiteral("groupname"), QStringLiteral("A")}}); }},
        Unreadable{"GroupWithoutHeader", [](const Harness &h) { return h.writeList(QVariantList{group("A"), QVariantList{}}); }},
        Unreadable{"HeaderNotADictionary",
                   [](const Harness &h) { return h.writeList(QVariantList{QVariantList{QStringLiteral("A"), contact("B")}}); }},
        Unreadable{"NumberAsAContact", [](const Harness &h) { return h.writeList(QVariantList{group("A", {contact("B"), 5})}); }},
        Unreadable{"NumberAsAGroup", [](const Harness &h) { return h.writeList(QVariantList{group("A"), 5}); }},
        Unreadable{"AboveTheLimit",
                   [](const Harness &h) {
                       QFile file(h.path(QStringLiteral("phoneBook.plist")));
                       return file.open(QIODevice::WriteOnly) && file.write("<?xml version=\"1.0\"?>") > 0
                              && file.resize(yov::PlistBridge::kMaxFileBytes + 1);
                   }}),
    [](const ::testing::TestParamInfo<Unreadable> &info) { return std::string(info.param.name); });

TEST(PcPhoneBookFile, AFailedSaveTellsTheUserAndKeepsTheOldFile)
{
    Harness h;
    ASSERT_TRUE(h.writeList(QVariantList{group(QStringLiteral("Keep"))}));
    PBController &pb = h.start();
    const QByteArray before = digestOf(h.path(QStringLiteral("phoneBook.plist")));
    // A folder where the new file would go: the write cannot finish.
    pb.loadPcPhoneList(QStringLiteral("folder.plist"));
    ASSERT_TRUE(QDir(h.dir.path()).mkdir(QStringLiteral("folder.plist")));
    EXPECT_FALSE(pb.savePhoneList2File());
    h.settle();
    ASSERT_EQ(h.presenter.count(), 1);
    EXPECT_TRUE(h.presenter.shown().first().message.contains(QStringLiteral("folder.plist")));
    EXPECT_EQ(digestOf(h.path(QStringLiteral("phoneBook.plist"))), before);
}

// ---- configuration ---------------------------------------------------------------------------------

TEST(PhonebookConfiguration, CapacityAndThresholdAreClamped)
{
    const struct {
        QVariant capacity;
        int expectedCapacity;
        QVariant threshold;
        int expectedThreshold;
    } cases[] = {
        {QVariant(), 1000, QVariant(), 8},  {99, 1000, 0, 1},         {100, 100, 1, 1},
        {10000, 10000, 12, 12},             {10001, 1000, 20, 12},    {QStringLiteral("250"), 250, QStringLiteral("5"), 5},
    };
    for (const auto &c : cases) {
        QVariantMap module;
        if (c.capacity.isValid())
            module.insert(QStringLiteral("PCContactsMaxCount"), c.capacity);
        if (c.threshold.isValid())
            module.insert(QStringLiteral("PhoneNumberMatchThreshold"), c.threshold);
        Harness h(module);
        PBController &pb = h.start();
        EXPECT_EQ(pb.PCUserMaxCount, c.expectedCapacity) << c.capacity.toString().toStdString();
        EXPECT_EQ(pb.m_threshold, c.expectedThreshold) << c.threshold.toString().toStdString();
    }
}

TEST(PhonebookConfiguration, FieldLimitsSwitchesAndTheDefaultGroupName)
{
    {
        Harness h;
        PBController &pb = h.start();
        EXPECT_EQ(std::tuple(pb.pcNameMaxLen_, pb.pcNumberMaxLen_, pb.pcEmailMaxLen_), std::tuple(40, 40, 40));
        EXPECT_FALSE(pb.hasMePosition_);
        pb.setCurDefGrpName(); // the switch is off: nothing stored
        EXPECT_FALSE(h.store->getConfigurationByModuleAndKey(QStringLiteral("PhoneBook"), QStringLiteral("CurDefGrpName")).isValid());
    }
    Harness h({{QStringLiteral("D3UDefinedPBItemLength"), QStringLiteral("YES")}, {QStringLiteral("ChangeDefGrpNameWithLag"), true},
               {QStringLiteral("IsNoGroup"), QStringLiteral("no")}},
              {{QStringLiteral("HasMePosition"), true}});
    PBController &pb = h.start();
    EXPECT_EQ(std::tuple(pb.pcNameMaxLen_, pb.pcNumberMaxLen_, pb.pcEmailMaxLen_), std::tuple(15, 24, 40));
    EXPECT_TRUE(pb.hasMePosition_);
    EXPECT_FALSE(pb.configuration().IsNoGroup) << "\"no\" is false";
    EXPECT_TRUE(pb.getPhonebookSettingBoolValue(QStringLiteral("ChangeDefGrpNameWithLag")));
    pb.setCurDefGrpName();
    const auto stored = yov::PlistBridge::readFile(h.path(QStringLiteral("settings.plist")));
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->toMap().value(QStringLiteral("PhoneBook")).toMap().value(QStringLiteral("CurDefGrpName")),
              QVariant(QStringLiteral("Group 0")));
}

// ---- groups, counts, record numbers ----------------------------------------------------------------

TEST(PcGroups, NewGroupNamesTakeTheFirstFreeNumber)
{
    const struct {
        QStringList existing;
        const char *expected;
    } cases[] = {
        {{}, "Group 0"},
        {{"Group 0", "Group 1"}, "Group 2"},
        {{"Group 1"}, "Group 0"},
        {{"group 0"}, "Group 0"}, // exact, case-sensitive comparison
    };
    for (const auto &c : cases) {
        Harness h;
        QVariantList list;
        for (const QString &name : c.existing)
            list << QVariant(group(name));
        ASSERT_TRUE(h.writeList(list));
        PBController &pb = h.start();
        EXPECT_EQ(pb.getNewGroupItem(), QLatin1String(c.expected)) << qPrintable(c.existing.join(u','));
    }
}

TEST(PcGroups, AddDeleteAndRenameChecksKeepTheFileAndTheCurrentGroup)
{
    Harness h;
    ASSERT_TRUE(h.writeList(QVariantList{group(QStringLiteral("Friends"), {contact("Ann", "1")}), group(QStringLiteral("Work"))}));
    PBController &pb = h.start();
    pb.setCurrentgroup(1);
    pb.addGroup(); // "Group 0" sorts first: the current group stays "Work"
    EXPECT_EQ(pb.groupNames(), (QStringList{"Friends", "Group 0", "Work"}));
    EXPECT_EQ(pb.getPCUserByIndex(pb.currentGroupIndex(), -1).value(QStringLiteral("groupname")), QStringLiteral("Work"));
    EXPECT_EQ(h.readList().toList().size(), 3);
    EXPECT_FALSE(pb.checktNewGroupItem(QStringLiteral("Work"), 0));
    EXPECT_TRUE(pb.checktNewGroupItem(QStringLiteral("Work"), 2));
    EXPECT_TRUE(pb.isFindTheSameGroupName(QStringLiteral("Group 0")));
    EXPECT_TRUE(pb.isSendMessageToIndexedGroupValid(0));
    EXPECT_FALSE(pb.isSendMessageToIndexedGroupValid(1));

    pb.setCurrentgroup(7); // outside: nothing changes
    EXPECT_EQ(pb.currentGroupIndex(), 2);
    pb.deleteGrop(0);
    EXPECT_EQ(pb.currentGroupIndex(), -1);
    EXPECT_EQ(h.readList(), QVariant(QVariantList{group(QStringLiteral("Group 0")), group(QStringLiteral("Work"))}));
    EXPECT_EQ(pb.getUserFromCurGroup(0), QVariantMap());
}

TEST(PcGroups, EqualGroupNamesAreExchangedToo)
{
    Harness h;
    ASSERT_TRUE(h.writeList(QVariantList{QVariantList{QVariantMap{{QStringLiteral("groupname"), QStringLiteral("A")}, {QStringLiteral("n"), 1}}},
                                         QVariantList{QVariantMap{{QStringLiteral("groupname"), QStringLiteral("A")}, {QStringLiteral("n"), 2}}},
                                         QVariantList{QVariantMap{{QStringLiteral("groupname"), QStringLiteral("A")}, {QStringLiteral("n"), 3}}}}));
    PBController &pb = h.start();
    QList<int> order;
    for (int g = 0; g < 3; ++g)
        order << pb.getPCUserByIndex(g, -1).value(QStringLiteral("n")).toInt();
    EXPECT_EQ(order, (QList<int>{3, 2, 1}));
}

TEST(PcGroups, SendingToAGroupHandsItsMobileNumbersToTheSmsEditor)
{
    struct RecordingSms : DefaultSMSController {
        QStringList numbers;
        QString module;
        void toNewMsgWinWithPhoneNumbers(const QStringList &n, const QString &m) override
        {
            numbers = n;
            module = m;
        }
    } sms;
    Neighbours::setSms(&sms);
    Harness h;
    ASSERT_TRUE(h.writeList(QVariantList{group(QStringLiteral("Team"), {contact("Bo", "0302"), contact("Al", "0301"), contact("Cy")})}));
    PBController &pb = h.start();
    pb.sendMessageToIndexedGroup(0);
    Neighbours::setSms(nullptr);
    EXPECT_EQ(sms.numbers, (QStringList{"0301", "0302"}));
    EXPECT_EQ(sms.module, QStringLiteral("PhoneBook"));
}

TEST(PcCounts, TheSameNameAndMobileInTwoGroupsCountOnceWhenConfigured)
{
    const QVariantList list{group(QStringLiteral("A"), {contact("Tom", "1"), contact("Tom", "2")}),
                            group(QStringLiteral("B"), {contact("Tom", "1"), contact("Eve", "1")})};
    for (const bool once : {false, true}) {
        Harness h({{QStringLiteral("NotAddCountWhenSameRecord"), once}});
        ASSERT_TRUE(h.writeList(list));
        PBController &pb = h.start();
        EXPECT_EQ(pb.sumOfContactInPC(), once ? 3 : 4);
    }
}

TEST(PcCounts, AFullComputerRefusesAdds)
{
    Harness h({{QStringLiteral("PCContactsMaxCount"), 100}});
    QVariantList contacts;
    for (int i = 0; i < 100; ++i)
        contacts << contact(QStringLiteral("N%1").arg(i, 3, 10, QLatin1Char('0')), QString::number(i), {{QStringLiteral("index"), i + 1}});
    ASSERT_TRUE(h.writeList(QVariantList{group(QStringLiteral("Full"), contacts), group(QStringLiteral("Other"))}));
    PBController &pb = h.start();
    EXPECT_EQ(pb.pcNewContactIndex(), 101) << "a full group gives capacity + 1";
    EXPECT_EQ(pb.addUser2CurGrop(contact("More", "7")), 2);
    EXPECT_FALSE(pb.addContactToPcPhoneList(contact("More", "7"), 1));
    EXPECT_FALSE(pb.checkFreeSpaceInPC());
    EXPECT_EQ(h.presenter.count(), 1);
    EXPECT_EQ(h.presenter.shown().first().message, QStringLiteral("PC Record full,Please delete records first!"));
}

TEST(RecordNumbers, TheFirstFreeNumberOfEachStorage)
{
    Harness h;
    ASSERT_TRUE(h.writeList(QVariantList{group(QStringLiteral("G"), {contact("A", "1", {{QStringLiteral("index"), 1}}),
                                                                    contact("B", "2", {{QStringLiteral("index"), 4}}),
                                                                    contact("C", "3", {{QStringLiteral("index"), 2}}),
                                                                    contact("D", "4")})}));
    PBController &pb = h.start();
    EXPECT_EQ(pb.pcNewContactIndex(), 3);

    pb.simMaxIndex_ = 5;
    pb.m_SimPhoneList = {contact("S1", "1", {{QStringLiteral("index"), 1}}), contact("S3", "3", {{QStringLiteral("index"), 3}})};
    EXPECT_EQ(pb.simNewContactIndex(), 2);
    pb.m_AddContactList = {contact("P2", "2", {{QStringLiteral("index"), 2}})};
    EXPECT_EQ(pb.simNewContactIndex(), 4) << "a pending write holds its number";
    // A pending entry without a number ends the scan: numbers behind it are not seen.
    pb.m_AddContactList = {contact("P2", "2", {{QStringLiteral("index"), 2}}), contact("new"),
                           contact("P4", "4", {{QStringLiteral("index"), 4}})};
    EXPECT_EQ(pb.simNewContactIndex(), 4);
    EXPECT_TRUE(ContactLists::newContactIndex(2, pb.m_AddContactList, 0));
    EXPECT_FALSE(ContactLists::newContactIndex(4, pb.m_AddContactList, 0));
    EXPECT_TRUE(ContactLists::newContactIndex(4, pb.m_AddContactList, 2));
    pb.m_AddContactList = {contact("P2", "2", {{QStringLiteral("index"), 2}}), contact("P4", "4", {{QStringLiteral("index"), 4}}),
                           contact("P5", "5", {{QStringLiteral("index"), 5}})};
    EXPECT_EQ(pb.simNewContactIndex(), 6) << "a full SIM gives its highest index + 1";

    pb.meMaxIndex_ = 3;
    pb.m_AddContactList.clear();
    pb.m_MePhoneList = {contact("M1", "1", {{QStringLiteral("index"), 1}})};
    EXPECT_EQ(pb.meNewContactIndex(), 2);
}

TEST(AllStorageList, ComputerCopiesCarryDistinctNumbersThatTheirGroupContactsShare)
{
    Harness h;
    ASSERT_TRUE(h.writeList(QVariantList{
        group(QStringLiteral("G"), {contact("Ann", "1", {{QStringLiteral("index"), 2}}), contact("Ann", "1", {{QStringLiteral("index"), 2}}),
                                    contact("Bob", "2"), contact("Cid", "3", {{QStringLiteral("index"), 1}}), contact("Dan", "4")}),
        group(QStringLiteral("H"), {contact("Other", "9")})}));
    PBController &pb = h.start();
    pb.m_SimPhoneList = {contact("Sim", "5", {{QStringLiteral("index"), 1}})};
    pb.addListToAllPhoneList(pb.m_SimPhoneList, 2);
    pb.addPcPhoneListToAllPhoneList();

    ASSERT_EQ(pb.getAllUserNumber(), 6) << "the SIM contact and the current group only";
    QSet<int> numbers;
    for (int i = 1; i < pb.getAllUserNumber(); ++i) {
        const QVariantMap copy = pb.getUserFromAllContact(i);
        EXPECT_EQ(copy.value(QStringLiteral("savepos")), QStringLiteral("SAVEINPC"));
        const int index = contactIndex(copy);
        EXPECT_TRUE(index >= 1 && !numbers.contains(index)) << index;
        numbers.insert(index);
        QVariantMap inGroup = pb.getSmartUserByIndexFromPCPhoneList(index);
        EXPECT_EQ(contactName(inGroup), contactName(copy)) << "a lookup by number finds another contact";
        inGroup.insert(QStringLiteral("savepos"), QStringLiteral("SAVEINPC"));
        EXPECT_EQ(inGroup, copy);
    }
    // Unique numbers stay; the repeated 2 and the missing ones get numbers nobody carries.
    EXPECT_EQ(contactIndex(pb.getPCUserByIndex(0, 0)), 2);
    EXPECT_EQ(contactIndex(pb.getPCUserByIndex(0, 3)), 1);
    EXPECT_EQ(contactIndex(pb.getPCUserByIndex(0, 1)), 3);
    EXPECT_EQ(pb.getSmartUserByIndexFromAllPhoneList(1, QStringLiteral("SAVEINSIM")).value(QStringLiteral("username")), QStringLiteral("Sim"));
    pb.deleteItemInAllUserList(1, QStringLiteral("SAVEINPC"));
    EXPECT_EQ(pb.getAllUserNumber(), 5);
    EXPECT_EQ(contactName(pb.getSmartUserByIndexFromAllPhoneList(1, QStringLiteral("SAVEINSIM"))), QStringLiteral("Sim"));
}

TEST(ContactListOrder, InsertionByNamePutsEqualNamesAfterAndIgnoresTheNameless)
{
    QList<QVariantMap> list{contact("Anna", "1", {{QStringLiteral("index"), 1}}), contact("Bert", "2", {{QStringLiteral("index"), 2}}),
                            contact("Carl", "3", {{QStringLiteral("index"), 3}})};
    ContactLists::sortByUsername(contact("Bert", "9", {{QStringLiteral("index"), 9}}), list);
    EXPECT_EQ(namesOf(list), (QStringList{"Anna", "Bert", "Bert", "Carl"}));
    EXPECT_EQ(contactMobile(list.at(2)), QStringLiteral("9"));
    // The same number replaces its element and moves by its new name.
    ContactLists::sortByUsername(contact("Zed", "1", {{QStringLiteral("index"), 1}}), list);
    EXPECT_EQ(namesOf(list), (QStringList{"Bert", "Bert", "Carl", "Zed"}));
    ContactLists::sortByUsername(contact(QString(), "5", {{QStringLiteral("index"), 2}}), list);
    EXPECT_EQ(namesOf(list), (QStringList{"Bert", "Bert", "Carl", "Zed"}));
    ContactLists::sortList(list);
    EXPECT_EQ(namesOf(list), (QStringList{"Bert", "Bert", "Carl", "Zed"}));
}

TEST(ContactListOrder, ComparesInTheActiveLanguage)
{
    QList<QVariantMap> list{contact("zebra"), contact("Äpfel"), contact("apple"), contact("Zoo")};
    ContactLists::sortList(list);
    EXPECT_EQ(namesOf(list), (QStringList{"Äpfel", "apple", "zebra", "Zoo"}));
}

// ---- columns, numbers for the SMS chooser -------------------------------------------------------------

TEST(ContactColumnsOfTheTable, FollowTheSwitchesAndTheArabicMirror)
{
    const auto ids = [](const QList<ContactColumn> &columns) {
        QStringList list;
        for (const ContactColumn &c : columns) {
            list << c.identifier;
            EXPECT_EQ(c.width, 80);
        }
        return list;
    };
    EXPECT_EQ(ids(ContactColumns::initUserTableViewColumnsAtPC(false, false, false)),
              (QStringList{"username", "mobilephone", "officephone", "homephone", "email", "groupname"}));
    EXPECT_EQ(ids(ContactColumns::initUserTableViewColumnsAtPC(true, true, false)),
              (QStringList{"username", "mobilephone", "officephone", "homephone", "email", "remark"}));
    EXPECT_EQ(ids(ContactColumns::initUserTableViewColumnsAtPC(true, true, true)),
              (QStringList{"groupname", "email", "homephone", "officephone", "mobilephone", "username"}));
    EXPECT_EQ(ids(ContactColumns::initUserTableViewColumnsAtTcard()),
              (QStringList{"username", "mobilephone", "officephone", "homephone", "email"}));
    EXPECT_EQ(ContactColumns::initUserTableViewColumnsAtPC(false, false, false).first().title, QStringLiteral("Name"));

    // The controller asks for the mirror only while the Arabic token list is active.
    Harness h({{QStringLiteral("PhoneBook_InterfaceInversion_AtArabic"), true}});
    PBController &pb = h.start();
    EXPECT_EQ(pb.initUserTableViewColumnsAtPC().first().identifier, QStringLiteral("username"));
    ASSERT_TRUE(QDir(h.dir.path()).mkpath(QStringLiteral("Arabic.lproj")));
    const QString arabic = h.path(QStringLiteral("Arabic.lproj/LanguageTokenList.txt"));
    ASSERT_TRUE(h.writeBytes("\"Group\" = \"Group\";\n", QStringLiteral("Arabic.lproj/LanguageTokenList.txt")));
    ASSERT_TRUE(Lingrove_Init(arabic));
    EXPECT_EQ(pb.initUserTableViewColumnsAtPC().first().identifier, QStringLiteral("groupname"));
    Lingrove_Init(QString());
}

TEST(ContactNumbersForTheChooser, EachShownNonEmptyNumberWithItsLabel)
{
    Harness h;
    PBController &pb = h.start();
    const QList<QVariantMap> numbers = pb.availableNumbersOfContacts(
        {contact("Ann", "0301", {{QStringLiteral("homephone"), QStringLiteral("0303")}, {QStringLiteral("officephone"), QStringLiteral("0302")}}),
         contact("Bob", QString(), {{QStringLiteral("homephone"), QStringLiteral("0401")}}), contact("Cy", "")});
    const QList<QVariantMap> expected{
        {{QStringLiteral("username"), QStringLiteral("Ann")}, {QStringLiteral("mobilephone"), QStringLiteral("0301(Mobile)")}},
        {{QStringLiteral("username"), QStringLiteral("Ann")}, {QStringLiteral("mobilephone"), QStringLiteral("0302(Office)")}},
        {{QStringLiteral("username"), QStringLiteral("Ann")}, {QStringLiteral("mobilephone"), QStringLiteral("0303(Home)")}},
        {{QStringLiteral("username"), QStringLiteral("Bob")}, {QStringLiteral("mobilephone"), QStringLiteral("0401(Home)")}},
    };
    EXPECT_EQ(numbers, expected);
}

// ---- the contact dialog's OK -------------------------------------------------------------------------

TEST(ContactDialog, AnAddGoesIntoTheNamedGroupInNameOrderAndIsSaved)
{
    Harness h({{QStringLiteral("IsDisplayRemark"), true}});
    ASSERT_TRUE(h.writeList(QVariantList{group(QStringLiteral("Friends"), {contact("Zoe", "9")}), group(QStringLiteral("Work"))}));
    PBController &pb = h.start();
    ContactDialogValues values;
    values.fields = {QStringLiteral("Max"), QStringLiteral("0301"), QString(), QString(), QStringLiteral("max@example.org")};
    values.remark = QStringLiteral("neighbour");
    values.groupName = QStringLiteral("Friends");
    values.savePosition = 0;
    pb.contactIsAdded(values);
    const QVariantMap expected{{QStringLiteral("groupname"), QStringLiteral("Friends")}, {QStringLiteral("username"), QStringLiteral("Max")},
                               {QStringLiteral("mobilephone"), QStringLiteral("0301")}, {QStringLiteral("email"), QStringLiteral("max@example.org")},
                               {QStringLiteral("remark"), QStringLiteral("neighbour")}};
    EXPECT_EQ(pb.getPCUserByIndex(0, 0), expected);
    EXPECT_EQ(h.readList().toList().at(0).toList().at(1), QVariant(expected));
    EXPECT_EQ(pb.lastSelectSavePos(), 0);

    values.groupName = QStringLiteral("Nowhere");
    pb.contactIsAdded(values);
    EXPECT_EQ(pb.sumOfContactInPC(), 2) << "no group of that name: nothing added";
}

TEST(ContactDialog, AnEditChangesExactlyTheRememberedContactAmongEqualOnes)
{
    Harness h;
    ASSERT_TRUE(h.writeList(QVariantList{group(QStringLiteral("A"), {contact("Twin", "1")}), group(QStringLiteral("B"), {contact("Twin", "1")})}));
    PBController &pb = h.start();
    pb.setPcContact(ContactPlace{PBStorage::PC, 1, 0});
    ContactDialogValues values;
    values.fields = {QStringLiteral("Twin B"), QStringLiteral("2"), QString(), QString(), QString()};
    values.savePosition = 0;
    pb.contactIsEdited(values);
    EXPECT_EQ(pb.getPCUserByIndex(0, 0), contact("Twin", "1"));
    const QVariantMap edited{{QStringLiteral("username"), QStringLiteral("Twin B")}, {QStringLiteral("mobilephone"), QStringLiteral("2")},
                             {QStringLiteral("homephone"), QString()}, {QStringLiteral("officephone"), QString()},
                             {QStringLiteral("email"), QString()}};
    EXPECT_EQ(pb.getPCUserByIndex(1, 0), edited) << "every field written, empty ones included";
    EXPECT_EQ(h.readList().toList().at(1).toList().at(1), QVariant(edited));
}

} // namespace
