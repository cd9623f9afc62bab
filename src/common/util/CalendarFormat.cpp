#include "common/util/CalendarFormat.h"

#include <QTimeZone>

#include <unicode/udat.h>
#include <unicode/ustring.h>

#include <memory>

namespace yov {

namespace {

const char *const kWeekdays[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
const char *const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};

QString pad(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

QString zoneOffset(const QDateTime &date)
{
    const int seconds = date.offsetFromUtc();
    const int minutes = qAbs(seconds) / 60;
    return QString(seconds < 0 ? QLatin1Char('-') : QLatin1Char('+')) + pad(minutes / 60, 2) + pad(minutes % 60, 2);
}

void appendConversion(QString &out, const QDateTime &date, QChar c)
{
    const QDate d = date.date();
    const QTime t = date.time();
    switch (c.unicode()) {
    case 'Y': out += QString::number(d.year()); break;
    case 'y': out += pad(d.year() % 100, 2); break;
    case 'm': out += pad(d.month(), 2); break;
    case 'B': out += QLatin1String(kMonths[d.month() - 1]); break;
    case 'b': out += QLatin1String(kMonths[d.month() - 1]).left(3); break;
    case 'd': out += pad(d.day(), 2); break;
    case 'e': out += QString::number(d.day()); break;
    case 'j': out += pad(d.dayOfYear(), 3); break;
    case 'A': out += QLatin1String(kWeekdays[d.dayOfWeek() - 1]); break;
    case 'a': out += QLatin1String(kWeekdays[d.dayOfWeek() - 1]).left(3); break;
    case 'w': out += QString::number(d.dayOfWeek() % 7); break;
    case 'H': out += pad(t.hour(), 2); break;
    case 'I': out += pad(t.hour() % 12 == 0 ? 12 : t.hour() % 12, 2); break;
    case 'p': out += t.hour() < 12 ? QLatin1String("AM") : QLatin1String("PM"); break;
    case 'M': out += pad(t.minute(), 2); break;
    case 'S': out += pad(t.second(), 2); break;
    case 'F': out += pad(t.msec(), 3); break;
    case 'Z': out += date.timeZoneAbbreviation(); break;
    case 'z': out += zoneOffset(date); break;
    case 'c': out += formatCalendarDate(date, QStringLiteral("%a %b %d %H:%M:%S %Z %Y")); break;
    case 'x': out += formatCalendarDate(date, QStringLiteral("%m/%d/%y")); break;
    case 'X': out += formatCalendarDate(date, QStringLiteral("%H:%M:%S")); break;
    case '%': out += QLatin1Char('%'); break;
    default:
        out += QLatin1Char('%');
        out += c;
        break;
    }
}

} // namespace

QString formatCalendarDate(const QDateTime &date, const QString &format)
{
    if (!date.isValid())
        return {};
    QString out;
    out.reserve(format.size() + 16);
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c != QLatin1Char('%') || i + 1 == format.size()) {
            out += c;
            continue;
        }
        appendConversion(out, date, format.at(++i));
    }
    return out;
}

QString formatSystemDate(const QDateTime &date)
{
    if (!date.isValid())
        return {};
    // Opening a formatter costs far more than formatting (a records export formats thousands of
    // dates): one per thread, for the default locale and zone, which are fixed for the run.
    thread_local const std::unique_ptr<UDateFormat, void (*)(UDateFormat *)> fmt = [] {
        UErrorCode openStatus = U_ZERO_ERROR;
        UDateFormat *opened = udat_open(UDAT_MEDIUM, UDAT_SHORT, nullptr, nullptr, -1, nullptr, -1, &openStatus);
        if (U_FAILURE(openStatus) && opened) {
            udat_close(opened);
            opened = nullptr;
        }
        return std::unique_ptr<UDateFormat, void (*)(UDateFormat *)>(opened, udat_close);
    }();
    if (!fmt)
        return {};
    UErrorCode status = U_ZERO_ERROR;
    UChar buffer[256];
    const int32_t length = udat_format(fmt.get(), UDate(date.toMSecsSinceEpoch()), buffer, 256, nullptr, &status);
    if (U_FAILURE(status) || length <= 0 || length > 256)
        return {};
    return QString(reinterpret_cast<const QChar *>(buffer), length);
}

} // namespace yov
