#include "SkinTestSupport.h"

#include "ostrel/framework/skin/YOVUIManager.h"

#include <QFileInfo>
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
