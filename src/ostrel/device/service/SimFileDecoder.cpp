#include "ostrel/device/service/SimFileDecoder.h"

#include "ostrel/device/service/GsmDefaultAlphabet.h"
#include "ostrel/device/service/HexCursor.h"

namespace ostrel::simfile {

namespace {

constexpr int kPlmnListTag = 0x80;
constexpr int kIccidDigits = 20;

// The bytes of a counted name (0x81, 0x82) from the base: codes below 0x80 come from the default
// alphabet (an escape takes the next counted byte from its extension table); codes from 0x80 up
// are the base plus their low seven bits.
QString decodeCountedName(const QByteArray &bytes, int start, int count, int base)
{
    QString out;
    const int end = qMin<qsizetype>(bytes.size(), qsizetype(start) + count);
    for (int i = start; i < end; ++i) {
        const int b = quint8(bytes.at(i));
        if (b >= 0x80) {
            out += QChar(char16_t((base + (b & 0x7F)) & 0xFFFF));
        } else if (b == 0x1B && i + 1 < end && quint8(bytes.at(i + 1)) < 0x80) {
            out += gsm::extensionChar(quint8(bytes.at(++i)));
        } else {
            out += gsm::defaultAlphabetChar(b);
        }
    }
    return out;
}

} // namespace

std::optional<QString> decodeAlphaIdInSPN(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return std::nullopt;
    const int first = quint8(bytes.at(0));
    if (first <= 0x7F)
        return gsm::decodeUnpacked(bytes);
    if (first == 0x80) {
        QString out;
        for (int i = 1; i + 1 < bytes.size(); i += 2) {
            const char16_t unit = char16_t((quint8(bytes.at(i)) << 8) | quint8(bytes.at(i + 1)));
            if (unit == 0xFFFF)
                break;
            out += QChar(unit);
        }
        return out;
    }
    if (first == 0x81 || first == 0x82) {
        const int headerSize = first == 0x81 ? 3 : 4; // scheme, count, base
        if (bytes.size() < headerSize)
            return QString();
        const int count = quint8(bytes.at(1));
        const int base = first == 0x81 ? quint8(bytes.at(2)) << 7
                                       : (quint8(bytes.at(2)) << 8) | quint8(bytes.at(3));
        return decodeCountedName(bytes, headerSize, count, base);
    }
    return QString();
}

SpnContents decodeEF_SPN(const QByteArray &hexText)
{
    SpnContents spn;
    HexCursor cursor(hexText);
    const QByteArray bytes = cursor.getBytes();
    if (bytes.isEmpty())
        return spn;
    spn.hasCondition = true;
    spn.displayCondition = quint8(bytes.at(0)) & 0x03;
    if (bytes.size() > 1)
        spn.name = decodeAlphaIdInSPN(bytes.mid(1));
    return spn;
}

QStringList decodeEF_SPDI(const QByteArray &hexText)
{
    QStringList list;
    HexCursor cursor(hexText);
    bool tagFound = false;
    while (!cursor.atEnd()) {
        const int b = cursor.getchar();
        if (b < 0)
            break;
        if (b == kPlmnListTag) {
            tagFound = true;
            break;
        }
    }
    if (!tagFound || cursor.remaining() < 3)
        return list;
    // The list length in bytes, cut to the entries the text holds.
    int length = cursor.getchar();
    length = qMin(length, cursor.remaining() / 2);
    for (; length >= 3; length -= 3) {
        if (cursor.peektriple() == 0xFFFFFF)
            break;
        const QString plmn = cursor.getPlmnDigits();
        if (plmn.isEmpty())
            break;
        list.append(plmn);
    }
    return list;
}

QString decodeICCID(const QByteArray &hexText)
{
    HexCursor cursor(hexText);
    QString iccid;
    for (int i = 0; i < kIccidDigits / 2; ++i) {
        const QString pair = cursor.peeksemioctex();
        if (pair.isEmpty())
            break;
        cursor.skipsemioctex();
        for (QChar c : pair) {
            if (c != QLatin1Char('F'))
                iccid += c;
        }
    }
    return iccid;
}

} // namespace ostrel::simfile
