// SIM identity and the rules that hang on it: per-SIM data files, the default APN profile by IMSI
// or MCC/MNC, the USSD code by IMSI, the SIM-change check, the activation SMS and the versions
// handed to the update link.
#include "ostrel/device/init/InitController.h"

#include "common/ValueConversion.h"
#include "ostrel/device/service/InitService.h"
#include "ostrel/device/service/MccMnc.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/framework/update/AEMessage.h"

#include <algorithm>

namespace ostrel {

namespace {
// Widths of the text fields of the identity reports.
constexpr int kImsiWidth = 36;
constexpr int kIccidWidth = 512;
constexpr int kFwVersionWidth = 68;
constexpr int kPhoneNumberWidth = 44;
constexpr int kHwVersionWidth = 128;
constexpr int kModelWidth = 32;
constexpr int kSerialWidth = 40;
constexpr int kMccWidth = 32;
} // namespace

bool InitController::checkIMSI() { return sendRequest<7, 42>(); }

void InitController::dealWithMsgOfCheckCIMI(const yov::Notification &n)
{
    const Record r = record(n);
    if (r.result != 0 || r.type != 1) {
        if (topBool("sendCIMICmdInLoop")) {
            setSimStatus(false);
            alreadyGetSimIMSIFlag_ = false;
        }
        return;
    }
    if (alreadyGetSimIMSIFlag_ && !settingBool("Setting", "CheckIMSIForDiag"))
        return;
    const QString reported = r.payload.utf8Text(0, kImsiWidth);
    // An IMSI is digits only. It names per-SIM files and keys the operator tables, so anything else
    // from the device is refused here, once, rather than by every reader.
    if (reported.isEmpty() || !std::all_of(reported.begin(), reported.end(), [](QChar c) { return c >= u'0' && c <= u'9'; })) {
        qCWarning(lcInit).noquote() << "IMSI report refused: not a digit string:" << reported.left(kImsiWidth);
        return;
    }
    m_IMSI = reported;
    initService()->setImsi(m_IMSI);
    // The SIM's home network by the MNC length the SIM reported (three digits where it says so).
    initService()->enterHomeNetworkOfImsi(m_IMSI);
    refreshDiagIMSI(false);

    // The SIM's home network is taken as the first five digits of the IMSI.
    const QString home = m_IMSI.left(5);
    bool digits = home.size() == 5;
    for (QChar c : home)
        digits = digits && c.isDigit();
    if (digits)
        initService()->setModuleMapsDictObject(home, mccmnc::moduleMapKey(home));

    ConfigService switches(&config());
    if (!switches.isSpecialImsiRoam())
        matchApnAccordImsi(m_IMSI);
    matchUssdCodeAccordImsi(m_IMSI);
    checkIMSIForRAVO();
    checkIfNeedSendActiveSMS(m_IMSI);

    config().setConfigurationByModule(QStringLiteral("IMSI"), m_IMSI);
    writeSettingsReported("the IMSI");
    getPhoneNumberByIMSI();
    alreadyGetSimIMSIFlag_ = true;
}

void InitController::refreshDiagIMSI(bool refresh)
{
    const bool diag = settingBool("Setting", "CheckIMSIForDiag");
    if (diag && refresh) {
        checkIMSI();
        return;
    }
    if (!diag && !refresh)
        return;
    if (m_DiagWindow && !m_IMSI.isNull())
        m_DiagWindow->setText(QStringLiteral("Diag_IMSI"), m_IMSI);
}

QString InitController::getPhoneNum()
{
    const QVariant number = runtimeObjectForKey(QStringLiteral("runtimePhoneNumber"));
    return number.isValid() ? yov::nsString(number) : QString(QLatin1String(""));
}

QString InitController::iccidStr() const
{
    return initService()->iccidStr();
}

QString InitController::currentHmccmnc() const
{
    return initService()->currentHmccmnc();
}

void InitController::SetPCDataPathWithIMSI(const QString &imsi)
{
    Neighbours::phonebook().loadPcPhoneListByImsi(QStringLiteral("%1_%2").arg(imsi, QStringLiteral("phoneBook.plist")));
    Neighbours::records().loadRecordList(QStringLiteral("%1_%2").arg(imsi, QStringLiteral("dialRecordData.plist")));
}

QString InitController::readSimImsiCode() const
{
    return yov::nsString(setting(QStringLiteral("SimImsiCode")));
}

bool InitController::saveSimImsiCode(const QString &imsi)
{
    config().setConfigurationByModule(QStringLiteral("SimImsiCode"), imsi);
    return writeSettingsReported("the SIM's IMSI code");
}

void InitController::matchApnAccordImsi(const QString &imsi)
{
    ConfigService switches(&config());
    if (!switches.isEnableAutoApnMatch())
        return;
    if (!switches.isImsiMatchApn() && !switches.isImsiMatchGlobalApn())
        return;
    const QString earlier = readSimImsiCode();
    saveSimImsiCode(m_IMSI);
    if (!earlier.isEmpty() && earlier == m_IMSI)
        return; // a SIM seen before keeps the profile the user chose
    if (switches.isImsiMatchApn())
        Neighbours::dial().resetDefaultProfileWithImsiAll(imsi);
    else
        Neighbours::dial().resetGlobalDefaultProfileWithImsi(imsi.toUtf8().left(kImsiWidth));
}

void InitController::matchApnAccordMCC(const QString &mcc, const QString &mnc)
{
    if (mcc.isEmpty() || mnc.isEmpty() || !ConfigService(&config()).isYdonMatchApn())
        return;
    if (m_IMSI == readSimImsiCode())
        return;
    saveSimImsiCode(m_IMSI);
    Neighbours::dial().resetDefaultProfileWithMcc(mcc, mnc);
}

void InitController::dealWithMsgOfCheckMCCMNC(const yov::Notification &n)
{
    const Record r = record(n);
    if (r.result != 0)
        return;
    Neighbours::dial().resetDefaultProfileWithMcc(r.payload.utf8Text(0, kMccWidth), r.payload.utf8Text(kMccWidth, kMccWidth));
}

void InitController::dealWithMsgOfCheckICCID(const yov::Notification &n)
{
    const Record r = record(n);
    // The service decodes the file within the digits it holds; the text is bounded by the field.
    initService()->doParseEF_ICCID(r.payload.text(0, kIccidWidth));
    iccid_ = initService()->iccidStr();
    getIccidNumAfterMatchApnAccordImsi();
    dicDiagWindowInfo_.insert(QStringLiteral("tfdDiagIccid"), iccid_);
}

void InitController::getIccidNumAfterMatchApnAccordImsi()
{
    if (!ConfigService(&config()).isSpecialImsiRoam())
        return;
    matchApnAccordImsi(m_IMSI);
    Neighbours::setting().setRoamingStateAccordImsi(m_IMSI);
}

void InitController::matchUssdCodeAccordImsi(const QString &imsi)
{
    if (imsi.isNull() || !topBool("ImsiMatchUssdCode"))
        return;
    if (imsi == readSimImsiCode())
        return;
    saveSimImsiCode(imsi);
    notificationCenter().post(QStringLiteral("ImsiMatchUssd"), nullptr, {{QStringLiteral("IMSI"), imsi}});
}

void InitController::checkIMSIForRAVO()
{
    if (!settingBool("specialSoftVersion", "RAVO_TIM"))
        return;
    SetPCDataPathWithIMSI(m_IMSI);
    if (m_SimPinState == SimNotReady)
        setSimStatus(true);
    const QVariant earlier = setting(QStringLiteral("simIMSI"));
    const bool changed = earlier.isValid() && yov::nsString(earlier) != m_IMSI;
    // Kept for the IMSI the SIM had when it was read, also once the alert below is answered.
    const QString imsi = m_IMSI;
    const auto keepImsi = [this, imsi, changed] {
        config().setConfigurationByModule(QStringLiteral("simIMSI"), imsi);
        writeSettingsReported("the SIM's IMSI");
        notificationCenter().post(QStringLiteral("AlreadyGetSimIMSI"), this, {{QStringLiteral("imsiInfo"), changed}});
    };
    if (settingBool("specialSoftVersion", "RAVO_TIM_KV407") && !yov::nsString(setting(QStringLiteral("IMSI"))).isEmpty()
        && changed) {
        NSBeginAlertPanelExt(loc(QStringLiteral("Warning")),
                             loc(QStringLiteral("You have changed the SIM,please restart the software")),
                             loc(QStringLiteral("OK")), QString(), [this, keepImsi](int answer) {
                                 if (answer != 1) {
                                     keepImsi();
                                     return;
                                 }
                                 if (toolbarSetItemEnableHook) {
                                     toolbarSetItemEnableHook(true, QStringLiteral("STK"));
                                     toolbarSetItemEnableHook(true, QStringLiteral("Internet"));
                                 }
                                 dialFunctionEnabledFlag_ = false;
                                 if (selectMainTabHook)
                                     selectMainTabHook(QStringLiteral("Internet"));
                             });
        return;
    }
    if (toolbarSetEnableHook)
        toolbarSetEnableHook(true);
    keepImsi();
}

void InitController::checkIfNeedSendActiveSMS(const QString &imsi)
{
    const QVariant current = setting(QStringLiteral("SMS"), QStringLiteral("NeedSendActiveSIMCardSMS"));
    if (!current.isValid())
        return;
    const bool due = imsi.size() >= 8 && imsi.at(7) == QLatin1Char('0');
    setModuleKey(QStringLiteral("SMS"), QStringLiteral("NeedSendActiveSIMCardSMS"), due);
    writeSettingsReported("the activation SMS state");
}

void InitController::sendActiveSimcardSMS(int domainBits)
{
    if (!settingBool("SMS", "NeedSendActiveSIMCardSMS") || (domainBits != 1 && domainBits != 3)
        || activationSmsAlertOpen_)
        return;
    // Asked once: further registration reports while the alert is open do not ask again.
    activationSmsAlertOpen_ = true;
    NSBeginAlertPanelExt(loc(QStringLiteral("Warning")),
                         loc(QStringLiteral("It is necessary to active the line for starting to use your MODEM USB.")),
                         loc(QStringLiteral("Accept")), QString(), [this](int) {
                             activationSmsAlertOpen_ = false;
                             if (!settingBool("SMS", "NeedSendActiveSIMCardSMS"))
                                 return;
                             const QString to =
                                 yov::nsString(setting(QStringLiteral("SMS"), QStringLiteral("SendActiveSIMCardSMSTo")));
                             const QString text =
                                 yov::nsString(setting(QStringLiteral("SMS"), QStringLiteral("SendActiveSIMCardSMSMsg")));
                             if (to.isEmpty() || text.isEmpty())
                                 return;
                             if (!Neighbours::sms().sendSmsTo(to, text, false, false, true)) {
                                 // Still due: the next registration report tries again.
                                 qCWarning(lcInit) << "the line-activation SMS could not be sent; it is tried again "
                                                      "at the next registration";
                                 return;
                             }
                             setModuleKey(QStringLiteral("SMS"), QStringLiteral("NeedSendActiveSIMCardSMS"), false);
                             writeSettingsReported("the activation SMS state");
                         });
}

void InitController::getPhoneNumberByIMSI()
{
    ConfigService switches(&config());
    if (!switches.hasImsiPhoneConfig())
        return;
    const QString number = yov::nsString(switches.getPhoneNumWithImsi(initService()->imsi()));
    if (number.isEmpty())
        return;
    notificationCenter().post(QStringLiteral("receivePhoneNumberFromSoapServer"), this,
                              {{QStringLiteral("receivePhoneNumberFromSoapServer"), number}});
}

void InitController::dealWithMsgOfCheckPhoneNumber(const yov::Notification &n)
{
    const Record r = record(n);
    const QString number = r.payload.utf8Text(0, kPhoneNumberWidth);
    if (r.result != 0) {
        setRuntimeObject(QString(QLatin1String("")), QStringLiteral("runtimePhoneNumber"));
    } else {
        setRuntimeObject(number, QStringLiteral("runtimePhoneNumber"));
        // The small window's top line now has the number to show.
        smartUITopFrontSizeFlag_ = true;
        if (isSmartUI())
            notificationCenter().post(QStringLiteral("DisplayPhoneNumberForSmart"), nullptr, {});
    }
    if (tfdOwnNumContent_)
        tfdOwnNumContent_->setText(number);
    if (tfdOwnNumUI_ && !number.isEmpty()) {
        tfdOwnNumUI_->setText(loc(QStringLiteral("Main_btnNumberForBrazil:%s")).replace(QLatin1String("%s"), number));
        tfdOwnNumUI_->show();
    }
}

void InitController::dealWithMsgOfCheckFWVERSION(const yov::Notification &n)
{
    const Record r = record(n);
    if (r.result != 0)
        return;
    m_FWVersion = r.payload.utf8Text(0, kFwVersionWidth);
    if (updateLink_ && updateLink_->isSupportUpdate()) {
        if (!topBool("UpdateByInternalFW"))
            updateLink_->dealWithFirmwareVersion(m_FWVersion);
        if (!topBool("newUpdate"))
            updateLink_->dealWithDeviceReady();
    }
    Neighbours::setting().setCheckForUpdateRuzuvoEnable(true);
}

void InitController::dealWithMsgOfCheckFWINTERNALVERSION(const yov::Notification &n)
{
    const Record r = record(n);
    if (r.result != 0)
        return;
    m_InternalFWVersion = r.payload.utf8Text(0, kFwVersionWidth);
    if (updateLink_ && updateLink_->isSupportUpdate())
        updateLink_->dealWithInternalFirmwareVersion(m_InternalFWVersion);
    Neighbours::setting().setCheckForUpdateRuzuvoEnable(true);
}

void InitController::dealWithMsgOfCheckHWVERSION(const yov::Notification &n)
{
    const Record r = record(n);
    if (r.result == 0)
        m_HWVersion = r.payload.utf8Text(0, kHwVersionWidth);
}

void InitController::dealWithMsgOfCheckModemModel(const yov::Notification &n)
{
    const Record r = record(n);
    if (r.result != 0)
        return;
    m_Devicemodel = loc(QStringLiteral("%s")).replace(QLatin1String("%s"), r.payload.utf8Text(0, kModelWidth));
    if (updateLink_ && updateLink_->isSupportUpdate())
        updateLink_->dealWithDeviceType(m_Devicemodel);
    Neighbours::setting().setSmartModel(m_Devicemodel);
}

void InitController::dealWithMsgOfCheckSerialNumber(const yov::Notification &n)
{
    const Record r = record(n);
    if (r.result == 0)
        m_SerialNumber = r.payload.utf8Text(0, kSerialWidth);
}

} // namespace ostrel
