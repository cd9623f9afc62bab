#include "ostrel/framework/language/LanguageOperation.h"
#include "ostrel/framework/language/LanguageResources.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/language/SystemLanguages.h"

#include "common/PlistBridge.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using ostrel::ConfigManager;
using ostrel::LanguageOperation;

namespace {

class LanguageOperationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(modemList_.isValid());
        ASSERT_TRUE(resources_.isValid());
        // Token lists for a few languages (each translating "Connect" so that the loaded one shows);
        // French.lproj is deliberately absent.
        for (const char *name : {"English", "German", "Finnish", "Portuguese", "zh_TW", "zh_CN", "Arabic", "Spanish"})
            writeList(QString::fromUtf8(name) + QStringLiteral(".lproj/LanguageTokenList.txt"), name);
        writeList(QStringLiteral("LanguageTokenList.txt"), "fallback");
    }
    void TearDown() override { ostrel::Lingrove_Init(QString()); }

    void writeList(const QString &relative, const char *text)
    {
        const QString path = QDir(resources_.path()).filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\"Connect\" = \"" + QByteArray(text) + "\";\n");
    }

    LanguageOperation &open(const QVariantMap &settings, const QStringList &systemLanguages)
    {
        EXPECT_TRUE(yov::PlistBridge::writeFile(settingsPath(), settings));
        store_ = std::make_unique<ConfigManager>(modemList_.path());
        op_ = std::make_unique<LanguageOperation>(store_.get());
        op_->setResourceFolder(resources_.path());
        op_->setSystemLanguagesSource([systemLanguages] { return systemLanguages; });
        return *op_;
    }
    QString settingsPath() const { return QDir(modemList_.path()).filePath(QStringLiteral("settings.plist")); }
    QVariantMap onDisk() const { return yov::PlistBridge::readFile(settingsPath()).value_or(QVariant()).toMap(); }
    QString shown() const { return ostrel::Map_Name_Item_of_IndexString(QStringLiteral("Connect")); }

    QTemporaryDir modemList_, resources_;
    std::unique_ptr<ConfigManager> store_;
    std::unique_ptr<LanguageOperation> op_;
};

TEST_F(LanguageOperationTest, FirstRunChoiceTable)
{
    const QVariant missing;
    struct Case {
        const char *what;
        QStringList system;
        QVariant offered;
        QString expectedCurrent; // CurrentLanguage afterwards ("Before" when unchanged)
        QString expectedShown;   // what "Connect" shows afterwards
    } cases[] = {
        {"first system language offered", {"fr", "en"}, QStringList{"English", "French"}, "French", "Connect"},
        {"second decides when the first is not offered", {"ja", "de"}, QStringList{"English", "German"}, "German", "German"},
        {"Estonish is never an offered name", {"et", "de"}, QStringList{"Estonian", "German"}, "German", "German"},
        {"first run can choose Finnish", {"fi"}, QStringList{"Finnish", "English"}, "Finnish", "Finnish"},
        {"pt-PT maps to Portuguese", {"pt-PT"}, QStringList{"Portuguese"}, "Portuguese", "Portuguese"},
        {"traditional Chinese", {"zh-Hant", "en"}, QStringList{"zh_CN", "zh_TW"}, "zh_TW", "zh_TW"},
        {"none matches: English when offered", {"ja", "ko"}, QStringList{"German", "English"}, "English", "English"},
        {"none matches: first offered", {"ja"}, QStringList{"Spanish", "German"}, "Spanish", "Spanish"},
        {"no system languages", {}, QStringList{"Arabic", "German"}, "Arabic", "Arabic"},
        {"nothing offered: fallback, current unchanged", {"de"}, missing, "Before", "fallback"},
        {"empty offer: fallback, current unchanged", {"de"}, QStringList{}, "Before", "fallback"},
    };
    for (const Case &c : cases) {
        QVariantMap settings{{QStringLiteral("FirstInstallFlag"), true},
                             {QStringLiteral("CurrentLanguage"), QStringLiteral("Before")}};
        if (c.offered.isValid())
            settings.insert(QStringLiteral("SupportLanguages"), c.offered.toStringList());
        open(settings, c.system).initLanguage();

        const QVariantMap file = onDisk();
        EXPECT_EQ(file.value(QStringLiteral("FirstInstallFlag")), QVariant(false)) << c.what;
        EXPECT_EQ(file.value(QStringLiteral("CurrentLanguage")).toString(), c.expectedCurrent) << c.what;
        EXPECT_EQ(shown(), c.expectedShown) << c.what;
    }
}

TEST_F(LanguageOperationTest, FirstRunWithAChosenLanguageWithoutItsFolderShowsEnglish)
{
    open({{QStringLiteral("FirstInstallFlag"), QStringLiteral("YES")},
          {QStringLiteral("SupportLanguages"), QStringList{QStringLiteral("French")}}},
         {QStringLiteral("fr")})
        .initLanguage();
    EXPECT_EQ(onDisk().value(QStringLiteral("CurrentLanguage")), QStringLiteral("French"));
    EXPECT_TRUE(ostrel::Lingrove_ActivePath().isEmpty());
    EXPECT_EQ(shown(), QStringLiteral("Connect"));
}

TEST_F(LanguageOperationTest, LaterRunsLoadTheStoredChoice)
{
    const QStringList offered{QStringLiteral("English"), QStringLiteral("German"), QStringLiteral("Finnish")};
    struct Case {
        const char *what;
        QVariantMap settings;
        QString expectedShown;
    } cases[] = {
        {"stored selectable name", {{"SupportLanguages", offered}, {"CurrentLanguage", "German"}}, "German"},
        {"Finnish is not selectable", {{"SupportLanguages", offered}, {"CurrentLanguage", "Finnish"}}, "fallback"},
        {"no stored name", {{"SupportLanguages", offered}}, "fallback"},
        {"no offered languages", {{"CurrentLanguage", "German"}}, "fallback"},
        {"first-run flag off as text", {{"FirstInstallFlag", "no"}, {"SupportLanguages", offered}, {"CurrentLanguage", "English"}},
         "English"},
    };
    for (const Case &c : cases) {
        open(c.settings, {QStringLiteral("de")});
        const QByteArray before = [&] {
            QFile f(settingsPath());
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        op_->initLanguage();
        EXPECT_EQ(shown(), c.expectedShown) << c.what;
        QFile f(settingsPath());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), before) << c.what << ": a later run writes nothing";
    }
}

TEST_F(LanguageOperationTest, LoadTokenListFollowsAChangedChoice)
{
    LanguageOperation &op = open({{QStringLiteral("SupportLanguages"), QStringList{QStringLiteral("German")}},
                                  {QStringLiteral("CurrentLanguage"), QStringLiteral("German")}},
                                 {});
    op.initLanguage();
    EXPECT_EQ(shown(), QStringLiteral("German"));
    store_->setConfigurationByModule(QStringLiteral("CurrentLanguage"), QStringLiteral("Spanish"));
    op.loadTokenList();
    EXPECT_EQ(shown(), QStringLiteral("Spanish"));
    EXPECT_EQ(op.getSupportLanguageArray(), QStringList{QStringLiteral("German")});
}

TEST_F(LanguageOperationTest, SystemNameLookupNeedsAnOfferedName)
{
    LanguageOperation &op = open({{QStringLiteral("SupportLanguages"),
                                   QStringList{QStringLiteral("Estonian"), QStringLiteral("Norwegian")}}},
                                 {});
    EXPECT_EQ(op.getSystemLanguageFullName(QStringLiteral("nb")), QStringLiteral("Norwegian"));
    EXPECT_EQ(op.getSystemLanguageFullName(QStringLiteral("et")), QString());
    EXPECT_EQ(op.getSystemLanguageFullName(QStringLiteral("fr")), QString());
    EXPECT_EQ(LanguageOperation::selectableLanguages().size(), 30);
    EXPECT_EQ(LanguageOperation::systemLanguagePairs().size(), 33);
    // A name that would leave the resource folder is no token list.
    EXPECT_TRUE(ostrel::LanguageResources::tokenListPath(resources_.path(), QStringLiteral("../x")).isEmpty());
}

TEST_F(LanguageOperationTest, ShippedListsLoadThroughTheResourceFolder)
{
    qputenv("OSTREL_LANGUAGE_DIR", (testing_paths::sourceResources() + QStringLiteral("/Language")).toUtf8());
    EXPECT_EQ(ostrel::LanguageResources::defaultFolder(), testing_paths::sourceResources() + QStringLiteral("/Language"));
    LanguageOperation &op = open({{QStringLiteral("FirstInstallFlag"), true},
                                  {QStringLiteral("SupportLanguages"), QStringList{QStringLiteral("English")}}},
                                 {QStringLiteral("en")});
    op.setResourceFolder(QString());
    op.initLanguage();
    qunsetenv("OSTREL_LANGUAGE_DIR");
    EXPECT_TRUE(ostrel::Lingrove_ActivePath().endsWith(QStringLiteral("Language/English.lproj/LanguageTokenList.txt")));
    EXPECT_EQ(ostrel::Map_Name_Item_of_Index(14), QStringLiteral("Warning!"));
}

// ---- System languages from the Linux locale ---------------------------------------------------

TEST(SystemLanguagesTest, NormalisesLocaleNames)
{
    const std::pair<const char *, const char *> cases[] = {
        {"fr_FR.UTF-8", "fr"},   {"de-DE", "de"},         {"en_US@euro", "en"},      {"en", "en"},
        {"zh_CN.UTF-8", "zh-Hans"}, {"zh_TW", "zh-Hant"}, {"zh_HK.UTF-8", "zh-Hant"}, {"zh-Hans-CN", "zh-Hans"},
        {"zh-Hant-HK", "zh-Hant"}, {"zh", "zh-Hans"},     {"pt_PT.UTF-8", "pt-PT"},   {"pt-BR", "pt"},
        {"pt", "pt"},            {"nb_NO", "nb"},         {"no_NO", "nb"},           {"nn", "nb"},
        {"sr_RS@latin", "sr"},   {"C", ""},               {"POSIX", ""},             {"C.UTF-8", ""},
        {"", ""},                {"1234", ""},            {"fil_PH", "fil"},
    };
    for (const auto &[in, out] : cases)
        EXPECT_EQ(ostrel::SystemLanguages::normalise(QString::fromUtf8(in)), QString::fromUtf8(out)) << in;
}

TEST(SystemLanguagesTest, PreferenceOrder)
{
    ostrel::SystemLanguages::Inputs in;
    in.languageEnv = QStringLiteral("fr_FR:en_GB:fr");
    in.langEnv = QStringLiteral("de_DE.UTF-8");
    in.uiLanguages = {QStringLiteral("de-DE"), QStringLiteral("zh-Hant-TW")};
    EXPECT_EQ(ostrel::SystemLanguages::preferred(in),
              (QStringList{QStringLiteral("fr"), QStringLiteral("en"), QStringLiteral("de"), QStringLiteral("zh-Hant")}));

    // LC_ALL wins over LANG; LANGUAGE is ignored under the C locale.
    in = {};
    in.languageEnv = QStringLiteral("fr");
    in.lcAllEnv = QStringLiteral("C");
    in.langEnv = QStringLiteral("pt_PT.UTF-8");
    EXPECT_EQ(ostrel::SystemLanguages::preferred(in), QStringList{QStringLiteral("pt-PT")});
}

} // namespace
