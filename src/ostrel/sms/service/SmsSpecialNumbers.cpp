#include "ostrel/sms/service/SmsSpecialNumbers.h"

#include <algorithm>

namespace ostrel {

bool SmsSpecialNumbers::ifTwoNumbersMatch(const QString &first, const QString &second, bool precision, int threshold)
{
    if (first.isEmpty() || second.isEmpty())
        return false;
    if (precision)
        return first == second;
    const int cap = threshold > 0 ? threshold : kDefaultMatchThreshold;
    const qsizetype k = std::min({first.size(), second.size(), qsizetype(cap)});
    return first.right(k) == second.right(k);
}

bool SmsSpecialNumbers::isSpecailSMSNumber(const QString &number, const QStringList &specialNumbers, bool precision,
                                           int threshold)
{
    return std::any_of(specialNumbers.cbegin(), specialNumbers.cend(), [&](const QString &special) {
        return ifTwoNumbersMatch(number, special, precision, threshold);
    });
}

} // namespace ostrel
