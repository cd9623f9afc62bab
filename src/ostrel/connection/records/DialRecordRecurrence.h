#pragma once
// The recurring reset of the connection records (daily, weekly or monthly, from the operator's
// "Volume Limit" settings). UI-free.
//
// A reset is due once the records have stood long enough since the last reset ("from"):
//   days = whole days from "from" to now (the fraction dropped); never due while days < 1 or when
//   a date is missing;
//   daily:   due when days >= 1;
//   weekly:  due when days > 7, or when one of the days from + 1 ... from + (days - 1), or now
//            itself, falls on the chosen weekday (0 Sunday ... 6 Saturday);
//   monthly: due when days > 31, or when one of those days, or now itself, is the chosen day of
//            the month (index 0 the 1st ... 30 the 31st; a month without that day has none).
// Days are counted on the calendar of the given time zone.
#include <QDateTime>
#include <QTimeZone>
#include <QVariant>

namespace ostrel {

class DialRecordRecurrence {
public:
    // Record/RecurrenceRadioTag.
    enum Tag { Daily = 0, Weekly = 1, Monthly = 2 };

    static qint64 wholeDays(const QDateTime &from, const QDateTime &now);
    static bool checkDayRecurrenceFrom(const QDateTime &from, const QDateTime &now);
    static bool checkWeekRecurrenceFrom(const QDateTime &from, const QDateTime &now, int dayOfWeek,
                                        const QTimeZone &zone);
    static bool checkMonthRecurrenceFrom(const QDateTime &from, const QDateTime &now, int dayOfMonth,
                                         const QTimeZone &zone);
    // The test of the tag; any other tag is never due.
    static bool checkPeriodCycleRecurrenceFrom(int tag, const QDateTime &from, const QDateTime &now, int dayOfWeek,
                                               int dayOfMonth, const QTimeZone &zone);

    // Where the period runs from: the stored last reset when there is one (it must be a date: any
    // other value, such as the "0" the older settings window writes, gives none); only when that
    // key is missing, the start chosen with the recurrence, a text "%Y-%m-%d %H:%M:%S" in the zone.
    // Invalid when there is none; *unreadableStart tells a start text that is there but does not
    // read as a time.
    static QDateTime resetFrom(const QVariant &lastReset, const QVariant &startOfSettings, const QTimeZone &zone,
                               bool *unreadableStart = nullptr);
};

} // namespace ostrel
