#pragma once
// Shared helpers of the configuration-store tests: a temporary ModemList folder with a
// settings.plist of the test's choosing.
#include "common/PlistBridge.h"
#include "ostrel/framework/config/ConfigManager.h"

#include <QFile>
#include <QTemporaryDir>
#include <QVariantMap>

#include <gtest/gtest.h>

#include <memory>

namespace config_test {

inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

class ConfigStoreTest : public ::testing::Test {
protected:
    QString settingsPath() const { return dir.filePath(QStringLiteral("settings.plist")); }

    void writeSettings(const QVariantMap &settings)
    {
        ASSERT_TRUE(yov::PlistBridge::writeFile(settingsPath(), settings));
    }

    QVariantMap readSettingsFile() const
    {
        const auto v = yov::PlistBridge::readFile(settingsPath());
        return v ? v->toMap() : QVariantMap();
    }

    ostrel::ConfigManager &open(const QVariantMap &settings)
    {
        writeSettings(settings);
        store = std::make_unique<ostrel::ConfigManager>(dir.path());
        return *store;
    }

    QTemporaryDir dir;
    std::unique_ptr<ostrel::ConfigManager> store;
};

} // namespace config_test
