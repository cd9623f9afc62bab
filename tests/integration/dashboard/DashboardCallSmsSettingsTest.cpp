// The "Call" and "SMS" settings panels in the whole dashboard against the stand-in modem: the
// network's forwarding, waiting and barring read and changed, and the SMS centre and store sent
// to the device.
#include "DashboardFixture.h"

#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"
#include "ostrel/settings/CallSettingSequencer.h"
#include "ostrel/settings/SettingController.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace ostrel;
using namespace dashboard_test;

namespace {

using Slot = CallSettingSequencer::ForwardSlot;

class DashboardCallSmsSettingsTest : public DashboardFixture {
protected:
    SettingController *settings() const { return assembly_->settingController(); }
    void start()
    {
        setSettings({{"SettingDefaultItem", QVariantList{"System", "Security", "SMS", "Call"}}});
        launch(QStringLiteral("default.plist"));
        ASSERT_TRUE(waitSimReady());
    }
    void gotoPanel(const QString &name)
    {
        main()->gotoSetting(nullptr);
        ASSERT_TRUE(settings()->selectSettingPanel(name));
    }
    void gotoCallTab(const QString &tab)
    {
        gotoPanel(QStringLiteral("Call"));
        QTabWidget *tabs = settings()->callSettingView();
        tabs->setCurrentIndex(tabViewItemOfIdentifier(tabs, tab));
    }
    bool waitCallButtons()
    {
        return QTest::qWaitFor([&] { return settings()->callSettingApplyButton()->isEnabled(); }, kWaitMs);
    }
    bool waitAlert(const QString &message)
    {
        return QTest::qWaitFor([&] { return presenter_.messages().contains(message); }, kWaitMs);
    }
    QVariantMap forwarding(const QString &reason) const
    {
        return mapOf(mapOf(modemState(QStringLiteral("CallSettings")).value(QStringLiteral("Forwarding"))).value(reason));
    }
};

TEST_F(DashboardCallSmsSettingsTest, TheFirstReadShowsTheNetworksStateSilently)
{
    setScenarioModem(QStringLiteral("CallSettings"),
                     {{"Forwarding", QVariantMap{{"3", QVariantMap{{"On", true}, {"Number", "+4930123"}}}}},
                      {"Waiting", true},
                      {"Barring", QVariantMap{{"AI", true}}}});
    start();
    ASSERT_TRUE(waitCallButtons());
    EXPECT_TRUE(settings()->callSettingReadButton()->isEnabled());
    EXPECT_TRUE(settings()->callForwardBox(Slot::NotReachable)->isChecked());
    EXPECT_EQ(settings()->callForwardField(Slot::NotReachable)->text(), "+4930123");
    EXPECT_FALSE(settings()->callForwardBox(Slot::Busy)->isChecked());
    EXPECT_TRUE(settings()->callWaitBox()->isChecked());
    EXPECT_TRUE(settings()->callBarBox(3)->isChecked());
    EXPECT_FALSE(settings()->callBarBox(4)->isEnabled()) << "\"AI\" excludes \"IR\"";
    EXPECT_TRUE(presenter_.messages().isEmpty()) << presenter_.messages().join(", ").toStdString();
    gotoCallTab(QStringLiteral("CallForward"));
    saveScreenshot(mainWindow(), QStringLiteral("settings-call-dashboard.png"));
}

TEST_F(DashboardCallSmsSettingsTest, AnApplyUnderTheNetworksNumberPrefixEndsOnce)
{
    setScenarioModem(QStringLiteral("CallSettings"), {{"NumberPrefix", "+49"}});
    start();
    ASSERT_TRUE(waitCallButtons());
    gotoCallTab(QStringLiteral("CallForward"));
    settings()->callForwardBox(Slot::Busy)->click();
    QLineEdit *field = settings()->callForwardField(Slot::Busy);
    ASSERT_TRUE(field->isEnabled());
    QTest::keyClicks(field, QStringLiteral("01701234567"));
    settings()->callSettingApplyButton()->click();
    ASSERT_TRUE(waitAlert(QStringLiteral("Settings successful!")));
    ASSERT_TRUE(waitCallButtons());
    EXPECT_EQ(presenter_.messages().count(QStringLiteral("Settings successful!")), 1);
    EXPECT_EQ(presenter_.messages().count(QStringLiteral("Settings Failed!")), 0);
    EXPECT_TRUE(forwarding(QStringLiteral("1")).value(QStringLiteral("On")).toBool());
    EXPECT_EQ(forwarding(QStringLiteral("1")).value(QStringLiteral("Number")).toString(), "+491701234567");
    EXPECT_EQ(field->text(), "+491701234567") << "the field shows what the network keeps";
    EXPECT_EQ(receivedIds().count(QStringLiteral("2307/153")), 6) << "four reads at start, then the set once and its read-back";
}

TEST_F(DashboardCallSmsSettingsTest, AWrongBarringPasswordFails)
{
    start();
    ASSERT_TRUE(waitCallButtons());
    gotoCallTab(QStringLiteral("CallBarring"));
    settings()->callBarBox(0)->click();
    QTest::keyClicks(settings()->callBarPasswordField(), QStringLiteral("1111"));
    settings()->callSettingApplyButton()->click();
    ASSERT_TRUE(waitAlert(QStringLiteral("Settings Failed!")));
    ASSERT_TRUE(waitCallButtons());
    EXPECT_FALSE(settings()->callBarBox(0)->isChecked()) << "back to the network's state";
    EXPECT_TRUE(settings()->callBarPasswordField()->text().isEmpty());
    EXPECT_FALSE(mapOf(modemState(QStringLiteral("CallSettings")).value(QStringLiteral("Barring"))).value("AO").toBool());
}

TEST_F(DashboardCallSmsSettingsTest, SmsApplySetsTheDevicesCentreAndStore)
{
    start();
    gotoPanel(QStringLiteral("SMS"));
    QLineEdit *centre = settings()->messageCenterField();
    ASSERT_TRUE(QTest::qWaitFor([&] { return settings()->storeLocationCombo()->isEnabled(); }, kWaitMs))
        << "the device's store answer enables the choice";
    ASSERT_TRUE(centre->isEnabled() && !centre->isReadOnly()) << "the SIM is ready: the centre can be set";
    EXPECT_EQ(centre->text(), settings()->readMessageCenter()) << "the stored centre";
    centre->clear();
    QTest::keyClicks(centre, QStringLiteral("+44 (7700) 900-123"));
    EXPECT_EQ(centre->text(), "+447700900123");
    QComboBox *store = settings()->storeLocationCombo();
    store->setCurrentIndex(store->findText(QStringLiteral("PC")));
    settings()->smsApplyButton()->click();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return modemState(QStringLiteral("Sms")).value(QStringLiteral("SmsCentre")).toString() == "+447700900123"; },
        kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return storedSettings().value(QStringLiteral("MessageCenterNum")).toString() == "+447700900123"; },
                                kWaitMs));
    EXPECT_EQ(modemState(QStringLiteral("Sms")).value(QStringLiteral("StoreCode")).toInt(), 2);
    EXPECT_EQ(settings()->currentSetSMSPosition(), 2);
    saveScreenshot(mainWindow(), QStringLiteral("settings-sms-dashboard.png"));

    // A centre the device refuses: the stored one comes back, and the user is told.
    ASSERT_EQ(control(QStringLiteral("SetModemState"), {QStringLiteral("Sms"), QVariantMap{{QStringLiteral("RefuseCentre"), true}}})
                  .type(),
              QDBusMessage::ReplyMessage);
    centre->clear();
    QTest::keyClicks(centre, QStringLiteral("+1555"));
    settings()->smsApplyButton()->click();
    ASSERT_TRUE(waitAlert(QStringLiteral("Fail to set message center!")));
    EXPECT_EQ(centre->text(), "+447700900123");
    EXPECT_EQ(modemState(QStringLiteral("Sms")).value(QStringLiteral("SmsCentre")).toString(), "+447700900123");
}

TEST_F(DashboardCallSmsSettingsTest, EnteringSmsAsksTheDeviceForItsCentre)
{
    setSettings({{"SettingDefaultItem", QVariantList{"System", "Security", "SMS", "Call"}},
                 {"SMS/CheckSMSCenterAfterSTK", true},
                 {"MessageCenterNum", "+1555000"}});
    setScenarioModem(QStringLiteral("Sms"), {{"SmsCentre", "+447700900999"}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    gotoPanel(QStringLiteral("Security"));
    ASSERT_TRUE(settings()->selectSettingPanel(QStringLiteral("SMS")));
    QLineEdit *centre = settings()->messageCenterField();
    ASSERT_TRUE(QTest::qWaitFor([&] { return centre->text() == "+447700900999"; }, kWaitMs))
        << "the field shows the device's centre, not the stored " << centre->text().toStdString();
    EXPECT_EQ(storedSettings().value(QStringLiteral("MessageCenterNum")).toString(), "+447700900999");
    EXPECT_FALSE(settings()->smsApplyButton()->isEnabled()) << "nothing for the user to apply";
    EXPECT_TRUE(presenter_.messages().isEmpty()) << presenter_.messages().join(", ").toStdString();
}

} // namespace
