#include "ostrel/sms/service/SmsListSorts.h"

#include "common/ValueConversion.h"

#include <QDateTime>

#include <algorithm>
#include <vector>

namespace ostrel {

namespace {

template <typename T>
int threeWay(const T &a, const T &b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

// Numbers of any width compare as one kind.
bool isSmsNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

// The rank of a value's kind: missing first, then the kinds in a fixed order.
int smsValueKind(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return 0;
    if (v.typeId() == QMetaType::Bool)
        return 1;
    if (isSmsNumber(v))
        return 2;
    if (v.typeId() == QMetaType::QString)
        return 3;
    if (v.typeId() == QMetaType::QDateTime)
        return 4;
    return 5 + v.typeId();
}

// The value a regular message is sorted by under the key; invalid for a key not compared.
QVariant regularSortValue(const QVariantMap &message, const QString &key)
{
    const QVariantMap summary = yov::nsDict(message.value(QStringLiteral("concatSmsInfo")));
    if (key == QLatin1String("mobilephone") || key == QLatin1String("username"))
        return summary.value(key);
    if (key == QLatin1String("date") || key == QLatin1String("stat")) {
        if (yov::nsBool(message.value(QStringLiteral("concatSmsFlag"))))
            return summary.value(key);
        return yov::nsDict(message.value(QStringLiteral("smsInfo"))).value(key);
    }
    return {};
}

bool isRegularSortKey(const QString &key)
{
    return key == QLatin1String("mobilephone") || key == QLatin1String("username") || key == QLatin1String("date")
        || key == QLatin1String("stat");
}

bool isDraftSortKey(const QString &key)
{
    return key == QLatin1String("mobilephone") || key == QLatin1String("username") || key == QLatin1String("date");
}

// A value taken out of an element for sorting, with a date's instant computed once.
struct SmsSortKey {
    QVariant value;
    int kind = 0;
    qint64 instant = 0;
    qsizetype index = 0;
};

int compareSortKeys(const SmsSortKey &a, const SmsSortKey &b)
{
    if (a.kind != b.kind)
        return threeWay(a.kind, b.kind);
    if (a.kind == 4)
        return threeWay(a.instant, b.instant);
    return compareSmsValues(a.value, b.value);
}

} // namespace

int compareSmsValues(const QVariant &a, const QVariant &b)
{
    const int kindA = smsValueKind(a);
    const int kindB = smsValueKind(b);
    if (kindA != kindB)
        return threeWay(kindA, kindB);
    switch (kindA) {
    case 0:
        return 0;
    case 1:
        return threeWay(a.toBool(), b.toBool());
    case 2:
        if (a.typeId() == QMetaType::Double || a.typeId() == QMetaType::Float || b.typeId() == QMetaType::Double
            || b.typeId() == QMetaType::Float) {
            // NaN would break the order: it counts as the lowest number.
            const double x = a.toDouble(), y = b.toDouble();
            if (x != x || y != y)
                return threeWay(x == x, y == y);
            return threeWay(x, y);
        }
        if (a.typeId() == QMetaType::ULongLong || b.typeId() == QMetaType::ULongLong) {
            // Mixed signed and unsigned: a negative value is below every unsigned one.
            const bool negA = a.typeId() != QMetaType::ULongLong && a.toLongLong() < 0;
            const bool negB = b.typeId() != QMetaType::ULongLong && b.toLongLong() < 0;
            if (negA || negB)
                return negA && negB ? threeWay(a.toLongLong(), b.toLongLong()) : (negA ? -1 : 1);
            return threeWay(a.toULongLong(), b.toULongLong());
        }
        return threeWay(a.toLongLong(), b.toLongLong());
    case 3: {
        const int c = a.toString().compare(b.toString());
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    case 4:
        return threeWay(a.toDateTime().toMSecsSinceEpoch(), b.toDateTime().toMSecsSinceEpoch());
    default:
        // Other kinds (dictionaries, arrays, data) have no order of their own: all the same.
        return 0;
    }
}

int boxListAscendingSort(const QVariantMap &first, const QVariantMap &second, const QString &key)
{
    if (!isRegularSortKey(key))
        return 0;
    return compareSmsValues(regularSortValue(first, key), regularSortValue(second, key));
}

int boxListDescendingSort(const QVariantMap &first, const QVariantMap &second, const QString &key)
{
    return boxListAscendingSort(second, first, key);
}

int draftBoxListAscendingSort(const QVariantMap &first, const QVariantMap &second, const QString &key)
{
    if (!isDraftSortKey(key))
        return 0;
    return compareSmsValues(first.value(key), second.value(key));
}

int draftBoxListDescendingSort(const QVariantMap &first, const QVariantMap &second, const QString &key)
{
    return draftBoxListAscendingSort(second, first, key);
}

int deleteListDescendingSort(const QVariantMap &first, const QVariantMap &second, const QString &key)
{
    if (key != QLatin1String("index"))
        return 0;
    return compareSmsValues(second.value(key), first.value(key));
}

void sortSmsBoxList(QVariantList &list, const QString &key, bool ascending, bool drafts)
{
    if (drafts ? !isDraftSortKey(key) : !isRegularSortKey(key))
        return; // a key the order does not compare leaves the list as it is
    std::vector<SmsSortKey> keys;
    keys.reserve(std::size_t(list.size()));
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QVariantMap message = yov::nsDict(list.at(i));
        SmsSortKey k;
        k.value = drafts ? message.value(key) : regularSortValue(message, key);
        k.kind = smsValueKind(k.value);
        if (k.kind == 4)
            k.instant = k.value.toDateTime().toMSecsSinceEpoch();
        k.index = i;
        keys.push_back(std::move(k));
    }
    std::stable_sort(keys.begin(), keys.end(), [ascending](const SmsSortKey &a, const SmsSortKey &b) {
        return ascending ? compareSortKeys(a, b) < 0 : compareSortKeys(b, a) < 0;
    });
    QVariantList sorted;
    sorted.reserve(list.size());
    for (const SmsSortKey &k : keys)
        sorted.append(list.at(k.index));
    list = std::move(sorted);
}

} // namespace ostrel
