#include "ostrel/connection/profile/DialProfile.h"

#include "ostrel/connection/profile/ProfileInput.h"
#include "ostrel/connection/profile/ProfileLog.h"

#include "common/TextFormat.h"
#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/switches/ConfigService.h"

namespace ostrel {

Q_LOGGING_CATEGORY(lcProfile, "ostrel.connection.profile")

namespace {

const QStringList &safeStringKeys()
{
    static const QStringList keys = {profilekey::provider,   profilekey::apnName,    profilekey::accountName,
                                     profilekey::password,   profilekey::telNumber,  profilekey::pdpAddress,
                                     profilekey::preDns,     profilekey::altDns};
    return keys;
}

const QStringList &safeNumberKeys()
{
    static const QStringList keys = {profilekey::pdpFlag,  profilekey::pdpType,          profilekey::pppFlag,
                                     profilekey::apnFlag,  profilekey::dnsFlag,          profilekey::saveUsernameFlag,
                                     profilekey::askUsernameFlag};
    return keys;
}

const QStringList &safeIPv6StringKeys()
{
    static const QStringList keys = {profilekey::IPv6ApnName, profilekey::IPv6Username, profilekey::IPv6Password};
    return keys;
}

const QStringList &safeIPv6NumberKeys()
{
    static const QStringList keys = {profilekey::IPv6AuthMode, profilekey::SinglePdp};
    return keys;
}

const QStringList &otherProfileKeys()
{
    static const QStringList keys = {profilekey::IMSI,         profilekey::IPv6PrefDNS,     profilekey::IPv6AltDNS,
                                     profilekey::IPv6PDPAddr,  profilekey::IPv6DNSMode,     profilekey::IPv6SaveAccount,
                                     profilekey::IPv6ApnMode,  profilekey::IPv6PDPMode};
    return keys;
}

bool isTextOrNumber(const QVariant &value)
{
    return value.typeId() == QMetaType::QString || yov::isNumber(value);
}

bool present(const QVariantMap &map, const QString &key)
{
    const auto it = map.constFind(key);
    return it != map.constEnd() && it->isValid();
}

QVariant internetValue(ConfigManager *store, const char *key)
{
    return store->getConfigurationByModuleAndKey(QStringLiteral("Internet"), QString::fromLatin1(key));
}

} // namespace

QString localized(const Localizer &localizer, const QString &english)
{
    return localizer ? localizer(english) : english;
}

int defaultAuthModeOf(const QVariant &stored)
{
    return stored.typeId() == QMetaType::QString && stored.toString() == QLatin1String("CHAP") ? 1 : 0;
}

ProfileSettings ProfileSettings::read(ConfigManager *store)
{
    if (!store)
        store = ConfigManager::sharedConfigManager();
    ProfileSettings s;
    s.addAPNWithSIM = yov::nsBool(internetValue(store, "AddAPNWithSIM"));
    s.addNewAPNWithDefaultTelNum = yov::nsBool(internetValue(store, "AddNewAPNWithDefaultTelNum"));
    s.addNewAPNWithSaveUsername = yov::nsBool(internetValue(store, "AddNewAPNWithSaveUsername"));
    s.changePosForProfile = yov::nsBool(internetValue(store, "ChangePosForProfile"));
    s.apnNameAndAuthModemForConfigEnable = yov::nsBool(internetValue(store, "apnNameAndAuthModemForConfigEnable"));
    s.timAPNEditable = yov::nsBool(internetValue(store, "TimAPNEditable"));
    s.disableAlertWindowWhileAutoConnectFailed =
        yov::nsBool(internetValue(store, "DisableAlertWindowWhileAutoConnectFailed"));
    s.checkAPNAccount = yov::nsBool(internetValue(store, "CheckAPNAccount"));
    for (const QVariant &v : yov::nsArray(internetValue(store, "ArrayForEditableProvider")))
        s.arrayForEditableProvider.append(yov::nsString(v));
    s.passwordLimitLen = ConfigService(store).getPassWordLimitLen();
    s.mtuSize = yov::nsInt(internetValue(store, "MTUSize"));
    s.usingApnName = yov::nsBool(
        store->getConfigurationByModuleAndKey(QStringLiteral("DialConfigSetting"), QStringLiteral("UsingApnName")));
    s.defaultAuthMode = defaultAuthModeOf(store->getConfigurationByModule(QStringLiteral("DefaultAuthMode")));
    s.notChangeProviderWording = yov::nsBool(store->getConfigurationByModule(QStringLiteral("NotChangeProviderWording")));
    s.addDefaultEdit = yov::nsBool(store->getConfigurationByModule(QStringLiteral("AddDefaultEdit")));
    s.connectType = yov::nsInt(store->getConfigurationByModule(QStringLiteral("ConnectType"))) == yov::kConnectTypeNDIS
                        ? yov::kConnectTypeNDIS
                        : yov::kConnectTypePPP;
    s.imsi = yov::nsString(store->getConfigurationByModule(QStringLiteral("IMSI")));
    s.simIMSI = yov::nsString(store->getConfigurationByModule(QStringLiteral("simIMSI")));
    return s;
}

QVariantMap createSafeDialConfig(const QVariantMap &profile, bool supportDoublePdp)
{
    QVariantMap safe = profile;
    auto fill = [&safe](const QStringList &keys, const QVariant &value) {
        for (const QString &key : keys)
            if (!present(safe, key))
                safe.insert(key, value);
    };
    fill(safeStringKeys(), QString());
    fill(safeNumberKeys(), qint64(0));
    if (supportDoublePdp) {
        fill(safeIPv6StringKeys(), QString());
        fill(safeIPv6NumberKeys(), qint64(0));
    }
    return safe;
}

QString unusableProfileKey(const QVariantMap &profile)
{
    for (const QStringList *keys : {&safeStringKeys(), &safeNumberKeys(), &safeIPv6StringKeys(), &safeIPv6NumberKeys(),
                                    &otherProfileKeys()}) {
        for (const QString &key : *keys) {
            const auto it = profile.constFind(key);
            if (it != profile.constEnd() && !isTextOrNumber(*it))
                return key;
        }
    }
    return QString();
}

QString getSafeDialStrParas(const QVariantMap &profile, const QString &key)
{
    return yov::nsString(profile.value(key));
}

int getSafeDialNumParas(const QVariantMap &profile, const QString &key)
{
    return yov::nsInt(profile.value(key));
}

QString getApnProviderNameWith(const QVariantMap &profile, bool notChangeProviderWording, const Localizer &localizer)
{
    if (!present(profile, profilekey::provider))
        return QString();
    const QString name = yov::nsString(profile.value(profilekey::provider));
    return notChangeProviderWording ? name : localized(localizer, name);
}

QString getDefaultProfileAPN(const QVariantMap &profile, const Localizer &localizer)
{
    const QString apn = getSafeDialStrParas(profile, profilekey::apnName);
    return apn.isEmpty() ? localized(localizer, QStringLiteral("Automatic")) : apn;
}

QString nextNewProfileName(const QList<QVariantMap> &profiles, const QString &pattern)
{
    QStringList names;
    names.reserve(profiles.size());
    for (const QVariantMap &p : profiles)
        if (present(p, profilekey::provider))
            names.append(yov::nsString(p.value(profilekey::provider)));
    // At most profiles.size() names are taken, so one of the first size + 1 numbers is free.
    const qsizetype last = profiles.size() + 1;
    for (qsizetype n = 1; n < last; ++n) {
        const QString name = yov::formatPlaceholders(pattern, {QString::number(n)});
        if (!names.contains(name))
            return name;
    }
    return yov::formatPlaceholders(pattern, {QString::number(last)});
}

void setDefaultDialParamsForIPv6(QVariantMap &profile)
{
    profile.insert(profilekey::IPv6ApnName, QString());
    profile.insert(profilekey::IPv6PrefDNS, QString());
    profile.insert(profilekey::IPv6AltDNS, QString());
    profile.insert(profilekey::IPv6DNSMode, qint64(0));
}

QVariantMap newProfile(const QList<QVariantMap> &profiles, const ProfileSettings &settings,
                       const NewProfileOptions &options, const Localizer &localizer)
{
    QVariantMap p;
    p.insert(profilekey::provider, nextNewProfileName(profiles, localized(localizer, QStringLiteral("New%d"))));
    p.insert(profilekey::telNumber, settings.addNewAPNWithDefaultTelNum ? QStringLiteral("*99#") : QString());
    p.insert(profilekey::accountName, QString());
    p.insert(profilekey::password, QString());
    p.insert(profilekey::apnName, QString());
    p.insert(profilekey::pdpAddress, QString());
    p.insert(profilekey::preDns, QString());
    p.insert(profilekey::altDns, QString());
    p.insert(profilekey::saveUsernameFlag, qint64(settings.addNewAPNWithSaveUsername ? 1 : 0));
    if (options.askUsernameFeature)
        p.insert(profilekey::askUsernameFlag, qint64(0));
    p.insert(profilekey::apnFlag, qint64(settings.usingApnName ? 1 : 0));
    p.insert(profilekey::pdpFlag, qint64(0));
    p.insert(profilekey::dnsFlag, qint64(0));
    p.insert(profilekey::pppFlag, qint64(settings.defaultAuthMode));
    if (options.pdpTypeGroupEnabled)
        p.insert(profilekey::pdpType, qint64(0));
    if (settings.addAPNWithSIM)
        p.insert(profilekey::IMSI, settings.imsi);
    if (options.supportDoublePdp)
        setDefaultDialParamsForIPv6(p);
    return p;
}

ProfileDisplay displayAPNInfo(const QVariantMap &profile, int chooserIndex, int defaultProfileNum,
                              bool supportDoublePdp, const Localizer &localizer)
{
    const QVariantMap safe = createSafeDialConfig(profile, supportDoublePdp);
    ProfileDisplay d;
    d.telNumber = getSafeDialStrParas(safe, profilekey::telNumber);
    if (getSafeDialNumParas(safe, profilekey::saveUsernameFlag) != 0) {
        d.accountName = getSafeDialStrParas(safe, profilekey::accountName);
        d.password = getSafeDialStrParas(safe, profilekey::password);
    }
    d.provider = getSafeDialStrParas(safe, profilekey::provider).left(kProfileNameMaxLength);
    if (chooserIndex >= 1 && chooserIndex <= defaultProfileNum)
        d.providerLabel = localized(localizer, d.provider);
    d.apnName = getSafeDialStrParas(safe, profilekey::apnName);
    return d;
}

bool dialParaDisableAlertWindow(bool disableAlertSwitch, int reconnectTimes, bool apnCycleLastTry)
{
    if (disableAlertSwitch && reconnectTimes > 0)
        return true;
    return !apnCycleLastTry;
}

yov::MSG_APN_SET_REQ_PARA_T buildDialParams(const QVariantMap &profile, const DialParamsContext &context,
                                            QStringList *cutFields)
{
    const QVariantMap safe = createSafeDialConfig(profile, context.supportDoublePdp);
    yov::MSG_APN_SET_REQ_PARA_T p;
    p.apn = getSafeDialStrParas(safe, profilekey::apnName);
    p.telNumber = getSafeDialStrParas(safe, profilekey::telNumber);
    p.userName = getSafeDialStrParas(safe, profilekey::accountName);
    p.password = getSafeDialStrParas(safe, profilekey::password);
    p.pdpAddress = getSafeDialStrParas(safe, profilekey::pdpAddress);
    p.connectType = context.connectType;
    p.authType = getSafeDialNumParas(safe, profilekey::pppFlag);
    p.pdpType = getSafeDialNumParas(safe, profilekey::pdpType);
    p.pdpFlag = getSafeDialNumParas(safe, profilekey::pdpFlag);
    // A BOOL YES widened to 32 bits is 1.
    p.disableAlertWindow = context.disableAlertWindow ? 1 : 0;
    p.mtu = context.mtu;
    p.preDns = getSafeDialStrParas(safe, profilekey::preDns);
    p.altDns = getSafeDialStrParas(safe, profilekey::altDns);
    if (context.supportDoublePdp) {
        p.ipv6Apn = getSafeDialStrParas(safe, profilekey::IPv6ApnName);
        p.ipv6PrefDns = getSafeDialStrParas(safe, profilekey::IPv6PrefDNS);
        p.ipv6AltDns = getSafeDialStrParas(safe, profilekey::IPv6AltDNS);
    }
    // What goes on the wire: texts cut to their fields.
    QStringList cut;
    p = yov::MSG_APN_SET_REQ_PARA_T::decode(yov::PayloadReader(p.encode(&cut)));
    if (!cut.isEmpty())
        qCWarning(lcProfile).noquote() << "Profile texts longer than the dial-parameter fields are cut:"
                                       << cut.join(QStringLiteral(", "));
    if (cutFields)
        *cutFields = cut;
    return p;
}

} // namespace ostrel
