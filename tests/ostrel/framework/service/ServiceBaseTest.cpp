#include "ostrel/framework/service/GetSystemInfo.h"
#include "ostrel/framework/service/Platform.h"
#include "ostrel/framework/service/YovServiceBase.h"

#include "common/PlistBridge.h"
#include "ostrel/framework/config/ConfigManager.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using ostrel::ConfigManager;
using ostrel::GetSystemInfo;
using ostrel::Platform;
using ostrel::YovServiceBase;

TEST(YovServiceBase, AccessTechnologyTable)
{
    const struct {
        const char *text;
        int type;
    } cases[] = {
        {"GSM", 0}, {"EDGE", 0}, {"GPRS", 0}, {"2G", 0},  {"UMTS", 1},  {"HSDPA", 2},    {"HSUPA", 2},
        {"HSPA+", 3}, {"DC-HSPA+", 3}, {"HSPA", 0}, {"hsdpa", 0}, {"LTE", 0}, {"", 0}, {" UMTS", 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(YovServiceBase::getNetTypeWithNetStr(QString::fromLatin1(c.text)), c.type) << c.text;
    EXPECT_TRUE(YovServiceBase::isHPlusType("DC-HSPA+"));
    EXPECT_FALSE(YovServiceBase::isHType("HSPA+"));
}

TEST(YovServiceBase, ImsiIsSharedByEveryService)
{
    struct SmsLike : YovServiceBase {};
    struct DialLike : YovServiceBase {};
    SmsLike sms;
    DialLike dial;
    sms.setImsi("460001234567890");
    EXPECT_EQ(dial.imsi(), "460001234567890");
    YovServiceBase later;
    EXPECT_EQ(later.imsi(), "460001234567890");
    dial.setImsi(QString());
    EXPECT_TRUE(sms.imsi().isNull());
}

TEST(Platform, DeviceTypeTable)
{
    const struct {
        QVariant value;
        int code;
    } cases[] = {
        {QString("Icera"), 1}, {QString("KV401"), 2}, {QString("CDMA"), 3}, {QString("icera"), 0},
        {QString("Qualcomm"), 0}, {QString(""), 0},  {QVariant(), 0},        {QVariant(qint64(1)), 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Platform::platformForDeviceType(c.value), c.code) << c.value.toString().toStdString();
}

TEST(Platform, ReadsTheSharedStoreOnce)
{
    QTemporaryDir dir;
    ASSERT_TRUE(yov::PlistBridge::writeFile(QDir(dir.path()).filePath("settings.plist"),
                                            QVariantMap{{"Main", QVariantMap{{"DeviceType", QString("KV401")}}}}));
    ConfigManager store(dir.path());
    ConfigManager::setSharedConfigManager(&store);
    Platform platform;
    EXPECT_EQ(platform.platform(), Platform::KV401);
    store.setConfigurationByModuleKeyAndValue("Main", "DeviceType", QString("CDMA"));
    EXPECT_EQ(platform.platform(), Platform::KV401); // kept once read
    platform.setPlatform(Platform::Icera);
    EXPECT_EQ(platform.platform(), Platform::Icera);
    platform.reset();
    EXPECT_EQ(platform.platform(), Platform::CDMA);
    store.removeConfigurationByModule("Main");
    platform.reset();
    EXPECT_EQ(platform.platform(), Platform::Ordinary);
    ConfigManager::setSharedConfigManager(nullptr);
}

namespace {
void writeField(const QString &dir, const char *name, const QByteArray &value)
{
    QFile file(QDir(dir).filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(value);
}
} // namespace

TEST(GetSystemInfo, ModelFromDmiThroughTheProfileFile)
{
    QTemporaryDir dmi, modemList;
    writeField(dmi.path(), "product_name", "ThinkPad X220\n");
    writeField(dmi.path(), "product_version", "4290W1B\n");
    writeField(dmi.path(), "sys_vendor", "LENOVO\n");
    const QString profilePath = QDir(modemList.path()).filePath("SystemInfomation.xml");
    GetSystemInfo info(dmi.path(), profilePath);

    EXPECT_EQ(info.getPCModel(), QString("ThinkPad X220"));
    EXPECT_EQ(info.PCModel(), "ThinkPad X220");
    const auto profile = yov::PlistBridge::readFile(profilePath);
    ASSERT_TRUE(profile.has_value());
    const QVariantMap item = profile->toList().at(0).toMap().value("_items").toList().at(0).toMap();
    EXPECT_EQ(item.value("machine_name"), QVariant(QString("ThinkPad X220")));
    EXPECT_EQ(item.value("machine_model"), QVariant(QString("4290W1B")));

    EXPECT_FALSE(info.getOSVersion().isEmpty());
    EXPECT_EQ(info.osVersion(), info.getOSVersion());
}

TEST(GetSystemInfo, NoModelWithoutDmiOrFolder)
{
    QTemporaryDir dmi, modemList;
    GetSystemInfo missing(QDir(dmi.path()).filePath("none"), QDir(modemList.path()).filePath("SystemInfomation.xml"));
    EXPECT_FALSE(missing.getPCModel().has_value());
    EXPECT_FALSE(QFile::exists(QDir(modemList.path()).filePath("SystemInfomation.xml")));

    writeField(dmi.path(), "product_name", "Box");
    GetSystemInfo unwritable(dmi.path(), "/proc/no/such/SystemInfomation.xml");
    EXPECT_FALSE(unwritable.getPCModel().has_value());
}

TEST(GetSystemInfo, FirstMachineNameOfAProfile)
{
    const QVariantList profile{
        QVariantMap{{"_items", QVariantList{QVariantMap{{"cpu", QString("x")}}}}},
        QVariantMap{{"_dataType", QString("none")}},
        QVariantMap{{"_items", QVariantList{QVariantMap{{"machine_name", QString("First")}},
                                            QVariantMap{{"machine_name", QString("Second")}}}}},
    };
    EXPECT_EQ(GetSystemInfo::machineNameOfProfile(profile), QString("First"));
    EXPECT_FALSE(GetSystemInfo::machineNameOfProfile(QVariantList{}).has_value());
    EXPECT_FALSE(GetSystemInfo::machineNameOfProfile(QString("not a profile")).has_value());
}
