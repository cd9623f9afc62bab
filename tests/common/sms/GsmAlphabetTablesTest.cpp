// The constant tables against their contents written out as text, code by code.

#include "common/sms/GsmAlphabetTables.h"

#include "SmsTestSupport.h"

#include <gtest/gtest.h>

#include <map>

using namespace yov::sms;

namespace {

// The default alphabet by code, 0x00 to 0x7F: small psi at 0x17, small theta at 0x19 and a space
// at the escape 0x1B.
const QString kDefaultAlphabet = QString::fromUtf8(
    "@£$¥èéùìòÇ\nØø\rÅå"
    "Δ_ΦΓΛΩΠψΣθΞ ÆæßÉ"
    " !\"#¤%&'()*+,-./"
    "0123456789:;<=>?"
    "¡ABCDEFGHIJKLMNO"
    "PQRSTUVWXYZÄÖÑÜ§"
    "¿abcdefghijklmno"
    "pqrstuvwxyzäöñüà");

const QString kTurkishLocking = QString::fromUtf8(
    "@£$¥€éùıòÇ\nĞğ\rÅå"
    "Δ_ΦΓΛΩΠψΣθΞ ŞşßÉ"
    " !\"#¤%&'()*+,-./"
    "0123456789:;<=>?"
    "İABCDEFGHIJKLMNO"
    "PQRSTUVWXYZÄÖÑÜ§"
    "çabcdefghijklmno"
    "pqrstuvwxyzäöñüà");

const QString kPortugueseLocking = QString::fromUtf8(
    "@£$¥êéúíóç\nÔô\rÁá"
    "Δ_ªÇÀ∞^\\€Ó| ÂâÊÉ"
    " !\"#º%&'()*+,-./"
    "0123456789:;<=>?"
    "ÍABCDEFGHIJKLMNO"
    "PQRSTUVWXYZÃÕÚÜ§"
    "~abcdefghijklmno"
    "pqrstuvwxyzãõ`üà");

template <std::size_t N>
void expectTableReads(const std::array<std::uint16_t, N> &table, const QString &expected, const char *name)
{
    ASSERT_EQ(expected.size(), qsizetype(N)) << name;
    for (std::size_t code = 0; code < N; ++code)
        EXPECT_EQ(table[code], expected.at(qsizetype(code)).unicode()) << name << " code " << code;
}

TEST(GsmAlphabetTables, DefaultAndLockingTablesCodeByCode)
{
    expectTableReads(newGsmToUcs2, kDefaultAlphabet, "default");
    expectTableReads(newGsmToUcs2_TurkishLock, kTurkishLocking, "Turkish locking");
    expectTableReads(newGsmToUcs2_PortugueseLock, kPortugueseLocking, "Portuguese locking");

    // Where these part from the published tables.
    EXPECT_EQ(newGsmToUcs2[0x17], 0x03C8);
    EXPECT_EQ(newGsmToUcs2[0x19], 0x03B8);
    EXPECT_EQ(newGsmToUcs2[0x1B], 0x0020);
    EXPECT_EQ(newGsmToUcs2_TurkishLock[0x17], 0x03C8);
    EXPECT_EQ(newGsmToUcs2_TurkishLock[0x19], 0x03B8);
    EXPECT_EQ(newGsmToUcs2_TurkishLock[0x1B], 0x0020);
    EXPECT_EQ(newGsmToUcs2_PortugueseLock[0x1B], 0x0020);
}

TEST(GsmAlphabetTables, ExtensionTableEveryEntry)
{
    const std::map<int, std::uint16_t> entries = {
        {0x0A, 0x000C}, {0x14, '^'}, {0x28, '{'}, {0x29, '}'}, {0x2F, '\\'}, {0x3C, '['}, {0x3D, '~'},
        {0x3E, ']'}, {0x40, '|'}, {0x41, 0x00C1}, {0x55, 0x00DA}, {0x61, 0x00E1}, {0x75, 0x00FA},
        {0x65, 0x00A4},
    };
    for (int code = 0; code < 128; ++code) {
        const auto it = entries.find(code);
        EXPECT_EQ(extGsmToUcs2[code], it == entries.end() ? 0x001B : it->second) << "code " << code;
    }
}

template <std::size_t N>
void expectPairs(const std::array<SingleShiftPair, N> &table, const char *codes, const QString &characters,
                 const char *name)
{
    const std::vector<std::uint8_t> expectedCodes = smstest::bytesOf(codes);
    ASSERT_EQ(expectedCodes.size(), N) << name;
    ASSERT_EQ(characters.size(), qsizetype(N)) << name;
    for (std::size_t i = 0; i < N; ++i) {
        EXPECT_EQ(table[i].code, expectedCodes[i]) << name << " pair " << i;
        EXPECT_EQ(table[i].zero, 0) << name << " pair " << i;
        EXPECT_EQ(table[i].character, characters.at(qsizetype(i)).unicode()) << name << " pair " << i;
    }
}

TEST(GsmAlphabetTables, SingleShiftTablesPairByPair)
{
    expectPairs(TurkishSigleTable, "14 28 29 2F 3C 3D 3E 40 47 49 53 63 65 67 69 73",
                QString::fromUtf8("^{}\\[~]|ĞİŞç€ğış"), "Turkish");
    expectPairs(SpanishSigleTable, "09 14 28 29 2F 3C 3D 3E 40 41 49 4F 55 61 65 69 6F 75",
                QString::fromUtf8("ç^{}\\[~]|ÁÍÓÚá€íóú"), "Spanish");
    expectPairs(PotugueseSigleTable,
                "05 09 0B 0C 0E 0F 12 13 14 15 16 17 18 19 1F 28 29 2F 3C 3D 3E 40 41 49 4F 55 5B 5C 61 65 69 6F "
                "75 7B 7C 7F",
                QString::fromUtf8("êçÔôÁáΦΓ^ΩΠψΣθÊ{}\\[~]|ÀÍÓÚÃÕÂ€íóúãõâ"), "Portuguese");
}

TEST(GsmAlphabetTables, ReverseTableIsTheInverseOfTheDefaultAlphabetWithTheFolds)
{
    const std::map<QChar, int> folds = {
        {QChar(0x00C0), 0x41}, {QChar(0x00C1), 0x41}, {QChar(0x00C2), 0x41}, {QChar(0x00C3), 0x41},
        {QChar(0x00C8), 0x45}, {QChar(0x00CA), 0x45}, {QChar(0x00CB), 0x45},
        {QChar(0x00CC), 0x49}, {QChar(0x00CD), 0x49}, {QChar(0x00CE), 0x49}, {QChar(0x00CF), 0x49},
        {QChar(0x00D2), 0x4F}, {QChar(0x00D3), 0x4F}, {QChar(0x00D4), 0x4F}, {QChar(0x00D5), 0x4F},
        {QChar(0x00D9), 0x55}, {QChar(0x00DA), 0x55}, {QChar(0x00DB), 0x55},
        {QChar(0x00DD), 0x59},
        {QChar(0x00E1), 0x61}, {QChar(0x00E2), 0x61}, {QChar(0x00E3), 0x61},
        {QChar(0x00E7), 0x09},
        {QChar(0x00EA), 0x65}, {QChar(0x00EB), 0x65},
        {QChar(0x00ED), 0x69}, {QChar(0x00EE), 0x69}, {QChar(0x00EF), 0x69},
        {QChar(0x00F3), 0x6F}, {QChar(0x00F4), 0x6F}, {QChar(0x00F5), 0x6F},
        {QChar(0x00FA), 0x75}, {QChar(0x00FB), 0x75},
        {QChar(0x00FD), 0x79}, {QChar(0x00FF), 0x79},
    };
    ASSERT_EQ(folds.size(), 35u);
    for (int c = 0; c < 256; ++c) {
        int expected = 0x20;
        const qsizetype code = kDefaultAlphabet.indexOf(QChar(c));
        if (code >= 0 && code != 0x1B)
            expected = int(code);
        if (const auto fold = folds.find(QChar(c)); fold != folds.end())
            expected = fold->second;
        EXPECT_EQ(newUcs2ToGsm[c], expected) << "U+" << std::hex << c;
    }
    for (char c : std::string("[\\]^{|}~"))
        EXPECT_EQ(newUcs2ToGsm[static_cast<unsigned char>(c)], 0x20) << c;
    EXPECT_EQ(newUcs2ToGsm[0x20], 0x20);
    EXPECT_EQ(newUcs2ToGsm['@'], 0x00);
    EXPECT_EQ(newUcs2ToGsm[0xA4], 0x24);
    EXPECT_EQ(newUcs2ToGsm[0xA1], 0x40);
}

TEST(GsmAlphabetTables, SpecialCharacterSet)
{
    const QString expected = QString::fromUtf8("`¢¦©ª\u00AD®¯±²³µ·¸¹º¼½¾Ð×Þð÷þŒœŠšŸŽžƃƒˆ˜‚†‡•…‰‹›™");
    ASSERT_EQ(expected.size(), 45);
    for (qsizetype i = 0; i < expected.size(); ++i)
        EXPECT_EQ(kSpecialCharacters[i], expected.at(i).unicode()) << i;
}

} // namespace
