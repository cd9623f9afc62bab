#include "ostrel/device/service/GsmDefaultAlphabet.h"
#include "ostrel/device/service/HexCursor.h"
#include "ostrel/device/service/SimFileDecoder.h"

#include <gtest/gtest.h>

#include <optional>

using namespace ostrel;

namespace {

QByteArray hex(const char *text)
{
    QByteArray out(text);
    out.replace(' ', "");
    return out;
}

// ---- Cursor reader ------------------------------------------------------------------------

TEST(HexCursor, ReadsBytesWordsAndTriplesAndNeverPassesTheEnd)
{
    HexCursor c(hex("0A 1B2C 3D4E5F 7"));
    EXPECT_EQ(c.remaining(), 13);
    EXPECT_EQ(c.peekchar(), 0x0A);
    EXPECT_EQ(c.getchar(), 0x0A);
    EXPECT_EQ(c.getword(), 0x1B2C);
    EXPECT_EQ(c.peektriple(), 0x3D4E5F);
    EXPECT_EQ(c.gettriple(), 0x3D4E5F);
    // One digit left: every read needs more.
    EXPECT_EQ(c.peekchar(), -1);
    EXPECT_EQ(c.getword(), -1);
    EXPECT_EQ(c.remaining(), 0);
    EXPECT_TRUE(c.atEnd());
    c.skiptriple();
    EXPECT_EQ(c.remaining(), 0);
}

TEST(HexCursor, TextEndsAtZeroOrAnyNonHexCharacter)
{
    const QByteArray withZero("4142\0" "4344", 9);
    EXPECT_EQ(HexCursor(withZero).getBytes(), QByteArray("AB"));
    EXPECT_EQ(HexCursor("41 42").getBytes(), QByteArray("A"));
    EXPECT_EQ(HexCursor("6a6B").getBytes(), QByteArray("jk")); // either case
}

TEST(HexCursor, SemiOctetsSwapAndDropALeadingFiller)
{
    HexCursor c("64F010");
    EXPECT_EQ(c.peeksemioctex(), QStringLiteral("46"));
    c.skipsemioctex();
    EXPECT_EQ(c.peeksemioctex(), QStringLiteral("0"));
    c.skipsemioctex();
    EXPECT_EQ(c.peeksemioctex(), QStringLiteral("01"));
    c.skipsemioctex();
    EXPECT_EQ(c.peeksemioctex(), QString());
}

TEST(HexCursor, PlmnDigitsKeepTheMncInItsOwnOrder)
{
    struct Row { const char *bytes; const char *digits; int value; };
    const Row rows[] = {
        {"64F010", "46001", 0x46001},  // MCC 460, MNC 01
        {"62F220", "26202", 0x26202},  // MCC 262, MNC 02
        {"130062", "310260", 0x310260}, // MCC 310, MNC 260
        {"000101", "001100", 0x001100}, // MCC 001, MNC 100: leading zeros kept in the text
        {"64F0", "", -1},               // incomplete
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.bytes);
        HexCursor a(r.bytes);
        EXPECT_EQ(a.getPlmnDigits(), QString::fromLatin1(r.digits));
        HexCursor b(r.bytes);
        EXPECT_EQ(b.getsemi_triple(), r.value);
    }
}

TEST(HexCursor, ImsiHomeDigitsFromTheFirstTriple)
{
    HexCursor c("460011234567890");
    EXPECT_EQ(QString::asprintf("%05X", c.gettriple() >> 4), QStringLiteral("46001"));
}

// ---- GSM default alphabet -----------------------------------------------------------------

TEST(GsmDefaultAlphabet, StandardCharactersOutsideAscii)
{
    struct Row { int code; char16_t ch; };
    const Row basic[] = {
        {0x00, u'@'}, {0x01, u'\u00A3'}, {0x02, u'$'}, {0x03, u'\u00A5'}, {0x04, u'\u00E8'},
        {0x07, u'\u00EC'}, {0x09, u'\u00C7'}, {0x0A, u'\n'}, {0x0E, u'\u00C5'}, {0x10, u'\u0394'},
        {0x11, u'_'}, {0x12, u'\u03A6'}, {0x1A, u'\u039E'}, {0x1C, u'\u00C6'}, {0x1E, u'\u00DF'},
        {0x1F, u'\u00C9'}, {0x24, u'\u00A4'}, {0x40, u'\u00A1'}, {0x5B, u'\u00C4'}, {0x5E, u'\u00DC'},
        {0x5F, u'\u00A7'}, {0x60, u'\u00BF'}, {0x7B, u'\u00E4'}, {0x7E, u'\u00FC'}, {0x7F, u'\u00E0'},
    };
    for (const Row &r : basic)
        EXPECT_EQ(gsm::defaultAlphabetChar(r.code), QChar(r.ch)) << std::hex << r.code;

    const Row extension[] = {
        {0x0A, u'\u000C'}, {0x14, u'^'}, {0x28, u'{'}, {0x29, u'}'}, {0x2F, u'\\'}, {0x3C, u'['},
        {0x3D, u'~'}, {0x3E, u']'}, {0x40, u'|'}, {0x65, u'\u20AC'},
        {0x41, u'A'}, // no extension character: the default one
        {0x1B, u' '}, // escape escape
    };
    for (const Row &r : extension)
        EXPECT_EQ(gsm::extensionChar(r.code), QChar(r.ch)) << std::hex << r.code;
}

TEST(GsmDefaultAlphabet, PrintableAsciiCodesAreThemselvesExceptTheFourThatDiffer)
{
    for (int code = 0x20; code <= 0x7E; ++code) {
        if (code == 0x24 || code == 0x40 || (code >= 0x5B && code <= 0x60) || code >= 0x7B)
            continue;
        EXPECT_EQ(gsm::defaultAlphabetChar(code), QLatin1Char(char(code))) << std::hex << code;
    }
}

// ---- EF_SPN -------------------------------------------------------------------------------

struct SpnRow {
    const char *label;
    QByteArray text;
    bool hasCondition;
    int condition;
    std::optional<QString> name;
};

TEST(EF_SPN, DecodingTable)
{
    const SpnRow rows[] = {
        {"7-bit with FF padding", hex("01 414243 FFFFFF"), true, 1, QStringLiteral("ABC")},
        {"7-bit non-ASCII and escape", hex("00 00 01 02 11 1B65 1B3C 1B3E FF"), true, 0, QStringLiteral("@£$_€[]")},
        {"7-bit Greek and accents", hex("02 10 12 5B 7F 09"), true, 2, QStringLiteral("ΔΦÄàÇ")},
        {"7-bit lone escape at the end", hex("00 41 1B"), true, 0, QStringLiteral("A ")},
        {"7-bit escape before padding", hex("00 41 1B FF 42"), true, 0, QStringLiteral("A ")},
        {"UCS-2", hex("00 80 0041 0042 FFFF 0043"), true, 0, QStringLiteral("AB")},
        {"UCS-2 odd byte", hex("00 80 0041 00"), true, 0, QStringLiteral("A")},
        {"UCS-2 no characters", hex("00 80"), true, 0, QStringLiteral("")},
        {"0x81 base", hex("00 81 02 08 81 41"), true, 0, QString::fromUtf16(u"\u0401A")},
        {"0x81 GSM low bytes", hex("00 81 03 08 00 11 80"), true, 0, QString::fromUtf16(u"@_\u0400")},
        {"0x81 count beyond data", hex("00 81 10 08 81"), true, 0, QString::fromUtf16(u"\u0401")},
        {"0x81 count stops early", hex("00 81 01 08 81 82"), true, 0, QString::fromUtf16(u"\u0401")},
        {"0x81 header cut", hex("00 81 02"), true, 0, QStringLiteral("")},
        {"0x82 base word", hex("03 82 02 0410 85 41"), true, 3, QString::fromUtf16(u"\u0415A")},
        {"0x82 header cut", hex("03 82 02 04"), true, 3, QStringLiteral("")},
        {"unknown coding", hex("01 90 4142"), true, 1, QStringLiteral("")},
        {"unprogrammed file", hex("FF FFFFFFFF"), true, 3, QStringLiteral("")},
        {"reserved condition bits", hex("FE 41"), true, 2, QStringLiteral("A")},
        {"condition only", hex("01"), true, 1, std::nullopt},
        {"odd hex", hex("01 4142 4"), true, 1, QStringLiteral("AB")},
        {"empty", QByteArray(), false, 0, std::nullopt},
        {"zero first", QByteArray("\0" "141", 4), false, 0, std::nullopt},
        {"not hex", QByteArray("zz4142"), false, 0, std::nullopt},
    };
    for (const SpnRow &r : rows) {
        SCOPED_TRACE(r.label);
        const simfile::SpnContents spn = simfile::decodeEF_SPN(r.text);
        EXPECT_EQ(spn.hasCondition, r.hasCondition);
        EXPECT_EQ(spn.displayCondition, r.condition);
        EXPECT_EQ(spn.name, r.name);
    }
}

// ---- EF_SPDI ------------------------------------------------------------------------------

TEST(EF_SPDI, DecodingTable)
{
    struct Row { const char *label; QByteArray text; QStringList list; };
    const Row rows[] = {
        {"one entry", hex("A305 8003 64F010"), {"46001"}},
        {"two and three digit MNCs", hex("A308 8006 64F010 130062"), {"46001", "310260"}},
        {"FF entry ends the list", hex("A30B 8009 64F010 FFFFFF 62F220"), {"46001"}},
        {"FF entry first", hex("A308 8006 FFFFFF 64F010"), {}},
        {"padding after the list", hex("A305 8003 64F010 FFFFFFFF"), {"46001"}},
        {"length beyond data", hex("A30B 8009 64F010 62F2"), {"46001"}},
        {"length shorter than an entry", hex("A305 8002 64F010"), {}},
        {"length cuts the list", hex("A308 8003 64F010 62F220"), {"46001"}},
        {"odd hex", hex("A305 8003 64F010 6"), {"46001"}},
        {"no tag", hex("A305 64F010"), {}},
        {"tag and too little after it", hex("A305 80 0"), {}},
        {"tag at the end", hex("A305 80"), {}},
        {"empty", QByteArray(), {}},
        {"all FF", hex("FFFFFFFFFFFF"), {}},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.label);
        EXPECT_EQ(simfile::decodeEF_SPDI(r.text), r.list);
    }
}

// ---- EF_ICCID -----------------------------------------------------------------------------

TEST(EF_ICCID, DecodingTable)
{
    struct Row { const char *label; QByteArray text; const char *iccid; };
    const Row rows[] = {
        {"twenty digits", hex("98101032547698103254"), "89010123456789012345"},
        {"nineteen digits and filler", hex("981010325476981032F4"), "8901012345678901234"},
        {"text longer than the file", hex("98101032547698103254 1122"), "89010123456789012345"},
        {"short text", hex("981010"), "890101"},
        {"odd hex", hex("98101"), "8901"},
        {"stops at a non-hex character", QByteArray("9810G0"), "8901"},
        {"unreadable file", hex("FFFFFFFFFFFFFFFFFFFF"), ""},
        {"empty", QByteArray(), ""},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.label);
        EXPECT_EQ(simfile::decodeICCID(r.text), QString::fromLatin1(r.iccid));
    }
}

} // namespace
