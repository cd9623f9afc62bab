// The operator's default profiles for the SIM, the per-SIM profile set, the MMS page's temporary
// profile and the automatic-match switch.
#include "ostrel/connection/dial/DialController.h"

#include "common/PlistBridge.h"
#include "common/ValueConversion.h"
#include "ostrel/connection/dial/DialLog.h"
#include "ostrel/connection/profile/DefaultProfileMatch.h"
#include "ostrel/connection/profile/PdpTypeRules.h"
#include "ostrel/framework/service/Platform.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/switches/ConfigService.h"

#include <algorithm>

namespace ostrel {

namespace {

// The IMSI text of an IMSI reply's field: up to the first NUL.
QString imsiTextOfRecord(const QByteArray &record)
{
    const qsizetype end = record.indexOf('\0');
    return QString::fromLatin1(end < 0 ? record : record.left(end));
}

} // namespace

// ---- matching ---------------------------------------------------------------------------------

void DialController::resetDefaultProfileWithMcc(const QString &mcc, const QString &mnc)
{
    ConfigService switches(&config());
    if (switches.isTransplantCodeToTestApnMatch()) {
        if (transplant_.matchGlobalApn(mcc, mnc)) {
            loadDialConfig();
            reloadApnListView();
        }
        return;
    }
    const QVariantMap map = yov::nsDict(switches.readImsiConfig());
    const QVariant table = switches.readDefDialCfgs();
    if (map.isEmpty() || table.typeId() != QMetaType::QVariantList || mcc.isEmpty() || mnc.isEmpty())
        return;
    for (const QString &key : networkKeysForMccMnc(mcc, mnc)) {
        const auto it = map.constFind(key);
        if (it == map.constEnd())
            continue;
        // The first key present decides, also when it names no usable profile.
        resetDialConfigListWithMatchedApn(profilesOfTableValue(*it, table.toList(), key));
        return;
    }
}

void DialController::resetDefaultProfileWithMCCMNC(const QString &mccmnc)
{
    ConfigService switches(&config());
    if (switches.isTransplantCodeToTestApnMatch()) {
        if (transplant_.matchGlobalApn(mccmnc)) {
            loadDialConfig();
            reloadApnListView();
        }
        return;
    }
    const QVariantMap map = yov::nsDict(switches.readImsiConfig());
    const QVariant table = switches.readDefDialCfgs();
    if (table.typeId() != QMetaType::QVariantList || !map.contains(mccmnc))
        return;
    resetDialCfgListWithCfgArray(profilesOfTableValue(map.value(mccmnc), table.toList(), mccmnc));
}

void DialController::resetGlobalDefaultProfileWithImsi(const QByteArray &imsiRecord)
{
    const QString imsi = imsiTextOfRecord(imsiRecord);
    const bool rewritten = ConfigService(&config()).isTransplantCodeToTestApnMatch()
                               ? transplant_.matchGlobalApn(imsi)
                               : transplant_.matchGlobalDefaultProfileWithImsi(imsi);
    if (!rewritten)
        return;
    loadDialConfig();
    reloadApnListView();
}

void DialController::resetDefaultProfileWithImsiAll(const QString &imsi)
{
    const int index = ConfigService(&config()).isTransplantCodeToTestApnMatch()
                          ? transplant_.imsiMatchApn(imsi)
                          : transplant_.matchDefaultProfileWithImsi(imsi);
    if (index >= 0) {
        setDefaultProfile(index);
        return;
    }
    setDefaultProfile(0);
    beginAlert(QStringLiteral("Warning"), QStringLiteral("Not found a suitable APN"), QStringLiteral("Ok"));
}

bool DialController::resetDialConfigListWithMatchedApn(const QList<QVariantMap> &matched)
{
    if (!profiles_.replaceDefaultProfiles(matched, MatchedOrder::AsGiven, DefaultsBeyondList::ReplaceWholeList))
        return false;
    reloadApnListView();
    return true;
}

bool DialController::resetDialCfgListWithCfgArray(const QList<QVariantMap> &matched)
{
    if (!profiles_.replaceDefaultProfiles(matched, MatchedOrder::Reversed, DefaultsBeyondList::LeaveList))
        return false;
    emit profilesChanged();
    dialConfigListSelectItemAtIndex(1);
    return true;
}

void DialController::setDefaultProfile(int index)
{
    if (profiles_.count() == 0) {
        profiles_.writeCurrentProfile(0);
        emit profilesChanged();
        return;
    }
    dialConfigListSelectItemAtIndex(std::clamp(index, 0, profiles_.count() - 1) + 1);
}

void DialController::reloadApnListView()
{
    emit profilesChanged();
    if (profiles_.count() > 0)
        dialConfigListSelectItemAtIndex(1);
}

// ---- the SIM's profile set ----------------------------------------------------------------------

void DialController::alreadyGetSimIMSI(const yov::Notification &n)
{
    // Once per device, and only where profiles belong to SIMs.
    if (alreadyGetSimIMSIFlag_ || !ProfileSettings::read(&config()).addAPNWithSIM)
        return;
    alreadyGetSimIMSIFlag_ = true;
    loadDialConfig();
    // The SIM's own list may be chosen from, unless a connection stands or is on its way.
    if (connectStatus_ == yov::kConnectStatusIdle && !willConnectToInternet_)
        display_.profileChooserEnabled = true;
    // imsiInfo YES: another SIM than the one seen before.
    const bool otherSim = yov::nsBool(n.userInfo.value(QStringLiteral("imsiInfo")));
    const int stored = profiles_.readCurrentProfile();
    if (profiles_.count() > 0 && !otherSim && stored >= 0 && stored < profiles_.count()) {
        dialConfigListSelectItemAtIndex(stored + 1);
        return;
    }
    profiles_.writeCurrentProfile(0);
    if (profiles_.count() > 0)
        dialConfigListSelectItemAtIndex(1);
    else
        setCurrentProfile();
}

// ---- the MMS page's profile ---------------------------------------------------------------------

void DialController::addMMSConfig()
{
    QString error;
    const std::optional<QVariant> stored = yov::PlistBridge::readFile(config().getFilePathWithFileName(QStringLiteral("config.plist")), &error);
    const QVariantMap mms = stored ? yov::nsDict(*stored) : QVariantMap();
    if (!stored)
        qCInfo(lcDial).noquote() << "The MMS settings can not be read:" << error;
    const QString apn = yov::nsString(mms.value(QStringLiteral("APN")));
    const QString user = yov::nsString(mms.value(QStringLiteral("WapGateUserName")));
    QVariantMap profile{
        {profilekey::provider, localizedText(QStringLiteral("MMS_SET"))},
        {profilekey::apnFlag, apn.isEmpty() ? QStringLiteral("0") : QStringLiteral("1")},
        {profilekey::apnName, apn.isEmpty() ? QStringLiteral("0") : apn},
        {profilekey::saveUsernameFlag, qint64(user.isEmpty() ? 0 : 1)},
        {profilekey::accountName, user},
        {profilekey::password, user.isEmpty() ? QString() : yov::nsString(mms.value(QStringLiteral("WapGatePassword")))},
        {profilekey::telNumber, QStringLiteral("*99#")},
        {profilekey::dnsFlag, qint64(0)},
        {profilekey::pdpFlag, qint64(0)},
        {profilekey::pppFlag, qint64(0)},
    };
    const int index = profiles_.appendTemporaryProfile(profile);
    emit profilesChanged();
    dialConfigListSelectItemAtIndex(index + 1);
}

void DialController::removeMMSConfig()
{
    const std::optional<int> index = profiles_.temporaryProfileIndex();
    if (!index || *index + 1 <= profiles_.readDefaultProfileNum())
        return;
    profiles_.removeTemporaryProfile();
    if (profiles_.readCurrentProfile() >= profiles_.count())
        profiles_.writeCurrentProfile(std::max(profiles_.count() - 1, 0));
    emit profilesChanged();
    setCurrentProfile();
}

int DialController::IDMMSConfig() const
{
    const std::optional<int> index = profiles_.temporaryProfileIndex();
    return index ? *index + 1 : 0;
}

void DialController::setDialConfig(int index)
{
    dialConfigListSelectItemAtIndex(index + 1);
}

QString DialController::getAPNString() const
{
    const std::optional<int> index = profiles_.currentProfileIndex();
    const std::optional<QVariantMap> profile = index ? profiles_.profileAt(*index) : std::nullopt;
    return profile ? yov::nsString(profile->value(profilekey::apnName)) : QString();
}

QString DialController::getDefaultProfileAPN() const
{
    return profiles_.currentSafeProfile().value(QStringLiteral("apnName")).toString();
}

// ---- the automatic-match switch -----------------------------------------------------------------

void DialController::setBtnAutoAPNMatchState()
{
    const QVariant stored = config().getConfigurationByModule(QStringLiteral("EnableAutoApnMatch"));
    display_.autoApnMatchShown = stored.isValid();
    display_.autoApnMatchChecked = yov::nsBool(stored);
    changed();
}

void DialController::enableAutoApnMatch(bool on)
{
    config().setConfigurationByModule(QStringLiteral("EnableAutoApnMatch"), on);
    if (!config().writeToFile())
        qCWarning(lcDial).noquote() << "Can not write EnableAutoApnMatch to settings.plist";
    display_.autoApnMatchChecked = on;
    changed();
}

// ---- PDP type and IPv6 ------------------------------------------------------------------------------

void DialController::supportIPv6()
{
    pdpTypeGroupShown_ = internetBool("SupportIPv6");
    if (pdpTypeGroupShown_)
        checkIsSupportDoublePdpSettings();
    emit profilesChanged();
}

void DialController::checkIsSupportDoublePdpSettings()
{
    if (internetBool("DualPDPSettings"))
        profiles_.setSupportDoublePdp(true);
}

int DialController::specialPdpTypeProcess(int type) const
{
    const int platform = Platform::platformForDeviceType(config().getConfigurationByModuleAndKey(
        QStringLiteral("Main"), QStringLiteral("DeviceType")));
    return ostrel::specialPdpTypeProcess(type, internetBool("NoIPv4v6"), platform);
}

bool DialController::forbidIpv6ApnWhileChooseRas() const
{
    return ConfigService(&config()).forbiddenIpv6ApnWhileChooseRas();
}

void DialController::setWCDMAConfigHidden(bool hidden)
{
    display_.wcdmaConfigHidden = hidden;
    changed();
}

} // namespace ostrel
