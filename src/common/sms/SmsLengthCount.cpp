#include "common/sms/SmsLengthCount.h"

#include "common/sms/GsmAlphabet.h"
#include "common/sms/GsmAlphabetRules.h"

namespace yov::sms {

namespace {

enum class SmsTextCase { Ucs2, NationalEscaped, Plain7bit };

struct SmsTextMeasure {
    SmsTextCase textCase = SmsTextCase::Plain7bit;
    int length = 0; // septets for 7-bit, units for UCS-2
};

// One pass over the text: whether it goes in 7-bit, its septets, and whether any is escaped. The
// septets are those Ucs2toSMS7 would write, counted without converting.
SmsTextMeasure measureSmsText(const SmsCodecOptions &options, const std::uint16_t *text, int count)
{
    SmsTextMeasure measure;
    if (!text || count <= 0)
        return measure;
    const detail::AlphabetRules rules = detail::alphabetRules(options);
    bool escaped = false;
    int septets = 0;
    for (int i = 0; i < count; ++i) {
        const int n = detail::septetLengthOf(rules, text[i]);
        if (n == 0) {
            measure.textCase = SmsTextCase::Ucs2;
            measure.length = count;
            return measure;
        }
        septets += n;
        escaped = escaped || n == 2;
    }
    measure.length = septets;
    if (escaped && hasNationalId(options.nationalIdentifier))
        measure.textCase = SmsTextCase::NationalEscaped;
    return measure;
}

int singleMessageLength(SmsTextCase textCase)
{
    switch (textCase) {
    case SmsTextCase::Ucs2: return 70;
    case SmsTextCase::NationalEscaped: return 155;
    case SmsTextCase::Plain7bit: break;
    }
    return 160;
}

int perPartLength(SmsTextCase textCase)
{
    switch (textCase) {
    case SmsTextCase::Ucs2: return 67;
    case SmsTextCase::NationalEscaped: return 149;
    case SmsTextCase::Plain7bit: break;
    }
    return 153;
}

} // namespace

int getInputTextNum(const SmsCodecOptions &options, const std::uint16_t *text, int count)
{
    return measureSmsText(options, text, count).length;
}

int getInputPackNum(const SmsCodecOptions &options, const std::uint16_t *text, int count)
{
    const SmsTextMeasure measure = measureSmsText(options, text, count);
    const int single = singleMessageLength(measure.textCase);
    const int per = measure.length <= single ? single : perPartLength(measure.textCase);
    return (measure.length + per - 1) / per;
}

int getSingleMaxInputLen(const SmsCodecOptions &options, const std::uint16_t *text, int count)
{
    return perPartLength(measureSmsText(options, text, count).textCase);
}

int getMaxTextNum(const SmsCodecOptions &options, const std::uint16_t *text, int count, int maxParts)
{
    return getSingleMaxInputLen(options, text, count) * maxParts;
}

int getSingleMaxLength(const SmsCodecOptions &options, const std::uint16_t *text, int count, int flag)
{
    const SmsTextCase textCase = measureSmsText(options, text, count).textCase;
    return flag == 0 ? singleMessageLength(textCase) : perPartLength(textCase);
}

int cutMaxTextLen(const SmsCodecOptions &options, const std::uint16_t *text, int count, int maxParts)
{
    const SmsTextMeasure measure = measureSmsText(options, text, count);
    const int limit = perPartLength(measure.textCase) * maxParts;
    if (measure.textCase == SmsTextCase::Ucs2)
        return limit;
    if (count <= 0)
        return 0;
    // The septets of the first k characters only grow with k: keep the characters before the first
    // one that takes the count over the limit, and always drop the last one.
    const detail::AlphabetRules rules = detail::alphabetRules(options);
    int septets = 0;
    for (int k = 0; k < count - 1; ++k) {
        septets += detail::septetLengthOf(rules, text[k]);
        if (septets > limit)
            return k;
    }
    return count - 1;
}

} // namespace yov::sms
