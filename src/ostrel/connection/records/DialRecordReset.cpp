#include "ostrel/connection/records/DialRecordReset.h"

#include "ostrel/connection/records/DialRecordTotals.h"

namespace ostrel {

namespace {

// The calendar pattern as a format of QDateTime::fromString (whose names are English, as the
// calendar pattern's are); empty when it holds a conversion or a quote that cannot be read back,
// or lacks the year, the month or the day (a start read as some day of 1900 would drop every
// record).
QString resetPatternAsDateTimeFormat(const QString &pattern)
{
    QString format;
    bool year = false, month = false, day = false;
    QString literal;
    const auto flushLiteral = [&] {
        if (!literal.isEmpty())
            format += QLatin1Char('\'') + literal + QLatin1Char('\'');
        literal.clear();
    };
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('\''))
            return {}; // a quote in the text: the parser's quoting would not read it
        if (c != QLatin1Char('%') || i + 1 == pattern.size()) {
            literal += c;
            continue;
        }
        const QChar conversion = pattern.at(++i);
        if (conversion == QLatin1Char('%')) {
            literal += c;
            continue;
        }
        const char *field = nullptr;
        switch (conversion.unicode()) {
        case 'Y': field = "yyyy"; year = true; break;
        case 'm': field = "MM"; month = true; break;
        case 'd': field = "dd"; day = true; break;
        case 'e': field = "d"; day = true; break;
        case 'B': field = "MMMM"; month = true; break;
        case 'b': field = "MMM"; month = true; break;
        case 'A': field = "dddd"; break;
        case 'a': field = "ddd"; break;
        case 'H': field = "HH"; break;
        case 'I': field = "hh"; break;
        case 'p': field = "AP"; break;
        case 'M': field = "mm"; break;
        case 'S': field = "ss"; break;
        case 'F': field = "zzz"; break;
        case 'X': field = "HH:mm:ss"; break;
        default: return {};
        }
        flushLiteral();
        format += QLatin1String(field);
    }
    flushLiteral();
    return year && month && day ? format : QString();
}

} // namespace

int DialRecordReset::resetPeriodDays(int index)
{
    return index >= 0 && index < kResetPeriodChoices ? index + 1 : 0;
}

QDateTime DialRecordReset::readResetTime(const QVariant &stored, const QTimeZone &zone, const QString &pattern)
{
    if (stored.typeId() != QMetaType::QString)
        return {};
    const QString text = stored.toString().trimmed();
    QDateTime read = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    // The reset stores its new start in its own pattern: read it back the same way, or the resets
    // would stop after the first.
    if (!read.isValid() && !pattern.isEmpty()) {
        if (const QString format = resetPatternAsDateTimeFormat(pattern); !format.isEmpty())
            read = QDateTime::fromString(text, format);
    }
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
