#pragma once
// The logic behind the profile sheets: input filters run on every text change, the validity check
// on OK, the values the edit sheet shows and saves, and the button states of the profile table.
// No widgets here: the sheets call these functions.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <functional>
#include <optional>

namespace ostrel {

// ---------------------------------------------------------------------------------------------
// Input filters: keep, in order, only the characters that pass, then cut to length.

QString trimString(const QString &text, const std::function<bool(QChar)> &keep, int length);

// Dial number: "*#0123456789abcdABCD", at most 30.
inline constexpr int kDialNumberMaxLength = 30;
QString filterDialNumber(const QString &text);

// IPv4 APN: ASCII letters, digits and ".-", at most 60.
inline constexpr int kApnMaxLength = 60;
QString filterApn(const QString &text);

// User name and password (edit sheet and the ask-before-connect prompt): ASCII letters, digits and
// !#$&()*+,-./%:;<=>?@[]^_{|}~ plus double quote, backslash and apostrophe.
// Length: the configured limit when it is 1 or more, else 30; never above the 127 bytes the
// dial-parameter field can carry.
inline constexpr int kAccountDefaultMaxLength = 30;
inline constexpr int kAccountFieldMaxLength = 127;
int accountTextLimit(int configuredLimit);
QString filterAccountText(const QString &text, int configuredLimit);

// Profile name: at most 64 characters in the sheet's name field and wherever a name is shown or
// stored in a connection record (a longer name read from the file is cut there, not in the file).
inline constexpr int kProfileNameMaxLength = 64;

// IPv6 preferred and alternate DNS: hexadecimal digits and ":", at most 39.
inline constexpr int kIPv6DnsMaxLength = 39;
QString filterIPv6Dns(const QString &text);

// An IPv6 DNS text of at most 40 characters.
bool checkIPv6DNSIsValid(const QString &text);

// ---------------------------------------------------------------------------------------------
// The edit sheet's values.

struct ProfileEdit {
    QString provider;
    QString telNumber;
    int saveUsernameFlag = 0;
    std::optional<int> askUsernameFlag; // only when the ask check box exists
    QString accountName;
    QString password;
    int apnFlag = 0;
    QString apnName;
    int dnsFlag = 0;
    QString preDns;
    QString altDns;
    int pdpFlag = 0;
    QString pdpAddress;
    int pppFlag = 0;
    std::optional<int> pdpType; // only when the PDP-type group is enabled

    // The IPv6 tab (double PDP only).
    struct IPv6 {
        QString apnName;
        QString prefDns;
        QString altDns;
        int dnsMode = 0;
        QString username;
        QString password;
        int saveAccount = 0;
        int apnMode = 0;
        int authMode = 0;
        int pdpMode = 0;
        QString pdpAddr;
        int singlePdp = 0;
    };
    std::optional<IPv6> ipv6;
};

// What the edit sheet shows for a profile: texts "" and numbers 0 when missing. The name is the
// shown name (getApnProviderNameWith), which the caller passes in.
ProfileEdit editValuesOf(const QVariantMap &profile, const QString &shownName, bool askCheckBox,
                         bool pdpTypeGroup, bool supportDoublePdp);

// Writes the sheet's values into the profile, every filtered field passed through its filter
// again (so that a value never exceeds its bounds, whatever the sheet let through). Keys the sheet
// does not show are kept.
void applyEdit(QVariantMap &profile, const ProfileEdit &edit, int passwordLimitLen);

// ---------------------------------------------------------------------------------------------
// The validity check on OK, first failure wins.

enum class ProfileCheck {
    Valid,
    InvalidProfile,      // name empty or with a blank at either end
    NameExists,          // the name of another profile
    InvalidApn,
    InvalidPreferredDns,
    InvalidAlternateDns,
    InvalidPdpAddress,
};

// The warning text of a failed check (English; the sheet localises it), "" for Valid.
QString profileCheckMessage(ProfileCheck check);

// editedRow: the row being edited, whose own name does not count as a duplicate (none: a new name
// against every profile). An address (preferred and alternate DNS, PDP address) is either empty or
// a complete dotted IPv4 address other than "0.0.0.0": the device's fields hold nothing else, and a
// partial address is refused rather than completed or cut on the way.
ProfileCheck checkDialConfigIsValid(const ProfileEdit &edit, const QList<QVariantMap> &profiles,
                                    std::optional<int> editedRow);

// ---------------------------------------------------------------------------------------------
// Buttons of the profile table.

struct ProfileButtons {
    bool edit = false;
    bool del = false;
    bool browse = false;
};

// row: the selected row (none, or a row at or beyond the count: nothing selected). The states of
// the general rule; the two operator rules below are applied after it.
ProfileButtons setEidtStatusAtRow(std::optional<int> row, int profileCount, int defaultProfileNum,
                                  bool addDefaultEdit);

// Whether the default profile of row may be edited in the restricted mode: row is not negative and
// below defaultProfileNum, and its provider is one of editableProviders (NO for an empty list).
bool checkProviderIsEditable(int row, const QList<QVariantMap> &profiles, int defaultProfileNum,
                             const QStringList &editableProviders);
// For a row of 0 or more whose profile is editable in that way: Edit is enabled.
void setUsernameAndPasswordEditable(ProfileButtons &buttons, int row, bool providerEditable);
// For row 1 with Internet/TimAPNEditable: Edit and Browse enabled, Delete disabled.
void setBtnStausForRAVO(ProfileButtons &buttons, int row, bool timAPNEditable);

// ---------------------------------------------------------------------------------------------
// Which controls of the edit sheet take input. A dependent field (user name and password, APN,
// DNS, address) follows its check box or radio group while that control takes input; otherwise it
// keeps the state given here.

struct EditSheetControls {
    bool name = true;
    bool number = true;
    bool saveUsername = true;
    bool ask = true;
    bool user = true;
    bool password = true;
    bool apnGroup = true;
    bool apn = true;
    bool dnsGroup = true;
    bool dns = true;
    bool pdpGroup = true;
    bool pdpAddress = true;
    bool authGroup = true;

    bool operator==(const EditSheetControls &) const = default;
};
// A profile that is not an editable default profile: every control. An editable default profile (checkProviderIsEditable): only the name, user name,
// password and ask controls; with apnNameAndAuthModemForConfigEnable every control except the name,
// number, save check box, user name and password fields and the APN group (the APN, DNS, address
// and authentication choices of the operator's profile are the user's to change).
EditSheetControls editSheetControlStates(bool providerEditable, bool apnNameAndAuthModemForConfigEnable);

} // namespace ostrel
