// The settings page's "Network" panel in the whole dashboard against the stand-in modem: the
// preferred mode, the frequency band and its answers on chipset family 1, the roaming switches,
// and the connection type set from the network device information.
#include "DashboardFixture.h"

#include "common/ValueConversion.h"

#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/service/Platform.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"
#include "ostrel/settings/SettingController.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace ostrel;
using namespace dashboard_test;

namespace {

QVariantMap band(const char *frequency, const char *title, int index, bool isDefault = false)
{
    return {{"Frequency", QLatin1String(frequency)}, {"Title", QLatin1String(title)}, {"Index", index},
            {"IsDefault", isDefault}};
}

class DashboardNetworkSettingsTest : public DashboardFixture {
protected:
    void TearDown() override
    {
        DashboardFixture::TearDown();
        Platform::sharedPlatform()->reset();
        Neighbours::setStk(nullptr);
    }
    SettingController *settings() const { return assembly_->settingController(); }
    void start(const QVariantMap &extra = {})
    {
        QVariantMap keys{{"SettingDefaultItem", QVariantList{"System", "Connect", "Network", "Security"}}};
        for (auto it = extra.begin(); it != extra.end(); ++it)
            keys.insert(it.key(), it.value());
        setSettings(keys);
        Platform::sharedPlatform()->reset();
        launch(QStringLiteral("default.plist"));
        ASSERT_TRUE(waitSimReady());
        presenter_.setHoldOpen(true);
        // The device's mode report opens the panel's controls.
        ASSERT_TRUE(QTest::qWaitFor([&] { return settings()->searchModeControl()->isEnabled(); }, kWaitMs));
    }
    void gotoNetwork()
    {
        main()->gotoSetting(nullptr);
        QTabWidget *panels = settings()->settingTabView();
        panels->setCurrentIndex(tabViewItemOfIdentifier(panels, QStringLiteral("Network")));
    }
    bool waitAlert(const QString &message)
    {
        return QTest::qWaitFor([&] { return presenter_.messages().contains(message); }, kWaitMs);
    }
    int selectedBandTag() const { return settings()->bandTagAtRow(settings()->selectedBandRow()); }
    QVariantMap fiveBands() const
    {
        return {{"Setting/FrequencySetting",
                 QVariantList{band("UMTS_850_1900_2100", "Americas", 0), band("UMTS_850_GSM_900_1800", "Australia", 1),
                              band("UMTS_2100_GSM_900_1800", "Europe and Asia", 2),
                              band("UMTS_850_2100_GSM_900_1800", "All bands", 3, true),
                              band("UMTS_900_GSM_850_900_1800_1900", "UMTS 900", 4)}},
                {"DefaultBandFrequency", 3}};
    }
};

TEST_F(DashboardNetworkSettingsTest, ChoosingThreeGOnlyReachesTheModem)
{
    start(fiveBands());
    gotoNetwork();
    QButtonGroup *modes = settings()->preferredModeMatrix();
    // The stand-in's start: automatic with 3G preferred.
    ASSERT_TRUE(QTest::qWaitFor([&] { return modes->checkedId() == 3; }, kWaitMs));
    modes->button(1)->click();
    ASSERT_TRUE(QTest::qWaitFor([] { return modemState(QStringLiteral("Network")).value("NetSearchMode").toInt() == 1; },
                                kWaitMs));
    EXPECT_TRUE(receivedIds().contains(QStringLiteral("513/76")));
    // The device's report of the new mode keeps "3G Only" chosen.
    ASSERT_TRUE(QTest::qWaitFor([] { return modemState(QStringLiteral("Network")).value("SearchMode").toInt() == 2; },
                                kWaitMs));
    QTest::qWait(200);
    EXPECT_EQ(modes->checkedId(), 1);
    EXPECT_EQ(settings()->getCurrentNetWorkPreferedMode(), 1);
    EXPECT_FALSE(settings()->bandControl()->isHidden());
    EXPECT_EQ(selectedBandTag(), 3);
    saveScreenshot(mainWindow(), QStringLiteral("network-panel.png"));
    if (auto *scroll = settings()->panel(QStringLiteral("Network"))->findChild<QScrollArea *>()) {
        scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
        saveScreenshot(mainWindow(), QStringLiteral("network-panel-roaming.png"));
    }
}

TEST_F(DashboardNetworkSettingsTest, BandAnswersOnChipsetFamilyOne)
{
    QVariantMap keys = fiveBands();
    keys.insert("Main/DeviceType", "Icera");
    setScenarioModem(QStringLiteral("Network"), {{QStringLiteral("BandResult"), 255}});
    start(keys);
    ASSERT_EQ(Platform::sharedPlatform()->platform(), Platform::Icera);
    gotoNetwork();
    QButtonGroup *bands = settings()->bandMatrix();
    bands->button(1)->click();
    settings()->SetNetFrequency(bands);
    ASSERT_TRUE(waitAlert(QStringLiteral("Failed to set frequency band")));
    EXPECT_EQ(selectedBandTag(), 3); // back to the default band
    EXPECT_FALSE(modemState(QStringLiteral("Network")).contains("Band")); // the modem kept its band

    ASSERT_EQ(control(QStringLiteral("SetModemState"), {QStringLiteral("Network"), QVariantMap{{QStringLiteral("BandResult"), 253}}})
                  .type(),
              QDBusMessage::ReplyMessage);
    presenter_.answerAllOpen();
    bands->button(2)->click();
    settings()->SetNetFrequency(bands);
    ASSERT_TRUE(waitAlert(QStringLiteral("Please replug the device")));
    EXPECT_EQ(selectedBandTag(), 3);
}

TEST_F(DashboardNetworkSettingsTest, RoamingSwitchFailurePutsBackOnlyThatBox)
{
    start();
    gotoNetwork();
    QCheckBox *national = settings()->nRoamSwitchBox();
    QCheckBox *international = settings()->iRoamSwitchBox();
    ASSERT_TRUE(national && international);
    ASSERT_TRUE(QTest::qWaitFor([&] { return national->isEnabled() && national->isChecked(); }, kWaitMs));
    EXPECT_TRUE(national->isVisible());
    ASSERT_EQ(control(QStringLiteral("SetModemState"),
                      {QStringLiteral("Network"), QVariantMap{{QStringLiteral("RoamSwitchResult"), 1}}})
                  .type(),
              QDBusMessage::ReplyMessage);
    national->click(); // off: (0, 1) goes out
    ASSERT_TRUE(waitAlert(QStringLiteral("Settings Failed!")));
    EXPECT_TRUE(receivedIds().contains(QStringLiteral("513/84")));
    EXPECT_TRUE(national->isChecked());
    EXPECT_TRUE(international->isChecked());
    EXPECT_EQ(modemState(QStringLiteral("Network")).value("NationalRoaming").toInt(), 1);

    ASSERT_EQ(control(QStringLiteral("SetModemState"),
                      {QStringLiteral("Network"), QVariantMap{{QStringLiteral("RoamSwitchResult"), 0}}})
                  .type(),
              QDBusMessage::ReplyMessage);
    presenter_.answerAllOpen();
    national->click();
    ASSERT_TRUE(waitAlert(QStringLiteral("Settings successful!")));
    EXPECT_FALSE(national->isChecked());
    EXPECT_TRUE(international->isChecked());
    ASSERT_TRUE(QTest::qWaitFor([] { return modemState(QStringLiteral("Network")).value("NationalRoaming").toInt() == 0; },
                                kWaitMs));
    EXPECT_EQ(modemState(QStringLiteral("Network")).value("InternationalRoaming").toInt(), 1);
}

TEST_F(DashboardNetworkSettingsTest, PluggingTheDeviceSetsTheConnectionType)
{
    setScenarioModem(QStringLiteral("Network"), {{QStringLiteral("NdisCapable"), 1}});
    start({{"DialAdaption", true}, {"ConnectType", 0}});
    ASSERT_TRUE(QTest::qWaitFor([&] { return storedSettings().value("ConnectType").toInt() == 1; }, kWaitMs));
    EXPECT_TRUE(receivedIds().contains(QStringLiteral("258/74")));
}

TEST_F(DashboardNetworkSettingsTest, ShippedSettingsShowTheWcdmaModesWithoutBand)
{
    start();
    gotoNetwork();
    // The stand-in is a WCDMA modem: the preferred modes show, the CDMA preference does not.
    ASSERT_TRUE(QTest::qWaitFor([&] { return settings()->cdmaPreferenceControl()->isHidden(); }, kWaitMs));
    EXPECT_FALSE(settings()->searchModeControl()->isHidden());
    // No band list in the shipped settings: neither the band nor its save button shows.
    EXPECT_TRUE(settings()->bandControl()->isHidden());
    EXPECT_TRUE(settings()->bandSaveControl()->isHidden());
    settings()->SetNetFrequency(settings()->bandMatrix());
    QTest::qWait(200);
    EXPECT_FALSE(receivedIds().contains(QStringLiteral("513/82")));
    saveScreenshot(mainWindow(), QStringLiteral("network-panel-shipped.png"));
}

TEST_F(DashboardNetworkSettingsTest, ACdmaModemSendsItsPreference)
{
    setScenarioModem(QStringLiteral("DeviceState"), {{QStringLiteral("DeviceMode"), 3}});
    start();
    gotoNetwork();
    QWidget *cdmaBox = settings()->cdmaPreferenceControl();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !cdmaBox->isHidden() && cdmaBox->isEnabled(); }, kWaitMs));
    EXPECT_TRUE(settings()->searchModeControl()->isHidden());
    QButtonGroup *preference = settings()->cdmaPreferenceMatrix();
    EXPECT_EQ(preference->checkedId(), 0); // the modem's "CDMA Automatic" (8)
    preference->button(1)->click();        // "1x Only"
    ASSERT_TRUE(QTest::qWaitFor([] { return modemState(QStringLiteral("Network")).value("CdmaPreference").toInt() == 2; },
                                kWaitMs));
    EXPECT_TRUE(receivedIds().contains(QStringLiteral("3/6")));
    QTest::qWait(200); // the modem's report of the new value keeps the choice
    EXPECT_EQ(preference->checkedId(), 1);
    saveScreenshot(mainWindow(), QStringLiteral("network-panel-cdma.png"));
}

TEST_F(DashboardNetworkSettingsTest, FirstStartSwitchesInternationalRoamingOnSilently)
{
    setScenarioModem(QStringLiteral("Network"), {{QStringLiteral("InternationalRoaming"), 0}});
    start({{"Setting/SetDefaultIroamSwitchOnAfterFinishInstalling", true}});
    ASSERT_TRUE(QTest::qWaitFor([] { return modemState(QStringLiteral("Network")).value("InternationalRoaming").toInt() == 1; },
                                kWaitMs));
    EXPECT_EQ(modemState(QStringLiteral("Network")).value("NationalRoaming").toInt(), 1);
    EXPECT_TRUE(settings()->iRoamSwitchBox()->isChecked());
    QTest::qWait(200); // the answer to the start-up send tells the user nothing
    EXPECT_FALSE(presenter_.messages().contains(QStringLiteral("Settings successful!")));
    EXPECT_FALSE(yov::nsBool(storedSettings().value("Setting").toMap().value("SetDefaultIroamSwitchOnAfterFinishInstalling")));
}

struct RecordingStk : STKControllerInterface {
    void ExitClicked() override { calls << QStringLiteral("ExitClicked"); }
    void SelectClicked(int index) override { calls << QStringLiteral("SelectClicked:%1").arg(index); }
    QStringList calls;
};

TEST_F(DashboardNetworkSettingsTest, RoamingIdentityFollowsTheImsiAndDrivesTheSimMenu)
{
    // The stand-in's SIM: IMSI 26202..., listed as a roaming identity.
    start({{"SpecialImsiRoam", true},
           {"Setting/Setting_RoamingImsiSet", true},
           {"IMSIHomeCfg", QVariantList{"26201"}},
           {"IMSIRoamingCfg", QVariantList{"26202"}}});
    static RecordingStk stk; // outlives the dashboard, which the fixture ends after the test
    stk.calls.clear();
    Neighbours::setStk(&stk); // the dashboard's start puts the defaults in place
    gotoNetwork();
    QButtonGroup *identity = settings()->roamingImsiMatrix();
    ASSERT_TRUE(identity);
    ASSERT_TRUE(QTest::qWaitFor([&] { return identity->checkedId() == 1; }, kWaitMs));
    EXPECT_FALSE(identity->button(0)->isEnabled()); // until the SIM toolkit's menu is there
    Neighbours::setting().setRoamingIMSISelectEnabled(true); // as the SIM toolkit host does
    identity->button(0)->click();
    EXPECT_EQ(stk.calls, (QStringList{"ExitClicked", "SelectClicked:0"}));
    EXPECT_EQ(Neighbours::setting().roamingImsiType(), 0);
    EXPECT_TRUE(Neighbours::setting().roamingImsiSet());
}

} // namespace
