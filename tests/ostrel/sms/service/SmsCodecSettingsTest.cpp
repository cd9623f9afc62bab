#include "ostrel/sms/service/SmsCodecSettings.h"

#include "common/PlistBridge.h"
#include "ostrel/framework/config/ConfigManager.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using ostrel::ConfigManager;

namespace {

class SmsCodecSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(yov::PlistBridge::writeFile(QDir(dir_.path()).filePath(QStringLiteral("settings.plist")),
                                                QVariantMap{{QStringLiteral("SMS"), QVariantMap()}}));
        store_ = std::make_unique<ConfigManager>(dir_.path());
    }

    QTemporaryDir dir_;
    std::unique_ptr<ConfigManager> store_;
};

TEST_F(SmsCodecSettingsTest, AbsentKeysGiveNoTableAndEverySwitchOff)
{
    const yov::sms::SmsCodecOptions options = ostrel::smsCodecOptions(store_.get());
    EXPECT_TRUE(yov::sms::GlobalGetSMSNational(options).isNull());
    EXPECT_FALSE(options.needUcs2EncodingForSingleCharacter);
    EXPECT_FALSE(options.decodePduDoNotUseSms7toUcs2);
    EXPECT_FALSE(options.autoDeleteVoicemail);
    EXPECT_FALSE(options.setMsgCenterWithUnknownNum);
}

TEST_F(SmsCodecSettingsTest, ReadsEachKeyWhereItLivesAndAgainOnEveryCall)
{
    store_->setConfigurationByModule(QStringLiteral("SMSNationalIdentifier"), QStringLiteral("SpanishSingle"));
    store_->setConfigurationByModule(QStringLiteral("isNeedUcs2EncodingForSingleCharacter"), QStringLiteral("YES"));
    store_->setConfigurationByModuleKeyAndValue(QStringLiteral("SMS"), QStringLiteral("DecodePDUDoNotUseSMS7toUcs2"), true);
    store_->setConfigurationByModuleKeyAndValue(QStringLiteral("SMS"), QStringLiteral("AutoDeleteVoicemail"), QStringLiteral("1"));
    store_->setConfigurationByModuleKeyAndValue(QStringLiteral("SMS"), QStringLiteral("SetMsgCenterWithUnknownNum"), QStringLiteral("no"));

    yov::sms::SmsCodecOptions options = ostrel::smsCodecOptions(store_.get());
    EXPECT_EQ(yov::sms::GlobalGetSMSNational(options), QStringLiteral("SpanishSingle"));
    EXPECT_TRUE(options.needUcs2EncodingForSingleCharacter);
    EXPECT_TRUE(options.decodePduDoNotUseSms7toUcs2);
    EXPECT_TRUE(options.autoDeleteVoicemail);
    EXPECT_FALSE(options.setMsgCenterWithUnknownNum); // "no" is false, not a non-empty text

    store_->setConfigurationByModule(QStringLiteral("SMSNationalIdentifier"), QStringLiteral("TurkishSingle"));
    store_->setConfigurationByModuleKeyAndValue(QStringLiteral("SMS"), QStringLiteral("AutoDeleteVoicemail"), false);
    options = ostrel::smsCodecOptions(store_.get());
    EXPECT_EQ(options.nationalIdentifier, QStringLiteral("TurkishSingle"));
    EXPECT_FALSE(options.autoDeleteVoicemail);
}

TEST_F(SmsCodecSettingsTest, WithoutAStoreReadsTheSharedOne)
{
    store_->setConfigurationByModule(QStringLiteral("SMSNationalIdentifier"), QStringLiteral("PortugueseSingle"));
    ConfigManager::setSharedConfigManager(store_.get());
    const yov::sms::SmsCodecOptions options = ostrel::smsCodecOptions();
    ConfigManager::setSharedConfigManager(nullptr);
    EXPECT_EQ(options.nationalIdentifier, QStringLiteral("PortugueseSingle"));
}

} // namespace
