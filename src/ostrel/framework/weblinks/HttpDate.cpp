#include "ostrel/framework/weblinks/HttpDate.h"

#include <QRegularExpression>


namespace ostrel {

namespace {
const char *const kDays[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
const char *const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

int indexIn(const char *const *names, int count, const QString &name)
{
    for (int i = 0; i < count; ++i)
        if (name.compare(QLatin1String(names[i]), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}
} // namespace

std::optional<QDateTime> parseHttpDate(const QString &text)
{
    static const QRegularExpression form(QStringLiteral(
        "^\\s*([A-Za-z]{3}), (\\d{1,2}) ([A-Za-z]{3}) (\\d{4}) (\\d{2}):(\\d{2}):(\\d{2}) (GMT|UTC|UT)\\s*$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch() || indexIn(kDays, 7, m.captured(1)) < 0)
        return std::nullopt;
    const int month = indexIn(kMonths, 12, m.captured(3)) + 1;
    const QDate date(m.captured(4).toInt(), month, m.captured(2).toInt());
    const QTime time(m.captured(5).toInt(), m.captured(6).toInt(), m.captured(7).toInt());
    if (month < 1 || !date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time, Qt::UTC);
}

QString formatHttpDate(const QDateTime &date)
{
    const QDateTime utc = date.toUTC();
    return QStringLiteral("%1, %2 %3 %4 %5 GMT")
        .arg(QLatin1String(kDays[utc.date().dayOfWeek() - 1]))
        .arg(utc.date().day(), 2, 10, QLatin1Char('0'))
        .arg(QLatin1String(kMonths[utc.date().month() - 1]))
        .arg(utc.date().year(), 4, 10, QLatin1Char('0'))
        .arg(utc.time().toString(QStringLiteral("HH:mm:ss")));
}

} // namespace ostrel
