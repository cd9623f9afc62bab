#include "ostrel/connection/records/VolumeLimitSettings.h"

#include "common/ValueConversion.h"
#include "ostrel/connection/records/DialRecordReset.h"

namespace ostrel {

namespace {

struct VolumeLimitWarningKey {
    const char *key;
    bool VolumeLimitSettings::*box;
};

constexpr VolumeLimitWarningKey kVolumeLimitWarningKeys[] = {
    {"WarningForLimit25", &VolumeLimitSettings::warn25},   {"WarningForLimit50", &VolumeLimitSettings::warn50},
    {"WarningForLimit75", &VolumeLimitSettings::warn75},   {"WarningForLimit80", &VolumeLimitSettings::warn80},
    {"WarningForLimit100", &VolumeLimitSettings::warn100}, {"WarningForPlaySound", &VolumeLimitSettings::playSound},
};

QVariant storedVolumeLimitValue(const QVariantMap &stored, const char *key) { return stored.value(QLatin1String(key)); }

} // namespace

VolumeLimitSettings VolumeLimitSettings::fromStored(const QVariantMap &stored, QDate today, const QTimeZone &zone)
{
    VolumeLimitSettings s;
    const QDateTime start = DialRecordReset::readResetTime(storedVolumeLimitValue(stored, "StartTimeOfSettings"), zone);
    s.startDay = start.isValid() ? start.date() : today;
    s.recurrenceOn = yov::nsBool(storedVolumeLimitValue(stored, "RecordResetFlag"));
    s.recurrenceTag = yov::nsInt(storedVolumeLimitValue(stored, "RecurrenceRadioTag"));
    s.dayOfWeek = yov::nsInt(storedVolumeLimitValue(stored, "DayOfWeek"));
    s.dayOfMonth = yov::nsInt(storedVolumeLimitValue(stored, "DayOfMonth"));
    s.limitType = yov::nsInt(storedVolumeLimitValue(stored, "LimitSetType")) == 1 ? 1 : 0;
    const QString value = QString::number(yov::nsLongLong(storedVolumeLimitValue(stored, "LimitSetValue")));
    s.dataLimitText = s.limitType == 0 ? value : QStringLiteral("0");
    s.timeLimitText = s.limitType == 1 ? value : QStringLiteral("0");
    s.limitOn = yov::nsBool(storedVolumeLimitValue(stored, "DataLimitSet"));
    for (const VolumeLimitWarningKey &w : kVolumeLimitWarningKeys)
        s.*w.box = yov::nsBool(storedVolumeLimitValue(stored, w.key));
    return s;
}

QVariantMap VolumeLimitSettings::defaultsFor(const QVariantMap &stored, const QDateTime &now)
{
    if (stored.contains(QStringLiteral("RecordResetFlag")))
        return {};
    QVariantMap defaults{{QStringLiteral("RecordResetFlag"), false},
                         {QStringLiteral("StartTimeOfSettings"), QString()},
                         {QStringLiteral("RecurrenceRadioTag"), 0},
                         {QStringLiteral("DayOfWeek"), 0},
                         {QStringLiteral("DayOfMonth"), 0},
                         {QStringLiteral("LimitSetType"), 0},
                         {QStringLiteral("LimitSetValue"), 0},
                         {QStringLiteral("WarningForLimit80"), false},
                         {QStringLiteral("WarningForLimit100"), false}};
    if (!stored.contains(QStringLiteral("recordLastResetTime")))
        defaults.insert(QStringLiteral("recordLastResetTime"), now);
    return defaults;
}

qint64 VolumeLimitSettings::limitValue() const
{
    return yov::textInteger(limitType == 0 ? dataLimitText : timeLimitText);
}

bool VolumeLimitSettings::periodSettingsIsChanged(const QVariantMap &stored) const
{
    if (recurrenceOn != yov::nsBool(storedVolumeLimitValue(stored, "RecordResetFlag")))
        return true;
    if (recurrenceOn
        && DialRecordReset::dayStartText(startDay) != yov::nsString(storedVolumeLimitValue(stored, "StartTimeOfSettings")))
        return true;
    if (recurrenceTag != yov::nsInt(storedVolumeLimitValue(stored, "RecurrenceRadioTag")))
        return true;
    if (recurrenceTag == 1 && dayOfWeek != yov::nsInt(storedVolumeLimitValue(stored, "DayOfWeek")))
        return true;
    return recurrenceTag == 2 && dayOfMonth != yov::nsInt(storedVolumeLimitValue(stored, "DayOfMonth"));
}

bool VolumeLimitSettings::limitSettingsIsChanged(const QVariantMap &stored) const
{
    return limitType != yov::nsInt(storedVolumeLimitValue(stored, "LimitSetType"))
           || limitValue() != yov::nsLongLong(storedVolumeLimitValue(stored, "LimitSetValue"))
           || limitOn != yov::nsBool(storedVolumeLimitValue(stored, "DataLimitSet"));
}

bool VolumeLimitSettings::warningSettingsIsChanged(const QVariantMap &stored) const
{
    for (const VolumeLimitWarningKey &w : kVolumeLimitWarningKeys)
        if (this->*w.box != yov::nsBool(storedVolumeLimitValue(stored, w.key)))
            return true;
    return false;
}

QVariantMap VolumeLimitSettings::periodSettings() const
{
    QVariantMap values{{QStringLiteral("RecordResetFlag"), recurrenceOn},
                       {QStringLiteral("RecurrenceRadioTag"), recurrenceTag},
                       {QStringLiteral("DayOfWeek"), dayOfWeek},
                       {QStringLiteral("DayOfMonth"), dayOfMonth}};
    if (recurrenceOn)
        values.insert(QStringLiteral("StartTimeOfSettings"), DialRecordReset::dayStartText(startDay));
    return values;
}

QVariantMap VolumeLimitSettings::limitSettings() const
{
    return {{QStringLiteral("LimitSetType"), limitType},
            {QStringLiteral("LimitSetValue"), limitValue()},
            {QStringLiteral("DataLimitSet"), limitOn}};
}

QVariantMap VolumeLimitSettings::warningSettings() const
{
    QVariantMap values;
    for (const VolumeLimitWarningKey &w : kVolumeLimitWarningKeys)
        values.insert(QLatin1String(w.key), this->*w.box);
    return values;
}

} // namespace ostrel
