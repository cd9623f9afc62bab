#pragma once
// The logic behind the profile sheets: input filters run on every text change, the validity check
// on OK, the values the edit sheet shows and saves, and the button states of the profile table.
// No widgets here: the sheets call these functions.

#include <QList>
#include <QString>
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
// against every profile).
ProfileCheck checkDialConfigIsValid(const ProfileEdit &edit, const QList<QVariantMap> &profiles,
                                    std::optional<int> editedRow);

// ---------------------------------------------------------------------------------------------
// Buttons of the profile table.

struct ProfileButtons {
    bool edit = false;
    bool del = false;
    bool browse = false;
};

// row: the selected row (none, or a row at or beyond the count: nothing selected).
ProfileButtons setEidtStatusAtRow(std::optional<int> row, int profileCount, int defaultProfileNum,
                                  bool addDefaultEdit, bool timAPNEditable);

} // namespace ostrel
