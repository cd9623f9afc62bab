#pragma once
// The operator switches: one named method per behaviour that operators turn on or off in
// settings.plist, each with the answer that applies when an operator's file lacks the key.
//
// Nothing is cached: every call reads the live configuration store afresh, so a change made in
// memory is seen at once. Setters change the store and write settings.plist; three of them
// (saveCurrentUIModel, saveCurrentNetPreferedMode, writeSMSStoreLocSettingFlagAfterFirstStartupUI)
// touch only a key that the operator's file already holds.
//
// Main thread only.

#include "ostrel/framework/switches/ConfigSwitchTable.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

#include <string_view>

namespace ostrel {

class ConfigManager;

// How a stored value becomes a switch's answer.
namespace switch_kind {
struct Bool {
    using Type = bool;
    static bool from(const QVariant &v, bool whenMissing);
};
struct Int {
    using Type = int;
    static int from(const QVariant &v, int whenMissing);
};
struct Float {
    using Type = float;
    static float from(const QVariant &v, float whenMissing);
};
// The stored value as it stands (array, dictionary or string); invalid when missing.
struct Object {
    using Type = QVariant;
    static QVariant from(const QVariant &v, const QVariant &whenMissing);
};
// A dictionary; empty when missing or not a dictionary.
struct Dict {
    using Type = QVariantMap;
    static QVariantMap from(const QVariant &v, const QVariantMap &whenMissing);
};
// A text; a missing or empty value gives the default.
struct String {
    using Type = QString;
    static QString from(const QVariant &v, const char *whenMissing);
};
// Whether the key is there at all, its value unread.
struct Presence {
    using Type = bool;
    static bool from(const QVariant &v, bool whenMissing);
};
} // namespace switch_kind

// One row of the switch table, for code that walks every switch (tests, diagnostics).
struct ConfigSwitchInfo {
    std::string_view getter;
    std::string_view module;
    std::string_view key;    // empty: the module's own value
    std::string_view subkey; // empty: none
    std::string_view kind;
};

class ConfigService {
public:
    // The shared switches, reading the shared store (ConfigManager::sharedConfigManager(), which
    // tests replace with ConfigManager::setSharedConfigManager()).
    static ConfigService *sharedConfigService();

    // Switches over a given store (not owned); null: the shared store at each call.
    explicit ConfigService(ConfigManager *store = nullptr);

    ConfigManager *store() const;

    // Every table-driven switch, in table order.
    static const ConfigSwitchInfo *switchTable(std::size_t *count);

#define OSTREL_DECLARE_SWITCH(kind, getter, module, key, subkey, whenMissing) \
    switch_kind::kind::Type getter() const;
    OSTREL_CONFIG_SWITCHES(OSTREL_DECLARE_SWITCH)
#undef OSTREL_DECLARE_SWITCH

    // Main
    // Stores the number and writes, only when Main_UIModel is already in the file.
    bool saveCurrentUIModel(int model);

    // Internet
    bool writeDisconnectAskState(const QVariant &value);
    // The value of any key of module Internet (a connect-button image name); invalid when missing.
    QVariant getConnectButtonImageName(const QString &key) const;

    // Record
    bool setRecordLastResetTimeValueWhenEmpty(const QVariant &value);
    // NO when IfSetRecordResetFrequence is true; otherwise NOT IfSetRecordResetEveryDays.
    bool isDisabledLimits() const;

    // SMS: YES only when the switch is on and SpecialNumberToHidden is a non-empty list.
    bool checkIfRepalceSpecialPhoneNumberToSpecialString() const;

    // Setting
    // Stores the number and writes, only when Setting_CurrentNetPreSys is already in the file.
    bool saveCurrentNetPreferedMode(int mode);
    // YES when Setting_CurrentNetPreSys holds the integer 3.
    bool isSetCurrentNetPreferedMode() const;
    // Stores the boolean and writes, only when Setting_SetSMSDefaultStore_WhenFirstStartUpUI is
    // already in the file.
    bool writeSMSStoreLocSettingFlagAfterFirstStartupUI(bool flag);

    // PhoneBook: the key is read only while the active token list is the Arabic one.
    bool isSupportInterfaceInversionForPhoneBook() const;

    // ImsiPhone
    bool isImsiPhoneDictContainCertainImsi(const QString &imsi) const;
    QVariant getPhoneNumWithImsi(const QString &imsi) const;
    bool setImsi(const QString &imsi, const QString &phoneNum);

    // Other top-level modules
    bool writePurchaseProcessListInFile(const QVariant &list);
    // NO when the MCC+MNC text is in AllowMCCMNCList; YES when it is not or the list is missing.
    bool checkMccMncIsRegister(const QString &mccMnc);
    // YES when SupportLanguages is missing or empty.
    bool getIsSupportMutalsLanguages() const;
    bool writeCurrentProfile(int profile);
    bool writeDefaultProfileNum(int number);

    // Fixed values of the device-profile SOAP service.
    QString getSoapServiceName() const;
    // The request document; its one "%@" takes the IMSI (fill it with yov::formatPlaceholders,
    // escaped for XML).
    QString getSoapServiceContent() const;

    // The list read by the last checkMccMncIsRegister().
    QStringList mccMncArray() const { return m_MccMncArray_; }

    // The token list the localisation has loaded (set by the localisation when it loads one).
    static void setActiveTokenListPath(const QString &path);
    static QString activeTokenListPath();
    // The language of that list: the name of the folder that holds it, without its extension
    // ("German" for German.lproj/LanguageTokenList.txt); empty while none is loaded.
    static QString activeTokenListLanguage();

private:
    QVariant lookup(const char *module, const char *key, const char *subkey) const;
    bool setAndWrite(const QString &module, const QString &key, const QVariant &value);
    bool setModuleAndWrite(const QString &module, const QVariant &value);
    bool setExistingKeyAndWrite(const QString &module, const QString &key, const QVariant &value);

    ConfigManager *store_ = nullptr;
    QStringList m_MccMncArray_;
};

} // namespace ostrel
