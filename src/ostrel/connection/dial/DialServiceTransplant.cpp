#include "ostrel/connection/dial/DialServiceTransplant.h"

#include "common/ValueConversion.h"
#include "ostrel/connection/dial/DialLog.h"
#include "ostrel/connection/profile/DefaultProfileMatch.h"
#include "ostrel/connection/profile/DialConfigList.h"
#include "ostrel/connection/profile/ProfileInput.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/switches/ConfigService.h"

namespace ostrel {

const QString DialServiceTransplant::kPasswordExtraCharacters = QStringLiteral("!#$&()*+,-./%.:;<=>?@[]^_{|}~\"\\'");

DialServiceTransplant &DialServiceTransplant::sharedDialServiceTransplant()
{
    static DialServiceTransplant service;
    return service;
}

DialServiceTransplant::DialServiceTransplant(ConfigManager *store) : store_(store) {}

ConfigManager *DialServiceTransplant::store() const
{
    return store_ ? store_ : ConfigManager::sharedConfigManager();
}

QVariantMap DialServiceTransplant::imsiConfig() const
{
    return yov::nsDict(ConfigService(store()).readImsiConfig());
}

// ---- lookups --------------------------------------------------------------------------------

QVariant DialServiceTransplant::matchIndexFromImsiConfig(const QString &imsi) const
{
    const QVariantMap map = imsiConfig();
    if (map.isEmpty() || imsi.isEmpty())
        return QVariant();
    for (const QString &key : imsiPrefixKeys(imsi)) {
        const auto it = map.constFind(key);
        if (it != map.constEnd())
            return *it;
    }
    return QVariant();
}

QVariant DialServiceTransplant::withMatchStringFindIndexOfMatchedApn(const QString &key) const
{
    return imsiConfig().value(key);
}

QList<QVariantMap> DialServiceTransplant::findMatchedProfileArray(const QVariant &value) const
{
    const QVariant table = ConfigService(store()).readDefDialCfgs();
    if (!value.isValid() || table.typeId() != QMetaType::QVariantList)
        return {};
    return profilesOfTableValue(value, table.toList(), QStringLiteral("entry"));
}

QList<QVariantMap> DialServiceTransplant::matchApnByString(const QString &key) const
{
    const QVariant value = withMatchStringFindIndexOfMatchedApn(key);
    if (!value.isValid())
        return {};
    const QVariant table = ConfigService(store()).readDefDialCfgs();
    if (table.typeId() != QMetaType::QVariantList)
        return {};
    return profilesOfTableValue(value, table.toList(), key);
}

// ---- the global match -------------------------------------------------------------------------

bool DialServiceTransplant::matchGlobalApn(const QString &text, const QString &extra)
{
    const ConfigService switches(store());
    if (switches.isSpecialImsiRoam() && specialImsiRoamMatch(text))
        return false;
    if (switches.isImsiMatchGlobalApn())
        return imsiMatchGlobalApn(text);
    if (switches.isAPNMatchWithMCCMNC())
        return apnMatchWithMCCMNC(text);
    if (switches.isYdonMatchApn())
        return matchApnWithMCC(text, extra);
    qCWarning(lcDial).noquote() << "Error: global apn match didn't match, for the reason missed the setting config";
    return false;
}

bool DialServiceTransplant::specialImsiRoamMatch(const QString &imsi) const
{
    if (imsi.size() < 5)
        return false;
    const QVariantMap table = yov::nsDict(ConfigService(store()).specialImsiAndIccidMnc());
    const auto it = table.constFind(imsi.left(5));
    if (it == table.constEnd())
        return false;
    const QString iccid = Neighbours::init().iccidStr();
    if (iccid.size() < 6)
        return false;
    return iccid.mid(4, 2) != yov::nsString(*it);
}

bool DialServiceTransplant::rewriteWith(const QList<QVariantMap> &profiles, const char *road)
{
    if (profiles.isEmpty())
        return false;
    qCInfo(lcDial).noquote() << "Default profiles matched by" << road << ":" << profiles.size();
    return resetDialConfigListWithMatchedApn(profiles);
}

bool DialServiceTransplant::imsiMatchGlobalApn(const QString &imsi)
{
    for (const QString &key : imsiPrefixKeys(imsi)) {
        const QList<QVariantMap> profiles = matchApnByString(key);
        if (!profiles.isEmpty())
            return rewriteWith(profiles, "IMSI prefix");
    }
    return false;
}

bool DialServiceTransplant::apnMatchWithMCCMNC(const QString &key)
{
    return rewriteWith(matchApnByString(key), "MCC and MNC");
}

bool DialServiceTransplant::matchApnWithMCC(const QString &mcc, const QString &mnc)
{
    for (const QString &key : networkKeysForMccMnc(mcc, mnc)) {
        const QList<QVariantMap> profiles = matchApnByString(key);
        if (!profiles.isEmpty())
            return rewriteWith(profiles, "network key");
    }
    return false;
}

bool DialServiceTransplant::matchGlobalDefaultProfileWithImsi(const QString &imsi)
{
    const QVariant value = matchIndexFromImsiConfig(imsi);
    if (!value.isValid())
        return false;
    return rewriteWith(findMatchedProfileArray(value), "IMSI");
}

bool DialServiceTransplant::resetDialConfigListWithMatchedApn(const QList<QVariantMap> &profiles)
{
    if (profiles.isEmpty())
        return false;
    DialConfigList list(store());
    return list.replaceDefaultProfilesInFile(profiles);
}

// ---- the current profile ----------------------------------------------------------------------

int DialServiceTransplant::matchDefaultProfileWithImsi(const QString &imsi)
{
    ConfigService switches(store());
    const QVariant value = matchIndexFromImsiConfig(imsi);
    const std::optional<int> index = value.isValid() ? singleIndexOf(value, imsi.left(8)) : std::nullopt;
    switches.writeCurrentProfile(index.value_or(0));
    return index.value_or(-1);
}

int DialServiceTransplant::imsiMatchApn(const QString &imsi)
{
    const QVariantMap map = imsiConfig();
    for (const QString &key : imsiPrefixKeys(imsi)) {
        const auto it = map.constFind(key);
        if (it == map.constEnd())
            continue;
        const std::optional<int> index = singleIndexOf(*it, key);
        if (!index)
            return -1;
        ConfigService(store()).writeCurrentProfile(*index);
        return *index;
    }
    return -1;
}

// ---- filters ----------------------------------------------------------------------------------

std::function<bool(QChar)> DialServiceTransplant::createLetterAndNumberSet()
{
    return [](QChar c) {
        switch (c.category()) {
        case QChar::Letter_Lowercase:
        case QChar::Letter_Uppercase:
        case QChar::Number_DecimalDigit:
            return true;
        default:
            return false;
        }
    };
}

QString DialServiceTransplant::formatInput(const QString &text, bool letterAndNumberSetFlag, const QString &extra,
                                           int maxLen)
{
    const std::function<bool(QChar)> letters = createLetterAndNumberSet();
    return trimString(
        text,
        [&](QChar c) { return extra.contains(c) || (!letterAndNumberSetFlag && letters(c)); },
        maxLen);
}

QString DialServiceTransplant::checkToFormatTelephoneNumber(const QString &text)
{
    return filterDialNumber(text);
}

QString DialServiceTransplant::checkToFormatAPN(const QString &text)
{
    return formatInput(text, false, QStringLiteral(".-"), kApnMaxLength);
}

QString DialServiceTransplant::checkToFormatPassword(const QString &text) const
{
    return formatInput(text, false, kPasswordExtraCharacters, accountTextLimit(ConfigService(store()).getPassWordLimitLen()));
}

QString DialServiceTransplant::checkToFormatIPv6DNS(const QString &text)
{
    return filterIPv6Dns(text);
}

} // namespace ostrel
