#pragma once
// What the "Volume Limit" window holds, and how it compares with and is stored into the settings
// module "Record". UI-free.
//
//   RecordResetFlag (bool)      the recurrence is on            StartTimeOfSettings  "%Y-%m-%d 00:00:00"
//   RecurrenceRadioTag (int)    0 daily, 1 weekly, 2 monthly    DayOfWeek, DayOfMonth  list indexes
//   LimitSetType (int)          0 data (MB), 1 time (hours)     LimitSetValue (int)    the limit
//   DataLimitSet (bool)         the limit on/off box
//   WarningForLimit25/50/75/80/100, WarningForPlaySound (bool)
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTimeZone>
#include <QVariantMap>

namespace ostrel {

struct VolumeLimitSettings {
    bool recurrenceOn = false;
    QDate startDay;
    int recurrenceTag = 0;
    int dayOfWeek = 0;
    int dayOfMonth = 0;
    int limitType = 0;
    QString dataLimitText;
    QString timeLimitText;
    bool limitOn = false;
    bool warn25 = false;
    bool warn50 = false;
    bool warn75 = false;
    bool warn80 = false;
    bool warn100 = false;
    bool playSound = false;

    // The window as the stored module sets it (the start day: the stored one, read in the zone,
    // else today).
    static VolumeLimitSettings fromStored(const QVariantMap &stored, QDate today, const QTimeZone &zone);
    // The values put in place when the module has no RecordResetFlag yet (with the last reset
    // time now when that is missing as well).
    static QVariantMap defaultsFor(const QVariantMap &stored, const QDateTime &now);

    // The limit typed for the chosen type, as a whole number (0 when there is none).
    qint64 limitValue() const;
    // Whether a limit above 0 is typed for the chosen type.
    bool hasLimitValue() const { return limitValue() > 0; }

    // The change tests against the stored module. The start day counts only while the
    // recurrence is on: it is stored only then.
    bool periodSettingsIsChanged(const QVariantMap &stored) const;
    bool limitSettingsIsChanged(const QVariantMap &stored) const;
    bool warningSettingsIsChanged(const QVariantMap &stored) const;

    // The keys each save stores.
    QVariantMap periodSettings() const;
    QVariantMap limitSettings() const;
    QVariantMap warningSettings() const;
};

} // namespace ostrel
