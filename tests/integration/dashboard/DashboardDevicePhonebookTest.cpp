// The SIM's and the device memory's phonebooks in the assembled dashboard against the stand-in:
// the storages reported at SIM ready, a contact added through the dialog's values, copies beyond
// the SIM's free indexes, a move with a refused write, and answers held back and sent in reverse
// order. After each, the stand-in's stores and the dashboard's lists agree.
#include "DashboardFixture.h"
#include "PhonebookStandIn.h"

#include "common/PlistBridge.h"
#include "common/records/phonebook/PhonebookItemsFile.h"
#include "common/records/phonebook/PhonebookRecords.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/phonebook/ContactLists.h"
#include "ostrel/phonebook/PBController.h"
#include "platform/NotificationCenter.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace ostrel;
using namespace dashboard_test;

namespace {

// The phonebook requests the stand-in received.
QStringList phonebookRequests()
{
    QStringList ids = receivedIds();
    ids.removeIf([](const QString &id) { return !id.startsWith(QStringLiteral("1027/")) && !id.startsWith(QStringLiteral("1029/")); });
    return ids;
}

class DashboardDevicePhonebookTest : public PhonebookFixture {};

} // namespace

TEST_F(DashboardDevicePhonebookTest, SimReadyReportsBothStoragesAndTheListsHoldTheirItems)
{
    int reports = 0;
    QObject counter;
    yov::NotificationCenter::defaultCenter().addObserver(&counter, YOVMsgCenter::notificationName(1025, 0), nullptr,
                                                         [&reports](const yov::Notification &) { ++reports; });
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitPhonebooksRead());
    EXPECT_EQ(reports, 2);
    EXPECT_EQ(pb()->m_SimPhoneList.size(), 3);
    QStringList names;
    for (const QVariantMap &c : pb()->m_SimPhoneList)
        names << contactName(c);
    EXPECT_EQ(names, (QStringList{"Jonas Ek", "Mara Lind", "Voicemail"})) << "sorted by name";
    EXPECT_EQ(pb()->currentStorage(), yov::kPbStorageSim) << "the storage reported last";
    EXPECT_TRUE(QFileInfo::exists(QDir(modemList_).filePath(QLatin1String(yov::kSimItemsFileName))));
    expectStandInAgrees();
    EXPECT_EQ(presenter_.count(), 0);
}

TEST_F(DashboardDevicePhonebookTest, AContactAddedThroughTheDialogIsWrittenAnsweredAndListed)
{
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitPhonebooksRead());
    ContactDialogValues values;
    values.fields.name = QStringLiteral("Ola Berg");
    values.fields.mobile = QStringLiteral("+4917055501");
    values.savePosition = int(PBStorage::SIM);
    pb()->phonebookOperate_ = PBController::OperationAdd;
    pb()->contactIsAdded(values);
    ASSERT_TRUE(QTest::qWaitFor([this] { return pb()->getSimUserNumber() == 4; }, kWaitMs));
    EXPECT_EQ(contactIndex(ContactLists::getContactByName(QStringLiteral("Ola Berg"), pb()->m_SimPhoneList)), 3)
        << "the first free index";
    EXPECT_EQ(pb()->getSmartUserByIndexFromAllPhoneList(3, QStringLiteral("SAVEINSIM")).value(QStringLiteral("username")).toString(),
              QStringLiteral("Ola Berg"));
    expectStandInAgrees();
}

TEST_F(DashboardDevicePhonebookTest, FiveCopiesIntoThreeFreeIndexesAfterTheQuestion)
{
    setScenarioModem(QStringLiteral("Phonebook"),
                     {{QStringLiteral("Sim"), QVariantMap{{QStringLiteral("MaxIndex"), 5},
                                                           {QStringLiteral("Items"), QVariantList{QVariantMap{{"Index", 1}, {"Name", "Xia"}, {"Num1", "091"}},
                                                                                                  QVariantMap{{"Index", 2}, {"Name", "Yul"}, {"Num1", "092"}}}}}}});
    writePcPhonebook(QVariantList{QVariant(pcGroup(QStringLiteral("Friends"), {"Ada", "Ben", "Cem", "Dag", "Eli"}))});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitPhonebooksRead());
    control(QStringLiteral("ClearReceived"));

    ASSERT_TRUE(pb()->copySelectedContacts({PBStorage::PC, {0, 1, 2, 3, 4}}, QStringLiteral("(U)SIM")));
    ASSERT_TRUE(waitBatchAnswered());
    EXPECT_EQ(phonebookRequests().count(QStringLiteral("1029/122")), 5);
    EXPECT_EQ(pb()->getSimUserNumber(), 5);
    ASSERT_EQ(presenter_.count(), 2);
    EXPECT_TRUE(presenter_.messages().at(0).startsWith(QStringLiteral("You are copying more contacts than the left capacity")));
    EXPECT_EQ(presenter_.messages().at(1), QStringLiteral("The operation failed!"));
    expectStandInAgrees();
}

TEST_F(DashboardDevicePhonebookTest, AMoveToTheDeviceMemoryKeepsTheSourceWhoseWriteWasRefused)
{
    setSettings({{QStringLiteral("HasMePosition"), true}});
    // The device memory holds index 1: the move writes indexes 2 and 3, and 3 is refused.
    setScenarioModem(QStringLiteral("Phonebook"), {{QStringLiteral("FailIndexes"), QVariantList{3}}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitPhonebooksRead());
    ASSERT_EQ(pb()->currentStorage(), yov::kPbStorageSim);
    control(QStringLiteral("ClearReceived"));

    pb()->setSelectedSavePosition(int(PBStorage::SIM));
    // Rows of the SIM list sorted by name: Jonas Ek (index 4), Mara Lind (2), Voicemail (1).
    ASSERT_TRUE(pb()->moveSelectedContacts({PBStorage::SIM, {0, 1}}, QStringLiteral("Data Card")));
    ASSERT_TRUE(waitBatchAnswered());

    EXPECT_EQ(phonebookRequests(), (QStringList{"1027/118", "1029/122", "1029/122", "1027/118", "1029/122"}));
    EXPECT_EQ(entriesOf(pb()->m_SimPhoneList), (QStringList{entryText(1, "Voicemail", "+491703310"), entryText(2, "Mara Lind", "+491705550123")}));
    EXPECT_EQ(entriesOf(pb()->m_MePhoneList), (QStringList{entryText(1, "Service desk", "+4930555000"), entryText(2, "Jonas Ek", "+491705550199")}));
    EXPECT_EQ(presenter_.messages(), QStringList{QStringLiteral("The operation failed!")});
    EXPECT_EQ(pb()->currentStorage(), yov::kPbStorageSim) << "back on the storage shown";
    expectStandInAgrees();
}

TEST_F(DashboardDevicePhonebookTest, HeldAnswersComeInReverseOrderAndEveryContactIsListed)
{
    writePcPhonebook(QVariantList{QVariant(pcGroup(QStringLiteral("Friends"), {"Ada", "Ben", "Cem"}))});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitPhonebooksRead());
    ASSERT_EQ(control(QStringLiteral("SetModemState"), {QStringLiteral("Phonebook"), QVariantMap{{QStringLiteral("HoldReplies"), 3}}})
                  .type(),
              QDBusMessage::ReplyMessage);
    int answers = 0;
    QList<int> answered;
    QObject counter;
    pb()->notificationCenter().addObserver(&counter, QStringLiteral("addContactResult"), nullptr,
                                           [&answers](const yov::Notification &) { ++answers; });
    yov::NotificationCenter::defaultCenter().addObserver(
        &counter, YOVMsgCenter::notificationName(1029, 122), nullptr, [&answered](const yov::Notification &n) {
            const QByteArray record = n.userInfo.value(QLatin1String(yov::kMsgUserInfo)).toByteArray();
            answered << yov::PhonebookWriteResult::decode(yov::PayloadReader::ofRecord(record)).index;
        });

    ASSERT_TRUE(pb()->copySelectedContacts({PBStorage::PC, {0, 1, 2}}, QStringLiteral("(U)SIM")));
    ASSERT_TRUE(waitBatchAnswered());
    EXPECT_EQ(answered, (QList<int>{6, 5, 3})) << "the free indexes 3, 5 and 6, answered last first";
    EXPECT_EQ(answers, 3);
    EXPECT_EQ(pb()->getSimUserNumber(), 6);
    EXPECT_EQ(presenter_.count(), 0);
    expectStandInAgrees();
}

TEST_F(DashboardDevicePhonebookTest, AMoveFromTheComputerToTheSimDeletesOnlyTheSourcesTheSimHolds)
{
    // The SIM holds indexes 1, 2 and 4: the move writes 3, 5 and 6, and 5 is refused.
    setScenarioModem(QStringLiteral("Phonebook"), {{QStringLiteral("FailIndexes"), QVariantList{5}}});
    writePcPhonebook(QVariantList{QVariant(pcGroup(QStringLiteral("Friends"), {"Ada", "Ben", "Cem"}))});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitPhonebooksRead());
    control(QStringLiteral("ClearReceived"));

    ASSERT_TRUE(pb()->moveSelectedContacts({PBStorage::PC, {0, 1, 2}}, QStringLiteral("(U)SIM")));
    ASSERT_TRUE(waitBatchAnswered());

    EXPECT_EQ(phonebookRequests(), (QStringList{"1029/122", "1029/122", "1029/122"}));
    EXPECT_EQ(savedPcNames(), QList<QStringList>{QStringList{"Ben"}}) << "Ben, whose write was refused, stays";
    EXPECT_EQ(entriesOf(pb()->m_SimPhoneList),
              (QStringList{entryText(1, "Voicemail", "+491703310"), entryText(2, "Mara Lind", "+491705550123"),
                           entryText(3, "Ada", "01700"), entryText(4, "Jonas Ek", "+491705550199"), entryText(6, "Cem", "01702")}));
    EXPECT_EQ(presenter_.messages(), QStringList{QStringLiteral("The operation failed!")});
    expectStandInAgrees();
}

TEST_F(DashboardDevicePhonebookTest, AMoveFromTheSimToTheComputerKeepsTheContactWhoseDeleteWasRefused)
{
    setScenarioModem(QStringLiteral("Phonebook"), {{QStringLiteral("FailIndexes"), QVariantList{2}}});
    writePcPhonebook(QVariantList{QVariant(pcGroup(QStringLiteral("Friends"), {}))});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitPhonebooksRead());
    control(QStringLiteral("ClearReceived"));

    pb()->setSelectedSavePosition(int(PBStorage::SIM));
    // Rows of the SIM list sorted by name: Jonas Ek (index 4), Mara Lind (2), Voicemail (1).
    ASSERT_TRUE(pb()->moveSelectedContacts({PBStorage::SIM, {0, 1}}, QStringLiteral("Friends")));
    ASSERT_TRUE(waitBatchAnswered());

    EXPECT_EQ(phonebookRequests(), (QStringList{"1029/122", "1029/122"})) << "two deletes";
    EXPECT_EQ(savedPcNames(), QList<QStringList>{(QStringList{"Jonas Ek", "Mara Lind"})});
    EXPECT_EQ(entriesOf(pb()->m_SimPhoneList),
              (QStringList{entryText(1, "Voicemail", "+491703310"), entryText(2, "Mara Lind", "+491705550123")}));
    EXPECT_EQ(presenter_.messages(), QStringList{QStringLiteral("The operation failed!")});
    expectStandInAgrees();
}

TEST_F(DashboardDevicePhonebookTest, AMoveWhoseSwitchBackIsRefusedKeepsItsSourcesAndEnds)
{
    setSettings({{QStringLiteral("HasMePosition"), true}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitPhonebooksRead());
    // The two write answers wait until the stand-in refuses every further switch.
    ASSERT_EQ(control(QStringLiteral("SetModemState"), {QStringLiteral("Phonebook"), QVariantMap{{QStringLiteral("HoldReplies"), 3}}})
                  .type(),
              QDBusMessage::ReplyMessage);
    control(QStringLiteral("ClearReceived"));

    pb()->setSelectedSavePosition(int(PBStorage::SIM));
    // Rows of the SIM list sorted by name: Jonas Ek (index 4), Mara Lind (2), Voicemail (1).
    ASSERT_TRUE(pb()->moveSelectedContacts({PBStorage::SIM, {0, 1}}, QStringLiteral("Data Card")));
    ASSERT_TRUE(QTest::qWaitFor([] { return modemState(QStringLiteral("Phonebook")).value(QStringLiteral("HeldReplies")).toInt() == 2; },
                                kWaitMs));
    ASSERT_EQ(control(QStringLiteral("SetModemState"),
                      {QStringLiteral("Phonebook"), QVariantMap{{QStringLiteral("SwitchResult"), 0}, {QStringLiteral("HoldReplies"), 0}}})
                  .type(),
              QDBusMessage::ReplyMessage);
    ASSERT_TRUE(waitBatchAnswered());

    EXPECT_EQ(phonebookRequests(), (QStringList{"1027/118", "1029/122", "1029/122", "1027/118"})) << "no delete";
    EXPECT_EQ(pb()->getSimUserNumber(), 3) << "the sources stay";
    EXPECT_EQ(entriesOf(pb()->m_MePhoneList),
              (QStringList{entryText(1, "Service desk", "+4930555000"), entryText(2, "Jonas Ek", "+491705550199"),
                           entryText(3, "Mara Lind", "+491705550123")}));
    EXPECT_EQ(presenter_.messages(), QStringList{QStringLiteral("The operation failed!")});
    EXPECT_TRUE(pb()->savePositionCells().enabled);
    expectStandInAgrees();
}
