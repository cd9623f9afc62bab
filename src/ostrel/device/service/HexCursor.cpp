#include "ostrel/device/service/HexCursor.h"

#include "common/HexDigits.h"

namespace ostrel {

namespace {

using yov::hexDigitValue;

QChar hexDigit(int nibble)
{
    return QLatin1Char(yov::kUpperHexDigits[nibble & 0xF]);
}

} // namespace

HexCursor::HexCursor(const QByteArray &text)
    : text_(text)
{
    while (end_ < text_.size() && hexDigitValue(text_.at(end_)) >= 0)
        ++end_;
}

int HexCursor::peekDigits(int count) const
{
    if (remaining() < count)
        return -1;
    int value = 0;
    for (int i = 0; i < count; ++i)
        value = (value << 4) | hexDigitValue(text_.at(pos_ + i));
    return value;
}

void HexCursor::skip(int count)
{
    pos_ = qMin(pos_ + count, end_);
}

int HexCursor::getchar()
{
    const int v = peekchar();
    skipchar();
    return v;
}

int HexCursor::getword()
{
    const int v = peekword();
    skipword();
    return v;
}

int HexCursor::gettriple()
{
    const int v = peektriple();
    skiptriple();
    return v;
}

QString HexCursor::peeksemioctex() const
{
    if (remaining() < 2)
        return {};
    const QChar first = QLatin1Char(text_.at(pos_));
    const QChar second = QLatin1Char(text_.at(pos_ + 1));
    QString out(second.toUpper());
    if (first.toUpper() != QLatin1Char('F'))
        out += first.toUpper();
    return out;
}

QString HexCursor::getPlmnDigits()
{
    if (remaining() < 6)
        return {};
    int nibbles[6];
    for (int i = 0; i < 3; ++i) {
        const int byte = getchar();
        nibbles[2 * i] = byte & 0xF;   // low half: the first digit of the pair
        nibbles[2 * i + 1] = byte >> 4; // high half: the second
    }
    // Digit order: MCC1 MCC2 MCC3 MNC1 MNC2 MNC3.
    const int order[6] = {nibbles[0], nibbles[1], nibbles[2], nibbles[4], nibbles[5], nibbles[3]};
    QString digits;
    for (int nibble : order) {
        if (nibble != 0xF)
            digits += hexDigit(nibble);
    }
    return digits;
}

int HexCursor::getsemi_triple()
{
    const QString digits = getPlmnDigits();
    if (digits.isEmpty())
        return -1;
    bool ok = false;
    const int value = digits.toInt(&ok, 16);
    return ok ? value : -1;
}

QByteArray HexCursor::getBytes()
{
    QByteArray out;
    out.reserve(remaining() / 2);
    while (remaining() >= 2)
        out.append(char(getchar()));
    return out;
}

} // namespace ostrel
