// Start-up, device and SIM status, removal and plug-in, the SIM-update notice.
#include "InitTestSupport.h"

#include "ostrel/framework/switches/ConfigService.h"

using namespace inittest;
using ostrel::InitController;

namespace {

class InitStateTest : public InitFixture {};

TEST_F(InitStateTest, StartUpSequenceBecomesReadyWithNotificationsAndDialParams)
{
    makeController();
    EXPECT_EQ(controller->modemStatusImageName(), "netstatus1");
    EXPECT_EQ(controller->simStatusImageName(), "noSim");
    EXPECT_EQ(&ostrel::Neighbours::init(), static_cast<ostrel::InitControllerInterface *>(controller.get()));
    EXPECT_EQ(InitController::shared(), controller.get());

    deliver(1, 0, 0, 0, 1);
    EXPECT_EQ(controller->modemStatusImageName(), "netstatus2");
    ASSERT_EQ(postedNamed("init_ModemConnected").size(), 1);
    EXPECT_EQ(postedNamed("init_ModemConnected")[0].userInfo.value("init_ModemConnected"), QVariant(true));
    EXPECT_EQ(dial.stateStrings.last(), "Init_tfdStarting Device");

    deliver(3, 5, 1, 0, 1, ints({4}));
    EXPECT_EQ(controller->m_deviceMode, 4);
    EXPECT_EQ(setting->wcdmaHidden, 0);
    EXPECT_EQ(setting->cdmaHidden, 1);

    deliver(6, 32, 1, 0, 1, ints({1}));
    EXPECT_EQ(controller->SIMTypeDisplayFld_->text(), "3G");
    EXPECT_TRUE(postedNamed("SimReady").isEmpty());

    deliver(4, 9, 1, 0, 1);
    EXPECT_EQ(controller->m_SimPinState, InitController::SimReady);
    EXPECT_EQ(controller->simStatusImageName(), "simReady");
    ASSERT_EQ(postedNamed("init_SimStatus").size(), 1);
    EXPECT_EQ(postedNamed("init_SimStatus")[0].userInfo.value("init_SimStatus"), QVariant(true));
    EXPECT_EQ(postedNamed("SimReady").size(), 1);
    EXPECT_EQ(dial.dialParams, 1);
    EXPECT_TRUE(controller->runtimeObjectForKey("runtimeSIMCardReady").toBool());
    EXPECT_EQ(alerts.count(), 0);
}

TEST_F(InitStateTest, PinStatusFromAnotherModuleOrFailedIsIgnored)
{
    makeController();
    deliver(4, 9, 1, 0, 2);
    deliver(4, 9, 1, -1, 1);
    EXPECT_EQ(controller->m_SimPinState, InitController::SimNotReady);
    EXPECT_TRUE(postedNamed("SimReady").isEmpty());
    EXPECT_EQ(dial.dialParams, 0);
}

TEST_F(InitStateTest, CheckedModemAndSimStatusShowTheirCheckImagesForTwoSeconds)
{
    set("Init", "Init_DisplayCheckModemStatus", true);
    set("Main", "Main_DisplayCheckSIMStatus", true);
    makeController();
    deliver(1, 0, 0, 0, 1);
    EXPECT_EQ(controller->modemStatusImageName(), "netstatusOfCheckModem");
    EXPECT_TRUE(postedNamed("init_ModemConnected").isEmpty());
    deliver(4, 9, 1, 0, 1);
    EXPECT_EQ(controller->simStatusImageName(), "CheckSIMStatus");
    clock.advance(1999);
    EXPECT_EQ(controller->modemStatusImageName(), "netstatusOfCheckModem");
    clock.advance(1);
    EXPECT_EQ(controller->modemStatusImageName(), "netstatus2");
    EXPECT_EQ(controller->simStatusImageName(), "simReady");
    EXPECT_EQ(postedNamed("init_ModemConnected").size(), 1);
}

TEST_F(InitStateTest, LetterModeHidesSimIconAndTextWhenReady)
{
    set("Main", "SimStatusWithLetter", true);
    makeController();
    controller->setSimStatus(true);
    EXPECT_TRUE(controller->m_simStatus->isHidden());
    EXPECT_TRUE(controller->labelSimStatus_->isHidden());
    controller->setSimStatus(false);
    EXPECT_FALSE(controller->labelSimStatus_->isHidden());
    EXPECT_EQ(controller->labelSimStatus_->text(), "No (U)SIM");
    EXPECT_EQ(controller->simStatusImageName(), "noSim");
}

TEST_F(InitStateTest, SimAbsentShowsNoSimTextsAndAlertFailedStatusOnlyNoService)
{
    makeController();
    deliver(6, 32, 1, -1, 1, ints({0}));
    EXPECT_EQ(alerts.count(), 0);
    EXPECT_EQ(controller->networkName_, "No Service");
    EXPECT_FALSE(dial.stateStrings.contains("Init_tfdNo (U)SIM"));

    deliver(6, 32, 1, -1, 1, ints({-1}));
    EXPECT_EQ(alertMessages(), QStringList{"NO UIM, Please insert UIM card!"});
    EXPECT_EQ(dial.stateStrings.last(), "Init_tfdNo (U)SIM");
    EXPECT_EQ(dial.statusRows, 1);

    deliver(6, 32, 1, 0, 1, ints({2}));
    EXPECT_TRUE(controller->SIMTypeDisplayFld_->text().isEmpty());
}

TEST_F(InitStateTest, NoSimAlertCanBeSwitchedOff)
{
    set("Init", "DonotShowNoSIMAlert", true);
    makeController();
    deliver(6, 32, 1, -1, 1, ints({-1}));
    EXPECT_EQ(alerts.count(), 0);
    EXPECT_EQ(dial.stateStrings.last(), "Init_tfdNo (U)SIM");
}

TEST_F(InitStateTest, InvalidUsimMarksSimNotReadyOnlyWithItsSwitch)
{
    makeController();
    controller->setSimStatus(true);
    deliver(6, 33, 1, 0, 1, ints({4}));
    EXPECT_EQ(controller->m_SimPinState, InitController::SimReady);
    config->setConfigurationByModule("PopUpPanelWhenYUSIM4", true);
    deliver(6, 33, 1, 0, 1, ints({6}));
    EXPECT_EQ(controller->m_SimPinState, InitController::SimNotReady);
    EXPECT_EQ(alertMessages(), QStringList{"Invalid (U)SIM or No (U)SIM!"});
    deliver(6, 33, 0, 0, 1, ints({4})); // wrong type: status taken as 0
    EXPECT_EQ(alerts.count(), 1);
}

TEST_F(InitStateTest, DeviceModeSelectsCdmaOrWcdma)
{
    set("Internet", "HideWCDMAPara", true);
    makeController();
    // Modes 4-6 have the WCDMA controls; every other mode the CDMA preference.
    struct Case { int mode; bool wcdma; } cases[] = {{3, false}, {7, false}, {4, true}, {5, true}, {6, true}};
    for (const Case &c : cases) {
        deliver(3, 5, 1, -1, 1, ints({c.mode})); // the result is not tested
        EXPECT_EQ(controller->m_deviceMode, c.mode);
        EXPECT_EQ(setting->cdmaHidden, c.wcdma ? 1 : 0) << c.mode;
        EXPECT_EQ(setting->wcdmaHidden, c.wcdma ? 0 : 1) << c.mode;
        EXPECT_EQ(dial.wcdmaHidden, c.wcdma ? 0 : 1) << c.mode;
    }
}

TEST_F(InitStateTest, DeviceRemovedResetsStateAndPlugInIsAnnounced)
{
    makeController();
    deliver(7, 41, 1, 0, 1, text("98684021436587092143", 512));
    ASSERT_FALSE(controller->iccid_.isEmpty());
    deliver(4, 10, 0, -1, 1);
    deliver(4, 8, 1, 0, 1, ints({3, 10}));
    ASSERT_TRUE(controller->pinWindow()->isVisible());
    controller->alreadyGetSimIMSIFlag_ = true;
    controller->firstUnlockedDevice_ = true;
    controller->dialFunctionEnabledFlag_ = false;
    controller->mccmnc = "26201";

    deliver(8, 58, 1, -1, 1);
    EXPECT_EQ(postedNamed("DeviceRemoved").size(), 1);
    EXPECT_EQ(controller->m_SimPinState, InitController::SimNotReady);
    EXPECT_FALSE(controller->pinWindow()->isVisible());
    EXPECT_TRUE(controller->iccid_.isEmpty());
    EXPECT_TRUE(controller->mccmnc.isEmpty());
    EXPECT_FALSE(controller->alreadyGetSimIMSIFlag_);
    EXPECT_FALSE(controller->firstUnlockedDevice_);
    EXPECT_TRUE(controller->dialFunctionEnabledFlag_);
    EXPECT_EQ(controller->simStatusImageName(), "noSim");
    EXPECT_FALSE(controller->labelPINEnter_->isEnabled());
    // The open PIN entry is cancelled once (the PUK window was not open).
    EXPECT_EQ(postedNamed("changePinActiveStatusCancel").size(), 1);

    deliver(8, 58, 1, 0, 1);
    EXPECT_EQ(postedNamed("DevicePlugin").size(), 1);
    deliver(8, 59, 1, 0, 1);
    EXPECT_EQ(alertMessages().last(), "Device not detected!");
}

TEST_F(InitStateTest, RemovalSetsModemAndSimToNoAndDropsThePendingChecksAndTheImsi)
{
    set("Init", "Init_DisplayCheckModemStatus", true);
    set("Main", "Main_DisplayCheckSIMStatus", true);
    makeController();
    deliver(4, 9, 1, 0, 1); // ready, its "SIM ready" image 2 s later
    deliver(7, 42, 1, 0, 1, text("262021234567890", 36));
    ASSERT_EQ(service->imsi(), "262021234567890");
    ASSERT_TRUE(controller->runtimeObjectForKey("runtimeSIMCardReady").toBool());
    deliver(1, 0, 0, 0, 1); // a handshake whose "modem there" comes 2 s later
    posted.clear();

    deliver(8, 58, 1, -1, 1);
    EXPECT_FALSE(controller->runtimeObjectForKey("runtimeSIMCardReady").toBool());
    ASSERT_FALSE(postedNamed("init_SimStatus").isEmpty());
    EXPECT_FALSE(postedNamed("init_SimStatus").last().userInfo.value("init_SimStatus").toBool());
    ASSERT_FALSE(postedNamed("init_ModemConnected").isEmpty());
    EXPECT_FALSE(postedNamed("init_ModemConnected").last().userInfo.value("init_ModemConnected").toBool());
    EXPECT_EQ(dial.stateStrings.last(), "Dial_tfdDeviceNotDetected");
    EXPECT_TRUE(service->imsi().isEmpty()) << "the removed SIM's IMSI stays shared";
    EXPECT_TRUE(controller->m_IMSI.isEmpty());

    // The checks of the removed device never come true afterwards.
    posted.clear();
    clock.advance(2000);
    EXPECT_EQ(controller->modemStatusImageName(), "netstatus1");
    EXPECT_EQ(controller->simStatusImageName(), "noSim");
    EXPECT_TRUE(postedNamed("init_ModemConnected").isEmpty());
}

TEST_F(InitStateTest, OnlineAndOfflineRequests)
{
    makeController();
    EXPECT_TRUE(ostrel::Neighbours::init().setDeviceOnline());
    EXPECT_TRUE(ostrel::Neighbours::init().setDeviceOffline());
    const auto s = sent();
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].major * 100 + s[0].minor, 303);
    EXPECT_EQ(s[1].major * 100 + s[1].minor, 304);
    EXPECT_EQ(s[0].module, 1);
    EXPECT_EQ(s[0].length, 0);
}

TEST_F(InitStateTest, SimUpdateNoticeStaysSevenSecondsAfterTheLastReport)
{
    makeController();
    deliver(7, 34, 0, 0, 1); // wrong type
    EXPECT_FALSE(controller->simCardUpdateWindow()->isVisible());
    deliver(7, 34, 1, 0, 1);
    EXPECT_TRUE(controller->simCardUpdateWindow()->isVisible());
    EXPECT_EQ(controller->simCardUpdateWindow()->parentWidget(), mainWindow.get());
    clock.advance(1000);
    deliver(7, 34, 1, 0, 1);
    clock.advance(2000);
    EXPECT_EQ(phonebook.pcSide, 1);
    EXPECT_EQ(controller->simCardUpdateWindow()->labelSimCardUpdate_->text(),
              "Init_labelSimCardUpdate_CheckSmsPPDownloadBegin");
    clock.advance(2000);
    EXPECT_EQ(controller->simCardUpdateWindow()->labelSimCardUpdate_->text(),
              "Init_labelSimCardUpdate_CheckSmsPPDownloadEnd");
    clock.advance(2999); // 7.999 s after the first, 6.999 s after the second
    EXPECT_TRUE(controller->simCardUpdateWindow()->isVisible());
    clock.advance(1);
    EXPECT_FALSE(controller->simCardUpdateWindow()->isVisible());
}

} // namespace
