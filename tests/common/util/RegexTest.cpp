#include "common/util/Regex.h"

#include <QThread>
#include <QtGlobal>
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

using yov::Regex;
using yov::RegexError;

namespace {

struct MatchCase {
    const char *subject;
    const char *pattern;
    bool matches;
    const char *firstMatch; // null: none
};

const MatchCase kCases[] = {
    {"", "^[0-9]{0,4}", true, ""},                  // empty text, pattern matching empty text
    {"", "[0-9]", false, nullptr},                  // empty text, pattern needing a character
    {"12345678901x", "^[0-9]{10,10}", true, "1234567890"}, // no "$": text may go on after the match
    {"123456789", "^[0-9]{10,10}", false, nullptr},
    {"98765", "^[0-9]{0,4}", true, "9876"},          // PIN field cut to four digits
    {"a123", "^[0-9]{0,4}", true, ""},               // no leading digit: empty match
    {"xx ab aaaa", "a+", true, "a"},                 // leftmost, not longest
    {"Hello", "hello", false, nullptr},              // case-sensitive
    {"line1\nline2", "^line2", false, nullptr},      // "^" anchors at the text's start only
    {"line1\nline2", "line1$", false, nullptr},      // "$" at the text's end only
    {"a\nb", "a.b", false, nullptr},                 // "." stops at line ends
    {"user@example.com", "^[A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\\.[A-Za-z]{2,}$", true, "user@example.com"},
    {"\u4f60\u597d123", "[0-9]+", true, "123"},      // UTF-16 offsets past non-ASCII text
    {"\U0001F600x", "x", true, "x"},                 // surrogate pair before the match
};

} // namespace

TEST(Regex, MatchTable)
{
    for (const MatchCase &c : kCases) {
        const QString subject = QString::fromUtf8(c.subject);
        const QString pattern = QString::fromUtf8(c.pattern);
        RegexError error;
        EXPECT_EQ(Regex::isMatchedByRegex(subject, pattern, &error), c.matches) << c.subject << " / " << c.pattern;
        const std::optional<QString> match = Regex::stringByMatching(subject, pattern);
        if (c.firstMatch) {
            ASSERT_TRUE(match.has_value()) << c.subject << " / " << c.pattern;
            EXPECT_EQ(*match, QString::fromUtf8(c.firstMatch));
            EXPECT_FALSE(match->isNull());
        } else {
            EXPECT_FALSE(match.has_value()) << c.subject << " / " << c.pattern;
        }
        EXPECT_TRUE(error.reason.isEmpty());
    }
}

TEST(Regex, BadPatternReportsTheIcuError)
{
    for (const char *bad : {"([0-9]", "[a-", "*x", "a{2,1}"}) {
        RegexError error;
        EXPECT_FALSE(Regex::isMatchedByRegex("anything", bad, &error)) << bad;
        EXPECT_EQ(error.name, "RKLICURegexException");
        EXPECT_NE(error.code, 0);
        EXPECT_TRUE(error.reason.startsWith(QStringLiteral("ICU regular expression error #%1, U_REGEX_").arg(error.code)))
            << error.reason.toStdString();
        EXPECT_TRUE(error.reason.endsWith('.'));
        RegexError again;
        EXPECT_FALSE(Regex::stringByMatching("anything", bad, &again).has_value());
        EXPECT_EQ(again.reason, error.reason);
    }
    // Without an error argument the failure is still just "no match".
    EXPECT_FALSE(Regex::isMatchedByRegex("(", "("));
}

TEST(Regex, NullPatternIsAnArgumentError)
{
    RegexError error;
    EXPECT_FALSE(Regex::isMatchedByRegex("abc", QString(), &error));
    EXPECT_EQ(error.name, "NSInvalidArgumentException");
    EXPECT_EQ(error.reason, "The regular expression argument is NULL.");
}

TEST(Regex, RepeatedPatternIsCompiledOnce)
{
    const QString pattern = QStringLiteral("^repeat[0-9]+$");
    Regex::isMatchedByRegex("repeat1", pattern);
    const quint64 before = Regex::compileCount();
    for (int i = 0; i < 20; ++i)
        EXPECT_TRUE(Regex::isMatchedByRegex(QStringLiteral("repeat%1").arg(i), pattern));
    EXPECT_EQ(Regex::compileCount(), before);
}

TEST(Regex, ManyPatternsStayCorrectThroughEviction)
{
    // Far more patterns than the cache holds, twice over: every answer must still be right.
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 200; ++i) {
            const QString pattern = QStringLiteral("^n%1$").arg(i);
            EXPECT_TRUE(Regex::isMatchedByRegex(QStringLiteral("n%1").arg(i), pattern));
            EXPECT_FALSE(Regex::isMatchedByRegex(QStringLiteral("n%1").arg(i + 1), pattern));
        }
    }
}

TEST(Regex, SeveralThreadsAtOnce)
{
    std::atomic<int> wrong{0};
    std::vector<QThread *> threads;
    for (int t = 0; t < 6; ++t) {
        threads.push_back(QThread::create([t, &wrong] {
            for (int i = 0; i < 400; ++i) {
                const int n = (i * 7 + t) % 60; // shared and private patterns, evictions included
                const QString subject = QStringLiteral("id-%1-tail").arg(n);
                const auto match = Regex::stringByMatching(subject, QStringLiteral("[0-9]+"));
                if (!match || *match != QString::number(n))
                    ++wrong;
                if (!Regex::isMatchedByRegex(subject, QStringLiteral("^id-%1-").arg(n)))
                    ++wrong;
                if (Regex::isMatchedByRegex(subject, QStringLiteral("^id-%1x").arg(n)))
                    ++wrong;
                RegexError error;
                if (Regex::isMatchedByRegex(subject, QStringLiteral("(%1").arg(n), &error) || error.code == 0)
                    ++wrong;
            }
        }));
    }
    for (QThread *thread : threads)
        thread->start();
    for (QThread *thread : threads) {
        thread->wait();
        delete thread;
    }
    EXPECT_EQ(wrong.load(), 0);
}

namespace {
std::atomic<int> g_regexLogLines{0};
void countRegexLines(QtMsgType, const QMessageLogContext &context, const QString &)
{
    if (context.category && QByteArray(context.category) == "yov.regex")
        ++g_regexLogLines;
}
} // namespace

TEST(Regex, RunawayPatternGivesNoMatchWhileAnotherThreadGoesOnMatching)
{
    // "(a+)+$" on forty "a" and a "!" backtracks through 2^40 ways: only the time limit ends it.
    // Meanwhile another thread must go on matching: no lock is held during a search.
    g_regexLogLines = 0;
    const QtMessageHandler previous = qInstallMessageHandler(countRegexLines);
    std::atomic<bool> started{false};
    std::atomic<bool> done{false};
    bool runawayMatched = true;
    RegexError runawayError;
    QThread *runaway = QThread::create([&] {
        started = true;
        runawayMatched = Regex::isMatchedByRegex(QString(40, QLatin1Char('a')) + QLatin1Char('!'), QStringLiteral("(a+)+$"),
                                                 &runawayError);
        done = true;
    });
    runaway->start();
    while (!started)
        QThread::yieldCurrentThread();
    QThread::msleep(5);

    int finishedWhileRunaway = 0;
    int wrong = 0;
    while (!done) {
        const auto match = Regex::stringByMatching(QStringLiteral("4711 and more"), QStringLiteral("^[0-9]{0,4}"));
        if (!match || *match != QLatin1String("4711"))
            ++wrong;
        if (!done)
            ++finishedWhileRunaway;
    }
    runaway->wait();
    delete runaway;
    qInstallMessageHandler(previous);

    EXPECT_FALSE(runawayMatched);
    EXPECT_TRUE(runawayError.timedOut) << "the caller is not told that the pattern ran away";
    EXPECT_EQ(g_regexLogLines.load(), 1);
    EXPECT_EQ(wrong, 0);
    EXPECT_GE(finishedWhileRunaway, 5) << "the other thread waited for the runaway search";
}
