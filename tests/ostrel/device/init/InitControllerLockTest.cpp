// The user's device lock: the start-up lock, the code rules, and the guard of each function.
#include "InitTestSupport.h"

#include "ostrel/device/init/DeviceLockGuard.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace inittest;
using ostrel::DeviceLockGuard;

namespace {

class InitLockTest : public InitFixture {
protected:
    void enterCode(const QString &code)
    {
        QLineEdit *field = controller->unlockDeviceWindow()->tfdUnlockDeviceCode_;
        field->clear();
        QTest::keyClicks(field, code);
        QTest::mouseClick(controller->unlockDeviceWindow()->btnUnlockDeviceOK_, Qt::LeftButton);
    }
    std::vector<Sent> unlockRequests() const
    {
        std::vector<Sent> out;
        for (const Sent &s : sent())
            if (s.major == 5 && s.minor == 27)
                out.push_back(s);
        return out;
    }
};

TEST_F(InitLockTest, LockedDeviceAsksForTheCodeAtStartUp)
{
    makeController();
    deliver(0, 26, 0, 0, 1, ints({1}));
    EXPECT_TRUE(setting->getDeviceUnlockCodeState());
    ASSERT_TRUE(controller->unlockDeviceWindow()->isVisible());
    EXPECT_EQ(controller->unlockDeviceWindow()->parentWidget(), mainWindow.get());

    enterCode("1234");
    EXPECT_FALSE(controller->unlockDeviceWindow()->isVisible());
    auto requests = unlockRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].module, 1);
    EXPECT_EQ(requests[0].type, 1);
    EXPECT_EQ(requests[0].length, 4);
    EXPECT_EQ(requests[0].data.left(4), "1234");

    deliver(0, 164, 1, -1, 1);
    EXPECT_EQ(alertMessages(), QStringList{"Invalid password!"});
    EXPECT_TRUE(controller->unlockDeviceWindow()->isVisible());
    enterCode("4321");
    deliver(0, 164, 1, -1, 1);
    EXPECT_EQ(alerts.count(), 2);
    EXPECT_TRUE(controller->unlockDeviceWindow()->isVisible());
    enterCode("1111");
    deliver(0, 164, 1, 0, 1);
    EXPECT_TRUE(controller->firstUnlockedDevice_);
    EXPECT_FALSE(controller->unlockDeviceWindow()->isVisible());
}

TEST_F(InitLockTest, UnlockedReportClearsTheLockState)
{
    makeController();
    setting->setDeviceUnlockCodeState(true);
    deliver(0, 26, 0, 0, 1, ints({0}));
    EXPECT_FALSE(setting->getDeviceUnlockCodeState());
    EXPECT_TRUE(controller->firstUnlockedDevice_);
    deliver(0, 26, 0, -1, 1, ints({1})); // failed report: ignored
    EXPECT_FALSE(controller->unlockDeviceWindow()->isVisible());
}

TEST_F(InitLockTest, MalformedCodesAreRefusedBeforeSending)
{
    makeController();
    controller->openUnlockDeviceWindow(mainWindow.get());
    for (const char *code : {"12a4", "123", "12345", ""}) {
        alerts.clear();
        enterCode(code);
        EXPECT_EQ(alertMessages(), QStringList{"The unlock device code must be 4 digitals"}) << code;
        EXPECT_TRUE(controller->unlockDeviceWindow()->isVisible()) << code;
    }
    EXPECT_TRUE(unlockRequests().empty());
}

TEST_F(InitLockTest, CancelPostsFailedAndShowsModemNotDetected)
{
    makeController();
    deliver(0, 26, 0, 0, 1, ints({1}));
    QTest::mouseClick(controller->unlockDeviceWindow()->btnUnlockDeviceCancel_, Qt::LeftButton);
    EXPECT_FALSE(controller->unlockDeviceWindow()->isVisible());
    EXPECT_EQ(postedNamed("DeviceUnlockFailed").size(), 1);
    EXPECT_EQ(controller->modemStatusImageName(), "netstatus1");
    EXPECT_EQ(dial.stateStrings.last(), "Dial_tfdDeviceNotDetected");
}

TEST_F(InitLockTest, EachGuardedFunctionGoesOnOnlyAfterItsUnlock)
{
    makeController();
    controller->firstUnlockedDevice_ = true;
    setting->setDeviceUnlockCodeState(true);
    for (int function = 0; function <= 6; ++function) {
        SCOPED_TRACE(function);
        const char *key = DeviceLockGuard::keyOfFunction(function);
        ASSERT_NE(key, nullptr);
        config->setConfigurationByModule(key, true);
        DeviceLockGuard guard(function, config.get(), center);
        DeviceLockGuard other((function + 1) % 7, config.get(), center);
        config->setConfigurationByModule(DeviceLockGuard::keyOfFunction((function + 1) % 7), true);
        int opened = 0, otherOpened = 0;
        // Another function asked first; the unlock now belongs to the one that asked last.
        EXPECT_FALSE(other.passOrAsk(mainWindow.get(), [&] { ++otherOpened; }));
        EXPECT_FALSE(guard.passOrAsk(mainWindow.get(), [&] { ++opened; }));
        EXPECT_EQ(controller->getDeviceLockFunctionModule(), function);
        EXPECT_TRUE(controller->unlockDeviceWindow()->isVisible());
        transport->sent.clear();

        enterCode("1234");
        auto requests = unlockRequests();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].module, 3); // after the first unlock
        const auto successesBefore = postedNamed("DeviceUnlockSuccess").size();
        deliver(512, 164, 1, 0, 3);
        EXPECT_EQ(opened, 1);
        EXPECT_EQ(otherOpened, 0);
        ASSERT_EQ(postedNamed("DeviceUnlockSuccess").size(), successesBefore + 1);
        EXPECT_EQ(postedNamed("DeviceUnlockSuccess").last().object, static_cast<QObject *>(setting.get()));

        // A refused code ends the function.
        EXPECT_FALSE(guard.passOrAsk(mainWindow.get(), [&] { ++opened; }));
        enterCode("9999");
        alerts.clear();
        deliver(512, 164, 1, -1, 3);
        EXPECT_EQ(alertMessages(), QStringList{"Invalid password!"});
        EXPECT_FALSE(guard.isWaiting());
        deliver(512, 164, 1, 0, 3); // a later success does not revive it
        EXPECT_EQ(opened, 1);
        config->setConfigurationByModule(key, false);
        EXPECT_TRUE(guard.passOrAsk(mainWindow.get(), [] {}));
    }
}

TEST_F(InitLockTest, GuardPassesWhenTheLockIsOff)
{
    makeController();
    config->setConfigurationByModule("DeviceLockSMSFunction", true);
    DeviceLockGuard guard(1, config.get(), center);
    EXPECT_TRUE(guard.passOrAsk(mainWindow.get(), [] {}));
    EXPECT_FALSE(controller->unlockDeviceWindow()->isVisible());
}

} // namespace
