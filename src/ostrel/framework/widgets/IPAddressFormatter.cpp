#include "ostrel/framework/widgets/IPAddressFormatter.h"

#include "common/DottedQuad.h"

#include <QStringList>

namespace ostrel {

IPAddressFormatter::IPAddressFormatter(QObject *parent) : QValidator(parent)
{
}

IPAddressFormatter *IPAddressFormatter::defaultIPAddressFormatter(QObject *parent)
{
    return new IPAddressFormatter(parent);
}

static int leadingNumber(const QString &part)
{
    // A decimal integer from the start of the text: optional blanks, optional sign, digits.
    int i = 0;
    while (i < part.size() && part.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < part.size() && (part.at(i) == QLatin1Char('-') || part.at(i) == QLatin1Char('+')))
        negative = part.at(i++) == QLatin1Char('-');
    qint64 value = 0;
    bool any = false;
    while (i < part.size() && part.at(i).unicode() >= u'0' && part.at(i).unicode() <= u'9') {
        value = qMin<qint64>(value * 10 + (part.at(i).unicode() - u'0'), 1000000);
        any = true;
        ++i;
    }
    if (!any)
        return 0;
    return int(negative ? -value : value);
}

QString IPAddressFormatter::stringForObjectValue(const QVariant &value)
{
    if (value.typeId() != QMetaType::QString)
        return QStringLiteral("0.0.0.0");
    const QStringList parts = value.toString().split(QLatin1Char('.'));
    int n[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4 && i < parts.size(); ++i)
        n[i] = qBound(0, leadingNumber(parts.at(i)), 255);
    return QStringLiteral("%1.%2.%3.%4").arg(n[0]).arg(n[1]).arg(n[2]).arg(n[3]);
}

bool IPAddressFormatter::getObjectValue(QVariant *object, const QString &text, QString *) const
{
    if (object)
        *object = stringForObjectValue(QVariant(text));
    return true;
}

QValidator::State IPAddressFormatter::validate(QString &input, int &) const
{
    int dots = 0;
    for (QChar c : input) {
        if (c == QLatin1Char('.'))
            ++dots;
        else if (c.unicode() < u'0' || c.unicode() > u'9')
            return Invalid;
    }
    if (dots > 3)
        return Invalid;
    for (const QString &p : input.split(QLatin1Char('.')))
        if (p.size() > 3)
            return Invalid;
    return yov::isDottedQuad(input) ? Acceptable : Intermediate;
}

void IPAddressFormatter::fixup(QString &input) const
{
    input = stringForObjectValue(QVariant(input));
}

} // namespace ostrel
