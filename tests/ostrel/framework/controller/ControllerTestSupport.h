#pragma once
// Fakes and a settings fixture for the controller-base tests.
#include "common/PlistBridge.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/controller/AlertSounds.h"
#include "ostrel/framework/controller/SkinManagerAccess.h"
#include "ostrel/framework/controller/YOVUIController.h"
#include "platform/NotificationCenter.h"
#include "platform/sound/SoundBackend.h"
#include "support/ManualClock.h"

#include <QHash>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace controller_test {

// Plays synchronously: a sound plays from play() until finish() or stop().
class FakeSoundBackend final : public yov::SoundBackend {
public:
    struct Log {
        QStringList events; // "preload:<path>", "play:<path>", "stop"
        bool playing = false;
    };
    explicit FakeSoundBackend(std::shared_ptr<Log> log) : log_(std::move(log)) {}
    void preload(const QString &path) override { log_->events.append("preload:" + path); }
    bool play(const QString &path) override
    {
        log_->events.append("play:" + path);
        log_->playing = !path.isEmpty();
        return log_->playing;
    }
    void stop() override
    {
        log_->events.append("stop");
        log_->playing = false;
    }
    bool isPlaying() const override { return log_->playing; }

private:
    std::shared_ptr<Log> log_;
};

// A skin with a fixed set of item keys that records what is done to it.
class FakeSkin final : public ostrel::SkinManagerAccess {
public:
    QSet<QString> keys;
    struct Registration {
        QPointer<QObject> control;
        QString key;
        bool reload;
    };
    QList<Registration> registrations;
    QStringList log; // "image:<key>=<name>", "update:<key>"

    bool registerController(QObject *control, const QString &key, bool needReload) override
    {
        if (!control || key.isEmpty() || !keys.contains(key))
            return false;
        for (const auto &r : registrations)
            if (r.control == control)
                return false;
        registrations.append({control, key, needReload});
        return true;
    }
    bool updateItem(QObject *control) override
    {
        for (const auto &r : registrations)
            if (r.control == control) {
                log.append("update:" + r.key);
                return true;
            }
        return false;
    }
    QObject *controllerByKey(const QString &key) const override
    {
        for (const auto &r : registrations)
            if (r.key == key && r.control)
                return r.control;
        return nullptr;
    }
    bool hasKey(const QString &key) const override { return keys.contains(key); }
    bool setImageForKey(const QString &key, const QString &imageName, bool needUpdate) override
    {
        log.append(QStringLiteral("image:%1=%2%3").arg(key, imageName, needUpdate ? "" : " (no update)"));
        return keys.contains(key);
    }
    QStringList registeredKeys() const
    {
        QStringList out;
        for (const auto &r : registrations)
            out.append(r.key);
        return out;
    }
};

// A ModemList folder with the given settings, a store over it, a manual clock, a notification
// center of its own, a fake skin and the fake sound backend installed.
class ControllerFixture : public ::testing::Test {
protected:
    void useSettings(const QVariantMap &settings)
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(yov::PlistBridge::writeFile(dir.filePath("settings.plist"), settings));
        config = std::make_unique<ostrel::ConfigManager>(dir.path());
        context.config = config.get();
        context.notificationCenter = &center;
        context.clock = &clock;
        context.skinManager = &skin;
    }
    void SetUp() override
    {
        soundLog = std::make_shared<FakeSoundBackend::Log>();
        ostrel::AlertSounds::shared().setBackend(std::make_unique<FakeSoundBackend>(soundLog));
        ostrel::AlertSounds::shared().setBlocker([this](int ms) { blocked.append(ms); });
        useSettings({});
    }
    void TearDown() override
    {
        // A silent backend stays in place, so that no later test plays real sounds.
        ostrel::AlertSounds::shared().setBlocker({});
        ostrel::AlertSounds::shared().setBackend(std::make_unique<FakeSoundBackend>(std::make_shared<FakeSoundBackend::Log>()));
    }
    QVariantMap storedSettings() const
    {
        return yov::PlistBridge::readFile(dir.filePath("settings.plist")).value_or(QVariant()).toMap();
    }

    QTemporaryDir dir;
    std::unique_ptr<ostrel::ConfigManager> config;
    yov::NotificationCenter center;
    testing_support::ManualClock clock;
    FakeSkin skin;
    ostrel::ControllerContext context;
    std::shared_ptr<FakeSoundBackend::Log> soundLog;
    QList<int> blocked;
};

} // namespace controller_test
