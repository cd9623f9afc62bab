// Copying and moving contacts between the computer, the SIM and the device memory: what a contact
// becomes on each storage, the capacity questions, and the move that deletes a source only once
// its destination holds it.
#include "DeviceLinkHarness.h"

#include <gtest/gtest.h>

using namespace ostrel;
using namespace pbtest;

namespace {

QVariantMap fullContact(const QString &name, const QString &mobile, const QString &home, const QString &office,
                        const QString &email = QString())
{
    QVariantMap c = contact(name, mobile);
    if (!home.isEmpty())
        c.insert("homephone", home);
    if (!office.isEmpty())
        c.insert("officephone", office);
    if (!email.isEmpty())
        c.insert("email", email);
    return c;
}

// A write as "name|number 1|number 2|number 3|e-mail".
QStringList writesOf(const LinkHarness &h)
{
    QStringList written;
    for (const yov::PhonebookWriteRequest &w : h.writes())
        written << QStringList{w.name, w.number1, w.number2, w.number3, w.email}.join('|');
    return written;
}

// The names in the first group of the computer phonebook file as it is saved now.
QStringList savedNamesOfFirstGroup(const LinkHarness &h)
{
    const QVariantList saved = h.readList().toList();
    QStringList names;
    for (const QVariant &c : saved.value(0).toList().mid(1))
        names << c.toMap().value("username").toString();
    return names;
}

// The SIM side showing Ada (1) and Ben (2), the device memory holding Desk (1): both SIM
// contacts start moving to the device memory; the switch there is not answered yet.
PBController &startMoveFromSimToDevice(LinkHarness &h)
{
    PBController &pb = h.startLinked();
    h.report(yov::kPbStorageMe, {item(1, "Desk", "00")}, 500);
    h.report(yov::kPbStorageSim, {item(1, "Ada", "01"), item(2, "Ben", "02")}, 250);
    pb.setSelectedSavePosition(1);
    EXPECT_TRUE(pb.moveSelectedContacts({PBStorage::SIM, {0, 1}}, "Data Card"));
    return pb;
}

} // namespace

TEST(CopyToDevice, WhatEachContactBecomes)
{
    const QVariantMap threeNumbers = fullContact("Alexandra", "0301", "0302", "0303", "alex@example.org");
    struct Case {
        const char *label;
        QVariantMap switches;
        QVariantList contacts;
        QString destination;
        std::function<void(LinkHarness &)> report;
        QStringList writes;
    };
    const auto oneNumberSim = [](LinkHarness &h) { h.report(yov::kPbStorageSim, {}, 250, 4, 20); };
    const Case cases[] = {
        {"three numbers to a one-number SIM", {}, {threeNumbers}, "(U)SIM", oneNumberSim,
         {"Alex|0301|||", "Alex|0302|||", "Alex|0303|||"}},
        {"auto-detection and a two-number SIM", {{"SimFieldAutoDetectionEnabled", true}}, {threeNumbers}, "(U)SIM",
         [](LinkHarness &h) { h.report(yov::kPbStorageSim, {}, 250, 14, 20, 20, 0, 0); }, {"Alexandra|0301|0302||"}},
        {"auto-detection and a three-number SIM with e-mail", {{"SimFieldAutoDetectionEnabled", true}}, {threeNumbers},
         "(U)SIM", [](LinkHarness &h) { h.report(yov::kPbStorageSim, {}, 250, 14, 20, 3, 20, 8); },
         {"Alexandra|0301|030|0303|alex@exa"}},
        {"the same name and number twice, unique", {{"PBNameAndNumberUnique", true}},
         {contact("Ada", "01"), contact("Ada", "01")}, "(U)SIM", oneNumberSim, {"Ada|01|||"}},
        {"already on the SIM, unique", {{"PBNameAndNumberUnique", true}}, {contact("Ada", "01"), contact("Ben", "02")},
         "(U)SIM", [](LinkHarness &h) { h.report(yov::kPbStorageSim, {item(1, "Ada", "01")}, 250); }, {"Ben|02|||"}},
        {"to the device memory with its own limits", {}, {contact("Alexandra", "0301")}, "Data Card",
         [](LinkHarness &h) { h.report(yov::kPbStorageMe, {}, 500, 40, 40); }, {"Alexandra|0301|||"}},
        {"a SIM without number fields", {{"SimFieldAutoDetectionEnabled", true}}, {threeNumbers}, "(U)SIM",
         [](LinkHarness &h) { h.report(yov::kPbStorageSim, {}, 250, 14, 0); }, {}},
        {"auto-detection: a name and mobile already prepared", {{"SimFieldAutoDetectionEnabled", true}},
         {fullContact("Ada", "01", "02", ""), contact("Ada", "01"), contact("Ada", "03")}, "(U)SIM",
         [](LinkHarness &h) { h.report(yov::kPbStorageSim, {}, 250, 14, 20, 20, 0, 0); }, {"Ada|01|02||", "Ada|03|||"}},
    };
    for (const Case &c : cases) {
        LinkHarness h(c.switches);
        h.writeList(QVariantList{group("Friends", c.contacts)});
        PBController &pb = h.startLinked();
        c.report(h);
        QList<int> rows;
        for (int i = 0; i < c.contacts.size(); ++i)
            rows << i;
        EXPECT_EQ(pb.copySelectedContacts({PBStorage::PC, rows}, c.destination), !c.writes.isEmpty()) << c.label;
        EXPECT_EQ(writesOf(h), c.writes) << c.label;
    }
}

TEST(CopyToDevice, AComputerContactSplitForTheSim)
{
    const QVariantMap whole = fullContact("Ada", "01", "02", "03", "ada@example.org");
    struct Case {
        const char *label;
        int flags;
        QVariantMap contact;
        QStringList writes;
    };
    const Case cases[] = {
        {"one number: one entry per number", 1 | 2, whole, {"Ada|01|||", "Ada|02|||", "Ada|03|||"}},
        {"number 2, only an office number", 1 | 2 | 4, fullContact("Ada", "", "", "03"), {"Ada||||", "Ada|03|||"}},
        {"number 2 and e-mail", 1 | 2 | 4 | 16, whole, {"Ada|01|02||ada@example.org", "Ada|03|||ada@example.org"}},
        {"number 3 only", 1 | 2 | 8, whole, {"Ada|01||03|", "Ada|02|||"}},
        {"three numbers: the whole contact", 31, whole, {"Ada|01|02|03|ada@example.org"}},
    };
    for (const Case &c : cases) {
        LinkHarness h({{"SimFieldAutoDetectionEnabled", true}});
        PBController &pb = h.startLinked();
        h.report(yov::kPbStorageSim, {}, 250, 14, 20, 20, 20, 40);
        pb.m_simContactFiledsFlag = c.flags;
        EXPECT_TRUE(pb.moveSelectedContactFromPCToSim(c.contact)) << c.label;
        EXPECT_EQ(writesOf(h), c.writes) << c.label;
    }
    // No free index left: the first entry that finds none stops the split.
    LinkHarness h;
    PBController &pb = h.startLinked();
    h.report(yov::kPbStorageSim, {item(1, "Zed", "09")}, 2);
    pb.m_simContactFiledsFlag = 3;
    EXPECT_FALSE(pb.moveSelectedContactFromPCToSim(whole));
    EXPECT_EQ(writesOf(h), QStringList{"Ada|01|||"});
}

TEST(CopyCapacity, QuestionsOfRoom)
{
    // isMove2SIM: rows, or one entry per number (over 250 entries answers 2).
    struct SimCase {
        const char *label;
        bool flag;
        int contacts;
        int simUsed;
        int expected;
    };
    const SimCase simCases[] = {
        {"rows that fit", true, 84, 0, 0},     {"rows that do not fit", true, 84, 200, 1},
        {"252 numbers", false, 84, 0, 2},      {"249 numbers that fit", false, 83, 0, 0},
        {"numbers that do not fit", false, 10, 230, 1},
    };
    for (const SimCase &c : simCases) {
        LinkHarness h;
        QVariantList contacts;
        QList<int> rows;
        for (int i = 0; i < c.contacts; ++i) {
            contacts << fullContact(QStringLiteral("C%1").arg(i, 3, 10, QLatin1Char('0')), "1", "2", "3");
            rows << i;
        }
        h.writeList(QVariantList{group("All", contacts)});
        PBController &pb = h.startLinked();
        QList<yov::PhonebookItem> used;
        for (int i = 1; i <= c.simUsed; ++i)
            used << item(i, QStringLiteral("S%1").arg(i), "0");
        h.report(yov::kPbStorageSim, used, 250);
        EXPECT_EQ(pb.isMove2SIM(c.flag, rows), c.expected) << c.label;
    }

    // isMove2PC by source: 0 the group's rows, 1 the SIM's, 2 the table's; any other adds nothing.
    LinkHarness h({{"PCContactsMaxCount", 100}});
    QVariantList many;
    for (int i = 0; i < 98; ++i)
        many << contact(QStringLiteral("P%1").arg(i), QString::number(i));
    h.writeList(QVariantList{group("All", many)});
    PBController &pb = h.startLinked();
    const struct {
        int source;
        int selected;
        bool expected;
    } pcCases[] = {{0, 2, true}, {1, 3, false}, {2, 2, true}, {2, 3, false}, {7, 50, true}};
    for (const auto &c : pcCases)
        EXPECT_EQ(pb.isMove2PC(c.source, c.selected), c.expected) << "source " << c.source << ", " << c.selected;

    // hasEnounghSimSpace: one entry per number, or as many as the SIM's number fields need.
    for (bool autoDetection : {false, true}) {
        LinkHarness s({{"SimFieldAutoDetectionEnabled", autoDetection}});
        s.writeList(QVariantList{group("All", {fullContact("Ada", "1", "2", "3")})});
        PBController &sim = s.startLinked();
        s.report(yov::kPbStorageSim, {item(1, "Zed", "9")}, 3, 14, 20, 20);
        // Without auto-detection the field flags stay 0: no number field, no entry (and no division).
        EXPECT_EQ(sim.calContactRecordsFromPcToSim({0}), autoDetection ? 2 : 0) << "ceil(3 / 2)";
        EXPECT_EQ(sim.hasEnounghSimSpace({0}), autoDetection) << "auto-detection " << autoDetection;
    }
}

TEST(CopyCapacity, FiveCopiesIntoThreeFreeIndexesAfterTheQuestion)
{
    LinkHarness h;
    h.writeList(QVariantList{group("Friends", {contact("Ada", "01"), contact("Ben", "02"), contact("Cem", "03"),
                                               contact("Dag", "04"), contact("Eli", "05")})});
    PBController &pb = h.startLinked();
    h.report(yov::kPbStorageSim, {item(1, "Xia", "91"), item(2, "Yul", "92")}, 5);
    ASSERT_TRUE(pb.copySelectedContacts({PBStorage::PC, {0, 1, 2, 3, 4}}, "(U)SIM"));
    ASSERT_EQ(h.presenter.count(), 1);
    EXPECT_TRUE(h.presenter.messages().first().startsWith("You are copying more contacts than the left capacity of SIM card"));
    QList<int> indexes;
    for (const auto &w : h.writes())
        indexes << w.index;
    // Beyond the free indexes every write takes the one past the highest, and the SIM refuses it.
    EXPECT_EQ(indexes, (QList<int>{3, 4, 5, 6, 6}));
}

TEST(MoveContacts, ComputerToSimWithTheSecondWriteRefused)
{
    LinkHarness h;
    h.writeList(QVariantList{group("Friends", {contact("Ada", "01"), contact("Ben", "02"), contact("Cem", "03")})});
    PBController &pb = h.startLinked();
    h.report(yov::kPbStorageSim, {}, 250);
    pb.setPcContact(ContactPlace{PBStorage::PC, 0, 2}); // Cem, chosen for editing
    ASSERT_TRUE(pb.moveSelectedContacts({PBStorage::PC, {0, 1}}, "(U)SIM"));
    EXPECT_EQ(pb.sumOfContactInGroup(0), 3) << "nothing is deleted before the answers";
    EXPECT_TRUE(pb.m_SimPhoneList.isEmpty()) << "nothing is listed before the answers";
    h.answerWrite(2, false);
    h.answerWrite(1, true);

    ASSERT_EQ(h.readList().toList().size(), 1);
    EXPECT_EQ(savedNamesOfFirstGroup(h), (QStringList{"Ben", "Cem"}));
    EXPECT_EQ(namesOf(pb.m_SimPhoneList), QStringList{"Ada"});
    EXPECT_EQ(h.presenter.messages(), QStringList{kOperationFailed});
    EXPECT_FALSE(pb.getMoveAndDelStatus());
    EXPECT_TRUE(pb.savePositionCells().enabled);
    ASSERT_TRUE(pb.m_PcContact.has_value()) << "the contact chosen for editing is still there";
    EXPECT_EQ(pb.contactAt(*pb.m_PcContact).value("username"), "Cem");
    QStringList all;
    for (const QVariantMap &entry : pb.m_allPhoneList)
        all << entry.value("username").toString() + "@" + entry.value("savepos").toString();
    EXPECT_EQ(all, (QStringList{"Ada@SAVEINSIM", "Ben@SAVEINPC", "Cem@SAVEINPC"})) << "the all-storage list";
}

TEST(MoveContacts, SimToComputer)
{
    LinkHarness h;
    h.writeList(QVariantList{group("Friends")});
    PBController &pb = h.startLinked();
    h.report(yov::kPbStorageSim, {item(1, "Ada", "01"), item(2, "Ben", "02"), item(3, "Cem", "03")}, 250);
    ASSERT_TRUE(pb.moveSelectedContacts({PBStorage::SIM, {0, 2}}, "Friends"));
    EXPECT_EQ(h.readList().toList().at(0).toList().size(), 1 + 2) << "the computer holds them first";
    QList<int> deletes;
    for (const auto &w : h.writes())
        deletes << (w.operation == yov::kPbOperationDelete ? w.index : -1);
    EXPECT_EQ(deletes, (QList<int>{1, 3}));
    EXPECT_EQ(pb.getSimUserNumber(), 3) << "the SIM's list changes on the answers";
    h.answerWrite(3, true, yov::kPbOperationDelete);
    h.answerWrite(1, true, yov::kPbOperationDelete);
    EXPECT_EQ(namesOf(pb.m_SimPhoneList), QStringList{"Ben"});
    EXPECT_EQ(namesOf(pb.m_PcPhoneList.at(0).contacts), (QStringList{"Ada", "Cem"}));
    EXPECT_FALSE(pb.getMoveAndDelStatus());
    EXPECT_EQ(h.presenter.count(), 0);
}

TEST(MoveContacts, SimToDeviceMemorySwitchingThereAndBack)
{
    LinkHarness h({}, {{"HasMePosition", true}});
    PBController &pb = startMoveFromSimToDevice(h);
    EXPECT_EQ(h.requestIds(), QStringList{"1027/118"});

    h.answerSwitch(1, yov::kPbStorageMe);
    EXPECT_EQ(pb.currentStorage(), yov::kPbStorageMe);
    ASSERT_EQ(writesOf(h), (QStringList{"Ada|01|||", "Ben|02|||"}));
    h.answerWrite(3, false);
    h.answerWrite(2, true);
    EXPECT_EQ(h.switches(), (QList<int>{yov::kPbStorageMe, yov::kPbStorageSim})) << "back to the SIM for the deletes";
    EXPECT_EQ(h.writes().size(), 2) << "no delete before the switch is answered";

    h.answerSwitch(1, yov::kPbStorageSim);
    EXPECT_EQ(pb.currentStorage(), yov::kPbStorageSim);
    ASSERT_EQ(h.writes().size(), 3);
    EXPECT_EQ(h.writes().at(2).operation, yov::kPbOperationDelete);
    EXPECT_EQ(h.writes().at(2).index, 1) << "only Ada, whose write succeeded";
    h.answerWrite(1, true, yov::kPbOperationDelete);

    EXPECT_EQ(namesOf(pb.m_SimPhoneList), QStringList{"Ben"});
    EXPECT_EQ(namesOf(pb.m_MePhoneList), (QStringList{"Ada", "Desk"}));
    EXPECT_EQ(h.presenter.messages(), QStringList{kOperationFailed});
    EXPECT_FALSE(pb.getMoveAndDelStatus());
    EXPECT_EQ(h.requestIds(), (QStringList{"1027/118", "1029/122", "1029/122", "1027/118", "1029/122"}));
}

TEST(MoveContacts, AComputerContactRefusedByTheFullSimIsNotAddedToTheComputerAgain)
{
    for (bool move : {false, true}) {
        LinkHarness h({{"SaveToPCWhenSimFull", true}});
        h.writeList(QVariantList{group("Friends", {contact("Ada", "01"), contact("Ben", "02")})});
        PBController &pb = h.startLinked();
        h.report(yov::kPbStorageSim, {item(1, "Xia", "91")}, 2);
        // One free index for two contacts: the question is answered OK.
        const PBController::ContactSelection selection{PBStorage::PC, {0, 1}};
        ASSERT_TRUE(move ? pb.moveSelectedContacts(selection, "(U)SIM") : pb.copySelectedContacts(selection, "(U)SIM"));
        ASSERT_EQ(h.writes().size(), 2);
        h.answerWrite(2, true);
        h.answerWrite(3, false);

        ASSERT_EQ(h.readList().toList().size(), 1);
        EXPECT_EQ(savedNamesOfFirstGroup(h), move ? QStringList{"Ben"} : (QStringList{"Ada", "Ben"}))
            << "move " << move << ": Ben once";
        EXPECT_EQ(pb.sumOfContactInGroup(0), move ? 1 : 2) << "move " << move;
        EXPECT_EQ(namesOf(pb.m_SimPhoneList), (QStringList{"Ada", "Xia"})) << "move " << move;
        EXPECT_EQ(h.presenter.messages().mid(1), QStringList{kOperationFailed}) << "move " << move;
        EXPECT_FALSE(pb.getMoveAndDelStatus());
    }
}

TEST(MoveContacts, FromTheMemoryCardOnlyWhatTheComputerHolds)
{
    struct Case {
        const char *label;
        int pcUsed; // contacts of another group; the computer holds 100
        QList<int> refusedCardFiles;
        QStringList pcNames;
        QList<int> cardFilesDeleted;
        QStringList cardNames;
        QStringList alerts;
    };
    const Case cases[] = {
        {"both moved", 0, {}, {"Ada", "Cem"}, {1, 3}, {"Ben"}, {}},
        {"the card keeps a record it cannot delete", 0, {3}, {"Ada", "Cem"}, {1, 3}, {"Ben", "Cem"}, {kOperationFailed}},
        {"the computer has room for one", 99, {}, {"Ada"}, {1}, {"Ben", "Cem"}, {kOperationFailed}},
    };
    for (const Case &c : cases) {
        LinkHarness h({{"PCContactsMaxCount", 100}});
        QVariantList others;
        for (int i = 0; i < c.pcUsed; ++i)
            others << contact(QStringLiteral("P%1").arg(i), QString::number(i));
        h.writeList(QVariantList{group("Friends"), group("Others", others)});
        PBController &pb = h.startLinked();
        h.extensions.refusedCardFiles = c.refusedCardFiles;
        const QStringList names{"Ada", "Ben", "Cem"};
        for (int i = 0; i < names.size(); ++i)
            pb.m_TCardPhoneList << contact(names.at(i), QStringLiteral("0%1").arg(i + 1),
                                           {{"index", -10000 - i}, {"fileNameNumber", i + 1}});
        pb.addListToAllPhoneList(pb.m_TCardPhoneList, 3);

        ASSERT_TRUE(pb.moveSelectedContacts({PBStorage::TCard, {0, 2}}, "Friends")) << c.label;
        EXPECT_EQ(namesOf(pb.m_PcPhoneList.at(0).contacts), c.pcNames) << c.label;
        EXPECT_EQ(h.readList().toList().at(0).toList().size(), 1 + c.pcNames.size()) << c.label << ": saved";
        EXPECT_EQ(pb.sumOfContactInGroup(1), c.pcUsed) << c.label;
        EXPECT_EQ(h.extensions.cardFilesDeleted, c.cardFilesDeleted) << c.label;
        EXPECT_EQ(namesOf(pb.m_TCardPhoneList), c.cardNames) << c.label;
        QStringList cardEntries;
        for (const QVariantMap &entry : pb.m_allPhoneList) {
            if (entry.value("savepos") == "SAVEINTCARD")
                cardEntries << entry.value("username").toString();
        }
        cardEntries.sort();
        EXPECT_EQ(cardEntries, c.cardNames) << c.label << ": the all-storage list";
        EXPECT_EQ(h.presenter.messages(), c.alerts) << c.label;
        EXPECT_FALSE(pb.getMoveAndDelStatus()) << c.label;
        EXPECT_TRUE(h.writes().isEmpty()) << c.label;
    }
}

TEST(MoveContacts, EveryWriteRefusedTheModemReturnsToTheSideShown)
{
    LinkHarness h({}, {{"HasMePosition", true}});
    PBController &pb = startMoveFromSimToDevice(h);
    h.answerSwitch(1, yov::kPbStorageMe);
    ASSERT_EQ(h.writes().size(), 2);
    h.answerWrite(2, false);
    h.answerWrite(3, false);

    EXPECT_EQ(h.switches(), (QList<int>{yov::kPbStorageMe, yov::kPbStorageSim})) << "back to the side shown";
    h.answerSwitch(1, yov::kPbStorageSim);
    EXPECT_EQ(pb.currentStorage(), yov::kPbStorageSim);
    EXPECT_EQ(h.writes().size(), 2) << "nothing to delete";
    EXPECT_EQ(namesOf(pb.m_SimPhoneList), (QStringList{"Ada", "Ben"}));
    EXPECT_EQ(namesOf(pb.m_MePhoneList), QStringList{"Desk"});
    EXPECT_EQ(h.presenter.messages(), QStringList{kOperationFailed});
    EXPECT_FALSE(pb.getMoveAndDelStatus());
}

TEST(MoveContacts, ARefusedSwitchBeforeTheDeletesKeepsTheSourcesAndLeavesNothingPending)
{
    LinkHarness h({}, {{"HasMePosition", true}});
    h.writeList(QVariantList{group("Friends", {contact("Gus", "07")})});
    PBController &pb = startMoveFromSimToDevice(h);
    h.answerSwitch(1, yov::kPbStorageMe);
    h.answerWrite(2, true);
    h.answerWrite(3, true);
    ASSERT_EQ(h.switches(), (QList<int>{yov::kPbStorageMe, yov::kPbStorageSim}));
    h.answerSwitch(0, yov::kPbStorageSim);

    EXPECT_EQ(h.writes().size(), 2) << "no delete without the switch";
    EXPECT_TRUE(pb.m_DelContactList.isEmpty());
    EXPECT_EQ(namesOf(pb.m_SimPhoneList), (QStringList{"Ada", "Ben"})) << "the sources stay";
    EXPECT_EQ(namesOf(pb.m_MePhoneList), (QStringList{"Ada", "Ben", "Desk"}));
    EXPECT_EQ(h.presenter.messages(), QStringList{kOperationFailed});
    EXPECT_FALSE(pb.getMoveAndDelStatus());
    EXPECT_EQ(h.extensions.menus, std::optional<bool>(true));
    EXPECT_EQ(h.switches().size(), 2) << "the refused switch is not asked again";

    // The next copy ends with its answer.
    pb.setSelectedSavePosition(0);
    ASSERT_TRUE(pb.copySelectedContacts({PBStorage::PC, {0}}, "Data Card"));
    EXPECT_FALSE(pb.savePositionCells().enabled);
    ASSERT_EQ(h.writes().size(), 3);
    h.answerWrite(h.writes().at(2).index, true);
    EXPECT_TRUE(pb.savePositionCells().enabled);
    EXPECT_EQ(namesOf(pb.m_MePhoneList), (QStringList{"Ada", "Ben", "Desk", "Gus"}));
}

TEST(CopyToDevice, ARemovalEndsTheCopyAndGivesTheMenusBack)
{
    LinkHarness h;
    h.writeList(QVariantList{group("Friends", {contact("Ada", "01"), contact("Ben", "02")})});
    PBController &pb = h.startLinked();
    h.report(yov::kPbStorageSim, {}, 250);
    ASSERT_TRUE(pb.copySelectedContacts({PBStorage::PC, {0, 1}}, "(U)SIM"));
    ASSERT_EQ(h.extensions.menus, std::optional<bool>(false));
    h.answerWrite(1, true);

    pb.deviceRemoved(yov::Notification{});
    EXPECT_EQ(h.extensions.menus, std::optional<bool>(true));
    EXPECT_TRUE(pb.m_AddContactList.isEmpty());
    EXPECT_TRUE(pb.savePositionCells().enabled);
    // A late answer of the removed device changes nothing.
    h.answerWrite(2, true);
    EXPECT_TRUE(pb.m_SimPhoneList.isEmpty());
    EXPECT_EQ(pb.sumOfContactInGroup(0), 2);
}

TEST(MoveContacts, ToTheComputerWhoseFileCannotBeWrittenKeepsTheSources)
{
    LinkHarness h;
    h.writeList(QVariantList{group("Friends")});
    PBController &pb = h.startLinked();
    h.report(yov::kPbStorageSim, {item(1, "Ada", "01"), item(2, "Ben", "02")}, 250);
    // The phonebook file's place is taken by a folder: no save can succeed.
    ASSERT_TRUE(QFile::remove(h.path("phoneBook.plist")));
    ASSERT_TRUE(QDir(h.dir.path()).mkdir("phoneBook.plist"));

    ASSERT_TRUE(pb.moveSelectedContacts({PBStorage::SIM, {0, 1}}, "Friends"));
    h.settle();
    EXPECT_TRUE(h.writes().isEmpty()) << "no delete";
    EXPECT_EQ(namesOf(pb.m_SimPhoneList), (QStringList{"Ada", "Ben"}));
    EXPECT_TRUE(h.presenter.messages().contains(kOperationFailed)) << h.presenter.messages().join(" / ").toStdString();
    EXPECT_FALSE(pb.getMoveAndDelStatus());
}
