// The SIM alpha coding that measures contact names, and the cuts of names and other fields.
#include "common/phonebook/SimAlphaCoding.h"

#include <QString>

#include <gtest/gtest.h>

using namespace yov::phonebook;

namespace {

QString utf8(const char *text) { return QString::fromUtf8(text); }

// The name cut exactly as the rule is written: code the name, drop the last UTF-16 unit while the
// hexadecimal text is longer than twice the limit.
QString cutOneByOne(QString name, int maxBytes)
{
    while (encodeAlphaId(name).size() > 2 * maxBytes && !name.isEmpty())
        name.chop(1);
    return name;
}

TEST(SimAlphaCoding, CodesEachFormOfName)
{
    const struct {
        const char *label;
        QString name;
        const char *hex;
    } cases[] = {
        {"Latin: one GSM byte each", utf8("Anna"), "416E6E61"},
        {"one character above 127, block 1: 0x81", utf8("Äpfel"), "810501C47066656C"},
        {"Greek with Cyrillic: two blocks, 0x80", utf8("αб"), "8003B10431"},
        {"Cyrillic, block 8: 0x81", utf8("Иван"), "81040898B2B0BD"},
        {"Cyrillic with a digit: the digit as itself", utf8("Ив1"), "81030898B231"},
        {"CJK in one block above 127: 0x82 with its base", utf8("一丁"), "82024E008081"},
        {"GSM exceptions: $ @ _ and the backslash; [ ] keep their codes", utf8("$@_\\[]"), "020011205B5D"},
        {"braces, tilde, caret, grave accent, DEL become blanks", QStringLiteral("{|}~^`") + QChar(0x7F), "20202020202020"},
        {"control characters become blanks but LF and CR stay", QStringLiteral("\t\n\r\x01"), "200A0D20"},
        {"empty name", QString(), ""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(encodeAlphaId(c.name), QLatin1String(c.hex)) << c.label;
        EXPECT_EQ(alphaIdLength(c.name), int(qstrlen(c.hex) / 2)) << c.label;
    }
}

TEST(SimAlphaCoding, LengthsFollowTheFormRules)
{
    EXPECT_EQ(alphaIdLength(utf8("Äpfel")), 3 + 5);
    const QString mixed = utf8("αβγабв"); // Greek and Cyrillic
    EXPECT_EQ(alphaIdLength(mixed), 1 + 2 * int(mixed.size()));
    EXPECT_EQ(alphaIdLength(utf8("一丁七")), 4 + 3);
}

TEST(NameCut, KeepsTheLongestPartThatFitsTheSimBytes)
{
    const struct {
        const char *label;
        QString name;
        int maxBytes;
        QString kept;
    } cases[] = {
        {"Latin keeps the limit in characters", utf8("Alexandra"), 5, utf8("Alexa")},
        // Ten ideographs from different 128-blocks: 0x80, (14 - 1) / 2 characters.
        {"scattered CJK at 14 bytes", utf8("中文名字测试小明大华"), 14, utf8("中文名字测试")},
        {"one Cyrillic block keeps limit - 3", utf8("Александра"), 10, utf8("Алексан")},
        {"one CJK block keeps limit - 4", utf8("一丁七万丈三上下不与"), 10, utf8("一丁七万丈三")},
        {"nothing fits", utf8("中"), 2, QString()},
        {"a name that fits stays whole", utf8("Tom"), 14, utf8("Tom")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(reSetNameStrWithInputName(c.name, c.maxBytes), c.kept) << c.label;
}

TEST(NameCut, GivesTheResultOfDroppingOneCharacterAtATime)
{
    const QString samples[] = {utf8("Anna Maria"), utf8("Äpfel und Birnen"), utf8("Иван Petrov"), utf8("中文名字测试小明"),
                               utf8("一丁七 abc"), utf8("abc一丁Иван"), utf8("[x]_@$")};
    for (const QString &sample : samples) {
        for (int limit = 0; limit <= 24; ++limit)
            EXPECT_EQ(reSetNameStrWithInputName(sample, limit), cutOneByOne(sample, limit)) << qPrintable(sample) << " " << limit;
    }
}

TEST(NameCut, APastedTextIsCutAtOnceLikeItsStart)
{
    QString pasted;
    const QString piece = utf8("Müller中");
    while (pasted.size() < 100000)
        pasted += piece;
    EXPECT_EQ(reSetNameStrWithInputName(pasted, 14), cutOneByOne(pasted.left(40), 14));
    EXPECT_EQ(reSetNameStrWithInputName(QString(100000, QLatin1Char('a')), 30), QString(30, QLatin1Char('a')));
}

TEST(NameCut, NeverSplitsACharacterOfTwoUnits)
{
    const QString name = utf8("a😀b");
    // "a" and the first half of the emoji would take 1 + 2 x 2 = 5 bytes: the emoji goes whole.
    EXPECT_EQ(reSetNameStrWithInputName(name, 6), utf8("a"));
    EXPECT_EQ(reSetNameStrWithInputName(name, 7), utf8("a😀"));
}

TEST(WeightedCut, CountsOneForAsciiAndTwoForAnythingElse)
{
    const struct {
        const char *label;
        QString text;
        int max;
        QString kept;
    } cases[] = {
        {"two ASCII letters and a three-byte character fit 4", utf8("ab中"), 4, utf8("ab中")},
        {"a second such character is dropped", utf8("ab中文"), 4, utf8("ab中")},
        {"a two-byte character counts 2", utf8("äbc"), 3, utf8("äb")},
        {"an emoji counts 2 and is never split", utf8("a😀"), 2, utf8("a")},
        {"the emoji fits whole", utf8("a😀"), 3, utf8("a😀")},
        {"a lone emoji and a limit of 1", utf8("😀"), 1, QString()},
        {"a null text", QString(), 5, QString()},
        {"a limit below one", utf8("abc"), 0, QString()},
    };
    for (const auto &c : cases) {
        const QString kept = deleteExtraContent(c.text, c.max);
        EXPECT_EQ(kept, c.kept) << c.label;
        EXPECT_FALSE(kept.isNull()) << c.label;
        EXPECT_LE(weightedLength(kept), std::max(c.max, 0)) << c.label;
    }
}

TEST(WeightedCut, LeadingCharactersCountAPairOnce)
{
    EXPECT_EQ(leadingCharacters(utf8("😀😀x"), 2), utf8("😀😀"));
    EXPECT_EQ(leadingCharacters(utf8("ab"), 5), utf8("ab"));
    EXPECT_EQ(leadingCharacters(utf8("ab"), 0), QString());
}

} // namespace
