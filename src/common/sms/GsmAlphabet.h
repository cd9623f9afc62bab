#pragma once
// Text between UTF-16 (one unit per character) and the GSM 7-bit alphabet of SMS, with the
// extension table and the Turkish, Spanish and Portuguese national tables.
//
// 7-bit texts are byte buffers holding one septet value per byte; an escaped character takes two
// bytes, 0x1B and its code. Characters that cannot be coded become spaces; nothing is refused while
// converting. Functions that write take the size of their output and give -1, writing nothing past
// it, when it is too small.

#include "common/sms/SmsCodecOptions.h"

#include <cstdint>

namespace yov::sms {

// YES for "SpanishSingle", "TurkishSingle" and "PortugueseSingle".
bool hasNationalId(const QString &identifier);
// Whether the character stands in the Portuguese or the Spanish single-shift table, by the
// identifier; any other identifier logs "only support spanish and portuguese!" and answers NO.
bool isSingleCharacter(const QString &identifier, std::uint16_t character);
// With isNeedUcs2EncodingForSingleCharacter: whether the character stands in the Spanish or the
// Portuguese single-shift table, whatever the national identifier says; otherwise NO.
bool needUcs2EncodingForSingleCharacter(const SmsCodecOptions &options, std::uint16_t character);

// 1 when every character can go in 7-bit (an empty text too), 0 at the first that cannot; -1 for a
// null text.
int IfUcs2IsSMS7(const SmsCodecOptions &options, const std::uint16_t *text, int count);
// 1 when every character is one the editor replaces (an empty text too), else 0; -1 for a null text.
int ifUcs2IsSpecial(const std::uint16_t *text, int count);
// 1 when a byte 0x1B occurs, else 0.
int has0x1b(const std::uint8_t *bytes, int count);

// UTF-16 to 7-bit: the bytes written (escapes count two); -1 for a null pointer, a negative count,
// or a size of 0 or below twice the count.
int Ucs2toSMS7(const SmsCodecOptions &options, std::uint8_t *out, int outSize, const std::uint16_t *text, int count);
// 7-bit to UTF-16: the characters written; -1 for a null pointer, a negative count, or a capacity of
// 0 or below the count. A lone escape at the end gives U+001B.
int SMS7toUcs2(const SmsCodecOptions &options, std::uint16_t *out, int capacity, const std::uint8_t *bytes, int count);
// Locking-shift decoding: each byte below 0x80 through the table, each other a space; no escapes.
int SMS7toUcs2_Turkish(std::uint16_t *out, int capacity, const std::uint8_t *bytes, int count);
int SMS7toUcs2_Portuguese(std::uint16_t *out, int capacity, const std::uint8_t *bytes, int count);

// One character by the rules of Ucs2toSMS7, and below U+0100 also the escapes of Á Í Ó Ú á í ó ú:
// the bytes written (1 or 2); -1 for a null output or one smaller than 2 bytes.
int CharacterUcs2ToSms7(const SmsCodecOptions &options, std::uint16_t character, std::uint8_t *out, int outSize);
// The character of one escape pair (two bytes); U+0020 for a null pointer or a first byte other
// than 0x1B.
std::uint16_t CharacterSms7ToUcs2(const SmsCodecOptions &options, const std::uint8_t *pair);
// The same by the fixed list alone (no national table, no form feed).
std::uint16_t CharacterSms7ToUcs2_Old(const std::uint8_t *pair);

} // namespace yov::sms
