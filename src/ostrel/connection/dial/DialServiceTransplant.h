#pragma once
// The operator's default profiles for the SIM in the device, and the character filters of the
// profile fields.
//
// settings.plist carries the table of all operator default profiles (AllDefaultDialCfg) and the
// map from SIM keys to entries of it (IMSI2DialConfigIdx; see DefaultProfileMatch.h). When the
// SIM's identity is known the connection controller asks this service to put the fitting defaults
// at the head of "dialConfig.plist" (the global match and its roads), or to choose the current
// profile (ProfileID) from the IMSI. Matching changes only "dialConfig.plist", DefaultProfileNum
// and ProfileID; the file is written through DialConfigList, its one writer.
//
// Main thread only.
#include "ostrel/framework/service/YovServiceBase.h"

#include <QChar>
#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <functional>

namespace ostrel {

class ConfigManager;

class DialServiceTransplant : public YovServiceBase {
public:
    // The one instance over the shared configuration store.
    static DialServiceTransplant &sharedDialServiceTransplant();

    // store: the configuration store (not owned; null: the shared one at each call).
    explicit DialServiceTransplant(ConfigManager *store = nullptr);

    // ---- lookups
    // The map value of the IMSI's longest prefix (8 down to 4 characters) that the map holds;
    // invalid when none (or no map).
    QVariant matchIndexFromImsiConfig(const QString &imsi) const;
    // The map value under key; invalid when none.
    QVariant withMatchStringFindIndexOfMatchedApn(const QString &key) const;
    // The default profiles a map value names, in its order (bad indexes skipped, logged).
    QList<QVariantMap> findMatchedProfileArray(const QVariant &value) const;
    // The same lookup under the name the matching roads use.
    QList<QVariantMap> withIndexOfMatchedApnFindInfoOfMatchedApn(const QVariant &value) const
    {
        return findMatchedProfileArray(value);
    }
    // The profiles under key; empty when none.
    QList<QVariantMap> matchApnByString(const QString &key) const;

    // ---- the global match: true only when the profile list was rewritten
    // The first road whose switch is on: SpecialImsiRoam (a listed roaming SIM matches nothing),
    // ImsiMatchGlobalApn, APNMatchWithMCCMNC, YdonMatchApn; with none on, an error line and false.
    bool matchGlobalApn(const QString &text, const QString &extra = QString());
    // Whether the SIM is the operator's listed roaming SIM: the table Setting_SpecialImsiAndIccidMnc
    // has the IMSI's first five characters, and the ICCID's 5th and 6th characters differ from the
    // entry. False for an IMSI shorter than 5 or an ICCID shorter than 6 characters.
    bool specialImsiRoamMatch(const QString &imsi) const;
    // The first IMSI prefix (8 down to 4) with profiles rewrites the list.
    bool imsiMatchGlobalApn(const QString &imsi);
    // The exact key's profiles rewrite the list.
    bool apnMatchWithMCCMNC(const QString &key);
    // The keys of networkKeysForMccMnc in order; the first with profiles rewrites the list.
    bool matchApnWithMCC(const QString &mcc, const QString &mnc);
    // The IMSI's map value's profiles rewrite the list.
    bool matchGlobalDefaultProfileWithImsi(const QString &imsi);
    // Rewrites the head of the profile file with the profiles (DialConfigList::replaceDefaultProfilesInFile).
    bool resetDialConfigListWithMatchedApn(const QList<QVariantMap> &profiles);

    // ---- the current profile from the IMSI: the index, or -1 when none
    // The IMSI's map value (its first element for an array) becomes ProfileID; none stores 0.
    int matchDefaultProfileWithImsi(const QString &imsi);
    // The same by prefix; none leaves ProfileID as it is.
    int imsiMatchApn(const QString &imsi);

    // ---- filters of the profile fields
    // Lower-case and upper-case letters and decimal digits, by their Unicode class.
    static std::function<bool(QChar)> createLetterAndNumberSet();
    // flag false: letters and digits plus extra; flag true: extra only; then trimString to maxLen.
    static QString formatInput(const QString &text, bool letterAndNumberSetFlag, const QString &extra, int maxLen);
    static QString checkToFormatTelephoneNumber(const QString &text);
    static QString checkToFormatAPN(const QString &text);
    // Cut to accountTextLimit of the configured Internet/Internet_setPasswordLenOfAPN.
    QString checkToFormatPassword(const QString &text) const;
    static QString checkToFormatIPv6DNS(const QString &text);

    // The extra characters of checkToFormatPassword.
    static const QString kPasswordExtraCharacters;

private:
    ConfigManager *store() const;
    QVariantMap imsiConfig() const;
    bool rewriteWith(const QList<QVariantMap> &profiles, const char *road);

    ConfigManager *store_ = nullptr;
};

} // namespace ostrel
