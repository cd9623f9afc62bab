#pragma once
// Bounded access to the payload records inside a UI_MSG's data field.
//
// Payload records are fixed-size little-endian blocks: 32-bit integers, zero-filled character
// arrays and UTF-16 text at fixed offsets. PayloadReader reads them from a received record without
// ever going past the bytes the record actually carries, whatever its length field claims: a byte
// the record does not carry reads as zero, exactly as if the record had been copied into a zeroed
// UI_MSG. A text field is read up to its first zero and never past its width.
//
// PayloadWriter builds a payload of a fixed size, zero-filled, and refuses writes outside it.

#include "common/records/UiMsg.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <initializer_list>

namespace yov {

class PayloadReader {
public:
    // A plain payload: offset 0 is its first byte.
    explicit PayloadReader(const QByteArray &payload = {});

    // The payload of a received record as it came: the bytes from offset 24 on, at most 8196
    // (the data field and the tail behind it). A record shorter than 24 bytes carries no payload.
    static PayloadReader ofRecord(const QByteArray &record);
    static PayloadReader ofMsg(const UI_MSG &msg);

    // Number of payload bytes carried.
    int size() const { return int(bytes_.size()); }
    // Whether [offset, offset + width) lies entirely within the carried bytes.
    bool has(int offset, int width) const;

    std::uint8_t uint8(int offset) const;
    std::uint16_t uint16(int offset) const;
    std::int32_t int32(int offset) const;
    std::uint32_t uint32(int offset) const;

    // The carried part of [offset, offset + width).
    QByteArray bytes(int offset, int width) const;
    // A zero-terminated character field of the given width: the bytes before its first zero,
    // or all of its width when it holds no zero.
    QByteArray text(int offset, int width) const;
    QString latin1Text(int offset, int width) const { return QString::fromLatin1(text(offset, width)); }
    QString utf8Text(int offset, int width) const { return QString::fromUtf8(text(offset, width)); }
    // UTF-16 little-endian text in a field of widthBytes bytes, up to its first zero unit.
    QString utf16Text(int offset, int widthBytes) const;
    // count UTF-16 little-endian units from offset, zeros included (count comes from a length
    // field and is clamped to 0..maxUnits by the caller's record).
    QString utf16Units(int offset, int count) const;

private:
    QByteArray bytes_;
};

// UTF-8 bytes of text cut to at most maxBytes without splitting a character; a zero inside the
// text ends it (a character field could not carry what follows). cut tells whether anything was
// left out.
QByteArray utf8Within(const QString &text, int maxBytes, bool *cut = nullptr);

// Little-endian int32 words from offset 0: the payload of a record made of int32 fields only.
QByteArray int32Words(std::initializer_list<std::int32_t> words);

class PayloadWriter {
public:
    // A zero-filled payload of size bytes (0 to 8196).
    explicit PayloadWriter(int size);

    // Each setter returns false and writes nothing when the field lies outside the payload.
    bool setUint8(int offset, std::uint8_t v);
    bool setUint16(int offset, std::uint16_t v);
    bool setInt32(int offset, std::int32_t v);
    // Copies at most width bytes into the field; the rest of the field stays zero.
    // Returns false when the bytes did not fit (the field then holds their first width bytes).
    bool setBytes(int offset, int width, const QByteArray &bytes);
    // A zero-terminated character field: at most width - 1 bytes, so that a zero always ends it.
    // Returns false when the text was cut.
    bool setText(int offset, int width, const QByteArray &text);
    // UTF-16 little-endian text, zero-terminated within widthBytes; false when cut.
    bool setUtf16(int offset, int widthBytes, const QString &text);
    // UTF-16 little-endian text without terminator: its units fill the field from its start (a
    // length field elsewhere tells how many). False, writing nothing, when they do not fit.
    bool setUtf16Units(int offset, int widthBytes, const QString &text);

    const QByteArray &data() const { return bytes_; }

private:
    bool fits(int offset, int width) const;
    QByteArray bytes_;
};

// A payload whose size is part of its type, like the record types that have a kSize and encode():
// the catalogued send checks such a size against the message catalogue at compile time.
template <int N>
class FixedPayload : public PayloadWriter {
public:
    static constexpr int kSize = N;
    FixedPayload() : PayloadWriter(N) {}
    QByteArray encode() const { return data(); }
};

} // namespace yov
