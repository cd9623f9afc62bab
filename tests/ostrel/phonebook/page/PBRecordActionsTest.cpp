// The phonebook tab's record operations: the contact dialog with its checks, room and group
// pop-up, deleting on every side, groups, the copy and move pop-ups and actions, the progress bar,
// calling, writing an SMS, saving a list to a file, the number filter and saving a handed-over
// number. The SMS page and the contact picker are recording stand-ins; the file chooser is scripted.
#include "PageHarness.h"

#include "ostrel/framework/neighbours/ContactPickerInterface.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/neighbours/SMSControllerInterface.h"
#include "ostrel/phonebook/page/PBRecordActions.h"
#include "ostrel/phonebook/page/PBRenameGroupWindow.h"
#include "ostrel/phonebook/page/PBUserWin.h"
#include "support/ScriptedFileChooser.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTest>

#include <gtest/gtest.h>

using namespace ostrel;
using namespace pagetest;

namespace {

class SmsPageRecorder : public DefaultSMSController {
public:
    void toNewMsgWinWithPhoneNumbers(const QStringList &numbers, const QString &module) override
    {
        opened.append(numbers);
        modules.append(module);
    }
    QString getMobilePhoneFromSelectedSMS() override { return selectedNumber; }
    QList<QStringList> opened;
    QStringList modules;
    QString selectedNumber;
};

class PickerStub : public DefaultContactPicker {
public:
    int runModalSelectWindow(const QVariantList &available, QStringList *selected) override
    {
        offered = available;
        if (selected)
            *selected = answer;
        return result;
    }
    QVariantList offered;
    QStringList answer;
    int result = 1;
};

// A page with its record operations, over a computer phonebook, with the neighbours recorded.
class ActionsRig {
public:
    explicit ActionsRig(const QVariantList &groups, const QVariantMap &phoneBook = {}, const QVariantMap &topLevel = {},
                 PBPage::Layout layout = {})
        : h(phoneBook, topLevel)
    {
        EXPECT_TRUE(h.writeList(groups));
        Neighbours::setSms(&sms);
        Neighbours::setContactPicker(&picker);
        h.open(layout);
        actions = std::make_unique<PBRecordActions>(h.window.get());
        main.setGeometry(100, 80, 900, 640);
        h.pb->wndMain = &main;
        h.pb->m_nNetCardStatus = 12;
        h.notifications.addObserver(&observer, QStringLiteral("makeCallWithPhoneNumber"), nullptr,
                                    [this](const yov::Notification &n) {
                                        calls << n.userInfo.value(QStringLiteral("makeCallWithPhoneNumber")).toString();
                                    });
    }
    ~ActionsRig()
    {
        actions.reset();
        h.window.reset();
        Neighbours::setSms(nullptr);
        Neighbours::setContactPicker(nullptr);
    }
    PBPage &page() { return h.page(); }
    PBUserWin *dialog() { return actions->dialog(); }
    void reportSim(const QList<yov::PhonebookItem> &items, int maxIndex) { h.report(yov::kPbStorageSim, items, maxIndex); }
    void selectContacts(const QList<int> &rows) { h.selectRows(page().m_UserList, rows); }
    void selectGroup(int row) { h.selectRows(page().m_GroupList, {row}); }
    QStringList savedNames(int group) const
    {
        QStringList names;
        for (const QVariant &c : h.readList().toList().value(group).toList().mid(1))
            names << c.toMap().value(QStringLiteral("username")).toString();
        return names;
    }

    pagetest::PageHarness h;
    SmsPageRecorder sms;
    PickerStub picker;
    testing_support::ScriptedFileChooser chooser;
    yov::ScopedFileChooser scopedChooser{&chooser};
    QWidget main;
    QObject observer;
    QStringList calls;
    std::unique_ptr<PBRecordActions> actions;
};

// A phonebook of one group (braces alone would copy the group's own list).
QVariantList onlyGroup(const QVariantList &g) { return QVariantList{QVariant(g)}; }

QVariantList friendsAndWorkGroups()
{
    return {group(QStringLiteral("Friends"), {contact(QStringLiteral("Ann"), QStringLiteral("0301")),
                                              contact(QStringLiteral("Bob"), QString()),
                                              contact(QStringLiteral("Cid"), QStringLiteral("0303"))}),
            group(QStringLiteral("Work"), {contact(QStringLiteral("Dan"), QStringLiteral("0401"))})};
}

const QList<yov::PhonebookItem> kThreeSimItems = {pbtest::item(1, QStringLiteral("Sue"), QStringLiteral("0501")),
                                            pbtest::item(2, QStringLiteral("Tom"), QStringLiteral("0502")),
                                            pbtest::item(3, QStringLiteral("Uma"), QStringLiteral("0503"))};

} // namespace

// ---- the dialog ------------------------------------------------------------------------------------

TEST(PBRecordActionsDialog, AFailedCheckKeepsTheInputAndFocusesTheFailingField)
{
    ActionsRig r(friendsAndWorkGroups());
    r.h.window->perform(QStringLiteral("newUser:"));
    ASSERT_TRUE(r.actions->isDialogOpen());
    r.dialog()->username->setText(QStringLiteral(" Eve"));
    r.dialog()->mobilephone->setText(QStringLiteral("0309"));
    r.dialog()->mobilephone->setFocus();
    r.dialog()->okButton->click();
    EXPECT_TRUE(r.actions->isDialogOpen());
    EXPECT_EQ(r.dialog()->username->text(), QStringLiteral(" Eve"));
    EXPECT_EQ(r.dialog()->mobilephone->text(), QStringLiteral("0309"));
    EXPECT_EQ(r.dialog()->focusWidget(), r.dialog()->username);
    EXPECT_EQ(r.h.presenter.count(), 1);
    EXPECT_EQ(r.h.pb->sumOfContactInPC(), 4) << "nothing stored";

    r.dialog()->username->setText(QStringLiteral("Eve"));
    r.dialog()->okButton->click();
    EXPECT_FALSE(r.actions->isDialogOpen());
    EXPECT_EQ(r.savedNames(0), (QStringList{"Ann", "Bob", "Cid", "Eve"}));
}

TEST(PBRecordActionsDialog, AddOnTheComputerWithoutAGroupSaysSoAndOpensNothing)
{
    ActionsRig r(friendsAndWorkGroups());
    r.h.pb->m_PcPhoneList.clear();
    r.actions->newUser();
    EXPECT_FALSE(r.actions->isDialogOpen());
    EXPECT_EQ(r.h.presenter.messages(), QStringList{QStringLiteral("There is no group,please create a group first!")});
}

TEST(PBRecordActionsDialog, RoomChecksOfEverySide)
{
    struct Case {
        const char *name;
        int side;
        bool saveToPc;
        testing_support::ScriptedAlertPresenter::Choice answer;
        QStringList alerts;
        bool opens;
        int sideAfter;
    };
    using C = testing_support::ScriptedAlertPresenter;
    const Case cases[] = {
        {"computer full", 0, false, C::Default, {"PC Record full,Please delete records first!"}, false, 0},
        {"SIM full", 1, false, C::Default, {"SIM Record full,Please delete records first!"}, false, 1},
        {"SIM full, save to the computer: OK", 1, true, C::Default, {"The SIM card is full.Do you want to save the contact to PC?"}, true, 0},
        {"SIM full, save to the computer: Cancel", 1, true, C::Alternate, {"The SIM card is full.Do you want to save the contact to PC?"}, false, 1},
        {"device full", 2, false, C::Default, {"Data Card Record full,Please delete records first!"}, false, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ActionsRig r(friendsAndWorkGroups(), {{QStringLiteral("SaveToPCWhenSimFull"), c.saveToPc}}, {{QStringLiteral("HasMePosition"), true}});
        r.reportSim(kThreeSimItems, 3);
        r.h.report(yov::kPbStorageMe, {pbtest::item(1, QStringLiteral("Max"))}, 1);
        if (c.side == 0)
            r.h.pb->PCUserMaxCount = 4;
        else
            r.h.pb->PCUserMaxCount = 100;
        r.h.window->showSideOfSavePosition(c.side);
        r.h.presenter.clear();
        r.h.presenter.pressNext(c.answer);
        r.actions->newUser();
        EXPECT_EQ(r.h.presenter.messages(), c.alerts);
        EXPECT_EQ(r.actions->isDialogOpen(), c.opens);
        EXPECT_EQ(r.h.window->savePositionTag(), c.sideAfter);
        if (c.opens) {
            EXPECT_TRUE(r.dialog()->usergroup->isVisibleTo(r.dialog())) << "the computer's group pop-up";
        }
    }
}

TEST(PBRecordActionsDialog, EditingAComputerContactShowsThePopUpDisabledOnItsOwnGroup)
{
    ActionsRig r(friendsAndWorkGroups());
    r.selectGroup(1);
    r.selectContacts({0});
    r.actions->editUser();
    ASSERT_TRUE(r.actions->isDialogOpen());
    EXPECT_FALSE(r.dialog()->usergroup->isEnabled());
    EXPECT_EQ(r.dialog()->usergroup->currentText(), QStringLiteral("Work"));
    EXPECT_EQ(r.dialog()->username->text(), QStringLiteral("Dan"));
    r.dialog()->username->setText(QStringLiteral("Dana"));
    r.dialog()->okButton->click();
    EXPECT_EQ(r.savedNames(1), QStringList{QStringLiteral("Dana")});
    EXPECT_EQ(r.savedNames(0), (QStringList{"Ann", "Bob", "Cid"}));
}

TEST(PBRecordActionsDialog, TheNoGroupPopUpAndItsSelection)
{
    ActionsRig r(friendsAndWorkGroups(), {{QStringLiteral("IsNoGroup"), true}});
    r.reportSim(kThreeSimItems, 10);
    r.h.window->showSideOfSavePosition(1);
    r.actions->newUser();
    QComboBox *box = r.dialog()->usergroup;
    ASSERT_EQ(box->count(), 2);
    EXPECT_EQ(box->currentIndex(), 1) << "the SIM side starts on the SIM";
    EXPECT_TRUE(box->isEnabled());
    EXPECT_FALSE(r.dialog()->homephone->isEnabled());

    struct Case {
        int item;
        int savePos;
        bool fourFieldsEnabled;
    };
    for (const Case &c : {Case{0, 0, true}, Case{1, 1, false}, Case{0, 0, true}}) {
        r.dialog()->homephone->setText(QStringLiteral("0777"));
        r.actions->selectUsrGroup(c.item);
        EXPECT_EQ(r.h.pb->lastSelectSavePos_, c.savePos);
        for (QLineEdit *f : {r.dialog()->officephone, r.dialog()->homephone, r.dialog()->useremail, r.dialog()->tfdUSerRemark_})
            EXPECT_EQ(f->isEnabled(), c.fourFieldsEnabled);
        EXPECT_EQ(r.dialog()->homephone->text().isEmpty(), !c.fourFieldsEnabled) << "the SIM choice empties them";
    }
}

TEST(PBRecordActionsDialog, AFreeWindowUnderTheMainWindowWithACallItemElseASheet)
{
    {
        ActionsRig r(friendsAndWorkGroups(), {}, toolbarWithCallAndSms());
        r.actions->newUser();
        PBUserWin *d = r.dialog();
        EXPECT_EQ(d->windowModality(), Qt::NonModal);
        EXPECT_EQ(d->x(), 100 + int((900 - d->width()) * 0.5));
        EXPECT_EQ(d->y(), 80 + 150);
        EXPECT_TRUE(d->windowTitle().isEmpty());
    }
    {
        ActionsRig r(friendsAndWorkGroups());
        r.actions->newUser();
        EXPECT_EQ(r.dialog()->windowModality(), Qt::WindowModal);
        EXPECT_EQ(r.dialog()->parentWidget(), &r.main);
    }
}

TEST(PBRecordActionsDialog, ARefusedDeviceUnlockClosesTheDialogAsCancelDoes)
{
    for (bool success : {true, false}) {
        SCOPED_TRACE(success ? "unlocked" : "refused");
        ActionsRig r(friendsAndWorkGroups());
        r.actions->newUser();
        ASSERT_TRUE(r.actions->isDialogOpen());
        EXPECT_EQ(r.h.window->skinBindings().value(0).second, r.dialog()) << "the dialog is the window's";
        r.h.window->deviceUnlockAnswered(success);
        EXPECT_EQ(r.actions->isDialogOpen(), success);
        EXPECT_EQ(r.h.pb->phonebookOperate_, success ? int(PBController::OperationAdd) : int(PBController::OperationNone));
    }
}

// ---- deleting ----------------------------------------------------------------------------------------

TEST(PBRecordActionsDelete, RowsOneAndThreeOfAGroupGoAndNoOther)
{
    // Rows 0 and 1 hold equal contacts: the rows decide, not the values.
    ActionsRig r(onlyGroup(group(QStringLiteral("Friends"), {contact(QStringLiteral("Ann"), QStringLiteral("01")), contact(QStringLiteral("Ann"), QStringLiteral("01")),
                                                     contact(QStringLiteral("Bob"), QStringLiteral("02")), contact(QStringLiteral("Cid"), QStringLiteral("03"))})));
    r.selectContacts({0, 2});
    r.actions->deleteUser();
    EXPECT_EQ(r.h.presenter.messages(), QStringList{QStringLiteral("Are you sure you want to delete the selected record(s)?")});
    EXPECT_EQ(r.savedNames(0), (QStringList{"Ann", "Cid"}));

    r.h.presenter.pressNext(testing_support::ScriptedAlertPresenter::Alternate);
    r.selectContacts({0});
    r.actions->deleteUser();
    EXPECT_EQ(r.savedNames(0), (QStringList{"Ann", "Cid"})) << "Cancel deletes nothing";
}

TEST(PBRecordActionsDelete, AFoundContactGoesFromItsOwnGroupAndAnEqualOneElsewhereStays)
{
    ActionsRig r({group(QStringLiteral("Friends"), {contact(QStringLiteral("Ann"), QStringLiteral("01"))}),
           group(QStringLiteral("Work"), {contact(QStringLiteral("Ann"), QStringLiteral("01")), contact(QStringLiteral("Bob"), QStringLiteral("02"))})});
    r.page().m_SearchItem->setText(QStringLiteral("Ann"));
    ASSERT_EQ(r.h.pb->getCurSearchGroupCount(), 2);
    const int inWork = r.h.pb->placeOfCurSearchGroup(0)->group == 1 ? 0 : 1;
    r.selectContacts({inWork});
    r.actions->deleteUser();
    EXPECT_EQ(r.savedNames(0), QStringList{QStringLiteral("Ann")});
    EXPECT_EQ(r.savedNames(1), QStringList{QStringLiteral("Bob")});
}

TEST(PBRecordActionsDelete, DeviceRowsSendOneDeleteEachAndGoOnTheAnswers)
{
    ActionsRig r(friendsAndWorkGroups());
    r.reportSim(kThreeSimItems, 10);
    r.h.window->showSideOfSavePosition(1);
    r.selectContacts({0, 2});
    r.actions->deleteUser();
    const QList<yov::PhonebookWriteRequest> sent = r.h.writes();
    ASSERT_EQ(sent.size(), 2);
    EXPECT_EQ(sent.at(0).index, 1);
    EXPECT_EQ(sent.at(1).index, 3);
    EXPECT_EQ(sent.at(0).operation, yov::kPbOperationDelete);
    EXPECT_EQ(r.h.pb->getSimUserNumber(), 3) << "the rows stay until the answers";
    r.h.answerWrite(3, true, yov::kPbOperationDelete);
    EXPECT_EQ(pbtest::namesOf(r.h.pb->m_SimPhoneList), (QStringList{"Sue", "Tom"}));
    r.h.answerWrite(1, true, yov::kPbOperationDelete);
    EXPECT_EQ(pbtest::namesOf(r.h.pb->m_SimPhoneList), QStringList{QStringLiteral("Tom")});
}

// ---- groups --------------------------------------------------------------------------------------------

TEST(PBRecordActionsGroups, TheLastGroupAReservedGroupAndADeletedOne)
{
    {
        ActionsRig r(onlyGroup(group(QStringLiteral("Friends"), {contact(QStringLiteral("Ann"), QStringLiteral("01"))})));
        r.selectGroup(0);
        r.actions->deleteGroup();
        EXPECT_EQ(r.h.presenter.messages(), QStringList{QStringLiteral("The last group should not be deleted!")});
        EXPECT_EQ(r.h.pb->sumOfGroupInPC(), 1);
    }
    {
        QVariantList reserved = group(QStringLiteral("Service"));
        reserved[0] = QVariantMap{{QStringLiteral("groupname"), QStringLiteral("Service")}, {QStringLiteral("bRes"), true}};
        ActionsRig r({group(QStringLiteral("Friends")), reserved});
        r.selectGroup(1);
        r.actions->deleteGroup();
        EXPECT_EQ(r.h.presenter.count(), 0) << "nothing is said";
        EXPECT_EQ(r.h.pb->sumOfGroupInPC(), 2);
    }
    {
        ActionsRig r(friendsAndWorkGroups());
        r.selectGroup(1);
        r.actions->deleteGroup();
        EXPECT_EQ(r.h.presenter.messages(),
                  QStringList{QStringLiteral("Are you sure you want to delete the group and all the record(s) in it?")});
        EXPECT_EQ(r.h.pb->groupNames(), QStringList{QStringLiteral("Friends")});
        EXPECT_EQ(r.h.pb->currentGroupIndex(), 0);
        EXPECT_TRUE(r.h.pb->isEditing_);
    }
}

TEST(PBRecordActionsGroups, TheRenameWindow)
{
    struct Case {
        const char *newName;
        QStringList groups;
        int alerts;
    };
    for (const Case &c : {Case{"Clients", {"Clients", "Friends"}, 0}, Case{"", {"Friends", "Work"}, 1},
                          Case{"Friends", {"Friends", "Work"}, 1}}) {
        SCOPED_TRACE(c.newName);
        PBPage::Layout tree;
        tree.tree = true;
        ActionsRig r(friendsAndWorkGroups(), {}, {}, tree);
        r.h.pb->setCurrentgroup(1);
        r.actions->editGroup();
        PBRenameGroupWindow *w = r.actions->renameWindow();
        ASSERT_TRUE(w->isVisible());
        EXPECT_EQ(w->oldGroupNameField_->text(), QStringLiteral("Work"));
        w->newGroupNameField_->setText(QLatin1String(c.newName));
        w->renameGroupOkBtn_->click();
        EXPECT_FALSE(w->isVisible());
        EXPECT_TRUE(w->newGroupNameField_->text().isEmpty());
        EXPECT_EQ(r.h.pb->groupNames(), c.groups);
        EXPECT_EQ(r.h.presenter.count(), c.alerts);
    }
}

TEST(PBRecordActionsGroups, TheDefaultGroupFollowsTheLanguageOnlyWhileUntouched)
{
    struct Case {
        const char *name;
        QVariantList groups;
        bool replaced;
    };
    const QVariantMap settings{{QStringLiteral("ChangeDefGrpNameWithLag"), true}, {QStringLiteral("CurDefGrpName"), QStringLiteral("Gruppe 0")}};
    const Case cases[] = {
        {"one empty group with the stored name", onlyGroup(group(QStringLiteral("Gruppe 0"))), true},
        {"the group holds a contact", onlyGroup(group(QStringLiteral("Gruppe 0"), {contact(QStringLiteral("Ann"), QStringLiteral("01"))})), false},
        {"another name", onlyGroup(group(QStringLiteral("Family"))), false},
        {"two groups", {group(QStringLiteral("Gruppe 0")), group(QStringLiteral("Work"))}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ActionsRig r(c.groups, settings);
        // The page stores the name of its own language at start: the stored one is a German name.
        r.h.pb->config().setConfigurationByModuleKeyAndValue(QStringLiteral("PhoneBook"), QStringLiteral("CurDefGrpName"),
                                                             QStringLiteral("Gruppe 0"));
        const QStringList before = r.h.pb->groupNames();
        EXPECT_EQ(r.h.pb->changeDefGrpWithLag(), c.replaced);
        if (c.replaced)
            EXPECT_EQ(r.h.pb->groupNames(), QStringList{QStringLiteral("Group 0")});
        else
            EXPECT_EQ(r.h.pb->groupNames(), before);
    }
}

// ---- the copy and move pop-ups -----------------------------------------------------------------------

TEST(PBRecordActionsMoveMenu, DestinationsBySideStoragesAndSearch)
{
    struct Case {
        const char *name;
        int side;
        bool hasMe;
        bool showCard;
        bool simRead;
        bool search;
        QStringList items;
        QStringList greyed;
    };
    const Case cases[] = {
        {"computer, SIM read", 0, false, false, true, false, {"(U)SIM", "Work"}, {}},
        {"computer, SIM unread, device and card", 0, true, true, false, false, {"(U)SIM", "Data Card", "SD Card", "Work"}, {"(U)SIM", "Data Card", "SD Card"}},
        {"computer, searching", 0, false, false, true, true, {"(U)SIM"}, {}},
        {"SIM", 1, true, false, true, false, {"Data Card", "Friends", "Work"}, {"Data Card"}},
        {"SIM without device", 1, false, false, true, true, {"Friends", "Work"}, {}},
        {"device", 2, true, true, true, false, {"(U)SIM", "SD Card", "Friends", "Work"}, {"SD Card"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ActionsRig r(friendsAndWorkGroups(), {{QStringLiteral("IsShowTCard"), c.showCard}}, {{QStringLiteral("HasMePosition"), c.hasMe}});
        r.h.pb->setCurrentgroup(0);
        r.h.pb->simInitFinished_ = c.simRead;
        r.h.window->selectSavePositionCell(c.side);
        r.h.pb->lastSelectSavePos_ = c.side;
        {
            const QSignalBlocker blocker(r.page().m_SearchItem);
            r.page().m_SearchItem->setText(c.search ? QStringLiteral("A") : QString());
        }
        r.actions->setMoveMenu();
        for (QComboBox *popup : {r.page().moveMenu, r.page().moveAndDelContMenu_}) {
            QStringList items;
            QStringList greyed;
            auto *model = qobject_cast<QStandardItemModel *>(popup->model());
            for (int i = 0; i < popup->count(); ++i) {
                items << popup->itemText(i);
                if (!model->item(i)->isEnabled())
                    greyed << popup->itemText(i);
            }
            EXPECT_EQ(items, c.items);
            EXPECT_EQ(greyed, c.greyed);
        }
    }
}

TEST(PBRecordActionsTransfer, ACopyToTheSimAfterAStorageSwitch)
{
    ActionsRig r(friendsAndWorkGroups(), {}, {{QStringLiteral("HasMePosition"), true}});
    r.reportSim(kThreeSimItems, 10);
    r.h.report(yov::kPbStorageMe, {}, 10);
    ASSERT_EQ(r.h.pb->currentStorage(), yov::kPbStorageMe);
    r.h.window->showSideOfSavePosition(0);
    r.selectContacts({0, 2});
    r.page().moveMenu->setCurrentText(QStringLiteral("(U)SIM"));
    r.h.window->perform(QStringLiteral("move:"));
    EXPECT_EQ(r.h.presenter.messages(), QStringList{QStringLiteral("The info may be lost!")});
    EXPECT_EQ(r.h.switches(), QList<int>{yov::kPbStorageSim});
    EXPECT_TRUE(r.h.writes().isEmpty()) << "the writes wait for the switch";
    r.h.answerSwitch(1, yov::kPbStorageSim);
    ASSERT_EQ(r.h.writes().size(), 2);
    EXPECT_TRUE(r.page().curOperationProcessBar_->isVisibleTo(&r.page()));
    r.h.answerWrite(r.h.writes().at(0).index, true);
    r.h.answerWrite(r.h.writes().at(1).index, true);
    EXPECT_EQ(r.h.pb->getSimUserNumber(), 5);
    EXPECT_EQ(r.savedNames(0), (QStringList{"Ann", "Bob", "Cid"})) << "a copy keeps its sources";
}

TEST(PBRecordActionsTransfer, AMoveToTheSimWhoseWriteFailsKeepsItsSource)
{
    ActionsRig r(friendsAndWorkGroups());
    r.reportSim(kThreeSimItems, 10);
    r.h.window->showSideOfSavePosition(0);
    r.selectContacts({0, 2});
    r.page().moveAndDelContMenu_->setCurrentText(QStringLiteral("(U)SIM"));
    r.h.window->perform(QStringLiteral("moveAndDelcont:"));
    const QList<yov::PhonebookWriteRequest> sent = r.h.writes();
    ASSERT_EQ(sent.size(), 2);
    EXPECT_EQ(r.savedNames(0), (QStringList{"Ann", "Bob", "Cid"})) << "nothing deleted before the answers";
    r.h.answerWrite(sent.at(0).index, false);
    r.h.answerWrite(sent.at(1).index, true);
    r.h.settle();
    EXPECT_EQ(r.savedNames(0), (QStringList{"Ann", "Bob"})) << "Ann, whose write failed, stays";
    EXPECT_FALSE(r.h.pb->getMoveAndDelStatus());
}

TEST(PBRecordActionsTransfer, TheCopyQuestionAnsweredWithCancelCopiesNothing)
{
    ActionsRig r(friendsAndWorkGroups(), {{QStringLiteral("PhoneBook_PopUpSelectAlertWnd_IfCopyToSim"), true}});
    r.reportSim(kThreeSimItems, 10);
    r.h.window->showSideOfSavePosition(0);
    r.selectContacts({0});
    r.page().moveMenu->setCurrentText(QStringLiteral("(U)SIM"));
    r.h.presenter.pressNext(testing_support::ScriptedAlertPresenter::Alternate);
    r.h.window->perform(QStringLiteral("move:"));
    EXPECT_EQ(r.h.presenter.messages(), QStringList{QStringLiteral("The info may be lost! Do you want to copy the contact to (U)Sim?")});
    EXPECT_TRUE(r.h.writes().isEmpty());
}

TEST(PBRecordActionsTransfer, TheOverCapacityQuestion)
{
    ActionsRig r(friendsAndWorkGroups());
    r.reportSim(kThreeSimItems, 4);
    r.h.window->showSideOfSavePosition(0);
    r.selectContacts({0, 2});
    r.page().moveMenu->setCurrentText(QStringLiteral("(U)SIM"));
    r.h.presenter.pressNext(testing_support::ScriptedAlertPresenter::Default);
    r.h.presenter.pressNext(testing_support::ScriptedAlertPresenter::Alternate);
    r.h.window->perform(QStringLiteral("move:"));
    ASSERT_EQ(r.h.presenter.count(), 2);
    EXPECT_TRUE(r.h.presenter.messages().at(1).startsWith(QStringLiteral("You are copying more contacts than the left capacity")));
    EXPECT_TRUE(r.h.writes().isEmpty()) << "Cancel copies nothing";
}

// ---- the progress bar --------------------------------------------------------------------------------

TEST(PBRecordActionsProgress, DoneOverTotalOnATwentyStepBar)
{
    struct Case {
        int total;
        int done;
        bool shown;
        int value;
    };
    for (const Case &c : {Case{4, 0, true, 0}, Case{4, 1, true, 5}, Case{4, 3, true, 15}, Case{3, 2, true, 13},
                          Case{4, 4, false, 0}, Case{0, 0, false, 0}}) {
        SCOPED_TRACE(testing::Message() << c.done << " of " << c.total);
        ActionsRig r(friendsAndWorkGroups());
        r.actions->preDoWithProcessBeforeOperation(c.total);
        for (int i = 0; i < c.done; ++i)
            r.actions->doWithProcessWhenOneMoreRecordOperation();
        r.h.manualClock.advance(PBRecordActions::kProgressIntervalMs);
        QProgressBar *bar = r.page().curOperationProcessBar_;
        EXPECT_EQ(bar->isVisibleTo(&r.page()), c.shown);
        EXPECT_EQ(bar->value(), c.value);
        EXPECT_EQ(bar->maximum(), 20);
    }
}

// ---- calling and writing --------------------------------------------------------------------------------

TEST(PBRecordActionsCallAndSms, CallingTheSelectedContact)
{
    ActionsRig r(friendsAndWorkGroups());
    r.selectContacts({2});
    r.actions->call();
    EXPECT_EQ(r.calls, QStringList{QStringLiteral("0303")});
    r.selectContacts({1});
    r.actions->call();
    EXPECT_EQ(r.calls.size(), 1);
    ASSERT_EQ(r.h.presenter.count(), 1);
    EXPECT_EQ(r.h.presenter.shown().at(0).message, QStringLiteral("Mobilephone is null!"));
    EXPECT_EQ(r.h.presenter.shown().at(0).title, QStringLiteral("STRING_WARNING_LABEL"));
}

TEST(PBRecordActionsCallAndSms, WritingToTheSelectedContactsWithAndWithoutThePicker)
{
    {
        ActionsRig r(friendsAndWorkGroups());
        r.selectContacts({0, 1, 2});
        r.actions->sendSMS();
        EXPECT_EQ(r.sms.opened, QList<QStringList>{(QStringList{"0301", "0303"})}) << "Bob has no number";
        EXPECT_EQ(r.sms.modules, QStringList{QStringLiteral("PhoneBook")});
        EXPECT_TRUE(r.picker.offered.isEmpty());
    }
    {
        ActionsRig r(friendsAndWorkGroups());
        r.selectContacts({1});
        r.actions->sendSMS();
        EXPECT_TRUE(r.sms.opened.isEmpty()) << "no contact with a number";
    }
    for (int answer : {1, 0}) {
        ActionsRig r(friendsAndWorkGroups(), {{QStringLiteral("ContactNumbersSelectionEnabled"), true}});
        r.picker.answer = {QStringLiteral("0303")};
        r.picker.result = answer;
        r.selectContacts({0, 2});
        r.actions->sendSMS();
        EXPECT_EQ(r.picker.offered.size(), 2);
        if (answer == 1)
            EXPECT_EQ(r.sms.opened, QList<QStringList>{QStringList{QStringLiteral("0303")}});
        else
            EXPECT_TRUE(r.sms.opened.isEmpty()) << "Cancel writes nothing";
    }
}

TEST(PBRecordActionsCallAndSms, WritingToTheSelectedCardContacts)
{
    ActionsRig r(friendsAndWorkGroups(), {{QStringLiteral("IsShowTCard"), true}});
    r.h.pb->m_TCardPhoneList = {QVariantMap{{"username", "Ada"}, {"mobilephone", "0701"}, {"index", -10000}},
                                QVariantMap{{"username", "Bea"}, {"mobilephone", ""}, {"index", -10001}},
                                QVariantMap{{"username", "Cai"}, {"mobilephone", "0703"}, {"index", -10002}}};
    r.h.window->selectSavePositionCell(3);
    r.h.window->selectAtTCardSide();
    r.h.window->reloadContactTable();
    ASSERT_EQ(r.h.window->savePositionTag(), 3);
    r.selectContacts({0, 1, 2});
    r.actions->sendSMS();
    EXPECT_EQ(r.sms.opened, QList<QStringList>{(QStringList{"0701", "0703"})}) << "Bea has no number";
    EXPECT_TRUE(r.page().m_UserList->selectionModel()->selectedRows().isEmpty());
}

TEST(PBRecordActionsCallAndSms, WritingToAWholeGroup)
{
    ActionsRig r(friendsAndWorkGroups());
    r.h.pb->simInitFinished_ = true;
    r.selectGroup(0);
    ASSERT_TRUE(r.h.window->m_bGroupsentSMS);
    r.actions->sendSMS();
    EXPECT_EQ(r.sms.opened, QList<QStringList>{(QStringList{"0301", "0303"})});
}

// ---- text and files --------------------------------------------------------------------------------------

TEST(PBRecordActionsText, TheNumberFieldFilter)
{
    struct Case {
        const char *typed;
        int max;
        const char *kept;
        const char *alert;
    };
    const Case cases[] = {
        {"+49*170#1", 20, "+49*170#1", ""},
        {"0170 555", 20, "0170555", "The item contains invalid charactor(s)!"},
        {"0123456789", 4, "0123", "This item exceeds the max length!"},
        {"01a23456789", 4, "0123456789", "The item contains invalid charactor(s)!"},
        {"", 4, "", ""},
    };
    ActionsRig r(friendsAndWorkGroups());
    QLineEdit field;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        r.h.presenter.clear();
        field.setText(QLatin1String(c.typed));
        r.actions->ContentControl(&field, c.max);
        EXPECT_EQ(field.text(), QLatin1String(c.kept));
        EXPECT_EQ(r.h.presenter.messages(), QString::fromLatin1(c.alert).isEmpty() ? QStringList() : QStringList{QLatin1String(c.alert)});
    }
}

TEST(PBRecordActionsText, TypingIntoANumberFieldOfTheDialog)
{
    ActionsRig r(friendsAndWorkGroups());
    r.actions->newUser();
    QLineEdit *mobile = r.dialog()->mobilephone;
    QTest::keyClicks(mobile, QStringLiteral("0170"));
    mobile->setCursorPosition(0);
    QTest::keyClick(mobile, Qt::Key_Plus);
    EXPECT_EQ(mobile->text(), QStringLiteral("+0170"));
    EXPECT_EQ(mobile->cursorPosition(), 1) << "the caret stays where the user types";
    EXPECT_EQ(r.h.presenter.count(), 0);
    QTest::keyClick(mobile, Qt::Key_A);
    EXPECT_EQ(mobile->text(), QStringLiteral("+0170"));
    EXPECT_EQ(r.h.presenter.messages(), QStringList{QStringLiteral("The item contains invalid charactor(s)!")});
}

TEST(PBRecordActionsFiles, SaveAsWritesTheListAndARefusedPathChangesNothing)
{
    ActionsRig r(friendsAndWorkGroups());
    const QString target = r.h.path(QStringLiteral("export.plist"));
    r.chooser.chooseNext(target);
    r.actions->saveAs();
    const QVariantList saved = yov::PlistBridge::readFile(target).value_or(QVariant()).toList();
    ASSERT_EQ(saved.size(), 2);
    EXPECT_EQ(saved.at(1).toList().value(1).toMap().value(QStringLiteral("username")).toString(), QStringLiteral("Dan"));
    EXPECT_EQ(r.chooser.requests().at(0).fileTypes, QStringList{QStringLiteral("plist")});

    // A folder stands where the file would go.
    ASSERT_TRUE(QDir(r.h.dir.path()).mkdir(QStringLiteral("taken.plist")));
    r.chooser.chooseNext(r.h.path(QStringLiteral("taken.plist")));
    r.actions->saveAs();
    r.h.settle();
    EXPECT_EQ(r.h.presenter.messages(), QStringList{QStringLiteral("The operation failed!")});
    EXPECT_EQ(yov::PlistBridge::readFile(target).value_or(QVariant()).toList(), saved);
}

// ---- a number handed over -------------------------------------------------------------------------------------

TEST(PBRecordActionsSaveNumber, ToTheSimWhileOnTheDeviceSwitchesThenOpensTheSimDialog)
{
    ActionsRig r(friendsAndWorkGroups(), {}, {{QStringLiteral("HasMePosition"), true}});
    r.reportSim(kThreeSimItems, 10);
    r.h.report(yov::kPbStorageMe, {}, 10);
    QStringList tabs;
    r.h.notifications.addObserver(&r.observer, QStringLiteral("TabViewItemWillChange"), nullptr, [&tabs](const yov::Notification &n) {
        tabs << n.userInfo.value(QStringLiteral("TabViewItemWillChange")).toString();
    });
    r.h.pb->toPbUserWinWithPhoneNumber(QStringLiteral("0123"), QStringLiteral("(U)SIM"));
    EXPECT_EQ(r.h.switches(), QList<int>{yov::kPbStorageSim});
    EXPECT_FALSE(r.actions->isDialogOpen());
    r.h.answerSwitch(1, yov::kPbStorageSim);
    ASSERT_TRUE(r.actions->isDialogOpen());
    EXPECT_EQ(r.dialog()->mobilephone->text(), QStringLiteral("0123"));
    EXPECT_EQ(r.dialog()->focusWidget(), r.dialog()->username);
    EXPECT_EQ(r.h.window->savePositionTag(), 1);
    EXPECT_FALSE(r.dialog()->homephone->isEnabled()) << "the SIM dialog";
    EXPECT_TRUE(tabs.contains(QStringLiteral("Phonebook")));
}

TEST(PBRecordActionsSaveNumber, TheSelectedMessagesSenderFillsTheMobileField)
{
    ActionsRig r(friendsAndWorkGroups());
    r.sms.selectedNumber = QStringLiteral("+4917099");
    r.h.window->clickSavePhoneNumber(r.h.window->menuItemOfSaveNumberToPC());
    ASSERT_TRUE(r.actions->isDialogOpen());
    EXPECT_EQ(r.dialog()->mobilephone->text(), QStringLiteral("+4917099"));
    r.dialog()->cancelButton->click();
    EXPECT_FALSE(r.h.window->savePhoneNumberFromSMS());
    EXPECT_FALSE(r.actions->isDialogOpen());
}
