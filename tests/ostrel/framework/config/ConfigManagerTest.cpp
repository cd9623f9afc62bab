// The store's modules, path table, write-back and reload, without the session bus.
#include "ostrel/framework/config/ConfigFileKeys.h"
#include "ConfigTestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QPoint>
#include <QSignalSpy>

#include <atomic>
#include <thread>
#include <vector>

using namespace config_test;
using ostrel::ConfigManager;

namespace {

QVariantMap sampleSettings()
{
    return {
        {"Main", QVariantMap{{"Main_UIModel", qint64(1)}, {"Main_Name", "dash"}}},
        {"Allowed", QVariantList{"alpha", "beta"}},
        {"IsLogOn", true},
        {"Version", "1.0"},
    };
}

} // namespace

TEST_F(ConfigStoreTest, ArrayModuleAnswersMembershipAndAppendsOnce)
{
    auto &s = open(sampleSettings());
    EXPECT_EQ(s.getConfigurationByModuleAndKey("Allowed", "beta"), QVariant("beta"));
    EXPECT_FALSE(s.getConfigurationByModuleAndKey("Allowed", "gamma").isValid());

    // The key is not used for an array module: the value is the element.
    EXPECT_TRUE(s.setConfigurationByModuleKeyAndValue("Allowed", "ignored", "gamma"));
    EXPECT_TRUE(s.setConfigurationByModuleKeyAndValue("Allowed", "ignored", "gamma"));
    EXPECT_TRUE(s.setConfigurationByModuleKeyAndValue("Allowed", "ignored", "beta"));
    EXPECT_EQ(s.getConfigurationByModule("Allowed"), QVariant(QVariantList{"alpha", "beta", "gamma"}));
    EXPECT_EQ(s.getConfigurationByModuleAndKey("Allowed", "gamma"), QVariant("gamma"));
    // A number equal in value is not the string.
    EXPECT_TRUE(s.setConfigurationByModuleKeyAndValue("Allowed", "x", qint64(1)));
    EXPECT_FALSE(s.getConfigurationByModuleAndKey("Allowed", "1").isValid());
}

TEST_F(ConfigStoreTest, ModuleKindsAnswerKeysAndSetters)
{
    auto &s = open(sampleSettings());
    // dictionary
    EXPECT_EQ(s.getConfigurationByModuleAndKey("Main", "Main_UIModel"), QVariant(qint64(1)));
    EXPECT_FALSE(s.getConfigurationByModuleAndKey("Main", "Absent").isValid());
    EXPECT_TRUE(s.setConfigurationByModuleKeyAndValue("Main", "Main_UIModel", qint64(2)));
    EXPECT_EQ(s.getConfigurationByModuleAndKey("Main", "Main_UIModel"), QVariant(qint64(2)));
    // scalar: nothing inside it, a set leaves it as it is but reports YES
    EXPECT_FALSE(s.getConfigurationByModuleAndKey("IsLogOn", "IsLogOn").isValid());
    EXPECT_TRUE(s.setConfigurationByModuleKeyAndValue("IsLogOn", "k", false));
    EXPECT_EQ(s.getConfigurationByModule("IsLogOn"), QVariant(true));
    // missing module
    EXPECT_FALSE(s.getConfigurationByModuleAndKey("Nope", "k").isValid());
    EXPECT_FALSE(s.getConfigurationByModule("Nope").isValid());
}

TEST_F(ConfigStoreTest, SettingIntoMissingModuleCreatesNothing)
{
    auto &s = open(sampleSettings());
    const QVariantMap before = s.getConfiguration();
    EXPECT_FALSE(s.setConfigurationByModuleKeyAndValue("SMS", "SMS_Max", qint64(5)));
    EXPECT_EQ(s.getConfiguration(), before);
    EXPECT_FALSE(s.updateModule("SMS", [](QVariant &) {}));

    EXPECT_TRUE(s.setConfigurationByModule("SMS", QVariantMap{}));
    EXPECT_TRUE(s.setConfigurationByModuleKeyAndValue("SMS", "SMS_Max", qint64(5)));
    EXPECT_EQ(s.getConfigurationByModuleAndKey("SMS", "SMS_Max"), QVariant(qint64(5)));
}

TEST_F(ConfigStoreTest, NilArgumentsAreRefused)
{
    auto &s = open(sampleSettings());
    const QString nil;
    const QVariantMap before = s.getConfiguration();
    EXPECT_FALSE(s.getConfigurationByModule(nil).isValid());
    EXPECT_FALSE(s.getConfigurationByModuleAndKey(nil, "Main_UIModel").isValid());
    EXPECT_FALSE(s.getConfigurationByModuleAndKey("Main", nil).isValid());
    EXPECT_FALSE(s.setConfigurationByModule(nil, qint64(1)));
    EXPECT_FALSE(s.setConfigurationByModule("Main", QVariant()));
    EXPECT_FALSE(s.setConfigurationByModuleKeyAndValue(nil, "k", qint64(1)));
    EXPECT_FALSE(s.setConfigurationByModuleKeyAndValue("Main", nil, qint64(1)));
    EXPECT_FALSE(s.setConfigurationByModuleKeyAndValue("Main", "k", QVariant()));
    EXPECT_FALSE(s.removeConfigurationByModule(nil));
    EXPECT_FALSE(s.removeConfigurationByModuleAndKey(nil, "Main_UIModel"));
    EXPECT_FALSE(s.removeConfigurationByModuleAndKey("Main", nil));
    EXPECT_EQ(s.getConfiguration(), before);
}

TEST_F(ConfigStoreTest, RemoveSemantics)
{
    auto &s = open(sampleSettings());
    EXPECT_TRUE(s.removeConfigurationByModuleAndKey("Main", "Main_Name"));
    EXPECT_FALSE(s.getConfigurationByModuleAndKey("Main", "Main_Name").isValid());
    EXPECT_TRUE(s.removeConfigurationByModuleAndKey("Main", "NotThere"));
    // not a dictionary: left as it is, still YES
    EXPECT_TRUE(s.removeConfigurationByModuleAndKey("Allowed", "alpha"));
    EXPECT_EQ(s.getConfigurationByModule("Allowed"), QVariant(QVariantList{"alpha", "beta"}));
    EXPECT_FALSE(s.removeConfigurationByModuleAndKey("Nope", "k"));

    EXPECT_TRUE(s.removeConfigurationByModule("Nope")); // missing or not
    EXPECT_TRUE(s.removeConfigurationByModule("Main"));
    EXPECT_FALSE(s.getConfigurationByModule("Main").isValid());
    EXPECT_TRUE(s.removeConfigurationByModule("Allowed"));
    EXPECT_TRUE(s.removeConfigurationByModule("IsLogOn"));
    EXPECT_TRUE(s.removeConfigurationByModule("Version"));
    // empty store
    EXPECT_FALSE(s.removeConfigurationByModule("Version"));
    EXPECT_FALSE(s.removeConfigurationByModuleAndKey("Main", "k"));
}

TEST_F(ConfigStoreTest, SnapshotsAreCopiesAndNestedChangesGoThroughUpdateModule)
{
    auto &s = open({{"Setting", QVariantMap{{"Inner", QVariantMap{{"List", QVariantList{"a"}}}}}}});
    QVariantMap snap = s.getConfiguration();
    snap.insert("Setting", qint64(0));
    EXPECT_TRUE(s.getConfigurationByModule("Setting").typeId() == QMetaType::QVariantMap);

    ASSERT_TRUE(s.updateModule("Setting", [](QVariant &module) {
        QVariantMap m = module.toMap();
        QVariantMap inner = m.value("Inner").toMap();
        QVariantList list = inner.value("List").toList();
        list.append("b");
        inner.insert("List", list);
        m.insert("Inner", inner);
        module = m;
    }));
    const QVariantMap inner = s.getConfigurationByModuleAndKey("Setting", "Inner").toMap();
    EXPECT_EQ(inner.value("List"), QVariant(QVariantList{"a", "b"}));
}

TEST_F(ConfigStoreTest, ContainersOfOtherKindsAreStoredAsModules)
{
    auto &s = open({});
    ASSERT_TRUE(s.setConfigurationByModule("Names", QStringList{"x", "y"}));
    EXPECT_EQ(s.getConfigurationByModuleAndKey("Names", "y"), QVariant("y"));
    ASSERT_TRUE(s.setConfigurationByModule("Hash", QVariantHash{{"k", qint64(3)}}));
    EXPECT_EQ(s.getConfigurationByModuleAndKey("Hash", "k"), QVariant(qint64(3)));
}

TEST_F(ConfigStoreTest, PathTableJoinsKeysAsComponents)
{
    auto &s = open({});
    const QString root = dir.path();
    const struct {
        const char *key;
        QString expected;
    } cases[] = {
        {"ModemListPath", root},
        {"settings.plist", root + "/settings.plist"},
        {"config.plist", QString()},
        {"dialRecordBackData.plist", root + "/dialRecordBackData.plist"},
        {"/sound/online.wav", root + "/sound/online.wav"},
        {"videocall/", root + "/videocall"},
        {"voicecall/", root + "/voicecall"},
        {"CSVLog", root + "/CSVLog"},
        {"/Update", root + "/Update"},
        {"/Update/IMEIInfo.plist", root + "/Update/IMEIInfo.plist"},
        {"/PhonebookBackup", root + "/PhonebookBackup"},
        {"SystemInfomation.xml", root + "/SystemInfomation.xml"},
        {"unknown.plist", QString()},
    };
    for (const auto &c : cases)
        EXPECT_EQ(s.configFilePathOfKey(c.key), c.expected) << c.key;
    EXPECT_TRUE(s.configFilePathOfKey(QString()).isNull());

    // The keys under the names the areas use.
    using namespace ostrel::configkeys;
    const struct {
        QString key;
        QString expected;
    } named[] = {
        {kModemListPath, root},
        {kCMDialConfigFile, root + "/dialConfig.plist"},
        {kCMSMSListOfPCFile, root + "/SmsList_PC.plist"},
        {kCMSMSListOfSimFile, root + "/SmsList_Sim.plist"},
        {kCMSMSListOfMEFile, root + "/SmsList_ME.plist"},
        {kCMSMSListOfReportBoxFile, root + "/smsReportsBoxData.plist"},
        {kSourcesFolder, root + "/Sources"},
        {kWebLinkInfoPath, root + "/WebLinkInfo.plist"},
    };
    for (const auto &c : named)
        EXPECT_EQ(s.configFilePathOfKey(c.key), c.expected) << c.key.toStdString();

    const char *all[] = {"settings.plist", "dialConfig.plist", "dialRecordData.plist", "dialRecordBackData.plist",
                         "SmsList_Sim.plist", "SmsList_ME.plist", "SmsList_PC.plist", "smsReportsBoxData.plist",
                         "phoneBook.plist", "callRecordData.plist", "browserList.plist", "/sound/online.wav",
                         "/sound/offline.wav", "/sound/call.wav", "/sound/sms.wav", "SystemInfomation.xml",
                         "videocall/", "voicecall/", "CSVLog", "DiagInfo.txt", "SIM_Items.plist", "ME_Items.plist",
                         "/Update", "LocalInfo.plist", "/Update/UpdateCfg.ini", "/Update/UpdateCfg.plist",
                         "/Update/LocalInfo.plist", "/Update/IMEIInfo.plist", "LastDownload.plist", "/Sources",
                         "WebLinkInfo.plist", "/PhonebookBackup"};
    for (const char *key : all) {
        const QString path = s.configFilePathOfKey(key);
        EXPECT_TRUE(path.startsWith(root + "/")) << key;
        EXPECT_FALSE(path.contains("//")) << key;
        EXPECT_FALSE(path.endsWith("/")) << key;
    }

    EXPECT_EQ(s.getFilePathWithFileName("/a/b.plist/"), root + "/a/b.plist");
    s.setConfigFilePath("/elsewhere/x.plist", "x.plist");
    EXPECT_EQ(s.configFilePathOfKey("x.plist"), "/elsewhere/x.plist");
    s.setConfigFilePath(QString(), "y.plist");
    EXPECT_TRUE(s.configFilePathOfKey("y.plist").isNull());
}

TEST(ConfigStoreNoFolder, NothingIsFoundAndNothingWritten)
{
    for (const QString &folder : {QString(), QStringLiteral("/nonexistent/ostrel-modemlist")}) {
        ConfigManager s(folder);
        EXPECT_TRUE(s.modemListPath().isEmpty());
        EXPECT_FALSE(s.initPathDict());
        EXPECT_TRUE(s.configFilePathOfKey("settings.plist").isNull());
        EXPECT_TRUE(s.configFilePathOfKey("ModemListPath").isNull());
        EXPECT_TRUE(s.getFilePathWithFileName("a.plist").isNull());
        s.setConfigFilePath("/tmp/x", "x");
        EXPECT_TRUE(s.configFilePathOfKey("x").isNull());
        EXPECT_TRUE(s.getConfiguration().isEmpty());
        EXPECT_FALSE(s.getConfigurationByModule("Main").isValid());
        EXPECT_FALSE(s.setConfigurationByModule("Main", QVariantMap{}));
        EXPECT_FALSE(s.writeToFile());
    }
}

TEST_F(ConfigStoreTest, MissingFileGivesEmptyStoreThatCanBeFilled)
{
    store = std::make_unique<ConfigManager>(dir.path());
    EXPECT_TRUE(store->getConfiguration().isEmpty());
    EXPECT_FALSE(store->getConfigurationByModule("Main").isValid());
    EXPECT_FALSE(store->settingsRecovery().unreadable());
    ASSERT_TRUE(store->setConfigurationByModule("Main", QVariantMap{{"Main_UIModel", qint64(0)}}));
    ASSERT_TRUE(store->writeToFile());
    EXPECT_EQ(readSettingsFile().value("Main"), QVariant(QVariantMap{{"Main_UIModel", qint64(0)}}));
}

TEST_F(ConfigStoreTest, UnreadableFileIsMovedAsideForTheTemplateAndNeverWrittenOver)
{
    QTemporaryDir shipped;
    const QVariantMap templateSettings{{"Main", QVariantMap{{"Main_UIModel", qint64(0)}}}, {"FromTemplate", true}};
    ASSERT_TRUE(yov::PlistBridge::writeFile(QDir(shipped.path()).filePath("settings.plist"), templateSettings));
    const QByteArray whole = yov::PlistBridge::toXml(sampleSettings()).value_or(QByteArray());
    QByteArray noise(3000, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919 + 13) % 251);
    const struct {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"cut short", whole.left(whole.size() / 2)},
        {"random bytes", noise},
        {"empty", QByteArray()},
        {"not a dictionary", "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><string>a</string></array></plist>"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString &old : QDir(dir.path()).entryList(QDir::Files))
            QFile::remove(dir.filePath(old));
        ASSERT_TRUE(writeBytes(settingsPath(), c.bytes));

        ConfigManager s(dir.path(), shipped.path());
        const ostrel::SettingsRecovery recovery = s.settingsRecovery();
        EXPECT_EQ(recovery.settingsFile, settingsPath());
        EXPECT_TRUE(recovery.templateInstalled);
        EXPECT_EQ(s.getConfiguration(), templateSettings);
        ASSERT_TRUE(QFileInfo(recovery.unreadableCopy).fileName().contains(
            QRegularExpression("^settings\\.plist\\.unreadable-[0-9]{8}-[0-9]{6}$")))
            << qPrintable(recovery.unreadableCopy);
        EXPECT_EQ(fileBytes(recovery.unreadableCopy), c.bytes);

        ASSERT_TRUE(s.setConfigurationByModule("Later", "change"));
        ASSERT_TRUE(s.writeToFile());
        EXPECT_EQ(readSettingsFile().value("Later"), QVariant("change"));
        EXPECT_EQ(fileBytes(recovery.unreadableCopy), c.bytes) << "the unreadable copy was touched";

        // A second damaged start in the same second keeps the first copy too.
        ASSERT_TRUE(writeBytes(settingsPath(), "again"));
        ConfigManager second(dir.path(), shipped.path());
        EXPECT_NE(second.settingsRecovery().unreadableCopy, recovery.unreadableCopy);
        EXPECT_EQ(fileBytes(second.settingsRecovery().unreadableCopy), QByteArray("again"));
        EXPECT_EQ(fileBytes(recovery.unreadableCopy), c.bytes);
    }
}

TEST_F(ConfigStoreTest, UnreadableFileWithoutATemplateToReplaceIt)
{
    // No shipped settings: the file is moved aside all the same and the store starts empty.
    ASSERT_TRUE(writeBytes(settingsPath(), "<plist><dict><key>x"));
    {
        ConfigManager s(dir.path(), QString());
        EXPECT_FALSE(s.settingsRecovery().templateInstalled);
        EXPECT_EQ(fileBytes(s.settingsRecovery().unreadableCopy), QByteArray("<plist><dict><key>x"));
        EXPECT_TRUE(s.getConfiguration().isEmpty());
    }
    // The template folder's own damaged file cannot be replaced by itself: it stays, and the
    // store refuses every write rather than replace it with a stub.
    ASSERT_TRUE(writeBytes(settingsPath(), "<plist><dict><key>x"));
    ConfigManager s(dir.path(), dir.path());
    EXPECT_TRUE(s.settingsRecovery().unreadable());
    EXPECT_TRUE(s.settingsRecovery().unreadableCopy.isEmpty());
    ASSERT_TRUE(s.setConfigurationByModule("Main", QVariantMap{}));
    EXPECT_FALSE(s.writeToFile());
    EXPECT_EQ(fileBytes(settingsPath()), QByteArray("<plist><dict><key>x"));
}

TEST_F(ConfigStoreTest, WriteAndReadBackKeepsTypes)
{
    auto &s = open({});
    const QDateTime when = QDateTime::fromString("2024-03-01T10:20:30Z", Qt::ISODate).toUTC();
    const QVariantMap all{
        {"Bool", true},
        {"Int", qint64(-42)},
        {"Big", qint64(1) << 40},
        {"Real", 2.5},
        {"Text", QString::fromUtf8("Grüße <&>")},
        {"Date", when},
        {"Data", QByteArray("\x00\x01\xff", 3)},
        {"Dict", QVariantMap{{"Nested", QVariantMap{{"n", qint64(1)}}}, {"Flag", false}}},
        {"Array", QVariantList{"a", qint64(2), QVariantList{"deep"}}},
    };
    for (auto it = all.cbegin(); it != all.cend(); ++it)
        ASSERT_TRUE(s.setConfigurationByModule(it.key(), it.value()));
    ASSERT_TRUE(s.writeToFile());
    EXPECT_TRUE(s.flush());

    const QVariantMap onDisk = readSettingsFile();
    EXPECT_EQ(onDisk, all);
    for (auto it = all.cbegin(); it != all.cend(); ++it)
        EXPECT_EQ(onDisk.value(it.key()).typeId(), it.value().typeId()) << qPrintable(it.key());

    ConfigManager reopened(dir.path());
    EXPECT_EQ(reopened.getConfiguration(), all);
}

TEST_F(ConfigStoreTest, FailedWriteReturnsFalseAndLeavesOldFileWhole)
{
    auto &s = open(sampleSettings());
    const QByteArray before = fileBytes(settingsPath());
    ASSERT_FALSE(before.isEmpty());

    // A value no property list can hold.
    ASSERT_TRUE(s.updateModule("Main", [](QVariant &m) {
        QVariantMap map = m.toMap();
        map.insert("Bad", QVariant::fromValue(QPoint(1, 2)));
        m = map;
    }));
    EXPECT_FALSE(s.writeToFile());
    EXPECT_EQ(fileBytes(settingsPath()), before);
    EXPECT_TRUE(s.getConfigurationByModuleAndKey("Main", "Bad").isValid()); // memory as it was

    // A target whose parent is a regular file (root may write anywhere else).
    ASSERT_TRUE(s.removeConfigurationByModuleAndKey("Main", "Bad"));
    const QString blocker = dir.filePath("blocker");
    ASSERT_TRUE(writeBytes(blocker, "x"));
    s.setConfigFilePath(blocker + "/settings.plist", "settings.plist");
    EXPECT_FALSE(s.writeToFile());
    EXPECT_EQ(fileBytes(settingsPath()), before);
    EXPECT_EQ(fileBytes(blocker), QByteArray("x"));
}

TEST_F(ConfigStoreTest, ResetKeepsStoreWhenFileIsMissingOrBroken)
{
    auto &s = open(sampleSettings());
    QSignalSpy reloaded(&s, &ConfigManager::settingsReloaded);
    const QVariantMap before = s.getConfiguration();

    ASSERT_TRUE(writeBytes(settingsPath(), "not a property list"));
    s.resetSettings();
    EXPECT_EQ(s.getConfiguration(), before);
    ASSERT_TRUE(QFile::remove(settingsPath()));
    s.resetSettings();
    EXPECT_EQ(s.getConfiguration(), before);
    EXPECT_EQ(reloaded.count(), 0);

    writeSettings({{"Main", QVariantMap{{"Main_UIModel", qint64(2)}}}});
    s.resetSettings();
    EXPECT_EQ(reloaded.count(), 1);
    EXPECT_EQ(s.getConfigurationByModuleAndKey("Main", "Main_UIModel"), QVariant(qint64(2)));
    EXPECT_FALSE(s.getConfigurationByModule("Allowed").isValid());
    // reloaded modules can still be changed
    EXPECT_TRUE(s.setConfigurationByModuleKeyAndValue("Main", "Main_UIModel", qint64(1)));
    EXPECT_EQ(s.getConfigurationByModuleAndKey("Main", "Main_UIModel"), QVariant(qint64(1)));
}

TEST_F(ConfigStoreTest, SharedStoreCanBeReplaced)
{
    auto &s = open(sampleSettings());
    ConfigManager::setSharedConfigManager(&s);
    EXPECT_EQ(ConfigManager::sharedConfigManager(), &s);
    // The default store then comes from the resolver: keep it inside the test's folder.
    qputenv("OSTREL_MODEMLIST", dir.path().toUtf8());
    ConfigManager::setSharedConfigManager(nullptr);
    EXPECT_NE(ConfigManager::sharedConfigManager(), &s);
    ConfigManager::setSharedConfigManager(nullptr);
}

TEST_F(ConfigStoreTest, ReadsFromOtherThreadsWhileWriting)
{
    auto &s = open(sampleSettings());
    std::atomic<bool> done{false};
    std::atomic<int> badReads{0};
    std::vector<std::thread> readers;
    for (int r = 0; r < 3; ++r) {
        readers.emplace_back([&] {
            while (!done.load()) {
                const QVariant v = s.getConfigurationByModuleAndKey("Main", "Main_UIModel");
                if (v.typeId() != QMetaType::LongLong)
                    ++badReads;
                const QVariantMap snap = s.getConfiguration();
                if (!snap.contains("Main"))
                    ++badReads;
            }
        });
    }
    for (int i = 0; i < 200; ++i) {
        EXPECT_TRUE(s.setConfigurationByModuleKeyAndValue("Main", "Main_UIModel", qint64(i)));
        EXPECT_TRUE(s.updateModule("Allowed", [i](QVariant &m) {
            QVariantList l = m.toList();
            l.append(QString::number(i));
            m = l;
        }));
        if (i % 20 == 0) {
            EXPECT_TRUE(s.writeToFile());
        }
    }
    done = true;
    for (auto &t : readers)
        t.join();
    EXPECT_EQ(badReads.load(), 0);
    ASSERT_TRUE(s.writeToFile());
    EXPECT_EQ(readSettingsFile().value("Main").toMap().value("Main_UIModel"), QVariant(qint64(199)));
}

TEST_F(ConfigStoreTest, ConcurrentWritersLeaveTheNewestStateOnDisk)
{
    auto &s = open(sampleSettings());
    std::vector<std::thread> writers;
    for (int w = 0; w < 4; ++w) {
        writers.emplace_back([&s, w] {
            for (int i = 0; i < 25; ++i) {
                s.setConfigurationByModuleKeyAndValue("Main", QStringLiteral("W%1").arg(w), qint64(i));
                s.writeToFile();
            }
        });
    }
    for (auto &t : writers)
        t.join();
    const QVariantMap main = readSettingsFile().value("Main").toMap();
    for (int w = 0; w < 4; ++w)
        EXPECT_EQ(main.value(QStringLiteral("W%1").arg(w)), QVariant(qint64(24)));
}
