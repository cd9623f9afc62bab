// The operator's service messages on the receive road: data-volume alerts (with the copy of a
// computer message to the SIM), and the purchase-by-SMS window with its replies to the server.
// The recognition rules are the SMS service's.
#include "ostrel/sms/page/SMSController.h"

#include "common/ValueConversion.h"
#include "common/records/sms/SmsRecords.h"
#include "common/sms/SmsBoxCodes.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/WordingOperation.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/framework/widgets/ResourcePaths.h"
#include "ostrel/sms/page/SmsPageView.h"
#include "ostrel/sms/service/SmsService.h"
#include "ostrel/sms/service/SmsTableCells.h"

#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace ostrel {

namespace {

constexpr int kOperationCopyToSim = 15;

} // namespace

// ---------------------------------------------------------------------------------------------
// Data volume.

void SMSController::showFlowAlertWhenNewSmsArrive(const yov::MSG_REV_NEW_SMS_RES_PARA_T &record)
{
    SmsService *service = SmsService::installed();
    if (!service)
        return;
    QString number = record.sender, text = record.text;
    QDateTime date = yov::calcTimeStamp(record.timeStamp);
    if (record.concatenated) {
        // The whole message as the lists now hold it.
        const QVariantMap message = getNewSMSDictionary();
        const QVariantMap summary = yov::nsDict(message.value(QStringLiteral("concatSmsInfo")));
        number = yov::nsString(summary.value(QStringLiteral("mobilephone")));
        text = yov::nsString(summary.value(QStringLiteral("messagetext")));
        date = summary.value(QStringLiteral("date")).toDateTime();
    }
    if (!date.isValid())
        date = clock().now();
    const int type = service->checkFlowValueTypeBySmsPhoneNumber(number, text);
    service->setTypeOfNewSms(type);
    if (type == SmsService::FlowValueNone)
        return;
    if (record.storage == yov::kSmsStoredPc)
        savePCNewArriveSmsToSim();
    const int stored = service->getFlowValueInfoFromFile();
    if (stored == SmsService::FlowValueNone || stored < type) {
        showFlowAlert(type, text);
        service->saveFlowValueInfoIntoFileWithSmsContent(text, date, type);
    }
    if (ConfigService(&config()).getUIModelConfig() == 2 && wndMain) {
        wndMain->showNormal();
        wndMain->raise();
    }
}

void SMSController::showFlowAlert(int type, const QString &text)
{
    if (type != SmsService::FlowValue75 && type != SmsService::FlowValue100)
        return;
    flowAlertType_ = type;
    flowAlertText_ = text;
    ensurePage();
    QPushButton *button = page_->btnFlowValueAlert_;
    const QString image = type == SmsService::FlowValue75 ? QStringLiteral("ImageOfSeventyFive") : QStringLiteral("ImageOfonehundred");
    button->setIcon(QIcon(QPixmap::fromImage(ResourcePaths::applicationImage(image))));
    button->setToolTip(text);
    button->setEnabled(true);
    button->show();
    if (SmsService *service = SmsService::installed())
        service->setApplicationIcon(type == SmsService::FlowValue75 ? QStringLiteral("flow75.png") : QStringLiteral("flow100.png"));
}

void SMSController::hideFlowAlert()
{
    flowAlertType_ = SmsService::FlowValueNone;
    flowAlertText_.clear();
    if (page_)
        page_->btnFlowValueAlert_->hide();
}

void SMSController::showFlowAlertWhenLoadSimList()
{
    SmsService *service = SmsService::installed();
    if (!service || !ConfigService(&config()).isSupportCheckSmsIsFlowValueSMS())
        return;
    service->getFlowValueInfoFromFile();
    if (service->isOverDueFlowValueSms())
        service->clearFlowValueInfo();
    service->checkSIMReceivedValidFlowValueSMS();
    const int type = service->getFlowValueInfoFromFile();
    if (type != SmsService::FlowValueNone && !service->isOverDueFlowValueSms())
        showFlowAlert(type, yov::nsString(service->flowValueSmsInfo().value(QStringLiteral("FlowSmsContent"))));
    else
        hideFlowAlert(); // the period ended: the alert goes with it
}

void SMSController::savePCNewArriveSmsToSim()
{
    SmsService *service = SmsService::installed();
    if (!service)
        return;
    service->makeSaveSmsBySrcPos(yov::sms::kPositionPc, yov::sms::kPositionSim, yov::sms::kBoxInBox, 0);
    service->setSmsCurrentOperate(kOperationCopyToSim);
    if (!sendRequest<768, 92>(yov::SmsCopyRequest{yov::sms::kPositionPc, yov::sms::kBoxInBox, 0, yov::sms::kPositionSim}))
        service->setSmsCurrentOperate(0);
}

bool SMSController::takeCopyToSimAnswer(const yov::UI_MSG &msg)
{
    SmsService *service = SmsService::installed();
    if (!service || service->smsCurrentOperate() != kOperationCopyToSim)
        return false;
    service->setSmsCurrentOperate(0);
    service->setSaveToList({});
    if (msg.type == yov::kSmsTypeAnswer && msg.result == 0)
        setSMSReadedAfterSMSCopyFromPcToSim();
    else
        qCWarning(lcSmsPage) << "the data-volume message was not copied to the SIM: result" << int(msg.result);
    return true;
}

void SMSController::setSMSReadedAfterSMSCopyFromPcToSim()
{
    loadBoxinSIMList();
    QVariantList inbox = simLists_.value(yov::sms::kBoxInBox);
    if (!inbox.isEmpty()) {
        QVariantMap first = yov::nsDict(inbox.constFirst());
        smsMarkMessageRead(first);
        inbox[0] = first;
        simLists_.insert(yov::sms::kBoxInBox, inbox);
    }
    if (m_nNetCardStatus == 12)
        sendRequest<768, 102>(yov::SmsReadRequest{yov::sms::kPositionSim, 0});
    if (page_)
        reloadTable();
}

// ---------------------------------------------------------------------------------------------
// Purchase by SMS.

void SMSController::ensurePurchaseWindow()
{
    if (wndRecharge_)
        return;
    auto *w = new QDialog(wndMain);
    w->setObjectName(QStringLiteral("wndRecharge_"));
    w->resize(380, 220);
    labelOfPurchaseInfo_ = new QLabel(w);
    labelOfPurchaseInfo_->setTextFormat(Qt::PlainText); // the operator's message as it came
    labelOfPurchaseInfo_->setObjectName(QStringLiteral("labelOfPurchaseInfo_"));
    labelOfPurchaseInfo_->setWordWrap(true);
    combOfPurchaseList_ = new QComboBox(w);
    combOfPurchaseList_->setObjectName(QStringLiteral("combOfPurchaseList_"));
    const auto button = [w](const char *name) {
        auto *b = new QPushButton(w);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    btnOfPurchaseInVolStatusWnd_ = button("btnOfPurchaseInVolStatusWnd_");
    btnOfPurchaseInPartnerWnd_ = button("btnOfPurchaseInPartnerWnd_");
    btnOfConfirmInPurchaseWnd_ = button("btnOfConfirmInPurchaseWnd_");
    btnOfCancelInRechargeWnd_ = button("btnOfCancelInRechargeWnd_");
    btnOfOKInRechargeWnd_ = button("btnOfOKInRechargeWnd_");
    auto *layout = new QVBoxLayout(w);
    layout->addWidget(labelOfPurchaseInfo_, 1);
    layout->addWidget(combOfPurchaseList_);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton *b : {btnOfCancelInRechargeWnd_.data(), btnOfPurchaseInVolStatusWnd_.data(), btnOfPurchaseInPartnerWnd_.data(),
                           btnOfConfirmInPurchaseWnd_.data(), btnOfOKInRechargeWnd_.data()})
        row->addWidget(b);
    layout->addLayout(row);
    for (QPushButton *b : {btnOfPurchaseInVolStatusWnd_.data(), btnOfPurchaseInPartnerWnd_.data(), btnOfConfirmInPurchaseWnd_.data()})
        connect(b, &QPushButton::clicked, this, [this, b] { sendSMSToPurchaseServer(b); });
    connect(btnOfCancelInRechargeWnd_, &QPushButton::clicked, this, [this] { wndRecharge_->hide(); });
    connect(btnOfOKInRechargeWnd_, &QPushButton::clicked, this, [this] { wndRecharge_->hide(); });
    wndRecharge_ = w;
    initRechargeWndWording();
}

void SMSController::initRechargeWndWording()
{
    if (!wndRecharge_)
        return;
    const auto wording = [](const char *key) { return WordingOperation::getDisplayWordingValueByWordingKey(QLatin1String(key)); };
    btnOfPurchaseInVolStatusWnd_->setText(word(QStringLiteral("Purchase")));
    btnOfPurchaseInPartnerWnd_->setText(word(QStringLiteral("Purchase")));
    btnOfConfirmInPurchaseWnd_->setText(word(QStringLiteral("Confirm")));
    btnOfCancelInRechargeWnd_->setText(word(QStringLiteral("Cancel")));
    btnOfOKInRechargeWnd_->setText(word(QStringLiteral("OK")));
    wndRecharge_->setWindowTitle(wording("SMS_wndRecharge_MobileParter"));
}

void SMSController::preTreatBeforeJudgeSMSIsPurchaseSMS(const QString &number, const QString &text)
{
    SmsService *service = SmsService::installed();
    if (!service || !service->checkSMSIsPurChaseSMSBySmsPhoneNumber(number, text))
        return;
    setPurchaseWndProperty();
    showWithoutFocus(wndRecharge_);
    wndRecharge_->move(centerTheNewSMSArriveWnd(QSizeF(wndRecharge_->size())).toPoint());
}

void SMSController::setPurchaseWndProperty()
{
    ensurePurchaseWindow();
    SmsService *service = SmsService::installed();
    const auto wording = [](const char *key) { return WordingOperation::getDisplayWordingValueByWordingKey(QLatin1String(key)); };
    for (QPushButton *b : {btnOfPurchaseInVolStatusWnd_.data(), btnOfPurchaseInPartnerWnd_.data(), btnOfConfirmInPurchaseWnd_.data(),
                           btnOfCancelInRechargeWnd_.data()}) {
        b->hide();
        b->setEnabled(false);
    }
    combOfPurchaseList_->hide();
    combOfPurchaseList_->setEnabled(false);
    btnOfOKInRechargeWnd_->show();
    btnOfOKInRechargeWnd_->setEnabled(true);
    wndRecharge_->setWindowTitle(wording("SMS_wndRecharge_MobileParter"));
    if (!service)
        return;
    labelOfPurchaseInfo_->setText(service->purchaseSMSContent());
    const QString step = service->processOfRechargeBySMS();
    const auto offer = [this](QPushButton *b) {
        b->show();
        b->setEnabled(true);
        btnOfCancelInRechargeWnd_->show();
        btnOfCancelInRechargeWnd_->setEnabled(true);
        btnOfOKInRechargeWnd_->hide();
    };
    if (step == QLatin1String("PurchargeBySMS_VolStatusResponse")) {
        offer(btnOfPurchaseInVolStatusWnd_);
        wndRecharge_->setWindowTitle(wording("SMS_wndRecharge_CheckVolume"));
    } else if (step == QLatin1String("PurchargeBySMS_BroadBandResponse")) {
        offer(btnOfPurchaseInPartnerWnd_);
        // The packages of this answer only: one without packages offers none.
        service->setBroadBandList({});
        service->parseBroadBandListFromSMSContent(service->purchaseSMSContent());
        setCombOfPurchaseListDataSource();
        combOfPurchaseList_->show();
        combOfPurchaseList_->setEnabled(true);
    } else if (step == QLatin1String("PurchargeBySMS_PurchasePresponse")) {
        offer(btnOfConfirmInPurchaseWnd_);
        service->parseConfigInformationFromSMSContent(service->purchaseSMSContent());
    }
}

void SMSController::setCombOfPurchaseListDataSource()
{
    combOfPurchaseList_->clear();
    if (SmsService *service = SmsService::installed())
        combOfPurchaseList_->addItems(service->broadBandList());
    if (combOfPurchaseList_->count() > 0)
        combOfPurchaseList_->setCurrentIndex(0);
}

void SMSController::sendSMSToPurchaseServer(QObject *sender)
{
    SmsService *service = SmsService::installed();
    if (service) {
        const QVariantMap process = service->processListOfRecharge();
        const QString server = yov::nsString(process.value(QStringLiteral("PurchargeBySMS_ServerNumber")));
        QString text;
        if (sender == btnOfPurchaseInVolStatusWnd_)
            text = yov::nsString(process.value(QStringLiteral("PurchargeBySMS_BroadbandRequire")));
        else if (sender == btnOfPurchaseInPartnerWnd_)
            text = combOfPurchaseList_->currentText();
        else if (sender == btnOfConfirmInPurchaseWnd_)
            text = service->configSMSContent();
        if (!text.isEmpty() && !server.isEmpty()) {
            service->setUnshowInfoWndWhenSendSmsByFlag(true);
            service->setSendingSmsSMSInBackGroud(true);
            sendSmsTo(server, text, false, true, false);
        }
    }
    if (wndRecharge_)
        wndRecharge_->hide();
}

} // namespace ostrel
