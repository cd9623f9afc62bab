#pragma once
// Totals of connection records and the records of a period. UI-free.
//
// A record that is not a dictionary, or lacks a key, counts 0 for that key; "sendbyte" and
// "receivebyte" read as reals whether stored as numbers or numeric text, "connecttime" as whole
// seconds; a value that is not a finite number counts 0. A record without a start date lies in no
// period.
//
// Periods are taken in a given time zone (the local one in the dashboard): today from 00:00:00,
// this month from the 1st at 00:00:00, this year from 1 January at 00:00:00, each up to the start
// of the next one, so the last second of a day, of any month and of the year belongs to it.
#include "ostrel/framework/neighbours/DialRecordControllerInterface.h"

#include <QDateTime>
#include <QTimeZone>
#include <QVariantList>

namespace ostrel {

// A span of time: from (included) until (excluded).
struct DialRecordPeriod {
    QDateTime from;
    QDateTime until;
};

class DialRecordTotals {
public:
    // The start of a record; invalid when it has none.
    static QDateTime startTime(const QVariant &record);
    // The sums of one record.
    static DialRecordSums sumsOf(const QVariant &record);

    static DialRecordSums sum(const QVariantList &records);
    // The sums of the records that start inside the period.
    static DialRecordSums sum(const QVariantList &records, const DialRecordPeriod &period);

    // Whether the record starts from one date to the other, both included.
    static bool startsBetween(const QVariant &record, const QDateTime &from, const QDateTime &to);
    // The records that start from one date to the other, both included.
    static QVariantList recordsBetween(const QVariantList &records, const QDateTime &from, const QDateTime &to);

    static DialRecordPeriod day(const QDateTime &now, const QTimeZone &zone);
    static DialRecordPeriod month(const QDateTime &now, const QTimeZone &zone);
    static DialRecordPeriod year(const QDateTime &now, const QTimeZone &zone);
};

} // namespace ostrel
