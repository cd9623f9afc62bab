#pragma once
// How long a contact's name is on a SIM, and the cuts that keep names and other fields within
// their storage's limits.
//
// A SIM keeps a name in a fixed number of bytes of its alpha-identifier coding, chosen by the
// name's characters (UTF-16 units, n of them):
//   - none above 127: one byte per character through alphaIdGsmCode(): n bytes;
//   - every character above 127 in one 128-character block (the character shifted right by 7):
//     0x81 when that block number b is at most 127 (n, b, one byte per character: 3 + n bytes),
//     else 0x82 (n, a 16-bit base, one byte per character: 4 + n bytes);
//   - otherwise 0x80 and every character in two bytes: 1 + 2n bytes.
// The coding only measures: names go to the device as UTF-8.
//
// The other fields count weighted characters: one for a character whose UTF-8 form takes one
// byte, two for any other. Cuts never split a character made of two UTF-16 units.

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace yov::phonebook {

// The table of the coding's GSM step for a character code up to 255: the code itself except
// 0x00-0x09, 0x0B, 0x0C, 0x0E-0x1F, 0x7F, the backslash, "^", the grave accent and "{" to "~"
// (0x20 each), "$" (0x02), "@" (0x00) and "_" (0x11). LF, CR, "[" and "]" keep their codes.
std::uint8_t alphaIdGsmCode(std::uint8_t code);

// The coded name as bytes; empty for an empty name. The character count and the block byte of the
// 0x81 and 0x82 forms keep their low 8 bits.
QByteArray encodeAlphaIdBytes(const QString &name);
// The coded name as upper-case hexadecimal text, two digits per byte.
QString encodeAlphaId(const QString &name);
// The number of bytes the coding takes, without coding.
int alphaIdLength(const QString &name);

// The longest leading part of the name whose coding takes at most maxBytes (whole characters
// only); empty when not even the first character fits. Works in one pass, however long the name.
QString reSetNameStrWithInputName(const QString &name, int maxBytes);

// The first count characters of the text (a character of two UTF-16 units counted once and never
// split); the whole text when it has fewer.
QString leadingCharacters(const QString &text, int count);

// The weight of a text: one per character whose UTF-8 form takes one byte, two per other
// character.
int weightedLength(const QString &text);
// The longest leading part whose weighted length is at most maxLength; "" for a null or empty
// text or a maximum below 1.
QString deleteExtraContent(const QString &text, int maxLength);

} // namespace yov::phonebook
