// The "Network" panel's device settings in the settings controller: preferred mode, CDMA
// preference, band matrix, band answers and reports, the compact page, the network device
// information, and the roaming switches and identity.
#include "SettingsHarness.h"

#include "common/records/Payload.h"
#include "ostrel/framework/service/Platform.h"

#include <QAbstractButton>
#include <QButtonGroup>

using namespace settingstest;

namespace {

struct RoamInit : RecordingInit {
    int nRoamDefaultValue() const override { return nRoam; }
    int iRoamDefaultValue() const override { return iRoam; }
    QString iccidStr() const override { return iccid; }
    void setAllowAlertSel3GPreferWhenSignalToNoSignal(bool allow) override { allowed << allow; }
    int nRoam = 0, iRoam = 0;
    QString iccid;
    QList<bool> allowed;
};

struct RecordingStk : ostrel::STKControllerInterface {
    void ExitClicked() override { calls << "ExitClicked"; }
    void SelectClicked(int index) override { calls << QStringLiteral("SelectClicked:%1").arg(index); }
    QStringList calls;
};

QVariantMap band(const char *frequency, int index, bool isDefault = false)
{
    return {{"Frequency", QLatin1String(frequency)}, {"Title", QLatin1String(frequency)}, {"Index", index},
            {"IsDefault", isDefault}};
}

QVariantList fiveBands()
{
    return {band("UMTS_850_1900_2100", 0), band("UMTS_850_GSM_900_1800", 1), band("UMTS_2100_GSM_900_1800", 2),
            band("UMTS_850_2100_GSM_900_1800", 3, true), band("UMTS_850_1900_GSM_850_1900", 4)};
}

class NetworkPanelTest : public SettingsFixture {
protected:
    void SetUp() override
    {
        SettingsFixture::SetUp();
        setItems({"System", "Connect", "Network", "Security"});
    }
    void TearDown() override
    {
        ostrel::Platform::sharedPlatform()->reset();
        ostrel::Neighbours::setStk(nullptr);
        SettingsFixture::TearDown();
    }
    void start()
    {
        makeController();
        ostrel::Neighbours::setInit(&roamInit);
        controller->setSettingBtnStatus(true); // a device is there
        transport->sent.clear();
    }
    // The (major/minor, first int32) of the requests sent since the last clear.
    QStringList sentRequests() const
    {
        QStringList out;
        for (const Sent &s : sent())
            out << QStringLiteral("%1/%2:%3").arg(s.major).arg(s.minor).arg(yov::PayloadReader(s.data).int32(0));
        return out;
    }
    QButtonGroup *bands() const { return controller->bandMatrix(); }
    QStringList bandTags() const
    {
        QStringList tags;
        for (int row = 0; row < ostrel::SettingController::kBandMatrixRows; ++row)
            tags << QString::number(controller->bandTagAtRow(row));
        return tags;
    }
    void deliverInt(int major, int minor, int type, int module, int value, int bytes = 4)
    {
        deliver(major, minor, type, 0, module, yov::int32Words({value, 0}).left(bytes));
    }

    RoamInit roamInit;
};

TEST_F(NetworkPanelTest, OfferedModesAndChoosingOne)
{
    config->setConfigurationByModule("NetworkSelectMode", QVariantList{"3GPref", "Only2G"});
    set("Internet", "d3uAlertSel3G_PreferWhenSignalToNoSignal", true);
    start();
    QButtonGroup *modes = controller->preferredModeMatrix();
    QStringList titles;
    for (QAbstractButton *cell : modes->buttons())
        titles << cell->text();
    EXPECT_EQ(titles, (QStringList{"2G Only", "3G Preferred"}));
    EXPECT_TRUE(controller->NetworkModeHasModuleWith("Only2G"));
    EXPECT_FALSE(controller->NetworkModeHasModuleWith("Only3G"));

    modes->button(0)->click();
    modes->button(3)->click();
    EXPECT_EQ(sentRequests(), (QStringList{"513/76:0", "513/76:3"}));
    EXPECT_EQ(roamInit.allowed, QList<bool>{true});
    EXPECT_EQ(controller->getCurrentNetWorkPreferedMode(), 2);
    EXPECT_EQ(controller->getNetworkFindModeSelection(), "3G Preferred");
}

TEST_F(NetworkPanelTest, ModeChoiceSwitches)
{
    set("Setting", "Setting_CurrentNetPreSys", 0);
    set("Setting", "Setting_SetSearchNetMode2GOnly_IfChoose3GPref", true);
    start();
    controller->preferredModeMatrix()->button(3)->click();
    EXPECT_EQ(sentRequests(), QStringList{"513/76:0"}); // 3G Preferred travels as 0 with the switch
    EXPECT_EQ(config->getConfigurationByModule("Setting").toMap().value("Setting_CurrentNetPreSys").toInt(), 3);
    EXPECT_TRUE(roamInit.allowed.isEmpty());

    transport->sent.clear();
    set("Setting", "noNeedSendATWhenClickPreferMode", true);
    controller->preferredModeMatrix()->button(1)->click();
    EXPECT_TRUE(sentRequests().isEmpty());
}

TEST_F(NetworkPanelTest, ModeReportsSelectAndEnable)
{
    start();
    QButtonGroup *modes = controller->preferredModeMatrix();
    controller->dealWithMsgOfCheckSearchmode(0, 0, 0);
    EXPECT_EQ(modes->checkedId(), 3);
    EXPECT_TRUE(controller->searchModeControl()->isEnabled());
    EXPECT_TRUE(controller->bandControl()->isEnabled());

    controller->dealWithMsgOfCheckSearchmode(5, 1, 0); // no cell, but the matrix is still disabled
    EXPECT_EQ(modes->checkedId(), 3);
    EXPECT_FALSE(controller->searchModeControl()->isEnabled());
    EXPECT_EQ(controller->methodToSelectNetMatrix()->checkedId(), 1);

    controller->dealWithMsgOfCheckSearchmodeForIcera(2, 0);
    EXPECT_EQ(modes->checkedId(), 2);
    EXPECT_TRUE(controller->searchModeControl()->isEnabled());

    controller->dealWithMsgOfCheckPreferenceMode(2);
    EXPECT_EQ(controller->cdmaPreferenceMatrix()->checkedId(), 1);
    controller->dealWithMsgOfCheckPreferenceMode(3);
    EXPECT_EQ(controller->cdmaPreferenceMatrix()->checkedId(), 1);
    controller->cdmaPreferenceMatrix()->button(2)->click();
    EXPECT_EQ(sentRequests(), QStringList{"3/6:4"});

    controller->setWCDMASelectNetworkVisible(true);
    controller->setCDMASelectNetworkVisible(false);
    EXPECT_TRUE(controller->searchModeControl()->isHidden());
    EXPECT_FALSE(controller->cdmaPreferenceMatrix()->buttons().first()->parentWidget()->isHidden());
}

TEST_F(NetworkPanelTest, BandMatrixFromTheSettings)
{
    QVariantList four = fiveBands();
    four.removeLast();
    QVariantList reordered = fiveBands();
    reordered[0] = band("UMTS_850_1900_2100", 3);
    reordered[3] = band("UMTS_850_2100_GSM_900_1800", 0, true); // default at position 3, row 0
    QVariantList unknown = fiveBands();
    unknown[4] = band("UMTS_ALL", 4);
    QVariantList indexTwice = fiveBands();
    indexTwice[4] = band("UMTS_850_1900_GSM_850_1900", 3); // row 4 left without a band
    const struct {
        const char *name;
        QVariant setting;
        bool shown;
        QString tags;
        int selected;
    } cases[] = {
        {"missing", QVariant(), false, {}, -1},
        {"empty", QVariantList{}, false, {}, -1},
        {"four for five", four, false, {}, -1},
        {"reordered", reordered, true, "3 1 2 0 4", 0},
        {"unknown", unknown, true, "0 1 2 3 -1", 3},
        {"index twice", indexTwice, true, "0 1 2 4 -1", 3},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.setting.isValid())
            set("Setting", "FrequencySetting", c.setting);
        else
            config->removeConfigurationByModuleAndKey("Setting", "FrequencySetting");
        start();
        EXPECT_EQ(!controller->bandControl()->isHidden(), c.shown);
        EXPECT_EQ(!controller->bandSaveControl()->isHidden(), c.shown); // the save button goes with it
        if (!c.shown) {
            controller->SetNetFrequency(bands()); // hidden band controls send nothing
            EXPECT_TRUE(sentRequests().isEmpty());
        }
        if (c.shown) {
            EXPECT_EQ(bandTags().join(' '), c.tags);
            EXPECT_EQ(controller->selectedBandRow(), c.selected);
        }
        if (c.shown) {
            EXPECT_EQ(bands()->button(4)->isEnabled(), c.tags.endsWith(" 4")); // a row without a band is off
        }
        if (QString(c.name) == "unknown") {
            EXPECT_FALSE(bands()->button(4)->isEnabled());
            controller->SetNetFrequency(bands()->button(4));
            EXPECT_TRUE(sentRequests().isEmpty()); // -1 is never sent
            controller->SetNetFrequency(bands());
            EXPECT_EQ(sentRequests(), QStringList{"513/82:3"});
        }
        controller.reset();
    }
}

TEST_F(NetworkPanelTest, BandAnswerOnEachPlatform)
{
    set("Setting", "FrequencySetting", fiveBands());
    config->setConfigurationByModule("DefaultBandFrequency", 3);
    const struct {
        int platform;
        int result;
        const char *alert;
        int bandAfter; // the tag selected after the answer
        int current;   // currentBandTag after it
    } cases[] = {
        {1, 0, nullptr, 1, 1},
        {1, 0xFF, "Failed to set frequency band", 3, 0},
        {1, 0xFD, "Please replug the device", 3, 0},
        {1, 7, nullptr, 1, 0},
        {2, 0xFF, nullptr, 1, 0},
        {2, 0, nullptr, 1, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.platform << " " << c.result);
        ostrel::Platform::sharedPlatform()->setPlatform(c.platform);
        start();
        alerts.clear();
        bands()->button(1)->click();
        controller->SetNetFrequency(bands());
        EXPECT_EQ(sentRequests(), QStringList{"513/82:1"});
        deliver(513, 82, 1, c.result);
        EXPECT_EQ(alerts.messages(), c.alert ? QStringList{c.alert} : QStringList{});
        EXPECT_EQ(controller->bandTagAtRow(controller->selectedBandRow()), c.bandAfter);
        EXPECT_EQ(controller->currentBandTag(), c.current);
        controller.reset();
    }
}

TEST_F(NetworkPanelTest, BandReportsOnAndOffTheCompactPage)
{
    set("Setting", "FrequencySetting", fiveBands());
    const struct {
        const char *name;
        int type, module, value, bytes;
        int selectedOff;         // tag selected off the compact page
        int selectedSmart;       // and on it
        bool sendsOnSmart;       // 513/82 goes out on the compact page
    } cases[] = {
        {"own report 4", 1, 3, 4, 4, 4, 4, false},
        {"own report 0", 1, 3, 0, 4, 0, 3, true},
        {"other module", 1, 2, 4, 4, 3, 3, false},
        {"type 0", 0, 3, 4, 4, 3, 3, false},
        {"two bytes", 1, 3, 4, 2, 3, 3, false},
    };
    for (bool smart : {false, true}) {
        set("UIConfig", "SmartUI", smart);
        for (const auto &c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << " smart " << smart);
            start();
            deliverInt(513, 81, c.type, c.module, c.value, c.bytes);
            EXPECT_EQ(controller->bandTagAtRow(controller->selectedBandRow()), smart ? c.selectedSmart : c.selectedOff);
            EXPECT_EQ(sentRequests().contains("513/82:3"), smart && c.sendsOnSmart);
            controller.reset();
        }
    }
}

TEST_F(NetworkPanelTest, CompactPageKeepsTheBandOffWith2GOnly)
{
    set("UIConfig", "SmartUI", true);
    start();
    controller->smartUISetMatrixEnable(true); // manual operator selection opens the matrices
    controller->preferredModeMatrix()->button(0)->click();
    EXPECT_TRUE(sentRequests().isEmpty()); // choosing a mode there sends nothing
    controller->setMatrixFrequencySelectEnable(true);
    EXPECT_FALSE(controller->bandControl()->isEnabled());
    controller->preferredModeMatrix()->button(1)->click();
    EXPECT_TRUE(controller->bandControl()->isEnabled());
}

TEST_F(NetworkPanelTest, NetDeviceInformationSetsTheConnectionType)
{
    config->setConfigurationByModule("DialAdaption", true);
    start();
    center.post("DevicePlugin", nullptr);
    EXPECT_EQ(sentRequests(), QStringList{"258/74:0"});
    const struct {
        const char *name;
        int type;
        QByteArray data;
        int connectType; // -1: unchanged (left at 5)
    } cases[] = {
        {"NDIS", 1, yov::int32Words({1, 1}), 1},
        {"RAS", 1, yov::int32Words({1, 0}), 0},
        {"short", 1, yov::int32Words({1}), -1},
        {"type 2", 2, yov::int32Words({1, 1}), -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        config->setConfigurationByModule("ConnectType", 5);
        deliver(258, 74, c.type, 0, 3, c.data);
        EXPECT_EQ(config->getConfigurationByModule("ConnectType").toInt(), c.connectType < 0 ? 5 : c.connectType);
    }
}

TEST_F(NetworkPanelTest, RoamSwitchRecordWithOnlyTheInternationalBox)
{
    start();
    roamInit.nRoam = 1;
    auto *iRoam = new QCheckBox; // the panel takes it
    controller->setRoamSwitches(nullptr, iRoam);
    iRoam->click(); // on
    ASSERT_EQ(sent().size(), 1u);
    EXPECT_EQ(sent()[0].major, 513);
    EXPECT_EQ(sent()[0].minor, 84);
    EXPECT_EQ(sent()[0].data, yov::int32Words({1, 1}));
}

TEST_F(NetworkPanelTest, RoamSwitchAnswers)
{
    const struct {
        const char *name;
        bool byUser;   // the national box clicked (else the start-up send)
        int result;    // -1: no answer
        qint64 waitMs; // before the answer
        const char *alert;
        bool nRoamAfter, iRoamAfter;
    } cases[] = {
        {"user success", true, 0, 0, "Settings successful!", false, true},
        {"user failure", true, 1, 0, "Settings Failed!", true, true},
        {"start-up success", false, 0, 0, nullptr, true, true},
        {"start-up failure", false, 1, 0, nullptr, true, true},
        {"user, no answer for 30 s", true, 0, 30000, "Settings Failed!", true, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        start();
        alerts.clear();
        auto *nRoamBox = new QCheckBox, *iRoamBox = new QCheckBox; // the panel takes them
        QCheckBox &nRoam = *nRoamBox, &iRoam = *iRoamBox;
        nRoam.setChecked(true);
        iRoam.setChecked(true);
        controller->setRoamSwitches(&nRoam, &iRoam);
        if (c.byUser)
            nRoam.click();
        else
            controller->sendSetRoamSwitch();
        ASSERT_EQ(sent().size(), 1u);
        EXPECT_EQ(sent()[0].data, c.byUser ? yov::int32Words({0, 1}) : yov::int32Words({1, 1}));
        EXPECT_EQ(controller->isManualSetRoamSwitch(), c.byUser);
        clock.advance(c.waitMs);
        deliver(513, 84, 1, c.result);
        EXPECT_EQ(alerts.messages(), c.alert ? QStringList{c.alert} : QStringList{});
        EXPECT_EQ(nRoam.isChecked(), c.nRoamAfter);
        EXPECT_EQ(iRoam.isChecked(), c.iRoamAfter); // the box the user left alone stays
        EXPECT_FALSE(controller->isManualSetRoamSwitch());
        controller.reset();
    }

    // An answer with nothing pending, and one from another module, change nothing.
    start();
    alerts.clear();
    auto *iRoam = new QCheckBox;
    controller->setRoamSwitches(new QCheckBox, iRoam);
    deliver(513, 84, 1, 1);
    iRoam->click();
    deliver(513, 84, 1, 1, 2);
    EXPECT_TRUE(alerts.messages().isEmpty());
    EXPECT_TRUE(iRoam->isChecked());
    EXPECT_TRUE(controller->isManualSetRoamSwitch());
}

TEST_F(NetworkPanelTest, RoamingIdentity)
{
    set("Setting", "Setting_RoamingImsiSet", true);
    config->setConfigurationByModule("IMSIHomeCfg", QVariantList{"46000", "23415"});
    config->setConfigurationByModule("IMSIRoamingCfg", QVariantList{"40467", "23415"});
    start();
    QButtonGroup *identity = controller->roamingImsiMatrix();
    ASSERT_TRUE(identity);
    EXPECT_FALSE(identity->button(0)->isEnabled()); // until the SIM toolkit's menu arrives
    const struct {
        const char *imsi;
        const char *iccid;
        int tag;
    } cases[] = {
        {"404671234567890", "89916712345678", 1}, // "67": looked up, in the roaming list
        {"460001234567890", "", 0},
        {"404671234567890", "89911212345678", 1},
        {"234151234567890", "", 0}, // in both: home
        {"404671234567890", "8991", 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.imsi);
        identity->button(c.tag == 0 ? 1 : 0)->setChecked(true);
        roamInit.iccid = QLatin1String(c.iccid);
        controller->setRoamingStateAccordImsi(QLatin1String(c.imsi));
        EXPECT_EQ(identity->checkedId(), c.tag);
    }
    identity->button(0)->setChecked(true);
    controller->setRoamingStateAccordImsi("4046"); // too short: unchanged
    EXPECT_EQ(identity->checkedId(), 0);
    EXPECT_TRUE(sent().empty());

    RecordingStk stk;
    ostrel::Neighbours::setStk(&stk);
    controller->setRoamingIMSISelectEnabled(true);
    identity->button(1)->click();
    EXPECT_EQ(stk.calls, (QStringList{"ExitClicked", "SelectClicked:0"}));
    EXPECT_TRUE(controller->roamingImsiSet());
    EXPECT_EQ(controller->roamingImsiType(), 1);
}

} // namespace
