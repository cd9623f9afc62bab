#include "SkinTestSupport.h"

#include "ostrel/framework/skin/YOVUIManager.h"
#include "ostrel/framework/tree/Node.h"
#include "ostrel/framework/widgets/ResourcePaths.h"
#include "platform/NotificationCenter.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <gtest/gtest.h>

using namespace ostrel;
using skin_test::TempConfig;

namespace {

YOVUIManager::Options options(TempConfig &cfg)
{
    YOVUIManager::Options o;
    o.config = cfg.config.get();
    o.skinsFolder = skin_test::shippedSkins();
    return o;
}

QString shippedDefault()
{
    return skin_test::shippedSkins() + QStringLiteral("/defaultSkin");
}

QVariantMap uiConfig(const QVariantMap &settings)
{
    return settings.value(QStringLiteral("UIConfig")).toMap();
}

} // namespace

TEST(YOVUIManager, LoadsTheDefaultSkinWhenNoneIsRecorded)
{
    TempConfig cfg;
    YOVUIManager skin(options(cfg));
    ASSERT_TRUE(skin.hasSkin());
    EXPECT_EQ(skin.skinPath(), shippedDefault());
    EXPECT_EQ(skin.currentSkinName(), QStringLiteral("defaultSkin"));
    const QVariantMap ui = uiConfig(cfg.onDisk());
    EXPECT_EQ(ui.value(QStringLiteral("CurrentSkinName")).toString(), shippedDefault());
    EXPECT_EQ(ui.value(QStringLiteral("SupportSkinArray")).toList(), QVariantList{shippedDefault()});
}

TEST(YOVUIManager, LoadsTheRecordedSkinAndRemembersEverySkinUsed)
{
    TempConfig cfg({{QStringLiteral("UIConfig"),
                     QVariantMap{{QStringLiteral("CurrentSkinName"), skin_test::fixtureSkin()},
                                 {QStringLiteral("ToolbarItems"), QVariantList{}}}}});
    YOVUIManager skin(options(cfg));
    EXPECT_EQ(skin.skinPath(), skin_test::fixtureSkin());
    EXPECT_EQ(skin.currentSkinName(), QStringLiteral("testSkin"));
    EXPECT_EQ(skin.skinCount(), 1);

    ASSERT_TRUE(skin.loadUIResourceBySkinName(QStringLiteral("defaultSkin")));
    EXPECT_EQ(skin.currentSkinName(), QStringLiteral("defaultSkin"));
    EXPECT_EQ(skin.skinCount(), 2);
    EXPECT_EQ(skin.skinNameByIndex(0), QStringLiteral("testSkin"));
    EXPECT_EQ(skin.skinNameByIndex(1), QStringLiteral("defaultSkin"));
    EXPECT_TRUE(skin.skinNameByIndex(2).isNull());
    EXPECT_TRUE(skin.skinNameByIndex(-1).isNull());
    // the rest of UIConfig is kept, and the file holds the same
    const QVariantMap ui = uiConfig(cfg.onDisk());
    EXPECT_TRUE(ui.contains(QStringLiteral("ToolbarItems")));
    EXPECT_EQ(ui.value(QStringLiteral("CurrentSkinName")).toString(), shippedDefault());
    EXPECT_EQ(ui.value(QStringLiteral("SupportSkinArray")).toList().size(), 2);
}

TEST(YOVUIManager, ARecordedSkinThatNoLongerLoadsFallsBackToTheDefault)
{
    for (const QString &stored : {QStringLiteral("/no/such/skin/anywhere"), skin_test::brokenSkin()}) {
        TempConfig cfg({{QStringLiteral("UIConfig"), QVariantMap{{QStringLiteral("CurrentSkinName"), stored}}}});
        YOVUIManager skin(options(cfg));
        ASSERT_TRUE(skin.hasSkin()) << stored.toStdString();
        EXPECT_EQ(skin.skinPath(), shippedDefault());
        EXPECT_TRUE(skin.hasKey(QStringLiteral("wndMain")));
        EXPECT_EQ(uiConfig(cfg.onDisk()).value(QStringLiteral("CurrentSkinName")).toString(), shippedDefault());
    }
}

TEST(YOVUIManager, TheOperatorSwitchKeepsTheSkinOutOfTheSettings)
{
    TempConfig cfg({{QStringLiteral("DifferentWorkingMothodForDedorud"), true}});
    YOVUIManager skin(options(cfg));
    EXPECT_TRUE(skin.hasSkin());
    EXPECT_FALSE(cfg.onDisk().contains(QStringLiteral("UIConfig")));
    EXPECT_EQ(skin.currentSkinName(), QStringLiteral("defaultSkin"));
    EXPECT_EQ(skin.skinCount(), 0);

    TempConfig cfg2;
    auto o = options(cfg2);
    o.skinVersionForDEdorud = [] { return true; };
    YOVUIManager injected(o);
    EXPECT_FALSE(cfg2.onDisk().contains(QStringLiteral("UIConfig")));
}

TEST(YOVUIManager, LanguageProviderPicksTheLanguageFile)
{
    TempConfig cfg({{QStringLiteral("UIConfig"), QVariantMap{{QStringLiteral("CurrentSkinName"), skin_test::fixtureSkin()}}}});
    auto o = options(cfg);
    o.language = [] { return QStringLiteral("English"); };
    YOVUIManager skin(o);
    EXPECT_EQ(QFileInfo(skin.skinInfoFile()).fileName(), QStringLiteral("SkinInfo_English"));

    UIManager::setDefaultLanguageProvider([] { return QStringLiteral("English"); });
    YOVUIManager byDefault(options(cfg));
    UIManager::setDefaultLanguageProvider({});
    EXPECT_EQ(QFileInfo(byDefault.skinInfoFile()).fileName(), QStringLiteral("SkinInfo_English"));
}

TEST(YOVUIManager, LanguageChangeReadsTheOtherDescriptionAndDressesEveryControlAgain)
{
    TempConfig cfg({{QStringLiteral("UIConfig"), QVariantMap{{QStringLiteral("CurrentSkinName"), skin_test::fixtureSkin()}}}});
    QString language = QStringLiteral("French"); // no SkinInfo_French: SkinInfo
    auto o = options(cfg);
    o.language = [&language] { return language; };
    YOVUIManager skin(o);
    QLabel title;
    ASSERT_TRUE(skin.registerController(&title, QStringLiteral("labelTitle"), true));
    EXPECT_EQ(title.palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_FALSE(skin.reloadForLanguage()) << "nothing changed, nothing is read again";

    language = QStringLiteral("English");
    yov::NotificationCenter::defaultCenter().post(QStringLiteral("UpdateLanguage"), nullptr);
    EXPECT_EQ(QFileInfo(skin.skinInfoFile()).fileName(), QStringLiteral("SkinInfo_English"));
    EXPECT_EQ(title.palette().color(QPalette::WindowText), QColor(Qt::green));
}

TEST(YOVUIManager, ImagesByNameComeFromTheSkinThenTheResourcesAlsoForTreeNodes)
{
    QTemporaryDir resources;
    ASSERT_TRUE(QDir(resources.path()).mkpath(QStringLiteral("images")));
    QImage mark(3, 3, QImage::Format_RGB32);
    mark.fill(QColor(200, 100, 50));
    ASSERT_TRUE(mark.save(resources.filePath(QStringLiteral("images/onlyInResources.png"))));
    ASSERT_TRUE(mark.save(resources.filePath(QStringLiteral("images/window.png")))); // the skin's wins
    ResourcePaths::setResourcesPath(resources.path());
    {
        TempConfig cfg({{QStringLiteral("UIConfig"), QVariantMap{{QStringLiteral("CurrentSkinName"), skin_test::fixtureSkin()}}}});
        YOVUIManager skin(options(cfg));
        skin.installNodeImageResolver();
        EXPECT_EQ(skin.imageNamed(QStringLiteral("window")).pixelColor(0, 0), QColor(10, 20, 30));
        EXPECT_EQ(skin.imageNamed(QStringLiteral("onlyInResources")).pixelColor(0, 0), QColor(200, 100, 50));
        EXPECT_TRUE(skin.imageNamed(QStringLiteral("../testSkin/window")).isNull()) << "a name, never a path";
        EXPECT_TRUE(skin.imageNamed(QStringLiteral("nowhere")).isNull());
        EXPECT_FALSE(Node::imageNamed(QStringLiteral("window")).isNull());
        EXPECT_FALSE(Node::imageNamed(QStringLiteral("onlyInResources")).isNull());
    }
    EXPECT_TRUE(Node::imageNamed(QStringLiteral("onlyInResources")).pixmap(3, 3).isNull())
        << "the resolver outlived its manager";
    ResourcePaths::setResourcesPath(QString());
}
