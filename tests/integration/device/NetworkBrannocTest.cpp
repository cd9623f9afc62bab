// The device-state controller and the stand-in device service over a real session bus: the
// status area follows the modem's registration, technology and signal reports, and a roaming
// report raises the roaming alert.
#include "InitBrannocFixture.h"

using namespace ostrel;

namespace {

using init_brannoc::control;
using init_brannoc::kWaitMs;

class NetworkBrannocTest : public init_brannoc::InitBrannocFixture {
protected:
    void SetUp() override
    {
        InitBrannocFixture::SetUp();
        config->setConfigurationByModule(QStringLiteral("enableRoamAlert"), true);
    }

    void start(const QString &scenario) { InitBrannocFixture::start(scenario, QSize(640, 200)); }

    QString text(QLabel *label) const { return label ? label->text() : QString(); }
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
    if (const QString shotPath = testing_paths::screenshotPath(QStringLiteral("registered.png")); !shotPath.isEmpty()) {
        EXPECT_TRUE(mainWindow->grab().save(shotPath)) << qPrintable(shotPath);
    }

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
    QWidget *window = controller->roamAlertWindow();
    ASSERT_TRUE(waitFor([&] { return window->isVisible(); })) << "no roaming alert";
    EXPECT_EQ(window->windowTitle(), QStringLiteral("STRING_ROAM_ALERT_WND"));
    EXPECT_EQ(text(window->findChild<QLabel *>(QStringLiteral("roamwarnningText"))), QStringLiteral("STRING_ROAM_ALERT_TEXT"));
    ASSERT_TRUE(waitFor([&] { return text(controller->m_roamStatus) == QStringLiteral("R"); }));
    EXPECT_EQ(controller->mccmnc, QStringLiteral("20810"));
    EXPECT_EQ(controller->roamTransferMode_, 1); // home to roaming
    // Later reports of the same roaming period do not bring the closed window back.
    controller->closeRoamAlertWnd(nullptr);
    QTest::qWait(200);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(alerts.count(), 0);
}

TEST_F(NetworkBrannocTest, RoamingScenarioAlertsAtStart)
{
    start(QStringLiteral("roaming.plist"));
    QWidget *window = controller->roamAlertWindow();
    ASSERT_TRUE(waitFor([&] { return window->isVisible(); })) << "no roaming alert";
    EXPECT_EQ(window->windowTitle(), QStringLiteral("STRING_ROAM_ALERT_WND"));
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
