#include "ostrel/sms/service/SmsRecipients.h"

namespace ostrel {

SmsRecipientFilter filterRecipientText(const QString &text, const QString &separator, int limit)
{
    SmsRecipientFilter out;
    const QChar sep = separator.isEmpty() ? QLatin1Char(';') : separator.at(0);
    int separators = 0;
    int numberLength = 0;
    bool digitSinceSeparator = false; // typed, kept or not
    for (const QChar c : text) {
        if (c == sep) {
            // A doubled separator goes; one typed after digits past the limit counts (and warns).
            if (out.text.isEmpty() || (out.text.endsWith(sep) && !digitSinceSeparator))
                continue;
            digitSinceSeparator = false;
            if (++separators > limit) {
                out.tooMany = true;
                break;
            }
            out.text += c;
            numberLength = 0;
            continue;
        }
        if (!(c.isDigit() && c.unicode() < 128) && c != QLatin1Char('+'))
            continue;
        digitSinceSeparator = true;
        if (separators < limit && numberLength < kSmsMaxRecipientLength) {
            out.text += c;
            ++numberLength;
        }
    }
    return out;
}

QStringList splitRecipients(const QString &text, const QString &separator)
{
    const QString sep = separator.isEmpty() ? QStringLiteral(";") : separator.left(1);
    QStringList parts = text.split(sep);
    // The piece after the last separator is a recipient only when it holds something.
    if (!parts.isEmpty() && parts.last().isEmpty())
        parts.removeLast();
    return parts;
}

bool isBlankRecipientField(const QString &text)
{
    for (const QChar c : text)
        if (c != QLatin1Char(' '))
            return false;
    return true;
}

} // namespace ostrel
