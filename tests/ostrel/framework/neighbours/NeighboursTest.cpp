// The registry of neighbouring controllers and the defaults that answer until they exist.
#include "common/records/UiMsg.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/message/FakeMsgTransport.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "support/ManualClock.h"
#include "support/ScriptedAlertPresenter.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

using namespace ostrel;

namespace {

class NeighboursTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto transport = std::make_unique<msgtest::FakeMsgTransport>();
        transport_ = transport.get();
        center_ = std::make_unique<YOVMsgCenter>(std::move(transport), std::make_unique<msgtest::FakeLauncher>(),
                                                 clock_, notifications_);
        Neighbours::installDefaults(center_.get());
    }
    void TearDown() override { Neighbours::installDefaults(nullptr); }

    yov::UI_MSG sentAt(size_t i) const
    {
        yov::UI_MSG msg;
        std::memset(&msg, 0, sizeof msg);
        const QByteArray &r = transport_->sent.at(i);
        std::memcpy(&msg, r.constData(), qMin<qsizetype>(r.size(), sizeof msg));
        return msg;
    }

    testing_support::ManualClock clock_;
    yov::NotificationCenter notifications_;
    msgtest::FakeMsgTransport *transport_ = nullptr;
    std::unique_ptr<YOVMsgCenter> center_;
};

} // namespace

TEST_F(NeighboursTest, DefaultsAnswerTheLeast)
{
    EXPECT_EQ(Neighbours::dial().connectStatus(), 0);
    EXPECT_FALSE(Neighbours::dial().GetisDialNow());
    EXPECT_FALSE(Neighbours::dial().isDoingConnect());
    EXPECT_FALSE(Neighbours::dial().hadDoManualDisconnect());
    EXPECT_FALSE(Neighbours::setting().isManualSelecting());
    EXPECT_FALSE(Neighbours::setting().getDeviceUnlockCodeState());
    EXPECT_FALSE(Neighbours::setting().allowAutoConnect());
    EXPECT_EQ(Neighbours::call().callStage(), 0);
    EXPECT_FALSE(Neighbours::smsService().sendingSMSInBackGround());
    EXPECT_FALSE(Neighbours::sms().sendSmsTo(QStringLiteral("123"), QStringLiteral("x"), false, false, false));
    EXPECT_EQ(Neighbours::phonebook().getSimUserNumber(), 0);
    EXPECT_TRUE(Neighbours::ussd().getConnectBtnEnableDedorud());
    EXPECT_TRUE(transport_->sent.empty()) << "no default sends anything by itself";

    bool closed = false;
    Neighbours::spCodeWindow().openCheckSPCodeWindow(nullptr, [&] { closed = true; });
    EXPECT_TRUE(closed) << "without the window the launch goes on at once";
}

TEST_F(NeighboursTest, DefaultSettingsShowTheirMessageWithoutBlocking)
{
    // The device-state handlers hand wrong-PIN and input-rule messages to the settings side; until
    // the settings window exists the default shows them, and returns at once.
    testing_support::ScriptedAlertPresenter presenter;
    presenter.setHoldOpen(true);
    yov::ScopedAlertPresenter scoped(&presenter);
    Neighbours::setting().runAlertPanel(QStringLiteral("Incorrect PIN code!"));
    ASSERT_EQ(presenter.count(), 1);
    EXPECT_EQ(presenter.openCount(), 1) << "shown in the non-blocking form";
    EXPECT_EQ(presenter.shown().first().message, QStringLiteral("Incorrect PIN code!"));
    EXPECT_EQ(presenter.shown().first().title, QStringLiteral("Warning!"));
    presenter.answerAllOpen();
}

TEST_F(NeighboursTest, ARealControllerReplacesTheDefaultAndNullPutsItBack)
{
    struct Connected : DefaultDialController {
        int connectStatus() const override { return 3; }
        bool GetisDialNow() const override { return true; }
    } real;
    Neighbours::setDial(&real);
    EXPECT_EQ(&Neighbours::dial(), &real);
    EXPECT_TRUE(Neighbours::dial().GetisDialNow());
    Neighbours::setDial(nullptr);
    EXPECT_NE(&Neighbours::dial(), &real);
    EXPECT_EQ(Neighbours::dial().connectStatus(), 0);

    Neighbours::setDial(&real);
    Neighbours::installDefaults(center_.get());
    EXPECT_NE(&Neighbours::dial(), &real) << "installDefaults puts every default back";
}

TEST_F(NeighboursTest, DeviceOnlineAndOfflineRequests)
{
    struct Case {
        bool (InitControllerInterface::*request)();
        int minor;
    };
    const Case cases[] = {{&InitControllerInterface::setDeviceOffline, 4}, {&InitControllerInterface::setDeviceOnline, 3}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.minor);
        transport_->sent.clear();
        EXPECT_TRUE((Neighbours::init().*c.request)());
        ASSERT_EQ(transport_->sent.size(), 1u);
        const yov::UI_MSG msg = sentAt(0);
        EXPECT_EQ(msg.marker, 1);
        EXPECT_EQ(msg.moduleID, 1);
        EXPECT_EQ(msg.majorID, 3);
        EXPECT_EQ(msg.minorID, c.minor);
        EXPECT_EQ(msg.type, 0);
        EXPECT_EQ(msg.result, 0);
        EXPECT_EQ(msg.dataLength, 0);
    }
    transport_->status = kMsgSendNoService;
    EXPECT_FALSE(Neighbours::init().setDeviceOffline()) << "a failed send is not reported as sent";
    Neighbours::installDefaults(nullptr);
    EXPECT_FALSE(Neighbours::init().setDeviceOffline()) << "no message center, nothing sent";
}

TEST_F(NeighboursTest, DeviceLockModuleIsKept)
{
    Neighbours::init().setDeviceLockFunctionModule(2);
    EXPECT_EQ(Neighbours::init().getDeviceLockFunctionModule(), 2);
}

TEST_F(NeighboursTest, RecordFileFollowsTheSimAndLivesInTheModemListFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ConfigManager config(dir.path());
    Neighbours::installDefaults(center_.get(), &config);
    DialRecordControllerInterface &records = Neighbours::records();
    EXPECT_EQ(records.dialRecordFileName(), QStringLiteral("dialRecordData.plist"));
    records.loadRecordList(QStringLiteral("001010123456789_dialRecordData.plist"));
    records.loadRecordList(QString()); // ignored
    EXPECT_EQ(records.dialRecordFileName(), QStringLiteral("001010123456789_dialRecordData.plist"));
    const QString folder = config.configFilePathOfKey(QStringLiteral("ModemListPath"));
    ASSERT_FALSE(folder.isEmpty());
    EXPECT_EQ(records.dialRecordFilePath(), QDir(folder).filePath(QStringLiteral("001010123456789_dialRecordData.plist")));
}

TEST(DefaultSettingControllerTest, AutomaticConnectionFollowsTheStoredKeysAndTheEnableFlag)
{
    struct Case {
        QVariant defaultAutoConnect; // Internet/DefaultAutoConnect (invalid: missing)
        QVariant autoConnect;        // top-level AutoConnect
        QVariant notDependOnLabel;   // Internet/EnableAutoReconnectNotDependOnAutoConnectLable
        bool enabled;                // setAutoConnectBtnEnable
        bool allowConnect;
        bool allowReconnect;
    };
    const QVariant none;
    const Case cases[] = {
        {true, true, none, true, true, true},
        {true, true, none, false, false, false},
        {none, true, none, true, false, false},
        {false, true, none, true, false, false},
        {true, none, none, true, false, false},
        {true, false, none, true, false, false},
        {none, none, true, true, false, true},
        {true, true, false, false, false, false},
        {true, false, true, false, false, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "DefaultAutoConnect " << c.defaultAutoConnect.toString().toStdString()
                                        << " AutoConnect " << c.autoConnect.toString().toStdString() << " label "
                                        << c.notDependOnLabel.toString().toStdString() << " enabled " << c.enabled);
        QTemporaryDir dir;
        ConfigManager store(dir.path());
        QVariantMap internet;
        if (c.defaultAutoConnect.isValid())
            internet.insert(QStringLiteral("DefaultAutoConnect"), c.defaultAutoConnect);
        if (c.notDependOnLabel.isValid())
            internet.insert(QStringLiteral("EnableAutoReconnectNotDependOnAutoConnectLable"), c.notDependOnLabel);
        store.setConfigurationByModule(QStringLiteral("Internet"), internet);
        if (c.autoConnect.isValid())
            store.setConfigurationByModule(QStringLiteral("AutoConnect"), c.autoConnect);
        DefaultSettingController setting(&store);
        EXPECT_TRUE(setting.autoConnectBtnEnabled()) << "enabled at start";
        setting.setAutoConnectBtnEnable(c.enabled);
        EXPECT_EQ(setting.allowAutoConnect(), c.allowConnect);
        EXPECT_EQ(setting.allowAutoReconnect(), c.allowReconnect);
    }
}
