// The device phonebook link against the in-process message center: storage reports and their
// items files, the write and delete records, their answers in any order, the storage switch and
// what each answer continues.
#include "DeviceLinkHarness.h"

#include "support/GoldenBytes.h"

#include <gtest/gtest.h>

using namespace ostrel;
using namespace pbtest;

namespace {

QVariantMap limitsOf(const PBController &pb)
{
    return {{"min", pb.simMinIndex_},       {"max", pb.simMaxIndex_},         {"name", pb.simNameMaxLen_},
            {"number", pb.simNumberMaxLen_}, {"number2", pb.simNumber2MaxLen_}, {"number3", pb.simNumber3MaxLen_},
            {"mail", pb.simMailMaxLen_},     {"flags", pb.m_simContactFiledsFlag}};
}

yov::PhonebookInitRecord simRecord(const QString &path, int maxIndex = 10)
{
    yov::PhonebookInitRecord r;
    r.numberLength = 20;
    r.nameLength = 14;
    r.minIndex = 1;
    r.maxIndex = maxIndex;
    r.path = path;
    r.storage = yov::kPbStorageSim;
    return r;
}

ContactDialogValues dialogFor(int savePosition, const QString &name, const QString &mobile)
{
    ContactDialogValues values;
    values.fields.name = name;
    values.fields.mobile = mobile;
    values.savePosition = savePosition;
    return values;
}

} // namespace

TEST(DevicePhonebookReport, EachRecordIsReadOrRefusedWhole)
{
    const auto unterminated = [](QByteArray bytes) {
        bytes.replace(yov::PhonebookInitRecord::kOffPath, yov::PhonebookInitRecord::kLenPath,
                      QByteArray(yov::PhonebookInitRecord::kLenPath, 'a'));
        return bytes;
    };
    struct Case {
        const char *label;
        std::function<QByteArray(const yov::PhonebookInitRecord &)> payload;
        bool read;
        QVariantMap limits; // expected where read
        QStringList names;
    };
    const Case cases[] = {
        {"a SIM report", [](const auto &r) { return r.encode(); }, true,
         {{"min", 1}, {"max", 10}, {"name", 14}, {"number", 20}}, {"Anna", "Bert"}},
        {"short data: no storage", [](const auto &r) { return r.encode().left(20); }, false, {}, {}},
        {"storage 3", [](auto r) { r.storage = 3; return r.encode(); }, false, {}, {}},
        {"a path without its zero", [&](const auto &r) { return unterminated(r.encode()); }, false, {}, {}},
        {"negative lengths and indexes", [](auto r) {
             r.minIndex = -5;
             r.numberLength = -3;
             r.nameLength = -1;
             return r.encode();
         }, true, {{"min", 0}, {"max", 10}, {"name", 0}, {"number", 0}}, {"Anna", "Bert"}},
        {"lowest index above the highest", [](auto r) {
             r.minIndex = 9;
             r.maxIndex = 3;
             return r.encode();
         }, true, {{"min", 0}, {"max", 0}, {"name", 14}, {"number", 20}}, {}},
    };
    for (const Case &c : cases) {
        LinkHarness h;
        PBController &pb = h.startLinked();
        yov::PhonebookItemsFile::write(h.path("SIM_Items.plist"), {item(2, "Bert", "0302"), item(1, "Anna", "0301")});
        h.deliver(1025, 0, c.payload(simRecord(h.path("SIM_Items.plist"))));
        EXPECT_EQ(pb.simInitFinished_, c.read) << c.label;
        EXPECT_EQ(namesOf(pb.m_SimPhoneList), c.names) << c.label;
        EXPECT_EQ(pb.currentStorage(), c.read ? yov::kPbStorageSim : 0) << c.label;
        const QVariantMap limits = limitsOf(pb);
        for (auto it = c.limits.begin(); it != c.limits.end(); ++it)
            EXPECT_EQ(limits.value(it.key()), it.value()) << c.label << " " << qPrintable(it.key());
        if (!c.read) {
            EXPECT_EQ(pb.simMaxIndex_, 0) << c.label;
        }
    }
}

TEST(DevicePhonebookReport, LimitsAndFieldFlagsBySwitches)
{
    struct Case {
        const char *label;
        QVariantMap switches;
        int number2, number3, email;
        QVariantMap expected;
    };
    const Case cases[] = {
        {"auto-detection, only name and number 1", {{"SimFieldAutoDetectionEnabled", true}}, 0, 0, 0,
         {{"flags", 3}, {"name", 14}, {"number", 20}, {"number2", 0}}},
        {"auto-detection, every field", {{"SimFieldAutoDetectionEnabled", true}}, 30, 31, 60,
         {{"flags", 31}, {"number2", 30}, {"number3", 31}, {"mail", 60}}},
        {"with the computer's lengths", {{"SimFieldAutoDetectionEnabled", true}, {"D3UDefinedPBItemLength", true}}, 0, 0, 0,
         {{"flags", 3}, {"name", 15}, {"number", 24}, {"number2", 24}, {"number3", 24}, {"mail", 40}}},
        {"without auto-detection the flags stay", {}, 30, 31, 60, {{"flags", 7}, {"number2", 0}, {"mail", 0}}},
    };
    for (const Case &c : cases) {
        Harness h(c.switches);
        PBController &pb = h.start();
        pb.m_simContactFiledsFlag = 7;
        yov::PhonebookInitRecord r = simRecord(QString());
        r.number2Length = c.number2;
        r.number3Length = c.number3;
        r.emailLength = c.email;
        ASSERT_TRUE(pb.setBaseInfo(r, yov::kPbStorageSim)) << c.label;
        const QVariantMap limits = limitsOf(pb);
        for (auto it = c.expected.begin(); it != c.expected.end(); ++it)
            EXPECT_EQ(limits.value(it.key()), it.value()) << c.label << " " << qPrintable(it.key());
        EXPECT_FALSE(pb.setBaseInfo(r, 3)) << c.label;
    }
}

TEST(DevicePhonebookReport, ItemsFileEntriesReadSkippedAndSortedByName)
{
    const QVariantList entries{
        QVariantMap{{"ITEM_INDEX", 3}, {"ITEM_NAME", "Zed"}, {"ITEM_NUM1", "031"}, {"ITEM_NUM2", "032"},
                    {"ITEM_NUM3", "033"}, {"ITEM_EMAIL", "zed@example.org"}},
        QVariantMap{{"ITEM_NAME", "No index"}},
        QVariantMap{{"ITEM_INDEX", "4"}, {"ITEM_NAME", "Index as text"}},
        QVariantMap{{"ITEM_INDEX", 11}, {"ITEM_NAME", "Beyond the storage"}},
        QVariantMap{{"ITEM_INDEX", 3}, {"ITEM_NAME", "Repeated"}},
        QVariantMap{{"ITEM_INDEX", 5}, {"ITEM_NAME", 1234}},
        QVariantMap{{"ITEM_INDEX", 1}, {"ITEM_NAME", "Anna"}, {"ITEM_NUM1", "011"}},
        QString("not a dictionary"),
    };
    const QVariantMap zed{{"index", 3}, {"username", "Zed"}, {"mobilephone", "031"}};
    const QVariantMap zedWhole{{"index", 3},        {"username", "Zed"},          {"mobilephone", "031"}, {"homephone", "032"},
                               {"officephone", "033"}, {"email", "zed@example.org"}};
    const QVariantMap anna{{"index", 1}, {"username", "Anna"}, {"mobilephone", "011"}};
    const QVariantMap number{{"index", 5}, {"username", "1234"}};
    struct Case {
        const char *label;
        bool autoDetection;
        std::function<void(LinkHarness &)> writeFile;
        QList<QVariantMap> expected;
    };
    const auto listFile = [&](LinkHarness &h) { h.writeList(entries, "SIM_Items.plist"); };
    const Case cases[] = {
        {"missing", false, [](LinkHarness &) {}, {}},
        {"unreadable", false, [](LinkHarness &h) { h.writeBytes("<plist><array><dict>", "SIM_Items.plist"); }, {}},
        {"a dictionary instead of a list", false, [](LinkHarness &h) { h.writeList(QVariantMap{{"ITEM_INDEX", 1}}, "SIM_Items.plist"); }, {}},
        {"mixed entries", false, listFile, {number, anna, zed}},
        {"mixed entries with auto-detection", true, listFile, {number, anna, zedWhole}},
    };
    for (const Case &c : cases) {
        LinkHarness h({{"SimFieldAutoDetectionEnabled", c.autoDetection}});
        PBController &pb = h.startLinked();
        c.writeFile(h);
        h.deliver(1025, 0, simRecord(h.path("SIM_Items.plist")).encode());
        EXPECT_TRUE(pb.simInitFinished_) << c.label;
        EXPECT_EQ(pb.m_SimPhoneList, c.expected) << c.label;
    }
}

TEST(DevicePhonebookRecords, WritesAndDeletesAsSent)
{
    const auto expectedWrite = [](bool allFields) {
        QByteArray b(540, '\0');
        golden::le32(b, 0, 7);
        golden::text(b, 4, "Zoë Brandt");
        golden::text(b, 124, "+4930111");
        if (allFields) {
            golden::text(b, 205, "0302");
            golden::text(b, 286, "0303");
            golden::text(b, 367, "zoe@example.org");
        }
        golden::le32(b, 532, 1);
        return b;
    };
    QByteArray expectedDelete(540, '\0');
    golden::le32(expectedDelete, 0, 9);
    golden::le32(expectedDelete, 532, 2);
    const QVariantMap contact{{"index", 7},          {"username", "Zoë Brandt"}, {"mobilephone", "+4930111"},
                              {"homephone", "0302"}, {"officephone", "0303"},    {"email", "zoe@example.org"},
                              {"groupname", "Work"}};
    for (bool autoDetection : {false, true}) {
        LinkHarness h({{"SimFieldAutoDetectionEnabled", autoDetection}});
        PBController &pb = h.startLinked();
        EXPECT_TRUE(pb.writeContactToSIM(contact));
        EXPECT_TRUE(pb.deleteContactFromSim(9));
        const QList<QByteArray> sent = h.sent(1029, 122);
        ASSERT_EQ(sent.size(), 2);
        EXPECT_EQ(sent.at(0), expectedWrite(autoDetection)) << "auto-detection " << autoDetection;
        EXPECT_EQ(sent.at(1), expectedDelete);
    }
}

TEST(DevicePhonebookAnswers, FiveWritesAnsweredOutOfOrderWithOneFailure)
{
    LinkHarness h;
    h.writeList(QVariantList{group("Friends", {contact("Ada", "01"), contact("Ben", "02"), contact("Cem", "03"),
                                               contact("Dag", "04"), contact("Eli", "05")})});
    PBController &pb = h.startLinked();
    h.report(yov::kPbStorageSim, {}, 250);
    const int postsBefore = h.addContactResults;
    ASSERT_TRUE(pb.copySelectedContacts({PBStorage::PC, {0, 1, 2, 3, 4}}, "(U)SIM"));
    ASSERT_EQ(h.writes().size(), 5);
    EXPECT_EQ(h.writes().at(4).index, 5);
    EXPECT_EQ(h.writes().at(4).name, "Eli");
    EXPECT_EQ(h.extensions.progressTotal, 5);
    EXPECT_FALSE(pb.savePositionCells().enabled);

    h.answerWrite(3, true);
    h.answerWrite(1, true);
    EXPECT_EQ(namesOf(pb.m_SimPhoneList), (QStringList{"Ada", "Cem"}));
    EXPECT_EQ(pb.m_AddContactList.size(), 3);
    h.answerWrite(5, false);
    h.answerWrite(2, true);
    EXPECT_FALSE(pb.savePositionCells().enabled) << "the batch is not over";
    h.answerWrite(4, true);

    EXPECT_EQ(namesOf(pb.m_SimPhoneList), (QStringList{"Ada", "Ben", "Cem", "Dag"}));
    EXPECT_TRUE(pb.m_AddContactList.isEmpty());
    EXPECT_EQ(h.addContactResults - postsBefore, 5);
    EXPECT_EQ(h.lastAddContactResult.size(), 4 + 5) << "four on the SIM, five on the computer";
    EXPECT_EQ(h.presenter.messages(), QStringList{kOperationFailed});
    EXPECT_TRUE(pb.savePositionCells().enabled);
    EXPECT_TRUE(pb.savePositionCells().sim);
    // An answer nobody waits for changes no list.
    h.answerWrite(5, true);
    EXPECT_EQ(pb.getSimUserNumber(), 4);
}

TEST(DevicePhonebookAnswers, ARefusalOfTheFullSimGoesToTheComputer)
{
    for (bool withGroup : {true, false}) {
        LinkHarness h({{"SaveToPCWhenSimFull", true}});
        if (withGroup)
            h.writeList(QVariantList{group("Family"), group("Work")});
        PBController &pb = h.startLinked();
        h.report(yov::kPbStorageSim, {item(1, "Ada", "01"), item(2, "Ben", "02")}, 2);
        pb.phonebookOperate_ = PBController::OperationAdd;
        pb.contactIsAdded(dialogFor(1, "Cem", "03"));
        ASSERT_EQ(h.writes().size(), 1);
        h.answerWrite(h.writes().at(0).index, false);

        EXPECT_EQ(pb.getSimUserNumber(), 2);
        EXPECT_TRUE(pb.m_AddContactList.isEmpty());
        if (withGroup) {
            const QVariantList saved = h.readList().toList();
            ASSERT_EQ(saved.size(), 2);
            EXPECT_EQ(saved.at(0).toList(),
                      (QVariantList{QVariantMap{{"groupname", "Family"}},
                                    QVariantMap{{"groupname", "Family"}, {"username", "Cem"}, {"mobilephone", "03"}}}));
            EXPECT_EQ(h.presenter.count(), 0);
        } else {
            EXPECT_EQ(pb.sumOfGroupInPC(), 0);
            EXPECT_EQ(h.presenter.messages(), QStringList{"There is no group,please create a group first!"});
        }
    }
}

TEST(DevicePhonebookAnswers, AnAnswerEditsTheStorageItsRecordWentTo)
{
    LinkHarness h({}, {{"HasMePosition", true}});
    PBController &pb = h.startLinked();
    h.report(yov::kPbStorageMe, {item(1, "Desk", "01")}, 500);
    h.report(yov::kPbStorageSim, {item(1, "Ada", "01")}, 250);
    ASSERT_EQ(pb.currentStorage(), yov::kPbStorageSim);
    pb.phonebookOperate_ = PBController::OperationAdd;
    pb.contactIsAdded(dialogFor(1, "Ben", "02"));
    ASSERT_EQ(pb.storageOfPendingWrite(0), yov::kPbStorageSim);

    // The modem moves to the device memory before the write is answered.
    pb.setModemStorage(yov::kPbStorageMe);
    h.answerSwitch(1, yov::kPbStorageMe);
    ASSERT_EQ(pb.currentStorage(), yov::kPbStorageMe);
    h.answerWrite(2, true);

    EXPECT_EQ(namesOf(pb.m_SimPhoneList), (QStringList{"Ada", "Ben"}));
    EXPECT_EQ(namesOf(pb.m_MePhoneList), QStringList{"Desk"});
    EXPECT_EQ(pb.getSmartUserByIndexFromAllPhoneList(2, "SAVEINSIM").value("username"), "Ben");
}

TEST(DevicePhonebookAnswers, ARepeatedSimReportLeavesTheAllStorageListAsAfterTheFirst)
{
    LinkHarness h;
    h.writeList(QVariantList{group("Friends", {contact("Gus", "07")})});
    PBController &pb = h.startLinked();
    h.report(yov::kPbStorageMe, {item(1, "Desk", "01")}, 500);
    h.report(yov::kPbStorageSim, {item(1, "Ada", "01"), item(2, "Ben", "02")}, 250);
    const QList<QVariantMap> first = pb.m_allPhoneList;
    ASSERT_EQ(first.size(), 1 + 2 + 1);
    h.report(yov::kPbStorageSim, {item(1, "Ada", "01"), item(2, "Ben", "02")}, 250);
    EXPECT_EQ(pb.m_allPhoneList, first);
}

TEST(DevicePhonebookSwitch, EachOperationContinuesOnTheAnswer)
{
    struct Case {
        const char *label;
        int operation;
        int outcome;
        int writes;
        QList<QPair<int, QString>> dialogs;
        QList<int> sides;
        int storageAfter;
        QStringList alerts;
    };
    const QList<QPair<int, QString>> none;
    const Case cases[] = {
        {"save 0123 to the SIM, switched", 1, 1, 0, {{1, "0123"}}, {}, yov::kPbStorageSim, {}},
        {"save 0123 to the SIM, refused: the computer's dialog", 1, 0, 0, {{0, "0123"}}, {}, yov::kPbStorageMe, {}},
        {"select the SIM side, switched", 2, 1, 0, none, {1}, yov::kPbStorageSim, {}},
        {"select the SIM side, refused: the last side", 2, 0, 0, none, {2}, yov::kPbStorageMe, {}},
        {"copy, switched", 6, 1, 1, none, {}, yov::kPbStorageSim, {}},
        {"copy, refused", 6, 0, 0, none, {}, yov::kPbStorageMe, {kOperationFailed}},
        {"move, switched", 7, 1, 1, none, {}, yov::kPbStorageSim, {}},
        {"move, refused", 7, 0, 0, none, {}, yov::kPbStorageMe, {kOperationFailed}},
    };
    for (const Case &c : cases) {
        LinkHarness h({}, {{"HasMePosition", true}});
        h.writeList(QVariantList{group("Friends", {contact("Ada", "01")})});
        PBController &pb = h.startLinked();
        h.report(yov::kPbStorageSim, {}, 250);
        h.report(yov::kPbStorageMe, {}, 500);
        ASSERT_EQ(pb.currentStorage(), yov::kPbStorageMe);
        switch (c.operation) {
        case 1:
            pb.toPbUserWinWithPhoneNumber("0123", "(U)SIM");
            break;
        case 2:
            pb.lastSelectSavePos_ = 2;
            pb.setSelectedSavePosition(1);
            pb.phonebookOperate_ = PBController::OperationSelectSavePos;
            pb.setModemStorage(yov::kPbStorageSim);
            break;
        case 6:
            ASSERT_TRUE(pb.copySelectedContacts({PBStorage::PC, {0}}, "(U)SIM"));
            break;
        case 7:
            ASSERT_TRUE(pb.moveSelectedContacts({PBStorage::PC, {0}}, "(U)SIM"));
            break;
        }
        EXPECT_EQ(h.switches(), QList<int>{yov::kPbStorageSim}) << c.label;
        EXPECT_TRUE(h.extensions.dialogs.isEmpty()) << c.label << ": nothing before the answer";
        EXPECT_TRUE(h.writes().isEmpty()) << c.label << ": nothing before the answer";
        h.answerSwitch(c.outcome, yov::kPbStorageSim);
        EXPECT_EQ(h.writes().size(), c.writes) << c.label;
        EXPECT_EQ(h.extensions.dialogs, c.dialogs) << c.label;
        EXPECT_EQ(h.extensions.sides, c.sides) << c.label;
        EXPECT_EQ(pb.currentStorage(), c.storageAfter) << c.label;
        EXPECT_EQ(h.presenter.messages(), c.alerts) << c.label;
        if (c.operation >= 6 && c.outcome == 0) {
            EXPECT_TRUE(pb.m_AddContactList.isEmpty()) << c.label;
            EXPECT_TRUE(pb.savePositionCells().enabled) << c.label;
            EXPECT_EQ(h.extensions.menus, std::optional<bool>(true)) << c.label;
            EXPECT_FALSE(pb.getMoveAndDelStatus()) << c.label;
            EXPECT_EQ(pb.sumOfContactInGroup(0), 1) << c.label << ": the source stays";
        }
    }
}
