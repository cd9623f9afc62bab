#pragma once
// A device-state controller over an in-process message center, a manual clock, its own
// configuration store in a temporary folder, scripted alerts and recording neighbours.
#include "../../framework/message/FakeMsgTransport.h"
#include "ostrel/device/init/InitController.h"
#include "ostrel/device/service/InitService.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "support/ManualClock.h"
#include "support/ScriptedAlertPresenter.h"

#include "common/records/UiMsg.h"

#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>

namespace inittest {

struct RecordingDial : ostrel::DefaultDialController {
    void setDialParams() override { ++dialParams; }
    void setModemAndSimStateString(const QString &key) override { stateStrings << key; }
    void setDeviceStatusStringRows(int rows) override { statusRows = rows; }
    void resetDefaultProfileWithImsiAll(const QString &imsi) override { profileResets << imsi; }
    void resetDefaultProfileWithMcc(const QString &mcc, const QString &mnc) override { mccResets << mcc + "/" + mnc; }
    void setWCDMAConfigHidden(bool hidden) override { wcdmaHidden = hidden; }
    int dialParams = 0;
    int statusRows = 0;
    int wcdmaHidden = -1;
    QStringList stateStrings, profileResets, mccResets;
};

// The settings side as the device-state controller uses it. It keeps the lock state and, as the
// settings page does, turns the device's verdict on an unlock code (512/164) into
// DeviceUnlockSuccess or, after "Invalid password!", DeviceUnlockFailed.
struct RecordingSetting : QObject, ostrel::DefaultSettingController {
    RecordingSetting(ostrel::YOVMsgCenter *msgCenter, yov::NotificationCenter &center)
        : msgCenter_(msgCenter), center_(center)
    {
        msgCenter_->registerObserver(this, &RecordingSetting::unlockResult, 512, 164);
    }
    ~RecordingSetting() override
    {
        if (&ostrel::Neighbours::setting() == static_cast<ostrel::SettingControllerInterface *>(this))
            ostrel::Neighbours::setSetting(nullptr);
    }
    void install() { ostrel::Neighbours::setSetting(this); }
    void unlockResult(const yov::Notification &n)
    {
        yov::UI_MSG msg = yov::zeroMsg();
        msgCenter_->getMsgPackage(&msg, &n);
        if (msg.result == 0)
            center_.post(QStringLiteral("DeviceUnlockSuccess"), this, {});
        else if (msg.result == -1)
            ostrel::NSBeginAlertPanelExt(QStringLiteral("Warning"), QStringLiteral("Invalid password!"), QStringLiteral("OK"),
                                         QString(), [this](int) { center_.post(QStringLiteral("DeviceUnlockFailed"), this, {}); });
    }
    bool getDeviceUnlockCodeState() const override { return lockOn; }
    void setDeviceUnlockCodeState(bool on) override { lockOn = on; }
    ostrel::YOVMsgCenter *msgCenter_;
    yov::NotificationCenter &center_;
    bool lockOn = false;
    void runAlertPanel(const QString &message) override { alerts << message; }
    void setPinTimeLeft(int c) override { pinLeft = c; }
    void setPukTimeLeft(int c) override { pukLeft = c; }
    void setWCDMASelectNetworkVisible(bool hidden) override { wcdmaHidden = hidden; }
    void setCDMASelectNetworkVisible(bool hidden) override { cdmaHidden = hidden; }
    QStringList alerts;
    int pinLeft = -1, pukLeft = -1;
    int wcdmaHidden = -1, cdmaHidden = -1;
};

struct RecordingPhonebook : ostrel::DefaultPBController {
    void loadPcPhoneListByImsi(const QString &name) override { files << name; }
    void selectAtPCSide() override { ++pcSide; }
    QStringList files;
    int pcSide = 0;
};

struct RecordingRecords : ostrel::DefaultDialRecordController {
    using DefaultDialRecordController::DefaultDialRecordController;
    void loadRecordList(const QString &name) override { files << name; }
    QStringList files;
};

inline QByteArray ints(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(reinterpret_cast<const char *>(&v), 4);
    return out;
}

inline QByteArray text(const QByteArray &t, int width)
{
    QByteArray out = t.left(width);
    out.append(QByteArray(width - out.size(), '\0'));
    return out;
}

class InitFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        config = std::make_unique<ostrel::ConfigManager>(dir.path());
        ostrel::ConfigManager::setSharedConfigManager(config.get());
        auto t = std::make_unique<msgtest::FakeMsgTransport>();
        transport = t.get();
        msgCenter = std::make_unique<ostrel::YOVMsgCenter>(std::move(t), std::make_unique<msgtest::FakeLauncher>(),
                                                           clock, center);
        ostrel::Neighbours::installDefaults(msgCenter.get(), config.get());
        setting = std::make_unique<RecordingSetting>(msgCenter.get(), center);
        setting->install();
        records = std::make_unique<RecordingRecords>(config.get());
        ostrel::Neighbours::setDial(&dial);
        ostrel::Neighbours::setPhonebook(&phonebook);
        ostrel::Neighbours::setRecords(records.get());
        service = std::make_unique<ostrel::InitService>(config.get());
        mainWindow = std::make_unique<QWidget>();
        mainWindow->resize(640, 420);
        mainWindow->show();
        center.addObserver(&observer, QString(), nullptr, [this](const yov::Notification &n) { posted << n; });
    }

    // Creates the controller (after the test has set the configuration it starts with).
    void makeController()
    {
        ostrel::ControllerContext ctx;
        ctx.config = config.get();
        ctx.msgCenter = msgCenter.get();
        ctx.notificationCenter = &center;
        ctx.clock = &clock;
        controller = std::make_unique<ostrel::InitController>(ctx);
        controller->setInitService(service.get());
        controller->wndMain = mainWindow.get();
        controller->awakeFromNib();
    }

    void TearDown() override
    {
        controller.reset();
        setting.reset();
        ostrel::Neighbours::installDefaults(nullptr, nullptr);
        ostrel::ConfigManager::setSharedConfigManager(nullptr);
    }

    void deliver(int major, int minor, int type, int result, int module, const QByteArray &data = {})
    {
        // As the drain tick hands it over; the user answers the alerts it raised once the
        // handlers are through (unless the test holds them open).
        msgCenter->msgDispatch(msgtest::deviceRecord(module, major, minor, data, result, type));
        if (!alerts.holdsOpen())
            alerts.answerAllOpen();
    }

    struct Sent {
        int module, major, minor, type, length;
        QByteArray data;
    };
    std::vector<Sent> sent() const
    {
        std::vector<Sent> out;
        for (const QByteArray &bytes : transport->sent) {
            yov::UI_MSG m;
            yov::msgFromBytes(bytes, m);
            out.push_back({m.moduleID, m.majorID, m.minorID, m.type, m.dataLength,
                           QByteArray(reinterpret_cast<const char *>(m.data), std::min(m.dataLength, 64))});
        }
        return out;
    }
    int sentCount(int major, int minor) const
    {
        int n = 0;
        for (const Sent &s : sent())
            n += s.major == major && s.minor == minor;
        return n;
    }
    QList<yov::Notification> postedNamed(const QString &name) const
    {
        QList<yov::Notification> out;
        for (const auto &n : posted)
            if (n.name == name)
                out << n;
        return out;
    }
    QStringList alertMessages() const
    {
        QStringList out;
        for (const auto &a : alerts.shown())
            out << a.message;
        return out;
    }
    void set(const QString &module, const QString &key, const QVariant &value)
    {
        QVariantMap map = config->getConfigurationByModule(module).toMap();
        map.insert(key, value);
        config->setConfigurationByModule(module, map);
    }

    QTemporaryDir dir;
    std::unique_ptr<ostrel::ConfigManager> config;
    testing_support::ManualClock clock;
    yov::NotificationCenter center;
    msgtest::FakeMsgTransport *transport = nullptr;
    std::unique_ptr<ostrel::YOVMsgCenter> msgCenter;
    RecordingDial dial;
    RecordingPhonebook phonebook;
    std::unique_ptr<RecordingRecords> records;
    std::unique_ptr<RecordingSetting> setting;
    std::unique_ptr<ostrel::InitService> service;
    std::unique_ptr<QWidget> mainWindow;
    testing_support::ScriptedAlertPresenter alerts;
    yov::ScopedAlertPresenter alertGuard{&alerts};
    QObject observer;
    QList<yov::Notification> posted;
    std::unique_ptr<ostrel::InitController> controller;
};

} // namespace inittest
