// The network, signal and roaming reports carried out by the device-state controller: the status
// area, the notifications, the packet domain told to the connection area, the roaming questions
// and the no-signal alert on the controller's clock.
#include "InitTestSupport.h"

#include "common/records/Payload.h"
#include "ostrel/device/service/MccMnc.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace inittest;
using ostrel::InitController;
using testing_support::ScriptedAlertPresenter;

namespace {

// The connection area as the network rules see it: a status to report and every call recorded.
struct NetworkDial : RecordingDial {
    int connectStatus() const override { return status; }
    void setPSDomainStatus(bool attached) override { psDomain << attached; }
    void DialDisconnect() override { ++disconnects; }
    void reconnect(bool) override { ++reconnects; }
    int status = 0;
    QList<bool> psDomain;
    int disconnects = 0;
    int reconnects = 0;
};

struct NetworkSetting : RecordingSetting {
    using RecordingSetting::RecordingSetting;
    int getCurrentNetWorkPreferedMode() const override { return preferredMode; }
    void setAutoConnectBtnEnable(bool enable) override { autoConnectBtn << enable; }
    void dealWithMsgOfCheckSearchmode(int s, int sel, int pref) override { searchModes << QList<int>{s, sel, pref}; }
    int preferredMode = 2;
    QList<bool> autoConnectBtn;
    QList<QList<int>> searchModes;
};

QByteArray netInfo(const QByteArray &technology, const QByteArray &domain)
{
    yov::PayloadWriter w(180);
    w.setText(40, 68, technology);
    w.setText(108, 72, domain);
    return w.data();
}

struct Plmn {
    QByteArray name = "Vandrel";
    QByteArray netMcc = "262";
    QByteArray netMnc = "02";
    QByteArray roam = "ROAM_OFF";
    QByteArray homeMcc = "262";
    QByteArray homeMnc = "02";
};

QByteArray plmn(const Plmn &p)
{
    yov::PayloadWriter w(324);
    w.setText(0, 68, p.name);
    w.setText(136, 36, p.netMcc);
    w.setText(172, 36, p.netMnc);
    w.setText(208, 36, p.roam);
    w.setText(244, 36, p.homeMcc);
    w.setText(280, 36, p.homeMnc);
    w.setUint8(320, 1);
    return w.data();
}

class InitNetworkTest : public InitFixture {
protected:
    void SetUp() override
    {
        InitFixture::SetUp();
        ostrel::Neighbours::setDial(&netDial);
        auto s = std::make_unique<NetworkSetting>(msgCenter.get(), center);
        netSetting = s.get();
        setting = std::move(s);
        setting->install();
    }

    // A started controller with a ready SIM, as the signal bars need one.
    void startWithSim()
    {
        makeController();
        deliver(4, 9, 1, 0, 1);
        ASSERT_EQ(controller->m_SimPinState, InitController::SimReady);
        posted.clear();
    }
    void rssi(int r, int e = 1000, int s = 1000) { deliver(7, 55, 0, 0, 1, ints({r, e, s})); }
    void registerHome(const Plmn &p = {})
    {
        deliver(7, 36, 0, 0, 1, netInfo("UMTS", "CS_PS"));
        deliver(7, 37, 0, 0, 1, plmn(p));
    }
    QVariantList values(const QString &name) const
    {
        QVariantList out;
        for (const auto &n : postedNamed(name))
            out << n.userInfo.value(name);
        return out;
    }

    NetworkDial netDial;
    NetworkSetting *netSetting = nullptr;
};

TEST_F(InitNetworkTest, RegistrationShowsOperatorTechnologyAndBarsAndPostsTheState)
{
    startWithSim();
    deliver(7, 36, 0, 0, 1, netInfo("UMTS", "CS_PS"));
    EXPECT_EQ(controller->m_network->text(), "UMTS");
    EXPECT_EQ(controller->m_domain->text(), "P C");
    EXPECT_EQ(controller->networkMode(), 3);
    EXPECT_EQ(values("init_NetworkStatus"), QVariantList{"UMTS"});
    EXPECT_EQ(values("init_DomainName"), QVariantList{"P C"});

    deliver(7, 37, 0, 0, 1, plmn({}));
    EXPECT_EQ(controller->m_NameOfLocalSPN->text(), "Vandrel");
    EXPECT_EQ(controller->mccmnc, "26202");
    EXPECT_EQ(controller->labelMcc_, "262");
    EXPECT_EQ(controller->labelMnc_, "02");
    EXPECT_EQ(controller->m_roamStatus->text(), "");
    EXPECT_EQ(values("init_RoamStatus").last(), QVariant(1));
    EXPECT_TRUE(values("init_LocalSPN").contains(QVariant("Vandrel")));

    rssi(80); // -80 dBm on GSM: full signal
    EXPECT_EQ(controller->signalImageName(), "rssi6");
    EXPECT_FALSE(controller->m_rssiStatus->pixmap().isNull());
    EXPECT_EQ(controller->m_SignalStrength, 5);
    EXPECT_EQ(values("init_SingalStrength"), QVariantList{5});
    EXPECT_EQ(controller->signalWindow()->level(), 5);
    EXPECT_EQ(controller->signalWindow()->labelRssiLacCiWindowRssiValue_->text(), "80");
    const auto radio = postedNamed("ReadRscpRssiEcnoInfo");
    ASSERT_EQ(radio.size(), 1);
    EXPECT_EQ(radio[0].object, controller.get());
    EXPECT_EQ(radio[0].userInfo.value("RSSI"), QVariant("-80"));
    // The same level again is the same image, not one drawn anew (nor shown anew); another level
    // changes it.
    const qint64 fullBars = controller->m_rssiStatus->pixmap().cacheKey();
    rssi(78);
    EXPECT_EQ(controller->m_rssiStatus->pixmap().cacheKey(), fullBars);
    rssi(100);
    EXPECT_NE(controller->m_rssiStatus->pixmap().cacheKey(), fullBars);
    rssi(80);
    EXPECT_EQ(controller->m_rssiStatus->pixmap().cacheKey(), fullBars);

    // The cell of the registration report goes to the signal window in decimal.
    yov::PayloadWriter reg(28);
    reg.setInt32(0, 1);
    reg.setText(4, 10, "1A2B");
    reg.setText(14, 10, "4F21");
    deliver(7, 38, 0, 0, 1, reg.data());
    EXPECT_EQ(controller->signalWindow()->labelRssiLacCiWindowLacValue_->text(), "6699");
    EXPECT_EQ(controller->signalWindow()->labelRssiLacCiWindowCiValue_->text(), "20257");
    EXPECT_EQ(alerts.count(), 0);
}

TEST_F(InitNetworkTest, StatusRowNamesTheHomeOperatorOnceAndExplainsTheDomainMark)
{
    startWithSim();
    // The SIM's own name (EF_SPN, display condition 1) is the registered network's.
    deliver(7, 40, 0, 0, 1, text("0156616E6472656C" + QByteArray(18, 'F'), 512));
    deliver(7, 36, 0, 0, 1, netInfo("UMTS", "CS_PS"));
    deliver(7, 37, 0, 0, 1, plmn({}));
    ASSERT_EQ(controller->m_NameOfLocalSPN->text(), "Vandrel");
    ASSERT_EQ(controller->m_NameOfBelonetoSPN->text(), "Vandrel");
    EXPECT_TRUE(controller->m_NameOfBelonetoSPN->isHidden()) << "\"Vandrel Vandrel\"";
    EXPECT_FALSE(controller->m_NameOfLocalSPN->isHidden());
    EXPECT_EQ(controller->m_domain->text(), "P C");
    EXPECT_EQ(controller->m_domain->toolTip(), "Data and voice service");
    deliver(7, 36, 0, 0, 1, netInfo("UMTS", "PS_ONLY"));
    EXPECT_EQ(controller->m_domain->toolTip(), "Data service only");
}

TEST_F(InitNetworkTest, OperatorSignalAndRoamingImagesAreShown)
{
    set("Init", "SetIndiaDidizuSignal", true);
    set("Init", "setRoamStatusForDidizu", true);
    set("Init", "imageNameOfRoamOffForDidizu", "roamOff");
    set("Init", "imageNameOfHomeNetSelectedForDidizu", "homeOn");
    startWithSim();
    rssi(80);
    EXPECT_FALSE(controller->imageViewOfSignalStrengthForDidizu_->isHidden());
    EXPECT_EQ(controller->imageViewOfSignalStrengthForDidizu_->property("imageName").toString(), "SIGNAL6");
    EXPECT_EQ(controller->m_rssiStatus->toolTip(), "Signal");
    rssi(120);
    EXPECT_EQ(controller->imageViewOfSignalStrengthForDidizu_->property("imageName").toString(), "SIGNAL1");
    EXPECT_EQ(controller->m_rssiStatus->toolTip(), "No Signal");

    deliver(7, 36, 0, 0, 1, netInfo("UMTS", "CS_PS"));
    deliver(7, 37, 0, 0, 1, plmn({}));
    EXPECT_EQ(controller->imageViewOfRoamingStatusForDidizu_->property("imageName").toString(), "roamOff");
    EXPECT_EQ(controller->imageViewOfHomeNetWorkForDidizu_->property("imageName").toString(), "homeOn");
    EXPECT_FALSE(controller->imageViewOfHomeNetWorkForDidizu_->isHidden());
}

TEST_F(InitNetworkTest, SignalWithoutAReadySimShowsNoBars)
{
    makeController();
    rssi(80);
    EXPECT_EQ(controller->signalImageName(), "rssi1");
    EXPECT_EQ(values("init_SingalStrength").last(), QVariant(0));
}

TEST_F(InitNetworkTest, PacketDomainComingAndGoingIsToldToTheConnectionArea)
{
    startWithSim();
    deliver(7, 36, 0, 0, 1, netInfo("GPRS", "CS_ONLY"));
    deliver(7, 36, 0, 0, 1, netInfo("HSDPA", "CS_PS"));
    deliver(7, 36, 0, 0, 1, netInfo("HSDPA", "CS_PS ")); // not an exact domain text: no service
    EXPECT_EQ(netDial.psDomain, (QList<bool>{false, true, false}));
    EXPECT_EQ(netSetting->autoConnectBtn, netDial.psDomain);
    EXPECT_EQ(controller->m_network->text(), "No Service");
    EXPECT_EQ(controller->m_domain->text(), "");
    EXPECT_FALSE(controller->hasPSDomain());

    // While dialling is disabled by the SIM-change rule, the connection area is not told.
    controller->dialFunctionEnabledFlag_ = false;
    deliver(7, 36, 0, 0, 1, netInfo("UMTS", "PS_ONLY"));
    EXPECT_EQ(netDial.psDomain.size(), 3);
    EXPECT_TRUE(controller->hasPSDomain());
}

// Home, then a roaming network while connected with disNetWhileToRoam on: the question is asked
// once; "YES" ends the connection, "NO" keeps it even across a further change of network.
TEST_F(InitNetworkTest, RoamingDisconnectQuestionYesAndNo)
{
    for (bool yes : {true, false}) {
        SCOPED_TRACE(yes ? "YES" : "NO");
        set("Internet", "disNetWhileToRoam", true);
        netDial.status = 3;
        netDial.disconnects = 0;
        alerts.clear();
        startWithSim();
        registerHome();
        ASSERT_EQ(controller->networkRoamStatus_, 1);

        alerts.pressNext(yes ? ScriptedAlertPresenter::Default : ScriptedAlertPresenter::Alternate);
        Plmn roaming;
        roaming.netMcc = "208";
        roaming.netMnc = "10";
        roaming.roam = "ROAM_ON";
        deliver(7, 37, 0, 0, 1, plmn(roaming));
        ASSERT_EQ(alerts.count(), 1);
        const yov::AlertRequest &question = alerts.shown()[0];
        EXPECT_EQ(question.title, "Warning");
        EXPECT_EQ(question.message, "You are about to connect to a roaming network.Do you want to disconnect now?");
        EXPECT_EQ(question.defaultButton, "YES");
        EXPECT_EQ(question.alternateButton, "NO");
        EXPECT_EQ(netDial.disconnects, yes ? 1 : 0);
        EXPECT_EQ(controller->m_roamStatus->text(), "R");
        EXPECT_EQ(controller->roamTransferMode_, 1);
        EXPECT_EQ(values("init_RoamStatus").last(), QVariant(0));

        // Another roaming network in the same roaming period: no second question, and "NO" stands.
        roaming.netMcc = "234";
        roaming.netMnc = "15";
        deliver(7, 37, 0, 0, 1, plmn(roaming));
        EXPECT_EQ(alerts.count(), 1);
        EXPECT_EQ(netDial.disconnects, yes ? 1 : 0);
        controller.reset();
    }
}

TEST_F(InitNetworkTest, RoamingAlertOncePerRoamingPeriod)
{
    config->setConfigurationByModule("enableRoamAlert", true);
    startWithSim();
    Plmn roaming;
    roaming.netMcc = "208";
    roaming.netMnc = "10";
    roaming.roam = "ROAM_ON";
    deliver(7, 36, 0, 0, 1, netInfo("UMTS", "CS_PS"));
    // The roaming alert is a window of its own, not a panel that holds the dashboard.
    QWidget *window = controller->roamAlertWindow();
    ASSERT_NE(window, nullptr);
    auto *text = window->findChild<QLabel *>(QStringLiteral("roamwarnningText"));
    ASSERT_NE(text, nullptr);
    deliver(7, 37, 0, 0, 1, plmn(roaming));
    ASSERT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "STRING_ROAM_ALERT_WND");
    EXPECT_EQ(text->text(), "STRING_ROAM_ALERT_TEXT");
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(alerts.count(), 0);
    EXPECT_TRUE(controller->hasAlertRoam);
    // No question about disconnecting: the first report after start is no transfer.
    EXPECT_EQ(netDial.disconnects, 0);
    // Its OK closes it; a further report of the same roaming period does not bring it back.
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("btnRoamAlertOK")), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    deliver(7, 37, 0, 0, 1, plmn(roaming));
    EXPECT_FALSE(window->isVisible());

    deliver(7, 37, 0, 0, 1, plmn({}));
    EXPECT_FALSE(controller->hasAlertRoam);
    deliver(7, 37, 0, 0, 1, plmn(roaming));
    EXPECT_TRUE(window->isVisible());
}

class NoSignalAlertTest : public InitNetworkTest {
protected:
    void SetUp() override
    {
        InitNetworkTest::SetUp();
        set("Internet", "d3uAlertSel3G_PreferWhenSignalToNoSignal", true);
        set("Main", "timeToAlertSel3G_PreferIfNoSigal", 5);
        netSetting->preferredMode = 1;
    }
};

TEST_F(NoSignalAlertTest, ShowsAfterTheTimerOnceWhenTheSignalIsLost)
{
    startWithSim();
    rssi(80);
    rssi(120); // below -107 dBm: no signal
    EXPECT_TRUE(controller->isNoSignalAlertPending());
    clock.advance(4999);
    EXPECT_EQ(alerts.count(), 0);
    clock.advance(1);
    ASSERT_EQ(alerts.count(), 1);
    EXPECT_EQ(alerts.shown()[0].title, "Warning");
    EXPECT_EQ(alerts.shown()[0].message, "d3uAlertSel3G_PreferWhenSignalToNoSignal");
    EXPECT_FALSE(controller->isNoSignalAlertPending());
    EXPECT_FALSE(controller->allowAlertSel3GPreferWhenSignalToNoSignal());

    // Not again until allowed (by Settings or by the device being removed).
    rssi(80);
    rssi(120);
    clock.advance(10000);
    EXPECT_EQ(alerts.count(), 1);
    controller->setAllowAlertSel3GPreferWhenSignalToNoSignal(true);
    rssi(80);
    rssi(120);
    clock.advance(5000);
    EXPECT_EQ(alerts.count(), 2);
}

TEST_F(NoSignalAlertTest, NoAlertWhenLevelsSayOtherwise)
{
    struct Case {
        const char *what;
        std::function<void()> run;
    };
    const Case cases[] = {
        {"signal was already zero", [this] { rssi(120); rssi(120); }},
        // CSQ 99 means no measurement (level 0) although the value kept is 99.
        {"CSQ without measurement before", [this] {
             deliver(7, 35, 0, 0, 1, ints({99}));
             rssi(120);
         }},
        {"signal back before the timer", [this] { rssi(80); rssi(120); rssi(90); }},
        {"preferred mode changed meanwhile", [this] {
             rssi(80);
             rssi(120);
             netSetting->preferredMode = 2;
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        netSetting->preferredMode = 1;
        alerts.clear();
        startWithSim();
        c.run();
        clock.advance(6000);
        EXPECT_EQ(alerts.count(), 0);
        controller.reset();
    }
}

TEST_F(NoSignalAlertTest, DeviceRemovalCancelsThePendingAlertAndResetsTheStatusArea)
{
    startWithSim();
    registerHome();
    rssi(80);
    rssi(120);
    ASSERT_TRUE(controller->isNoSignalAlertPending());
    deliver(8, 58, 1, -1, 1);
    EXPECT_FALSE(controller->isNoSignalAlertPending());
    clock.advance(6000);
    EXPECT_EQ(alerts.count(), 0);
    EXPECT_EQ(controller->m_network->text(), "No Service");
    EXPECT_EQ(controller->signalImageName(), "rssi1");
    EXPECT_TRUE(controller->mccmnc.isEmpty());
    EXPECT_EQ(controller->networkRoamStatus_, 2);
    EXPECT_EQ(controller->m_NameOfLocalSPN->text(), "");
    EXPECT_TRUE(controller->allowAlertSel3GPreferWhenSignalToNoSignal());
}

TEST_F(InitNetworkTest, SimReportFailureShowsNoServiceThroughTheOneSink)
{
    startWithSim();
    registerHome();
    ASSERT_EQ(controller->m_domain->text(), "P C");
    set("Init", "DonotShowNoSIMAlert", true);
    deliver(6, 32, 1, -1, 1, ints({-1}));
    EXPECT_EQ(controller->networkName_, "No Service");
    EXPECT_EQ(controller->m_domain->text(), "");
    EXPECT_EQ(controller->networkRoamStatus_, 2);
    EXPECT_EQ(netDial.psDomain.last(), false);
}

TEST_F(InitNetworkTest, ThreeDigitMncHomeNetworkFromTheImsi)
{
    service->setHomeMncLength(3);
    makeController();
    deliver(7, 42, 1, 0, 1, text("310260123456789", 36));
    const QVariantMap maps = service->moduleMapsDict();
    // Three MNC digits: the home network is 310/260, not 310/26.
    EXPECT_EQ(maps.value(ostrel::mccmnc::moduleMapKey("310260")), QVariant("310260"))
        << qPrintable(QStringList(maps.keys()).join(','));
}

TEST_F(InitNetworkTest, RoamSwitchesAndSearchModeRepliesReachTheirViews)
{
    startWithSim();
    deliver(513, 85, 1, 0, 1, ints({1, 0}));
    EXPECT_TRUE(controller->btnNroamSwitch_->isEnabled());
    EXPECT_TRUE(controller->btnNroamSwitch_->isChecked());
    EXPECT_FALSE(controller->btnIroamSwitch_->isChecked());
    EXPECT_EQ(controller->nRoamDefaultValue_, 1);
    deliver(513, 85, 1, 0, 2, ints({0, 1})); // another module's request: ignored
    EXPECT_TRUE(controller->btnNroamSwitch_->isChecked());

    deliver(513, 75, 1, 0, 1, ints({0, 1, 2}));
    deliver(513, 75, 1, -1, 1, ints({9, 9, 9}));
    ASSERT_EQ(netSetting->searchModes.size(), 1);
    EXPECT_EQ(netSetting->searchModes[0], (QList<int>{0, 1, 2}));
}

} // namespace
