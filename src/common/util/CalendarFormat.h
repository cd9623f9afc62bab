#pragma once
// Dates as text in a calendar format, the form of the CustomDateFormat setting:
//   %Y year  %y year in two digits  %m month 01-12  %B month name  %b month name, short
//   %d day 01-31  %e day 1-31  %j day of the year 001-366  %A weekday name  %a weekday, short
//   %w weekday 0-6 (Sunday 0)  %H hour 00-23  %I hour 01-12  %p AM/PM  %M minute  %S second
//   %F milliseconds 000-999  %Z time-zone name  %z time-zone offset +hhmm
//   %c "%a %b %d %H:%M:%S %Z %Y"  %x "%m/%d/%y"  %X "%H:%M:%S"  %% a "%"
// Names are English; any other "%" sequence is kept as it stands. The date is shown in its own
// time zone (local time for a local date).
#include <QDateTime>
#include <QString>

namespace yov {

QString formatCalendarDate(const QDateTime &date, const QString &format);

// The system's short date and medium time ("12/31/26, 11:59:58 PM" in English), in the user's
// locale and time zone; empty for an invalid date.
QString formatSystemDate(const QDateTime &date);

} // namespace yov
