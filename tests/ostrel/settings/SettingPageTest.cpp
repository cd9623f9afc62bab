// The settings page: which panels exist, the device-dependent enabling, the device events, the
// tab gate, SmartUI item selection, the registrations, the skin keys and the wording.
#include "SettingsHarness.h"

#include "ostrel/framework/plugin/TabPluginInterface.h"

#include <QButtonGroup>
#include <QFile>
#include <QTemporaryDir>
#include <QLabel>
#include <QSet>

namespace {

using namespace settingstest;
using ostrel::SettingController;

class SettingPageTest : public SettingsFixture {};

const QStringList kAllPanels = {"System", "Connect", "Network", "Security", "SMS",
                                "Call",   "Alert",   "Browser", "FavoriteLinks", "Record"};

TEST_F(SettingPageTest, PanelsFollowSettingDefaultItem)
{
    const struct {
        const char *name;
        QVariant items;
        QStringList panels;
        QStringList answersYes; // sethasModuleWith
    } cases[] = {
        {"missing", QVariant(), kAllPanels, {}},
        {"a string", QVariant(QStringLiteral("System")), kAllPanels, {}},
        {"two", QVariantList{"System", "Network"}, {"System", "Network"}, {"System", "Network"}},
        {"switches and a number", QVariantList{"Security", 7, "D3USetting", "OnlineUpdate"}, {"Security"},
         {"Security", "D3USetting", "OnlineUpdate"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        controller.reset();
        if (c.items.isValid())
            config->setConfigurationByModule("SettingDefaultItem", c.items);
        else
            config->removeConfigurationByModule("SettingDefaultItem");
        makeController();
        EXPECT_EQ(controller->panelNames(), c.panels);
        for (const QString &name : kAllPanels + QStringList{"D3USetting", "OnlineUpdate", "Connection"})
            EXPECT_EQ(controller->sethasModuleWith(name), c.answersYes.contains(name)) << qPrintable(name);
    }
}

TEST_F(SettingPageTest, ToolbarWithoutSmsOrCallHidesTheirRows)
{
    const struct {
        QStringList toolbar;
        bool sms, call;
    } cases[] = {{{"Internet", "SMS", "Call"}, true, true}, {{"Internet", "Call"}, false, true},
                 {{"Internet", "SMS"}, true, false},        {{"Internet"}, false, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(qPrintable(c.toolbar.join(',')));
        controller.reset();
        QVariantList items;
        for (const QString &id : c.toolbar)
            items << QVariantMap{{"itemIdentifier", id}};
        config->setConfigurationByModule("toolBarItems", items);
        set("UIConfig", "NoToolbar", true);
        setItems({"Alert", "Security"});
        makeController();
        EXPECT_EQ(controller->smsBackupRow()->isVisibleTo(controller->panel("Security")), c.sms);
        EXPECT_EQ(controller->smsSoundRow()->isVisibleTo(controller->panel("Alert")), c.sms);
        EXPECT_EQ(controller->callSoundRow()->isVisibleTo(controller->panel("Alert")), c.call);
    }
}

TEST_F(SettingPageTest, SettingBtnStatusEnablesByDeviceState)
{
    setItems({"System", "Connect", "Network", "Security"});
    makeController();
    const struct {
        bool flag, pinOn;
        int methodRow;
        bool revise, modifyItem, disableItem, enableItem, searchMode, search;
    } cases[] = {
        {true, true, 0, true, true, true, false, true, false},
        {true, false, 0, false, false, false, true, true, false},
        {true, false, 1, false, false, false, true, false, true},
        {false, true, 1, false, false, false, false, false, false},
        {false, false, 0, false, false, false, false, false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.flag << c.pinOn << c.methodRow);
        posted.clear();
        controller->pinEnableBox()->setChecked(c.pinOn);
        controller->methodToSelectNetMatrix()->button(c.methodRow)->setChecked(true);
        controller->setSettingBtnStatus(c.flag);
        EXPECT_EQ(controller->revisePinButton()->isEnabled(), c.revise);
        EXPECT_EQ(main.enabledItems.value("Modify PIN"), c.modifyItem);
        EXPECT_EQ(main.enabledItems.value("Disable PIN"), c.disableItem);
        EXPECT_EQ(main.enabledItems.value("Enable PIN"), c.enableItem);
        EXPECT_EQ(controller->searchModeControl()->isEnabled(), c.searchMode);
        EXPECT_EQ(controller->bandControl()->isEnabled(), c.flag);
        EXPECT_EQ(controller->connectTypeMatrix()->button(0)->parentWidget()->isEnabled(), c.flag);
        const auto status = postedNamed("setSettingBtnStatus");
        ASSERT_EQ(status.size(), 1);
        EXPECT_EQ(status[0].userInfo.value("index").toBool(), c.flag);
        EXPECT_EQ(status[0].object, controller.get());
    }
}

TEST_F(SettingPageTest, DeviceRemovalCallsTheMainWindowBySimStatusSwitch)
{
    const struct {
        bool bySim;
        QStringList calls;
    } cases[] = {
        {true, {"selectFirstMainTab", "toolbarSetEnable:0"}},
        {false, {"toolbarSetEnable:1", "disableUSSDToolbarForMalaixiya", "setToolbarEnableWhenSimDetected:0"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bySim);
        controller.reset();
        setItems({"Network", "Connect"});
        set("MAINFORM", "TooBarEnableBySimStatus", c.bySim);
        makeController();
        main.calls.clear();
        controller->setSettingBtnStatus(true);
        center.post("DeviceRemoved", nullptr, {});
        EXPECT_EQ(main.calls, c.calls);
        EXPECT_FALSE(controller->bandControl()->isEnabled());
        EXPECT_TRUE(controller->connectTypeMatrix()->button(0)->parentWidget()->isEnabled())
            << "the connection type can be changed without a device";
    }
}

TEST_F(SettingPageTest, EnteringTheSettingsTabPassesTheDeviceLockGate)
{
    const struct {
        bool function, lockOn;
        int answerModule;
        bool sheet;
        const char *tabAfterSuccess;
        const char *tabAfterFailure;
    } cases[] = {
        {true, true, 6, true, "Setting", "Internet"},
        {true, true, 2, true, "SMS", "SMS"},
        {true, false, 2, false, "SMS", "SMS"},
        {false, true, 2, false, "SMS", "SMS"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.function << c.lockOn << c.answerModule);
        controller.reset();
        setItems({"Security"});
        config->setConfigurationByModule("DeviceLockSettingFunction", c.function);
        makeController();
        controller->setDeviceUnlockCodeState(c.lockOn);
        for (bool success : {true, false}) {
            init.unlockWindows.clear();
            init.setDeviceLockFunctionModule(0);
            // Through the main menu's "Preferences..." item, the tab's own road.
            ASSERT_TRUE(main.actions.contains("Preferences..."));
            main.actions["Preferences..."]();
            EXPECT_EQ(ostrel::tabViewItemIdentifier(tabs->currentWidget()), "Setting") << "the change goes on behind the sheet";
            EXPECT_EQ(init.unlockWindows.size(), c.sheet ? 1 : 0);
            if (c.sheet) {
                EXPECT_EQ(init.getDeviceLockFunctionModule(), 6);
            }
            tabs->setCurrentIndex(1);
            init.setDeviceLockFunctionModule(c.answerModule);
            center.post(success ? "DeviceUnlockSuccess" : "DeviceUnlockFailed", nullptr, {});
            EXPECT_EQ(ostrel::tabViewItemIdentifier(tabs->currentWidget()),
                      QLatin1String(success ? c.tabAfterSuccess : c.tabAfterFailure));
            EXPECT_EQ(init.unlockWindows.size(), c.sheet ? 1 : 0) << "an accepted code is not asked for again";
        }
    }
    EXPECT_TRUE(main.menuItems.contains("Edit/Preferences..."));
}

TEST_F(SettingPageTest, SmartItemTagsSelectPanelAndTitle)
{
    setItems({"System", "SMS", "Connect", "Network", "Security", "Alert"});
    makeController();
    const struct {
        int tag;
        const char *panel;
        const char *title;
    } cases[] = {
        {0, "System", "System Settings"},   {1, "SMS", "SMS Settings"},
        {2, "SMS", "Connection Settings"}, // "Connection" names no panel: the panel stays
        {3, "Network", "Network Settings"}, {4, "Security", "Security Settings"}, {5, "Alert", "Alert Settings"},
        {6, "Alert", "Alert Settings"},     // above 5: nothing changes
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.tag);
        posted.clear();
        tabs->setCurrentIndex(0);
        controller->settingTabViewItemSelectTag(c.tag);
        EXPECT_EQ(ostrel::tabViewItemIdentifier(controller->settingTabView()->currentWidget()), c.panel);
        EXPECT_EQ(controller->pageTitle()->text(), c.title);
        ASSERT_EQ(postedNamed("TabViewItemWillChange").size(), 1);
        EXPECT_EQ(postedNamed("TabViewItemWillChange")[0].userInfo.value("TabViewItemWillChange"), "Setting");
    }
}

TEST_F(SettingPageTest, RegistrationsFollowTheTables)
{
    const std::vector<std::pair<int, int>> expected = {
        {513, 82}, {513, 76}, {513, 78}, {513, 79}, {4, 14},    {4, 8},     {4, 12},    {4, 9},    {4, 11},
        {4, 18},   {768, 95}, {768, 96}, {258, 74}, {513, 81},  {513, 83},  {513, 84},  {8, 26},   {512, 164},
        {8, 30},   {2307, 157}, {2307, 156}, {2307, 158}, {2307, 161}, {2307, 159}, {2307, 160}, {768, 107}, {768, 108}};
    ASSERT_EQ(SettingController::kMessageTableSize, int(expected.size()));
    for (int i = 0; i < SettingController::kMessageTableSize; ++i) {
        EXPECT_EQ(SettingController::kMessageTable[i].major, expected[size_t(i)].first) << i;
        EXPECT_EQ(SettingController::kMessageTable[i].minor, expected[size_t(i)].second) << i;
    }
    const QStringList notifications = {"init_NetworkStatus", "changePinActiveStatus", "pinModifyBtnClicked",
                                       "setNetModeChanged",  "methodToSelectNetChanged", "btMessageSetApply",
                                       "pinSettingUnlockClicked", "manualRegisterNet"};
    QStringList table;
    for (const auto *row = SettingController::settingNotificationTable; row->selector; ++row)
        table << row->notification;
    EXPECT_EQ(table, notifications);
    EXPECT_STREQ(SettingController::deviceFunctionNotficationTable[0].notification, "DeviceUnlockSuccess");
    EXPECT_STREQ(SettingController::deviceFunctionNotficationTable[1].notification, "DeviceUnlockFailed");
    EXPECT_STREQ(SettingController::settingObServerTable[0].notification, "MainwindOfAppChanged");

    // Every registered record reaches the controller without harm, seams included; the lock's
    // handlers answer.
    alerts.setHoldOpen(true);
    setItems({"Security"});
    makeController();
    for (const auto &[major, minor] : expected)
        deliver(major, minor, 1, 0);
    // The PIN answers come first; a tries report without tries opens the PUK sheet.
    alerts.answerAllOpen();
    ASSERT_TRUE(controller->pukSheet()->isVisible());
    controller->pukSheet()->reject();
    alerts.answerAllOpen();
    EXPECT_EQ(alerts.messages().mid(0, 5), (QStringList{"Settings successful!", "New PIN enabled!", "New PIN enabled!",
                                              "Settings successful!", "Device lock disabled!"}));
    EXPECT_EQ(postedNamed("DeviceUnlockSuccess").size(), 1);
}

TEST_F(SettingPageTest, SkinKeysAndTheirControls)
{
    const QStringList &keys = SettingController::skinKeys();
    EXPECT_EQ(keys.size(), 150);
    EXPECT_EQ(keys.first(), "tabviewSetting");
    EXPECT_EQ(keys.last(), "txdCallBarPassword");
    EXPECT_EQ(keys.count("btnCallSettingApply"), 2);
    EXPECT_EQ(keys.count("btnReadCallSetStatus"), 2);
    setItems({"Security", "Network", "Connect"});
    makeController();
    for (const char *key : {"tabviewSetting", "wndSettingUnlockDevice", "wndModifyUnlockDevice",
                            "btnSettingCheckDeviceUnlockCodeEnable", "btnModifyDeviceUnlockCodeSetting",
                            "textUnlockDeviceCodeSetting", "btnUnlockDeviceOKSetting", "matrixSettingMethodToSelectNet",
                            "MatrixConnectTypeSetting", "BarSsearchProcess"})
        EXPECT_NE(controller->controlForSkinKey(QLatin1String(key)), nullptr) << key;
    // The call and SMS panels' controls are built with the page and bind like the others.
    for (const char *key : {"btnDivertAll", "txdCallBarPassword", "callSettingView", "btnCallSettingApply",
                            "textMessageCenterSetting", "btnSettingMsgSetApply", "matrixSettingDeliveryReport"})
        EXPECT_NE(controller->controlForSkinKey(QLatin1String(key)), nullptr) << key;
}

// A skin that has the items it is given and records what is bound to them.
class KeyedSkin final : public ostrel::SkinManagerAccess {
public:
    explicit KeyedSkin(QSet<QString> keys) : keys_(std::move(keys)) {}
    bool registerController(QObject *control, const QString &key, bool) override
    {
        if (!control || !keys_.contains(key))
            return false;
        bound << key;
        return true;
    }
    bool updateItem(QObject *) override { return false; }
    QObject *controllerByKey(const QString &) const override { return nullptr; }
    bool hasKey(const QString &key) const override { return keys_.contains(key); }
    bool setImageForKey(const QString &, const QString &, bool) override { return false; }
    QStringList bound;

private:
    QSet<QString> keys_;
};

TEST_F(SettingPageTest, SmartUiMovesTheNetworkControlsOnlyWhenOnAndSkinned)
{
    const struct {
        bool smart, skinned, moved;
    } cases[] = {{false, true, false}, {true, false, false}, {true, true, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.smart << c.skinned);
        controller.reset();
        KeyedSkin keyed({"viewInSetting", "tabviewSetting", "btnSettingCheckDeviceUnlockCodeEnable"});
        skin = c.skinned ? &keyed : nullptr;
        setItems({"System", "Network", "Security"});
        set("UIConfig", "SmartUI", c.smart);
        makeController();
        QWidget *network = controller->panel("Network");
        for (QWidget *control : {controller->searchModeControl(), controller->bandControl()})
            EXPECT_EQ(network->isAncestorOf(control), !c.moved);
        if (c.skinned) {
            EXPECT_TRUE(keyed.bound.contains("tabviewSetting"));
            EXPECT_TRUE(keyed.bound.contains("btnSettingCheckDeviceUnlockCodeEnable"));
        }
        controller.reset();
        skin = nullptr;
    }
}

TEST_F(SettingPageTest, WordingPerItemAndAfterALanguageChange)
{
    setItems({"Security", "Connect", "Record"});
    makeController();
    EXPECT_EQ(controller->deviceLockBox()->text(), "Device function lock Enable");
    EXPECT_EQ(controller->modifyUnlockCodeButton()->text(), "Change Unlock Code");
    EXPECT_EQ(controller->connectTypeMatrix()->button(1)->text(), "Connection With NDIS");
    EXPECT_TRUE(records.calls.contains("initRecordSettingNib"));
    EXPECT_EQ(controller->settingTabView()->tabText(0), "Connect");
    controller->deviceLockBox()->setText("stale");
    controller->settingTabView()->setTabText(0, "stale");
    records.calls.clear();
    controller->updateLanguages();
    EXPECT_EQ(controller->deviceLockBox()->text(), "Device function lock Enable");
    EXPECT_EQ(controller->settingTabView()->tabText(0), "Connect");
    EXPECT_EQ(records.calls, QStringList{"initRecordSettingNib"});
}

TEST_F(SettingPageTest, ConfigRecordSettingsAsksTheRecordController)
{
    makeController();
    records.calls.clear();
    controller->configRecordSettings();
    EXPECT_EQ(records.calls, (QStringList{"periodRecordReset", "loadDefaultRecordSetting"}));
}

} // namespace

namespace {

// The USSD page as the settings plug-in meets it.
struct RecordingUssd : QObject, ostrel::DefaultUSSDController {
    void setBundleDelegate(ostrel::TabPluginInterface *plugin) override { delegate = plugin; }
    ostrel::TabPluginInterface *delegate = nullptr;
};

TEST_F(SettingPageTest, SettingsPlugInAndTheUssdPageMeetOnlyWithTheSwitch)
{
    // The test plug-in under the settings plug-in's name.
    QTemporaryDir plugins;
    ASSERT_TRUE(QFile::copy(QStringLiteral(OSTREL_TEST_PLUGIN_DIR "/TestBundle.so"), plugins.filePath("SettingBundle.so")));
    qputenv("OSTREL_PLUGIN_DIR", QFile::encodeName(plugins.path()));
    RecordingUssd ussd;
    ostrel::Neighbours::setUssd(&ussd);
    for (bool inSetting : {false, true}) {
        SCOPED_TRACE(inSetting);
        controller.reset();
        ussd.delegate = nullptr;
        set("Setting", "USSDModuleInSetting", inSetting);
        // A fresh "Setting" tab for each start (the plug-in's one view moved into the last one).
        ostrel::removeTabViewItemWithIdentifier(tabs, "Setting");
        auto *ourPage = new QWidget;
        ostrel::setTabViewItemIdentifier(ourPage, "Setting");
        tabs->addTab(ourPage, "Setting");
        makeController();
        ostrel::TabPluginInterface *plugin = controller->bundleInstance();
        ASSERT_NE(plugin, nullptr);
        EXPECT_EQ(controller->viewOfOldTabViewItem(), ourPage);
        EXPECT_NE(ostrel::viewOfIdentifier(tabs, "Setting"), ourPage) << "the plug-in's view is the tab's";
        EXPECT_EQ(plugin->hostController(), inSetting ? static_cast<QObject *>(&ussd) : nullptr);
        EXPECT_EQ(ussd.delegate, inSetting ? plugin : nullptr);
    }
    controller.reset();
    qunsetenv("OSTREL_PLUGIN_DIR");
}

} // namespace

// A ready SIM enables the controls that need the device, unless a connection runs (the connection
// keeps them off until it ends).
TEST_F(SettingPageTest, SimReadyEnablesTheDeviceControlsUnlessConnected)
{
    const struct {
        bool connected;
        bool enabled;
    } cases[] = {{false, true}, {true, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.connected);
        controller.reset();
        setItems({"Network", "Connect", "Security"});
        makeController();
        ASSERT_FALSE(controller->pinEnableBox()->isEnabled()) << "off until the device is there";
        controller->setRuntimeObject(c.connected, "runtimeIsConnecttedFlag");
        posted.clear();
        center.post("SimReady", nullptr, {});
        EXPECT_EQ(controller->pinEnableBox()->isEnabled(), c.enabled);
        EXPECT_EQ(controller->bandControl()->isEnabled(), c.enabled);
        const auto status = postedNamed("setSettingBtnStatus");
        ASSERT_EQ(status.size(), 1);
        EXPECT_EQ(status[0].userInfo.value("index").toBool(), c.enabled);
    }
}
