#pragma once
// The operator's default profiles for a SIM: the keys looked up in the operator table of
// settings.plist, the profiles a table value names, and the rewrite of the head of the profile
// list. Pure functions over values; the callers read the settings and write the files.
//
// The table: IMSI2DialConfigIdx maps a key (an IMSI prefix, an MCC and MNC number, or "NULL") to
// one index or an array of indexes into AllDefaultDialCfg, the list of all default profiles.
// A value of another kind, an index outside the list and an entry that is not a dictionary are
// configuration errors: each is skipped with a logged line, never followed.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

#include <optional>

namespace ostrel {

// The IMSI prefixes tried, longest first: 8, 7, 6, 5 and 4 characters, each only when the IMSI
// is at least that long.
QStringList imsiPrefixKeys(const QString &imsi);

// The keys tried for an MCC and MNC, in order: MCC x 100 + MNC (only when the MNC text is shorter
// than 3 characters), MCC x 1000 + MNC, then "NULL". Both texts are read as decimal numbers by
// their leading digits in 64 bits; a product that does not fit leaves its key out.
QStringList networkKeysForMccMnc(const QString &mcc, const QString &mnc);

// The indexes a table value names: one number, or an array whose elements are all numbers.
// Anything else is a configuration error (logged with the key) and gives none.
std::optional<QList<qint64>> tableIndexesOf(const QVariant &value, const QString &key);

// The profiles a table value names, in its order. Indexes outside the list and entries that are
// not dictionaries are skipped with a logged configuration error.
QList<QVariantMap> profilesOfTableValue(const QVariant &value, const QVariantList &defaultProfiles, const QString &key);

// The one index of the single-profile roads: the number, or the first element of an array.
// None for any other value or a negative index (logged).
std::optional<int> singleIndexOf(const QVariant &value, const QString &key);

// How the matched profiles stand at the head of the list.
enum class MatchedOrder { AsGiven, Reversed };
// What a DefaultProfileNum above the list's count does: the whole list counts as defaults, or
// the list is left as it is.
enum class DefaultsBeyondList { ReplaceWholeList, LeaveList };

// The list with its first DefaultProfileNum profiles replaced by the matched ones. None when
// nothing changes: no matched profile, or a DefaultProfileNum above the count with LeaveList.
// The user's profiles after the defaults stay in their order, whatever SIM they belong to.
std::optional<QList<QVariantMap>> replaceDefaultProfiles(const QList<QVariantMap> &list, int defaultProfileNum,
                                                         const QList<QVariantMap> &matched, MatchedOrder order,
                                                         DefaultsBeyondList beyond);

} // namespace ostrel
