#include "ostrel/sms/page/TPAddressFormatter.h"

namespace ostrel {

QString TPAddressFormatter::stringForObjectValue(const QString &text)
{
    static const QString allowed = QStringLiteral("0123456789*#abc");
    int n = 0;
    while (n < text.size() && allowed.contains(text.at(n)))
        ++n;
    return text.left(n);
}

QValidator::State TPAddressFormatter::validate(QString &input, int &pos) const
{
    input = stringForObjectValue(input);
    pos = std::min(pos, int(input.size()));
    return Acceptable;
}

} // namespace ostrel
