#include "common/phonebook/SimAlphaCoding.h"

namespace yov::phonebook {

namespace {

constexpr char16_t kHighestSingleByte = 127;

// What the coding needs to know of a name, gathered one UTF-16 unit at a time.
struct AlphaShape {
    int units = 0;
    int firstHigh = -1; // the first unit above 127, -1 while there is none
    bool oneBlock = true;

    void add(char16_t unit)
    {
        ++units;
        if (unit <= kHighestSingleByte)
            return;
        if (firstHigh < 0)
            firstHigh = unit;
        else if ((unit >> 7) != (firstHigh >> 7))
            oneBlock = false;
    }

    int block() const { return firstHigh >> 7; }

    // 0 for the GSM form, else the coding byte.
    int coding() const
    {
        if (firstHigh < 0)
            return 0;
        if (!oneBlock)
            return 0x80;
        return block() <= 127 ? 0x81 : 0x82;
    }

    int length() const
    {
        switch (coding()) {
        case 0:
            return units;
        case 0x81:
            return 3 + units;
        case 0x82:
            return 4 + units;
        default:
            return 1 + 2 * units;
        }
    }
};

AlphaShape shapeOf(const QString &name)
{
    AlphaShape shape;
    for (const QChar c : name)
        shape.add(c.unicode());
    return shape;
}

// A character of the 0x81 and 0x82 forms: its own value up to 127, else its low 7 bits with bit 7 set.
char offsetByte(char16_t unit)
{
    return char(unit <= kHighestSingleByte ? unit : (0x80 | (unit & 0x7F)));
}

// The number of UTF-16 units of the character that starts at i.
qsizetype unitsOfCharacterAt(const QString &text, qsizetype i)
{
    return (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ? 2 : 1;
}

} // namespace

std::uint8_t alphaIdGsmCode(std::uint8_t code)
{
    switch (code) {
    case 0x0A: // LF
    case 0x0D: // CR
        return code;
    case '$':
        return 0x02;
    case '@':
        return 0x00;
    case '_':
        return 0x11;
    case '\\':
    case '^':
    case '`':
    case 0x7F:
        return 0x20;
    default:
        break;
    }
    if (code < 0x20 || (code >= 0x7B && code <= 0x7E))
        return 0x20;
    return code;
}

QByteArray encodeAlphaIdBytes(const QString &name)
{
    const AlphaShape shape = shapeOf(name);
    QByteArray out;
    out.reserve(shape.length());
    switch (shape.coding()) {
    case 0:
        for (const QChar c : name)
            out.append(char(alphaIdGsmCode(std::uint8_t(c.unicode()))));
        break;
    case 0x80:
        out.append(char(0x80));
        for (const QChar c : name) {
            out.append(char(c.unicode() >> 8));
            out.append(char(c.unicode() & 0xFF));
        }
        break;
    case 0x81:
        out.append(char(0x81));
        out.append(char(shape.units & 0xFF));
        out.append(char(shape.block() & 0xFF));
        for (const QChar c : name)
            out.append(offsetByte(c.unicode()));
        break;
    default: { // 0x82
        const int base = shape.firstHigh & ~0x7F;
        out.append(char(0x82));
        out.append(char(shape.units & 0xFF));
        out.append(char(base >> 8));
        out.append(char(base & 0xFF));
        for (const QChar c : name)
            out.append(offsetByte(c.unicode()));
        break;
    }
    }
    return out;
}

QString encodeAlphaId(const QString &name)
{
    return QString::fromLatin1(encodeAlphaIdBytes(name).toHex().toUpper());
}

int alphaIdLength(const QString &name) { return shapeOf(name).length(); }

QString reSetNameStrWithInputName(const QString &name, int maxBytes)
{
    // The coded length never shrinks as characters are added, so the longest fitting part ends
    // just before the first character that makes it too long.
    AlphaShape shape;
    qsizetype kept = 0;
    while (kept < name.size()) {
        const qsizetype units = unitsOfCharacterAt(name, kept);
        AlphaShape next = shape;
        for (qsizetype u = 0; u < units; ++u)
            next.add(name.at(kept + u).unicode());
        if (next.length() > maxBytes)
            break;
        shape = next;
        kept += units;
    }
    return name.left(kept);
}

QString leadingCharacters(const QString &text, int count)
{
    qsizetype units = 0;
    for (int kept = 0; kept < count && units < text.size(); ++kept)
        units += unitsOfCharacterAt(text, units);
    return text.left(units);
}

int weightedLength(const QString &text)
{
    int weight = 0;
    for (qsizetype i = 0; i < text.size(); i += unitsOfCharacterAt(text, i))
        weight += text.at(i).unicode() < 0x80 ? 1 : 2;
    return weight;
}

QString deleteExtraContent(const QString &text, int maxLength)
{
    if (text.isEmpty() || maxLength < 1)
        return QString(QLatin1String(""));
    int weight = 0;
    qsizetype kept = 0;
    while (kept < text.size()) {
        weight += text.at(kept).unicode() < 0x80 ? 1 : 2;
        if (weight > maxLength)
            break;
        kept += unitsOfCharacterAt(text, kept);
    }
    return text.left(kept);
}

} // namespace yov::phonebook
