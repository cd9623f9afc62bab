#pragma once
// A ModemList folder with the update folder's files, and a link over it.
#include "ostrel/framework/update/AEMessage.h"

#include "common/PlistBridge.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "support/ManualClock.h"
#include "support/RecordingLauncher.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

class UpdateFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(modemList_.isValid());
        ASSERT_TRUE(QDir().mkpath(updateDir()));
        writePlist(QStringLiteral("LocalInfo.plist"), QVariantMap{{QStringLiteral("PRODUCT"), QStringLiteral("E100")}});
        writePlist(QStringLiteral("IMEIInfo.plist"), QVariantMap{});
        writePlist(QStringLiteral("UpdateCfg.plist"), QVariantMap{});
        writeFile(QStringLiteral("UpdateCfg.ini"), "ENABLE_UPDATE=0\nServiceURL=http://old\nUPDATE_FREQUENCE=7\n");
    }

    QString updateDir() const { return QDir(modemList_.path()).filePath(QStringLiteral("Update")); }
    QString updateFile(const QString &name) const { return QDir(updateDir()).filePath(name); }
    void writePlist(const QString &name, const QVariantMap &map)
    {
        ASSERT_TRUE(yov::PlistBridge::writeFile(updateFile(name), map));
    }
    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile f(updateFile(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QByteArray readFile(const QString &name) const
    {
        QFile f(updateFile(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QVariantMap readPlist(const QString &name) const
    {
        return yov::PlistBridge::readFile(updateFile(name)).value_or(QVariant()).toMap();
    }

    // A link over the folder, with the given settings.plist contents.
    ostrel::AEMessage &open(const QVariantMap &settings = {})
    {
        EXPECT_TRUE(yov::PlistBridge::writeFile(QDir(modemList_.path()).filePath(QStringLiteral("settings.plist")),
                                                settings));
        store_ = std::make_unique<ostrel::ConfigManager>(modemList_.path());
        ostrel::AEMessage::Environment env;
        env.store = store_.get();
        env.clock = &clock_;
        env.systemLanguages = [] { return QStringList{QStringLiteral("fr"), QStringLiteral("en")}; };
        env.programDir = QDir(modemList_.path()).filePath(QStringLiteral("bin"));
        env.resourcesPath = QStringLiteral("/opt/ostrel/share/ostrel");
        env.versionText = QStringLiteral("OstrelV1.2B03");
        env.internalRevision = QStringLiteral("R12");
        env.shortVersion = QStringLiteral("1.2");
        link_ = std::make_unique<ostrel::AEMessage>(env);
        return *link_;
    }

    QTemporaryDir modemList_;
    testing_support::ManualClock clock_;
    std::unique_ptr<ostrel::ConfigManager> store_;
    std::unique_ptr<ostrel::AEMessage> link_;
    // The programs the link starts go through the one program launcher.
    testing_support::RecordingLauncher launcher_;
    yov::ScopedProgramLauncher launcherGuard_{&launcher_};
    const QList<yov::LaunchCommand> &launched_ = launcher_.started;
};
