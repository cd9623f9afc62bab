#pragma once
// The arithmetic of the periodic reset of the connection records. UI-free.
//
// The reset runs every N days from a start S: once now lies k × N days (k ≥ 1) past S, the records
// that started from S to S + k × N days (both included) are dropped and that boundary becomes the
// new start. Days are 86400 seconds.
#include <QDate>
#include <QDateTime>
#include <QTimeZone>
#include <QVariant>
#include <QVariantList>

namespace ostrel {

class DialRecordReset {
public:
    // The items of the period chooser are the day counts 1 to kResetPeriodChoices; the stored
    // value (Record/recordResetPeriod) is the index of the chosen item.
    static constexpr int kResetPeriodChoices = 30;
    // The 30-day reset stores the index of its item.
    static constexpr int kThirtyDaysIndex = 29;

    // The day count of a chooser index; 0 for an index outside the chooser.
    static int resetPeriodDays(int index);

    // A stored time in the form "%Y-%m-%d %H:%M:%S", or in the calendar pattern the reset writes
    // it with (Record/ResetTimePattern), read in the zone; invalid when the value is neither.
    // Patterns of numbers (%Y %m %d %e %H %I %M %S %F), English names (%B %b %A %a), %p, %X and
    // %% are read; one with another conversion (a two-digit year, a zone), or without the year,
    // the month and the day, reads nothing.
    static QDateTime readResetTime(const QVariant &stored, const QTimeZone &zone, const QString &pattern = QString());
    // The day at 00:00:00 in the form "%Y-%m-%d 00:00:00".
    static QString dayStartText(QDate day);

    // The days from start to the last period boundary that is not after now: a multiple of
    // periodDays, 0 while the first period runs, when now is before the start, or for a period
    // below one day.
    static qint64 elapsedPeriodDays(const QDateTime &start, const QDateTime &now, int periodDays);

    // Removes the records that started from one date to the other (both included); how many.
    static int removeRecordsBetween(QVariantList &records, const QDateTime &from, const QDateTime &to);
};

} // namespace ostrel
