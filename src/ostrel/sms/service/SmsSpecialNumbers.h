#pragma once
// Whether a sender is one of the operator's special numbers.
//
// Two numbers match when neither is empty and, with precision, they are equal; otherwise their last
// k characters are equal, k being the shorter length capped by the threshold (8 when the
// configuration gives none or a value below 1). An empty number matches nothing.

#include <QString>
#include <QStringList>

namespace ostrel {

struct SmsSpecialNumbers {
    static constexpr int kDefaultMatchThreshold = 8;

    static bool ifTwoNumbersMatch(const QString &first, const QString &second, bool precision, int threshold);
    static bool isSpecailSMSNumber(const QString &number, const QStringList &specialNumbers, bool precision, int threshold);
};

} // namespace ostrel
