// The SMS page through its controls: registrations and skin keys, the table's cells and fonts,
// sorting, marking read on the computer and the SIM, search and counts, the store and browse
// position, device events with the device lock, and the notifications from the tab's plug-in.
#include "SmsPageHarness.h"
#include "ostrel/sms/SmsTestMessages.h"

#include "common/records/Payload.h"
#include "common/records/sms/SmsRecords.h"
#include "common/sms/SmsBoxCodes.h"
#include "common/sms/SmsListFiles.h"
#include "ostrel/framework/language/WordingOperation.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "ostrel/sms/page/SmsBoxView.h"
#include "ostrel/sms/page/SmsPageView.h"
#include "ostrel/sms/page/SmsSource.h"
#include "ostrel/sms/page/SmsTableModel.h"

#include "ostrel/framework/neighbours/DialControllerInterface.h"
#include "ostrel/framework/neighbours/SmsServiceInterface.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QTextEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>

#include <gtest/gtest.h>

using namespace ostrel;
using namespace sms_test;
using namespace sms_page_test;

namespace {


QVariantMap pcOf(const QVariantMap &boxes) { return {{QString(kPcList), boxes}}; }

QStringList column(SMSController &c, const char *id)
{
    SmsTableModel *model = c.tableModel();
    QStringList values;
    const int col = model->columnOfIdentifier(id);
    for (int row = 0; row < model->rowCount(); ++row)
        values << model->data(model->index(row, col)).toString();
    return values;
}

} // namespace

TEST(SmsPage, RegistrationsAndSkinKeys)
{
    QList<int> minors;
    QList<int> handled;
    for (const SMSController::MessageRow &row : SMSController::smsMessageRows()) {
        minors << row.minor;
        if (row.method)
            handled << row.minor;
    }
    EXPECT_EQ(minors, (QList<int>{90, 91, 92, 94, 100, 97, 98, 99, 93, 103, 109, 105, 112, 113, 114, 96, 101}));
    EXPECT_EQ(handled, minors);
    const auto names = [](const NotificationTableRow *table) {
        QStringList out;
        for (; table->selector; ++table)
            out << QString("%1=%2").arg(table->selector, table->notification);
        return out;
    };
    EXPECT_EQ(names(SMSController::smsNotificationTable()),
              (QStringList{"recieveSMSNotification:=SendMessageNotification",
                           "recieveSelectContactNotification:=SelectContactFromPhoneBook", "recieveFormatHost:=SetFormatterHost",
                           "recieveNewSMSHint:=RecieveNewSMSHint", "reloadSMSPCList:=ReLoadSMSPCList",
                           "deleteSMSPCList:=DeleteSMSInPCList", "changeMainWindowOfApp:=MainwindOfAppChanged"}));
    EXPECT_EQ(names(SMSController::deviceLockNotificationTable()),
              (QStringList{"notifyDeviceUnlockSuccess:=DeviceUnlockSuccess", "notifyDeviceUnlockFailed:=DeviceUnlockFailed"}));

    SmsPageHarness h({});
    const QStringList keys{
        "wndSMSMessageEdit", "wndSMSSimMaxWarning", "wndSMSNewSMSArrive", "wndSMSNewSMSInfo", "wndSMSReport",
        "matrixSMSSaveAtPos", "matrixSMSMessageBoxSelectAt", "btnSMSCall", "btnSMSDelete", "btnSMSReply",
        "btnSMSFowardMessage", "btnSMSSaveTo", "btnSMSMoveTo", "btnSMSNewMessage", "btnSMSCancelEditMsg",
        "btnSMSSaveToDraft", "btnSMSSendMsg", "btnSearchMsg", "btnGoMsg", "textSearchMsg", "btnSendMsg",
        "wndNewSmsArrive", "wndNewSmsView", "btnSMSSimMaxWarning", "btnSMSNewMsgArriveOK", "btnSMSCancelSend",
        "btnSMSReportOK", "btnSMSClass0MsgOK", "btnSMSOpenPopup", "btnSMSContentOK", "wndSMSClass0NewSMS",
        "viewSMSTab", "comboSavePhonePopUp", "labelInboxMessageNum", "labelOutBoxMessageNum",
        "labelDraftBoxMessageNum", "textSearchSMS", "tableMessageBoxList", "tableMessageText", "labelSMSSimMaxText",
        "textSendMessageTo", "labelSMSSendTo", "labelSMSTextCount", "textSendMessage", "textSMSMessage",
        "labelNewSMSName", "textNewSMSName", "labelNewSMSFrom", "textNewSMSFrom", "labelNewSMSDate",
        "textNewSMSDate", "labelSMSInfo", "labelSMSReport"};
    QStringList bound;
    for (const auto &[key, control] : h.controller->skinBindings()) {
        bound << key;
        EXPECT_TRUE(control) << key.toStdString() << " has no control";
    }
    EXPECT_EQ(bound, keys);

    // The restore answer: progress ignored, then success, then failure; the lists reload each time.
    h.deliver(yov::smsmsg::kMinorRestore, {}, yov::kSmsTypeProgress);
    EXPECT_TRUE(h.setting.restores.isEmpty());
    h.deliver(yov::smsmsg::kMinorRestore, {}, yov::kSmsTypeAnswer, 0);
    h.deliver(yov::smsmsg::kMinorRestore, {}, yov::kSmsTypeAnswer, 1);
    EXPECT_EQ(h.setting.restores, (QList<bool>{true, false}));
}

TEST(SmsPage, CellsFontsAndCounters)
{
    const QVariantList inbox{singleSms("100", "unread", 1, 0), singleSms("300", "read", 2, 1), concatSms("200", {"a", "b"}, 3)};
    SmsPageHarness h({{"SMS", QVariantMap{{"BoldUnreadSMSFont", true}}}},
                     pcOf({{"InBox", inbox}, {"OutBox", QVariantList{singleSms("200", "sent", 4, 1)}}}));
    SMSController &c = *h.controller;
    const QString fresh = WordingOperation::getDisplayWordingValueByWordingKey("SMS_tableColumnStat_NewSmsState");
    EXPECT_EQ(column(c, "username"), (QStringList{"Ann", "300", "Bob"}));
    EXPECT_EQ(column(c, "stat"), (QStringList{fresh, "", "2/2 " + fresh}));
    EXPECT_EQ(c.page()->inBoxMessageNum->text(), "(3)");
    EXPECT_EQ(c.page()->outBoxMessageNum->text(), "(1)");
    EXPECT_EQ(c.page()->draftBoxMessageNum->text(), "(0)");
    SmsTableModel *model = c.tableModel();
    const QFont unread = model->data(model->index(0, 0), Qt::FontRole).value<QFont>();
    const QFont read = model->data(model->index(1, 0), Qt::FontRole).value<QFont>();
    EXPECT_TRUE(unread.bold());
    EXPECT_EQ(unread.pixelSize(), 15);
    EXPECT_FALSE(read.bold());
    EXPECT_EQ(read.pixelSize(), 12);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "From");

    choose(c, yov::sms::kPositionPc, yov::sms::kBoxOutBox);
    EXPECT_EQ(column(c, "mobilephone"), QStringList{"200"});
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "To");
    EXPECT_FALSE(model->data(model->index(0, 0), Qt::FontRole).value<QFont>().bold()) << "bold only in the inbox";
    EXPECT_EQ(c.objectValueForTableColumn("stat", 5), QVariant()) << "a row past the end";
}

TEST(SmsPage, HeadersPerBoxAndSortingByColumn)
{
    const QVariantMap sms{{"boxOrder", QVariantMap{{"InBox", 0}, {"OutBox", 1}, {"DraftBox", 2}, {"DeletedBox", 3}, {"ImportantBox", 4}}},
                          {"positionOrder", QVariantMap{{"AT_PC", 0}, {"AT_SIM", 1}, {"AT_TCARD", 2}}}};
    const QVariantList inbox{singleSms("1", "b", 20, 1), singleSms("2", "a", 10, 1), singleSms("3", "c", 30, 1)};
    SmsPageHarness h({{"SMS", sms}}, pcOf({{"InBox", inbox}}));
    SMSController &c = *h.controller;
    SmsTableModel *model = c.tableModel();
    struct HeaderCase {
        int box;
        const char *number, *state;
    };
    for (const HeaderCase &t : {HeaderCase{0, "From", "Status"}, HeaderCase{1, "To", "Status"}, HeaderCase{2, "To", "Status"},
                                HeaderCase{4, "Phone Number", "Position"}, HeaderCase{5, "Phone Number", "Position"}}) {
        choose(c, yov::sms::kPositionPc, t.box);
        EXPECT_EQ(model->headerTitle("mobilephone"), t.number) << t.box;
        EXPECT_EQ(model->headerTitle("stat"), t.state) << t.box;
    }
    choose(c, yov::sms::kPositionPc, 0);
    c.tableViewDidClickTableColumn("date");
    EXPECT_EQ(column(c, "mobilephone"), (QStringList{"2", "1", "3"}));
    EXPECT_EQ(model->indicatorImage("date"), "NSAscendingSortIndicator");
    c.tableViewDidClickTableColumn("date");
    EXPECT_EQ(column(c, "mobilephone"), (QStringList{"3", "1", "2"}));
    EXPECT_EQ(model->indicatorImage("date"), "NSDescendingSortIndicator");
    c.tableViewDidClickTableColumn("stat");
    EXPECT_EQ(model->indicatorImage("stat"), "") << "the status column sorts only with its switch";
    EXPECT_EQ(model->indicatorImage("date"), "");
    EXPECT_EQ(column(c, "mobilephone"), (QStringList{"3", "1", "2"}));

    // Nothing on the memory card.
    c.boxView()->saveAtPos->selectCellAtRow(2);
    c.tableViewDidClickTableColumn("mobilephone");
    EXPECT_EQ(model->indicatorImage("mobilephone"), "");
}

TEST(SmsPage, MarkingReadOnTheComputerWritesTheWholeInbox)
{
    const QVariantList inbox{withKey(singleSms("100", "first", 1), "IMSI", "262"), withKey(singleSms("200", "other sim", 2), "IMSI", "999"),
                             withKey(singleSms("300", "second", 3), "IMSI", "262")};
    SmsPageHarness h({{"IMSI", "262"}, {"SMS", QVariantMap{{"displayPCSMSByIMSI", true}}}}, pcOf({{"InBox", inbox}}));
    SMSController &c = *h.controller;
    c.loadBoxinPCList();
    c.searchSMS();
    ASSERT_EQ(column(c, "mobilephone"), (QStringList{"100", "300"}));
    selectRows(c, {0, 1});
    EXPECT_EQ(smsTexts({c.currentSMSRecord()}), QStringList{"first"}) << "the upper one is current after both are marked";
    const QVariantList stored = fileBox(h, kPcList, "InBox");
    ASSERT_EQ(stored.size(), 3) << "the other SIM's message stays in the file";
    QList<int> stats;
    for (const QVariant &m : stored)
        stats << m.toMap().value("smsInfo").toMap().value("stat").toInt();
    EXPECT_EQ(stats, (QList<int>{1, 0, 1}));
    EXPECT_EQ(column(c, "stat"), (QStringList{"", ""}));
    EXPECT_FALSE(c.hasNewSMSInPos(yov::sms::kPositionPc));
    EXPECT_EQ(h.sentCount(yov::smsmsg::kMinorRead), 0);
}

TEST(SmsPage, MarkingReadOnTheSimSendsTheReadRecordWhenReady)
{
    const QVariantList simInbox{singleSms("100", "read one", 1, 1), singleSms("200", "unread", 2, 0)};
    for (const bool ready : {true, false}) {
        SmsPageHarness h({}, {{QString(kSimList), QVariantMap{{"InBox", simInbox}}}});
        SMSController &c = *h.controller;
        c.netcardChanged(12);
        c.loadBoxinSIMList();
        choose(c, yov::sms::kPositionSim, yov::sms::kBoxInBox);
        if (!ready)
            c.netcardChanged(2);
        ASSERT_EQ(column(c, "mobilephone"), (QStringList{"100", "200"})) << ready;
        EXPECT_TRUE(c.hasNewSMSInPos(yov::sms::kPositionSim));
        selectRows(c, {1});
        EXPECT_EQ(c.page()->messageText->toPlainText(), "unread");
        const QList<yov::UI_MSG> reads = h.sentRecords(yov::smsmsg::kMinorRead);
        if (!ready) {
            EXPECT_TRUE(reads.isEmpty());
            continue;
        }
        ASSERT_EQ(reads.size(), 1);
        const yov::SmsReadRequest request = yov::SmsReadRequest::decode(yov::PayloadReader::ofMsg(reads.first()));
        EXPECT_EQ(request, (yov::SmsReadRequest{yov::sms::kPositionSim, 1}));
        EXPECT_FALSE(c.hasNewSMSInPos(yov::sms::kPositionSim));
    }
}

TEST(SmsPage, SearchCountsAndSummaries)
{
    const QVariantList inbox{singleSms("100", "Lunch at noon", 1), singleSms("300", "meeting", 2), singleSms("200", "lunch later", 3)};
    SmsPageHarness h({{"SMS", QVariantMap{{"DisplaySMSCountInfo", true}, {"SetMsgInfo", true},
                                          {"MaxSMSCountInfo", QVariantMap{{"AT_PC", 500}}}}}},
                     pcOf({{"InBox", inbox}}));
    SMSController &c = *h.controller;
    c.boxView()->SearchSMS_item->setText("LUNCH");
    EXPECT_EQ(column(c, "mobilephone"), (QStringList{"100", "200"}));
    EXPECT_EQ(c.currentBoxList().value(1).toMap().value("groupindex"), "3");
    c.boxView()->SearchSMS_item->setText("ann");
    EXPECT_EQ(column(c, "mobilephone"), QStringList{"100"}) << "the phonebook name matches";
    c.boxView()->SearchSMS_item->clear();
    EXPECT_EQ(column(c, "mobilephone").size(), 3);

    EXPECT_EQ(c.page()->messageText->toPlainText(), "Local Inbox\nTotal: 3\n\nPC Total: 3/500");
    h.deliver(yov::smsmsg::kMinorCapacity, yov::SmsCapacity{50, 12, 0, 0}.encode());
    c.updateSMSCount();
    const int simRow = c.yovPositionManager().getPositionOrderByPositon(yov::sms::kPositionSim);
    EXPECT_EQ(c.boxView()->saveAtPos->cellAtRow(simRow)->text(), "(U)SIM (12/50)");
    EXPECT_EQ(c.boxView()->saveAtPos->cellAtRow(0)->text(), "PC (3/500)");
    c.netcardChanged(12);
    choose(c, yov::sms::kPositionSim, yov::sms::kBoxInBox);
    EXPECT_EQ(c.page()->messageText->toPlainText(), "(U)SIM Inbox\nTotal: 0\n\n(U)SIM Total: 12/50");
}

TEST(SmsPage, StoreAndBrowsePositionCodes)
{
    const QVariantMap sms{{"positionOrder", QVariantMap{{"AT_PC", 0}, {"AT_SIM", 1}, {"AT_TCARD", 2}, {"AT_ME", 3}}},
                          {"SMS_SetSmsBrowsePos_WhenSmsStoreLocChanged", true},
                          {"SMS_SetSmsStoreLoc_WhenClickSavePos", true}};
    SmsPageHarness h({{"SMS", sms}});
    SMSController &c = *h.controller;
    struct Case {
        int code, position;
    };
    for (const Case &t : {Case{3, yov::sms::kPositionMe}, Case{4, yov::sms::kPositionTcard}, Case{1, yov::sms::kPositionSim},
                          Case{2, yov::sms::kPositionPc}, Case{9, yov::sms::kPositionPc}}) {
        h.deliver(yov::smsmsg::kMinorStoreCode, yov::encodeSmsInt32(t.code));
        EXPECT_EQ(c.getCurrentPosition(), t.position) << "code " << t.code;
    }
    h.deliver(yov::smsmsg::kMinorStoreCode, yov::encodeSmsInt32(1), yov::kSmsTypeAnswer, 1);
    EXPECT_EQ(c.getCurrentPosition(), yov::sms::kPositionPc) << "a failed answer changes nothing";

    // Choosing a position tells the device where to store: the SIM is code 1, sent for the settings.
    const int before = h.sentCount(yov::smsmsg::kMinorStoreCode);
    c.boxView()->saveAtPos->selectCellAtRow(1);
    c.selectSaveAt();
    const QList<yov::UI_MSG> sent = h.sentRecords(yov::smsmsg::kMinorStoreCode);
    ASSERT_EQ(sent.size(), before + 1);
    EXPECT_EQ(sent.last().moduleID, yov::kModuleSetting);
    EXPECT_EQ(yov::decodeSmsInt32(yov::PayloadReader::ofMsg(sent.last())), 1);
}

TEST(SmsPage, DeviceEventsAndTheDeviceLock)
{
    const QVariantMap sms{{"positionOrder", QVariantMap{{"AT_PC", 0}, {"AT_SIM", 1}, {"AT_TCARD", 2}}}, {"SMSDefaultPos", "AT_SIM"}};
    SmsPageHarness h({{"SMS", sms}, {"DeviceLockSMSFunction", true}},
                     pcOf({{"InBox", QVariantList{singleSms("100", "x", 1)}}, {"OutBox", QVariantList{singleSms("200", "y", 2, 1)}}}));
    SMSController &c = *h.controller;
    SmsPageView &p = *c.page();
    EXPECT_FALSE(p.newMessageBtn->isEnabled());
    EXPECT_FALSE(p.menuItems[kSmsMenuNew]->isEnabled());

    c.simReady({});
    EXPECT_TRUE(c.smsSource()->getNodeofSavePosByPositonName("AT_SIM"));
    EXPECT_TRUE(p.newMessageBtn->isEnabled());
    EXPECT_TRUE(p.menuItems[kSmsMenuNew]->isEnabled());
    EXPECT_EQ(h.sentCount(yov::smsmsg::kMinorReloadTcard), 1) << "a card position asks for the card list";

    // The lists are ready: the page opens and selects its default position.
    h.deliver(yov::smsmsg::kMinorListState, yov::SmsListState{yov::SmsListState::kReady}.encode(), 0);
    EXPECT_TRUE(c.boxView()->saveAtPos->isEnabled());
    EXPECT_EQ(c.getCurrentPosition(), yov::sms::kPositionSim);

    // One inbox message on the computer with the device ready: the menu of a single selection.
    choose(c, yov::sms::kPositionPc, yov::sms::kBoxInBox);
    selectRows(c, {0});
    EXPECT_TRUE(p.replyBtn->isEnabled());
    EXPECT_TRUE(p.deleteBtn->isEnabled());
    EXPECT_TRUE(p.menuItems[kSmsMenuSaveNumberToSim]->isEnabled());
    choose(c, yov::sms::kPositionPc, yov::sms::kBoxOutBox);
    selectRows(c, {0});
    EXPECT_TRUE(p.menuItems[kSmsMenuSend]->isEnabled());
    h.mainWindow.sendingUserInfo = true; // the registration messages go out: no sending from the menu
    selectRows(c, {});
    selectRows(c, {0});
    EXPECT_FALSE(p.menuItems[kSmsMenuSend]->isEnabled());

    c.deviceRemoved({});
    EXPECT_FALSE(c.smsSource()->getNodeofSavePosByPositonName("AT_SIM"));
    for (QWidget *button : {static_cast<QWidget *>(p.newMessageBtn), static_cast<QWidget *>(p.replyBtn),
                            static_cast<QWidget *>(p.deleteBtn), static_cast<QWidget *>(c.boxView()->saveAtPos)})
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    EXPECT_EQ(c.getCurrentPosition(), yov::sms::kPositionPc);
    EXPECT_EQ(c.getCurrentBox(), yov::sms::kBoxInBox);
    EXPECT_EQ(c.getNetCardStatus(), 1);

    // The tab change to "SMS" with the lock on opens the unlock window; the answers pick the tab.
    const auto willShow = [&h](const char *tab) {
        h.notifications.post("TabViewItemWillChange", nullptr, {{"TabViewItemWillChange", tab}});
    };
    willShow("SMS");
    EXPECT_EQ(h.init.unlockWindows, 0) << "the lock is off";
    h.setting.deviceLockOn = true;
    willShow("Internet");
    EXPECT_EQ(h.init.unlockWindows, 0);
    willShow("SMS");
    EXPECT_EQ(h.init.unlockWindows, 1);
    EXPECT_EQ(h.init.getDeviceLockFunctionModule(), SMSController::kSmsDeviceLockModule);
    h.notifications.post("DeviceUnlockFailed", nullptr, {});
    EXPECT_EQ(tabViewItemIdentifier(h.tabs.currentWidget()), "Internet");
    h.notifications.post("DeviceUnlockSuccess", nullptr, {});
    EXPECT_EQ(tabViewItemIdentifier(h.tabs.currentWidget()), "SMS");
    h.init.setDeviceLockFunctionModule(2);
    h.notifications.post("DeviceUnlockFailed", nullptr, {});
    EXPECT_EQ(tabViewItemIdentifier(h.tabs.currentWidget()), "SMS") << "the phonebook's unlock is not the page's";
}

TEST(SmsPage, DeleteFromTheComputerListByNotification)
{
    const QVariantList outbox{singleSms("1", "zero", 1, 1), singleSms("2", "one", 2, 1), singleSms("3", "two", 3, 1),
                              singleSms("4", "three", 4, 1)};
    SmsPageHarness h({}, pcOf({{"OutBox", outbox}, {"InBox", QVariantList{singleSms("9", "in", 5)}}}));
    struct Case {
        QVariantMap info;
        QStringList outboxAfter;
    };
    const Case cases[] = {
        {{{"box", "Trash"}, {"index", 0}}, {"zero", "one", "two", "three"}},
        {{{"box", "OutBox"}, {"index", 4}}, {"zero", "one", "two", "three"}},
        {{{"box", "OutBox"}, {"index", -1}}, {"zero", "one", "two", "three"}},
        {{{"box", "OutBox"}}, {"zero", "one", "two", "three"}},
        {{{"index", 1}}, {"zero", "one", "two", "three"}},
        {{{"box", "OutBox"}, {"index", 2}}, {"zero", "one", "three"}},
    };
    for (const Case &t : cases) {
        h.notifications.post("DeleteSMSInPCList", nullptr, t.info);
        EXPECT_EQ(smsTexts(fileBox(h, kPcList, "OutBox")), t.outboxAfter) << QVariant(t.info).toString().toStdString();
        EXPECT_EQ(smsTexts(fileBox(h, kPcList, "InBox")), QStringList{"in"});
    }
    // A reload asked for from outside reads the file again.
    h.writeList(kPcList, {{"InBox", QVariantList{singleSms("9", "in", 5), singleSms("8", "new", 6)}}});
    h.notifications.post("ReLoadSMSPCList", nullptr, {});
    EXPECT_EQ(column(*h.controller, "mobilephone"), (QStringList{"9", "8"}));
}

TEST(SmsPage, LinksAreMarkedInTheShownText)
{
    SmsPageHarness h({{"SMS", QVariantMap{{"DisplayHyperlinkInSMS", true}}}},
                     pcOf({{"InBox", QVariantList{singleSms("1", "go to www.example.org now <b>", 1)}}}));
    SMSController &c = *h.controller;
    selectRows(c, {0});
    ASSERT_EQ(c.hyperlinksInSMS().size(), 1);
    EXPECT_EQ(c.hyperlinksInSMS().first(), (SmsLink{"www.example.org", 6, 15}));
    EXPECT_EQ(c.page()->messageText->toPlainText(), "go to www.example.org now <b>") << "the text itself is not markup";
    EXPECT_TRUE(c.page()->messageText->toHtml().contains("href=\"http://www.example.org\""));
    EXPECT_EQ(c.displayHyperlinkFromSMS(""), "");
}

TEST(SmsPage, CallSaveNumberAlertWindowAndGoingToTheInbox)
{
    SmsPageHarness h({}, pcOf({{"InBox", QVariantList{singleSms("100", "call me", 1, 1)}},
                              {"OutBox", QVariantList{singleSms("200", "sent", 2, 1)}}}));
    SMSController &c = *h.controller;
    SmsPageView &p = *c.page();
    QStringList calls;
    h.notifications.addObserver(&h.tabs, "makeCallWithPhoneNumber", nullptr,
                                [&calls](const yov::Notification &n) { calls << n.userInfo.value("makeCallWithPhoneNumber").toString(); });
    selectRows(c, {0});
    c.call();
    EXPECT_EQ(calls, QStringList{"100"});

    // The save-number pop-up: computer only without the device, the SIM too with it.
    c.loadSaveNumberBtnwithState(true);
    ASSERT_EQ(p.savePhonePopUp->count(), 3);
    selectRows(c, {0});
    p.savePhonePopUp->setCurrentIndex(2);
    c.savePhoneNumber();
    EXPECT_EQ(h.phonebook.newContacts, QStringList{"100@(U)SIM"});
    EXPECT_EQ(p.savePhonePopUp->currentIndex(), 0);
    p.savePhonePopUp->setCurrentIndex(0);
    c.savePhoneNumber();
    EXPECT_EQ(h.phonebook.newContacts.size(), 1) << "the title item saves nothing";

    // The page's own alert: in front, not modal; a missing second button is hidden.
    c.runAlertPanelAttributeStringTitle("Title", "<b>Body</b>", "OK", QString());
    EXPECT_TRUE(p.wndAlert_->isVisible());
    EXPECT_FALSE(p.wndAlert_->isModal());
    EXPECT_EQ(p.txtViewMsg_->toPlainText(), "Body");
    EXPECT_TRUE(p.txtViewMsg_->isReadOnly());
    EXPECT_TRUE(p.btnCancel_->isHidden());
    p.btnOK_->click();
    EXPECT_FALSE(p.wndAlert_->isVisible());

    // Going to the inbox from elsewhere: the tab and the inbox of the computer.
    choose(c, yov::sms::kPositionPc, yov::sms::kBoxOutBox);
    h.tabs.setCurrentIndex(0);
    c.GotoInbox();
    EXPECT_EQ(tabViewItemIdentifier(h.tabs.currentWidget()), "SMS");
    EXPECT_EQ(c.getCurrentBox(), yov::sms::kBoxInBox);
    EXPECT_EQ(column(c, "mobilephone"), QStringList{"100"});
}

TEST(SmsPage, TheUnreadHintOfTheSmartWindow)
{
    QVariantMap halfRead = concatSms("200", {"a", "b", "c"}, 3);
    QVariantList parts = halfRead.value("smsInfo").toList();
    QVariantMap first = parts.at(0).toMap();
    first.insert("stat", 1);
    parts[0] = first;
    halfRead.insert("smsInfo", parts);
    const QVariantMap inbox{{"InBox", QVariantList{singleSms("100", "a", 1), singleSms("300", "b", 2, 1), halfRead}}};
    for (const bool smart : {true, false}) {
        SmsPageHarness h({{"UIConfig", QVariantMap{{"SmartUI", smart}}}}, pcOf(inbox));
        h.controller->loadSmsList();
        EXPECT_EQ(h.skin.hint.text(), smart ? "3" : "") << "unread parts: one single, two of three";
        struct Case {
            QVariant offset;
            const char *shown;
        };
        for (const Case &t : {Case{2, "5"}, Case{"x", "5"}, Case{QVariant(), "5"}, Case{-5, ""}, Case{1, "1"}}) {
            QVariantMap info;
            if (t.offset.isValid())
                info.insert("OffSet", t.offset);
            h.notifications.post("RecieveNewSMSHint", nullptr, info);
            EXPECT_EQ(h.skin.hint.text(), smart ? t.shown : "") << t.offset.toString().toStdString();
        }
    }
}

namespace {

class FixedDial : public DefaultDialController {
public:
    int status = 3;
    int connectStatus() const override { return status; }
};

// A service that reports data-volume messages waiting where the test says.
class FlowValueService : public DefaultSmsService {
public:
    bool flowValueWaits = false;
    bool checkPos(int, int type) const override { return flowValueWaits && (type == 0 || type == 1); }
};

} // namespace

TEST(SmsPage, TheStatusItemAfterReadingAMessage)
{
    struct Case {
        const char *name;
        bool freshSwitch;
        bool connectSwitch;
        int unreadLeft; // unread messages besides the one selected
        bool flowValue;
        QStringList expected;
    };
    const Case cases[] = {
        {"switch off: the item is left alone", false, true, 0, false, {}},
        {"nothing unread, the connection's picture", true, true, 0, false, {"dial 3"}},
        {"nothing unread, the plain item", true, false, 0, false, {"SysStatusItem.PNG"}},
        {"an ordinary message still waits", true, true, 1, false, {"normal"}},
        {"a data-volume message still waits", true, true, 1, true, {"flow"}},
    };
    for (const Case &t : cases) {
        QVariantList inbox{singleSms("100", "first", 1)};
        for (int i = 0; i < t.unreadLeft; ++i)
            inbox << singleSms("200", "waiting", 2 + i);
        SmsPageHarness h({{"Main", QVariantMap{{"Main_FreshStatusView_NewSMSArrive", t.freshSwitch},
                                               {"Main_FreshStatusView_ConnectStatusChanged", t.connectSwitch}}}},
                         pcOf({{"InBox", inbox}}));
        FixedDial dial;
        FlowValueService service;
        service.flowValueWaits = t.flowValue;
        Neighbours::setDial(&dial);
        Neighbours::setSmsService(&service);
        SMSController &c = *h.controller;
        c.loadBoxinPCList();
        c.searchSMS();
        h.mainWindow.statusItem.clear();
        selectRows(c, {0});
        const QStringList told = h.mainWindow.statusItem;
        if (t.expected.isEmpty())
            EXPECT_TRUE(told.isEmpty()) << t.name << ": " << told.join(",").toStdString();
        else
            EXPECT_EQ(told.isEmpty() ? QString() : told.last(), t.expected.first()) << t.name << ": " << told.join(",").toStdString();
        Neighbours::setDial(nullptr);
        Neighbours::setSmsService(nullptr);
    }
}

TEST(SmsPage, TheWindowsOfNewMessagesAreBuiltWithTheirWords)
{
    SmsPageHarness h({});
    SMSController &c = *h.controller;
    SmsPageView &p = *c.page();
    EXPECT_EQ(p.SMSMsgText->window(), p.newSMSArriveMsg) << "the title line belongs to the new-message window";
    EXPECT_EQ(p.class0SMSContent->window(), p.class0ArriveWin);
    const struct {
        QWidget *control;
        QDialog *window;
        const char *text;
    } words[] = {
        {p.newSMSNotificationTitleLable, p.newSMSNotificationWnd, "New sms arrived!"},
        {p.newSMSNotificationFromLabel, p.newSMSNotificationWnd, "From:"},
        {p.newSMSNotificationContentLabel, p.newSMSNotificationWnd, "Content:"},
        {p.newSMSNotificationCloseBtn, p.newSMSNotificationWnd, "Close"},
        {p.newSMSNotificationReadBtn, p.newSMSNotificationWnd, "Read"},
        {p.specialSMSTitleLabel, p.specialSMSWnd, "New sms arrived!"},
        {p.specialSMSFromLabel, p.specialSMSWnd, "From:"},
        {p.specialSMSDateLabel, p.specialSMSWnd, "Date:"},
        {p.specialSMSContentLabel, p.specialSMSWnd, "Content:"},
        {p.specialSMSOKBtn, p.specialSMSWnd, "OK"},
        {c.simMaxCheckBox(), c.smsSimMaxWarningWin(), "Do not display this message again"},
    };
    for (const auto &w : words) {
        ASSERT_TRUE(w.control) << w.text;
        EXPECT_EQ(w.control->window(), w.window) << w.text;
        const QString shown = qobject_cast<QLabel *>(w.control) ? qobject_cast<QLabel *>(w.control)->text()
                                                                 : qobject_cast<QAbstractButton *>(w.control)->text();
        EXPECT_EQ(shown, w.text);
    }
    for (QDialog *window : {p.newSMSNotificationWnd, p.specialSMSWnd})
        EXPECT_FALSE(window->isVisible()) << "their roads open them";
}

TEST(SmsPage, TheSendButtonAndItemWhileTheRegistrationMessagesGoOut)
{
    SmsPageHarness h({}, pcOf({{"OutBox", QVariantList{singleSms("200", "y", 2, 1)}}}));
    SMSController &c = *h.controller;
    SmsPageView &p = *c.page();
    c.setSendSMSBtnStatWhenNewMessage();
    EXPECT_FALSE(p.SendMessageBtn->isEnabled()) << "no device";
    c.simReady({});
    c.setSendSMSBtnStatWhenNewMessage();
    EXPECT_TRUE(p.SendMessageBtn->isEnabled());
    choose(c, yov::sms::kPositionPc, yov::sms::kBoxOutBox);
    selectRows(c, {0});
    ASSERT_TRUE(p.menuItems[kSmsMenuSend]->isEnabled());

    h.mainWindow.sendingUserInfo = true;
    c.setSendSMSBtnStatWhenSendUserInfo(false);
    EXPECT_FALSE(p.SendMessageBtn->isEnabled());
    EXPECT_FALSE(p.menuItems[kSmsMenuSend]->isEnabled());
    h.mainWindow.sendingUserInfo = false;
    c.setSendSMSBtnStatWhenSendUserInfo(true);
    EXPECT_TRUE(p.SendMessageBtn->isEnabled());
    EXPECT_TRUE(p.menuItems[kSmsMenuSend]->isEnabled()) << "the selection offers it again";
    selectRows(c, {});
    c.setSendSMSBtnStatWhenSendUserInfo(true);
    EXPECT_FALSE(p.menuItems[kSmsMenuSend]->isEnabled()) << "nothing selected: nothing to send";

    c.setSMSInterfaceWhenSendSMSONBackGround();
    EXPECT_FALSE(p.SendMessageBtn->isEnabled());
    c.setSMSInterfaceWhenSendSMSInFront();
    EXPECT_TRUE(p.SendMessageBtn->isEnabled());
}
