#include "ostrel/connection/records/DialRecordReset.h"

#include "ostrel/connection/records/DialRecordTotals.h"

namespace ostrel {

int DialRecordReset::resetPeriodDays(int index)
{
    return index >= 0 && index < kResetPeriodChoices ? index + 1 : 0;
}

QDateTime DialRecordReset::readResetTime(const QVariant &stored, const QTimeZone &zone)
{
    if (stored.typeId() != QMetaType::QString)
        return {};
    const QDateTime read = QDateTime::fromString(stored.toString().trimmed(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!read.isValid())
        return {};
    const QDateTime inZone(read.date(), read.time(), zone);
    return inZone.isValid() ? inZone : QDateTime();
}

QString DialRecordReset::dayStartText(QDate day)
{
    return day.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00");
}

qint64 DialRecordReset::elapsedPeriodDays(const QDateTime &start, const QDateTime &now, int periodDays)
{
    if (periodDays < 1 || !start.isValid() || !now.isValid())
        return 0;
    const qint64 elapsed = start.secsTo(now);
    if (elapsed <= 0)
        return 0;
    const qint64 period = qint64(periodDays) * 86400;
    return elapsed / period * periodDays;
}

int DialRecordReset::removeRecordsBetween(QVariantList &records, const QDateTime &from, const QDateTime &to)
{
    const qsizetype before = records.size();
    records.removeIf([&](const QVariant &record) { return DialRecordTotals::startsBetween(record, from, to); });
    return int(before - records.size());
}

} // namespace ostrel
