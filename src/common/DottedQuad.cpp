#include "common/DottedQuad.h"

namespace yov {

bool isDottedQuad(const QString &text)
{
    int parts = 0;
    int digits = 0;
    int value = 0;
    for (const QChar c : text) {
        if (c == QLatin1Char('.')) {
            if (digits == 0 || ++parts > 3)
                return false;
            digits = value = 0;
            continue;
        }
        if (c.unicode() < u'0' || c.unicode() > u'9' || ++digits > 3)
            return false;
        value = value * 10 + (c.unicode() - u'0');
        if (value > 255)
            return false;
    }
    return parts == 3 && digits > 0;
}

} // namespace yov
