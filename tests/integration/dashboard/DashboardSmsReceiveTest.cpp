// Receiving in the assembled dashboard against the stand-in: new messages and their windows,
// delivery reports, class-0 messages and cell broadcasts, each arriving as the modem reports it.
#include "DashboardFixture.h"

#include "common/PlistBridge.h"
#include "common/sms/SmsBoxCodes.h"
#include "common/sms/SmsListFiles.h"
#include "ostrel/framework/config/ConfigFileKeys.h"
#include "ostrel/framework/neighbours/NeighbourNotifications.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "ostrel/sms/page/SMSController.h"
#include "ostrel/sms/page/SmsBoxView.h"
#include "ostrel/sms/page/SmsPageView.h"
#include "ostrel/sms/page/SmsTableModel.h"
#include "ostrel/sms/service/SmsService.h"
#include "platform/NotificationCenter.h"
#include "support/TestPaths.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextEdit>

using namespace ostrel;
using namespace dashboard_test;

namespace {

// From the stand-in's codec tests: "Hi" from +31641600986 in class 0; a delivered report for
// +31641600986; a cell-broadcast page.
constexpr const char *kClass0Pdu = "07911326040000F0040B911346610089F600102080629173140802C834";
constexpr const char *kStatusPdu = "07911326040000F0062A0B911346610089F6208062917314082080629173240800";
constexpr const char *kBroadcastPdu = "001012340F1141801000000000000000";

const QString kLongText = QStringLiteral("This message is too long for one part: ").repeated(5);

class DashboardSmsReceiveTest : public DashboardFixture {
protected:
    SMSController *sms() const { return assembly_->smsController(); }
    SmsPageView *page() const { return sms()->page(); }
    QVariantList fileBox(const QString &key, const char *box) const
    {
        return yov::sms::readSmsListFile(config_->configFilePathOfKey(key)).value_or(QVariantMap()).value(QLatin1String(box)).toList();
    }
    bool ready()
    {
        if (!waitSimReady())
            return false;
        return QTest::qWaitFor([this] { return sms()->getNetCardStatus() == 12; }, kWaitMs);
    }
    bool deliver(const char *kind, const char *hex)
    {
        return control(QStringLiteral("DeliverPdu"), {QString::fromLatin1(kind), QString::fromLatin1(hex)}).type()
               == QDBusMessage::ReplyMessage;
    }
};

TEST_F(DashboardSmsReceiveTest, ATwoPartMessageOnTheSimIsAnnouncedOnceWithItsWholeText)
{
    setScenarioModem(QStringLiteral("Sms"), {{QStringLiteral("SimMessages"), QVariantList{}}, {QStringLiteral("StoreCode"), 1}});
    setSettings({{"SMS/newSMSNotification", true}, {"SMS/concatSMSOneNote", true}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(ready());
    ASSERT_EQ(control(QStringLiteral("DeliverText"), {QStringLiteral("+4917055501234"), kLongText}).type(),
              QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([this] { return page()->newSMSNotificationWnd->isVisible(); }, kWaitMs));
    EXPECT_EQ(page()->newSMSNotificationSenderText->text(), QStringLiteral("+4917055501234"));
    EXPECT_EQ(page()->newSMSNotificationContentText->toPlainText(), kLongText) << "the joined text";
    EXPECT_FALSE(page()->newSMSArriveMsg->isVisible());
    EXPECT_EQ(page()->New_SMS_From_Text->text(), QStringLiteral("+4917055501234"));
    EXPECT_FALSE(page()->New_SMS_Date_Text->text().isEmpty());
    EXPECT_TRUE(sms()->receiveHistory().isEmpty()) << "both parts counted";

    const QVariantList inbox = fileBox(configkeys::kCMSMSListOfSimFile, "InBox");
    ASSERT_EQ(inbox.size(), 1);
    EXPECT_TRUE(sms()->hasNewSMSInPos(yov::sms::kPositionSim));
    // The SIM inbox shows the message as new, with its two parts.
    sms()->GotoInbox();
    SmsTableModel *model = sms()->tableModel();
    ASSERT_EQ(model->rowCount(), 1);
    const QString stat = model->data(model->index(0, model->columnOfIdentifier("stat"))).toString();
    EXPECT_TRUE(stat.contains(QStringLiteral("2/2"))) << stat.toStdString();

    page()->newSMSNotificationCloseBtn->click();
    EXPECT_FALSE(page()->newSMSNotificationWnd->isVisible());
    EXPECT_TRUE(page()->newSMSNotificationContentText->toPlainText().isEmpty());
}

TEST_F(DashboardSmsReceiveTest, TheNotificationWindowShowsTheTextOfAMessageKeptOnTheComputer)
{
    setScenarioModem(QStringLiteral("Sms"), {{QStringLiteral("StoreCode"), 2}});
    setSettings({{"SMS/newSMSNotification", true}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(ready());
    ASSERT_EQ(control(QStringLiteral("DeliverText"), {QStringLiteral("+4917077"), QStringLiteral("one part only")}).type(),
              QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([this] { return page()->newSMSNotificationWnd->isVisible(); }, kWaitMs));
    // The content comes back from the reloaded computer inbox.
    EXPECT_EQ(page()->newSMSNotificationContentText->toPlainText(), QStringLiteral("one part only"));
    EXPECT_EQ(page()->newSMSNotificationSenderText->text(), QStringLiteral("+4917077"));
}

TEST_F(DashboardSmsReceiveTest, TheNewMessageWindowShowsTheSenderAndClosesByItself)
{
    setScenarioModem(QStringLiteral("Sms"), {{QStringLiteral("StoreCode"), 2}});
    setSettings({{"SMS/New_SMS_Close_time", 1}, {"UIConfig/SmartUI", true}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(ready());
    const int before = int(fileBox(configkeys::kCMSMSListOfPCFile, "InBox").size());
    ASSERT_EQ(control(QStringLiteral("DeliverText"), {QStringLiteral("+4917099"), QStringLiteral("short note")}).type(),
              QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([this] { return page()->newSMSArriveMsg->isVisible(); }, kWaitMs));
    EXPECT_EQ(page()->New_SMS_From_Text->text(), QStringLiteral("+4917099"));
    EXPECT_EQ(page()->SMSMsgText->text(), QStringLiteral("New sms arrived!"));
    EXPECT_TRUE(page()->newSMSArriveMsg->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(fileBox(configkeys::kCMSMSListOfPCFile, "InBox").size(), before + 1);
    EXPECT_TRUE(sms()->hasNewSMSInPos(yov::sms::kPositionPc));
    EXPECT_GE(sms()->smsHintOffset(), 1) << "the smart window's unread hint";
    EXPECT_FALSE(page()->Pic_newsms->isHidden()) << "the new-message picture";
    EXPECT_FALSE(page()->Pic_newsms->pixmap().isNull()) << "the picture is drawn";
    EXPECT_TRUE(sms()->newSmsAnimating());
    if (QWidget *window = mainWindow()) {
        window->showMinimized();
        EXPECT_TRUE(QTest::qWaitFor([this] { return !sms()->newSmsAnimating(); }, kWaitMs)) << "stopped while minimised";
        window->showNormal();
        EXPECT_TRUE(QTest::qWaitFor([this] { return sms()->newSmsAnimating(); }, kWaitMs)) << "again once restored";
    }
    if (QWidget *window = mainWindow()) {
        window->show();
        saveScreenshot(window, QStringLiteral("sms-new-message-main.png"));
        // The whole screen, to see the window over the main window (on a real display server).
        const QString path = testing_paths::screenshotPath(QStringLiteral("sms-new-message-screen.png"));
        if (!path.isEmpty() && QGuiApplication::primaryScreen())
            QGuiApplication::primaryScreen()->grabWindow(0).save(path);
    }
    saveScreenshot(page()->newSMSArriveMsg, QStringLiteral("sms-new-message.png"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !page()->newSMSArriveMsg->isVisible(); }, 5000)) << "closed after 1 s";
}

TEST_F(DashboardSmsReceiveTest, ADataVolumeMessageRaisesTheAlertAndIsCopiedToTheSim)
{
    const QVariantMap judge{{"FlowValueSMS_PhoneNumber", "999"}, {"FLowValueSMS_Bandbreite", "volume"},
                            {"FlowValueSMS_SeventyFivePercentKey", "75%"}, {"FlowValueSMS_OneHundredPercentKey1", "100%"}};
    setScenarioModem(QStringLiteral("Sms"), {{QStringLiteral("SimMessages"), QVariantList{}}, {QStringLiteral("StoreCode"), 2}});
    setSettings({{"SMS/SMS_CheckSmsIsFlowValueSms_ifNeeded", true}, {"SMS/SMS_FlowValueSMSJudegeConditions", judge}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(ready());
    QPushButton *alert = page()->btnFlowValueAlert_;
    EXPECT_TRUE(alert->isHidden()) << "no alert in force";

    ASSERT_EQ(control(QStringLiteral("DeliverText"), {QStringLiteral("999"), QStringLiteral("volume 75%")}).type(),
              QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([alert] { return !alert->isHidden(); }, kWaitMs));
    EXPECT_TRUE(alert->isEnabled());
    EXPECT_EQ(alert->toolTip(), QStringLiteral("volume 75%"));
    EXPECT_FALSE(alert->icon().isNull()) << "the 75 % image";
    // Kept on the computer, the message is copied to the SIM and read there.
    ASSERT_TRUE(QTest::qWaitFor([this] { return fileBox(configkeys::kCMSMSListOfSimFile, "InBox").size() == 1; }, kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !sms()->hasNewSMSInPos(yov::sms::kPositionSim); }, kWaitMs))
        << "the copy is marked read";

    ASSERT_EQ(control(QStringLiteral("DeliverText"), {QStringLiteral("999"), QStringLiteral("volume 100%")}).type(),
              QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([alert] { return alert->toolTip() == QLatin1String("volume 100%"); }, kWaitMs));
    EXPECT_EQ(sms()->flowAlertType(), SmsService::FlowValue100);
    sms()->notifyChangeTabViewItem(QStringLiteral("SMS"));
    if (QWidget *window = mainWindow()) {
        window->show();
        saveScreenshot(window, QStringLiteral("sms-flow-alert.png"));
    }
}

TEST_F(DashboardSmsReceiveTest, ThePopUpListAnnouncesAMessageAndOpenShowsItAsRead)
{
    setScenarioModem(QStringLiteral("Sms"), {{QStringLiteral("StoreCode"), 2}});
    setSettings({{"SMS/smsPopUpOfD3u", true}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(ready());
    QWidget *panel = page()->panelNewSmsArriveOfPop_Up;
    if (panel->isVisible()) // unread messages of the scenario's computer inbox
        sms()->closeNewSMSWindowOfPop_Up();
    ASSERT_EQ(control(QStringLiteral("DeliverText"), {QStringLiteral("+4917088"), QStringLiteral("meet at <b>six</b>")}).type(),
              QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([panel] { return panel->isVisible(); }, kWaitMs));
    EXPECT_TRUE(panel->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_FALSE(page()->newSMSArriveMsg->isVisible()) << "the pop-up list instead of the new-message window";
    EXPECT_EQ(panel->findChild<QLabel *>(QStringLiteral("tfdNewSmsSenderOfPop_Up"))->text(), QStringLiteral("+4917088"));
    EXPECT_EQ(panel->windowTitle(), QStringLiteral("New message"));
    saveScreenshot(panel, QStringLiteral("sms-pop-up.png"));

    page()->btnOpenOfPop_Up->click();
    QWidget *content = page()->winNewSmsContextOfPop_Up;
    ASSERT_TRUE(content->isVisible());
    auto *text = content->findChild<QLabel *>(QStringLiteral("tfdNewSmsContentTextOfPop_Up"));
    EXPECT_EQ(text->text(), QStringLiteral("meet at <b>six</b>"));
    EXPECT_EQ(text->textFormat(), Qt::PlainText) << "a message's text is not markup";
    EXPECT_EQ(content->findChild<QLabel *>(QStringLiteral("tfdNewSmsContentMobilePhoneOfPop_Up"))->text(), QStringLiteral("+4917088"));
    const auto readInFile = [this] {
        for (const QVariant &m : fileBox(configkeys::kCMSMSListOfPCFile, "InBox")) {
            const QVariantMap info = m.toMap().value(QStringLiteral("smsInfo")).toMap();
            if (info.value(QStringLiteral("messagetext")).toString() == QLatin1String("meet at <b>six</b>"))
                return info.value(QStringLiteral("stat")).toInt() == 1;
        }
        return false;
    };
    EXPECT_TRUE(QTest::qWaitFor(readInFile, kWaitMs)) << "marked read in the computer inbox";
    page()->btnNewSmsContentOK->click();
    EXPECT_FALSE(content->isVisible());
}

TEST_F(DashboardSmsReceiveTest, APurchaseAnswerOpensItsWindowAndItsButtonWritesToTheServer)
{
    // The purchase server is the SIM's own number, so what the window sends comes back.
    setScenarioModem(QStringLiteral("Sms"), {{QStringLiteral("SimMessages"), QVariantList{}}, {QStringLiteral("StoreCode"), 1}});
    setSettings({{"SMS/SMS_CheckSmsIsRechargeSms_ifNeeded", true},
                 {"SMS/New_SMS_Close_time", 0},
                 {"PurchargeBySMS/PurchargeBySMS_ServerNumber", "+491701234567"},
                 {"PurchargeBySMS/PurchargeBySMS_BroadbandRequire", "LIST"},
                 {"PurchargeBySMS/PurchargeBySMS_VolStatusResponse", "volume"}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(ready());
    ASSERT_EQ(control(QStringLiteral("DeliverText"), {QStringLiteral("+491701234567"), QStringLiteral("Your volume: 80% used")}).type(),
              QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([this] { return sms()->wndRecharge() && sms()->wndRecharge()->isVisible(); }, kWaitMs));
    QDialog *window = sms()->wndRecharge();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Check volume"));
    EXPECT_EQ(window->findChild<QLabel *>(QStringLiteral("labelOfPurchaseInfo_"))->text(), QStringLiteral("Your volume: 80% used"));
    auto *purchase = window->findChild<QPushButton *>(QStringLiteral("btnOfPurchaseInVolStatusWnd_"));
    auto *ok = window->findChild<QPushButton *>(QStringLiteral("btnOfOKInRechargeWnd_"));
    EXPECT_FALSE(purchase->isHidden());
    EXPECT_FALSE(window->findChild<QPushButton *>(QStringLiteral("btnOfCancelInRechargeWnd_"))->isHidden());
    EXPECT_TRUE(ok->isHidden());
    saveScreenshot(window, QStringLiteral("sms-purchase.png"));

    purchase->click();
    EXPECT_FALSE(window->isVisible());
    // The request reaches the server (here: comes back), and its answer is the last step: only OK.
    ASSERT_TRUE(QTest::qWaitFor([this] {
        for (const QVariant &m : fileBox(configkeys::kCMSMSListOfSimFile, "InBox"))
            if (m.toMap().value(QStringLiteral("smsInfo")).toMap().value(QStringLiteral("messagetext")) == QLatin1String("LIST"))
                return true;
        return false;
    }, kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor([window] { return window->isVisible(); }, kWaitMs));
    EXPECT_FALSE(ok->isHidden());
    EXPECT_TRUE(purchase->isHidden());
    ok->click();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(DashboardSmsReceiveTest, AMessageFromASpecialNumberHasItsOwnWindow)
{
    setScenarioModem(QStringLiteral("Sms"), {{QStringLiteral("SimMessages"), QVariantList{}}, {QStringLiteral("StoreCode"), 1}});
    setSettings({{"ShowSpecialSMS/showSMSFromSpecialNumbers", true},
                 {"ShowSpecialSMS/SpecialSMSNumbers", QVariantList{QStringLiteral("004915550001234")}}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(ready());
    // The last eight digits match.
    ASSERT_EQ(control(QStringLiteral("DeliverText"), {QStringLiteral("+4915550001234"), QStringLiteral("Your bill is ready")}).type(),
              QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([this] { return page()->specialSMSWnd->isVisible(); }, kWaitMs));
    EXPECT_FALSE(page()->newSMSArriveMsg->isVisible());
    EXPECT_EQ(page()->specialSMSSenderText->text(), QStringLiteral("+4915550001234"));
    EXPECT_EQ(page()->specialSMSContentTex->toPlainText(), QStringLiteral("Your bill is ready"));
    EXPECT_FALSE(page()->specialSMSTimeText->text().isEmpty());
    page()->specialSMSOKBtn->click();
    EXPECT_FALSE(page()->specialSMSWnd->isVisible());
    EXPECT_TRUE(page()->specialSMSContentTex->toPlainText().isEmpty());

    // Another sender is announced as usual.
    ASSERT_EQ(control(QStringLiteral("DeliverText"), {QStringLiteral("+4915550009999"), QStringLiteral("hello")}).type(),
              QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([this] { return page()->newSMSArriveMsg->isVisible(); }, kWaitMs));
    EXPECT_FALSE(page()->specialSMSWnd->isVisible());
}

TEST_F(DashboardSmsReceiveTest, AMessageFromALinkSenderOpensAnAlertWithItsLinks)
{
    setScenarioModem(QStringLiteral("Sms"), {{QStringLiteral("SimMessages"), QVariantList{}}, {QStringLiteral("StoreCode"), 1}});
    setSettings({{"SMS/DisplayHyperlinkForPhoneArray", QVariantList{QStringLiteral("+4917055")}}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(ready());
    ASSERT_EQ(control(QStringLiteral("DeliverText"), {QStringLiteral("+4917055"), QStringLiteral("Offers: www.example.org <now>")}).type(),
              QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([this] { return page()->wndAlert_->isVisible(); }, kWaitMs));
    EXPECT_FALSE(page()->newSMSArriveMsg->isVisible());
    EXPECT_EQ(page()->labelTitle_->text(), QStringLiteral("+4917055"));
    EXPECT_EQ(page()->txtViewMsg_->toPlainText(), QStringLiteral("Offers: www.example.org <now>"));
    EXPECT_TRUE(page()->txtViewMsg_->toHtml().contains(QStringLiteral("href=\"http://www.example.org\"")))
        << page()->txtViewMsg_->toHtml().toStdString();
    page()->btnOK_->click();
    EXPECT_FALSE(page()->wndAlert_->isVisible());
}

TEST_F(DashboardSmsReceiveTest, RechargeMessagesAreHandedToTheUssdWindow)
{
    setScenarioModem(QStringLiteral("Sms"), {{QStringLiteral("SimMessages"), QVariantList{}}, {QStringLiteral("StoreCode"), 1}});
    setSettings({{"SMS/SMS_SendUnreadRechargeSMSToUSSD_IfNeeded", true},
                 {"USSD/USSD_ServerNumber_WhenRecharge", "+4917022"},
                 {"SMS/New_SMS_Close_time", 0}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(ready());
    QObject watcher;
    QList<QStringList> posted;
    sms()->notificationCenter().addObserver(&watcher, QString(notifications::kPassRechargeSMS), nullptr,
                                            [&posted](const yov::Notification &n) {
                                                posted << n.userInfo.value(QString(notifications::kRechargeSMSKey)).toStringList();
                                            });
    ASSERT_EQ(control(QStringLiteral("DeliverText"), {QStringLiteral("+4917033"), QStringLiteral("not the server")}).type(),
              QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([this] { return page()->newSMSArriveMsg->isVisible(); }, kWaitMs));
    EXPECT_TRUE(posted.isEmpty()) << "another sender is not handed over";
    ASSERT_EQ(control(QStringLiteral("DeliverText"), {QStringLiteral("+4917022"), QStringLiteral("Recharged 10 EUR")}).type(),
              QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([&posted] { return !posted.isEmpty(); }, kWaitMs));
    EXPECT_EQ(posted.last(), QStringList{QStringLiteral("Recharged 10 EUR")});
    EXPECT_EQ(sms()->getUnreadRechargeSMS(), QStringList{QStringLiteral("Recharged 10 EUR")});
}

TEST_F(DashboardSmsReceiveTest, AStatusReportOpensTheReportWindowAndFillsTheBox)
{
    setSettings({{"SMS/isHaveDeliveryReportBox", true}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(ready());
    ASSERT_TRUE(deliver("status", kStatusPdu));
    ASSERT_TRUE(QTest::qWaitFor([this] { return page()->Win_SMSReport->isVisible(); }, kWaitMs));
    EXPECT_TRUE(page()->SMSReportText->text().startsWith(QStringLiteral("Successful to send message(s) to:")))
        << page()->SMSReportText->text().toStdString();
    EXPECT_TRUE(page()->SMSReportText->text().contains(QStringLiteral("+31641600986")));
    saveScreenshot(page()->Win_SMSReport, QStringLiteral("sms-report.png"));
    ASSERT_EQ(sms()->deliveryReports().size(), 1);
    const auto file = yov::PlistBridge::readFile(config_->configFilePathOfKey(configkeys::kCMSMSListOfReportBoxFile));
    ASSERT_TRUE(file.has_value());
    ASSERT_EQ(file->toList().size(), 1);
    EXPECT_EQ(file->toList().first().toMap().value("mobilephone").toString(), QStringLiteral("+31641600986"));
    page()->SMSReportOKBtn->click();
    EXPECT_FALSE(page()->Win_SMSReport->isVisible());
}

TEST_F(DashboardSmsReceiveTest, TheReportBoxShowsReportsUnreadAndDeletesThem)
{
    setSettings({{"SMS/isHaveDeliveryReportBox", true},
                 {"SMS/boxOrder", QVariantMap{{"InBox", 0}, {"OutBox", 1}, {"DraftBox", 2}, {"DELIVERY_REPORTBOX", 3}}}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(ready());
    ASSERT_TRUE(deliver("status", kStatusPdu));
    ASSERT_TRUE(QTest::qWaitFor([this] { return page()->Win_SMSReport->isVisible(); }, kWaitMs));
    page()->SMSReportOKBtn->click();

    sms()->notifyChangeTabViewItem(QStringLiteral("SMS"));
    SmsBoxView *view = sms()->boxView();
    ASSERT_TRUE(view->saveAtPos->selectCellAtRow(sms()->yovPositionManager().getPositionOrderByPositon(yov::sms::kPositionPc)));
    sms()->selectSaveAt();
    ASSERT_TRUE(view->msgBoxSelectAt->selectCellAtRow(sms()->getBoxDisplayOrderWithBox(yov::sms::kBoxDeliveryReport)));
    sms()->msgBoxSelect();
    ASSERT_TRUE(sms()->isPcDeliveryReportBox());
    SmsTableModel *model = sms()->tableModel();
    ASSERT_EQ(model->rowCount(), 1);
    EXPECT_EQ(model->data(model->index(0, model->columnOfIdentifier("mobilephone"))).toString(), QStringLiteral("+31641600986"));
    EXPECT_EQ(model->data(model->index(0, model->columnOfIdentifier("stat"))).toString(), QStringLiteral("New"));
    if (QWidget *window = mainWindow()) {
        window->show();
        saveScreenshot(window, QStringLiteral("sms-report-box.png"));
    }

    page()->msgBoxList->selectRow(0);
    presenter_.pressNext(testing_support::ScriptedAlertPresenter::Default);
    page()->deleteBtn->click();
    ASSERT_TRUE(QTest::qWaitFor([model] { return model->rowCount() == 0; }, kWaitMs));
    const auto file = yov::PlistBridge::readFile(config_->configFilePathOfKey(configkeys::kCMSMSListOfReportBoxFile));
    ASSERT_TRUE(file.has_value());
    EXPECT_TRUE(file->toList().isEmpty());
}

TEST_F(DashboardSmsReceiveTest, AClassZeroMessageIsShownAndNotStored)
{
    setScenarioModem(QStringLiteral("Sms"), {{QStringLiteral("SimMessages"), QVariantList{}}, {QStringLiteral("StoreCode"), 1}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(ready());
    const QVariantList simBefore = fileBox(configkeys::kCMSMSListOfSimFile, "InBox");
    const QVariantList pcBefore = fileBox(configkeys::kCMSMSListOfPCFile, "InBox");
    ASSERT_TRUE(deliver("deliver", kClass0Pdu));
    ASSERT_TRUE(QTest::qWaitFor([this] { return page()->class0ArriveWin->isVisible(); }, kWaitMs));
    const QString shown = page()->class0SMSContent->toPlainText();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Hi")) && shown.endsWith(QStringLiteral("From:+31641600986"))) << shown.toStdString();
    EXPECT_EQ(page()->class0ArriveWin->windowTitle(), QStringLiteral("Message"));
    EXPECT_EQ(fileBox(configkeys::kCMSMSListOfSimFile, "InBox"), simBefore);
    EXPECT_EQ(fileBox(configkeys::kCMSMSListOfPCFile, "InBox"), pcBefore);
    page()->class0OkBtn->click();
    EXPECT_FALSE(page()->class0ArriveWin->isVisible());
}

TEST_F(DashboardSmsReceiveTest, ABroadcastReachesTheBroadcastPanel)
{
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(ready());
    QObject watcher;
    QStringList posted;
    sms()->notificationCenter().addObserver(&watcher, QString(notifications::kReceiveBroadCast), nullptr,
                                            [&posted](const yov::Notification &n) {
                                                posted << n.userInfo.value(QString(notifications::kReceiveBroadCastText)).toString();
                                            });
    ASSERT_TRUE(deliver("broadcast", kBroadcastPdu));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !posted.isEmpty(); }, kWaitMs));
    ASSERT_FALSE(posted.first().isEmpty());
    QLabel *panelText = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        for (QWidget *w : QApplication::allWidgets())
            if (w->objectName() == QLatin1String("tfdBroadCast") && w->isVisible())
                panelText = qobject_cast<QLabel *>(w);
        return panelText != nullptr;
    }, kWaitMs));
    EXPECT_EQ(panelText->text(), posted.first());
}

TEST_F(DashboardSmsReceiveTest, AMessageToTheOwnNumberComesBackAndItsReportFollows)
{
    setScenarioModem(QStringLiteral("Sms"), {{QStringLiteral("SimMessages"), QVariantList{}}, {QStringLiteral("StoreCode"), 1}});
    setSettings({{"SwitchDeliveryReport", true}, {"SMS/New_SMS_Close_time", 0}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(ready());
    sms()->notifyChangeTabViewItem(QStringLiteral("SMS"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return page()->newMessageBtn->isEnabled(); }, kWaitMs));
    page()->newMessageBtn->click();
    ASSERT_TRUE(page()->messageWindow->isVisible());
    QTest::keyClicks(page()->sendMessageTo, QStringLiteral("+491701234567"));
    page()->sendMessageText->setFocus();
    QTest::keyClicks(page()->sendMessageText, QStringLiteral("to myself"));
    page()->SendMessageBtn->click();
    ASSERT_TRUE(QTest::qWaitFor([this] { return page()->newSMSArriveMsg->isVisible(); }, kWaitMs));
    EXPECT_EQ(page()->New_SMS_From_Text->text(), QStringLiteral("+491701234567"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return page()->Win_SMSReport->isVisible(); }, kWaitMs));
    EXPECT_TRUE(page()->SMSReportText->text().contains(QStringLiteral("Successful to send message(s) to:")));
    const QVariantList inbox = fileBox(configkeys::kCMSMSListOfSimFile, "InBox");
    ASSERT_FALSE(inbox.isEmpty());
}

} // namespace
