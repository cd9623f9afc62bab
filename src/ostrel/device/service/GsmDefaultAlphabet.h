#pragma once
// The GSM 7-bit default alphabet and its extension table, as published (3GPP TS 23.038), for
// operator names stored on the SIM. The SMS area keeps its own table, which differs on purpose.

#include <QByteArray>
#include <QString>

namespace ostrel::gsm {

// The character of a code of the default alphabet (0x00-0x7F); the escape code 0x1B gives a space,
// as a lone escape is shown. Codes above 0x7F give a space.
QChar defaultAlphabetChar(int code);

// The character of an escaped code (0x1B then code); a code without an extension character gives
// the default alphabet's character, as the standard asks of a receiver.
QChar extensionChar(int code);

// Unpacked 7-bit codes (one per byte) as text: an escape takes the next byte from the extension
// table (escape escape, and an escape at the end, show a space); a byte 0xFF ends the text.
QString decodeUnpacked(const QByteArray &codes);

} // namespace ostrel::gsm
