#pragma once
// Decoders of the SIM files that name the operator and the card (EF_SPN, EF_SPDI, EF_ICCID), each
// given as the hexadecimal text the device service reports. Every file is read within its own
// length: a length or count byte that claims more than the data holds is cut to the data, a
// character that is not a hexadecimal digit ends the text, and a last single digit is ignored.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace ostrel::simfile {

struct SpnContents {
    bool hasCondition = false; // false for an empty file
    // The display condition: bit 1 "show the registered network's name on the home network and
    // the SPDI networks", bit 2 "the SPN need not be shown elsewhere"; the other bits are reserved
    // and dropped.
    int displayCondition = 0;
    std::optional<QString> name; // the service provider name, when the file gives one
};

// The alpha identifier of EF_SPN (the bytes after the display condition), by its first byte:
// 0x00-0x7F the GSM default alphabet, one code a byte, up to a 0xFF; 0x80 UCS-2 big-endian up to
// 0xFFFF; 0x81 and 0x82 a count, a base (one byte shifted left by 7, or a 16-bit word) and count
// bytes, each below 0x80 a default-alphabet code and each from 0x80 up the base plus its low seven
// bits. Any other first byte gives an empty name; no bytes give no name.
std::optional<QString> decodeAlphaIdInSPN(const QByteArray &bytes);

SpnContents decodeEF_SPN(const QByteArray &hexText);

// The PLMNs of EF_SPDI (tag 0x80 inside the file): each as its digits, MCC then MNC ("46001",
// "310260"). A three-byte entry of 0xFF ends the list; an incomplete entry is dropped.
QStringList decodeEF_SPDI(const QByteArray &hexText);

// The ICCID of EF_ICCID: the first ten bytes with the two digits of each swapped, the "F" filler
// dropped; shorter texts give what they hold.
QString decodeICCID(const QByteArray &hexText);

} // namespace ostrel::simfile
