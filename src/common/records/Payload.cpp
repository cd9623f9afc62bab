#include "common/records/Payload.h"

#include <algorithm>
#include <cstring>

namespace yov {

PayloadReader::PayloadReader(const QByteArray &payload) : bytes_(payload) {}

PayloadReader PayloadReader::ofRecord(const QByteArray &record)
{
    if (record.size() <= kUiMsgDataOffset)
        return PayloadReader();
    return PayloadReader(record.mid(kUiMsgDataOffset, kUiMsgMaxPayload));
}

PayloadReader PayloadReader::ofMsg(const UI_MSG &msg)
{
    return PayloadReader(QByteArray(reinterpret_cast<const char *>(&msg) + kUiMsgDataOffset, kUiMsgMaxPayload));
}

bool PayloadReader::has(int offset, int width) const
{
    return offset >= 0 && width >= 0 && qint64(offset) + width <= bytes_.size();
}

QByteArray PayloadReader::bytes(int offset, int width) const
{
    if (offset < 0 || width <= 0 || offset >= bytes_.size())
        return {};
    return bytes_.mid(offset, std::min<qint64>(width, bytes_.size() - offset));
}

namespace {
// Little-endian value of width bytes; bytes not carried count as zero.
std::uint32_t readLE(const QByteArray &b, int offset, int width)
{
    std::uint32_t v = 0;
    if (offset < 0)
        return 0;
    for (int i = 0; i < width; ++i) {
        const qint64 at = qint64(offset) + i;
        if (at >= b.size())
            break;
        v |= std::uint32_t(std::uint8_t(b[at])) << (8 * i);
    }
    return v;
}
} // namespace

std::uint8_t PayloadReader::uint8(int offset) const { return std::uint8_t(readLE(bytes_, offset, 1)); }
std::uint16_t PayloadReader::uint16(int offset) const { return std::uint16_t(readLE(bytes_, offset, 2)); }
std::int32_t PayloadReader::int32(int offset) const { return std::int32_t(readLE(bytes_, offset, 4)); }
std::uint32_t PayloadReader::uint32(int offset) const { return readLE(bytes_, offset, 4); }

QByteArray PayloadReader::text(int offset, int width) const
{
    const QByteArray field = bytes(offset, width);
    const qsizetype end = field.indexOf('\0');
    return end < 0 ? field : field.left(end);
}

QString PayloadReader::utf16Text(int offset, int widthBytes) const
{
    const QByteArray field = bytes(offset, widthBytes);
    QString out;
    for (qsizetype i = 0; i + 1 < field.size(); i += 2) {
        const char16_t unit = char16_t(std::uint8_t(field[i]) | (std::uint8_t(field[i + 1]) << 8));
        if (unit == 0)
            break;
        out.append(QChar(unit));
    }
    return out;
}

QString PayloadReader::utf16Units(int offset, int count) const
{
    // Units the record does not carry read as zero, like every other field.
    QString out(qMax(count, 0), QChar(u'\0'));
    for (int i = 0; i < count; ++i)
        out[i] = QChar(char16_t(uint16(offset + 2 * i)));
    return out;
}

PayloadWriter::PayloadWriter(int size) : bytes_(std::clamp(size, 0, kUiMsgMaxPayload), '\0') {}

bool PayloadWriter::fits(int offset, int width) const
{
    return offset >= 0 && width >= 0 && qint64(offset) + width <= bytes_.size();
}

bool PayloadWriter::setUint8(int offset, std::uint8_t v)
{
    if (!fits(offset, 1))
        return false;
    bytes_[offset] = char(v);
    return true;
}

bool PayloadWriter::setUint16(int offset, std::uint16_t v)
{
    if (!fits(offset, 2))
        return false;
    for (int i = 0; i < 2; ++i)
        bytes_[offset + i] = char((v >> (8 * i)) & 0xff);
    return true;
}

bool PayloadWriter::setInt32(int offset, std::int32_t v)
{
    if (!fits(offset, 4))
        return false;
    const auto u = std::uint32_t(v);
    for (int i = 0; i < 4; ++i)
        bytes_[offset + i] = char((u >> (8 * i)) & 0xff);
    return true;
}

bool PayloadWriter::setBytes(int offset, int width, const QByteArray &bytes)
{
    if (!fits(offset, width))
        return false;
    std::memset(bytes_.data() + offset, 0, size_t(width));
    const int n = int(std::min<qsizetype>(bytes.size(), width));
    if (n > 0)
        std::memcpy(bytes_.data() + offset, bytes.constData(), size_t(n));
    return n == bytes.size();
}

bool PayloadWriter::setText(int offset, int width, const QByteArray &text)
{
    if (width <= 0 || !fits(offset, width))
        return false;
    const QByteArray cut = text.left(width - 1);
    setBytes(offset, width, cut);
    return cut.size() == text.size();
}

bool PayloadWriter::setUtf16Units(int offset, int widthBytes, const QString &text)
{
    if (text.size() * 2 > widthBytes || !fits(offset, widthBytes))
        return false;
    QByteArray le(text.size() * 2, '\0');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        le[2 * i] = char(u & 0xff);
        le[2 * i + 1] = char(u >> 8);
    }
    return setBytes(offset, widthBytes, le);
}

QByteArray int32Words(std::initializer_list<std::int32_t> words)
{
    PayloadWriter w(int(words.size()) * 4);
    int at = 0;
    for (std::int32_t v : words) {
        w.setInt32(at, v);
        at += 4;
    }
    return w.data();
}

QByteArray utf8Within(const QString &text, int maxBytes, bool *cut)
{
    QByteArray utf8 = text.toUtf8();
    const qsizetype zero = utf8.indexOf('\0');
    bool wasCut = false;
    if (zero >= 0) {
        utf8.truncate(zero);
        wasCut = true;
    }
    if (utf8.size() > maxBytes) {
        qsizetype n = std::max(maxBytes, 0);
        // Step back over continuation bytes (10xxxxxx) so that no character is split.
        while (n > 0 && (std::uint8_t(utf8[n]) & 0xC0) == 0x80)
            --n;
        utf8.truncate(n);
        wasCut = true;
    }
    if (cut)
        *cut = wasCut;
    return utf8;
}

bool PayloadWriter::setUtf16(int offset, int widthBytes, const QString &text)
{
    if (widthBytes < 2 || !fits(offset, widthBytes))
        return false;
    const int maxUnits = widthBytes / 2 - 1;
    int n = int(std::min<qsizetype>(text.size(), maxUnits));
    if (n > 0 && n < text.size() && text.at(n - 1).isHighSurrogate())
        --n; // never keep half of a surrogate pair
    QByteArray le(n * 2, '\0');
    for (int i = 0; i < n; ++i) {
        const char16_t u = text.at(i).unicode();
        le[2 * i] = char(u & 0xff);
        le[2 * i + 1] = char(u >> 8);
    }
    setBytes(offset, widthBytes, le);
    return n == text.size();
}

} // namespace yov
