#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/language/TokenList.h"
#include "ostrel/framework/switches/ConfigService.h"

#include "support/TestPaths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using ostrel::TokenList;

namespace {

struct ParseCase {
    const char *name;
    QByteArray input;
    QHash<QString, QString> expected;
    int problems;
};

TEST(TokenListTest, ParsesTheStringsFileForm)
{
    const ParseCase cases[] = {
        {"plain", R"("Connect" = "Verbinden";)", {{"Connect", "Verbinden"}}, 0},
        {"blanks and several lines", "  \"A\"\t=\n \"a\" ;\r\n\"B\"=\"b\";\n", {{"A", "a"}, {"B", "b"}}, 0},
        {"escapes", R"("Say \"hi\"\n" = "Sag \"hallo\"\\ \t\u00e9\U4E2D\'";)",
         {{"Say \"hi\"\n", QString::fromUtf8("Sag \"hallo\"\\ \t\u00e9\u4e2d'")}}, 0},
        {"comments", "/* block\n \"X\" = \"no\"; */\n// line \"Y\" = \"no\";\n\"Z\" /* in */ = // here\n \"z\";",
         {{"Z", "z"}}, 0},
        {"UTF-8 text", "\"Phonebook\" = \"\xe7\x94\xb5\xe8\xaf\x9d\xe7\xb0\xbf\"; \"Hello\" = \"\xd9\x85\xd8\xb1\xd8\xad\xd8\xa8\xd8\xa7\";",
         {{"Phonebook", QString::fromUtf8("电话簿")}, {"Hello", QString::fromUtf8("مرحبا")}}, 0},
        {"UTF-8 byte-order mark", "\xef\xbb\xbf\"A\" = \"b\";", {{"A", "b"}}, 0},
        {"key only", R"("Only";)", {{"Only", "Only"}}, 0},
        {"unquoted key and numbered entry", "Main_Title = \"Dashboard\"; \"#14\" = \"Warning!\";",
         {{"Main_Title", "Dashboard"}, {"#14", "Warning!"}}, 0},
        {"percent signs are plain text", R"("%s %n %@" = "%n%n%s";)", {{"%s %n %@", "%n%n%s"}}, 0},
        {"later entry replaces earlier", R"("A" = "1"; "A" = "2";)", {{"A", "2"}}, 0},
        {"missing semicolon at line end keeps the entry", "\"A\" = \"a\"\n\"B\" = \"b\";", {{"A", "a"}, {"B", "b"}}, 1},
        {"garbage entry skipped, rest kept", "\"A\" = \"a\" junk;\n\"B\" = \"b\";\n= \"x\";\n\"C\" = \"c\";",
         {{"B", "b"}, {"C", "c"}}, 2},
        {"unclosed text at end", "\"A\" = \"a\";\n\"B\" = \"never closed", {{"A", "a"}}, 1},
        {"unclosed comment", "\"A\" = \"a\"; /* open", {{"A", "a"}}, 1},
        {"bad unicode escape", "\"A\" = \"\\u12G4\";\n\"B\" = \"b\";", {{"B", "b"}}, 1},
        {"empty file", "", {}, 0},
    };
    for (const ParseCase &c : cases) {
        const TokenList list = TokenList::parse(c.input);
        EXPECT_TRUE(list.loaded) << c.name;
        EXPECT_EQ(list.entries, c.expected) << c.name;
        EXPECT_EQ(list.problems.size(), c.problems) << c.name << ": " << list.problems.join(u'|').toStdString();
    }
}

TEST(TokenListTest, InvalidUtf8IsReportedAndReplaced)
{
    const TokenList list = TokenList::parse("\"A\" = \"b\xff\xfe\x80\";");
    EXPECT_EQ(list.problems.size(), 1);
    ASSERT_TRUE(list.entries.contains(QStringLiteral("A")));
    EXPECT_TRUE(list.entries.value(QStringLiteral("A")).startsWith(u'b'));
}

TEST(TokenListTest, Utf16WithByteOrderMarkIsRead)
{
    const QString text = QStringLiteral("\"Call\" = \"Appel\u00e9\";");
    QByteArray bytes("\xff\xfe", 2);
    bytes.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    const TokenList list = TokenList::parse(bytes);
    EXPECT_EQ(list.entries.value(QStringLiteral("Call")), QStringLiteral("Appel\u00e9"));
}

TEST(TokenListTest, MissingAndOversizedFilesAreNotLoaded)
{
    QTemporaryDir dir;
    EXPECT_FALSE(TokenList::readFile(dir.filePath(QStringLiteral("none.txt"))).loaded);
    EXPECT_FALSE(TokenList::readFile(QString()).loaded);

    QFile big(dir.filePath(QStringLiteral("big.txt")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(TokenList::kMaxFileSize + 1));
    big.close();
    const TokenList list = TokenList::readFile(big.fileName());
    EXPECT_FALSE(list.loaded);
    EXPECT_EQ(list.problems.size(), 1);
}

// ---- The active table ------------------------------------------------------------------------

class LingroveTest : public ::testing::Test {
protected:
    void TearDown() override { ostrel::Lingrove_Init(QString()); }
    QString writeList(const QByteArray &text)
    {
        const QString path = dir_.filePath(QStringLiteral("French.lproj/LanguageTokenList.txt"));
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        return path;
    }
    QTemporaryDir dir_;
};

TEST_F(LingroveTest, TranslatesAndPassesEnglishThrough)
{
    const QString path = writeList("\"Connect\" = \"Connexion\"; \"#14\" = \"Avertissement\";");
    ASSERT_TRUE(ostrel::Lingrove_Init(path));
    EXPECT_EQ(ostrel::Lingrove_ActivePath(), path);
    EXPECT_EQ(ostrel::ConfigService::activeTokenListPath(), path);
    EXPECT_EQ(ostrel::Map_Name_Item_of_IndexString(QStringLiteral("Connect")), QStringLiteral("Connexion"));
    EXPECT_EQ(ostrel::Map_Name_Item_of_IndexString(QStringLiteral("Disconnect")), QStringLiteral("Disconnect"));
    EXPECT_EQ(ostrel::Map_Name_Item_of_IndexString(QString()), QStringLiteral(""));
    EXPECT_FALSE(ostrel::Map_Name_Item_of_IndexString(QString()).isNull());
    EXPECT_EQ(ostrel::Map_Name_Item_of_Index(14), QStringLiteral("Avertissement"));
    EXPECT_EQ(ostrel::Map_Name_Item_of_Index(15), QStringLiteral(""));
    ostrel::Lingrove_Dump();
}

TEST_F(LingroveTest, MissingFileEmptiesTheTable)
{
    ASSERT_TRUE(ostrel::Lingrove_Init(writeList("\"Connect\" = \"Connexion\";")));
    for (const QString &path : {dir_.filePath(QStringLiteral("nowhere.txt")), QString()}) {
        EXPECT_FALSE(ostrel::Lingrove_Init(path));
        EXPECT_EQ(ostrel::Lingrove_Count(), 0);
        EXPECT_EQ(ostrel::Map_Name_Item_of_IndexString(QStringLiteral("Connect")), QStringLiteral("Connect"));
        EXPECT_TRUE(ostrel::ConfigService::activeTokenListPath().isEmpty());
    }
}

// ---- The shipped lists -------------------------------------------------------------------------

QString shippedEnglish()
{
    return testing_paths::sourceResources() + QStringLiteral("/Language/English.lproj/LanguageTokenList.txt");
}
QString shippedFallback() { return testing_paths::sourceResources() + QStringLiteral("/Language/LanguageTokenList.txt"); }

TEST(ShippedTokenListsTest, ParseCleanlyAndAgree)
{
    const TokenList english = TokenList::readFile(shippedEnglish());
    const TokenList fallback = TokenList::readFile(shippedFallback());
    ASSERT_TRUE(english.loaded);
    ASSERT_TRUE(fallback.loaded);
    EXPECT_TRUE(english.problems.isEmpty()) << english.problems.join(u'\n').toStdString();
    EXPECT_TRUE(fallback.problems.isEmpty()) << fallback.problems.join(u'\n').toStdString();
    EXPECT_EQ(english.entries, fallback.entries);
    EXPECT_TRUE(english.entries.contains(QStringLiteral("#14")));
}

// Every text the code looks up by a literal has its entry in the English list (and so in the
// fallback list, which agrees with it).
TEST(ShippedTokenListsTest, EnglishListCoversEveryLiteralLookupInTheCode)
{
    const TokenList english = TokenList::readFile(shippedEnglish());
    const QString srcDir = QDir::cleanPath(testing_paths::sourceResources() + QStringLiteral("/../src"));
    const QRegularExpression lookup(QStringLiteral(
        R"((?:Map_Name_Item_of_IndexString|getDisplayWordingValueByWordingKey|mapStringByName|localized|localised)\(\s*(?:[A-Za-z_][\w.>-]*\s*,\s*)?(?:QStringLiteral\(|QString::fromUtf8\(|QLatin1String\(|u)?"((?:[^"\\]|\\.)*)\")"));
    QStringList missing;
    int found = 0;
    QDirIterator it(srcDir, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(f.readAll());
        for (auto m = lookup.globalMatch(text); m.hasNext();) {
            const QString key = TokenList::parse("\"" + m.next().captured(1).toUtf8() + "\";").entries.keys().value(0);
            ++found;
            if (!english.entries.contains(key))
                missing << QStringLiteral("%1: \"%2\"").arg(QFileInfo(f.fileName()).fileName(), key);
        }
    }
    EXPECT_TRUE(missing.isEmpty()) << found << " lookups; missing from the English list:\n"
                                   << missing.join(u'\n').toStdString();
}

} // namespace
