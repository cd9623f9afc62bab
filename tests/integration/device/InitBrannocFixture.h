#pragma once
// The device-state controller against the stand-in device service on the test's own session bus:
// a ModemList folder of its own, the message center starting the built Brannoc with a chosen
// scenario, a stand-in main window holding the controller's status row, and scripted alerts.
#include "common/records/DeviceServiceBus.h"
#include "ostrel/device/init/InitController.h"
#include "ostrel/device/service/InitService.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "support/QuickScenario.h"
#include "support/ScriptedAlertPresenter.h"
#include "support/TestPaths.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace init_brannoc {

constexpr int kWaitMs = 10000;

// Calls the stand-in's test-control interface.
inline QDBusMessage control(const QString &method, const QVariantList &args = {})
{
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(yov::devicebus::kService),
                                                       QLatin1String(yov::devicebus::kTestPath),
                                                       QLatin1String(yov::devicebus::kTestInterface), method);
    call.setArguments(args);
    return QDBusConnection::sessionBus().call(call, QDBus::Block, 25000);
}

// The connection controller's interface as the device-state controller uses it.
struct RecordingDial : ostrel::DefaultDialController {
    void setDialParams() override { ++dialParams; }
    void setPSDomainStatus(bool attached) override { psDomain << attached; }
    int dialParams = 0;
    QList<bool> psDomain;
};

// The settings side: only whether the user's device lock is on.
struct LockStateSetting : ostrel::DefaultSettingController {
    bool getDeviceUnlockCodeState() const override { return lockOn; }
    void setDeviceUnlockCodeState(bool on) override { lockOn = on; }
    bool lockOn = false;
};

class InitBrannocFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString brannoc = QDir(testing_paths::binDir()).filePath(QStringLiteral("Brannoc"));
        ASSERT_TRUE(QFileInfo(brannoc).isExecutable()) << qPrintable(brannoc);
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected());
        qputenv("OSTREL_BRANNOC", brannoc.toLocal8Bit());
        ASSERT_TRUE(dir.isValid());
        config = std::make_unique<ostrel::ConfigManager>(dir.path());
        ostrel::ConfigManager::setSharedConfigManager(config.get());
    }

    void start(const QString &scenario, QSize windowSize = QSize(720, 460))
    {
        using namespace ostrel;
        const QString quick = testing_support::quickScenario(scenario, dir.path());
        ASSERT_FALSE(quick.isEmpty()) << qPrintable(scenario);
        qputenv("OSTREL_BRANNOC_SCENARIO", quick.toLocal8Bit());
        msgCenter = std::make_unique<YOVMsgCenter>();
        msgCenter->awakeFromNib();
        Neighbours::installDefaults(msgCenter.get(), config.get());
        Neighbours::setDial(&dial);
        settings = std::make_unique<LockStateSetting>();
        Neighbours::setSetting(settings.get());

        mainWindow = std::make_unique<QWidget>();
        mainWindow->setWindowTitle(QStringLiteral("Ostrel"));
        mainWindow->resize(windowSize);
        auto *layout = new QVBoxLayout(mainWindow.get());
        auto *title = new QLabel(QStringLiteral("Ostrel — Internet"), mainWindow.get());
        title->setStyleSheet(QStringLiteral("font-size: 20px; font-weight: bold; padding: 12px;"));
        layout->addWidget(title);
        layout->addStretch(1);

        ControllerContext ctx;
        ctx.config = config.get();
        ctx.msgCenter = msgCenter.get();
        controller = std::make_unique<InitController>(ctx);
        controller->setInitService(&service);
        controller->savedPinStore().setFolder(dir.filePath(QStringLiteral("secrets")));
        controller->wndMain = mainWindow.get();
        controller->awakeFromNib();
        controller->statusView()->setParent(mainWindow.get());
        layout->addWidget(controller->statusView());
        mainWindow->show();

        yov::NotificationCenter::defaultCenter().addObserver(&observer, QStringLiteral("SimReady"), nullptr,
                                                             [this](const yov::Notification &) { ++simReady; });
        ASSERT_TRUE(msgCenter->startMsgServer());
    }

    void TearDown() override
    {
        if (msgCenter)
            msgCenter->stopMsgServer();
        controller.reset();
        mainWindow.reset();
        settings.reset();
        msgCenter.reset();
        ostrel::Neighbours::installDefaults(nullptr, nullptr);
        ostrel::ConfigManager::setSharedConfigManager(nullptr);
    }

    bool waitFor(const std::function<bool()> &condition) { return QTest::qWaitFor(condition, kWaitMs); }

    QTemporaryDir dir;
    std::unique_ptr<ostrel::ConfigManager> config;
    std::unique_ptr<ostrel::YOVMsgCenter> msgCenter;
    RecordingDial dial;
    std::unique_ptr<LockStateSetting> settings;
    ostrel::InitService service{nullptr};
    std::unique_ptr<QWidget> mainWindow;
    std::unique_ptr<ostrel::InitController> controller;
    testing_support::ScriptedAlertPresenter alerts;
    yov::ScopedAlertPresenter alertGuard{&alerts};
    QObject observer;
    int simReady = 0;
};

} // namespace init_brannoc
