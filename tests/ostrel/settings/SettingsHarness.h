#pragma once
// The settings controller over an in-process message center, its own configuration store in a
// temporary folder, scripted alerts, a stand-in main window with "Internet" and "Setting" tabs,
// and recording main-window and device-state neighbours.
#include "../framework/message/FakeMsgTransport.h"
#include "common/records/UiMsg.h"
#include "ostrel/device/init/InitController.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"
#include "ostrel/settings/SettingController.h"
#include "support/ManualClock.h"
#include "support/ScriptedAlertPresenter.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace settingstest {

struct RecordingMain : ostrel::DefaultMainController {
    void registerMenuItem(const QString &menu, const QString &item, std::function<void()> action) override
    {
        menuItems << menu + "/" + item;
        actions[item] = std::move(action);
    }
    void setMenuItemEnabled(const QString &item, bool enabled) override { enabledItems[item] = enabled; }
    void toolbarSetEnable(bool enable) override { calls << QStringLiteral("toolbarSetEnable:%1").arg(enable); }
    void setToolbarEnableWhenSimDetected(bool enable) override
    {
        calls << QStringLiteral("setToolbarEnableWhenSimDetected:%1").arg(enable);
    }
    void disableUSSDToolbarForMalaixiya() override { calls << QStringLiteral("disableUSSDToolbarForMalaixiya"); }
    void selectFirstMainTab() override { calls << QStringLiteral("selectFirstMainTab"); }
    void setMenuItemChecked(const QString &item, bool checked) override { checkedItems[item] = checked; }
    void updateUIForBraVuzod(const QString &page) override { calls << QStringLiteral("updateUIForBraVuzod:") + page; }
    QMap<QString, bool> checkedItems;
    QStringList menuItems, calls;
    QMap<QString, std::function<void()>> actions;
    QMap<QString, bool> enabledItems;
};

struct RecordingInit : ostrel::DefaultInitController {
    void openUnlockDeviceWindow(QWidget *window) override { unlockWindows << window; }
    // The device-state controller's input rules; a warning text of its own at one try left.
    QString checkPinPukAlertMsg(const QString &puk, const QString &pin, const QString &newPin) const override
    {
        return ostrel::InitController::pinPukInputRules(puk, pin, newPin);
    }
    QString pinPukLeftTimesWarning(int count, bool pin) const override
    {
        return count == 1 ? (pin ? QStringLiteral("one PIN try left") : QStringLiteral("one PUK try left")) : QString();
    }
    QList<QWidget *> unlockWindows;
};

struct RecordingRecords : ostrel::DefaultDialRecordController {
    void periodRecordReset() override { calls << "periodRecordReset"; }
    void loadDefaultRecordSetting() override { calls << "loadDefaultRecordSetting"; }
    void initRecordSettingNib() override { calls << "initRecordSettingNib"; }
    QStringList calls;
};

class SettingsFixture : public ::testing::Test {
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
        ostrel::Neighbours::setMain(&main);
        ostrel::Neighbours::setInit(&init);
        ostrel::Neighbours::setRecords(&records);
        mainWindow = std::make_unique<QWidget>();
        mainWindow->resize(760, 520);
        auto *layout = new QVBoxLayout(mainWindow.get());
        tabs = new QTabWidget(mainWindow.get());
        for (const char *id : {"Internet", "SMS", "Setting"}) {
            auto *page = new QWidget;
            ostrel::setTabViewItemIdentifier(page, QLatin1String(id));
            tabs->addTab(page, QLatin1String(id));
        }
        layout->addWidget(tabs);
        mainWindow->show();
        center.addObserver(&observer, QString(), nullptr, [this](const yov::Notification &n) { posted << n; });
    }

    void TearDown() override
    {
        controller.reset();
        mainWindow.reset();
        ostrel::Neighbours::installDefaults(nullptr, nullptr);
        ostrel::ConfigManager::setSharedConfigManager(nullptr);
    }

    // Creates and wakes the controller (after the test has set the configuration it starts with).
    void makeController()
    {
        ostrel::ControllerContext ctx;
        ctx.config = config.get();
        ctx.msgCenter = msgCenter.get();
        ctx.notificationCenter = &center;
        ctx.clock = &clock;
        ctx.skinManager = skin;
        controller = std::make_unique<ostrel::SettingController>(ctx);
        controller->install();
        controller->wndMain = mainWindow.get();
        controller->tabviewMain = tabs;
        controller->setSettingPage(ostrel::viewOfIdentifier(tabs, QStringLiteral("Setting")));
        controller->awakeFromNib();
        posted.clear();
    }

    void setItems(const QStringList &items)
    {
        QVariantList list;
        for (const QString &item : items)
            list << item;
        config->setConfigurationByModule("SettingDefaultItem", list);
    }
    void set(const QString &module, const QString &key, const QVariant &value)
    {
        QVariantMap map = config->getConfigurationByModule(module).toMap();
        map.insert(key, value);
        config->setConfigurationByModule(module, map);
    }

    // A record from the device, as the drain tick hands it over.
    void deliver(int major, int minor, int type, int result, int module = 3, const QByteArray &data = {})
    {
        msgCenter->msgDispatch(msgtest::deviceRecord(module, major, minor, data, result, type));
    }

    struct Sent {
        int module, major, minor, type, result;
        QByteArray data;
    };
    std::vector<Sent> sent() const
    {
        std::vector<Sent> out;
        for (const QByteArray &bytes : transport->sent) {
            yov::UI_MSG m;
            yov::msgFromBytes(bytes, m);
            out.push_back({m.moduleID, m.majorID, m.minorID, m.type, int(m.result),
                           QByteArray(reinterpret_cast<const char *>(m.data), std::min(m.dataLength, 64))});
        }
        return out;
    }
    QList<yov::Notification> postedNamed(const QString &name) const
    {
        QList<yov::Notification> out;
        for (const auto &n : posted)
            if (n.name == name)
                out << n;
        return out;
    }

    // Types the code into the lock's code sheet and presses OK.
    void enterLockCode(const QString &code)
    {
        controller->unlockDeviceCodeField()->setText(code);
        controller->enableDeviceUnlockCodeOK();
    }

    QTemporaryDir dir;
    std::unique_ptr<ostrel::ConfigManager> config;
    testing_support::ManualClock clock;
    yov::NotificationCenter center;
    msgtest::FakeMsgTransport *transport = nullptr;
    std::unique_ptr<ostrel::YOVMsgCenter> msgCenter;
    RecordingMain main;
    RecordingInit init;
    RecordingRecords records;
    std::unique_ptr<QWidget> mainWindow;
    QTabWidget *tabs = nullptr;
    testing_support::ScriptedAlertPresenter alerts;
    yov::ScopedAlertPresenter alertGuard{&alerts};
    QObject observer;
    QList<yov::Notification> posted;
    ostrel::SkinManagerAccess *skin = nullptr; // none unless a test sets one
    std::unique_ptr<ostrel::SettingController> controller;
};

} // namespace settingstest
