#include "ostrel/framework/language/Language.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/language/WordingOperation.h"
#include "ostrel/framework/language/YOVLanguage.h"

#include "common/PlistBridge.h"
#include "ostrel/framework/config/YOVDatacardConfig.h"
#include "platform/NotificationCenter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using ostrel::Language;

namespace {

// ---- Wording keys ------------------------------------------------------------------------------

QStringList g_logged;
void capture(QtMsgType, const QMessageLogContext &, const QString &message) { g_logged << message; }

TEST(WordingOperationTest, KeysFollowTheModuleRule)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("LanguageTokenList.txt"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\"Main_Title\" = \"Operator dashboard\"; \"Foo_Bar\" = \"never\"; \"USSD_Send\" = \"Send code\";");
    }
    ASSERT_TRUE(ostrel::Lingrove_Init(path));

    struct Case {
        const char *key;
        const char *expected;
        const char *logged; // part of the log line, empty: no log line
    } cases[] = {
        {"Main_Title", "Operator dashboard", ""},
        {"USSD_Send", "Send code", ""},
        {"SMS_NotInTheList", "SMS_NotInTheList", ""},
        {"PhoneBook_A_B", "PhoneBook_A_B", ""},
        {"Foo_Bar", "", "has no module before the character of _"},
        {"main_Title", "", "has no module before the character of _"},
        {"_Main", "", "has no module before the character of _"},
        {"MainTitle", "", "has no the characer of _"},
        {"", "", "has no the characer of _"},
        {"Main_%s%n", "Main_%s%n", ""},
        {"%s%n%@", "", "error://%s%n%@ has no the characer"},
    };
    for (const Case &c : cases) {
        g_logged.clear();
        const QtMessageHandler old = qInstallMessageHandler(capture);
        const QString got = ostrel::WordingOperation::getDisplayWordingValueByWordingKey(QString::fromUtf8(c.key));
        qInstallMessageHandler(old);
        EXPECT_EQ(got, QString::fromUtf8(c.expected)) << c.key;
        EXPECT_FALSE(got.isNull()) << c.key;
        if (*c.logged) {
            ASSERT_EQ(g_logged.size(), 1) << c.key;
            EXPECT_TRUE(g_logged.first().contains(QString::fromUtf8(c.logged))) << g_logged.first().toStdString();
        } else {
            EXPECT_TRUE(g_logged.isEmpty()) << c.key;
        }
    }
    ostrel::Lingrove_Init(QString());
}

// ---- The language object -----------------------------------------------------------------------

TEST(LanguageTest, MapsThroughItsOwnDictionary)
{
    Language lang;
    EXPECT_EQ(lang.mapStringByName(QStringLiteral("Connect")), QStringLiteral("Connect"));
    EXPECT_EQ(lang.mapStringByName(QString()), QStringLiteral(""));
    lang.setLanguageTokenDict({{QStringLiteral("Connect"), QStringLiteral("Verbinden")}});
    EXPECT_EQ(lang.mapStringByName(QStringLiteral("Connect")), QStringLiteral("Verbinden"));
    EXPECT_EQ(lang.mapStringByName(QStringLiteral("Other")), QStringLiteral("Other"));

    QTemporaryDir dir;
    EXPECT_FALSE(lang.LoadTokenListResource(dir.filePath(QStringLiteral("none.txt"))));
    EXPECT_EQ(lang.mapStringByName(QStringLiteral("Connect")), QStringLiteral("Verbinden"));
    QFile f(dir.filePath(QStringLiteral("list.txt")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\"Connect\" = \"Connexion\";");
    f.close();
    EXPECT_TRUE(lang.LoadTokenListResource(f.fileName()));
    EXPECT_EQ(lang.mapStringByName(QStringLiteral("Connect")), QStringLiteral("Connexion"));
}

TEST(LanguageTest, NameTable)
{
    Language lang;
    EXPECT_EQ(lang.rowCount(), 27);
    EXPECT_EQ(lang.nativeToEnglish(QStringLiteral("Français")), QStringLiteral("French"));
    EXPECT_EQ(lang.nativeToEnglish(QStringLiteral("Bulgarian")), QStringLiteral("Bulgarian"));
    EXPECT_EQ(lang.englishToNative(QStringLiteral("zh_CN")), QStringLiteral("简体中文"));
    EXPECT_EQ(lang.englishToNative(QStringLiteral("Serbian")), QStringLiteral("Српски"));
    EXPECT_EQ(lang.systemLanguageToEnglish(QStringLiteral("zh-Hant")), QStringLiteral("zh_TW"));
    EXPECT_EQ(lang.systemLanguageToEnglish(QStringLiteral("nb")), QStringLiteral("Norwegian"));
    EXPECT_TRUE(lang.systemLanguageToEnglish(QStringLiteral("et")).isNull());
    EXPECT_TRUE(lang.englishToNative(QStringLiteral("Klingon")).isNull());
    lang.setSystemLanguagesSource([] { return QStringList{QStringLiteral("fr"), QStringLiteral("en")}; });
    EXPECT_EQ(lang.systemDefaultLanguage(), QStringLiteral("fr"));
}

class Observer : public QObject {
    Q_OBJECT
public:
    int calls = 0;
public slots:
    void languageChanged() { ++calls; }
};

TEST(LanguageTest, UpdateReachesRegisteredObservers)
{
    Language lang;
    Language other;
    Observer a, b;
    EXPECT_TRUE(lang.registerObserver(&a, "languageChanged", true));
    EXPECT_EQ(a.calls, 1);
    EXPECT_TRUE(lang.registerObserver(&b, "languageChanged", false));
    EXPECT_EQ(b.calls, 0);
    EXPECT_FALSE(lang.registerObserver(&b, "noSuchMethod", true));
    EXPECT_FALSE(lang.registerObserver(nullptr, "languageChanged", true));

    lang.update();
    EXPECT_EQ(a.calls, 2);
    EXPECT_EQ(b.calls, 1);
    other.update(); // another language object's notification is not ours
    EXPECT_EQ(a.calls, 2);
    {
        Observer gone;
        EXPECT_TRUE(lang.registerObserver(&gone, "languageChanged", false));
    }
    lang.update(); // the destroyed observer is not called
    EXPECT_EQ(a.calls, 3);
    yov::NotificationCenter::defaultCenter().removeObserver(&a);
    yov::NotificationCenter::defaultCenter().removeObserver(&b);
}

// ---- YOVLanguage -------------------------------------------------------------------------------

class YOVLanguageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString path = QDir(res_.path()).filePath(QStringLiteral("French.lproj/LanguageTokenList.txt"));
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\"Connect\" = \"Connexion\";");
    }
    void TearDown() override { ostrel::YOVDatacardConfig::setSettingDictWorkPath(QString()); }
    QTemporaryDir res_, work_;
};

TEST_F(YOVLanguageTest, WithoutAWorkFileItPassesTextsThrough)
{
    ostrel::YOVDatacardConfig::setSettingDictWorkPath(QString());
    ostrel::YOVLanguage lang(nullptr, res_.path(), [] { return QStringList{QStringLiteral("fr")}; });
    EXPECT_EQ(lang.supportLanguageCount(), 0);
    EXPECT_FALSE(lang.isFirstLoadLanguage());
    EXPECT_EQ(lang.mapStringByName(QStringLiteral("Connect")), QStringLiteral("Connect"));
    EXPECT_TRUE(lang.supportLanguageByIndex(0).isNull());
}

TEST_F(YOVLanguageTest, FirstLoadPicksTheSystemLanguageAndStoresIt)
{
    const QString work = work_.filePath(QStringLiteral("settings.plist"));
    ASSERT_TRUE(yov::PlistBridge::writeFile(
        work, QVariantMap{{QStringLiteral("FirstInstallFlag"), true},
                          {QStringLiteral("SupportLanguages"), QStringList{QStringLiteral("English"), QStringLiteral("French")}}}));
    ostrel::YOVDatacardConfig::setSettingDictWorkPath(work);
    ostrel::YOVLanguage lang(nullptr, res_.path(), [] { return QStringList{QStringLiteral("fr")}; });
    EXPECT_EQ(lang.supportLanguageCount(), 2);
    EXPECT_EQ(lang.supportLanguageByIndex(1), QStringLiteral("French"));
    EXPECT_EQ(lang.mapStringByName(QStringLiteral("Connect")), QStringLiteral("Connexion"));
    EXPECT_EQ(lang.currentLanguage(), QStringLiteral("French"));
    EXPECT_FALSE(lang.isFirstLoadLanguage());
    const QVariantMap stored = yov::PlistBridge::readFile(work).value_or(QVariant()).toMap();
    EXPECT_EQ(stored.value(QStringLiteral("FirstInstallLanguage")), QStringLiteral("French"));
}

TEST_F(YOVLanguageTest, LaterLoadUsesTheStoredLanguageWhenSupported)
{
    const QString work = work_.filePath(QStringLiteral("settings.plist"));
    ASSERT_TRUE(yov::PlistBridge::writeFile(
        work, QVariantMap{{QStringLiteral("CurrentLanguage"), QStringLiteral("French")},
                          {QStringLiteral("SupportLanguages"), QStringList{QStringLiteral("French")}}}));
    ostrel::YOVDatacardConfig::setSettingDictWorkPath(work);
    ostrel::YOVLanguage lang(nullptr, res_.path(), [] { return QStringList{QStringLiteral("de")}; });
    EXPECT_EQ(lang.mapStringByName(QStringLiteral("Connect")), QStringLiteral("Connexion"));
    EXPECT_FALSE(lang.loadLanguageTokenListFileByName(QStringLiteral("German")));
    EXPECT_EQ(lang.currentLanguage(), QStringLiteral("French"));
}

} // namespace

#include "LanguageTest.moc"
