#pragma once
// The per-character rules behind the alphabet functions, for the counting and the PDU code of
// this folder: the options are looked at once per call, then each character goes through these.

#include "common/sms/GsmAlphabetTables.h"
#include "common/sms/SmsCodecOptions.h"

#include <cstdint>

namespace yov::sms::detail {

enum class NationalTable { None, Turkish, Spanish, Portuguese };

struct AlphabetRules {
    NationalTable national = NationalTable::None;
    bool needUcs2ForSingleCharacter = false;

    bool spanishOrPortuguese() const
    {
        return national == NationalTable::Spanish || national == NationalTable::Portuguese;
    }
};

AlphabetRules alphabetRules(const SmsCodecOptions &options);

// Whether one character can go in 7-bit.
bool characterFitsSms7(const AlphabetRules &rules, std::uint16_t character);
// One character to 7-bit: writes 1 or 2 bytes (0x1B and the code) and returns their count.
int encodeCharacterSms7(const AlphabetRules &rules, std::uint16_t character, std::uint8_t out[2]);
// The septets one character takes in 7-bit (1, or 2 when escaped), or 0 when it cannot go in 7-bit:
// what characterFitsSms7 and encodeCharacterSms7 say, looked up from a table below U+0100.
int septetLengthOf(const AlphabetRules &rules, std::uint16_t character);
// The character of the code that follows an escape.
std::uint16_t decodeEscapedCode(const AlphabetRules &rules, std::uint8_t code);
// One code that is not an escape.
inline std::uint16_t decodePlainCode(std::uint8_t code)
{
    return code >= 0x80 ? std::uint16_t(0x0020) : newGsmToUcs2[code];
}

} // namespace yov::sms::detail
