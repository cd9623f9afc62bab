#include "ostrel/connection/profile/DefaultProfileMatch.h"

#include "ostrel/connection/profile/ProfileLog.h"

#include "common/ValueConversion.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace ostrel {

namespace {

// The leading decimal digits of text (after blanks), or none when there is no digit or the
// number does not fit in 63 bits.
std::optional<qint64> leadingDecimal(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    qint64 value = 0;
    bool any = false;
    for (; i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9'; ++i) {
        const int digit = text.at(i).unicode() - u'0';
        if (__builtin_mul_overflow(value, 10, &value) || __builtin_add_overflow(value, digit, &value))
            return std::nullopt;
        any = true;
    }
    if (!any)
        return qint64(0); // read as a number, a text without leading digits is 0
    return value;
}

std::optional<QString> networkKey(qint64 mcc, qint64 factor, qint64 mnc)
{
    qint64 key = 0;
    if (__builtin_mul_overflow(mcc, factor, &key) || __builtin_add_overflow(key, mnc, &key))
        return std::nullopt;
    return QString::number(key);
}

} // namespace

QStringList imsiPrefixKeys(const QString &imsi)
{
    QStringList keys;
    for (int length = 8; length >= 4; --length)
        if (imsi.size() >= length)
            keys.append(imsi.left(length));
    return keys;
}

QStringList networkKeysForMccMnc(const QString &mcc, const QString &mnc)
{
    QStringList keys;
    const std::optional<qint64> mccValue = leadingDecimal(mcc);
    const std::optional<qint64> mncValue = leadingDecimal(mnc);
    if (mccValue && mncValue) {
        if (mnc.size() < 3) {
            if (const auto key = networkKey(*mccValue, 100, *mncValue))
                keys.append(*key);
        }
        if (const auto key = networkKey(*mccValue, 1000, *mncValue))
            keys.append(*key);
    }
    keys.append(QStringLiteral("NULL"));
    return keys;
}

std::optional<QList<qint64>> tableIndexesOf(const QVariant &value, const QString &key)
{
    if (yov::isNumber(value) && value.typeId() != QMetaType::Bool)
        return QList<qint64>{yov::nsLongLong(value)};
    if (value.typeId() == QMetaType::QVariantList) {
        QList<qint64> indexes;
        for (const QVariant &element : value.toList()) {
            if (!yov::isNumber(element) || element.typeId() == QMetaType::Bool) {
                qCWarning(lcProfile).noquote() << "Configuration error: IMSI2DialConfigIdx" << key
                                               << "holds an element that is not a number; skipped";
                return std::nullopt;
            }
            indexes.append(yov::nsLongLong(element));
        }
        return indexes;
    }
    qCWarning(lcProfile).noquote() << "Configuration error: IMSI2DialConfigIdx" << key
                                   << "is neither a number nor an array of numbers; skipped";
    return std::nullopt;
}

QList<QVariantMap> profilesOfTableValue(const QVariant &value, const QVariantList &defaultProfiles, const QString &key)
{
    QList<QVariantMap> profiles;
    const std::optional<QList<qint64>> indexes = tableIndexesOf(value, key);
    if (!indexes)
        return profiles;
    for (const qint64 index : *indexes) {
        if (index < 0 || index >= defaultProfiles.size()) {
            qCWarning(lcProfile).noquote() << "Configuration error: IMSI2DialConfigIdx" << key << "names profile"
                                           << index << "outside AllDefaultDialCfg (" << defaultProfiles.size()
                                           << "profiles); skipped";
            continue;
        }
        const QVariant &entry = defaultProfiles.at(index);
        if (entry.typeId() != QMetaType::QVariantMap) {
            qCWarning(lcProfile).noquote() << "Configuration error: AllDefaultDialCfg entry" << index
                                           << "is not a dictionary; skipped";
            continue;
        }
        profiles.append(entry.toMap());
    }
    return profiles;
}

std::optional<int> singleIndexOf(const QVariant &value, const QString &key)
{
    const std::optional<QList<qint64>> indexes = tableIndexesOf(value, key);
    if (!indexes || indexes->isEmpty())
        return std::nullopt;
    const qint64 index = indexes->first();
    if (index < 0 || index > std::numeric_limits<int>::max()) {
        qCWarning(lcProfile).noquote() << "Configuration error: IMSI2DialConfigIdx" << key << "names profile" << index
                                       << "; skipped";
        return std::nullopt;
    }
    return int(index);
}

std::optional<QList<QVariantMap>> replaceDefaultProfiles(const QList<QVariantMap> &list, int defaultProfileNum,
                                                         const QList<QVariantMap> &matched, MatchedOrder order,
                                                         DefaultsBeyondList beyond)
{
    if (matched.isEmpty())
        return std::nullopt;
    if (defaultProfileNum > list.size() && beyond == DefaultsBeyondList::LeaveList)
        return std::nullopt;
    const qsizetype oldDefaults = std::clamp<qsizetype>(defaultProfileNum, 0, list.size());
    QList<QVariantMap> result;
    result.reserve(matched.size() + list.size() - oldDefaults);
    if (order == MatchedOrder::AsGiven)
        result.append(matched);
    else
        std::reverse_copy(matched.cbegin(), matched.cend(), std::back_inserter(result));
    result.append(list.mid(oldDefaults));
    return result;
}

} // namespace ostrel
