// The receive road of the SMS page: new messages (768/100) and their announcement, class-0
// messages (768/98), delivery reports (768/99), cell broadcasts (768/105) and recharge messages
// (768/101), with the windows they open. Every window opens without a nested loop and without
// taking the focus from what the user is doing.
#include "ostrel/sms/page/SMSController.h"

#include "common/ValueConversion.h"
#include "common/records/sms/SmsRecords.h"
#include "common/sms/SmsBoxCodes.h"
#include "ostrel/framework/config/ConfigFileKeys.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/NeighbourNotifications.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/framework/widgets/ResourcePaths.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "ostrel/sms/page/SmsPageView.h"
#include "ostrel/sms/service/SmsDeliveryReportBox.h"
#include "ostrel/sms/service/SmsPageRules.h"
#include "ostrel/sms/service/SmsService.h"
#include "ostrel/sms/service/SmsSpecialNumbers.h"
#include "ostrel/sms/service/SmsTableCells.h"
#include "platform/Clock.h"

#include <QDialog>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTextEdit>

#include <algorithm>

namespace ostrel {

namespace {

// The date of a record's time stamp; the time of arrival when the stamp gives none.
QDateTime arrivalDate(const QString &stamp, const yov::Clock &clock)
{
    const QDateTime date = yov::calcTimeStamp(stamp);
    return date.isValid() ? date : clock.now();
}

QStringList stringsOf(const QVariant &value)
{
    QStringList out;
    for (const QVariant &v : yov::nsArray(value))
        if (const QString s = yov::nsString(v); !s.isEmpty())
            out << s;
    return out;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Handlers.

void SMSController::dealWithMsgOfRevNewSMS(const yov::Notification &notification)
{
    yov::UI_MSG msg = yov::zeroMsg();
    yovMsgCenter()->getMsgPackage(&msg, &notification);
    if (!yov::smsTypeAccepted(yov::smsmsg::kMinorNewSms, msg.type)) {
        qCWarning(lcSmsPage) << "new-message report of type" << msg.type << "ignored";
        return;
    }
    receiveNewSms(yov::MSG_REV_NEW_SMS_RES_PARA_T::decode(yov::PayloadReader::ofMsg(msg)));
}

void SMSController::receiveNewSms(const yov::MSG_REV_NEW_SMS_RES_PARA_T &record)
{
    ensurePage();
    SmsPageView *p = page_;
    const ConfigService switches(&config());
    SmsService *service = SmsService::installed();

    // 1. The part is counted under its message.
    receiveHistory_.setReciveHistoryWithNewConcatSms(record);

    // 2. Sender, date and name.
    const QString number = record.sender;
    const QString dateText = formatStringFromDate(arrivalDate(record.timeStamp, clock()));
    const QString looked = Neighbours::phonebook().searchNameAtPhoneBook(number);
    const QString name = looked.isEmpty() ? number : looked;
    const bool inPhonebook = !looked.isEmpty() && looked != number;

    // 3. A reply to a usage check is shown on the Internet tab.
    const bool usageReply = showCheckUsageRespondingSMSContent(record.text, number);

    // 4. The new-message window's fields.
    QVariantMap special;
    if (service && switches.checkIfRepalceSpecialPhoneNumberToSpecialString())
        special = service->getDictionaryContainsSpeicalNumberAndSpeicalStringWithPhoneNumber(name);
    const QString shownName = special.isEmpty() ? name : yov::nsString(special.value(QStringLiteral("NameToShow")));
    if (smsSwitch("UnshowNewMessageNameIfNotFoundInPhoneBook") && !inPhonebook) {
        p->New_SMS_Name_Label->hide();
        p->New_SMS_Name_Text->hide();
        p->New_SMS_Name_Text->clear();
    } else {
        p->New_SMS_Name_Label->show();
        p->New_SMS_Name_Text->show();
        p->New_SMS_Name_Text->setText(shownName);
    }
    p->New_SMS_From_Text->setText(special.isEmpty() ? number : shownName);
    p->New_SMS_Date_Text->setText(dateText);

    // 5, 6. The text gathered so far of the message being shown.
    receiveSmsContentText_ += record.text;
    const bool complete = receiveHistory_.isFinishReceiveNewSms(record);
    if (smsSwitch("newSMSNotification")) {
        p->newSMSNotificationSenderText->setText(shownName);
        p->newSMSNotificationContentText->setPlainText(receiveSmsContentText_);
    }

    // 7, 8. Where it went; the lists again.
    m_revNewPos = record.storage;
    if (m_revNewPos == yov::kSmsStoredPc && switches.isBackUpPcInBoxListBeforeNewSMSArrive() && service)
        service->backUpSmsListOfPcInbox(allPcLists_.value(yov::sms::kBoxInBox));
    loadSmsList();
    if (smsSwitch("newSMSNotification"))
        setNewSMSContentInContentField();

    // 9. Announce, unless it answers a usage check.
    if (usageReply) {
        notifyChangeTabViewItem(QStringLiteral("Internet"));
        if (service)
            service->setBAlreadySendedCheckUsageSMS(false);
    } else {
        doAfterFinishReceiveNewSms(record);
    }

    // 10. Where it could not be stored as wished.
    if (record.storage == yov::kSmsStoredPcSimFull)
        alertFullWithPosition(yov::sms::kPositionSim, FullAlertTooLong);
    else if (record.storage == yov::kSmsStoredPc && isFullWithPosition(yov::sms::kPositionPc) && switches.isCheckPCCompacity())
        alertFullWithPosition(yov::sms::kPositionPc, FullAlertDatabase);

    // 11.
    sendNewSMSArriveNotification(number);

    // 12. The operator's checks once the message is complete; the gathered text is done with.
    if (!complete)
        return;
    receiveSmsContentText_.clear();
    if (switches.isSupportCheckSmsIsFlowValueSMS())
        showFlowAlertWhenNewSmsArrive(record);
    if (switches.isFreshStatusViewWhenNewSMSArrive())
        freshStatusViewWhenNewSMSArrive();
    if (switches.isSupportCheckSmsIsRechargeSMS())
        preTreatBeforeJudgeSMSIsPurchaseSMS(number, record.text);
    if (switches.isSendUnreadRechargeSMSToUSSD())
        passToOtherModelWithSMSContent(record.text, number);
}

void SMSController::doAfterFinishReceiveNewSms(const yov::MSG_REV_NEW_SMS_RES_PARA_T &record)
{
    if (!receiveHistory_.isDoNotifyWhenNewSmsArrived(record, smsSwitch("concatSMSOneNote")))
        return;
    if (record.storage == yov::kSmsStoredTcard)
        setSynTcardSmsFlag(true);
    if (smsSwitch("smsPopUpOfD3u"))
        addPop_UpSMSWhenReceiveNewSMS(record);
    const QString number = record.sender;
    const QVariantMap specials = yov::nsDict(config().getConfigurationByModule(QStringLiteral("ShowSpecialSMS")));
    if (yov::nsBool(specials.value(QStringLiteral("showSMSFromSpecialNumbers")))) {
        showSMSFromSpecialNumbers(number, page_->New_SMS_Name_Text->text(), page_->New_SMS_Date_Text->text(),
                                  receiveSmsContentText_.isEmpty() ? record.text : receiveSmsContentText_, record);
        return;
    }
    const QStringList linkSenders = stringsOf(smsModule().value(QStringLiteral("DisplayHyperlinkForPhoneArray")));
    if (!number.isEmpty() && linkSenders.contains(number)) {
        playShortSound(2);
        const QString looked = Neighbours::phonebook().searchNameAtPhoneBook(number);
        runAlertPanelAttributeStringTitle(looked.isEmpty() ? number : looked,
                                          displayHyperlinkFromSMS(receiveSmsContentText_.isEmpty() ? record.text
                                                                                                   : receiveSmsContentText_),
                                          word(QStringLiteral("OK")), QString());
        receiveSmsContentText_.clear();
        return;
    }
    newSmsArrivedNotification();
}

// ---------------------------------------------------------------------------------------------
// The windows.

void SMSController::connectReceiveWindows()
{
    SmsPageView *p = page_;
    connect(p->newSMSArriveMsgOKBtn, &QPushButton::clicked, this, [this] { newSMSArriveMsgOK(page_->newSMSArriveMsgOKBtn); });
    connect(p->newSMSNotificationCloseBtn, &QPushButton::clicked, this, [this] { newSMSNotificationClose(nullptr); });
    connect(p->newSMSNotificationReadBtn, &QPushButton::clicked, this, [this] { newSMSNotificationRead(nullptr); });
    connect(p->specialSMSOKBtn, &QPushButton::clicked, this, [this] { specialNewSMSWndClose(nullptr); });
    connect(p->class0OkBtn, &QPushButton::clicked, this, [this] { class0ArriveOK(nullptr); });
    connect(p->SMSReportOKBtn, &QPushButton::clicked, this, [this] { SMSReportOK(nullptr); });
    connect(p->btnNewSMSPic_, &QPushButton::clicked, this, [this] { GotoInbox(); });
    // The data-volume alert leads to the inbox that holds the operator's message.
    connect(p->btnFlowValueAlert_, &QPushButton::clicked, this, [this] { GotoInbox(); });
    // The window's close box acts as its button.
    connect(p->newSMSArriveMsg, &QDialog::rejected, this, [this] { newSMSArriveMsgOK(nullptr); });
    connect(p->Win_SMSReport, &QDialog::rejected, this, [this] { SMSReportOK(nullptr); });
    specialAwakeFromNib();
}

void SMSController::showWithoutFocus(QWidget *window)
{
    window->setAttribute(Qt::WA_ShowWithoutActivating, true);
    if (!window->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    window->show();
    window->raise();
}

int SMSController::newSmsCloseSeconds() const
{
    const QVariantMap sms = smsModule();
    const QString key = QStringLiteral("New_SMS_Close_time");
    return sms.contains(key) ? yov::nsInt(sms.value(key)) : kDefaultNewSmsCloseSeconds;
}

void SMSController::newSmsArrivedNotification()
{
    ensurePage();
    SmsPageView *p = page_;
    const QString title = word(QStringLiteral("New sms arrived!"));
    p->SMSMsgText->setText(title);
    p->newSMSNotificationTitleLable->setText(title);
    const bool picture = !smsSwitch("isNotHaveNewSmsPic");
    if (picture) {
        p->Pic_newsms->show();
        p->btnNewSMSPic_->show();
    }
    if (smsSwitch("centerTheNewSMSArriveWnd")) {
        p->newSMSArriveMsg->move(centerTheNewSMSArriveWnd(QSizeF(p->newSMSArriveMsg->size())).toPoint());
        p->newSMSNotificationWnd->move(centerTheNewSMSArriveWnd(QSizeF(p->newSMSNotificationWnd->size())).toPoint());
    }
    if (smsSwitch("smsPopUpOfD3u")) {
        showNewSMSWindowOfPop_Up();
    } else if (smsSwitch("newSMSNotification")) {
        showWithoutFocus(p->newSMSNotificationWnd);
    } else if (!smsSwitch("noNewSMSTipWnd")) {
        showWithoutFocus(p->newSMSArriveMsg);
    }
    playShortSound(2);

    if (closeNewSmsId_)
        clock().cancel(closeNewSmsId_);
    closeNewSmsId_ = 0;
    const int seconds = newSmsCloseSeconds();
    if (seconds > 0)
        closeNewSmsId_ = clock().schedule(seconds * 1000, this, [this] {
            closeNewSmsId_ = 0;
            close_newSMS_Msg();
        });
    if (picture) {
        startNewSmsAnimation();
        showListView();
    }
}

void SMSController::close_newSMS_Msg()
{
    if (page_)
        page_->newSMSArriveMsg->hide();
    stopSound(2);
}

void SMSController::newSMSArriveMsgOK(QObject *)
{
    if (closeNewSmsId_)
        clock().cancel(closeNewSmsId_);
    closeNewSmsId_ = 0;
    close_newSMS_Msg();
    if (ConfigService(&config()).isGoToSMSPageWhenNewSMSArrives())
        GotoInbox();
}

void SMSController::newSMSNotificationClose(QObject *)
{
    if (!page_)
        return;
    page_->newSMSNotificationSenderText->clear();
    page_->newSMSNotificationContentText->clear();
    page_->newSMSNotificationWnd->hide();
    stopSound(2);
}

void SMSController::newSMSNotificationRead(QObject *sender)
{
    newSMSNotificationClose(sender);
    GotoInbox();
    if (!smsSwitch("autoSelectNewSMSInTableView") || !page_ || numberOfRowsInTableView() == 0)
        return;
    page_->msgBoxList->selectRow(0);
    readAndShowMessageText();
}

void SMSController::setNewSMSContentInContentField()
{
    if (page_)
        page_->newSMSNotificationContentText->setPlainText(getNewArriveSMSContent());
}

QString SMSController::getNewArriveSMSContent() const
{
    QVariantList inbox;
    if (m_revNewPos == yov::kSmsStoredPc || m_revNewPos == yov::kSmsStoredPcSimFull)
        inbox = allPcLists_.value(yov::sms::kBoxInBox);
    else if (m_revNewPos == yov::kSmsStoredSim)
        inbox = simLists_.value(yov::sms::kBoxInBox);
    else
        return {};
    return inbox.isEmpty() ? QString() : smsMessageText(yov::nsDict(inbox.constFirst()));
}

void SMSController::sendNewSMSArriveNotification(const QString &number)
{
    notificationCenter().post(QStringLiteral("NewSMSArriveNotification"), this,
                              {{QStringLiteral("PhoneNumber"), number}});
}

QPointF SMSController::centerTheNewSMSArriveWnd(const QSizeF &size) const
{
    if (!page_)
        return DefaultSMSController().centerTheNewSMSArriveWnd(size);
    const QRectF frame = page_->newSMSArriveMsg->frameGeometry();
    return {frame.center().x() - size.width() / 2, frame.center().y() - size.height() / 2};
}

// ---------------------------------------------------------------------------------------------
// The new-message picture: two frames, swapped every half second while messages wait.

void SMSController::startNewSmsAnimation()
{
    if (!page_ || newSmsAnimation_)
        return;
    animationStoppedByMinimise_ = false;
    newSmsAnimation_ = clock().scheduleRepeating(500, this, [this] {
        if (!page_)
            return;
        const bool first = page_->Pic_newsms->property("imagePath").toString() == QLatin1String("NewSms_1");
        setNewSmsPictureFrame(first ? QStringLiteral("NewSms_2") : QStringLiteral("NewSms_1"));
    });
}

void SMSController::setNewSmsPictureFrame(const QString &image)
{
    if (!page_ || page_->Pic_newsms->property("imagePath").toString() == image)
        return;
    page_->Pic_newsms->setProperty("imagePath", image);
    page_->Pic_newsms->setPixmap(QPixmap::fromImage(ResourcePaths::applicationImage(image)));
}

void SMSController::stopNewSmsAnimation()
{
    if (newSmsAnimation_)
        clock().cancel(newSmsAnimation_);
    newSmsAnimation_ = 0;
    if (page_)
        setNewSmsPictureFrame(QStringLiteral("NewSms_1"));
}

void SMSController::stopAnimationWhenMinimizeWithNewSms()
{
    if (!page_ || !newSmsAnimation_)
        return;
    stopNewSmsAnimation();
    animationStoppedByMinimise_ = true;
}

void SMSController::startAnimationWhenMaximizeWithNewSms()
{
    if (!page_ || !animationStoppedByMinimise_ || page_->Pic_newsms->isHidden())
        return;
    startNewSmsAnimation();
}

// ---------------------------------------------------------------------------------------------
// Special numbers, the content rule and the usage-check reply.

bool SMSController::isSpecailSMSNumber(const QString &number) const
{
    const QVariantMap specials = yov::nsDict(config().getConfigurationByModule(QStringLiteral("ShowSpecialSMS")));
    const QVariant threshold = specials.value(QStringLiteral("specialNumberMatchThreshold"));
    return SmsSpecialNumbers::isSpecailSMSNumber(
        number, stringsOf(specials.value(QStringLiteral("SpecialSMSNumbers"))),
        yov::nsBool(specials.value(QStringLiteral("precisionNumbers"))),
        threshold.isValid() ? yov::nsInt(threshold) : SmsSpecialNumbers::kDefaultMatchThreshold);
}

void SMSController::showSMSFromSpecialNumbers(const QString &number, const QString &name, const QString &time,
                                              const QString &content, const yov::MSG_REV_NEW_SMS_RES_PARA_T &record)
{
    SmsPageView *p = page_;
    p->specialSMSSenderText->setText(name.isEmpty() ? number : name);
    p->specialSMSTimeText->setText(time);
    p->specialSMSContentTex->setPlainText(content);
    if (!isSpecailSMSNumber(number)) {
        newSmsArrivedNotification();
        return;
    }
    if (kenyaDedeviKV408SMSProcess(number, content, &record))
        return;
    const QVariantMap specials = yov::nsDict(config().getConfigurationByModule(QStringLiteral("ShowSpecialSMS")));
    if (yov::nsBool(specials.value(QStringLiteral("ShowInModal")))) {
        // A sheet on the window that holds the page (the main window once the tab has it).
        p->specialSMSWnd->setWindowModality(Qt::WindowModal);
        p->specialSMSWnd->open();
    } else {
        showWithoutFocus(p->specialSMSWnd);
    }
    playShortSound(2);
}

void SMSController::specialNewSMSWndClose(QObject *)
{
    if (!page_)
        return;
    page_->specialSMSSenderText->clear();
    page_->specialSMSTimeText->clear();
    page_->specialSMSContentTex->clear();
    page_->specialSMSWnd->hide();
    stopSound(2);
}

bool SMSController::kenyaDedeviKV408SMSProcess(const QString &number, const QString &text,
                                               const yov::MSG_REV_NEW_SMS_RES_PARA_T *record)
{
    const QVariant rule = config().getConfigurationByModule(QStringLiteral("KenyaDedeviKV408"));
    if (rule.typeId() != QMetaType::QVariantMap || !record)
        return false;
    if (yov::nsBool(rule.toMap().value(QStringLiteral("ShowSMSNotification"))))
        newSmsArrivedNotification();
    else
        playShortSound(2);
    notificationCenter().post(QString(notifications::kUSSDBundleMessage), nullptr,
                              {{QStringLiteral("Action"), QStringLiteral("TopUpSMS")},
                               {QStringLiteral("SMSContents"), text},
                               {QStringLiteral("SMSTel"), number},
                               {QStringLiteral("IsUniSMS"), record->concatenated},
                               {QStringLiteral("UniSMSTotal"), int(record->total)},
                               {QStringLiteral("UniSMSCurrent"), int(record->part)}});
    return true;
}

bool SMSController::showCertainNewSMSContent(const QString &text, const QString &number) const
{
    const QVariantMap sms = smsModule();
    if (!yov::nsBool(sms.value(QStringLiteral("NoShowNewSMSWndWithCertainContent"))))
        return false;
    const QVariantMap rule = yov::nsDict(sms.value(QStringLiteral("SpecialSMS")));
    if (rule.isEmpty())
        return false;
    const QString key = yov::nsString(rule.value(QStringLiteral("SearchKey")));
    return !key.isEmpty() && text.contains(key, Qt::CaseInsensitive)
           && number == yov::nsString(rule.value(QStringLiteral("TO_NUMBER")));
}

QTextEdit *SMSController::tfdShowCertainNewSmsContent()
{
    if (!tfdShowCertainNewSmsContent_) {
        tfdShowCertainNewSmsContent_ = std::make_unique<QTextEdit>();
        tfdShowCertainNewSmsContent_->setObjectName(QStringLiteral("tfdShowCertainNewSmsContent_"));
        tfdShowCertainNewSmsContent_->setReadOnly(true);
    }
    return tfdShowCertainNewSmsContent_.get();
}

bool SMSController::showCheckUsageRespondingSMSContent(const QString &text, const QString &number)
{
    SmsService *service = SmsService::installed();
    if (!service || !service->isShowCheckUsageRespondedSMS(number))
        return false;
    tfdShowCertainNewSmsContent()->setPlainText(text);
    if (usageReplyId_)
        clock().cancel(usageReplyId_);
    usageReplyId_ = clock().schedule(kUsageReplyShownMs, this, [this] {
        usageReplyId_ = 0;
        cleanTextControlShowCertainNewSmsContent();
    });
    return true;
}

void SMSController::cleanTextControlShowCertainNewSmsContent()
{
    if (tfdShowCertainNewSmsContent_)
        tfdShowCertainNewSmsContent_->clear();
}

// ---------------------------------------------------------------------------------------------
// Recharge messages and the status view.

QStringList SMSController::getUnreadRechargeSMS() const
{
    const QString server = yov::nsString(ConfigService(&config()).getServerNumberWhenRechargeByUSSD());
    if (server.isEmpty())
        return {};
    QList<QPair<QDateTime, QString>> found;
    for (const QVariantList &inbox : {allPcLists_.value(yov::sms::kBoxInBox), simLists_.value(yov::sms::kBoxInBox)})
        for (const QVariant &m : inbox) {
            const QVariantMap message = yov::nsDict(m);
            if (!smsMessageIsUnread(message) || smsMessageField(message, QStringLiteral("mobilephone")) != server)
                continue;
            const QVariantMap summary = yov::nsDict(message.value(QStringLiteral("concatSmsInfo")));
            const QVariant info = message.value(QStringLiteral("smsInfo"));
            const QVariant when = !summary.isEmpty()                         ? summary.value(QStringLiteral("date"))
                                  : info.typeId() == QMetaType::QVariantMap ? info.toMap().value(QStringLiteral("date"))
                                                                             : QVariant();
            found.append({when.toDateTime(), smsMessageText(message)});
        }
    std::stable_sort(found.begin(), found.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QStringList texts;
    for (const auto &entry : found)
        texts << entry.second;
    return texts;
}

void SMSController::passToOtherModelWithSMSContent(const QString &, const QString &number)
{
    const QString server = yov::nsString(ConfigService(&config()).getServerNumberWhenRechargeByUSSD());
    if (server.isEmpty() || server != number)
        return;
    notificationCenter().post(QString(notifications::kPassRechargeSMS), nullptr,
                              {{QString(notifications::kRechargeSMSKey), getUnreadRechargeSMS()}});
}

// The status item's animation for what waits unread: a data-volume message before an ordinary one.
void SMSController::freshStatusViewWhenNewSMSArrive()
{
    SmsServiceInterface &service = Neighbours::smsService();
    service.getUnreadSMSInPos(yov::sms::kPositionPc, pcList(yov::sms::kBoxInBox));
    service.getUnreadSMSInPos(yov::sms::kPositionSim, simLists_.value(yov::sms::kBoxInBox));
    bool flowValue = false;
    for (int position : {yov::sms::kPositionPc, yov::sms::kPositionSim})
        for (int type : {0, 1})
            flowValue = flowValue || service.checkPos(position, type);
    if (flowValue)
        Neighbours::main().freshStatusViewWhenFlowValueSMSArrive();
    else
        Neighbours::main().freshStatusViewWhenNormalSMSArrive();
}

void SMSController::doWithPcUnreadFlowValueSMSAndRefreshStatusWhenFlowAlertOverTime()
{
    SmsService *service = SmsService::installed();
    if (!service)
        return;
    QVariantList inbox = allPcLists_.value(yov::sms::kBoxInBox);
    bool changed = false;
    for (QVariant &m : inbox) {
        QVariantMap message = yov::nsDict(m);
        if (!smsMessageIsUnread(message))
            continue;
        const int type = service->checkFlowValueTypeBySmsPhoneNumber(smsMessageField(message, QStringLiteral("mobilephone")),
                                                                    smsMessageText(message));
        if (type != SmsService::FlowValue75 && type != SmsService::FlowValue100)
            continue;
        smsMarkMessageRead(message);
        m = message;
        changed = true;
    }
    if (changed)
        writeMessagesToPC(inbox, yov::sms::kBoxInBox);
}

// ---------------------------------------------------------------------------------------------
// Class 0, reports, broadcasts, recharge messages.

void SMSController::dealWithMsgOfRevClass0(const yov::Notification &notification)
{
    yov::UI_MSG msg = yov::zeroMsg();
    yovMsgCenter()->getMsgPackage(&msg, &notification);
    if (!yov::smsTypeAccepted(yov::smsmsg::kMinorClass0, msg.type))
        return;
    const yov::SmsClass0Report report = yov::SmsClass0Report::decode(yov::PayloadReader::ofMsg(msg));
    ensurePage();
    SmsPageView *p = page_;
    p->class0ArriveWin->setWindowTitle(word(QStringLiteral("Message")));
    p->class0SMSContent->setPlainText(QStringLiteral("%1\r\nFrom:%2").arg(report.text, report.sender));
    showWithoutFocus(p->class0ArriveWin);
    playShortSound(2);
}

void SMSController::class0ArriveOK(QObject *)
{
    if (page_)
        page_->class0ArriveWin->hide();
    stopSound(2);
}

void SMSController::dealWithMsgOfRevSMSReport(const yov::Notification &notification)
{
    yov::UI_MSG msg = yov::zeroMsg();
    yovMsgCenter()->getMsgPackage(&msg, &notification);
    if (!yov::smsTypeAccepted(yov::smsmsg::kMinorStatusReport, msg.type))
        return;
    const yov::SmsStatusReport report = yov::SmsStatusReport::decode(yov::PayloadReader::ofMsg(msg));
    ensurePage();
    const QDateTime date = arrivalDate(report.timeStamp, clock());
    const QString dateText = formatStringFromDate(date);
    if (smsSwitch("isHaveDeliveryReportBox")) {
        const QString looked = Neighbours::phonebook().searchNameAtPhoneBook(report.recipient);
        yov::sms::YOVMessageDeliveryReport entry = yov::sms::YOVMessageDeliveryReport::initWithMesssgeText(
            SmsDeliveryReportBox::reportText(report.result, report.recipient, [this](const QString &s) { return word(s); }),
            report.result, dateText, looked == report.recipient ? QString() : looked, report.recipient, date);
        entry.setStatus(0);
        deliveryReportArray_.prepend(entry);
        // A report that cannot be saved is still shown.
        writeToDeliveryReportBox();
        reloadTable();
    }
    // Only a report the window will show waits there to be acknowledged; the others are in the box.
    if (!reportWindowStaysShut())
        DeliveryReportList_.append(QVariantMap{{QStringLiteral("TIME"), dateText},
                                               {QStringLiteral("PHONE"), report.recipient},
                                               {QStringLiteral("RESULT"), report.result}});
    SmsReportArrived(report.result, report.recipient, dateText);
}

void SMSController::SmsReportArrived(int result, const QString &phone, const QString &time)
{
    ensurePage();
    SmsPageView *p = page_;
    QString format;
    switch (result) {
    case yov::SmsStatusReport::kDelivered: format = QStringLiteral("Successful to send message(s) to:%@ \r\n %@"); break;
    case yov::SmsStatusReport::kPending: format = QStringLiteral("Pending to send message(s) to:%@ \r\n %@"); break;
    case yov::SmsStatusReport::kFailed: format = QStringLiteral("Fail to send message(s) to:%@ \r\n %@"); break;
    default: break;
    }
    if (!format.isEmpty()) {
        QString text = word(format);
        text.replace(text.indexOf(QLatin1String("%@")), 2, displayNameOfRecipient(phone));
        const int second = int(text.indexOf(QLatin1String("%@")));
        if (second >= 0)
            text.replace(second, 2, time);
        p->SMSReportText->setText(text);
    }
    if (reportWindowStaysShut())
        return;
    showWithoutFocus(p->Win_SMSReport);
}

bool SMSController::reportWindowStaysShut() const
{
    return smsSwitch("isHaveDeliveryReportBox") && ConfigService(&config()).isNotShowSMSReportWndWhenHasReportBox();
}

void SMSController::SMSReportOK(QObject *)
{
    if (!DeliveryReportList_.isEmpty())
        DeliveryReportList_.removeLast();
    if (!DeliveryReportList_.isEmpty()) {
        const QVariantMap newest = yov::nsDict(DeliveryReportList_.constLast());
        SmsReportArrived(yov::nsInt(newest.value(QStringLiteral("RESULT"))),
                         yov::nsString(newest.value(QStringLiteral("PHONE"))),
                         yov::nsString(newest.value(QStringLiteral("TIME"))));
        return;
    }
    if (page_)
        page_->Win_SMSReport->hide();
    stopSound(2);
}

void SMSController::dealWithMsgOfBroadCast(const yov::Notification &notification)
{
    yov::UI_MSG msg = yov::zeroMsg();
    yovMsgCenter()->getMsgPackage(&msg, &notification);
    if (msg.type != yov::kSmsTypeAnswer || msg.result != 0) {
        qCWarning(lcSmsPage) << "a broadcast failed: type" << msg.type << "result" << int(msg.result);
        return;
    }
    const yov::SmsBroadcastReport report = yov::SmsBroadcastReport::decode(yov::PayloadReader::ofMsg(msg));
    if (ConfigService(&config()).checkIfSaveBroadCastAsShortMessage()) {
        if (SmsService *service = SmsService::installed())
            service->saveBroadCastAsShortMessage({{QStringLiteral("messagetext"), report.text},
                                                  {QStringLiteral("mobilephone"), report.originator},
                                                  {QStringLiteral("date"), clock().now()},
                                                  {QStringLiteral("stat"), QString()}},
                                                 [](const SmsBoxWriteResult &result) {
                                                     if (!result.ok)
                                                         qCWarning(lcSmsPage) << "a broadcast was not saved";
                                                 });
        else
            qCWarning(lcSmsPage) << "a broadcast was not saved: no SMS service";
    }
    playShortSound(2);
    notificationCenter().post(QString(notifications::kReceiveBroadCast), this,
                              {{QString(notifications::kReceiveBroadCastText), report.text}});
}

void SMSController::dealWithMsgOfRevRechargeSMS(const yov::Notification &notification)
{
    yov::UI_MSG msg = yov::zeroMsg();
    yovMsgCenter()->getMsgPackage(&msg, &notification);
    if (!yov::smsTypeAccepted(yov::smsmsg::kMinorRechargeSms, msg.type))
        return;
    const yov::MSG_REV_NEW_SMS_RES_PARA_T record = yov::MSG_REV_NEW_SMS_RES_PARA_T::decode(yov::PayloadReader::ofMsg(msg));
    ensurePage();
    SmsPageView *p = page_;
    const QString looked = Neighbours::phonebook().searchNameAtPhoneBook(record.sender);
    const bool inPhonebook = !looked.isEmpty() && looked != record.sender;
    p->New_SMS_From_Text->setText(record.sender);
    const bool hide = smsSwitch("UnshowNewMessageNameIfNotFoundInPhoneBook") && !inPhonebook;
    p->New_SMS_Name_Label->setHidden(hide);
    p->New_SMS_Name_Text->setHidden(hide);
    p->New_SMS_Name_Text->setText(hide ? QString() : (looked.isEmpty() ? record.sender : looked));
    p->New_SMS_Date_Text->setText(formatStringFromDate(arrivalDate(record.timeStamp, clock())));
    preTreatBeforeJudgeSMSIsPurchaseSMS(record.sender, record.text);
}

} // namespace ostrel
