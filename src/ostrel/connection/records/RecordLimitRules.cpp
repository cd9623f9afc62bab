#include "ostrel/connection/records/RecordLimitRules.h"

#include "common/ValueConversion.h"

#include <cmath>

namespace ostrel {

QString RecordLimitRules::filterLimitText(const QString &typed, bool allowComma)
{
    QString kept;
    for (const QChar c : typed) {
        if (kept.size() == kLimitFieldLength)
            break;
        if ((c >= u'0' && c <= u'9') || (allowComma && c == u','))
            kept += c;
    }
    return kept.isEmpty() ? QStringLiteral("0") : kept;
}

namespace {
// "%.0f" or "%.2f" of the hours.
QString formattedRecordTimeLimit(double hours, bool onlyIntValue)
{
    return QString::number(std::isfinite(hours) ? hours : 0.0, 'f', onlyIntValue ? 0 : 2);
}
} // namespace

QString RecordLimitRules::readRecordTimeLimit(double hours, bool onlyIntValue)
{
    return formattedRecordTimeLimit(hours, onlyIntValue).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString RecordLimitRules::appliedTimeLimitText(double hours, bool onlyIntValue)
{
    const QString text = formattedRecordTimeLimit(hours, onlyIntValue);
    if (text == QLatin1String("-0.00") || text == QLatin1String("0.00") || text == QLatin1String("-0"))
        return QStringLiteral("0");
    return readRecordTimeLimit(hours, onlyIntValue);
}

double RecordLimitRules::timeLimitOfField(const QString &text)
{
    return yov::textDouble(QString(text).replace(QLatin1Char(','), QLatin1Char('.')));
}

qint64 RecordLimitRules::dataLimitOfField(const QString &text) { return yov::textInteger(text); }

RecordLimitRules::Refusal RecordLimitRules::checkLimit(bool dataLimit, const QString &dataText, const QString &timeText)
{
    if (dataLimit)
        return dataLimitOfField(dataText) == 0 ? Refusal::NoDataLimit : Refusal::None;
    const double hours = timeLimitOfField(timeText);
    if (hours == 0)
        return Refusal::NoTimeLimit;
    if (std::fmod(hours, 0.25) != 0)
        return Refusal::NotQuarterHours;
    return Refusal::None;
}

QString RecordLimitRules::refusalMessage(Refusal refusal)
{
    switch (refusal) {
    case Refusal::NoTimeLimit:
        return QStringLiteral("Please set the time limit.");
    case Refusal::NotQuarterHours:
        return QStringLiteral("Value should be a multiple of 0,25 hours (15 minutes)");
    case Refusal::NoDataLimit:
        return QStringLiteral("Please set the data volume limit.");
    case Refusal::None:
        break;
    }
    return QString();
}

} // namespace ostrel
