#pragma once
// Hexadecimal text and bytes, as AT commands carry PDUs and USSD strings.
//
// Digits come in pairs, the first giving the high nibble; 0-9, A-F and a-f are digits, anything
// else is refused. Every function that writes takes the size of its output and gives -1, writing
// nothing past it, when it is too small.

#include "common/HexDigits.h"

#include <cstdint>

namespace yov::sms {

// count digits to count / 2 bytes (an odd last digit is ignored); returns count / 2, or -1 for a
// null pointer, a negative count, a character that is no digit or too small an output.
int String2Bytes(const char *hex, std::uint8_t *out, int count, int outSize);
// count bytes to 2 x count upper-case digits and a terminating zero; returns 2 x count, or -1 for
// a null pointer, a negative count or an output below 2 x count + 1.
int Bytes2String(const std::uint8_t *bytes, char *out, int count, int outSize);
// ORs the nibbles of count digits into out (which the caller zeroes first); returns 0, or -1 for a
// null pointer, a size of 0 or below count / 2 + 1, or a character that is no digit.
int ASCtoHex(std::uint8_t *out, int outSize, const char *hex, int count);
// Writes count upper-case digits of the bytes, high nibble first, without a terminator; returns 0,
// or -1 for a null pointer, a size of 0 or below count + 1.
int HextoASC(char *out, int outSize, const std::uint8_t *bytes, int count);
// Converts nothing: writes a zero byte at index 2 x count when the size allows; returns -1.
int Ucs2ToAsc(char *out, int outSize, const std::uint16_t *text, int count);

using yov::hexDigitValue;
using yov::kUpperHexDigits;

} // namespace yov::sms
