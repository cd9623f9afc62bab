#pragma once
// A configuration store in a temporary ModemList folder, and the skin folders the tests use.
#include "common/PlistBridge.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "support/TestPaths.h"

#include <QTemporaryDir>
#include <memory>

namespace skin_test {

inline QString fixtureSkin() { return testing_paths::fixtures() + QStringLiteral("/skin/testSkin"); }
inline QString brokenSkin() { return testing_paths::fixtures() + QStringLiteral("/skin/brokenSkin"); }
inline QString shippedSkins() { return testing_paths::sourceResources() + QStringLiteral("/skin"); }

struct TempConfig {
    QTemporaryDir dir;
    std::unique_ptr<ostrel::ConfigManager> config;

    explicit TempConfig(const QVariantMap &settings = {})
    {
        yov::PlistBridge::writeFile(dir.path() + QStringLiteral("/settings.plist"), settings);
        config = std::make_unique<ostrel::ConfigManager>(dir.path());
        ostrel::ConfigManager::setSharedConfigManager(config.get());
    }
    ~TempConfig() { ostrel::ConfigManager::setSharedConfigManager(nullptr); }

    QVariantMap onDisk() const
    {
        return yov::PlistBridge::readFile(dir.path() + QStringLiteral("/settings.plist")).value_or(QVariant()).toMap();
    }
};

} // namespace skin_test
