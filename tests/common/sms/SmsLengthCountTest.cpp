// Character and part counts as the editor shows them, and the cut at the maximum length.

#include "common/sms/SmsLengthCount.h"

#include "common/sms/GsmAlphabet.h"

#include "SmsTestSupport.h"

#include <gtest/gtest.h>

#include <random>

using namespace yov::sms;
using smstest::national;
using smstest::units;

namespace {

QString repeated(const char *piece, int times)
{
    return QString::fromUtf8(piece).repeated(times);
}

struct CountCase {
    const char *what;
    const char *tables;
    QString text;
    int length;   // septets or units
    int parts;
    int single;   // getSingleMaxLength, flag 0
    int perPart;  // getSingleMaxInputLen
};

TEST(SmsLengthCount, CharactersAndParts)
{
    const CountCase cases[] = {
        {"empty", nullptr, QString(), 0, 0, 160, 153},
        {"five letters", nullptr, QStringLiteral("hello"), 5, 1, 160, 153},
        {"160 septets", nullptr, repeated("a", 160), 160, 1, 160, 153},
        {"161 septets", nullptr, repeated("a", 161), 161, 2, 160, 153},
        {"306 septets", nullptr, repeated("a", 306), 306, 2, 160, 153},
        {"307 septets", nullptr, repeated("a", 307), 307, 3, 160, 153},
        {"euro counts two", nullptr, QString::fromUtf8("€") + repeated("a", 158), 160, 1, 160, 153},
        {"cedilla counts two", nullptr, QString::fromUtf8("ç"), 2, 1, 160, 153},
        {"degree counts one", nullptr, QString::fromUtf8("°"), 1, 1, 160, 153},
        {"155 escaped, Turkish", "TurkishSingle", QString::fromUtf8("€") + repeated("a", 153), 155, 1, 155, 149},
        {"156 escaped, Turkish", "TurkishSingle", QString::fromUtf8("€") + repeated("a", 154), 156, 2, 155, 149},
        {"156 escaped, Spanish", "SpanishSingle", QString::fromUtf8("Á") + repeated("a", 154), 156, 2, 155, 149},
        {"298 escaped, Portuguese", "PortugueseSingle", QString::fromUtf8("ç") + repeated("a", 296), 298, 2, 155, 149},
        {"299 escaped, Portuguese", "PortugueseSingle", QString::fromUtf8("ç") + repeated("a", 297), 299, 3, 155, 149},
        {"national table, nothing escaped", "TurkishSingle", repeated("a", 160), 160, 1, 160, 153},
        {"70 UCS-2", nullptr, repeated("Ж", 70), 70, 1, 70, 67},
        {"71 UCS-2", nullptr, repeated("Ж", 71), 71, 2, 70, 67},
        {"134 UCS-2", nullptr, repeated("Ж", 134), 134, 2, 70, 67},
        {"135 UCS-2", nullptr, repeated("a", 134) + QString::fromUtf8("中"), 135, 3, 70, 67},
    };
    for (const CountCase &c : cases) {
        const auto text = units(c.text);
        const SmsCodecOptions options = national(c.tables);
        const int n = int(text.size());
        EXPECT_EQ(getInputTextNum(options, text.data(), n), c.length) << c.what;
        EXPECT_EQ(getInputPackNum(options, text.data(), n), c.parts) << c.what;
        EXPECT_EQ(getSingleMaxLength(options, text.data(), n, 0), c.single) << c.what;
        EXPECT_EQ(getSingleMaxLength(options, text.data(), n, 1), c.perPart) << c.what;
        EXPECT_EQ(getSingleMaxInputLen(options, text.data(), n), c.perPart) << c.what;
        EXPECT_EQ(getMaxTextNum(options, text.data(), n, 5), 5 * c.perPart) << c.what;
    }
}

// The cut as a direct loop: drop one character at a time while the septets of what is left,
// converted afresh, exceed the limit.
int cutByDroppingOneAtATime(const SmsCodecOptions &options, const std::vector<std::uint16_t> &text, int maxParts)
{
    const int n = int(text.size());
    const int limit = maxParts * getSingleMaxInputLen(options, text.data(), n);
    if (IfUcs2IsSMS7(options, text.data(), n) != 1)
        return limit;
    int k = n - 1;
    while (k > 0) {
        std::vector<std::uint8_t> scratch(2 * std::size_t(k));
        if (Ucs2toSMS7(options, scratch.data(), 2 * k, text.data(), k) <= limit)
            break;
        --k;
    }
    return k;
}

TEST(SmsLengthCount, CutAtTheMaximumMatchesDroppingOneCharacterAtATime)
{
    const SmsCodecOptions plain = national(nullptr);
    const auto over765 = units(repeated("a", 770));
    EXPECT_EQ(getMaxTextNum(plain, over765.data(), 770, 5), 765);
    EXPECT_EQ(cutMaxTextLen(plain, over765.data(), 770, 5), 765);
    const auto ucs2 = units(repeated("Ж", 400));
    EXPECT_EQ(cutMaxTextLen(plain, ucs2.data(), 400, 3), 3 * 67);
    const auto justOver = units(repeated("a", 766));
    EXPECT_EQ(cutMaxTextLen(plain, justOver.data(), 766, 5), 765);
    // The last character is escaped and would end past the limit: it goes, and so does nothing else.
    const auto escapedAtEnd = units(repeated("a", 764) + QString::fromUtf8("€"));
    EXPECT_EQ(cutMaxTextLen(plain, escapedAtEnd.data(), 765, 5), 764);
    EXPECT_EQ(cutMaxTextLen(plain, nullptr, 0, 5), 0);

    // Random texts over the limit under every table.
    std::mt19937 random(2024);
    const QString pool = QString::fromUtf8("abc €ç[]Á^é°ĞθíÓ");
    for (const char *tables : {static_cast<const char *>(nullptr), "TurkishSingle", "SpanishSingle", "PortugueseSingle"}) {
        const SmsCodecOptions options = national(tables);
        for (int round = 0; round < 40; ++round) {
            const int maxParts = 1 + int(random() % 5);
            const int length = 100 + int(random() % 800);
            QString text;
            for (int i = 0; i < length; ++i)
                text += pool.at(qsizetype(random() % pool.size()));
            if (round % 10 == 0)
                text += QString::fromUtf8("Ж"); // a UCS-2 text now and then
            const auto u = units(text);
            EXPECT_EQ(cutMaxTextLen(options, u.data(), int(u.size()), maxParts),
                      cutByDroppingOneAtATime(options, u, maxParts))
                << (tables ? tables : "none") << " round " << round;
        }
    }
}

} // namespace
