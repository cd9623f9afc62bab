// The send road of the SMS page over the in-process transport and the manual clock: the paced run,
// Cancel, the summaries, the answer time-out, the concatenation reference, refused recipients,
// other pages' sends, the registration messages, drafts and the device going away mid-run.
#include "SmsPageHarness.h"
#include "ostrel/sms/SmsTestMessages.h"

#include "common/records/Payload.h"
#include "common/records/sms/SmsRecords.h"
#include "common/sms/SmsBoxCodes.h"
#include "ostrel/sms/service/SmsService.h"

#include <QAction>

#include <QCoreApplication>
#include <QDateTime>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTextEdit>

using namespace ostrel;
using namespace sms_test;
using namespace sms_page_test;

namespace {

QList<yov::SmsSendRequest> sends(const SmsPageHarness &h) { return h.decodedRecords<yov::SmsSendRequest>(yov::smsmsg::kMinorSend); }

QStringList recipientsOf(const QList<yov::SmsSendRequest> &requests)
{
    QStringList out;
    for (const yov::SmsSendRequest &r : requests)
        out << r.recipient;
    return out;
}

QByteArray answer(int sent, int failed)
{
    yov::SmsSendResult r;
    for (int i = 0; i < sent + failed; ++i)
        r.outcomes[std::size_t(i)] = i < sent ? 1 : 0;
    r.partCount = sent + failed;
    return r.encode();
}

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// Types into the editor and presses Send.
void typeAndSend(SMSController &c, const QString &to, const QString &text)
{
    c.newMessage(nullptr);
    c.page()->sendMessageTo->setText(to);
    c.page()->sendMessageText->setPlainText(text);
    c.page()->SendMessageBtn->click();
}

QString summary(const SMSController &c) { return c.page()->newSMSInfoText->text(); }

} // namespace

TEST(SmsSend, RecipientsArePacedTwoSecondsAfterEachAnswerAndSummarised)
{
    SmsPageHarness h({});
    SMSController &c = *h.controller;
    c.netcardChanged(12);
    typeAndSend(c, "111;222;333", "hello");
    ASSERT_EQ(recipientsOf(sends(h)), QStringList{"111"});
    EXPECT_FALSE(c.page()->messageWindow->isVisible());
    EXPECT_EQ(summary(c), "Send SMS to:111,Sending...");
    EXPECT_FALSE(c.page()->cancelSendBtn->isEnabled());
    h.clock.advance(30000);
    EXPECT_EQ(sends(h).size(), 1) << "nothing goes before the answer";

    h.deliver(yov::smsmsg::kMinorSend, answer(1, 0));
    EXPECT_TRUE(c.page()->cancelSendBtn->isEnabled()) << "Cancel during the pause";
    h.clock.advance(1990);
    EXPECT_EQ(sends(h).size(), 1);
    h.clock.advance(10);
    ASSERT_EQ(recipientsOf(sends(h)), (QStringList{"111", "222"}));
    EXPECT_EQ(summary(c), "Send SMS to:222,Sending...");

    h.deliver(yov::smsmsg::kMinorSend, answer(0, 1));
    h.clock.advance(2000);
    ASSERT_EQ(recipientsOf(sends(h)), (QStringList{"111", "222", "333"}));
    h.deliver(yov::smsmsg::kMinorSend, answer(1, 0));
    EXPECT_EQ(summary(c), "Send success:2,failed:1,cancel:0");
    EXPECT_EQ(c.page()->cancelSendBtn->text(), "OK");
    EXPECT_TRUE(c.phoneReceive().isEmpty());
    EXPECT_EQ(c.pendingSendAnswers(), 0);

    // Each record takes the next reference, kept in the settings.
    const QList<yov::SmsSendRequest> all = sends(h);
    EXPECT_EQ(all[0].reference, 0);
    EXPECT_EQ(all[1].reference, 1);
    EXPECT_EQ(all[2].reference, 2);
    EXPECT_TRUE(all[0].saveInBox);
    EXPECT_FALSE(all[0].noResultWanted);
    c.page()->cancelSendBtn->click();
    EXPECT_FALSE(c.page()->newSMSInfoWindow->isVisible());
}

TEST(SmsSend, CancelAfterTheFirstAnswerEndsTheRunWithTheCancelledParts)
{
    const QString text(161, QLatin1Char('a')); // two parts
    for (const bool totalForm : {false, true}) {
        SmsPageHarness h({{"SMS", QVariantMap{{"noDisplayCanceledNumAfterFinishingSend", totalForm}}}});
        SMSController &c = *h.controller;
        c.netcardChanged(12);
        typeAndSend(c, "111;222;333", text);
        h.deliver(yov::smsmsg::kMinorSend, answer(2, 0));
        c.page()->cancelSendBtn->click();
        h.clock.advance(5000);
        EXPECT_EQ(sends(h).size(), 1) << "nothing more after Cancel";
        EXPECT_EQ(summary(c), totalForm ? "Send Total:2,Send success:2,failed:0" : "Send success:2,failed:0,cancel:4");
        EXPECT_TRUE(c.page()->newSMSInfoWindow->isVisible()) << "the summary shows";
        // The editor now holds a one-part text: the count is the run's.
        c.setStringForSMSEditor("x");
        EXPECT_TRUE(c.phoneReceive().isEmpty());
    }
}

TEST(SmsSend, AnswersThatNeverComeOrComeWithNothingPending)
{
    SmsPageHarness h({});
    SMSController &c = *h.controller;
    c.netcardChanged(12);
    h.deliver(yov::smsmsg::kMinorSend, answer(1, 0)); // nothing pending: dropped
    EXPECT_EQ(sends(h).size(), 0);

    typeAndSend(c, "111;222", "hello");
    h.clock.advance(SMSController::kSendAnswerTimeoutMs - 1);
    EXPECT_FALSE(c.phoneReceive().isEmpty());
    h.clock.advance(1);
    EXPECT_TRUE(c.phoneReceive().isEmpty()) << "the run ended";
    EXPECT_EQ(summary(c), "Send success:0,failed:0,cancel:2");
    EXPECT_EQ(c.pendingSendAnswers(), 0);
    h.deliver(yov::smsmsg::kMinorSend, answer(1, 0)); // late: dropped
    h.clock.advance(5000);
    EXPECT_EQ(sends(h).size(), 1);
    EXPECT_EQ(summary(c), "Send success:0,failed:0,cancel:2");
}

TEST(SmsSend, TheReferenceWrapsAndIsKeptAcrossARestart)
{
    SmsPageHarness h({{"smsConcatRefIndex", 254}});
    EXPECT_EQ(h.controller->readRefIndex(), 255);
    EXPECT_EQ(h.controller->readRefIndex(), 0);
    EXPECT_EQ(h.controller->readRefIndex(), 1);
    ConfigManager reread(h.dir.path());
    EXPECT_EQ(reread.getConfigurationByModule("smsConcatRefIndex").toInt(), 1);
}

TEST(SmsSend, ARecipientTheRecordRefusesFailsAloneAndTheRunGoesOn)
{
    SmsPageHarness h({});
    SMSController &c = *h.controller;
    c.netcardChanged(12);
    const QString longNumber(41, QLatin1Char('1'));
    // Another page's numbers do not pass the editor's filter.
    ASSERT_TRUE(c.sendMessageto(longNumber + ";222", "hi"));
    EXPECT_TRUE(sends(h).isEmpty());
    h.clock.advance(0);
    h.clock.advance(2000);
    ASSERT_EQ(recipientsOf(sends(h)), QStringList{"222"});
    h.deliver(yov::smsmsg::kMinorSend, answer(1, 0));
    EXPECT_EQ(summary(c), "Send success:1,failed:1,cancel:0");

    // A text over the record's 3200 units fails its recipient the same way.
    ASSERT_TRUE(c.sendMessageto("333", QString(3201, QLatin1Char('b'))));
    h.clock.advance(0);
    EXPECT_EQ(sends(h).size(), 1);
    EXPECT_TRUE(summary(c).startsWith("Send success:0,failed:")) << summary(c).toStdString();
}

TEST(SmsSend, OtherPagesSendsEmptyTextsAndNoDevice)
{
    SmsPageHarness h({});
    SMSController &c = *h.controller;
    QList<int> finished;
    QObject observer;
    h.notifications.addObserver(&observer, "SMSSendFinished", nullptr, [&](const yov::Notification &n) {
        finished << n.userInfo.value("deletFlag").toInt();
    });
    EXPECT_FALSE(c.sendMessageto("111", "hi")) << "no device";
    EXPECT_EQ(finished, QList<int>{0});
    c.netcardChanged(12);
    ASSERT_TRUE(c.sendMessageto("111", ""));
    settle();
    EXPECT_EQ(h.alerts.messages(), QStringList{"SMS content is empty!!"});
    ASSERT_EQ(sends(h).size(), 1);
    EXPECT_EQ(sends(h)[0].text, " ");
    h.deliver(yov::smsmsg::kMinorSend, answer(1, 0));
    EXPECT_EQ(finished, (QList<int>{0, 1}));

    // The "SendMessageNotification" of an outside component sends through the same road.
    h.notifications.post("SendMessageNotification", nullptr, {{"phoneNumber", "444"}, {"messageText", "from outside"}});
    ASSERT_EQ(sends(h).size(), 2);
    EXPECT_EQ(sends(h)[1].recipient, "444");
}

TEST(SmsSend, TheEditorsChecksKeepWhatWasTyped)
{
    SmsPageHarness h({});
    SMSController &c = *h.controller;
    c.netcardChanged(12);
    int cancelled = 0;
    QObject observer;
    h.notifications.addObserver(&observer, "SmsSendCancelWhenMsgNilNnotification", nullptr,
                                [&](const yov::Notification &) { ++cancelled; });
    typeAndSend(c, "   ", "hi");
    settle();
    h.alerts.pressNext(testing_support::ScriptedAlertPresenter::Alternate);
    typeAndSend(c, "111;", "");
    settle();
    EXPECT_EQ(h.alerts.messages(), (QStringList{"Receiver's phone number should not be null!!", "SMS content is empty!!"}));
    EXPECT_TRUE(sends(h).isEmpty());
    EXPECT_EQ(cancelled, 1);
    EXPECT_TRUE(c.page()->messageWindow->isVisible());
    EXPECT_EQ(c.page()->sendMessageTo->text(), "111;");

    // The filter: digits, "+" and single separators; at most 40 characters a number.
    struct Case {
        const char *typed;
        const char *kept;
    } cases[] = {{"123;;456", "123;456"}, {";123", "123"}, {"+44 20", "+4420"}, {"12a-3", "123"}};
    for (const Case &t : cases) {
        c.page()->sendMessageTo->setText(t.typed);
        EXPECT_EQ(c.page()->sendMessageTo->text(), t.kept) << t.typed;
    }
    c.page()->sendMessageTo->setText(QString(41, QLatin1Char('7')));
    EXPECT_EQ(c.page()->sendMessageTo->text(), QString(40, QLatin1Char('7')));
    c.page()->sendMessageTo->setText("100;200");
    EXPECT_EQ(c.page()->receiverName->text(), "Ann,Bob,");
}

TEST(SmsSend, TheRegistrationMessagesAndTheDiagnosticReport)
{
    SmsPageHarness h({{"Main", QVariantMap{{"Main_SendUserInfoOK", false}}}});
    SMSController &c = *h.controller;
    c.netcardChanged(12);
    h.mainWindow.sendingUserInfo = true;
    for (const char *number : {"1", "2", "3"})
        ASSERT_TRUE(c.sendSmsTo(number, "reg", false, true, false));
    EXPECT_EQ(c.pendingSendAnswers(), 3);
    for (int i = 0; i < 3; ++i)
        h.deliver(yov::smsmsg::kMinorSend, answer(1, 0));
    EXPECT_FALSE(h.mainWindow.sendingUserInfo);
    EXPECT_TRUE(c.page()->SendMessageBtn->isEnabled());
    EXPECT_TRUE(ConfigManager(h.dir.path()).getConfigurationByModuleAndKey("Main", "Main_SendUserInfoOK").toBool());
    EXPECT_FALSE(c.page()->newSMSInfoWindow->isVisible()) << "no run, no summary";

    // The diagnostic report: its answer clears the flag.
    h.store->setConfigurationByModule("SendReportTo", "999");
    h.init.setReportSendFlag(true);
    ASSERT_TRUE(c.sendSmsTo("999", "report", false, true, false));
    EXPECT_EQ(c.page()->newSMSInfoText->text(), "Sending a Report to varozori");
    h.alerts.clear();
    h.deliver(yov::smsmsg::kMinorSend, answer(1, 0));
    EXPECT_FALSE(h.init.reportSendFlag());
    EXPECT_TRUE(c.page()->btnSendReport_->isEnabled());
    settle();
    EXPECT_EQ(h.alerts.messages(), QStringList{"The report was sent."});

    // A report whose answer never comes: its sheet, which has no button, closes after the wait
    // and the report may go again; the late answer is dropped.
    h.init.setReportSendFlag(true);
    ASSERT_TRUE(c.sendSmsTo("999", "report", false, true, false));
    EXPECT_TRUE(c.page()->newSMSInfoWindow->isVisible());
    EXPECT_FALSE(c.page()->cancelSendBtn->isVisible());
    h.clock.advance(60000);
    EXPECT_FALSE(c.page()->newSMSInfoWindow->isVisible());
    EXPECT_FALSE(h.init.reportSendFlag());
    EXPECT_TRUE(c.page()->btnSendReport_->isEnabled());
    EXPECT_TRUE(c.phoneReceive().isEmpty());
    EXPECT_EQ(c.pendingSendAnswers(), 0);
    h.deliver(yov::smsmsg::kMinorSend, answer(1, 0));
    EXPECT_FALSE(c.page()->newSMSInfoWindow->isVisible());
    settle();
    EXPECT_EQ(h.alerts.count(), 1) << "no success for a report that was not answered";
}

TEST(SmsSend, DraftsOnAndOffTheDevice)
{
    // Without a device the draft goes straight into the computer's drafts, creating the file.
    {
        SmsPageHarness h({});
        SMSController &c = *h.controller;
        c.newMessage(nullptr);
        c.page()->sendMessageTo->setText("100;");
        c.page()->sendMessageText->setPlainText("later");
        c.page()->SaveToDraftBtn->click();
        const QVariantList drafts = fileBox(h, kPcList, "DraftBox");
        ASSERT_EQ(drafts.size(), 1);
        EXPECT_EQ(drafts[0].toMap().value("messagetext"), "later");
        EXPECT_EQ(drafts[0].toMap().value("mobilephone"), "100;");
        EXPECT_FALSE(c.page()->messageWindow->isVisible());
    }
    // Too many receivers for the draft record: the editor stays open with its text.
    {
        SmsPageHarness h({{"SMS", QVariantMap{{"ReceverMaxNumber", 40}}}});
        SMSController &c = *h.controller;
        c.netcardChanged(12);
        c.newMessage(nullptr);
        QStringList numbers;
        for (int i = 0; i < 40; ++i)
            numbers << QString(40, QLatin1Char('0' + i % 10));
        c.page()->sendMessageTo->setText(numbers.join(';'));
        ASSERT_GT(c.page()->sendMessageTo->text().toUtf8().size(), 1299);
        c.page()->sendMessageText->setPlainText("to many");
        c.page()->SaveToDraftBtn->click();
        settle();
        EXPECT_EQ(h.alerts.messages(), QStringList{"Too many receivers to save as a draft!"});
        EXPECT_EQ(h.sentCount(yov::smsmsg::kMinorDraft), 0);
        EXPECT_TRUE(c.page()->messageWindow->isVisible());
        EXPECT_EQ(c.stringForSMSEditor(), "to many");
    }
    // A device draft that is sent is deleted where it was opened, once a part went.
    for (const bool sent : {false, true}) {
        const QVariantList simDrafts{singleSms("300", "other", 1), singleSms("100", "draft text", 2)};
        SmsPageHarness h({}, {{QString(kSimList), QVariantMap{{"DraftBox", simDrafts}}}});
        SMSController &c = *h.controller;
        c.netcardChanged(12);
        c.loadBoxinSIMList();
        choose(c, yov::sms::kPositionSim, yov::sms::kBoxDraftBox);
        selectRows(c, {1});
        c.sendMessageInDraftBox(nullptr);
        EXPECT_TRUE(c.isDraftSms());
        EXPECT_EQ(c.stringForSMSEditor(), "draft text");
        c.page()->SendMessageBtn->click();
        selectRows(c, {0}); // the selection moves meanwhile
        h.deliver(yov::smsmsg::kMinorSend, sent ? answer(1, 0) : answer(0, 1));
        const QList<yov::UI_MSG> deletes = h.sentRecords(yov::smsmsg::kMinorDelete);
        if (!sent) {
            EXPECT_TRUE(deletes.isEmpty()) << "a send that failed wholly keeps the draft";
            EXPECT_FALSE(c.isDraftSms());
            continue;
        }
        ASSERT_EQ(deletes.size(), 1);
        EXPECT_EQ(yov::SmsDeleteRequest::decode(yov::PayloadReader::ofMsg(deletes[0])),
                  (yov::SmsDeleteRequest{yov::sms::kPositionSim, yov::sms::kBoxDraftBox, 1}));
    }
}

TEST(SmsSend, UnservedRecipientsBecomeComputerDraftsWhenTheDeviceGoes)
{
    SmsPageHarness h({});
    SMSController &c = *h.controller;
    c.netcardChanged(12);
    typeAndSend(c, "111;222;333", "hello");
    h.deliver(yov::smsmsg::kMinorSend, answer(1, 0));
    c.deviceRemoved({});
    h.clock.advance(5000);
    EXPECT_EQ(sends(h).size(), 1);
    QStringList numbers;
    for (const QVariant &d : fileBox(h, kPcList, "DraftBox")) {
        numbers << d.toMap().value("mobilephone").toString();
        EXPECT_EQ(d.toMap().value("messagetext"), "hello");
    }
    EXPECT_EQ(numbers, (QStringList{"222", "333"}));
    EXPECT_EQ(summary(c), "Send success:1,failed:2,cancel:0");
    EXPECT_TRUE(c.page()->newSMSInfoWindow->isVisible());
    EXPECT_TRUE(c.phoneReceive().isEmpty());
}

TEST(SmsSend, ARunToOneRecipientEndsWhenTheDeviceGoesAndKeepsItsText)
{
    SmsPageHarness h({});
    SMSController &c = *h.controller;
    c.netcardChanged(12);
    typeAndSend(c, "111", "only one");
    c.deviceRemoved({});
    EXPECT_EQ(summary(c), "Send success:0,failed:1,cancel:0") << "at once, not after the wait";
    EXPECT_TRUE(c.page()->cancelSendBtn->isVisible());
    settle();
    const QVariantList drafts = fileBox(h, kPcList, "DraftBox");
    ASSERT_EQ(drafts.size(), 1);
    EXPECT_EQ(drafts[0].toMap().value("mobilephone"), "111");
    EXPECT_EQ(drafts[0].toMap().value("messagetext"), "only one");
    EXPECT_EQ(c.pendingSendAnswers(), 0);

    // A run and an open editor when the device goes: both are kept.
    c.page()->cancelSendBtn->click();
    c.netcardChanged(12);
    typeAndSend(c, "222", "in flight");
    c.newMessage(nullptr);
    c.page()->sendMessageTo->setText("333");
    c.page()->sendMessageText->setPlainText("being written");
    c.deviceRemoved({});
    settle();
    QStringList kept;
    for (const QVariant &d : fileBox(h, kPcList, "DraftBox"))
        kept << d.toMap().value("messagetext").toString();
    kept.sort();
    EXPECT_EQ(kept, (QStringList{"being written", "in flight", "only one"}));

    // The diagnostic report is no draft: it ends as a report that failed.
    c.page()->cancelSendBtn->click();
    c.netcardChanged(12);
    h.store->setConfigurationByModule("SendReportTo", "999");
    h.init.setReportSendFlag(true);
    ASSERT_TRUE(c.sendSmsTo("999", "report", false, true, false));
    c.deviceRemoved({});
    EXPECT_FALSE(h.init.reportSendFlag());
    EXPECT_FALSE(c.page()->newSMSInfoWindow->isVisible());
    settle();
    EXPECT_EQ(fileBox(h, kPcList, "DraftBox").size(), 3);
}

TEST(SmsSend, TheEditorClosedByALostDeviceKeepsWhatItHolds)
{
    // Opened on a device draft: the edited text becomes a computer draft and the device draft is
    // no longer the editor's, so a later send deletes nothing.
    {
        const QVariantList simDrafts{singleSms("100", "draft text", 2)};
        SmsPageHarness h({}, {{QString(kSimList), QVariantMap{{"DraftBox", simDrafts}}}});
        SMSController &c = *h.controller;
        c.netcardChanged(12);
        c.loadBoxinSIMList();
        choose(c, yov::sms::kPositionSim, yov::sms::kBoxDraftBox);
        selectRows(c, {0});
        c.sendMessageInDraftBox(nullptr);
        c.setStringForSMSEditor("draft text, edited");
        c.netcardChanged(2);
        settle();
        EXPECT_FALSE(c.page()->messageWindow->isVisible());
        EXPECT_FALSE(c.isDraftSms());
        const QVariantList drafts = fileBox(h, kPcList, "DraftBox");
        ASSERT_EQ(drafts.size(), 1);
        EXPECT_EQ(drafts[0].toMap().value("messagetext"), "draft text, edited");
        EXPECT_EQ(drafts[0].toMap().value("mobilephone"), "100");

        c.netcardChanged(12);
        typeAndSend(c, "222", "new text");
        h.deliver(yov::smsmsg::kMinorSend, answer(1, 0));
        EXPECT_EQ(h.sentCount(yov::smsmsg::kMinorDelete), 0) << "the device draft stays";
    }
    // Opened on a computer draft: that draft is replaced, not doubled. An empty editor leaves
    // nothing behind.
    {
        const QVariantMap old{{"messagetext", "old"}, {"mobilephone", "100;"}, {"date", QDateTime(QDate(2024, 5, 1), QTime(9, 0))},
                              {"stat", ""}};
        SmsPageHarness h({}, {{QString(kPcList), QVariantMap{{"DraftBox", QVariantList{old}}}}});
        SMSController &c = *h.controller;
        c.netcardChanged(12);
        choose(c, yov::sms::kPositionPc, yov::sms::kBoxDraftBox);
        selectRows(c, {0});
        c.sendMessageInDraftBox(nullptr);
        ASSERT_EQ(c.stringForSMSEditor(), "old");
        c.setStringForSMSEditor("old, and more");
        c.deviceRemoved({});
        settle();
        QStringList texts;
        for (const QVariant &d : fileBox(h, kPcList, "DraftBox"))
            texts << d.toMap().value("messagetext").toString();
        EXPECT_EQ(texts, QStringList{"old, and more"});

        c.netcardChanged(12);
        c.newMessage(nullptr);
        c.netcardChanged(1);
        settle();
        EXPECT_EQ(fileBox(h, kPcList, "DraftBox").size(), 1);
    }
}

namespace {

class RecordingPicker : public DefaultContactPicker {
public:
    struct Shown {
        ContactPickerForm form;
        QWidget *host;
        QSizeF size;
    };
    QList<Shown> shown;
    void showSelectWindow(ContactPickerForm form, QWidget *host, const QSizeF &size) override { shown << Shown{form, host, size}; }
};

} // namespace

TEST(SmsSend, TheEditorsOtherEntriesAndThePickerRoads)
{
    SmsPageHarness h({});
    RecordingPicker picker;
    Neighbours::setContactPicker(&picker);
    SMSController &c = *h.controller;
    c.netcardChanged(12);

    // Other areas open the editor on numbers; the picker's numbers are appended.
    c.toNewMsgWinWithPhoneNumbers({"100", "200"}, "PhoneBook");
    EXPECT_TRUE(c.page()->messageWindow->isVisible());
    EXPECT_EQ(c.page()->sendMessageTo->text(), "100;200;");
    EXPECT_EQ(c.page()->receiverName->text(), "Ann,Bob,");
    c.page()->sendMessageTo->setText("300");
    c.setTheSearchFieldText({"400", "500"});
    EXPECT_EQ(c.page()->sendMessageTo->text(), "300;400;500;");
    c.setTheSearchFieldText({});
    EXPECT_EQ(c.page()->sendMessageTo->text(), "300;400;500;");

    // The field's phonebook action and the outside component's request open the picker.
    auto *action = c.page()->sendMessageTo->findChild<QAction *>("phonebookAction");
    ASSERT_TRUE(action);
    action->trigger();
    auto *menu = c.page()->sendMessageTo->findChild<QMenu *>("recipientMenu");
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->title(), "Search contact from phonebook");
    ASSERT_FALSE(menu->actions().isEmpty());
    EXPECT_EQ(menu->actions().first()->text(), "phonebook");
    menu->actions().first()->trigger();
    menu->close();
    QWidget host;
    h.notifications.post("SelectContactFromPhoneBook", nullptr, {{"BelongToWnd", QVariant::fromValue<QWidget *>(&host)}});
    ASSERT_EQ(picker.shown.size(), 2);
    EXPECT_EQ(picker.shown[0].form, ContactPickerForm::RecipientSheet);
    EXPECT_EQ(picker.shown[0].host, c.page()->messageWindow);
    EXPECT_EQ(picker.shown[1].form, ContactPickerForm::SimplifiedSheet);
    EXPECT_EQ(picker.shown[1].host, &host);
    EXPECT_EQ(picker.shown[1].size, QSizeF(285, 448));

    // "SetFormatterHost" moves the counter to another field.
    QLineEdit field;
    h.notifications.post("SetFormatterHost", nullptr, {{"FormatterHostId", QVariant::fromValue<QWidget *>(&field)}});
    field.setText(QString(161, 'a'));
    EXPECT_EQ(c.page()->textCount->text(), "info: 161/2");

    c.replyMessageFromMMS("700");
    EXPECT_EQ(c.page()->sendMessageTo->text(), "700");
    EXPECT_EQ(c.stringForSMSEditor(), "");
    Neighbours::setContactPicker(nullptr);
}

TEST(SmsSend, ProgressOfThePartsAndTheBackgroundSend)
{
    SmsPageHarness h({{"SMS", QVariantMap{{"SMS_ShowSendInfoWnd_WhenSendSMSFailOnBackGround", true}}}});
    SmsService service(h.store.get(), &h.clock);
    SMSController &c = *h.controller;
    c.netcardChanged(12);
    typeAndSend(c, "100", QString(161, 'a'));
    yov::SmsSendProgress progress{2, 2, "100"};
    h.deliver(yov::smsmsg::kMinorSendProgress, progress.encode(), 0);
    EXPECT_EQ(summary(c), "Send SMS to:Ann(2/2),Sending...");
    h.deliver(yov::smsmsg::kMinorSend, answer(2, 0));
    EXPECT_EQ(summary(c), "Send success:2,failed:0,cancel:0");

    // A quiet send in the background: no sheet; its failure shows the operator's result window.
    c.page()->cancelSendBtn->click();
    c.sendMessageBackground({"900"}, "buy");
    EXPECT_TRUE(service.sendingSMSInBackGround());
    EXPECT_FALSE(c.page()->SendMessageBtn->isEnabled());
    ASSERT_EQ(sends(h).size(), 2);
    EXPECT_FALSE(sends(h)[1].saveInBox);
    h.deliver(yov::smsmsg::kMinorSend, answer(0, 1));
    settle();
    EXPECT_FALSE(service.sendingSMSInBackGround());
    EXPECT_FALSE(c.page()->newSMSInfoWindow->isVisible());
    EXPECT_EQ(h.alerts.count(), 1) << "the result window";

    // The operator's road: the flags, then the send. An answer that never comes gives Send back.
    service.setSendingSmsSMSInBackGroud(true);
    service.setUnshowInfoWndWhenSendSmsByFlag(true);
    c.setSMSInterfaceWhenSendSMSONBackGround();
    ASSERT_TRUE(c.sendSmsTo("900", "buy more", false, true, false));
    h.clock.advance(59000);
    EXPECT_TRUE(service.sendingSMSInBackGround());
    h.clock.advance(1000);
    settle();
    EXPECT_FALSE(service.sendingSMSInBackGround());
    EXPECT_TRUE(c.page()->SendMessageBtn->isEnabled());
    EXPECT_FALSE(c.page()->newSMSInfoWindow->isVisible());
    EXPECT_EQ(h.alerts.count(), 2) << "the result window of a send that failed";
    EXPECT_TRUE(c.phoneReceive().isEmpty());
}

TEST(SmsSend, DraftsThroughTheDevice)
{
    SmsPageHarness h({{"SMS", QVariantMap{{"isSaveDraftSMSToSIM", true}}}});
    SMSController &c = *h.controller;
    c.netcardChanged(12);
    // With drafts on the SIM the Send button's checks come first.
    c.newMessage(nullptr);
    c.page()->sendMessageText->setPlainText("no one yet");
    c.page()->SaveToDraftBtn->click();
    c.page()->sendMessageTo->setText("100");
    c.page()->sendMessageText->clear();
    c.page()->SaveToDraftBtn->click();
    settle();
    EXPECT_EQ(h.alerts.messages(), (QStringList{"Receiver's phone number should not be null!!", "SMS content is empty!!"}));
    EXPECT_EQ(h.sentCount(yov::smsmsg::kMinorDraft), 0);

    c.page()->sendMessageText->setPlainText("keep this");
    c.page()->SaveToDraftBtn->click();
    QList<yov::SmsDraftRequest> drafts = h.decodedRecords<yov::SmsDraftRequest>(yov::smsmsg::kMinorDraft);
    ASSERT_EQ(drafts.size(), 1);
    EXPECT_EQ(drafts[0].text, "keep this");
    EXPECT_EQ(drafts[0].recipients, "100");
    EXPECT_FALSE(c.page()->messageWindow->isVisible());
    EXPECT_EQ(c.getCurrentBox(), yov::sms::kBoxDraftBox);

    // The quick computer draft: text and recipients only.
    c.addToPcDraftBoxWithPhone("200;300;", "later");
    drafts = h.decodedRecords<yov::SmsDraftRequest>(yov::smsmsg::kMinorDraft);
    ASSERT_EQ(drafts.size(), 2);
    EXPECT_TRUE(drafts[1].isQuickForm());
    EXPECT_EQ(drafts[1].recipients, "200;300;");
    EXPECT_EQ(c.getCurrentPosition(), yov::sms::kPositionPc);
}

TEST(SmsSend, TheRecipientMenuOffersTheLastTenRecipientFields)
{
    SmsPageHarness h({});
    SMSController &c = *h.controller;
    c.netcardChanged(12);
    for (int i = 0; i < 12; ++i) {
        typeAndSend(c, QString("10%1;").arg(i), "hi");
        h.deliver(yov::smsmsg::kMinorSend, answer(1, 0));
        c.page()->cancelSendBtn->click();
    }
    typeAndSend(c, "105;", "hi"); // sent again: it moves to the top, once
    h.deliver(yov::smsmsg::kMinorSend, answer(1, 0));
    c.page()->cancelSendBtn->click();
    ASSERT_TRUE(c.sendMessageto("999", "not typed")); // another page's number is no search
    h.deliver(yov::smsmsg::kMinorSend, answer(1, 0));
    c.page()->cancelSendBtn->click();

    c.newMessage(nullptr);
    c.page()->sendMessageTo->findChild<QAction *>("phonebookAction")->trigger();
    auto *menu = c.page()->sendMessageTo->findChild<QMenu *>("recipientMenu");
    ASSERT_TRUE(menu);
    QStringList recents;
    for (QAction *a : menu->actions())
        if (!a->isSeparator())
            recents << a->text();
    EXPECT_EQ(recents, (QStringList{"phonebook", "105;", "1011;", "1010;", "109;", "108;", "107;", "106;", "104;", "103;", "102;"}));
    menu->actions().at(2)->trigger(); // "105;"
    menu->close();
    EXPECT_EQ(c.page()->sendMessageTo->text(), "105;");
}

TEST(SmsSend, AnotherPagesSendLeavesAnOpenEditorAloneAndWaitsForNoRun)
{
    SmsPageHarness h({});
    SMSController &c = *h.controller;
    c.netcardChanged(12);
    c.newMessage(nullptr);
    c.page()->sendMessageTo->setText("555");
    c.page()->sendMessageText->setPlainText("half written");
    QStringList finished;
    QObject observer;
    h.notifications.addObserver(&observer, "SMSSendFinished", nullptr, [&finished](const yov::Notification &n) {
        finished << n.userInfo.value("deletFlag").toString();
    });

    ASSERT_TRUE(c.sendMessageto("100", "usage?"));
    ASSERT_EQ(sends(h).size(), 1);
    EXPECT_EQ(sends(h)[0].recipient, "100");
    EXPECT_EQ(sends(h)[0].text, "usage?");
    EXPECT_TRUE(c.page()->messageWindow->isVisible());
    EXPECT_EQ(c.page()->sendMessageTo->text(), "555");
    EXPECT_EQ(c.stringForSMSEditor(), "half written");

    // While that run waits for its answer a second send is refused, and says so.
    EXPECT_FALSE(c.sendMessageto("200", "again"));
    EXPECT_EQ(sends(h).size(), 1);
    EXPECT_EQ(finished, QStringList{"0"});
    h.notifications.removeObserver(&observer);
}

TEST(SmsSend, ADraftTheDeviceDoesNotStoreIsKeptOnTheComputer)
{
    SmsPageHarness h({{"SMS", QVariantMap{{"isSaveDraftSMSToSIM", true}}}});
    SMSController &c = *h.controller;
    c.netcardChanged(12);
    const auto saveDraft = [&c](const QString &to, const QString &text) {
        c.newMessage(nullptr);
        c.page()->sendMessageTo->setText(to);
        c.page()->sendMessageText->setPlainText(text);
        c.page()->SaveToDraftBtn->click();
        EXPECT_FALSE(c.page()->messageWindow->isVisible());
    };
    const auto computerDrafts = [&h] {
        settle();
        QStringList out;
        for (const QVariant &d : fileBox(h, kPcList, "DraftBox"))
            out << d.toMap().value("mobilephone").toString() + ":" + d.toMap().value("messagetext").toString();
        return out;
    };
    // Stored, then refused (a full SIM): only the refused one comes to the computer.
    saveDraft("100", "stored");
    saveDraft("200", "refused");
    h.deliver(yov::smsmsg::kMinorDraft);
    h.deliver(yov::smsmsg::kMinorDraft, {}, 1, 1);
    EXPECT_EQ(computerDrafts(), QStringList{"200:refused"});
    // Sent, and then the device goes before its answer.
    saveDraft("300", "unanswered");
    c.deviceRemoved({});
    EXPECT_EQ(computerDrafts(), (QStringList{"200:refused", "300:unanswered"}));
    h.deliver(yov::smsmsg::kMinorDraft, {}, 1, 1); // a late refusal adds nothing
    EXPECT_EQ(computerDrafts().size(), 2);
}

TEST(SmsSend, TheCentreIsAskedFirstWhenConfiguredAndTheSendGoesOnWithItsAnswer)
{
    SmsPageHarness h({{"SMS", QVariantMap{{"queryCenterNumBeforeSendingSms", true}}}});
    SMSController &c = *h.controller;
    c.netcardChanged(12);
    typeAndSend(c, "100", "hi");
    EXPECT_EQ(h.sentCount(109), 1);
    EXPECT_TRUE(sends(h).isEmpty());
    h.deliver(109, yov::encodeSmsCentre("+49170999").value(), 1, 1); // refused: no send
    EXPECT_TRUE(sends(h).isEmpty());
    h.deliver(109, yov::encodeSmsCentre("+49170111").value()); // nothing waits for this one
    EXPECT_TRUE(sends(h).isEmpty());
    c.page()->SendMessageBtn->click();
    EXPECT_EQ(h.sentCount(109), 2);
    h.setting.centres.clear();
    h.deliver(109, yov::encodeSmsCentre("+49170999").value());
    EXPECT_EQ(h.setting.centres, QStringList{"+49170999"});
    ASSERT_EQ(sends(h).size(), 1);
    EXPECT_EQ(sends(h)[0].recipient, "100");
}

TEST(SmsSend, AnOperatorsSpecialNumberIsShownByNameAndSentToItsNumber)
{
    const QVariantList special{QVariantMap{{"NumberToHidden", "12345"}, {"NameToShow", "Service"}}};
    SmsPageHarness h({{"SMS", QVariantMap{{"Sms_ReplaceSpecialNumberToSpecialString_IfNeeded", true},
                                          {"SpecialNumberToHidden", special}}}});
    SmsService service(h.store.get(), &h.clock);
    SMSController &c = *h.controller;
    c.netcardChanged(12);
    // Another page's field is not filtered: the last recipient is the shown name.
    ASSERT_TRUE(c.sendMessageto("100;Service", "hi"));
    ASSERT_EQ(recipientsOf(sends(h)), QStringList{"100"});
    h.deliver(yov::smsmsg::kMinorSend, answer(1, 0));
    h.clock.advance(2000);
    ASSERT_EQ(recipientsOf(sends(h)), (QStringList{"100", "12345"}));
    EXPECT_EQ(summary(c), "Send SMS to:Service,Sending...");
}
