#include "ostrel/framework/switches/ConfigService.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>

namespace ostrel {

namespace switch_kind {

bool Bool::from(const QVariant &v, bool whenMissing) { return v.isValid() ? yov::nsBool(v) : whenMissing; }
int Int::from(const QVariant &v, int whenMissing) { return v.isValid() ? yov::nsInt(v) : whenMissing; }
float Float::from(const QVariant &v, float whenMissing) { return v.isValid() ? yov::nsFloat(v) : whenMissing; }
QVariant Object::from(const QVariant &v, const QVariant &whenMissing) { return v.isValid() ? v : whenMissing; }

QVariantMap Dict::from(const QVariant &v, const QVariantMap &whenMissing)
{
    return v.typeId() == QMetaType::QVariantMap ? v.toMap() : whenMissing;
}

QString String::from(const QVariant &v, const char *whenMissing)
{
    const QString text = v.isValid() ? yov::nsString(v) : QString();
    return text.isEmpty() ? QString::fromUtf8(whenMissing) : text;
}

bool Presence::from(const QVariant &v, bool whenMissing) { return v.isValid() ? !whenMissing : whenMissing; }

} // namespace switch_kind

namespace {

// The device-profile service of the operator.
const char kSoapServiceName[] = "http://192.0.2.10:8080/SPBUUP/SPBService?WSDL";
const char kSoapServiceContent[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    "<soapenv:Envelope xmlns:soapenv=\"http://schemas.xmlsoap.org/soap/envelope/\""
    " xmlns:loc=\"http://192.0.2.10/sdp/spb/local\">"
    "<soapenv:Header><loc:Authentication><Username>yov_tarn</Username><Password>qmw</Password>"
    " </loc:Authentication></soapenv:Header>"
    "<soapenv:Body><loc:getDeviceProfileByIMSI><loc:IMSI>%@</loc:IMSI></loc:getDeviceProfileByIMSI>"
    "</soapenv:Body></soapenv:Envelope>";

constexpr std::string_view orEmpty(const char *s) { return s ? std::string_view(s) : std::string_view(); }

#define OSTREL_SWITCH_ROW(kind, getter, module, key, subkey, whenMissing) \
    ConfigSwitchInfo{#getter, module, orEmpty(key), orEmpty(subkey), #kind},
constexpr ConfigSwitchInfo kSwitchTable[] = {OSTREL_CONFIG_SWITCHES(OSTREL_SWITCH_ROW)};
#undef OSTREL_SWITCH_ROW

QMutex g_tokenListMutex;
QString g_activeTokenListPath;

} // namespace

ConfigService *ConfigService::sharedConfigService()
{
    static ConfigService shared;
    return &shared;
}

ConfigService::ConfigService(ConfigManager *store) : store_(store) {}

ConfigManager *ConfigService::store() const
{
    return store_ ? store_ : ConfigManager::sharedConfigManager();
}

const ConfigSwitchInfo *ConfigService::switchTable(std::size_t *count)
{
    if (count)
        *count = std::size(kSwitchTable);
    return kSwitchTable;
}

QVariant ConfigService::lookup(const char *module, const char *key, const char *subkey) const
{
    ConfigManager *cm = store();
    if (!key)
        return cm->getConfigurationByModule(QString::fromUtf8(module));
    const QVariant value = cm->getConfigurationByModuleAndKey(QString::fromUtf8(module), QString::fromUtf8(key));
    if (!subkey)
        return value;
    if (value.typeId() != QMetaType::QVariantMap)
        return {};
    return value.toMap().value(QString::fromUtf8(subkey));
}

#define OSTREL_DEFINE_SWITCH(kind, getter, module, key, subkey, whenMissing) \
    switch_kind::kind::Type ConfigService::getter() const                   \
    {                                                                        \
        return switch_kind::kind::from(lookup(module, key, subkey), whenMissing); \
    }
OSTREL_CONFIG_SWITCHES(OSTREL_DEFINE_SWITCH)
#undef OSTREL_DEFINE_SWITCH

bool ConfigService::setAndWrite(const QString &module, const QString &key, const QVariant &value)
{
    // A missing module is not created; the file is written either way.
    store()->setConfigurationByModuleKeyAndValue(module, key, value);
    return store()->writeToFile();
}

bool ConfigService::setModuleAndWrite(const QString &module, const QVariant &value)
{
    store()->setConfigurationByModule(module, value);
    return store()->writeToFile();
}

bool ConfigService::setExistingKeyAndWrite(const QString &module, const QString &key, const QVariant &value)
{
    // Only a key the operator's file already holds in a dictionary module: a file without it is
    // left exactly as it is.
    const QVariant current = store()->getConfigurationByModule(module);
    if (current.typeId() != QMetaType::QVariantMap || !current.toMap().contains(key))
        return false;
    if (!store()->setConfigurationByModuleKeyAndValue(module, key, value))
        return false;
    return store()->writeToFile();
}

bool ConfigService::saveCurrentUIModel(int model)
{
    return setExistingKeyAndWrite(QStringLiteral("Main"), QStringLiteral("Main_UIModel"), qint64(model));
}

bool ConfigService::writeDisconnectAskState(const QVariant &value)
{
    return setAndWrite(QStringLiteral("Internet"), QStringLiteral("PopUpDisconnectWaring"), value);
}

QVariant ConfigService::getConnectButtonImageName(const QString &key) const
{
    if (key.isEmpty())
        return {};
    return store()->getConfigurationByModuleAndKey(QStringLiteral("Internet"), key);
}

bool ConfigService::setRecordLastResetTimeValueWhenEmpty(const QVariant &value)
{
    return setAndWrite(QStringLiteral("Record"), QStringLiteral("recordLastResetTime"), value);
}

bool ConfigService::isDisabledLimits() const
{
    if (yov::nsBool(lookup("Record", "IfSetRecordResetFrequence", nullptr)))
        return false;
    return !yov::nsBool(lookup("Record", "IfSetRecordResetEveryDays", nullptr));
}

bool ConfigService::checkIfRepalceSpecialPhoneNumberToSpecialString() const
{
    if (!yov::nsBool(lookup("SMS", "Sms_ReplaceSpecialNumberToSpecialString_IfNeeded", nullptr)))
        return false;
    const QVariant list = lookup("SMS", "SpecialNumberToHidden", nullptr);
    switch (list.typeId()) {
    case QMetaType::QVariantList:
        return !list.toList().isEmpty();
    case QMetaType::QVariantMap:
        return !list.toMap().isEmpty();
    default:
        return false;
    }
}

bool ConfigService::saveCurrentNetPreferedMode(int mode)
{
    return setExistingKeyAndWrite(QStringLiteral("Setting"), QStringLiteral("Setting_CurrentNetPreSys"), qint64(mode));
}

bool ConfigService::isSetCurrentNetPreferedMode() const
{
    const QVariant v = lookup("Setting", "Setting_CurrentNetPreSys", nullptr);
    return v.isValid() && yov::nsInt(v) == 3;
}

bool ConfigService::writeSMSStoreLocSettingFlagAfterFirstStartupUI(bool flag)
{
    return setExistingKeyAndWrite(QStringLiteral("Setting"),
                                  QStringLiteral("Setting_SetSMSDefaultStore_WhenFirstStartUpUI"), flag);
}

bool ConfigService::isSupportInterfaceInversionForPhoneBook() const
{
    if (activeTokenListLanguage() != QLatin1String("Arabic"))
        return false;
    return yov::nsBool(lookup("PhoneBook", "PhoneBook_InterfaceInversion_AtArabic", nullptr));
}

bool ConfigService::isImsiPhoneDictContainCertainImsi(const QString &imsi) const
{
    const QVariant module = lookup("ImsiPhone", nullptr, nullptr);
    return module.typeId() == QMetaType::QVariantMap && module.toMap().contains(imsi);
}

QVariant ConfigService::getPhoneNumWithImsi(const QString &imsi) const
{
    if (imsi.isEmpty())
        return {};
    return store()->getConfigurationByModuleAndKey(QStringLiteral("ImsiPhone"), imsi);
}

bool ConfigService::setImsi(const QString &imsi, const QString &phoneNum)
{
    if (imsi.isEmpty())
        return store()->writeToFile();
    return setAndWrite(QStringLiteral("ImsiPhone"), imsi, phoneNum);
}

bool ConfigService::writePurchaseProcessListInFile(const QVariant &list)
{
    if (!list.isValid())
        return store()->writeToFile();
    return setModuleAndWrite(QStringLiteral("PurchargeBySMS"), list);
}

bool ConfigService::checkMccMncIsRegister(const QString &mccMnc)
{
    const QVariant list = lookup("AllowMCCMNCList", nullptr, nullptr);
    m_MccMncArray_.clear();
    if (list.typeId() != QMetaType::QVariantList)
        return true;
    for (const QVariant &item : list.toList())
        m_MccMncArray_.append(yov::nsString(item));
    for (const QVariant &item : list.toList()) {
        if (item.typeId() == QMetaType::QString && item.toString() == mccMnc)
            return false;
    }
    return true;
}

bool ConfigService::getIsSupportMutalsLanguages() const
{
    return yov::nsArray(lookup("SupportLanguages", nullptr, nullptr)).isEmpty();
}

bool ConfigService::writeCurrentProfile(int profile)
{
    return setModuleAndWrite(QStringLiteral("ProfileID"), qint64(profile));
}

bool ConfigService::writeDefaultProfileNum(int number)
{
    return setModuleAndWrite(QStringLiteral("DefaultProfileNum"), qint64(number));
}

QString ConfigService::getSoapServiceName() const { return QString::fromUtf8(kSoapServiceName); }
QString ConfigService::getSoapServiceContent() const { return QString::fromUtf8(kSoapServiceContent); }

void ConfigService::setActiveTokenListPath(const QString &path)
{
    QMutexLocker lock(&g_tokenListMutex);
    g_activeTokenListPath = path;
}

QString ConfigService::activeTokenListPath()
{
    QMutexLocker lock(&g_tokenListMutex);
    return g_activeTokenListPath;
}

QString ConfigService::activeTokenListLanguage()
{
    const QString path = activeTokenListPath();
    if (path.isEmpty())
        return QString();
    return QFileInfo(QFileInfo(QFileInfo(path).absolutePath()).fileName()).completeBaseName();
}

} // namespace ostrel
