#pragma once
// Expected record bytes laid out by hand, independently of the encoders under test.
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstring>

namespace golden {

inline void le16(QByteArray &b, int offset, std::uint16_t v)
{
    b[offset] = char(v & 0xff);
    b[offset + 1] = char(v >> 8);
}

inline void le32(QByteArray &b, int offset, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[offset + i] = char((v >> (8 * i)) & 0xff);
}

inline void le64(QByteArray &b, int offset, std::uint64_t v)
{
    for (int i = 0; i < 8; ++i)
        b[offset + i] = char((v >> (8 * i)) & 0xff);
}

// Bytes (a C string without its terminator) at offset.
inline void text(QByteArray &b, int offset, const QByteArray &bytes)
{
    std::memcpy(b.data() + offset, bytes.constData(), size_t(bytes.size()));
}

// UTF-16 little-endian units at offset.
inline void utf16(QByteArray &b, int offset, const QString &s)
{
    for (int i = 0; i < s.size(); ++i)
        le16(b, offset + 2 * i, s.at(i).unicode());
}

} // namespace golden
