#include "ostrel/connection/records/DialRecordRecurrence.h"

#include "common/ValueConversion.h"
#include "ostrel/connection/records/DialRecordReset.h"

namespace ostrel {

namespace {

// Whether now, or one of the days strictly between from and now, matches.
template <typename Match>
bool recurrenceDayBetween(const QDateTime &from, const QDateTime &now, qint64 days, const QTimeZone &zone,
                          const Match &match)
{
    const QDate first = from.toTimeZone(zone).date();
    for (qint64 k = 1; k < days; ++k)
        if (match(first.addDays(k)))
            return true;
    return match(now.toTimeZone(zone).date());
}

} // namespace

qint64 DialRecordRecurrence::wholeDays(const QDateTime &from, const QDateTime &now)
{
    if (!from.isValid() || !now.isValid())
        return 0;
    return from.secsTo(now) / 86400;
}

bool DialRecordRecurrence::checkDayRecurrenceFrom(const QDateTime &from, const QDateTime &now)
{
    return wholeDays(from, now) >= 1;
}

bool DialRecordRecurrence::checkWeekRecurrenceFrom(const QDateTime &from, const QDateTime &now, int dayOfWeek,
                                                   const QTimeZone &zone)
{
    const qint64 days = wholeDays(from, now);
    if (days < 1)
        return false;
    if (days > 7)
        return true;
    // QDate counts Monday 1 ... Sunday 7; the setting Sunday 0 ... Saturday 6.
    return recurrenceDayBetween(from, now, days, zone, [dayOfWeek](QDate d) { return d.dayOfWeek() % 7 == dayOfWeek; });
}

bool DialRecordRecurrence::checkMonthRecurrenceFrom(const QDateTime &from, const QDateTime &now, int dayOfMonth,
                                                    const QTimeZone &zone)
{
    const qint64 days = wholeDays(from, now);
    if (days < 1)
        return false;
    if (days > 31)
        return true;
    return recurrenceDayBetween(from, now, days, zone, [dayOfMonth](QDate d) { return d.day() == dayOfMonth + 1; });
}

bool DialRecordRecurrence::checkPeriodCycleRecurrenceFrom(int tag, const QDateTime &from, const QDateTime &now,
                                                          int dayOfWeek, int dayOfMonth, const QTimeZone &zone)
{
    switch (tag) {
    case Daily: return checkDayRecurrenceFrom(from, now);
    case Weekly: return checkWeekRecurrenceFrom(from, now, dayOfWeek, zone);
    case Monthly: return checkMonthRecurrenceFrom(from, now, dayOfMonth, zone);
    default: return false;
    }
}

QDateTime DialRecordRecurrence::resetFrom(const QVariant &lastReset, const QVariant &startOfSettings,
                                          const QTimeZone &zone, bool *unreadableStart)
{
    if (unreadableStart)
        *unreadableStart = false;
    if (lastReset.isValid())
        return lastReset.typeId() == QMetaType::QDateTime ? lastReset.toDateTime() : QDateTime();
    const QDateTime start = DialRecordReset::readResetTime(startOfSettings, zone);
    if (!start.isValid() && unreadableStart)
        *unreadableStart = !yov::nsString(startOfSettings).trimmed().isEmpty();
    return start;
}

} // namespace ostrel
