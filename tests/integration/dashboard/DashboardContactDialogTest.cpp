// The phonebook tab's record operations in the assembled dashboard against the stand-in, driven
// through the tab's buttons, pop-ups and the contact dialog: adding, editing and deleting on the
// SIM side and on the computer, a move from the computer to the SIM with one refused write, groups
// made, renamed and deleted, calling and writing to contacts, a number handed over by another area
// or saved from the SMS page's menu, and a phonebook plug-in's requests. After each, the stand-in's
// stores, the saved computer file and the tab agree. Pictures of the dialogs, the copy pop-up and
// the progress bar go to $OSTREL_TEST_SCREENSHOTS.
#include "DashboardFixture.h"
#include "PhonebookStandIn.h"

#include "common/PlistBridge.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/neighbours/SMSControllerInterface.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "ostrel/phonebook/ContactLists.h"
#include "ostrel/phonebook/PBController.h"
#include "ostrel/phonebook/page/PBRecordActions.h"
#include "ostrel/phonebook/page/PBRenameGroupWindow.h"
#include "ostrel/phonebook/page/PBSource.h"
#include "ostrel/phonebook/page/PBUserWin.h"
#include "ostrel/phonebook/page/PBWindow.h"
#include "ostrel/device/picker/ContactPicker.h"
#include "ostrel/device/picker/SelectWindowControl.h"
#include "ostrel/sms/page/SMSController.h"
#include "platform/NotificationCenter.h"
#include "ostrel/sms/page/SmsPageView.h"
#include "ostrel/sms/page/SmsSource.h"
#include "ostrel/sms/page/SmsTableModel.h"
#include "common/sms/SmsBoxCodes.h"
#include "ostrel/sms/service/SmsPageRules.h"
#include "ostrel/framework/tree/Node.h"
#include "ostrel/framework/tree/NodeTreeModel.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardItemModel>
#include <QMap>
#include <QTest>
#include <QTimer>

using namespace ostrel;
using namespace dashboard_test;

namespace {

// The SMS page's writing entry, recorded (the page itself opens its editor there).
class WritingRecorder : public DefaultSMSController {
public:
    void toNewMsgWinWithPhoneNumbers(const QStringList &numbers, const QString &module) override
    {
        opened.append(numbers);
        modules.append(module);
    }
    QList<QStringList> opened;
    QStringList modules;
};

class DashboardContactDialogTest : public PhonebookFixture {
protected:
    PBPage *page() const { return window()->page(); }
    PBUserWin *dialog() const { return actions()->dialog(); }

    bool showSide(int tag) const
    {
        clickCell(tag);
        return QTest::qWaitFor([this, tag] { return pb()->lastSelectSavePos_ == tag; }, kWaitMs);
    }
    void selectContacts(const QList<int> &rows) const
    {
        QTableView *table = page()->m_UserList;
        table->clearSelection();
        for (int row : rows)
            table->selectionModel()->select(table->model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    // The row of the contact table showing a name; -1 when none does.
    int rowOf(const QString &name) const
    {
        const QAbstractItemModel *users = page()->m_UserList->model();
        for (int row = 0; row < users->rowCount(); ++row)
            if (users->index(row, 0).data().toString() == name)
                return row;
        return -1;
    }
    // Presses a button of the tab the way the user does; fails when it cannot be pressed.
    static void press(QAbstractButton *button)
    {
        ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
        button->click();
    }
    // Chooses an entry of a pop-up the way the user does.
    static void choose(QComboBox *popup, const QString &title)
    {
        const int index = popup->findText(title);
        ASSERT_GE(index, 0) << title.toStdString();
        ASSERT_TRUE(popup->isEnabled());
        const auto *items = qobject_cast<const QStandardItemModel *>(popup->model());
        ASSERT_TRUE(items && items->item(index)->isEnabled()) << title.toStdString() << " is greyed";
        popup->setCurrentIndex(index);
        emit popup->activated(index);
    }
    // The saved computer file as "group: names" per group.
    QStringList savedGroups() const
    {
        QStringList groups;
        const QList<QStringList> names = savedPcNames();
        const QVariantList saved = savedPcGroups();
        for (int i = 0; i < saved.size(); ++i)
            groups << saved.at(i).toList().value(0).toMap().value(QStringLiteral("groupname")).toString() + QStringLiteral(": ")
                          + names.value(i).join(QLatin1Char(' '));
        return groups;
    }
    // The tree's node menu item with a title, on the node of a computer group.
    QAction *nodeMenuItem(const QString &title) const
    {
        for (QAction *item : page()->popUpMenuOnNode_->actions())
            if (item->text() == title)
                return item;
        return nullptr;
    }
};

} // namespace

TEST_F(DashboardContactDialogTest, OnTheSimSideTheDialogAddsEditsAndTheButtonDeletes)
{
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitPhonebooksRead());
    showPhonebookTab();
    ASSERT_TRUE(showSide(int(PBStorage::SIM)));

    // Add.
    press(page()->newBtn_);
    ASSERT_TRUE(actions()->isDialogOpen());
    EXPECT_EQ(dialog()->focusWidget(), dialog()->username);
    EXPECT_FALSE(dialog()->homephone->isEnabled()) << "the SIM keeps a name and one number";
    QTest::keyClicks(dialog()->username, QStringLiteral("Ola Berg Lindqvist"));
    EXPECT_EQ(dialog()->username->text(), QStringLiteral("Ola Berg Lindq")) << "cut to the SIM's 14 bytes as typed";
    dialog()->username->setText(QStringLiteral("Ola Berg"));
    QTest::keyClicks(dialog()->mobilephone, QStringLiteral("+4917055501"));
    press(dialog()->okButton);
    EXPECT_FALSE(actions()->isDialogOpen());
    ASSERT_TRUE(QTest::qWaitFor([this] { return pb()->getSimUserNumber() == 4; }, kWaitMs));
    expectStandInAgrees();
    EXPECT_TRUE(standInEntries(QStringLiteral("Sim")).contains(entryText(3, QStringLiteral("Ola Berg"), QStringLiteral("+4917055501"))))
        << "the first free index";
    ASSERT_GE(rowOf(QStringLiteral("Ola Berg")), 0) << "listed in the tab";

    // Edit.
    selectContacts({rowOf(QStringLiteral("Ola Berg"))});
    press(page()->editBtn_);
    ASSERT_TRUE(actions()->isDialogOpen());
    EXPECT_EQ(dialog()->username->text(), QStringLiteral("Ola Berg"));
    EXPECT_EQ(dialog()->mobilephone->text(), QStringLiteral("+4917055501"));
    dialog()->mobilephone->clear();
    QTest::keyClicks(dialog()->mobilephone, QStringLiteral("+4917055502"));
    press(dialog()->okButton);
    ASSERT_TRUE(QTest::qWaitFor([] { return standInEntries(QStringLiteral("Sim")).contains(entryText(3, QStringLiteral("Ola Berg"), QStringLiteral("+4917055502"))); },
                                kWaitMs));
    ASSERT_TRUE(waitBatchAnswered());
    expectStandInAgrees();
    EXPECT_EQ(pb()->getSimUserNumber(), 4) << "changed in place";

    // Delete two rows; the question is answered with OK.
    selectContacts({rowOf(QStringLiteral("Ola Berg")), rowOf(QStringLiteral("Voicemail"))});
    press(page()->deleteBtn_);
    ASSERT_TRUE(QTest::qWaitFor([this] { return pb()->getSimUserNumber() == 2; }, kWaitMs));
    ASSERT_TRUE(waitBatchAnswered());
    EXPECT_EQ(standInEntries(QStringLiteral("Sim")), (QStringList{entryText(2, QStringLiteral("Mara Lind"), QStringLiteral("+491705550123")),
                                                entryText(4, QStringLiteral("Jonas Ek"), QStringLiteral("+491705550199"))}));
    expectStandInAgrees();
    EXPECT_EQ(rowOf(QStringLiteral("Ola Berg")), -1);
    EXPECT_EQ(presenter_.messages(), QStringList{QStringLiteral("Are you sure you want to delete the selected record(s)?")});
}

TEST_F(DashboardContactDialogTest, ComputerContactsAreEditedAndDeletedByTheirRows)
{
    writePcPhonebook(QVariantList{QVariant(pcGroup(QStringLiteral("Friends"), {"Ada", "Ben", "Cem", "Dag"}))});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitPhonebooksRead());
    showPhonebookTab();

    selectContacts({rowOf(QStringLiteral("Ben"))});
    press(page()->editBtn_);
    ASSERT_TRUE(actions()->isDialogOpen());
    EXPECT_FALSE(dialog()->usergroup->isEnabled()) << "an edit keeps the contact's group";
    EXPECT_EQ(dialog()->usergroup->currentText(), QStringLiteral("Friends"));
    dialog()->username->clear();
    QTest::keyClicks(dialog()->username, QStringLiteral("Bea"));
    press(dialog()->okButton);
    EXPECT_EQ(savedGroups(), QStringList{"Friends: Ada Bea Cem Dag"});

    selectContacts({rowOf(QStringLiteral("Ada")), rowOf(QStringLiteral("Cem"))});
    press(page()->deleteBtn_);
    EXPECT_EQ(savedGroups(), QStringList{"Friends: Bea Dag"});
    EXPECT_EQ(rowOf(QStringLiteral("Ada")), -1);
    EXPECT_EQ(page()->m_UserList->model()->rowCount(), 2);
    EXPECT_EQ(presenter_.messages(), QStringList{QStringLiteral("Are you sure you want to delete the selected record(s)?")});
}

TEST_F(DashboardContactDialogTest, AContactAddedRightAfterTheFirstGroupIsMadeGoesIntoThatGroup)
{
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitPhonebooksRead());
    showPhonebookTab();
    ASSERT_EQ(pb()->sumOfGroupInPC(), 0);
    QMenu *newMenu = page()->popUpMenuOfNewGroupAndUser_;
    ASSERT_GE(newMenu->actions().size(), 2);
    newMenu->actions().at(1)->trigger();
    ASSERT_EQ(pb()->sumOfGroupInPC(), 1);
    const QString group = pb()->groupNames().at(0);

    // No group is chosen in the tree yet: the dialog offers the new one rather than none.
    press(page()->newBtn_);
    ASSERT_TRUE(actions()->isDialogOpen());
    EXPECT_EQ(dialog()->usergroup->currentText(), group);
    QTest::keyClicks(dialog()->username, QStringLiteral("Anna"));
    QTest::keyClicks(dialog()->mobilephone, QStringLiteral("0170111"));
    press(dialog()->okButton);
    EXPECT_FALSE(actions()->isDialogOpen());
    EXPECT_EQ(savedGroups(), QStringList{group + QStringLiteral(": Anna")});
}

TEST_F(DashboardContactDialogTest, AMoveOfThreeComputerContactsKeepsTheOneWhoseWriteTheSimRefused)
{
    // The SIM holds indexes 1, 2 and 4: the move writes 3, 5 and 6, and 5 (the second) is refused.
    setScenarioModem(QStringLiteral("Phonebook"), {{QStringLiteral("FailIndexes"), QVariantList{5}}});
    writePcPhonebook(QVariantList{QVariant(pcGroup(QStringLiteral("Friends"), {"Ada", "Ben", "Cem"})),
                                  QVariant(pcGroup(QStringLiteral("Work"), {"Dag"}))});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitPhonebooksRead());
    showPhonebookTab();
    ASSERT_EQ(window()->savePositionTag(), int(PBStorage::PC));
    ASSERT_EQ(rowOf(QStringLiteral("Ada")), 0) << "the first group is shown";

    selectContacts({0, 1, 2});
    choose(page()->moveAndDelContMenu_, QStringLiteral("(U)SIM"));
    ASSERT_TRUE(waitBatchAnswered());

    EXPECT_EQ(savedGroups(), (QStringList{"Friends: Ben", "Work: Dag"})) << "Ben, whose write was refused, stays";
    EXPECT_EQ(entriesOf(pb()->m_SimPhoneList),
              (QStringList{entryText(1, "Voicemail", "+491703310"), entryText(2, "Mara Lind", "+491705550123"),
                           entryText(3, "Ada", "01700"), entryText(4, "Jonas Ek", "+491705550199"), entryText(6, "Cem", "01702")}));
    expectStandInAgrees();
    EXPECT_EQ(presenter_.messages(), (QStringList{"The info may be lost!", "The operation failed!"})) << "one failure alert";
    EXPECT_EQ(rowOf(QStringLiteral("Ben")), 0);
    EXPECT_EQ(page()->m_UserList->model()->rowCount(), 1) << "the tab shows what the file holds";
    EXPECT_TRUE(pb()->savePositionCells().enabled);
    QTest::qWait(2 * PBRecordActions::kProgressIntervalMs);
    EXPECT_FALSE(page()->curOperationProcessBar_->isVisible()) << "the bar hides at the end";
}

TEST_F(DashboardContactDialogTest, AGroupIsMadeRenamedAndDeletedThroughTheTree)
{
    writePcPhonebook(QVariantList{QVariant(pcGroup(QStringLiteral("Friends"), {"Ada"}))});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitPhonebooksRead());
    showPhonebookTab();
    PBSource *tree = window()->source();
    ASSERT_NE(tree, nullptr);

    // New group: the "new" menu's second item.
    QMenu *newMenu = page()->popUpMenuOfNewGroupAndUser_;
    ASSERT_GE(newMenu->actions().size(), 2);
    newMenu->actions().at(1)->trigger();
    ASSERT_EQ(pb()->sumOfGroupInPC(), 2) << "one group per choice";
    const QString made = pb()->groupNames().at(1);
    EXPECT_FALSE(made.isEmpty());
    EXPECT_EQ(tree->nodeOfPc()->childCount(), 2) << "the tree shows the new group";
    EXPECT_EQ(savedGroups(), (QStringList{"Friends: Ada", made + ": "}));

    // Rename: the new group's node is selected and its menu's "Rename Group" opens the window.
    ASSERT_EQ(tree->nodeOfPc()->child(1)->name(), made);
    tree->selectRow(2);
    ASSERT_EQ(pb()->currentGroupIndex(), 1);
    tree->menuWillOpen(tree->nodeOfPc()->child(1), true);
    ASSERT_NE(nodeMenuItem(QStringLiteral("Rename Group")), nullptr);
    nodeMenuItem(QStringLiteral("Rename Group"))->trigger();
    PBRenameGroupWindow *rename = actions()->renameWindow();
    ASSERT_TRUE(rename->isVisible());
    EXPECT_EQ(rename->oldGroupNameField_->text(), made);
    QTest::keyClicks(rename->newGroupNameField_, QStringLiteral("Clients"));
    press(rename->renameGroupOkBtn_);
    EXPECT_FALSE(rename->isVisible());
    EXPECT_EQ(pb()->groupNames(), (QStringList{"Clients", "Friends"}));
    EXPECT_EQ(savedGroups(), (QStringList{"Clients: ", "Friends: Ada"}));
    EXPECT_EQ(tree->nodeOfPc()->child(0)->name(), QStringLiteral("Clients")) << "the tree follows";

    // Delete the empty group after the question.
    tree->selectRow(1);
    ASSERT_EQ(pb()->currentGroupIndex(), 0);
    tree->menuWillOpen(tree->nodeOfPc()->child(0), true);
    ASSERT_NE(nodeMenuItem(QStringLiteral("Delete Group")), nullptr);
    nodeMenuItem(QStringLiteral("Delete Group"))->trigger();
    EXPECT_EQ(pb()->groupNames(), QStringList{"Friends"});
    EXPECT_EQ(savedGroups(), QStringList{"Friends: Ada"});
    ASSERT_EQ(tree->nodeOfPc()->childCount(), 1);
    EXPECT_EQ(tree->nodeOfPc()->child(0)->name(), QStringLiteral("Friends"));

    // The last group stays.
    tree->selectRow(1);
    window()->perform(QStringLiteral("deleteGroup:"));
    EXPECT_EQ(pb()->groupNames(), QStringList{"Friends"});
    EXPECT_EQ(presenter_.messages(), (QStringList{"Are you sure you want to delete the group and all the record(s) in it?",
                                                  "The last group should not be deleted!"}));
}

TEST_F(DashboardContactDialogTest, CallingAndWritingToTheSelectedContacts)
{
    writePcPhonebook(QVariantList{QVariant(QVariantList{QVariantMap{{QStringLiteral("groupname"), QStringLiteral("Friends")}},
                                                        QVariantMap{{QStringLiteral("username"), QStringLiteral("Ada")},
                                                                    {QStringLiteral("mobilephone"), QStringLiteral("0171")}},
                                                        QVariantMap{{QStringLiteral("username"), QStringLiteral("Ben")},
                                                                    {QStringLiteral("homephone"), QStringLiteral("0302")}},
                                                        QVariantMap{{QStringLiteral("username"), QStringLiteral("Cem")},
                                                                    {QStringLiteral("mobilephone"), QStringLiteral("0173")}}})});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitPhonebooksRead());
    showPhonebookTab();
    QStringList calls;
    QObject observer;
    pb()->notificationCenter().addObserver(&observer, QStringLiteral("makeCallWithPhoneNumber"), nullptr,
                                           [&calls](const yov::Notification &n) {
                                               calls << n.userInfo.value(QStringLiteral("makeCallWithPhoneNumber")).toString();
                                           });

    // Calling: the mobile number goes to the call area; without one the user is told.
    window()->perform(QStringLiteral("callUser:"));
    EXPECT_TRUE(calls.isEmpty()) << "nothing without a selection";
    selectContacts({rowOf(QStringLiteral("Cem"))});
    window()->perform(QStringLiteral("callUser:"));
    EXPECT_EQ(calls, QStringList{QStringLiteral("0173")});
    selectContacts({rowOf(QStringLiteral("Ben"))});
    window()->perform(QStringLiteral("callUser:"));
    EXPECT_EQ(calls.size(), 1);
    EXPECT_EQ(presenter_.messages(), QStringList{QStringLiteral("Mobilephone is null!")});

    // Writing: the SMS page gets the mobile numbers of the selected contacts, Ben has none.
    WritingRecorder writing;
    Neighbours::setSms(&writing);
    selectContacts({0, 1, 2});
    press(page()->smsBtn_);
    Neighbours::setSms(assembly_->smsController());
    EXPECT_EQ(writing.opened, QList<QStringList>{(QStringList{"0171", "0173"})});
    EXPECT_EQ(writing.modules, QStringList{QStringLiteral("PhoneBook")});
    EXPECT_TRUE(page()->m_UserList->selectionModel()->selectedRows().isEmpty()) << "the table is deselected";
}

TEST_F(DashboardContactDialogTest, WritingToTheNumbersChosenInTheContactPicker)
{
    setSettings({{QStringLiteral("PhoneBook/ContactNumbersSelectionEnabled"), true}});
    writePcPhonebook(QVariantList{QVariant(QVariantList{QVariantMap{{QStringLiteral("groupname"), QStringLiteral("Friends")}},
                                                        QVariantMap{{QStringLiteral("username"), QStringLiteral("Ada")},
                                                                    {QStringLiteral("mobilephone"), QStringLiteral("0171")},
                                                                    {QStringLiteral("homephone"), QStringLiteral("0301")}},
                                                        QVariantMap{{QStringLiteral("username"), QStringLiteral("Cem")},
                                                                    {QStringLiteral("mobilephone"), QStringLiteral("0173")}}})});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitPhonebooksRead());
    showPhonebookTab();
    WritingRecorder writing;
    Neighbours::setSms(&writing);
    QStringList offered;
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        // The user chooses Ada's home number and Cem's mobile number, then OK or Cancel.
        assembly_->contactPicker()->setPickerObserver([&offered, ok](SelectWindowControl *picker) {
            QTimer::singleShot(0, picker, [&offered, ok, picker] {
                offered.clear();
                for (const QVariant &entry : picker->contactTableViewList)
                    offered << entry.toMap().value(QStringLiteral("mobilephone")).toString();
                picker->selectContactRows({1, 2});
                picker->addToSelectedBtn->click();
                (ok ? picker->okBtn : picker->cancelBtn)->click();
            });
        });
        selectContacts({0, 1});
        press(page()->smsBtn_);
        EXPECT_EQ(offered, (QStringList{"0171(Mobile)", "0301(Home)", "0173(Mobile)"}));
    }
    assembly_->contactPicker()->setPickerObserver(nullptr);
    Neighbours::setSms(assembly_->smsController());
    EXPECT_EQ(writing.opened, QList<QStringList>{(QStringList{"0301", "0173"})}) << "Cancel writes nothing";
}

TEST_F(DashboardContactDialogTest, ANumberSavedFromAnotherAreaToTheSimWhileOnTheDeviceMemory)
{
    setSettings({{QStringLiteral("HasMePosition"), true}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitPhonebooksRead());
    showPhonebookTab();
    ASSERT_TRUE(showSide(int(PBStorage::ME)));
    ASSERT_TRUE(QTest::qWaitFor([this] { return pb()->currentStorage() == yov::kPbStorageMe; }, kWaitMs));
    pb()->notifyChangeTabViewItem(QStringLiteral("Internet"));
    control(QStringLiteral("ClearReceived"));

    Neighbours::phonebook().toPbUserWinWithPhoneNumber(QStringLiteral("0123"), QStringLiteral("(U)SIM"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return actions()->isDialogOpen(); }, kWaitMs));
    EXPECT_EQ(receivedIds().value(0), QStringLiteral("1027/118")) << "the SIM is asked for first";
    EXPECT_EQ(window()->savePositionTag(), int(PBStorage::SIM));
    EXPECT_EQ(main()->currentTabIdentifier(), QStringLiteral("Phonebook"));
    EXPECT_EQ(dialog()->mobilephone->text(), QStringLiteral("0123"));
    EXPECT_EQ(dialog()->focusWidget(), dialog()->username);
    EXPECT_FALSE(dialog()->homephone->isEnabled()) << "the SIM's dialog";

    QTest::keyClicks(dialog()->username, QStringLiteral("Caller"));
    press(dialog()->okButton);
    ASSERT_TRUE(QTest::qWaitFor([] { return standInEntries(QStringLiteral("Sim")).contains(entryText(3, QStringLiteral("Caller"), QStringLiteral("0123"))); },
                                kWaitMs));
    ASSERT_TRUE(waitBatchAnswered());
    expectStandInAgrees();
    EXPECT_EQ(presenter_.count(), 0);
}

TEST_F(DashboardContactDialogTest, TheSenderOfAMessageIsSavedFromTheSmsPagesMenu)
{
    setSettings({{QStringLiteral("HasMePosition"), true}});
    writePcPhonebook(QVariantList{QVariant(pcGroup(QStringLiteral("Friends"), {}))});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitPhonebooksRead());
    showPhonebookTab();
    SMSController *sms = assembly_->smsController();
    SmsSource *boxes = sms->smsSource();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sms->simList(yov::sms::kBoxInBox).size() == 2; }, kWaitMs));
    sms->notifyChangeTabViewItem(QStringLiteral("SMS"));
    const Node *simInbox = boxes->getNodeOfBoxByPositonNameAndSavePos(QStringLiteral("AT_SIM"), QStringLiteral("InBox"));
    ASSERT_TRUE(simInbox);
    boxes->outlineView()->selectionModel()->select(boxes->model()->indexForNode(simInbox),
                                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sms->getCurrentPosition() == yov::sms::kPositionSim && sms->tableModel()->rowCount() == 2; },
                                kWaitMs));

    // The modem works on the device memory: the save to the SIM asks for the SIM first.
    ASSERT_TRUE(showSide(int(PBStorage::ME)));
    ASSERT_TRUE(QTest::qWaitFor([this] { return pb()->currentStorage() == yov::kPbStorageMe; }, kWaitMs));

    struct Case {
        int menuItem;
        int side;
        const char *name;
    };
    for (const Case &c : {Case{kSmsMenuSaveNumberToSim, int(PBStorage::SIM), "Sender Sim"},
                          Case{kSmsMenuSaveNumberToPc, int(PBStorage::PC), "Sender Pc"}}) {
        SCOPED_TRACE(c.name);
        sms->notifyChangeTabViewItem(QStringLiteral("SMS"));
        sms->page()->msgBoxList->selectRow(0);
        const QString sender = QStringLiteral("+491705550123"); // the first message's
        QAction *item = sms->page()->menuItems[std::size_t(c.menuItem)];
        ASSERT_TRUE(item->isEnabled());
        item->trigger();
        ASSERT_TRUE(QTest::qWaitFor([this] { return actions()->isDialogOpen(); }, kWaitMs))
            << presenter_.messages().join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(main()->currentTabIdentifier(), QStringLiteral("Phonebook"));
        EXPECT_EQ(window()->savePositionTag(), c.side) << "the side the menu item names";
        EXPECT_EQ(dialog()->mobilephone->text(), sender);
        QTest::keyClicks(dialog()->username, QLatin1String(c.name));
        saveScreenshot(dialog(), QStringLiteral("phonebook-save-sender-%1.png").arg(c.side));
        press(dialog()->okButton);
        EXPECT_FALSE(window()->savePhoneNumberFromSMS());
        ASSERT_TRUE(waitBatchAnswered());
    }
    EXPECT_TRUE(standInEntries(QStringLiteral("Sim")).contains(entryText(3, QStringLiteral("Sender Sim"), QStringLiteral("+491705550123"))));
    expectStandInAgrees(); // nothing written into the device memory
    EXPECT_EQ(savedGroups(), QStringList{"Friends: Sender Pc"});
    EXPECT_EQ(presenter_.count(), 0) << presenter_.messages().join(QLatin1Char('|')).toStdString();
}

TEST_F(DashboardContactDialogTest, APhonebookPlugInSearchesAddsAndDeletesThroughTheNotificationCenter)
{
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitPhonebooksRead());
    showPhonebookTab();
    yov::NotificationCenter &center = pb()->notificationCenter();
    QMap<QString, QVariant> answers;
    QObject plugin;
    for (const char *name : {"searchUserInUSIM", "addContactResult"})
        center.addObserver(&plugin, QLatin1String(name), nullptr, [&answers, name](const yov::Notification &n) {
            answers.insert(QLatin1String(name), n.userInfo.value(QLatin1String(name)));
        });
    const auto post = [&center](const QString &name, const QVariant &payload) { center.post(name, nullptr, {{name, payload}}); };

    post(QStringLiteral("SearchItemInUSIMList"), QStringLiteral("Mara"));
    EXPECT_EQ(page()->m_SearchItem->text(), QStringLiteral("Mara")) << "the tab's search field shows the text";
    const QVariantList found = answers.value(QStringLiteral("searchUserInUSIM")).toList();
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found.first().toMap().value(QStringLiteral("username")).toString(), QStringLiteral("Mara Lind"));

    post(QStringLiteral("AddNewUserItem"), QVariantMap{{QStringLiteral("username"), QStringLiteral("Plug In")},
                                                      {QStringLiteral("mobilephone"), QStringLiteral("0177")}});
    ASSERT_TRUE(QTest::qWaitFor([this] { return pb()->getSimUserNumber() == 4; }, kWaitMs));
    EXPECT_TRUE(standInEntries(QStringLiteral("Sim")).contains(entryText(3, QStringLiteral("Plug In"), QStringLiteral("0177"))));
    EXPECT_EQ(answers.value(QStringLiteral("addContactResult")).toList().size(), int(pb()->m_allPhoneList.size()));

    answers.remove(QStringLiteral("addContactResult"));
    post(QStringLiteral("deleteUserItem"), QVariantMap{{QStringLiteral("index"), 3}, {QStringLiteral("savepos"), QStringLiteral("SAVEINSIM")}});
    ASSERT_TRUE(QTest::qWaitFor([this] { return pb()->getSimUserNumber() == 3; }, kWaitMs));
    expectStandInAgrees();
    EXPECT_TRUE(answers.contains(QStringLiteral("addContactResult")));
    EXPECT_EQ(presenter_.messages(), QStringList{QStringLiteral("Are you sure you want to delete the selected record(s)?")});
}

TEST_F(DashboardContactDialogTest, PicturesOfTheDialogTheCopyPopUpAndTheProgressBar)
{
    setSettings({{QStringLiteral("PhoneBook/SimFieldAutoDetectionEnabled"), true}});
    QStringList names;
    for (int i = 0; i < 30; ++i)
        names << QStringLiteral("Contact %1").arg(i, 2, 10, QLatin1Char('0'));
    writePcPhonebook(QVariantList{QVariant(pcGroup(QStringLiteral("Friends"), names)), QVariant(pcGroup(QStringLiteral("Work"), {}))});
    // An empty SIM with a second number and an e-mail: the dialog offers those fields and no others.
    setScenarioModem(QStringLiteral("Phonebook"), {{QStringLiteral("Sim"), QVariantMap{{QStringLiteral("MaxIndex"), 250},
                                                                                     {QStringLiteral("NameLength"), 14},
                                                                                     {QStringLiteral("NumberLength"), 20},
                                                                                     {QStringLiteral("Number2Length"), 20},
                                                                                     {QStringLiteral("EmailLength"), 40}}}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitPhonebooksRead());
    showPhonebookTab();

    // The copy pop-up on the computer side: the SIM, the device memory and the other group.
    QComboBox *copyTo = page()->moveMenu;
    selectContacts({0});
    ASSERT_TRUE(copyTo->isEnabled()) << "a contact is selected";
    QStringList offered;
    for (int i = 0; i < copyTo->count(); ++i)
        offered << copyTo->itemText(i);
    EXPECT_EQ(offered, (QStringList{"(U)SIM", "Data Card", "Work"}));
    copyTo->showPopup();
    QTest::qWait(100);
    saveScreenshot(copyTo->view()->window(), QStringLiteral("phonebook-copy-popup.png"));
    copyTo->hidePopup();

    // The add dialog on the SIM side, its fields by the SIM's.
    ASSERT_TRUE(showSide(int(PBStorage::SIM)));
    press(page()->newBtn_);
    ASSERT_TRUE(actions()->isDialogOpen());
    EXPECT_TRUE(dialog()->homephone->isEnabled());
    EXPECT_TRUE(dialog()->useremail->isEnabled());
    EXPECT_FALSE(dialog()->officephone->isEnabled());
    EXPECT_FALSE(dialog()->tfdUSerRemark_->isVisible()) << "no remarks without IsDisplayRemark";
    QTest::qWait(100);
    saveScreenshot(dialog(), QStringLiteral("phonebook-add-sim.png"));
    press(dialog()->cancelButton);
    EXPECT_FALSE(actions()->isDialogOpen());

    // A copy of 30 contacts whose answers are held: the bar shows until they come.
    ASSERT_TRUE(showSide(int(PBStorage::PC)));
    ASSERT_EQ(control(QStringLiteral("SetModemState"), {QStringLiteral("Phonebook"), QVariantMap{{QStringLiteral("HoldReplies"), 31}}}).type(),
              QDBusMessage::ReplyMessage);
    QList<int> all;
    for (int i = 0; i < 30; ++i)
        all << i;
    selectContacts(all);
    choose(copyTo, QStringLiteral("(U)SIM"));
    ASSERT_TRUE(QTest::qWaitFor([] { return modemState(QStringLiteral("Phonebook")).value(QStringLiteral("HeldReplies")).toInt() == 30; },
                                kWaitMs)) << presenter_.messages().join(QLatin1Char('|')).toStdString();
    QTest::qWait(2 * PBRecordActions::kProgressIntervalMs);
    EXPECT_TRUE(page()->curOperationProcessBar_->isVisible());
    saveScreenshot(main()->wndMain, QStringLiteral("phonebook-copy-progress.png"));
    ASSERT_EQ(control(QStringLiteral("SetModemState"), {QStringLiteral("Phonebook"), QVariantMap{{QStringLiteral("HoldReplies"), 0}}}).type(),
              QDBusMessage::ReplyMessage);
    ASSERT_TRUE(waitBatchAnswered());
    EXPECT_EQ(pb()->getSimUserNumber(), 30);
    expectStandInAgrees();
    QTest::qWait(2 * PBRecordActions::kProgressIntervalMs);
    EXPECT_FALSE(page()->curOperationProcessBar_->isVisible());
}
