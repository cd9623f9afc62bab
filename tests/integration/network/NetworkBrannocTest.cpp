// The device-state controller and the stand-in device service over a real session bus: the
// status area follows the modem's registration, technology and signal reports, and a roaming
// report raises the roaming alert.
#include "ostrel/device/init/InitController.h"
#include "ostrel/device/service/InitService.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/settings/defaults/DeviceLockSettingController.h"
#include "support/ScriptedAlertPresenter.h"
#include "support/TestPaths.h"

#include "common/records/DeviceServiceBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace ostrel;

namespace {

constexpr int kWaitMs = 10000;

QDBusMessage control(const QString &method, const QVariantList &args = {})
{
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(yov::devicebus::kService),
                                                       QLatin1String(yov::devicebus::kTestPath),
                                                       QLatin1String(yov::devicebus::kTestInterface), method);
    call.setArguments(args);
    return QDBusConnection::sessionBus().call(call, QDBus::Block, 5000);
}

struct RecordingDial : DefaultDialController {
    void setPSDomainStatus(bool attached) override { psDomain << attached; }
    QList<bool> psDomain;
};

class NetworkBrannocTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString brannoc = QDir(testing_paths::binDir()).filePath(QStringLiteral("Brannoc"));
        ASSERT_TRUE(QFileInfo(brannoc).isExecutable()) << qPrintable(brannoc);
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected());
        qputenv("OSTREL_BRANNOC", brannoc.toLocal8Bit());
        ASSERT_TRUE(dir.isValid());
        config = std::make_unique<ConfigManager>(dir.path());
        ConfigManager::setSharedConfigManager(config.get());
        config->setConfigurationByModule(QStringLiteral("enableRoamAlert"), true);
    }

    void start(const QString &scenario)
    {
        qputenv("OSTREL_BRANNOC_SCENARIO",
                QDir(testing_paths::sourceResources()).filePath("brannoc/" + scenario).toLocal8Bit());
        msgCenter = std::make_unique<YOVMsgCenter>();
        msgCenter->awakeFromNib();
        Neighbours::installDefaults(msgCenter.get(), config.get());
        Neighbours::setDial(&dial);
        settings = std::make_unique<DeviceLockSettingController>(msgCenter.get());
        settings->install();

        mainWindow = std::make_unique<QWidget>();
        mainWindow->setWindowTitle(QStringLiteral("Ostrel"));
        mainWindow->resize(640, 200);
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
        Neighbours::installDefaults(nullptr, nullptr);
        ConfigManager::setSharedConfigManager(nullptr);
    }

    bool waitFor(const std::function<bool()> &condition) { return QTest::qWaitFor(condition, kWaitMs); }
    QString text(QLabel *label) const { return label ? label->text() : QString(); }
    QStringList alertTitles() const
    {
        QStringList out;
        for (const auto &a : alerts.shown())
            out << a.title;
        return out;
    }

    QTemporaryDir dir;
    std::unique_ptr<ConfigManager> config;
    std::unique_ptr<YOVMsgCenter> msgCenter;
    RecordingDial dial;
    std::unique_ptr<DeviceLockSettingController> settings;
    InitService service{nullptr};
    std::unique_ptr<QWidget> mainWindow;
    std::unique_ptr<InitController> controller;
    testing_support::ScriptedAlertPresenter alerts;
    yov::ScopedAlertPresenter alertGuard{&alerts};
};

TEST_F(NetworkBrannocTest, StatusAreaShowsTheRegisteredNetworkWithFullSignal)
{
    start(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitFor([&] { return text(controller->m_network) == QStringLiteral("UMTS"); }))
        << qPrintable(text(controller->m_network));
    ASSERT_TRUE(waitFor([&] { return text(controller->m_NameOfLocalSPN) == QStringLiteral("Vandrel"); }))
        << qPrintable(text(controller->m_NameOfLocalSPN));
    EXPECT_EQ(text(controller->m_domain), QStringLiteral("P C"));
    EXPECT_EQ(controller->mccmnc, QStringLiteral("26202"));
    EXPECT_EQ(text(controller->m_roamStatus), QString());
    // RSCP -85 dBm and Ec/No -6 dB: full signal.
    ASSERT_TRUE(waitFor([&] { return controller->signalImageName() == QStringLiteral("rssi6"); }))
        << qPrintable(controller->signalImageName());
    EXPECT_TRUE(dial.psDomain.contains(true));
    EXPECT_TRUE(dial.psDomain.isEmpty() || dial.psDomain.last());
    EXPECT_EQ(alerts.count(), 0);

    // Let the layouts take the new texts before the picture is taken.
    QTest::qWait(100);
    const QString shotPath = qEnvironmentVariable("OSTREL_REGISTERED_SHOT", QStringLiteral("/tmp/registered.png"));
    EXPECT_TRUE(mainWindow->grab().save(shotPath)) << qPrintable(shotPath);

    // The technology changes on the modem: the status area follows.
    const QDBusMessage set = control(QStringLiteral("SetModemState"),
                                     {QStringLiteral("Network"), QVariantMap{{QStringLiteral("Technology"), QStringLiteral("HSDPA")}}});
    ASSERT_EQ(set.type(), QDBusMessage::ReplyMessage) << qPrintable(set.errorMessage());
    EXPECT_TRUE(waitFor([&] { return text(controller->m_network) == QStringLiteral("HSDPA"); }))
        << qPrintable(text(controller->m_network));
}

TEST_F(NetworkBrannocTest, RoamingReportRaisesTheRoamingAlert)
{
    start(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitFor([&] { return controller->networkRoamStatus_ == 1; }));
    EXPECT_EQ(alerts.count(), 0);

    const QDBusMessage set = control(QStringLiteral("SetModemState"),
                                     {QStringLiteral("Network"),
                                      QVariantMap{{QStringLiteral("Roaming"), true},
                                                  {QStringLiteral("Mcc"), QStringLiteral("208")},
                                                  {QStringLiteral("Mnc"), QStringLiteral("10")},
                                                  {QStringLiteral("OperatorName"), QStringLiteral("Ardence")}}});
    ASSERT_EQ(set.type(), QDBusMessage::ReplyMessage) << qPrintable(set.errorMessage());
    ASSERT_TRUE(waitFor([&] { return alerts.count() >= 1; })) << "no roaming alert";
    EXPECT_EQ(alerts.shown()[0].title, QStringLiteral("STRING_ROAM_ALERT_WND"));
    EXPECT_EQ(alerts.shown()[0].message, QStringLiteral("STRING_ROAM_ALERT_TEXT"));
    ASSERT_TRUE(waitFor([&] { return text(controller->m_roamStatus) == QStringLiteral("R"); }));
    EXPECT_EQ(controller->mccmnc, QStringLiteral("20810"));
    EXPECT_EQ(controller->roamTransferMode_, 1); // home to roaming
    // Later reports of the same roaming period raise no second alert.
    QTest::qWait(200);
    EXPECT_EQ(alertTitles(), QStringList{QStringLiteral("STRING_ROAM_ALERT_WND")});
}

TEST_F(NetworkBrannocTest, RoamingScenarioAlertsAtStart)
{
    start(QStringLiteral("roaming.plist"));
    ASSERT_TRUE(waitFor([&] { return alerts.count() >= 1; })) << "no roaming alert";
    EXPECT_EQ(alerts.shown()[0].title, QStringLiteral("STRING_ROAM_ALERT_WND"));
    ASSERT_TRUE(waitFor([&] { return text(controller->m_roamStatus) == QStringLiteral("R"); }));
    EXPECT_EQ(controller->mccmnc, QStringLiteral("20810"));
    // The first report after start is no transfer.
    EXPECT_EQ(controller->roamTransferMode_, 2);
}

TEST_F(NetworkBrannocTest, NoSignalScenarioShowsNoServiceAndEmptyBars)
{
    start(QStringLiteral("no-signal.plist"));
    ASSERT_TRUE(waitFor([&] { return controller->m_SimPinState == InitController::SimReady; }));
    // Wait for a signal report: CSQ 99 on the RSSI report is no signal.
    ASSERT_TRUE(waitFor([&] { return !controller->signalWindow()->labelRssiLacCiWindowRssiValue_->text().isEmpty(); }));
    EXPECT_EQ(controller->signalImageName(), QStringLiteral("rssi1"));
    EXPECT_EQ(text(controller->m_network), QStringLiteral("No Service"));
    EXPECT_TRUE(controller->mccmnc.isEmpty());
    EXPECT_FALSE(dial.psDomain.contains(true));
}

} // namespace
