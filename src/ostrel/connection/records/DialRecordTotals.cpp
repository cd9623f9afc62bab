#include "ostrel/connection/records/DialRecordTotals.h"

#include "common/ValueConversion.h"

#include <QVariantMap>

#include <cmath>

namespace ostrel {

namespace {

double finiteRecordValue(double value) { return std::isfinite(value) ? value : 0.0; }

DialRecordPeriod recordPeriodOf(QDate first, QDate next, const QTimeZone &zone)
{
    return {first.startOfDay(zone), next.startOfDay(zone)};
}

QDate localDateIn(const QDateTime &now, const QTimeZone &zone) { return now.toTimeZone(zone).date(); }

void addRecordSums(DialRecordSums &total, const DialRecordSums &s)
{
    total.receiveKB += s.receiveKB;
    total.sendKB += s.sendKB;
    total.seconds += s.seconds;
}

} // namespace

QDateTime DialRecordTotals::startTime(const QVariant &record)
{
    if (record.typeId() != QMetaType::QVariantMap)
        return {};
    const QVariant start = record.toMap().value(QStringLiteral("starttime"));
    return start.typeId() == QMetaType::QDateTime ? start.toDateTime() : QDateTime();
}

DialRecordSums DialRecordTotals::sumsOf(const QVariant &record)
{
    DialRecordSums s;
    if (record.typeId() != QMetaType::QVariantMap)
        return s;
    const QVariantMap r = record.toMap();
    s.receiveKB = finiteRecordValue(yov::nsDouble(r.value(QStringLiteral("receivebyte"))));
    s.sendKB = finiteRecordValue(yov::nsDouble(r.value(QStringLiteral("sendbyte"))));
    const QVariant seconds = r.value(QStringLiteral("connecttime"));
    s.seconds = seconds.typeId() == QMetaType::Double ? qint64(finiteRecordValue(seconds.toDouble()))
                                                      : yov::nsLongLong(seconds);
    return s;
}

DialRecordSums DialRecordTotals::sum(const QVariantList &records)
{
    DialRecordSums total;
    for (const QVariant &record : records)
        addRecordSums(total, sumsOf(record));
    return total;
}

DialRecordSums DialRecordTotals::sum(const QVariantList &records, const DialRecordPeriod &period)
{
    DialRecordSums total;
    for (const QVariant &record : records) {
        const QDateTime start = startTime(record);
        if (!start.isValid() || start < period.from || start >= period.until)
            continue;
        addRecordSums(total, sumsOf(record));
    }
    return total;
}

bool DialRecordTotals::startsBetween(const QVariant &record, const QDateTime &from, const QDateTime &to)
{
    const QDateTime start = startTime(record);
    return start.isValid() && start >= from && start <= to;
}

QVariantList DialRecordTotals::recordsBetween(const QVariantList &records, const QDateTime &from, const QDateTime &to)
{
    QVariantList found;
    for (const QVariant &record : records) {
        if (startsBetween(record, from, to))
            found.append(record);
    }
    return found;
}

DialRecordPeriod DialRecordTotals::day(const QDateTime &now, const QTimeZone &zone)
{
    const QDate today = localDateIn(now, zone);
    return recordPeriodOf(today, today.addDays(1), zone);
}

DialRecordPeriod DialRecordTotals::month(const QDateTime &now, const QTimeZone &zone)
{
    const QDate today = localDateIn(now, zone);
    const QDate first(today.year(), today.month(), 1);
    return recordPeriodOf(first, first.addMonths(1), zone);
}

DialRecordPeriod DialRecordTotals::year(const QDateTime &now, const QTimeZone &zone)
{
    const QDate today = localDateIn(now, zone);
    const QDate first(today.year(), 1, 1);
    return recordPeriodOf(first, first.addYears(1), zone);
}

} // namespace ostrel
