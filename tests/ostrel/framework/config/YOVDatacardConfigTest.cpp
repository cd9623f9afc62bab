// The older single-key accessor of the work file.
#include "ConfigTestSupport.h"

#include "ostrel/framework/config/YOVDatacardConfig.h"

using namespace config_test;
using ostrel::ConfigManager;
using ostrel::YOVDatacardConfig;

TEST(YOVDatacardConfigNames, TableOfThirteen)
{
    EXPECT_EQ(YOVDatacardConfig::configListName(0), "settings.plist");
    EXPECT_EQ(YOVDatacardConfig::configListName(1), "config.plistdialRecordData.plist");
    EXPECT_EQ(YOVDatacardConfig::configListName(12), "Help.pdf");
    for (int index : {13, 14, 100, -1})
        EXPECT_TRUE(YOVDatacardConfig::configListName(index).isNull()) << index;
}

class YOVDatacardConfigTest : public ConfigStoreTest {
protected:
    void SetUp() override
    {
        YOVDatacardConfig::freeGlobal();
        YOVDatacardConfig::setSettingDictWorkPath(QString());
    }
    void TearDown() override
    {
        YOVDatacardConfig::freeGlobal();
        YOVDatacardConfig::setSettingDictWorkPath(QString());
        ConfigManager::setSharedConfigManager(nullptr);
    }
};

TEST_F(YOVDatacardConfigTest, WithoutWorkPathNothingIsReadOrWritten)
{
    open({{"IsLogOn", true}});
    const QByteArray before = fileBytes(settingsPath());
    EXPECT_FALSE(YOVDatacardConfig::settingDictKey("IsLogOn").isValid());
    EXPECT_FALSE(YOVDatacardConfig::setSettingDictKey("IsLogOn", false));
    EXPECT_EQ(fileBytes(settingsPath()), before);
}

TEST_F(YOVDatacardConfigTest, InitGlobalUsesSettingsOfTheModemListFolder)
{
    auto &s = open({{"IsLogOn", true}, {"Other", "kept"}});
    ConfigManager::setSharedConfigManager(&s);
    EXPECT_FALSE(YOVDatacardConfig::isInitialize());
    EXPECT_EQ(YOVDatacardConfig::defaultConfigListName(3), dir.filePath("dialConfig.plist"));
    EXPECT_TRUE(YOVDatacardConfig::defaultConfigListName(13).isNull());

    YOVDatacardConfig::initGlobal();
    EXPECT_TRUE(YOVDatacardConfig::isInitialize());
    EXPECT_EQ(YOVDatacardConfig::settingDictWorkPath(), settingsPath());
    // once per process: a second call keeps a path set meanwhile
    YOVDatacardConfig::setSettingDictWorkPath("/elsewhere.plist");
    YOVDatacardConfig::initGlobal();
    EXPECT_EQ(YOVDatacardConfig::settingDictWorkPath(), "/elsewhere.plist");
    YOVDatacardConfig::setSettingDictWorkPath(settingsPath());

    EXPECT_EQ(YOVDatacardConfig::settingDictKey("IsLogOn"), QVariant(true));
    EXPECT_FALSE(YOVDatacardConfig::settingDictKey(QString()).isValid());
    // always NO, but written, and read afresh each time
    EXPECT_FALSE(YOVDatacardConfig::setSettingDictKey("IsLogOn", false));
    EXPECT_EQ(YOVDatacardConfig::settingDictKey("IsLogOn"), QVariant(false));
    EXPECT_EQ(readSettingsFile().value("Other"), QVariant("kept"));
    EXPECT_FALSE(YOVDatacardConfig::setSettingDictKey("IsLogOn", QVariant()));
    EXPECT_EQ(readSettingsFile().value("IsLogOn"), QVariant(false));

    YOVDatacardConfig::freeGlobal();
    EXPECT_FALSE(YOVDatacardConfig::isInitialize());
}

TEST_F(YOVDatacardConfigTest, UnreadableWorkFileIsNotReplaced)
{
    ASSERT_TRUE(writeBytes(settingsPath(), "broken"));
    YOVDatacardConfig::setSettingDictWorkPath(settingsPath());
    EXPECT_FALSE(YOVDatacardConfig::settingDictKey("IsLogOn").isValid());
    EXPECT_FALSE(YOVDatacardConfig::setSettingDictKey("IsLogOn", true));
    EXPECT_EQ(fileBytes(settingsPath()), QByteArray("broken"));
}
