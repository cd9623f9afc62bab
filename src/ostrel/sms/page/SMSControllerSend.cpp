// The send road of the SMS page: the new-message window (recipient filter, editor, counter), the
// checks of the Send button, one 768/90 per recipient paced 2 s after each answer, the progress
// sheet with Cancel and the summary, drafts, sending again from a box, and the sends that other
// pages start.
//
// Answers: the page counts the sends it made with an answer wanted that are not answered yet; an
// answer that comes while none is pending is logged and dropped. Within a run, a recipient whose
// answer has not come after 60 s ends the run as Cancel does, and that send stops counting, so a
// late answer is dropped too.
#include "common/ValueConversion.h"
#include "common/records/Payload.h"
#include "common/records/sms/SmsRecords.h"
#include "common/sms/SmsBoxCodes.h"
#include "common/sms/SmsLengthCount.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/WordingOperation.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/sms/page/MessageTextFormatter.h"
#include "ostrel/sms/page/SMSController.h"
#include "ostrel/sms/page/SmsBoxView.h"
#include "ostrel/sms/page/SmsPageView.h"
#include "ostrel/sms/service/SmsCodecSettings.h"
#include "ostrel/sms/service/SmsPageRules.h"
#include "ostrel/sms/service/SmsRecipients.h"
#include "ostrel/sms/service/SmsService.h"
#include "ostrel/sms/service/SmsTableCells.h"
#include "platform/Clock.h"

#include <QAction>
#include <QDateTime>
#include <QDialog>
#include <QStyle>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTextEdit>

#include <utility>

namespace ostrel {

namespace {

const QString kDrawerItems = QStringLiteral("DrawerItems");

// A record already encoded (and checked) by its builder, with the size the catalogue checks.
template <int N>
struct EncodedRecord {
    static constexpr int kSize = N;
    QByteArray bytes;
    QByteArray encode() const { return bytes; }
};

// The inner dictionary of a device or computer message that holds its text and number.
QVariantMap messageSummary(const QVariantMap &record)
{
    if (smsIsFlatMessage(record))
        return record;
    const bool concat = yov::nsBool(record.value(QStringLiteral("concatSmsFlag")))
                        || (!record.contains(QStringLiteral("smsInfo")) && record.contains(QStringLiteral("concatSmsInfo")));
    return yov::nsDict(record.value(concat ? QStringLiteral("concatSmsInfo") : QStringLiteral("smsInfo")));
}

// A draft as the computer's drafts box holds it.
QVariantMap computerDraft(const QString &recipients, const QString &text, const QDateTime &date)
{
    return {{QStringLiteral("messagetext"), text},
            {QStringLiteral("mobilephone"), recipients},
            {QStringLiteral("date"), date},
            {QStringLiteral("stat"), QString()}};
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The editor.

MessageTextFormatter *SMSController::messageFormatter()
{
    if (!messageFormatter_) {
        messageFormatter_ = new MessageTextFormatter(&config(), this);
        if (page_) {
            messageFormatter_->setHost(page_->sendMessageText);
            messageFormatter_->setTextCount(page_->textCount);
            messageFormatter_->setSendNumInfo(page_->sendNumInfo);
        }
    }
    return messageFormatter_;
}

QString SMSController::stringForSMSEditor() const
{
    return page_ ? page_->sendMessageText->toPlainText() : QString();
}

void SMSController::setStringForSMSEditor(const QString &text)
{
    if (page_)
        page_->sendMessageText->setPlainText(text);
}

void SMSController::newMessage(QObject *)
{
    ensurePage();
    SmsPageView *p = page_;
    if (!p->messageWindow->isVisible()) {
        p->sendNumInfo->clear();
        p->textCount->clear();
        p->sendMessageTo->clear();
        p->receiverName->clear();
        p->sendMessageTo->setFocus();
        setStringForSMSEditor(QString());
        showListView();
        setDynamicControllersEnabledByKey(kDrawerItems, false);
    }
    setSendSMSBtnStatWhenNewMessage();
    if (SmsService *service = SmsService::installed(); service && service->sendingSMSInBackGround())
        p->SendMessageBtn->setEnabled(false);
    openMessageWin();
}

void SMSController::openMessageWin()
{
    ensurePage();
    QDialog *w = page_->messageWindow;
    QWidget *mainWindow = wndMain ? wndMain.data() : nullptr;
    if (hasModuleWith(QStringLiteral("Call"))) {
        // A free window, 28 points above the main window's bottom edge, centred on it.
        w->setWindowModality(Qt::NonModal);
        w->setWindowTitle(QString());
        if (mainWindow) {
            const QRect frame = mainWindow->frameGeometry();
            const QSize size = w->sizeHint().expandedTo(w->size());
            w->move(frame.center().x() - size.width() / 2, frame.bottom() - 28 - size.height());
        }
        w->show();
        w->raise();
        w->activateWindow();
        return;
    }
    w->setWindowModality(Qt::WindowModal);
    w->open();
}

void SMSController::cancel(QObject *)
{
    if (page_)
        page_->messageWindow->hide();
    isDraftSms_ = false;
    setDynamicControllersEnabledByKey(kDrawerItems, true);
}

// The recipient field's filter, run on every change.
void SMSController::controlTextDidChange()
{
    if (!page_ || filteringRecipients_)
        return;
    QLineEdit *field = page_->sendMessageTo;
    const QVariant limitValue = smsModule().value(QStringLiteral("ReceverMaxNumber"));
    const int limit = limitValue.isValid() ? yov::nsInt(limitValue) : kSmsDefaultMaxReceivers;
    const SmsRecipientFilter filtered = filterRecipientText(field->text(), phoneSeparator_, limit);
    if (filtered.text.size() != field->text().size()) {
        filteringRecipients_ = true;
        field->setText(filtered.text);
        filteringRecipients_ = false;
    }
    if (filtered.tooMany)
        NSBeginAlertPanelExt(word(QStringLiteral("Warning")), word(QStringLiteral("Number of receivers should not be more than 20!")),
                             word(QStringLiteral("OK")), QString(), {});
    page_->receiverName->setText(searchMultiPhoneNumber(field->text()));
}

// ---------------------------------------------------------------------------------------------
// The Send button.

void SMSController::sendMessage(QObject *sender)
{
    ensurePage();
    SmsService *service = SmsService::installed();
    if (service)
        service->setSmsCurrentOperate(16);
    if (m_nNetCardStatus == 1) {
        saveSMSToDraftWhenNetCaredUnDetected();
        return;
    }
    if (sender && smsSwitch("queryCenterNumBeforeSendingSms")) {
        // The centre's answer goes on with this send; an answer to another page's query does not.
        centreQueryPending_ = sendRequest<768, 109>(yov::kModuleSetting);
        return;
    }
    checkAndStartSendRun(page_->sendMessageTo->text(), stringForSMSEditor(), QString(), true);
}

// The Send button's checks: a blank field is refused; an empty text asks first, and goes as
// emptyText after OK. false when the run does not start now.
bool SMSController::checkAndStartSendRun(const QString &recipients, const QString &text, const QString &emptyText,
                                         bool fromEditor)
{
    if (isBlankRecipientField(recipients)) {
        NSBeginAlertPanelExt(word(QStringLiteral("Warning")), word(QStringLiteral("Receiver's phone number should not be null!!")),
                             word(QStringLiteral("OK")), QString(), {});
        return false;
    }
    if (text.isEmpty()) {
        QPointer<SMSController> self(this);
        NSBeginAlertPanelExt(word(QStringLiteral("Warning")), word(QStringLiteral("SMS content is empty!!")), word(QStringLiteral("OK")),
                             word(QStringLiteral("Cancel")), [self, recipients, emptyText, fromEditor](int answer) {
                                 if (!self)
                                     return;
                                 if (answer != 1) {
                                     self->notificationCenter().post(QStringLiteral("SmsSendCancelWhenMsgNilNnotification"), self);
                                     return;
                                 }
                                 self->startSendRun(recipients, emptyText, fromEditor);
                             });
        return false;
    }
    startSendRun(recipients, text, fromEditor);
    return true;
}

// Steps 4 to 9 of the Send button for the recipients and the text.
void SMSController::startSendRun(const QString &recipients, const QString &text, bool fromEditor)
{
    if (!phone_receive_.isEmpty()) {
        // Its answers would be counted for the new run.
        qCWarning(lcSmsPage) << "a send run is under way: the new one is not started";
        return;
    }
    QStringList list = splitRecipients(recipients, phoneSeparator_);
    if (list.isEmpty()) {
        // Nothing to send to: no progress sheet that no answer would ever close.
        NSBeginAlertPanelExt(word(QStringLiteral("Warning")), word(QStringLiteral("Receiver's phone number should not be null!!")),
                             word(QStringLiteral("OK")), QString(), {});
        return;
    }
    SmsPageView *p = page_;
    p->cancelSendBtn->hide();
    p->cancelSendBtn->setEnabled(false);
    p->cancelSendBtn->setText(getControlWordingValueByKey(QStringLiteral("Cancel"), 5));
    clearSendSMSPara();
    cancelSendFlag_ = false;

    if (!list.isEmpty() && !recipients.endsWith(phoneSeparator_.left(1))) {
        SmsService *service = SmsService::installed();
        if (service && replacesSpecialNumbers()) {
            const QVariantMap entry = service->getDictionaryContainsSpeicalNumberAndSpeicalString(list.last());
            if (!entry.isEmpty())
                list.last() = yov::nsString(entry.value(QStringLiteral("NumberToHidden")));
        }
    }
    phone_receive_ = list;
    runText_ = text;
    runPackNum_ = std::max(1, partsOf(text));
    runSentAnyPart_ = false;
    if (fromEditor) {
        addRecentRecipients(recipients);
        p->messageWindow->hide();
        setDynamicControllersEnabledByKey(kDrawerItems, true);
    }
    Msg_sendSMSTo(list.first());
    if (!unshowInfoWnd())
        openProgressSheet();
    setDynamicControllersEnabledByKey(kDrawerItems, false);
    showSendingTo(list.first());
}

// The operator's special numbers are shown by name (read from this page's store).
bool SMSController::replacesSpecialNumbers() const
{
    return ConfigService(&config()).checkIfRepalceSpecialPhoneNumberToSpecialString();
}

int SMSController::partsOf(const QString &text) const
{
    const yov::sms::SmsCodecOptions options = smsCodecOptions(&config());
    return yov::sms::getInputPackNum(options, reinterpret_cast<const std::uint16_t *>(text.utf16()), int(text.size()));
}

bool SMSController::unshowInfoWnd() const
{
    return smsSwitch("noSendInfoWnd");
}

void SMSController::openProgressSheet()
{
    QDialog *sheet = page_->newSMSInfoWindow;
    sheet->setWindowModality(Qt::WindowModal);
    if (!sheet->isVisible())
        sheet->open();
}

void SMSController::closeProgressSheet()
{
    if (page_)
        page_->newSMSInfoWindow->hide();
}

QString SMSController::displayNameOfRecipient(const QString &number) const
{
    SmsService *service = SmsService::installed();
    if (service && replacesSpecialNumbers()) {
        const QVariantMap entry = service->getDictionaryContainsSpeicalNumberAndSpeicalStringWithPhoneNumber(number);
        if (!entry.isEmpty())
            return yov::nsString(entry.value(QStringLiteral("NameToShow")));
    }
    const QString name = Neighbours::phonebook().searchNameAtPhoneBook(number);
    return name.isEmpty() ? number : name;
}

void SMSController::showSendingTo(const QString &number)
{
    if (!page_)
        return;
    if (number.isEmpty()) {
        page_->newSMSInfoText->setText(word(QStringLiteral("Sending...")));
        return;
    }
    page_->newSMSInfoText->setText(QStringLiteral("%1%2,%3").arg(word(QStringLiteral("Send SMS to:")), displayNameOfRecipient(number),
                                                                  word(QStringLiteral("Sending..."))));
}

// ---------------------------------------------------------------------------------------------
// One recipient.

bool SMSController::Msg_sendSMSTo(const QString &number)
{
    const bool sent = sendSmsTo(number, runText_, Neighbours::setting().readDeliveryReport(), true, true);
    if (!sent) {
        // Nothing is on its way: the recipient counts as failed in all its parts and the run
        // goes on after the pause.
        clock().schedule(0, this, [this] { takeSendResult(allPartsFailed()); });
        return false;
    }
    armSendTimeout();
    return true;
}

// The diagnostic report and a background send end as failed sends when their answer cannot come;
// a run of the user's own ends with its summary instead.
bool SMSController::sendEndsAsFailedWithoutAnswer() const
{
    SmsService *service = SmsService::installed();
    return Neighbours::init().reportSendFlag() || (service && service->sendingSMSInBackGround());
}

// The answer a send gets that went nowhere or will never be answered: all its parts failed.
yov::SmsSendResult SMSController::allPartsFailed() const
{
    yov::SmsSendResult failed;
    failed.partCount = std::min(runPackNum_, int(yov::SmsSendResult::kMaxParts));
    return failed;
}

bool SMSController::sendSmsTo(const QString &number, const QString &text, bool report, bool returnSendResult,
                              bool saveInCorrespondBox)
{
    yov::SmsSendRequest r;
    r.centre = Neighbours::setting().readMessageCenter();
    r.reportWanted = report;
    r.validity = Neighbours::setting().readValidityPeriod();
    r.text = text;
    r.recipient = number;
    r.saveInBox = saveInCorrespondBox;
    r.noResultWanted = !returnSendResult;
    // A centre the record cannot hold: the device service uses its own.
    if (r.centre.toUtf8().size() >= yov::SmsSendRequest::kLenCentre)
        r.centre.clear();
    QString error;
    if (!r.encode(&error)) {
        qCWarning(lcSmsPage).noquote() << "SMS to" << number << "not sent:" << error;
        return false;
    }
    r.reference = readRefIndex();
    if (!sendRequest<768, 90>(EncodedRecord<yov::SmsSendRequest::kSize>{*r.encode()}))
        return false;
    if (returnSendResult)
        ++pendingSendAnswers_;

    const QString reportTo = yov::nsString(config().getConfigurationByModule(QStringLiteral("SendReportTo")));
    if (!reportTo.isEmpty() && reportTo == number && Neighbours::init().reportSendFlag()) {
        phone_receive_ << number;
        showImformationWinWhenSendReport();
        // Its sheet has no button: an answer that never comes must not leave it up for good.
        if (returnSendResult)
            armSendTimeout();
    } else if (page_) {
        page_->btnSendReport_->setEnabled(false);
    }
    if (SmsService *service = SmsService::installed(); service && service->sendingSMSInBackGround()) {
        if (phone_receive_.isEmpty()) {
            runText_ = text;
            runPackNum_ = std::max(1, partsOf(text));
        }
        phone_receive_ << number;
        // Send stays off until the answer: one that never comes must not keep it off.
        if (returnSendResult)
            armSendTimeout();
    }
    return true;
}

void SMSController::showImformationWinWhenSendReport()
{
    ensurePage();
    page_->cancelSendBtn->hide();
    page_->btnSendReport_->setEnabled(false);
    page_->newSMSInfoText->setText(word(QStringLiteral("Sending a Report to varozori")));
    openProgressSheet();
    setDynamicControllersEnabledByKey(kDrawerItems, false);
}

quint8 SMSController::readRefIndex()
{
    const QVariant stored = config().getConfigurationByModule(QStringLiteral("smsConcatRefIndex"));
    const quint8 next = stored.isValid() ? quint8((yov::nsInt(stored) + 1) & 0xff) : 0;
    config().setConfigurationByModule(QStringLiteral("smsConcatRefIndex"), int(next));
    if (!config().writeToFile())
        qCWarning(lcSmsPage) << "the concatenation reference could not be written";
    return next;
}

void SMSController::armSendTimeout()
{
    if (sendTimeoutId_)
        clock().cancel(sendTimeoutId_);
    sendTimeoutId_ = 0;
    if (phone_receive_.isEmpty())
        return;
    sendTimeoutId_ = clock().schedule(kSendAnswerTimeoutMs, this, [this] {
        sendTimeoutId_ = 0;
        qCWarning(lcSmsPage) << "no answer to the send to" << phone_receive_.value(messageSendCount_) << "- the run ends";
        if (pendingSendAnswers_ > 0)
            --pendingSendAnswers_;
        if (sendEndsAsFailedWithoutAnswer()) {
            // The report's sheet closes and the report can go again; a background send ends
            // with its failure window and gives Send back.
            takeSendResult(allPartsFailed());
            return;
        }
        endRunAsCancelled();
    });
}

// ---------------------------------------------------------------------------------------------
// Answers.

void SMSController::dealWithMsgOfSendSMS(const yov::Notification &notification)
{
    yov::UI_MSG msg = yov::zeroMsg();
    yovMsgCenter()->getMsgPackage(&msg, &notification);
    if (msg.type != yov::kSmsTypeAnswer)
        return;
    if (pendingSendAnswers_ <= 0) {
        qCInfo(lcSmsPage) << "a send answer with no send pending is ignored";
        return;
    }
    --pendingSendAnswers_;
    if (sendTimeoutId_) {
        clock().cancel(sendTimeoutId_);
        sendTimeoutId_ = 0;
    }
    takeSendResult(yov::SmsSendResult::decode(yov::PayloadReader::ofMsg(msg)));
}

void SMSController::takeSendResult(const yov::SmsSendResult &result)
{
    notificationCenter().post(QStringLiteral("SMSSendFinished"), this, {{QStringLiteral("deletFlag"), 1}});
    const int sent = result.sentParts();
    messageSendOkCount_ += sent;
    messageSendFailedCount_ += result.failedParts();
    if (sent > 0)
        runSentAnyPart_ = true;

    InitControllerInterface &init = Neighbours::init();
    if (init.reportSendFlag()) {
        closeProgressSheet();
        if (sent == result.partCount && sent > 0)
            NSBeginAlertPanelExt(QString(), word(QStringLiteral("The report was sent.")), word(QStringLiteral("OK")),
                                 QString(), {});
        init.setReportSendFlag(false);
        if (page_)
            page_->btnSendReport_->setEnabled(true);
        clearSendSMSPara();
        return;
    }
    if (Neighbours::main().isSendingUserInfo())
        recordUserInfoResult();
    if (phone_receive_.isEmpty()) {
        // A send without a run (the registration messages): counted, no sheet, no summary.
        messageSendOkCount_ = 0;
        messageSendFailedCount_ = 0;
        reloadAfterSend();
        return;
    }
    if (page_) {
        page_->cancelSendBtn->show();
        page_->cancelSendBtn->setEnabled(true);
    }
    if (isDraftSms_ && runSentAnyPart_) {
        deleteDraftatIndex(draftIndex_, draftPosition_);
        isDraftSms_ = false;
    }
    if (messageSendCount_ < int(phone_receive_.size()) - 1) {
        ++messageSendCount_;
        delayId_ = clock().schedule(kSendPauseMs, this, [this] {
            delayId_ = 0;
            delaySendStatus();
        });
    } else {
        finishRun();
    }
    reloadAfterSend();
}

void SMSController::reloadAfterSend()
{
    if (getCurrentPosition() == yov::sms::kPositionTcard)
        setSynTcardSmsFlag(true);
    loadSmsList();
    if (page_)
        reloadTable();
}

void SMSController::finishRun()
{
    if (SmsService *service = SmsService::installed())
        service->saveSendSuccessResultBySendCount(messageSendOkCount_ + messageSendFailedCount_, messageSendOkCount_);
    closeProgressSheet();
    if (page_) {
        page_->newSMSInfoText->clear();
        page_->cancelSendBtn->setText(word(QStringLiteral("OK")));
        page_->cancelSendBtn->show();
        page_->cancelSendBtn->setEnabled(true);
    }
    setDynamicControllersEnabledByKey(kDrawerItems, true);
    if (m_nNetCardStatus == 12 && page_ && !unshowInfoWnd() && !phone_receive_.isEmpty()) {
        openProgressSheet();
        setDynamicControllersEnabledByKey(kDrawerItems, false);
    }
    setSendResultInfo();
    if (page_) {
        page_->btnSendReport_->setEnabled(true);
        clearTableSelection();
    }
    isDraftSms_ = false;
    clearSendSMSPara();
    setSmsStateToNormalAfterSendSMSOverOnBackGround();
}

void SMSController::delaySendStatus()
{
    if (!cancelSendFlag_) {
        const QString next = phone_receive_.value(messageSendCount_);
        showSendingTo(next);
        if (page_) {
            page_->cancelSendBtn->hide();
            page_->cancelSendBtn->setText(getControlWordingValueByKey(QStringLiteral("Cancel"), 5));
            page_->cancelSendBtn->setEnabled(false);
        }
        if (messageSendCount_ < int(phone_receive_.size()))
            Msg_sendSMSTo(next);
        return;
    }
    endRunAsCancelled();
}

// The progress sheet becomes the summary: no further recipient, the button says OK.
void SMSController::showSummarySheet()
{
    if (delayId_) {
        clock().cancel(delayId_);
        delayId_ = 0;
    }
    if (page_) {
        page_->cancelSendBtn->show();
        page_->cancelSendBtn->setEnabled(true);
        page_->cancelSendBtn->setText(word(QStringLiteral("OK")));
        if (!unshowInfoWnd())
            openProgressSheet();
    }
    setDynamicControllersEnabledByKey(kDrawerItems, false);
}

void SMSController::endRunAsCancelled()
{
    showSummarySheet();
    setSendResultInfo();
    if (page_)
        reloadTable();
    isDraftSms_ = false;
    clearSendSMSPara();
    setSmsStateToNormalAfterSendSMSOverOnBackGround();
}

// The progress sheet's button: Cancel during a run, OK on the summary.
void SMSController::endSendSmsInfoWindow()
{
    closeProgressSheet();
    if (page_)
        page_->newSMSInfoText->clear();
    setDynamicControllersEnabledByKey(kDrawerItems, true);
    if (phone_receive_.isEmpty())
        return; // the summary's OK
    cancelSendFlag_ = true;
    // Cancel during the pause: the run ends now with its summary.
    if (delayId_)
        endRunAsCancelled();
}

void SMSController::clearSendSMSPara()
{
    messageSendCount_ = 0;
    messageSendOkCount_ = 0;
    messageSendFailedCount_ = 0;
    phone_receive_.clear();
    if (sendTimeoutId_) {
        clock().cancel(sendTimeoutId_);
        sendTimeoutId_ = 0;
    }
}

void SMSController::setSendResultInfo()
{
    if (!page_)
        return;
    const int ok = messageSendOkCount_;
    const int failed = messageSendFailedCount_;
    if (smsSwitch("noDisplayCanceledNumAfterFinishingSend")) {
        page_->newSMSInfoText->setText(QStringLiteral("%1%2,%3%4,%5%6")
                                           .arg(word(QStringLiteral("Send Total:")))
                                           .arg(ok + failed)
                                           .arg(word(QStringLiteral("Send success:")))
                                           .arg(ok)
                                           .arg(word(QStringLiteral("failed:")))
                                           .arg(failed));
        return;
    }
    const int cancelled = std::max(0, int(phone_receive_.size()) * runPackNum_ - failed - ok);
    page_->newSMSInfoText->setText(QStringLiteral("%1%2,%3%4,%5%6")
                                       .arg(word(QStringLiteral("Send success:")))
                                       .arg(ok)
                                       .arg(word(QStringLiteral("failed:")))
                                       .arg(failed)
                                       .arg(getControlWordingValueByKey(QStringLiteral("cancel:"), 5))
                                       .arg(cancelled));
}

void SMSController::dealWithMsgOfConcatSMSInfo(const yov::Notification &notification)
{
    yov::UI_MSG msg = yov::zeroMsg();
    yovMsgCenter()->getMsgPackage(&msg, &notification);
    if (!page_ || phone_receive_.isEmpty())
        return;
    const yov::SmsSendProgress progress = yov::SmsSendProgress::decode(yov::PayloadReader::ofMsg(msg));
    const QString part = progress.total > 1 ? QStringLiteral("(%1/%2)").arg(progress.part).arg(progress.total) : QString();
    page_->newSMSInfoText->setText(QStringLiteral("%1%2%3,%4")
                                       .arg(word(QStringLiteral("Send SMS to:")),
                                            Neighbours::phonebook().searchNameAtPhoneBook(progress.recipient), part,
                                            word(QStringLiteral("Sending..."))));
}

// ---------------------------------------------------------------------------------------------
// Sends of other pages.

bool SMSController::sendMessageto(const QString &number, const QString &text)
{
    if (m_nNetCardStatus != 12) {
        notificationCenter().post(QStringLiteral("SMSSendFinished"), this, {{QStringLiteral("deletFlag"), 0}});
        return false;
    }
    if (!phone_receive_.isEmpty()) {
        qCWarning(lcSmsPage) << "a send run is under way: the SMS to" << number << "is not sent";
        notificationCenter().post(QStringLiteral("SMSSendFinished"), this, {{QStringLiteral("deletFlag"), 0}});
        return false;
    }
    ensurePage();
    // An editor the user has open keeps what it holds; the send takes its own number and text.
    if (!page_->messageWindow->isVisible()) {
        page_->sendMessageTo->setText(number);
        setStringForSMSEditor(text);
    }
    // An empty text confirmed with OK goes as one space. Refused only for a blank number.
    checkAndStartSendRun(number, text, QStringLiteral(" "), false);
    return !isBlankRecipientField(number);
}

void SMSController::sendMessageToNumber(const QString &number)
{
    ensurePage();
    newMessage(nullptr);
    page_->sendMessageTo->setText(number);
}

void SMSController::toNewMsgWinWithPhoneNumbers(const QStringList &numbers, const QString &)
{
    ensurePage();
    newMessage(nullptr);
    QString field;
    for (const QString &number : numbers)
        field += number + phoneSeparator_.left(1);
    page_->sendMessageTo->setText(field);
    controlTextDidChange();
}

void SMSController::replyMessage(QObject *sender)
{
    QString numbers;
    if (auto *field = qobject_cast<QLineEdit *>(sender))
        numbers = field->text();
    else
        numbers = getMobilePhoneFromSelectedSMS();
    if (!numbers.isEmpty() && !numbers.endsWith(phoneSeparator_.left(1)))
        numbers += phoneSeparator_.left(1);
    sendMessageToNumber(numbers);
    controlTextDidChange();
}

void SMSController::replyMessageFromMMS(const QString &number)
{
    sendMessageToNumber(number);
    setStringForSMSEditor(QString());
}

void SMSController::forwardMessage(QObject *)
{
    const QString text = yov::nsString(messageSummary(currentSMSRecord_).value(QStringLiteral("messagetext")));
    newMessage(nullptr);
    setStringForSMSEditor(text);
}

void SMSController::sendMessageInDraftBox(QObject *)
{
    ensurePage();
    if (selectedRows().size() > 1)
        return;
    const int box = getCurrentBox();
    const QVariantMap summary = messageSummary(currentSMSRecord_);
    if (box == yov::sms::kBoxDraftBox) {
        isDraftSms_ = true;
        draftPosition_ = getCurrentPosition();
        draftIndex_ = yov::nsInt(currentSMSRecord_.value(QStringLiteral("index")));
        page_->sendMessageTo->clear();
        setStringForSMSEditor(QString());
        filteringRecipients_ = smsSwitch("HideSpecialNumber");
        page_->sendMessageTo->setText(yov::nsString(summary.value(QStringLiteral("mobilephone"))));
        filteringRecipients_ = false;
        setStringForSMSEditor(yov::nsString(summary.value(QStringLiteral("messagetext"))));
    } else if (box == yov::sms::kBoxInBox || box == yov::sms::kBoxOutBox) {
        QString number = yov::nsString(summary.value(QStringLiteral("mobilephone")));
        SmsService *service = SmsService::installed();
        QVariantMap special;
        if (service && replacesSpecialNumbers())
            special = service->getDictionaryContainsSpeicalNumberAndSpeicalStringWithPhoneNumber(number);
        if (!special.isEmpty())
            number = yov::nsString(special.value(QStringLiteral("NameToShow")));
        else if (!number.endsWith(phoneSeparator_.left(1)))
            number += phoneSeparator_.left(1);
        page_->sendMessageTo->setText(number);
        setStringForSMSEditor(yov::nsString(summary.value(QStringLiteral("messagetext"))));
    }
    setSendSMSBtnStatWhenNewMessage();
    openMessageWin();
    setDynamicControllersEnabledByKey(kDrawerItems, false);
}

void SMSController::sendSMSWithoutWin(QObject *)
{
    if (!page_ || selectedRows().size() > 1)
        return;
    const QVariantMap summary = messageSummary(currentSMSRecord_);
    const QString number = yov::nsString(summary.value(QStringLiteral("mobilephone")));
    const QString text = yov::nsString(summary.value(QStringLiteral("messagetext")));
    if (number.isEmpty())
        return;
    sendMessageto(number, text);
}

// ---------------------------------------------------------------------------------------------
// Drafts.

void SMSController::selectBox(int box)
{
    if (!boxView_)
        return;
    if (boxView_->msgBoxSelectAt->selectCellAtRow(getBoxDisplayOrderWithBox(box)))
        msgBoxSelect();
    else
        reloadTable();
}

void SMSController::deleteDraftatIndex(int index, int position)
{
    if (!smsIsDeviceStore(position)) {
        // A computer draft goes from the computer's drafts.
        std::optional<QVariantList> drafts = getAllPcListByBox(yov::sms::kBoxDraftBox);
        if (!drafts)
            return;
        for (qsizetype i = 0; i < drafts->size(); ++i)
            if (yov::nsInt(yov::nsDict(drafts->at(i)).value(QStringLiteral("index"))) == index) {
                drafts->removeAt(i);
                writeMessagesToPC(*drafts, yov::sms::kBoxDraftBox);
                return;
            }
        return;
    }
    sendRequest<768, 91>(yov::SmsDeleteRequest{position, yov::sms::kBoxDraftBox, index});
}

void SMSController::saveMessageToDraft(QObject *)
{
    ensurePage();
    if (SmsService *service = SmsService::installed())
        service->setSmsCurrentOperate(17);
    if (m_nNetCardStatus == 1) {
        saveSMSToDraftWhenNetCaredUnDetected();
        return;
    }
    const QString recipients = page_->sendMessageTo->text();
    const QString text = stringForSMSEditor();
    const bool toSim = smsSwitch("isSaveDraftSMSToSIM");
    if (toSim) {
        const char *problem = isBlankRecipientField(recipients) ? "Receiver's phone number should not be null!!"
                              : text.isEmpty()                  ? "SMS content is empty!!"
                                                                : nullptr;
        if (problem) {
            NSBeginAlertPanelExt(word(QStringLiteral("Warning")), word(QLatin1String(problem)), word(QStringLiteral("OK")), QString(), {});
            return;
        }
    }
    yov::SmsDraftRequest draft;
    draft.text = text;
    draft.recipients = recipients;
    draft.centre = Neighbours::setting().readMessageCenter();
    draft.reportWanted = Neighbours::setting().readDeliveryReport() ? 1 : 0;
    draft.validity = Neighbours::setting().readValidityPeriod();
    if (draft.centre.toUtf8().size() >= yov::SmsDraftRequest::kLenCentre)
        draft.centre.clear();
    QString error;
    const std::optional<QByteArray> bytes = draft.encode(&error);
    if (!bytes) {
        // Nothing is lost: the editor stays open with what was typed.
        qCWarning(lcSmsPage).noquote() << "draft not stored:" << error;
        const bool tooMany = recipients.toUtf8().size() >= yov::SmsDraftRequest::kLenRecipients;
        NSBeginAlertPanelExt(word(QStringLiteral("Warning")),
                             word(tooMany ? QStringLiteral("Too many receivers to save as a draft!")
                                          : QStringLiteral("SMS content exceeds the max length!")),
                             word(QStringLiteral("OK")), QString(), {});
        return;
    }
    if (toSim)
        setButtonState(0);
    if (isDraftSms_) {
        deleteDraftatIndex(draftIndex_, draftPosition_);
        isDraftSms_ = false;
    }
    page_->messageWindow->hide();
    setDynamicControllersEnabledByKey(kDrawerItems, true);
    sendDraftRecord(*bytes, recipients, text);
    if (!toSim)
        selectPositionRow(yov::sms::kPositionPc);
    if (isFullWithPosition(yov::sms::kPositionPc) && smsSwitch("Sms_CheckPCCompacity_IfNeeded"))
        alertFullWithPosition(yov::sms::kPositionPc, FullAlertDatabase);
    selectBox(yov::sms::kBoxDraftBox);
}

void SMSController::addToPcDraftBoxWithPhone(const QString &recipients, const QString &text)
{
    yov::SmsDraftRequest draft;
    draft.text = text;
    draft.recipients = recipients;
    QString error;
    const std::optional<QByteArray> bytes = draft.encode(&error);
    if (!bytes) {
        qCWarning(lcSmsPage).noquote() << "quick draft not stored:" << error;
        return;
    }
    sendDraftRecord(*bytes, recipients, text);
    selectPositionRow(yov::sms::kPositionPc);
    selectBox(yov::sms::kBoxDraftBox);
}

void SMSController::saveSMSToDraftWhenNetCaredUnDetected()
{
    ensurePage();
    const QString text = stringForSMSEditor();
    if (text.isEmpty()) {
        NSBeginAlertPanelExt(word(QStringLiteral("Warning")), word(QStringLiteral("SMS content is empty!!")), word(QStringLiteral("OK")),
                             QString(), {});
        return;
    }
    QVariantList drafts = getAllPcListByBox(yov::sms::kBoxDraftBox).value_or(QVariantList());
    drafts.append(computerDraft(page_->sendMessageTo->text(), text, clock().now()));
    QPointer<SMSController> self(this);
    writeMessagesToPC(drafts, yov::sms::kBoxDraftBox, [self](const SmsBoxWriteResult &result) {
        if (!self || !self->page_)
            return;
        if (result.ok) {
            self->page_->messageWindow->hide();
            self->setDynamicControllersEnabledByKey(kDrawerItems, true);
            self->selectBox(yov::sms::kBoxDraftBox);
        }
    });
}

void SMSController::keepEditorAsComputerDraft()
{
    if (!page_)
        return;
    const bool fromDraft = isDraftSms_;
    isDraftSms_ = false; // a later send must not delete the draft this editor came from
    const QString text = stringForSMSEditor();
    const QString recipients = page_->sendMessageTo->text();
    if (text.isEmpty() && recipients.trimmed().isEmpty())
        return;
    const bool replaces = fromDraft && !smsIsDeviceStore(draftPosition_);
    addComputerDrafts({computerDraft(recipients, text, clock().now())}, replaces ? std::optional<int>(draftIndex_) : std::nullopt);
}

void SMSController::addComputerDrafts(const QVariantList &added, std::optional<int> replacing)
{
    // No drafts box yet: the write creates it (the writer keeps what the file holds meanwhile).
    std::optional<QVariantList> drafts = getAllPcListByBox(yov::sms::kBoxDraftBox).value_or(QVariantList());
    if (replacing) {
        for (qsizetype i = 0; i < drafts->size(); ++i)
            if (yov::nsInt(yov::nsDict(drafts->at(i)).value(QStringLiteral("index"))) == *replacing) {
                drafts->removeAt(i);
                break;
            }
    }
    *drafts << added;
    writeMessagesToPC(*drafts, yov::sms::kBoxDraftBox);
}

void SMSController::sendDraftRecord(const QByteArray &record, const QString &recipients, const QString &text)
{
    const QVariantMap draft = computerDraft(recipients, text, clock().now());
    if (!sendRequest<768, 93>(EncodedRecord<yov::SmsDraftRequest::kSize>{record})) {
        qCWarning(lcSmsPage) << "the draft could not be handed over: it is kept on the computer";
        addComputerDrafts({draft});
        return;
    }
    pendingDrafts_ << draft;
}

void SMSController::keepPendingDraftsOnComputer()
{
    if (pendingDrafts_.isEmpty())
        return;
    qCWarning(lcSmsPage) << pendingDrafts_.size() << "draft(s) not stored by the device service are kept on the computer";
    addComputerDrafts(std::exchange(pendingDrafts_, {}));
}

void SMSController::dealWithMsgOfSaveSMSToDraft(const yov::Notification &notification)
{
    yov::UI_MSG msg = yov::zeroMsg();
    yovMsgCenter()->getMsgPackage(&msg, &notification);
    if (msg.type != yov::kSmsTypeAnswer)
        return;
    const QVariantMap draft = pendingDrafts_.isEmpty() ? QVariantMap() : yov::nsDict(pendingDrafts_.takeFirst());
    if (msg.result != 0) {
        // The editor is closed already: what it held goes to the computer's drafts.
        qCWarning(lcSmsPage) << "the draft was not stored: result" << int(msg.result) << "- it is kept on the computer";
        if (!draft.isEmpty())
            addComputerDrafts({draft});
    }
    loadSmsList();
    setButtonState(1);
    if (page_)
        reloadTable();
}

// ---------------------------------------------------------------------------------------------
// The registration messages and the background send.

void SMSController::recordUserInfoResult()
{
    resultOfSendUsrInfo_ << QVariantMap{{QStringLiteral("sendMsgOver"), true},
                                        {QStringLiteral("sendMsgSuccess"), messageSendOkCount_ > 0}};
    messageSendOkCount_ = 0;
    if (resultOfSendUsrInfo_.size() < 3)
        return;
    Neighbours::main().setIsSendingUserInfo(false);
    setSendSMSBtnStatWhenSendUserInfo(true);
    if (SmsService *service = SmsService::installed())
        service->setUnshowInfoWndWhenSendSmsByFlag(false);
    bool all = true;
    for (const QVariant &entry : std::as_const(resultOfSendUsrInfo_))
        all = all && yov::nsBool(yov::nsDict(entry).value(QStringLiteral("sendMsgSuccess")));
    resultOfSendUsrInfo_.clear();
    if (all)
        writeSendResIntoFileIfSendSuccess();
}

void SMSController::writeSendResIntoFileIfSendSuccess()
{
    config().setConfigurationByModuleKeyAndValue(QStringLiteral("Main"), QStringLiteral("Main_SendUserInfoOK"), true);
    if (!config().writeToFile())
        qCWarning(lcSmsPage) << "Main_SendUserInfoOK could not be written";
}

void SMSController::sendMessageBackground(const QStringList &numbers, const QString &text)
{
    ensurePage();
    clearSendSMSPara();
    cancelSendFlag_ = false;
    runText_ = text;
    runPackNum_ = std::max(1, partsOf(text));
    if (numbers.isEmpty())
        return;
    if (SmsService *service = SmsService::installed()) {
        service->setSendingSmsSMSInBackGroud(true);
        service->setUnshowInfoWndWhenSendSmsByFlag(true);
    }
    setSMSInterfaceWhenSendSMSONBackGround();
    // sendSmsTo puts the recipient into the run while the background flag is set.
    if (!sendSmsTo(numbers.first(), text, false, true, false)) {
        phone_receive_ = numbers;
        takeSendResult(allPartsFailed());
        return;
    }
    phone_receive_ = numbers;
    armSendTimeout();
}

void SMSController::setSmsStateToNormalAfterSendSMSOverOnBackGround()
{
    SmsService *service = SmsService::installed();
    if (!service || !service->sendingSMSInBackGround())
        return;
    service->setSendingSmsSMSInBackGroud(false);
    service->setUnshowInfoWndWhenSendSmsByFlag(false);
    setSMSInterfaceWhenSendSMSInFront();
    if (!smsSwitch("SMS_ShowSendInfoWnd_WhenSendSMSFailOnBackGround"))
        return;
    const bool success = service->sendingSMSSuccess();
    if (success)
        return;
    const QString message = WordingOperation::getDisplayWordingValueByWordingKey(QStringLiteral("SMS_labelOfSendingSMSReultInfoOnBG_Fail"));
    NSBeginAlertPanelExt(QString(), message, WordingOperation::getDisplayWordingValueByWordingKey(QStringLiteral("SMS_btnOfOKInReSultWnd")),
                         QString(), {});
}

// ---------------------------------------------------------------------------------------------
// Recipients from the phonebook and the notifications of outside components.

// The recipient field's way to the phonebook: an action at its end that opens the picker.
void SMSController::initSearchField()
{
    if (!page_ || page_->sendMessageTo->findChild<QAction *>(QStringLiteral("phonebookAction")))
        return;
    auto *action = new QAction(word(QStringLiteral("phonebook")), page_->sendMessageTo);
    action->setObjectName(QStringLiteral("phonebookAction"));
    action->setToolTip(word(QStringLiteral("Search contact from phonebook")));
    action->setIcon(page_->style()->standardIcon(QStyle::SP_FileDialogContentsView));
    page_->sendMessageTo->addAction(action, QLineEdit::TrailingPosition);
    connect(action, &QAction::triggered, this, [this] { showRecipientMenu(); });
}

void SMSController::showRecipientMenu()
{
    if (!page_)
        return;
    QLineEdit *field = page_->sendMessageTo;
    auto *menu = field->findChild<QMenu *>(QStringLiteral("recipientMenu"));
    if (!menu) {
        menu = new QMenu(field);
        menu->setObjectName(QStringLiteral("recipientMenu"));
    }
    menu->clear();
    menu->setTitle(word(QStringLiteral("Search contact from phonebook")));
    menu->addAction(word(QStringLiteral("phonebook")), this, [this] { showSelectWindow(); });
    if (!recentRecipients_.isEmpty())
        menu->addSeparator();
    for (const QString &recent : std::as_const(recentRecipients_))
        menu->addAction(recent, field, [field, recent] { field->setText(recent); });
    menu->popup(field->mapToGlobal(field->rect().bottomRight()) - QPoint(menu->sizeHint().width(), 0));
}

void SMSController::addRecentRecipients(const QString &recipients)
{
    const QString text = recipients.trimmed();
    if (text.isEmpty())
        return;
    recentRecipients_.removeAll(text);
    recentRecipients_.prepend(text);
    while (recentRecipients_.size() > kMaxRecentRecipients)
        recentRecipients_.removeLast();
}

void SMSController::showSelectWindow()
{
    ensurePage();
    Neighbours::contactPicker().showSelectWindow(ContactPickerForm::RecipientSheet, page_->messageWindow,
                                                 QSizeF(page_->messageWindow->size()));
}

void SMSController::setTheSearchFieldText(const QStringList &numbers)
{
    if (!page_ || numbers.isEmpty())
        return;
    QLineEdit *field = page_->sendMessageTo;
    QString text = field->text();
    const QString sep = phoneSeparator_.left(1);
    for (const QString &number : numbers) {
        if (text.size() > 1 && !text.endsWith(sep))
            text += sep + number + sep;
        else
            text += number + sep;
    }
    field->setText(text);
    controlTextDidChange();
    field->setFocus();
}

void SMSController::recieveSMSNotification(const yov::Notification &notification)
{
    sendMessageto(yov::nsString(notification.userInfo.value(QStringLiteral("phoneNumber"))),
                  yov::nsString(notification.userInfo.value(QStringLiteral("messageText"))));
}

void SMSController::recieveSelectContactNotification(const yov::Notification &notification)
{
    auto *host = qvariant_cast<QWidget *>(notification.userInfo.value(QStringLiteral("BelongToWnd")));
    if (!host)
        host = qobject_cast<QWidget *>(qvariant_cast<QObject *>(notification.userInfo.value(QStringLiteral("BelongToWnd"))));
    Neighbours::contactPicker().showSelectWindow(ContactPickerForm::SimplifiedSheet, host, QSizeF(285, 448));
}

void SMSController::recieveFormatHost(const yov::Notification &notification)
{
    QVariant value = notification.userInfo.value(QStringLiteral("FormatterHostId"));
    QWidget *field = qvariant_cast<QWidget *>(value);
    if (!field)
        field = qobject_cast<QWidget *>(qvariant_cast<QObject *>(value));
    if (!field)
        return;
    MessageTextFormatter *formatter = messageFormatter();
    formatter->setHost(field);
    if (page_) {
        formatter->setTextCount(page_->textCount);
        formatter->setSendNumInfo(page_->sendNumInfo);
    }
}

// ---------------------------------------------------------------------------------------------
// The device went away during a run: the recipients not served become computer drafts.

void SMSController::saveUnservedRecipientsWhenDeviceRemoved()
{
    // A run to one recipient too: its answer cannot come, and its text is in no editor any more.
    if (phone_receive_.isEmpty() || messageSendCount_ >= int(phone_receive_.size()))
        return;
    if (pendingSendAnswers_ > 0)
        --pendingSendAnswers_;
    if (sendEndsAsFailedWithoutAnswer()) {
        // The report or the operator's text is no draft: it ends as a send that failed.
        takeSendResult(allPartsFailed());
        return;
    }
    ensurePage();
    showSummarySheet();
    const int ok = messageSendOkCount_;
    page_->newSMSInfoText->setText(QStringLiteral("%1%2,%3%4,%5%6")
                                       .arg(word(QStringLiteral("Send success:")))
                                       .arg(ok)
                                       .arg(word(QStringLiteral("failed:")))
                                       .arg(std::max(0, int(phone_receive_.size()) * runPackNum_ - ok))
                                       .arg(getControlWordingValueByKey(QStringLiteral("cancel:"), 5))
                                       .arg(0));
    // The recipient whose send was under way got no answer: it is not served either.
    QVariantList drafts;
    // The count points at the recipient being sent or, in the pause, at the next one.
    for (int i = messageSendCount_; i < phone_receive_.size(); ++i)
        drafts.append(computerDraft(phone_receive_.at(i), runText_, clock().now()));
    addComputerDrafts(drafts);
    reloadTable();
    clearSendSMSPara();
}

} // namespace ostrel
