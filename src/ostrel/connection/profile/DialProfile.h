#pragma once
// One APN profile of "dialConfig.plist": its keys, the safe view every reader takes of it, the
// defaults of a new profile, the names shown for it, and the dial parameters built from it.
//
// A profile is a QVariantMap as the property list holds it. Numbers may be stored as integers or as
// text ("1"); they are always read through yov::nsInt.

#include "common/records/connection/ConnectionRecords.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <functional>

namespace ostrel {

class ConfigManager;

// Keys of a profile dictionary.
namespace profilekey {
inline const QString provider = QStringLiteral("provider");
inline const QString telNumber = QStringLiteral("telNumber");
inline const QString accountName = QStringLiteral("accountName");
inline const QString password = QStringLiteral("password");
inline const QString apnName = QStringLiteral("apnName");
inline const QString pdpAddress = QStringLiteral("pdpAddress");
inline const QString preDns = QStringLiteral("preDns");
inline const QString altDns = QStringLiteral("altDns");
inline const QString saveUsernameFlag = QStringLiteral("saveUsernameFlag");
inline const QString askUsernameFlag = QStringLiteral("askUsernameFlag");
inline const QString apnFlag = QStringLiteral("apnFlag");
inline const QString pdpFlag = QStringLiteral("pdpFlag");
inline const QString dnsFlag = QStringLiteral("dnsFlag");
inline const QString pppFlag = QStringLiteral("pppFlag");
inline const QString pdpType = QStringLiteral("pdpType");
inline const QString IMSI = QStringLiteral("IMSI");
inline const QString IPv6ApnName = QStringLiteral("IPv6ApnName");
inline const QString IPv6Username = QStringLiteral("IPv6Username");
inline const QString IPv6Password = QStringLiteral("IPv6Password");
inline const QString IPv6PrefDNS = QStringLiteral("IPv6PrefDNS");
inline const QString IPv6AltDNS = QStringLiteral("IPv6AltDNS");
inline const QString IPv6PDPAddr = QStringLiteral("IPv6PDPAddr");
inline const QString IPv6AuthMode = QStringLiteral("IPv6AuthMode");
inline const QString SinglePdp = QStringLiteral("SinglePdp");
inline const QString IPv6DNSMode = QStringLiteral("IPv6DNSMode");
inline const QString IPv6SaveAccount = QStringLiteral("IPv6SaveAccount");
inline const QString IPv6ApnMode = QStringLiteral("IPv6ApnMode");
inline const QString IPv6PDPMode = QStringLiteral("IPv6PDPMode");
} // namespace profilekey

// PDP type with which no IPv4 APN is needed.
inline constexpr int kPdpTypeWithoutIPv4Apn = 2;

// Turns an English wording into the shown text (the localisation table); identity by default.
using Localizer = std::function<QString(const QString &)>;
QString localized(const Localizer &localizer, const QString &english);

// The switches and settings values the profile code reads, taken from the configuration store at
// one moment.
struct ProfileSettings {
    // Internet module
    bool addAPNWithSIM = false;
    bool addNewAPNWithDefaultTelNum = false;
    bool addNewAPNWithSaveUsername = false;
    bool changePosForProfile = false;
    bool apnNameAndAuthModemForConfigEnable = false;
    bool timAPNEditable = false;
    bool disableAlertWindowWhileAutoConnectFailed = false;
    bool checkAPNAccount = false; // the ask-before-connect feature: the sheets have the ask check box
    QStringList arrayForEditableProvider;
    int passwordLimitLen = 0; // Internet_setPasswordLenOfAPN through ConfigService
    int mtuSize = 0;          // Internet/MTUSize
    // DialConfigSetting module
    bool usingApnName = false;
    // Top level
    int defaultAuthMode = 0; // DefaultAuthMode: "CHAP" 1, anything else 0
    bool notChangeProviderWording = false;
    bool addDefaultEdit = false;
    int connectType = yov::kConnectTypePPP;
    QString imsi;    // IMSI
    QString simIMSI; // simIMSI

    // Null store: the shared one.
    static ProfileSettings read(ConfigManager *store = nullptr);
};

// "CHAP" gives 1; "PAP", any other text or no value gives 0.
int defaultAuthModeOf(const QVariant &stored);

// The safe copy of a profile: every missing string key among provider, apnName, accountName,
// password, telNumber, pdpAddress, preDns, altDns (and with double PDP IPv6ApnName, IPv6Username,
// IPv6Password) becomes "", every missing number key among pdpFlag, pdpType, pppFlag, apnFlag,
// dnsFlag, saveUsernameFlag, askUsernameFlag (and with double PDP IPv6AuthMode, SinglePdp) becomes
// 0. An empty map gives the empty profile: all those texts empty, all those numbers 0.
QVariantMap createSafeDialConfig(const QVariantMap &profile, bool supportDoublePdp);
// The first key of the profile, among those a profile defines, whose value is neither text nor a
// number (an array, a dictionary, data or a date): such a profile cannot be used. "" when every
// defined key is usable; keys a profile does not define are not looked at.
QString unusableProfileKey(const QVariantMap &profile);
// The text under key, or "" when missing.
QString getSafeDialStrParas(const QVariantMap &profile, const QString &key);
// The number under key, or 0 when missing.
int getSafeDialNumParas(const QVariantMap &profile, const QString &key);

// The profile name as shown: "" without a provider; localised unless notChangeProviderWording.
QString getApnProviderNameWith(const QVariantMap &profile, bool notChangeProviderWording,
                               const Localizer &localizer = {});

// The current profile's APN, or the localised "Automatic" when it is empty or missing.
QString getDefaultProfileAPN(const QVariantMap &profile, const Localizer &localizer = {});

// What a new profile gets, beyond the settings: whether the sheet has its optional controls.
struct NewProfileOptions {
    bool askUsernameFeature = false; // the ask check box exists: askUsernameFlag 0 is written
    bool pdpTypeGroupEnabled = false; // the PDP-type group is enabled: pdpType 0 is written
    bool supportDoublePdp = false;    // IPv6 defaults are added
};

// The name "New%d" (pattern as localised) with the lowest n >= 1 that no profile's provider has.
QString nextNewProfileName(const QList<QVariantMap> &profiles, const QString &pattern);

// A new profile with the defaults of the settings; its name from nextNewProfileName().
QVariantMap newProfile(const QList<QVariantMap> &profiles, const ProfileSettings &settings,
                       const NewProfileOptions &options, const Localizer &localizer = {});

// Adds IPv6ApnName, IPv6PrefDNS, IPv6AltDNS "" and IPv6DNSMode 0.
void setDefaultDialParamsForIPv6(QVariantMap &profile);

// What the Internet view shows of the current profile.
struct ProfileDisplay {
    QString telNumber;
    QString accountName; // empty unless saveUsernameFlag
    QString password;    // empty unless saveUsernameFlag
    QString providerLabel; // localised provider for a default profile, else ""
    QString provider;    // the stored name (post-connect chooser text, operator label)
    QString apnName;

    bool operator==(const ProfileDisplay &) const = default;
};
// chooserIndex is the profile's chooser item (profile index + 1).
ProfileDisplay displayAPNInfo(const QVariantMap &profile, int chooserIndex, int defaultProfileNum,
                              bool supportDoublePdp, const Localizer &localizer = {});

// The alert-window disable flag of the dial parameters: YES when the switch is set and an automatic
// reconnect runs; otherwise YES exactly while more profiles are still to be tried.
bool dialParaDisableAlertWindow(bool disableAlertSwitch, int reconnectTimes, bool apnCycleLastTry);

struct DialParamsContext {
    int connectType = yov::kConnectTypePPP;
    int mtu = 0;
    bool disableAlertWindow = false;
    bool supportDoublePdp = false;
};

// The 920-byte dial parameters of a profile (taken through createSafeDialConfig first). The IPv6
// fields stay empty without double-PDP support. Texts longer than their fields are cut (and
// logged); cutFields, when given, receives the record fields that were cut.
yov::MSG_APN_SET_REQ_PARA_T buildDialParams(const QVariantMap &profile, const DialParamsContext &context,
                                            QStringList *cutFields = nullptr);

} // namespace ostrel
