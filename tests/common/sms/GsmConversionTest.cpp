// Text to 7-bit and back under each national table, with and without the single-character switch.

#include "common/sms/GsmAlphabet.h"
#include "common/sms/GsmAlphabetTables.h"

#include "SmsTestSupport.h"
#include "common/util/KLog.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace yov::sms;
using smstest::bytesOf;
using smstest::national;
using smstest::units;

namespace {

struct TextToSeptetsCase {
    const char *tables;
    bool singleSwitch;
    const char *text; // UTF-8
    const char *sms7;
};

const TextToSeptetsCase kTextToSeptetsCases[] = {
    {nullptr, false, "hello", "68 65 6C 6C 6F"},
    {nullptr, false, "@Ç", "00 09"},
    {nullptr, false, "é", "05"},
    {nullptr, false, "Á", "41"},                 // folded
    {nullptr, false, "ç", "1B 63"},
    {nullptr, false, "θψΔ", "19 17 10"},
    {nullptr, false, "Θ", "20"},                 // no 7-bit form
    {nullptr, false, "Ж", "20"},
    {nullptr, false, "°", "20"},
    {nullptr, false, "[\\]^{|}~", "1B 3C 1B 2F 1B 3E 1B 14 1B 28 1B 40 1B 29 1B 3D"},
    {nullptr, false, "\f", "1B 0A"},
    {nullptr, false, "¤€", "1B 65 1B 65"},
    {nullptr, false, "ĞğİıŞş", "1B 47 1B 67 1B 49 1B 69 1B 53 1B 73"},
    {nullptr, true, "[", "20"},                   // the switch holds whatever the identifier
    {nullptr, true, "Á", "20"},
    {nullptr, true, "é", "05"},
    {"TurkishSingle", false, "Áç", "41 1B 63"},   // no Turkish table on this side
    {"TurkishSingle", false, "Ş", "1B 53"},
    {"SpanishSingle", false, "Á", "1B 41"},
    {"SpanishSingle", false, "ç", "1B 09"},
    {"SpanishSingle", false, "ÍÓÚáíóú", "1B 49 1B 4F 1B 55 1B 61 1B 69 1B 6F 1B 75"},
    {"SpanishSingle", false, "Àâ", "41 61"},     // not in its table: folded
    {"SpanishSingle", true, "[", "20"},
    {"SpanishSingle", true, "á", "20"},
    {"SpanishSingle", true, "ç", "20"},
    {"SpanishSingle", true, "€", "1B 65"},
    {"PortugueseSingle", false, "Á", "1B 0E"},
    {"PortugueseSingle", false, "ç", "1B 09"},
    {"PortugueseSingle", false, "Àêâ", "1B 41 1B 05 1B 7F"},
    {"PortugueseSingle", false, "Φ", "12"},      // Greek first, not the table's escape
    {"PortugueseSingle", true, "Ô", "20"},
};

TEST(GsmConversion, Ucs2toSMS7Table)
{
    for (const TextToSeptetsCase &c : kTextToSeptetsCases) {
        const auto text = units(QString::fromUtf8(c.text));
        const SmsCodecOptions options = national(c.tables, c.singleSwitch);
        std::vector<std::uint8_t> out(2 * text.size() + 4, 0xEE);
        const int n = Ucs2toSMS7(options, out.data(), int(2 * text.size()), text.data(), int(text.size()));
        const auto expected = bytesOf(c.sms7);
        ASSERT_EQ(n, int(expected.size())) << c.text << " under " << (c.tables ? c.tables : "none");
        EXPECT_EQ(std::vector<std::uint8_t>(out.begin(), out.begin() + n), expected) << c.text;
        EXPECT_EQ(out[2 * text.size()], 0xEE) << c.text;

        // One character at a time gives the same bytes, except the accented capitals and smalls
        // that the one-character form always escapes.
        if (text.size() == 1 && !QStringLiteral("ÁÍÓÚáíóú").contains(QString::fromUtf8(c.text))) {
            std::uint8_t one[2] = {0, 0};
            ASSERT_EQ(CharacterUcs2ToSms7(options, text[0], one, 2), n) << c.text;
            EXPECT_EQ(std::vector<std::uint8_t>(one, one + n), expected) << c.text;
        }
    }
}

TEST(GsmConversion, OneCharacterFormEscapesAccentedLettersWhateverTheTable)
{
    const struct {
        const char *text;
        const char *sms7;
    } cases[] = {{"Á", "1B 41"}, {"Í", "1B 49"}, {"Ó", "1B 4F"}, {"Ú", "1B 55"},
                 {"á", "1B 61"}, {"í", "1B 69"}, {"ó", "1B 6F"}, {"ú", "1B 75"}};
    for (const auto &c : cases) {
        std::uint8_t out[2] = {0, 0};
        const std::uint16_t character = QString::fromUtf8(c.text).at(0).unicode();
        ASSERT_EQ(CharacterUcs2ToSms7(national(nullptr), character, out, 2), 2) << c.text;
        EXPECT_EQ(std::vector<std::uint8_t>(out, out + 2), bytesOf(c.sms7)) << c.text;
    }
    std::uint8_t small[1];
    EXPECT_EQ(CharacterUcs2ToSms7(national(nullptr), 'a', small, 1), -1);
}

struct SeptetsToTextCase {
    const char *tables;
    const char *sms7;
    const char *text; // UTF-8
};

const SeptetsToTextCase kSeptetsToTextCases[] = {
    {nullptr, "68 65 6C 6C 6F", "hello"},
    {nullptr, "00 05 19 17 1B", "@éθψ\x1B"}, // a lone escape at the end
    {nullptr, "1B 41 1B 55 1B 61 1B 75", "ÁÚáú"},
    {nullptr, "1B 65", "€"},
    {nullptr, "1B 63 1B 47 1B 64 1B 49 1B 69", "çĞĞİı"},
    {nullptr, "1B 0A 1B 3C 1B 2F", "\f[\\"},
    {nullptr, "1B 09", "\x1B"},              // no entry: U+001B
    {nullptr, "1B 1B", "\x1B"},
    {nullptr, "80 1B 80", "  "},             // values above 0x7F become blanks
    {"TurkishSingle", "1B 47 1B 49 1B 63", "Ğİç"},
    {"SpanishSingle", "1B 49 1B 69 1B 09 1B 41 1B 4F", "ÍíçÁÓ"},
    {"PortugueseSingle", "1B 0E 1B 41 1B 09 1B 49 1B 7F", "ÁÀçÍâ"},
};

TEST(GsmConversion, SMS7toUcs2Table)
{
    for (const SeptetsToTextCase &c : kSeptetsToTextCases) {
        const auto sms7 = bytesOf(c.sms7);
        std::vector<std::uint16_t> out(sms7.size() + 2, 0xEEEE);
        const int n = SMS7toUcs2(national(c.tables), out.data(), int(sms7.size()), sms7.data(), int(sms7.size()));
        const QString expected = QString::fromUtf8(c.text);
        ASSERT_GE(n, 0) << c.sms7;
        EXPECT_EQ(smstest::fromUnits(out.data(), n), expected) << c.sms7 << " under " << (c.tables ? c.tables : "none");
        EXPECT_EQ(out[sms7.size()], 0xEEEE) << c.sms7;
    }
}

TEST(GsmConversion, RoundTripOfEveryCharacterThatGoesIn7bit)
{
    for (const char *tables : {static_cast<const char *>(nullptr), "TurkishSingle", "SpanishSingle", "PortugueseSingle"}) {
        const SmsCodecOptions options = national(tables);
        for (std::uint32_t c = 0; c < 0x10000; ++c) {
            const std::uint16_t character = static_cast<std::uint16_t>(c);
            if (IfUcs2IsSMS7(options, &character, 1) != 1)
                continue;
            std::uint8_t sms7[2];
            const int n = Ucs2toSMS7(options, sms7, 2, &character, 1);
            std::uint16_t decoded[2] = {0, 0};
            ASSERT_EQ(SMS7toUcs2(options, decoded, 2, sms7, n), 1);
            const std::uint16_t back = decoded[0];
            // Folded letters and the degree sign come back as their stand-in. Escape 0x65 always reads
            // as the euro sign, and under the Spanish and Portuguese tables escapes 0x49 and 0x69 read
            // as their accented i, so these go one way. Everything else comes back as itself.
            const bool standIn = n == 1 && (sms7[0] == 0x20 || newGsmToUcs2[sms7[0]] != character);
            std::uint16_t expected = character;
            if (character == 0x00A4)
                expected = 0x20AC;
            if (options.nationalIdentifier == QStringLiteral("SpanishSingle")
                || options.nationalIdentifier == QStringLiteral("PortugueseSingle")) {
                if (character == 0x0130)
                    expected = 0x00CD;
                if (character == 0x0131)
                    expected = 0x00ED;
            }
            if (!standIn) {
                EXPECT_EQ(back, expected) << "U+" << std::hex << c << " under " << (tables ? tables : "none");
            }
        }
    }
}

TEST(GsmConversion, LockingShiftAndEscapePairDecoders)
{
    const auto bytes = bytesOf("04 07 0B 40 60 1B 80");
    std::uint16_t out[7];
    ASSERT_EQ(SMS7toUcs2_Turkish(out, 7, bytes.data(), 7), 7);
    EXPECT_EQ(smstest::fromUnits(out, 7), QString::fromUtf8("€ıĞİç  "));
    ASSERT_EQ(SMS7toUcs2_Portuguese(out, 7, bytes.data(), 7), 7);
    EXPECT_EQ(smstest::fromUnits(out, 7), QString::fromUtf8("êíÔÍ~  "));
    EXPECT_EQ(SMS7toUcs2_Turkish(out, 6, bytes.data(), 7), -1);

    const struct {
        const char *tables;
        const char *pair;
        std::uint16_t current;
        std::uint16_t old;
    } pairs[] = {
        {nullptr, "1B 0A", 0x000C, 0x0020},  {nullptr, "1B 65", 0x00A4, 0x00A4},
        {nullptr, "1B 49", 0x0130, 0x0130},  {nullptr, "1B 41", 0x00C1, 0x00C1},
        {nullptr, "1B 09", 0x0020, 0x0020},  {nullptr, "41 41", 0x0020, 0x0020},
        {"SpanishSingle", "1B 65", 0x20AC, 0x00A4}, {"SpanishSingle", "1B 49", 0x00CD, 0x0130},
        {"PortugueseSingle", "1B 41", 0x00C0, 0x00C1}, {"TurkishSingle", "1B 63", 0x00E7, 0x00E7},
    };
    for (const auto &p : pairs) {
        const auto pair = bytesOf(p.pair);
        EXPECT_EQ(CharacterSms7ToUcs2(national(p.tables), pair.data()), p.current) << p.pair;
        EXPECT_EQ(CharacterSms7ToUcs2_Old(pair.data()), p.old) << p.pair;
    }
    EXPECT_EQ(CharacterSms7ToUcs2(national(nullptr), nullptr), 0x0020);
}

TEST(GsmConversion, OutputsTooSmallOrMissingWriteNothing)
{
    const auto text = units(QStringLiteral("abc"));
    std::uint8_t sms7[8];
    std::memset(sms7, 0xEE, sizeof sms7);
    EXPECT_EQ(Ucs2toSMS7(national(nullptr), sms7, 5, text.data(), 3), -1);
    EXPECT_EQ(Ucs2toSMS7(national(nullptr), sms7, 0, text.data(), 0), -1);
    EXPECT_EQ(Ucs2toSMS7(national(nullptr), nullptr, 8, text.data(), 3), -1);
    EXPECT_EQ(Ucs2toSMS7(national(nullptr), sms7, 8, nullptr, 3), -1);
    EXPECT_EQ(sms7[0], 0xEE);

    std::uint16_t out[2];
    const auto bytes = bytesOf("41 42 43");
    EXPECT_EQ(SMS7toUcs2(national(nullptr), out, 2, bytes.data(), 3), -1);
    EXPECT_EQ(SMS7toUcs2(national(nullptr), out, 0, bytes.data(), 0), -1);
}

TEST(GsmConversion, Predicates)
{
    const struct {
        const char *tables;
        bool singleSwitch;
        const char *text;
        int sms7;
    } cases[] = {
        {nullptr, false, "", 1},          {nullptr, false, "hello", 1},  {nullptr, false, "Ж", 0},
        {nullptr, false, "Θ", 0},          {nullptr, false, "θ", 1},      {nullptr, false, "°", 1},
        {nullptr, false, "é", 1},          {nullptr, false, "Áÿ", 1},     {nullptr, false, "\t", 0},
        {nullptr, false, "¢", 0},          {nullptr, false, "Ğ€\f", 1},   {nullptr, false, "a😀", 0},
        {nullptr, true, "[", 0},           {nullptr, true, "á", 0},       {nullptr, true, "é", 1},
        {"SpanishSingle", false, "Í", 1},  {"PortugueseSingle", false, "ª", 0},
    };
    for (const auto &c : cases) {
        auto text = units(QString::fromUtf8(c.text));
        text.reserve(1); // a pointer even for the empty text
        EXPECT_EQ(IfUcs2IsSMS7(national(c.tables, c.singleSwitch), text.data(), int(text.size())), c.sms7) << c.text;
    }
    EXPECT_EQ(IfUcs2IsSMS7(national(nullptr), nullptr, 0), -1);

    const auto special = units(QString::fromUtf8("©®™"));
    const auto mixed = units(QString::fromUtf8("©a"));
    EXPECT_EQ(ifUcs2IsSpecial(special.data(), int(special.size())), 1);
    EXPECT_EQ(ifUcs2IsSpecial(mixed.data(), int(mixed.size())), 0);
    EXPECT_EQ(ifUcs2IsSpecial(special.data(), 0), 1);
    EXPECT_EQ(ifUcs2IsSpecial(nullptr, 1), -1);

    const auto escaped = bytesOf("41 1B 65");
    EXPECT_EQ(has0x1b(escaped.data(), 3), 1);
    EXPECT_EQ(has0x1b(escaped.data(), 1), 0);

    EXPECT_TRUE(hasNationalId(QStringLiteral("TurkishSingle")));
    EXPECT_TRUE(hasNationalId(QStringLiteral("SpanishSingle")));
    EXPECT_TRUE(hasNationalId(QStringLiteral("PortugueseSingle")));
    EXPECT_FALSE(hasNationalId(QStringLiteral("Turkish")));
    EXPECT_FALSE(hasNationalId(QString()));

    EXPECT_TRUE(needUcs2EncodingForSingleCharacter(national("TurkishSingle", true), 0x00C0)); // À, Portuguese
    EXPECT_FALSE(needUcs2EncodingForSingleCharacter(national("SpanishSingle", false), 0x00C0));
    EXPECT_FALSE(needUcs2EncodingForSingleCharacter(national(nullptr, true), 'a'));
}

TEST(GsmConversion, SingleCharacterLookupLogsForOtherTables)
{
    QTemporaryDir dir;
    QList<QByteArray> lines;
    yov::KLog::Options logOptions;
    logOptions.configuredDir = dir.path();
    logOptions.systemLog = [&lines](const QByteArray &text) { lines << text; };
    yov::KLog log(logOptions);
    yov::KLog::setSharedLog(&log);

    EXPECT_TRUE(isSingleCharacter(QStringLiteral("PortugueseSingle"), 0x00C0));
    EXPECT_FALSE(isSingleCharacter(QStringLiteral("SpanishSingle"), 0x00C0));
    EXPECT_TRUE(isSingleCharacter(QStringLiteral("SpanishSingle"), 0x00E7));
    EXPECT_TRUE(lines.isEmpty());
    EXPECT_FALSE(isSingleCharacter(QStringLiteral("TurkishSingle"), 0x011E));
    yov::KLog::setSharedLog(nullptr);
    EXPECT_EQ(lines, QList<QByteArray>{"only support spanish and portuguese!"});
}

} // namespace
