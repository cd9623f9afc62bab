// calcTimeStamp: the service-centre time stamp as the device service passes it, the text of its
// 14 semi-octets with the two digits of each octet swapped (3GPP TS 23.040).

#include "common/records/sms/SmsRecords.h"

#include <QTimeZone>

namespace yov {

namespace {

int decimalDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9') ? c.unicode() - '0' : -1;
}

QChar charAt(const QString &text, int i)
{
    return i < text.size() ? text.at(i) : QChar();
}

// The number formed by the characters first then second; reading stops at the first character
// that is no decimal digit (a missing character included).
int swappedPair(const QString &text, int first, int second)
{
    const int high = decimalDigit(charAt(text, first));
    if (high < 0)
        return 0;
    const int low = decimalDigit(charAt(text, second));
    return low < 0 ? high : high * 10 + low;
}

} // namespace

QDateTime calcTimeStamp(const QString &text)
{
    const int year = 2000 + swappedPair(text, 1, 0);
    const int month = swappedPair(text, 3, 2);
    const int day = swappedPair(text, 5, 4);
    const int hour = swappedPair(text, 7, 6);
    const int minute = swappedPair(text, 9, 8);
    const int second = swappedPair(text, 11, 10);

    // The zone's semi-octets are swapped like the others: character 12 holds the units of the
    // quarter hours, character 13 their tens with the sign bit (8: west of Greenwich). With the
    // sign bit the tens of a zone of 5 hours and more run into A to F, so that character is read
    // as a hexadecimal digit.
    const int units = qMax(decimalDigit(charAt(text, 12)), 0);
    const int tensAndSign = qMax(QString(charAt(text, 13)).toInt(nullptr, 16), 0);
    const int quarters = units + 10 * (tensAndSign & 7);
    const int offsetSeconds = quarters * 900 * ((tensAndSign & 8) ? -1 : 1);

    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    const QTimeZone zone(offsetSeconds);
    if (!date.isValid() || !time.isValid() || !zone.isValid())
        return {};
    return QDateTime(date, time, zone);
}

} // namespace yov
