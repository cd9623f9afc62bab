// The assembly: shared objects in the context, neighbours wired to its message center, the
// launch, and everything put back when it goes.
#include "ostrel/app/DashboardAssembly.h"

#include "ostrel/device/init/InitController.h"
#include "ostrel/device/init/InitWindows.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/controller/YOVAlertPanel.h"
#include "ostrel/framework/message/FakeMsgTransport.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/settings/SettingController.h"
#include "support/ManualClock.h"
#include "support/ScriptedAlertPresenter.h"

#include <QFile>
#include <QLabel>
#include <QLoggingCategory>
#include <QtEndian>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ostrel;

TEST(DashboardAssemblyTest, WiresTheSharedObjectsLaunchesAndPutsEverythingBack)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ConfigManager config(dir.path());
    ConfigManager::setSharedConfigManager(&config);
    QFile program(dir.filePath(QStringLiteral("Brannoc")));
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.close();
    program.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    qputenv("OSTREL_BRANNOC", program.fileName().toLocal8Bit());

    testing_support::ManualClock clock;
    auto transport = std::make_unique<msgtest::FakeMsgTransport>();
    auto launcher = std::make_unique<msgtest::FakeLauncher>();
    msgtest::FakeMsgTransport *bus = transport.get();
    msgtest::FakeLauncher *processes = launcher.get();
    QStringList order;
    QObject observer;
    yov::NotificationCenter::defaultCenter().addObserver(&observer, QStringLiteral("AppReady"), nullptr,
                                                         [&](const yov::Notification &) {
                                                             order << QStringLiteral("AppReady");
                                                         });
    {
        DashboardAssembly::Options options;
        options.msgCenter = std::make_unique<YOVMsgCenter>(std::move(transport), std::move(launcher), clock,
                                                           yov::NotificationCenter::defaultCenter());
        options.loadSkin = false;
        options.installAlertPresenter = false;
        DashboardAssembly assembly(std::move(options));

        EXPECT_EQ(ControllerContext::shared().msgCenter, assembly.msgCenter());
        EXPECT_NE(ControllerContext::shared().skinManager, nullptr);
        EXPECT_NE(ControllerContext::shared().language, nullptr);
        EXPECT_EQ(MainController::g_MainController(), assembly.mainController());
        EXPECT_EQ(assembly.mainController()->yovMsgCenter(), assembly.msgCenter());
        EXPECT_EQ(YOVAlertPanel::shareAlertPanel(), assembly.alertPanel());

        EXPECT_TRUE(Neighbours::init().setDeviceOnline()) << "the device-state default uses the assembly's center";
        EXPECT_EQ(bus->sent.size(), 1u);

        assembly.mainController()->setTerminator([] {});
        assembly.launch();
        order << QStringLiteral("launched %1").arg(processes->launched.size());
        EXPECT_EQ(order, (QStringList{QStringLiteral("AppReady"), QStringLiteral("launched 1")}));
        EXPECT_TRUE(assembly.mainController()->hasRunDatacard());
        EXPECT_TRUE(assembly.mainController()->wndCompleteMain_);
    }
    EXPECT_EQ(ControllerContext::shared().msgCenter, nullptr);
    EXPECT_EQ(MainController::g_MainController(), nullptr);
    EXPECT_FALSE(Neighbours::init().setDeviceOnline()) << "no center once the assembly is gone";
    qunsetenv("OSTREL_BRANNOC");
    ConfigManager::setSharedConfigManager(nullptr);
}

// The assembled dashboard has one handler of the device's verdict on an unlock code: a refused
// code gives one alert and one DeviceUnlockFailed, and the settings page is the settings neighbour.
TEST(DashboardAssemblyTest, OneUnlockVerdictGivesOneAlertAndOneNotification)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ConfigManager config(dir.path());
    ConfigManager::setSharedConfigManager(&config);
    testing_support::ScriptedAlertPresenter alerts;
    alerts.setHoldOpen(true);
    yov::ScopedAlertPresenter guard(&alerts);
    testing_support::ManualClock clock;
    auto transport = std::make_unique<msgtest::FakeMsgTransport>();
    msgtest::FakeMsgTransport *bus = transport.get();
    int failed = 0;
    QObject observer;
    yov::NotificationCenter::defaultCenter().addObserver(&observer, QStringLiteral("DeviceUnlockFailed"), nullptr,
                                                         [&](const yov::Notification &) { ++failed; });
    {
        DashboardAssembly::Options options;
        options.msgCenter = std::make_unique<YOVMsgCenter>(std::move(transport), std::make_unique<msgtest::FakeLauncher>(),
                                                           clock, yov::NotificationCenter::defaultCenter());
        options.loadSkin = false;
        options.installAlertPresenter = false;
        DashboardAssembly assembly(std::move(options));
        assembly.awakeFromNib();
        EXPECT_EQ(&Neighbours::setting(), static_cast<SettingControllerInterface *>(assembly.settingController()));
        bus->deliver(msgtest::deviceRecord(3, 512, 164, {}, -1, 1));
        clock.advance(YOVMsgCenter::kDrainIntervalMs);
        EXPECT_EQ(alerts.messages(), QStringList{"Invalid password!"});
        alerts.answerAllOpen();
        EXPECT_EQ(failed, 1);
    }
    yov::NotificationCenter::defaultCenter().removeObserver(&observer);
    ConfigManager::setSharedConfigManager(nullptr);
}

namespace {
QStringList *g_settingLog = nullptr;
QtMessageHandler g_previousHandler = nullptr;
void captureSettingLog(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (g_settingLog && context.category && QByteArray(context.category) == "ostrel.settings")
        *g_settingLog << message;
    else if (g_previousHandler)
        g_previousHandler(type, context, message);
}
} // namespace

// The PIN/PUK count is wanted by the device-state controller (the PIN sheets' "time(s) left") and
// by the settings page: one record from the device reaches both.
TEST(DashboardAssemblyTest, OnePinCountRecordReachesBothControllers)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ConfigManager config(dir.path());
    ConfigManager::setSharedConfigManager(&config);
    testing_support::ScriptedAlertPresenter alerts;
    alerts.setHoldOpen(true);
    yov::ScopedAlertPresenter guard(&alerts);
    testing_support::ManualClock clock;
    auto transport = std::make_unique<msgtest::FakeMsgTransport>();
    msgtest::FakeMsgTransport *bus = transport.get();
    QStringList log;
    {
        DashboardAssembly::Options options;
        options.msgCenter = std::make_unique<YOVMsgCenter>(std::move(transport), std::make_unique<msgtest::FakeLauncher>(),
                                                           clock, yov::NotificationCenter::defaultCenter());
        options.loadSkin = false;
        options.installAlertPresenter = false;
        DashboardAssembly assembly(std::move(options));
        assembly.awakeFromNib();
        QLoggingCategory::setFilterRules(QStringLiteral("ostrel.settings.debug=true"));
        g_settingLog = &log;
        g_previousHandler = qInstallMessageHandler(captureSettingLog);
        QByteArray counts(8, '\0');
        qToLittleEndian<qint32>(3, counts.data());
        qToLittleEndian<qint32>(10, counts.data() + 4);
        bus->deliver(msgtest::deviceRecord(1, 4, 8, counts, 0, 1));
        clock.advance(YOVMsgCenter::kDrainIntervalMs);
        qInstallMessageHandler(g_previousHandler);
        g_settingLog = nullptr;
        QLoggingCategory::setFilterRules(QString());
        EXPECT_TRUE(assembly.initController()->pinWindow()->m_PinTimeLeft->text().contains(QLatin1String("3")));
        EXPECT_TRUE(assembly.initController()->pukWindow()->m_PukTimeLeft->text().contains(QLatin1String("10")));
        EXPECT_EQ(log.filter(QStringLiteral("dealWithMsgOfCountPinPukRemain")).size(), 1) << log.join('\n').toStdString();
        alerts.answerAllOpen();
    }
    ConfigManager::setSharedConfigManager(nullptr);
}
