// The settings page in the whole dashboard against the stand-in modem: the user's device lock in
// the "Security" panel and the lock's gate on the settings tab.
#include "DashboardFixture.h"

#include "ostrel/connection/records/DialRecordController.h"
#include "ostrel/connection/records/DialRecordTab.h"
#include "ostrel/connection/records/RecordSettingWindow.h"

#include "ostrel/device/init/InitController.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/device/init/InitWindows.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"
#include "ostrel/settings/SettingController.h"
#include "ostrel/settings/SettingService.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace ostrel;
using namespace dashboard_test;

namespace {

class DashboardSettingsTest : public DashboardFixture {
protected:
    SettingController *settings() const { return assembly_->settingController(); }
    void start(const QVariantMap &extra = {})
    {
        QVariantMap keys{{"SettingDefaultItem", QVariantList{"System", "Connect", "Network", "Security", "Alert"}}};
        for (auto it = extra.begin(); it != extra.end(); ++it)
            keys.insert(it.key(), it.value());
        setSettings(keys);
        launch(QStringLiteral("default.plist"));
        ASSERT_TRUE(waitSimReady());
        presenter_.setHoldOpen(true);
    }
    void gotoSecurity()
    {
        main()->gotoSetting(nullptr);
        QTabWidget *panels = settings()->settingTabView();
        panels->setCurrentIndex(ostrel::tabViewItemOfIdentifier(panels, QStringLiteral("Security")));
    }
    bool waitAlert(const QString &message)
    {
        return QTest::qWaitFor([&] { return presenter_.messages().contains(message); }, kWaitMs);
    }
    void typeLockCode(const QString &code)
    {
        settings()->unlockDeviceCodeField()->setText(code);
        settings()->unlockDeviceSheet()->findChild<QPushButton *>(QStringLiteral("btnUnlockDeviceOKSetting"))->click();
    }
    QString currentTab() const { return ostrel::tabViewItemIdentifier(main()->tabviewMain->currentWidget()); }
};

TEST_F(DashboardSettingsTest, TheRightCodeLocksTheDeviceAndAWrongOneAsksAgain)
{
    start();
    gotoSecurity();
    QCheckBox *lock = settings()->deviceLockBox();
    ASSERT_TRUE(lock->isVisible());
    lock->click();
    ASSERT_TRUE(settings()->unlockDeviceSheet()->isVisible());
    saveScreenshot(mainWindow(), QStringLiteral("settings-security-dashboard.png"));

    typeLockCode(QStringLiteral("4321"));
    ASSERT_TRUE(waitAlert(QStringLiteral("Invalid password!")));
    EXPECT_FALSE(modemState(QStringLiteral("DeviceState")).value(QStringLiteral("Locked")).toBool());
    presenter_.answerOpen();
    EXPECT_TRUE(settings()->unlockDeviceSheet()->isVisible()) << "the code sheet again";
    EXPECT_TRUE(lock->isChecked()) << "the box keeps the user's choice";

    typeLockCode(QStringLiteral("1234"));
    ASSERT_TRUE(waitAlert(QStringLiteral("Device lock enabled!")));
    presenter_.answerOpen();
    EXPECT_TRUE(modemState(QStringLiteral("DeviceState")).value(QStringLiteral("Locked")).toBool());
    EXPECT_TRUE(settings()->getDeviceUnlockCodeState());
    EXPECT_TRUE(settings()->modifyUnlockCodeButton()->isEnabled());
}

TEST_F(DashboardSettingsTest, AChangeNeedsTheOldCode)
{
    start();
    gotoSecurity();
    settings()->setDeviceUnlockCodeState(true);
    const struct {
        const char *oldCode;
        const char *message;
        bool sheetAgain;
        const char *storedCode;
    } cases[] = {{"9999", "Invalid password!", true, "1234"},
                 {"1234", "Modify device unlock code successfully!", false, "5678"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.oldCode);
        presenter_.clear();
        settings()->modifyUnlockCodeButton()->click();
        ASSERT_TRUE(settings()->modifyUnlockDeviceSheet()->isVisible());
        settings()->oldUnlockCodeField()->setText(c.oldCode);
        settings()->newUnlockCodeField()->setText(QStringLiteral("5678"));
        settings()->verifyUnlockCodeField()->setText(QStringLiteral("5678"));
        settings()->modifyUnlockDeviceSheet()->findChild<QPushButton *>(QStringLiteral("btnModifyUnlockDeviceOKSetting"))->click();
        ASSERT_TRUE(waitAlert(QLatin1String(c.message)));
        presenter_.answerOpen();
        EXPECT_EQ(settings()->modifyUnlockDeviceSheet()->isVisible(), c.sheetAgain);
        EXPECT_EQ(modemState(QStringLiteral("DeviceState")).value(QStringLiteral("UnlockCode")).toString(),
                  QLatin1String(c.storedCode));
        if (c.sheetAgain)
            settings()->modifyUnlockDeviceSheet()->findChild<QPushButton *>(QStringLiteral("btnModifyUnlockDeviceCancelSetting"))->click();
    }
}

TEST_F(DashboardSettingsTest, EnteringTheLockedSettingsTabAsksForTheCode)
{
    start({{"DeviceLockSettingFunction", true}});
    settings()->setDeviceUnlockCodeState(true);
    main()->gotoInternet(nullptr);
    main()->gotoSetting(nullptr);
    UnlockDeviceWindow *sheet = init()->unlockDeviceWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheet->isVisible(); }, kWaitMs));
    EXPECT_EQ(init()->getDeviceLockFunctionModule(), 6);
    main()->gotoInternet(nullptr);
    sheet->tfdUnlockDeviceCode_->setText(QStringLiteral("1234"));
    sheet->btnUnlockDeviceOK_->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return currentTab() == QLatin1String("Setting"); }, kWaitMs));
}

} // namespace

// Once the SIM is ready the controls that need the device can be used: the PIN box, the network
// selection and the connection type.
TEST_F(DashboardSettingsTest, SimReadyEnablesTheDeviceControls)
{
    start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return settings()->pinEnableBox()->isEnabled(); }, kWaitMs))
        << "PIN Enable stays disabled after the SIM is ready";
    EXPECT_TRUE(settings()->methodToSelectNetMatrix()->button(0)->isEnabled());
    EXPECT_TRUE(settings()->connectTypeMatrix()->button(0)->isEnabled());
    EXPECT_EQ(settings()->revisePinButton()->isEnabled(), settings()->pinEnableBox()->isChecked());
}

// The record settings live in the "Record" panel when the page list holds it; the records tab's
// "Set Limit" goes there, and "Go Back" leaves the view in its panel.
TEST_F(DashboardSettingsTest, TheRecordPanelHoldsTheRecordSettings)
{
    start({{"SettingDefaultItem", QVariantList{"System", "Security", "Record"}}});
    DialRecordController *records = assembly_->recordController();
    QWidget *panel = settings()->panel(QStringLiteral("Record"));
    ASSERT_TRUE(panel);
    RecordSettingWindow *view = records->recordSettingWindow();
    ASSERT_TRUE(view);
    EXPECT_FALSE(view->isWindow());
    EXPECT_TRUE(panel->isAncestorOf(view));
    EXPECT_EQ(view->boxPeriod_->title(), QStringLiteral("Set Period")) << "worded with the panel";

    main()->gotoInternet(nullptr);
    records->recordTab()->btnSetLimit_->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->isVisible(); }, kWaitMs));
    EXPECT_EQ(currentTab(), QStringLiteral("Setting"));
    EXPECT_EQ(settings()->settingTabView()->currentWidget(), panel);
    EXPECT_EQ(records->recordSettingWindow(), view) << "no second window";
    saveScreenshot(mainWindow(), QStringLiteral("settings-record-dashboard.png"));

    view->btnThirtyDays_->setChecked(true);
    view->btnEveryDays_->setChecked(false);
    view->radioDataLimit_->setChecked(true);
    view->fieldDataLimit_->setText(QStringLiteral("100"));
    view->btnApply_->click();
    presenter_.answerAllOpen();
    EXPECT_TRUE(ConfigManager::sharedConfigManager()->getConfigurationByModuleAndKey(QStringLiteral("Record"), QStringLiteral("IfSetRecordResetFrequence")).toBool());
    QTest::keyClick(view->fieldDataLimit_, Qt::Key_Escape);
    EXPECT_FALSE(view->isHidden()) << "Escape does not empty the panel";
    view->btnBack_->click();
    EXPECT_EQ(currentTab(), QStringLiteral("DialRecord"));
    EXPECT_FALSE(view->isHidden()) << "the panel keeps its view";
}

// Without the "Record" item the record settings keep a window of their own.
TEST_F(DashboardSettingsTest, WithoutTheRecordItemTheRecordSettingsKeepTheirWindow)
{
    start({{"SettingDefaultItem", QVariantList{"System", "Security"}}});
    DialRecordController *records = assembly_->recordController();
    EXPECT_FALSE(settings()->panel(QStringLiteral("Record")));
    main()->gotoInternet(nullptr);
    records->recordTab()->btnSetLimit_->click();
    RecordSettingWindow *view = records->recordSettingWindow();
    ASSERT_TRUE(view);
    EXPECT_TRUE(view->isWindow());
    EXPECT_TRUE(QTest::qWaitFor([&] { return view->isVisible(); }, kWaitMs));
    view->btnBack_->click();
    EXPECT_FALSE(view->isVisible());
}

// While a manual network search runs the settings panels do not switch, from the tab bar or the
// SmartUI items; afterwards they do.
TEST_F(DashboardSettingsTest, PanelsStayWhileAManualNetworkSearchRuns)
{
    start();
    gotoSecurity();
    QTabWidget *panels = settings()->settingTabView();
    QWidget *security = settings()->panel(QStringLiteral("Security"));
    QWidget *network = settings()->panel(QStringLiteral("Network"));
    SettingService::sharedSettingService().isManualSearchingNetFlag = true;
    panels->setCurrentWidget(network);
    EXPECT_EQ(panels->currentWidget(), security);
    settings()->settingTabViewItemSelectTag(3);
    EXPECT_EQ(panels->currentWidget(), security);
    EXPECT_FALSE(settings()->selectSettingPanel(QStringLiteral("Network")));
    SettingService::sharedSettingService().isManualSearchingNetFlag = false;
    panels->setCurrentWidget(network);
    EXPECT_EQ(panels->currentWidget(), network);
    EXPECT_TRUE(settings()->selectSettingPanel(QStringLiteral("Security")));
    EXPECT_EQ(panels->currentWidget(), security);
}
