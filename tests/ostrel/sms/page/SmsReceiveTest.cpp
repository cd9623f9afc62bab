// The page's receive road over the in-process transport: which window a new message opens, the
// automatic close, reports, class-0 messages, broadcasts and the operator's service messages.
#include "SmsPageHarness.h"

#include "common/records/sms/SmsRecords.h"
#include "ostrel/framework/config/ConfigFileKeys.h"
#include "ostrel/framework/controller/AlertSounds.h"
#include "ostrel/framework/language/WordingOperation.h"
#include "ostrel/framework/neighbours/NeighbourNotifications.h"
#include "ostrel/sms/service/SmsService.h"
#include "platform/sound/SoundBackend.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QTextEdit>

using namespace sms_page_test;
using yov::MSG_REV_NEW_SMS_RES_PARA_T;

namespace {

struct SoundLog {
    int plays = 0;
    bool playing = false;
};

class CountingSound final : public yov::SoundBackend {
public:
    explicit CountingSound(std::shared_ptr<SoundLog> log) : log_(std::move(log)) {}
    void preload(const QString &) override {}
    bool play(const QString &) override
    {
        ++log_->plays;
        return log_->playing = true;
    }
    void stop() override { log_->playing = false; }
    bool isPlaying() const override { return log_->playing; }

private:
    std::shared_ptr<SoundLog> log_;
};

QByteArray newSms(const QString &sender, const QString &text, int storage = yov::kSmsStoredSim)
{
    MSG_REV_NEW_SMS_RES_PARA_T r;
    r.storage = storage;
    r.sender = sender;
    r.text = text;
    r.timeStamp = QStringLiteral("42502051943040");
    return r.encode().value();
}

QVariantMap inboxEntry(const QString &number, const QString &text, int stat, const QDateTime &date)
{
    const QVariantMap part{{"mobilephone", number}, {"messagetext", text}, {"stat", stat}, {"date", date}, {"index", 0}};
    return {{"concatSmsFlag", false}, {"smsInfo", part}};
}

class SmsReceiveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sound = std::make_shared<SoundLog>();
        AlertSounds::shared().setBackend(std::make_unique<CountingSound>(sound));
        AlertSounds::shared().setBlocker([](int) {});
    }
    void TearDown() override
    {
        AlertSounds::shared().setBlocker({});
        AlertSounds::shared().setBackend(std::make_unique<CountingSound>(std::make_shared<SoundLog>()));
    }
    static QVariantMap withSound(QVariantMap settings)
    {
        settings.insert(AlertSounds::soundKeySet().at(2), QStringLiteral("sms.wav"));
        return settings;
    }
    std::shared_ptr<SoundLog> sound;
};

} // namespace

TEST_F(SmsReceiveTest, EveryReceivedRecordHasItsHandler)
{
    QList<int> minors;
    for (const SMSController::MessageRow &row : SMSController::smsMessageRows()) {
        EXPECT_TRUE(row.method) << row.minor;
        minors << row.minor;
    }
    EXPECT_EQ(minors, (QList<int>{90, 91, 92, 94, 100, 97, 98, 99, 93, 103, 109, 105, 112, 113, 114, 96, 101}));
}

TEST_F(SmsReceiveTest, TheConfigurationChoosesTheWindowOfANewMessage)
{
    struct Case {
        const char *name;
        QVariantMap settings;
        const char *sender;
        const char *window; // the visible one; "" for none
        bool sound;
        bool topUp;
    } cases[] = {
        {"default", {}, "100", "newSMSArriveMsg", true, false},
        {"notification", {{"SMS", QVariantMap{{"newSMSNotification", true}}}}, "100", "newSMSNotificationWnd", true, false},
        {"no window", {{"SMS", QVariantMap{{"noNewSMSTipWnd", true}}}}, "100", "", true, false},
        {"pop-up list", {{"SMS", QVariantMap{{"smsPopUpOfD3u", true}}}}, "100", "panelNewSmsArriveOfPop_Up", true, false},
        {"special number",
         {{"ShowSpecialSMS", QVariantMap{{"showSMSFromSpecialNumbers", true}, {"SpecialSMSNumbers", QVariantList{"0049555123"}}}}},
         "+49555123", "specialSMSWnd", true, false},
        {"not a special number",
         {{"ShowSpecialSMS", QVariantMap{{"showSMSFromSpecialNumbers", true}, {"SpecialSMSNumbers", QVariantList{"0049555123"}}}}},
         "+49555999", "newSMSArriveMsg", true, false},
        {"top-up rule",
         {{"ShowSpecialSMS", QVariantMap{{"showSMSFromSpecialNumbers", true}, {"SpecialSMSNumbers", QVariantList{"555123"}}}},
          {"KenyaDedeviKV408", QVariantMap{{"ShowSMSNotification", false}}}},
         "555123", "", true, true},
        {"link sender", {{"SMS", QVariantMap{{"DisplayHyperlinkForPhoneArray", QVariantList{"200"}}}}}, "200", "wndAlert_", true, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        sound->plays = 0;
        SmsPageHarness h(withSound(c.settings));
        QVariantList bundles;
        QObject watcher;
        h.notifications.addObserver(&watcher, QString(notifications::kUSSDBundleMessage), nullptr,
                                    [&bundles](const yov::Notification &n) { bundles << n.userInfo; });
        h.deliver(100, newSms(QString::fromLatin1(c.sender), "see www.example.org"), 0);
        SmsPageView *p = h.controller->page();
        QStringList visible;
        for (QWidget *w : {static_cast<QWidget *>(p->newSMSArriveMsg), static_cast<QWidget *>(p->newSMSNotificationWnd),
                           static_cast<QWidget *>(p->panelNewSmsArriveOfPop_Up), static_cast<QWidget *>(p->specialSMSWnd),
                           static_cast<QWidget *>(p->wndAlert_)})
            if (w->isVisible())
                visible << w->objectName();
        EXPECT_EQ(visible, *c.window ? QStringList{c.window} : QStringList{});
        EXPECT_EQ(sound->plays > 0, c.sound);
        ASSERT_EQ(bundles.size(), c.topUp ? 1 : 0);
        if (c.topUp) {
            const QVariantMap info = bundles.first().toMap();
            EXPECT_EQ(info.value("Action"), "TopUpSMS");
            EXPECT_EQ(info.value("SMSTel"), "555123");
            EXPECT_EQ(info.value("SMSContents"), "see www.example.org");
            EXPECT_EQ(info.value("IsUniSMS"), false);
        }
    }
}

TEST_F(SmsReceiveTest, TheNewMessageWindowClosesByItself)
{
    struct Case {
        const char *name;
        QVariantMap sms;
        int closesAfterMs; // 0: never
    } cases[] = {{"missing", {}, 5000}, {"zero", {{"New_SMS_Close_time", 0}}, 0}, {"two", {{"New_SMS_Close_time", 2}}, 2000}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SmsPageHarness h(withSound({{"SMS", c.sms}}));
        QDialog *window = h.controller->page()->newSMSArriveMsg;
        h.deliver(100, newSms("100", "one"), 0);
        ASSERT_TRUE(window->isVisible());
        EXPECT_TRUE(window->testAttribute(Qt::WA_ShowWithoutActivating));
        EXPECT_EQ(h.controller->page()->New_SMS_Name_Text->text(), "Ann");
        if (c.closesAfterMs == 0) {
            h.clock.advance(60000);
            EXPECT_TRUE(window->isVisible());
            continue;
        }
        h.clock.advance(c.closesAfterMs - 1000);
        // A second message restarts the time.
        h.deliver(100, newSms("200", "two"), 0);
        h.clock.advance(999);
        EXPECT_TRUE(window->isVisible());
        h.clock.advance(c.closesAfterMs - 999);
        EXPECT_FALSE(window->isVisible());
        EXPECT_FALSE(sound->playing);
    }
}

TEST_F(SmsReceiveTest, AMessageTooLongForTheSimIsReadFromTheComputer)
{
    const QDateTime date(QDate(2024, 5, 1), QTime(9, 0), Qt::UTC);
    SmsPageHarness h(withSound({{"SMS", QVariantMap{{"newSMSNotification", true}}}}),
                     {{kPcList, QVariantMap{{"InBox", QVariantList{inboxEntry("100", "stored on the computer", 0, date)}}}}});
    h.deliver(100, newSms("100", "stored on the computer", yov::kSmsStoredPcSimFull), 0);
    EXPECT_EQ(h.controller->simMaxText()->text(), "New message is too long, and will be saved in PC!");
    EXPECT_EQ(h.controller->getNewArriveSMSContent(), "stored on the computer");
    EXPECT_EQ(h.controller->page()->newSMSNotificationContentText->toPlainText(), "stored on the computer");
}

TEST_F(SmsReceiveTest, ReportsAreAcknowledgedNewestFirstAndKeptInTheBox)
{
    SmsPageHarness h(withSound({{"SMS", QVariantMap{{"isHaveDeliveryReportBox", true},
                                                    {"boxOrder", QVariantMap{{"InBox", 0}, {"OutBox", 1}, {"DraftBox", 2},
                                                                             {"DELIVERY_REPORTBOX", 3}}}}}}));
    for (const char *number : {"100", "200", "300"})
        h.deliver(99, yov::SmsStatusReport{yov::SmsStatusReport::kDelivered, number, "42502051943040"}.encode(), 0);
    SmsPageView *p = h.controller->page();
    QStringList shown;
    while (p->Win_SMSReport->isVisible() && shown.size() < 5) {
        shown << p->SMSReportText->text().section(':', 1).section(' ', 0, 0);
        p->SMSReportOKBtn->click();
    }
    EXPECT_EQ(shown, (QStringList{"300", "Bob", "Ann"}));
    ASSERT_EQ(h.controller->deliveryReports().size(), 3);
    EXPECT_EQ(h.controller->deliveryReports().first().receiveMobilephone(), "300") << "newest first";

    // The box: the status-0 wording until read, the name, the date.
    choose(*h.controller, yov::sms::kPositionPc, yov::sms::kBoxDeliveryReport);
    EXPECT_TRUE(h.controller->isPcDeliveryReportBox());
    SmsTableModel *model = h.controller->tableModel();
    ASSERT_EQ(model->rowCount(), 3);
    const QString newWord = WordingOperation::getDisplayWordingValueByWordingKey("SMS_tableColumnStat_NewSmsState");
    EXPECT_EQ(model->data(model->index(1, model->columnOfIdentifier("stat"))).toString(), newWord);
    EXPECT_EQ(model->data(model->index(1, model->columnOfIdentifier("username"))).toString(), "Bob");
    selectRows(*h.controller, {1});
    EXPECT_EQ(model->data(model->index(1, model->columnOfIdentifier("stat"))).toString(), QString());
    EXPECT_EQ(p->messageText->toPlainText(), "Successful to send message(s) to:200");

    // Deleting the first and third keeps the second, in the list and in the file.
    selectRows(*h.controller, {0, 2});
    h.controller->deleteMessage(nullptr);
    QCoreApplication::processEvents(); // the confirmation answers
    ASSERT_EQ(h.controller->deliveryReports().size(), 1);
    const auto file = yov::PlistBridge::readFile(h.dir.filePath(yov::sms::kSmsReportsBoxFileName));
    ASSERT_TRUE(file && file->toList().size() == 1);
    EXPECT_EQ(file->toList().first().toMap().value("mobilephone"), "200");
    EXPECT_EQ(file->toList().first().toMap().value("stat").toInt(), 1);
}

TEST_F(SmsReceiveTest, TheReportWindowStaysShutWhenTheBoxIsEnoughAndFailuresSaySo)
{
    SmsPageHarness h(withSound({{"SMS", QVariantMap{{"isHaveDeliveryReportBox", true},
                                                    {"SMS_NotShowSMSReportWnd_WhenHasReportBox", true}}}}));
    h.deliver(99, yov::SmsStatusReport{yov::SmsStatusReport::kFailed, "100", "42502051943040"}.encode(), 0);
    EXPECT_FALSE(h.controller->page()->Win_SMSReport->isVisible());
    EXPECT_TRUE(h.controller->page()->SMSReportText->text().startsWith("Fail to send message(s) to:Ann"));
    ASSERT_EQ(h.controller->deliveryReports().size(), 1);
    EXPECT_EQ(h.controller->deliveryReports().first().reportText(), "Failed to send message(s) to:100");
    EXPECT_TRUE(h.controller->deliveryReportList().isEmpty()) << "nothing waits for an OK that never comes";
    // A report of the wrong type is ignored.
    h.deliver(99, yov::SmsStatusReport{yov::SmsStatusReport::kFailed, "100", "42502051943040"}.encode(), 1);
    EXPECT_EQ(h.controller->deliveryReports().size(), 1);
}

TEST_F(SmsReceiveTest, ClassZeroAndBroadcasts)
{
    SmsPageHarness h(withSound({{"SMS", QVariantMap{{"Sms_SaveBroadCastAsSMS_IfNeeded", true}}}}));
    SmsService service(h.store.get(), &h.clock);
    h.deliver(98, yov::SmsClass0Report{"flash", "+4917"}.encode().value(), 0);
    EXPECT_TRUE(h.controller->page()->class0ArriveWin->isVisible());
    EXPECT_EQ(h.controller->page()->class0SMSContent->toPlainText().remove('\r'), "flash\nFrom:+4917");
    EXPECT_FALSE(QFile::exists(h.dir.filePath(kPcList))) << "nothing stored";

    QStringList posted;
    QObject watcher;
    h.notifications.addObserver(&watcher, QString(notifications::kReceiveBroadCast), nullptr, [&posted](const yov::Notification &n) {
        posted << n.userInfo.value(QString(notifications::kReceiveBroadCastText)).toString();
    });
    h.deliver(105, yov::SmsBroadcastReport{"4660", "cell news"}.encode(), 1, 0);
    EXPECT_EQ(posted, QStringList{"cell news"});
    // Saved in the broadcast box, although there was no computer file.
    EXPECT_EQ(fileBox(h, kPcList, "BroadCastBox").size(), 1);
    // A failed broadcast is only logged.
    h.deliver(105, yov::SmsBroadcastReport{"4660", "failed"}.encode(), 1, 1);
    EXPECT_EQ(posted.size(), 1);
}

TEST_F(SmsReceiveTest, RechargeMessagesGoToTheUssdWindowOldestFirst)
{
    const QDateTime early(QDate(2024, 5, 1), QTime(9, 0), Qt::UTC);
    const QVariantMap lists{{kPcList, QVariantMap{{"InBox", QVariantList{inboxEntry("777", "second", 0, early.addSecs(60)),
                                                                        inboxEntry("777", "read", 1, early.addSecs(30)),
                                                                        inboxEntry("888", "other", 0, early)}}}},
                            {kSimList, QVariantMap{{"InBox", QVariantList{inboxEntry("777", "first", 0, early)}}}}};
    for (const bool server : {true, false}) {
        SCOPED_TRACE(server);
        QVariantMap settings{{"SMS", QVariantMap{{"SMS_SendUnreadRechargeSMSToUSSD_IfNeeded", true}}}};
        if (server)
            settings.insert("USSD", QVariantMap{{"USSD_ServerNumber_WhenRecharge", "777"}});
        SmsPageHarness h(withSound(settings), lists);
        QList<QStringList> passed;
        QObject watcher;
        h.notifications.addObserver(&watcher, QString(notifications::kPassRechargeSMS), nullptr, [&passed](const yov::Notification &n) {
            passed << n.userInfo.value(QString(notifications::kRechargeSMSKey)).toStringList();
        });
        h.deliver(100, newSms("777", "second", yov::kSmsStoredPc), 0);
        if (server) {
            ASSERT_EQ(passed.size(), 1);
            EXPECT_EQ(passed.first(), (QStringList{"first", "second"}));
        } else {
            EXPECT_TRUE(passed.isEmpty());
        }
    }
}

TEST_F(SmsReceiveTest, ThePurchaseWindowOffersWhatItsStepAsksFor)
{
    SmsPageHarness h(withSound({}));
    SmsService service(h.store.get(), &h.clock);
    service.setProcessListOfRecharge({{"PurchargeBySMS_ServerNumber", "444"}, {"PurchargeBySMS_BroadbandRequire", "LIST"}});
    struct Case {
        const char *step;
        QStringList shown;
    } cases[] = {
        {"PurchargeBySMS_VolStatusResponse", {"btnOfPurchaseInVolStatusWnd_", "btnOfCancelInRechargeWnd_"}},
        {"PurchargeBySMS_BroadBandResponse", {"btnOfPurchaseInPartnerWnd_", "btnOfCancelInRechargeWnd_", "combOfPurchaseList_"}},
        {"PurchargeBySMS_PurchasePresponse", {"btnOfConfirmInPurchaseWnd_", "btnOfCancelInRechargeWnd_"}},
        {"PurchargeBySMS_ConfirmPurchaseResponse", {"btnOfOKInRechargeWnd_"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.step);
        service.setProcessOfRechargeBySMS(c.step);
        service.setPurchaseSMSContent("answer text");
        h.controller->setPurchaseWndProperty();
        QDialog *window = h.controller->wndRecharge();
        QStringList shown;
        for (QWidget *w : window->findChildren<QWidget *>())
            if (!w->isHidden() && (qobject_cast<QPushButton *>(w) || qobject_cast<QComboBox *>(w)))
                shown << w->objectName();
        shown.sort();
        QStringList expected = c.shown;
        expected.sort();
        EXPECT_EQ(shown, expected);
        EXPECT_EQ(window->findChild<QLabel *>("labelOfPurchaseInfo_")->text(), "answer text");
    }
    // A partner purchase with an empty list sends nothing and closes.
    service.setProcessOfRechargeBySMS("PurchargeBySMS_BroadBandResponse");
    service.setPurchaseSMSContent(QString());
    h.controller->setPurchaseWndProperty();
    h.controller->wndRecharge()->show();
    QPushButton *partner = h.controller->wndRecharge()->findChild<QPushButton *>("btnOfPurchaseInPartnerWnd_");
    partner->click();
    EXPECT_FALSE(h.controller->wndRecharge()->isVisible());
    EXPECT_EQ(h.sentCount(yov::smsmsg::kMinorSend), 0);
}

TEST_F(SmsReceiveTest, ThePopUpListShowsTheFirstUnreadAndOpenMarksTheRightMessage)
{
    const QDateTime d(QDate(2024, 5, 1), QTime(9, 0), Qt::UTC);
    const auto mine = [](QVariantMap m, const char *imsi) {
        m.insert("IMSI", imsi);
        return m;
    };
    // The computer inbox as the file holds it; the page shows only the current SIM's messages.
    const QVariantList inbox{mine(inboxEntry("300", "other SIM", 0, d), "111"), mine(inboxEntry("100", "first unread", 0, d.addSecs(60)), "222"),
                             mine(inboxEntry("200", "read", 1, d.addSecs(120)), "222"),
                             mine(inboxEntry("200", "second unread", 0, d.addSecs(180)), "222")};
    SmsPageHarness h(withSound({{"SMS", QVariantMap{{"smsPopUpOfD3u", true}, {"displayPCSMSByIMSI", true}}}, {"IMSI", "222"}}),
                     {{kPcList, QVariantMap{{"InBox", inbox}}}});
    h.deliver(94, yov::SmsListState{yov::SmsListState::kReady}.encode());
    const QList<SMSController::PopUpEntry> list = h.controller->popUpList();
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list.last().phone, "100") << "the last entry is the first unread message of the inbox";
    EXPECT_EQ(list.first().phone, "200");
    SmsPageView *p = h.controller->page();
    ASSERT_TRUE(p->panelNewSmsArriveOfPop_Up->isVisible());
    EXPECT_TRUE(p->panelNewSmsArriveOfPop_Up->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(p->panelNewSmsArriveOfPop_Up->findChild<QLabel *>("tfdNewSmsSenderOfPop_Up")->text(), "Ann");

    p->btnOpenOfPop_Up->click();
    const auto reads = h.decodedRecords<yov::SmsReadRequest>(yov::smsmsg::kMinorRead);
    ASSERT_EQ(reads.size(), 1);
    EXPECT_EQ(reads.first().position, 0);
    EXPECT_EQ(reads.first().index, 1) << "the message's index in the file, not its place in the shown list";
    EXPECT_EQ(p->winNewSmsContextOfPop_Up->findChild<QLabel *>("tfdNewSmsContentTextOfPop_Up")->text(), "first unread");
    EXPECT_TRUE(p->panelNewSmsArriveOfPop_Up->isVisible()) << "one entry left";
    EXPECT_EQ(h.controller->popUpList().size(), 1);
}

TEST_F(SmsReceiveTest, DataVolumeMessagesRaiseTheirAlertOnceAndAreCopiedToTheSim)
{
    const QVariantMap judge{{"FlowValueSMS_PhoneNumber", "999"}, {"FLowValueSMS_Bandbreite", "volume"},
                            {"FlowValueSMS_SeventyFivePercentKey", "75%"}, {"FlowValueSMS_OneHundredPercentKey1", "100%"}};
    const QVariantMap settings{{"SMS", QVariantMap{{"SMS_CheckSmsIsFlowValueSms_ifNeeded", true}, {"SMS_FlowValueSMSJudegeConditions", judge}}}};
    struct Case {
        const char *name;
        QStringList texts;
        QStringList icons;
    } cases[] = {{"75 then 100", {"volume 75%", "volume 100%"}, {"flow75.png", "flow100.png"}},
                 {"100 then 75", {"volume 100%", "volume 75%"}, {"flow100.png"}}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SmsPageHarness h(withSound(settings));
        SmsService service(h.store.get(), &h.clock);
        QStringList icons;
        service.setApplicationIconHook([&icons](const QString &image) { icons << image; });
        for (const QString &text : c.texts)
            h.deliver(100, newSms("999", text, yov::kSmsStoredSim), 0);
        EXPECT_EQ(icons, c.icons);
        EXPECT_EQ(h.controller->flowAlertText(), "volume 100%") << "the alert in force";
        EXPECT_EQ(h.sentCount(yov::smsmsg::kMinorCopy), 0) << "a message on the SIM is not copied";
    }

    // Stored on the computer: copied to the SIM, then marked read there.
    SmsPageHarness h(withSound(settings)); // a settings file without FlowValueSmsInfo
    SmsService service(h.store.get(), &h.clock);
    h.controller->setNetCardStatus(12);
    h.deliver(100, newSms("999", "volume 75%", yov::kSmsStoredPc), 0);
    const auto copies = h.decodedRecords<yov::SmsCopyRequest>(yov::smsmsg::kMinorCopy);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(copies.first(), (yov::SmsCopyRequest{0, 0, 0, 1}));
    h.deliver(92, QByteArray(1, '\0'), 1, 0);
    const auto reads = h.decodedRecords<yov::SmsReadRequest>(yov::smsmsg::kMinorRead);
    ASSERT_EQ(reads.size(), 1);
    EXPECT_EQ(reads.first().position, 1);
    EXPECT_EQ(reads.first().index, 0);
    EXPECT_EQ(service.smsCurrentOperate(), 0);
}

TEST_F(SmsReceiveTest, AUsageReplyIsShownForAMinuteInsteadOfBeingAnnounced)
{
    SmsPageHarness h(withSound({{"SMS", QVariantMap{{"NoShowNewSMSWndWithCertainContent", true},
                                                    {"SpecialSMS", QVariantMap{{"TO_NUMBER", "321"}, {"SearchKey", "usage"}}}}}}));
    SmsService service(h.store.get(), &h.clock);
    service.setBAlreadySendedCheckUsageSMS(true);
    h.tabs.setCurrentIndex(1);
    h.deliver(100, newSms("321", "Your usage: 2 GB"), 0);
    EXPECT_FALSE(h.controller->page()->newSMSArriveMsg->isVisible()) << "not announced";
    EXPECT_EQ(h.tabs.currentIndex(), 0) << "the Internet tab";
    EXPECT_FALSE(service.bAlreadySendedCheckUsageSMS());
    EXPECT_TRUE(h.controller->showCertainNewSMSContent("YOUR USAGE", "321"));
    EXPECT_FALSE(h.controller->showCertainNewSMSContent("YOUR USAGE", "322"));
    QTextEdit *reply = h.controller->tfdShowCertainNewSmsContent();
    EXPECT_EQ(reply->toPlainText(), "Your usage: 2 GB");
    h.clock.advance(SMSController::kUsageReplyShownMs - 1);
    EXPECT_FALSE(reply->toPlainText().isEmpty());
    h.clock.advance(1);
    EXPECT_TRUE(reply->toPlainText().isEmpty());
    // The next message from that number is announced again.
    h.deliver(100, newSms("321", "more"), 0);
    EXPECT_TRUE(h.controller->page()->newSMSArriveMsg->isVisible());
}

TEST_F(SmsReceiveTest, AnExpiredAlertMarksTheDataVolumeMessagesRead)
{
    const QDateTime d(QDate(2024, 5, 1), QTime(9, 0), Qt::UTC);
    const QVariantMap judge{{"FlowValueSMS_PhoneNumber", "999"}, {"FLowValueSMS_Bandbreite", "volume"},
                            {"FlowValueSMS_SeventyFivePercentKey", "75%"}};
    SmsPageHarness h(withSound({{"SMS", QVariantMap{{"SMS_FlowValueSMSJudegeConditions", judge}}}}),
                     {{kPcList, QVariantMap{{"InBox", QVariantList{inboxEntry("999", "volume 75%", 0, d),
                                                                   inboxEntry("100", "volume 75%", 0, d)}}}}});
    SmsService service(h.store.get(), &h.clock);
    h.controller->loadSmsList();
    h.controller->doWithPcUnreadFlowValueSMSAndRefreshStatusWhenFlowAlertOverTime();
    const QVariantList inbox = fileBox(h, kPcList, "InBox");
    ASSERT_EQ(inbox.size(), 2);
    EXPECT_EQ(inbox[0].toMap().value("smsInfo").toMap().value("stat").toInt(), 1) << "the data-volume message";
    EXPECT_EQ(inbox[1].toMap().value("smsInfo").toMap().value("stat").toInt(), 0) << "another sender's";
}
