#include "ostrel/device/service/GsmDefaultAlphabet.h"

namespace ostrel::gsm {

namespace {

constexpr char16_t kDefaultAlphabet[128] = {
    // 0x00
    u'@', u'\u00A3', u'$', u'\u00A5', u'\u00E8', u'\u00E9', u'\u00F9', u'\u00EC',
    u'\u00F2', u'\u00C7', u'\n', u'\u00D8', u'\u00F8', u'\r', u'\u00C5', u'\u00E5',
    // 0x10
    u'\u0394', u'_', u'\u03A6', u'\u0393', u'\u039B', u'\u03A9', u'\u03A0', u'\u03A8',
    u'\u03A3', u'\u0398', u'\u039E', u' ' /* escape */, u'\u00C6', u'\u00E6', u'\u00DF', u'\u00C9',
    // 0x20
    u' ', u'!', u'"', u'#', u'\u00A4', u'%', u'&', u'\'',
    u'(', u')', u'*', u'+', u',', u'-', u'.', u'/',
    // 0x30
    u'0', u'1', u'2', u'3', u'4', u'5', u'6', u'7',
    u'8', u'9', u':', u';', u'<', u'=', u'>', u'?',
    // 0x40
    u'\u00A1', u'A', u'B', u'C', u'D', u'E', u'F', u'G',
    u'H', u'I', u'J', u'K', u'L', u'M', u'N', u'O',
    // 0x50
    u'P', u'Q', u'R', u'S', u'T', u'U', u'V', u'W',
    u'X', u'Y', u'Z', u'\u00C4', u'\u00D6', u'\u00D1', u'\u00DC', u'\u00A7',
    // 0x60
    u'\u00BF', u'a', u'b', u'c', u'd', u'e', u'f', u'g',
    u'h', u'i', u'j', u'k', u'l', u'm', u'n', u'o',
    // 0x70
    u'p', u'q', u'r', u's', u't', u'u', u'v', u'w',
    u'x', u'y', u'z', u'\u00E4', u'\u00F6', u'\u00F1', u'\u00FC', u'\u00E0',
};

constexpr int kEscape = 0x1B;

} // namespace

QChar defaultAlphabetChar(int code)
{
    if (code < 0 || code > 0x7F)
        return QLatin1Char(' ');
    return QChar(kDefaultAlphabet[code]);
}

QChar extensionChar(int code)
{
    switch (code) {
    case 0x0A: return QChar(u'\u000C');
    case 0x14: return QLatin1Char('^');
    case 0x28: return QLatin1Char('{');
    case 0x29: return QLatin1Char('}');
    case 0x2F: return QLatin1Char('\\');
    case 0x3C: return QLatin1Char('[');
    case 0x3D: return QLatin1Char('~');
    case 0x3E: return QLatin1Char(']');
    case 0x40: return QLatin1Char('|');
    case 0x65: return QChar(u'\u20AC');
    case kEscape: return QLatin1Char(' ');
    default: return defaultAlphabetChar(code);
    }
}

QString decodeUnpacked(const QByteArray &codes)
{
    QString out;
    for (int i = 0; i < codes.size(); ++i) {
        const int code = quint8(codes.at(i));
        if (code == 0xFF)
            break;
        if (code == kEscape) {
            if (i + 1 < codes.size() && quint8(codes.at(i + 1)) != 0xFF) {
                out += extensionChar(quint8(codes.at(++i)));
                continue;
            }
            out += QLatin1Char(' ');
            continue;
        }
        out += defaultAlphabetChar(code);
    }
    return out;
}

} // namespace ostrel::gsm
