// The settings page in the whole dashboard against the stand-in modem: the user's device lock in
// the "Security" panel and the lock's gate on the settings tab.
#include "DashboardFixture.h"

#include "ostrel/device/init/InitController.h"
#include "ostrel/device/init/InitWindows.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"
#include "ostrel/settings/SettingController.h"

#include <QCheckBox>
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
