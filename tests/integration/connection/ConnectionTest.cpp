// DialController and the message center in this process against the real stand-in device
// service on a session bus of the test's own: the dial parameters arrive, PPP and NDIS connect,
// count and disconnect, and each connection leaves one record in the SIM's record file.
#include "common/PlistBridge.h"
#include "common/records/DeviceServiceBus.h"
#include "common/records/UiMsg.h"
#include "common/records/connection/ConnectionRecords.h"
#include "ostrel/connection/dial/DialController.h"
#include "ostrel/connection/dial/DialService.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "platform/NotificationCenter.h"
#include "platform/alert/AlertPresenter.h"
#include "support/QuickScenario.h"
#include "support/ScriptedAlertPresenter.h"
#include "support/TestPaths.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusReply>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace ostrel;

namespace {

constexpr int kWaitMs = 15000;
const QString kImsi = QStringLiteral("262021234567890"); // the default scenario's SIM

QString brannocPath()
{
    return QDir(qEnvironmentVariable("OSTREL_BIN_DIR", testing_paths::binDir())).filePath(QStringLiteral("Brannoc"));
}

QDBusMessage control(const QString &method, const QVariantList &args = {})
{
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(yov::devicebus::kService),
                                                       QLatin1String(yov::devicebus::kTestPath),
                                                       QLatin1String(yov::devicebus::kTestInterface), method);
    call.setArguments(args);
    return QDBusConnection::sessionBus().call(call, QDBus::Block, 25000);
}

class ConnectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFileInfo(brannocPath()).isExecutable()) << qPrintable(brannocPath());
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected());
        qputenv("OSTREL_BRANNOC", brannocPath().toLocal8Bit());
        const QString scenario = testing_support::quickScenario(QStringLiteral("default.plist"), dir.path());
        ASSERT_FALSE(scenario.isEmpty());
        qputenv("OSTREL_BRANNOC_SCENARIO", scenario.toLocal8Bit());
        qDBusRegisterMetaType<QList<QByteArray>>();

        ASSERT_TRUE(yov::PlistBridge::writeFile(dir.filePath(QStringLiteral("settings.plist")), QVariantMap()));
        ASSERT_TRUE(yov::PlistBridge::writeFile(
            dir.filePath(QStringLiteral("dialConfig.plist")),
            QVariantList{QVariantMap{{QStringLiteral("provider"), QStringLiteral("Vandrel Web")},
                                     {QStringLiteral("apnName"), QStringLiteral("web.vandrel")},
                                     {QStringLiteral("telNumber"), QStringLiteral("*99#")},
                                     {QStringLiteral("apnFlag"), 1}}}));
        store = std::make_unique<ConfigManager>(dir.path());
        ConfigManager::setSharedConfigManager(store.get());

        center = std::make_unique<YOVMsgCenter>();
        center->setDoNotLockMsgReader([] { return false; });
        center->awakeFromNib();
        Neighbours::installDefaults(center.get(), store.get());
        Neighbours::records().loadRecordList(DialService::dialRecordFileNameForImsi(kImsi));

        ControllerContext context;
        context.config = store.get();
        context.msgCenter = center.get();
        context.notificationCenter = &yov::NotificationCenter::defaultCenter();
        dial = std::make_unique<DialController>(context);
        dial->setDeviceReadyNotifier([] {});
        dial->awakeFromNib();

        ASSERT_TRUE(center->startMsgServer());
        ASSERT_TRUE(QTest::qWaitFor(
            [] {
                return QDBusConnection::sessionBus().interface()->isServiceRegistered(
                    QLatin1String(yov::devicebus::kService));
            },
            kWaitMs))
            << "the device service did not come up";
        dial->receiveDeviceOn();
    }

    void TearDown() override
    {
        dial.reset();
        if (center)
            center->stopMsgServer();
        center.reset();
        ConfigManager::setSharedConfigManager(nullptr);
        qunsetenv("OSTREL_BRANNOC_SCENARIO");
    }

    // The device-state controller tells the connection when the modem has its packet domain; here
    // the test asks the stand-in and tells it.
    void waitForPacketDomain()
    {
        ASSERT_TRUE(QTest::qWaitFor(
            [] {
                const QDBusReply<QVariantMap> state = control(QStringLiteral("ModemState"), {QStringLiteral("Network")});
                return state.isValid() && state.value().value(QStringLiteral("PacketService")).toBool();
            },
            kWaitMs))
            << "the modem never got its packet domain";
        dial->setPSDomainStatus(true);
    }

    // The requests the device service received, as records.
    std::vector<yov::UI_MSG> received(int major, int minor)
    {
        std::vector<yov::UI_MSG> out;
        const QDBusReply<QList<QByteArray>> reply = control(QStringLiteral("ReceivedRecords"));
        EXPECT_TRUE(reply.isValid()) << qPrintable(reply.error().message());
        for (const QByteArray &bytes : reply.value()) {
            yov::UI_MSG m;
            yov::msgFromBytes(bytes, m);
            if (m.majorID == major && m.minorID == minor)
                out.push_back(m);
        }
        return out;
    }

    QVariantList records() const
    {
        const auto v = yov::PlistBridge::readFile(dir.filePath(DialService::dialRecordFileNameForImsi(kImsi)));
        return v ? v->toList() : QVariantList();
    }

    // One whole connection: connect, wait for connected and moving counters, disconnect.
    void connectCountAndDisconnect(const char *road)
    {
        SCOPED_TRACE(road);
        dial->DialOption(DialController::DialSender::ConnectButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return dial->connectStatus() == 3; }, kWaitMs))
            << "never connected: " << qPrintable(dial->display().stateText);
        EXPECT_EQ(dial->display().stateText, QStringLiteral("Connected"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return dial->receivedBytes() > 0; }, kWaitMs)) << "no traffic counted";
        const qint64 first = dial->receivedBytes();
        ASSERT_TRUE(QTest::qWaitFor([&] { return dial->receivedBytes() > first && dial->connectSeconds() >= 1; }, kWaitMs))
            << "the counters do not move";
        EXPECT_NE(dial->display().ipAddress, QStringLiteral("0.0.0.0"));

        dial->DialOption(DialController::DialSender::ConnectButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return dial->connectStatus() == 0; }, kWaitMs)) << "never back to idle";
        EXPECT_EQ(dial->display().stateText, QStringLiteral("Idle"));
        EXPECT_TRUE(dial->connectButtonEnabled());
    }

    QTemporaryDir dir;
    testing_support::ScriptedAlertPresenter alerts;
    yov::ScopedAlertPresenter alertGuard{&alerts};
    std::unique_ptr<ConfigManager> store;
    std::unique_ptr<YOVMsgCenter> center;
    std::unique_ptr<DialController> dial;
};

} // namespace

TEST_F(ConnectionTest, DialParametersThenPppAndNdisConnectionsEachLeaveOneRecord)
{
    dial->setDialParams();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !received(257, 60).empty(); }, kWaitMs));
    const yov::UI_MSG params = received(257, 60).back();
    EXPECT_EQ(params.moduleID, 2);
    const auto decoded = yov::MSG_APN_SET_REQ_PARA_T::decode(yov::PayloadReader::ofMsg(params));
    EXPECT_EQ(decoded.apn, QStringLiteral("web.vandrel"));
    EXPECT_EQ(decoded.telNumber, QStringLiteral("*99#"));
    EXPECT_EQ(decoded.connectType, 0);

    waitForPacketDomain();
    ASSERT_TRUE(dial->connectButtonEnabled());

    connectCountAndDisconnect("PPP");
    EXPECT_EQ(received(258, 65).size(), 1u) << "one press, one connect request";
    ASSERT_EQ(records().size(), 1);

    store->setConfigurationByModule(QStringLiteral("ConnectType"), 1);
    yov::NotificationCenter::defaultCenter().post(QStringLiteral("ConnectTypeChange"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const auto sent = received(257, 60);
            return !sent.empty()
                   && yov::MSG_APN_SET_REQ_PARA_T::decode(yov::PayloadReader::ofMsg(sent.back())).connectType == 1;
        },
        kWaitMs))
        << "the new connect type did not reach the device service";

    connectCountAndDisconnect("NDIS");
    EXPECT_EQ(received(258, 69).size(), 1u);
    EXPECT_EQ(received(258, 70).size(), 1u);

    const QVariantList list = records();
    ASSERT_EQ(list.size(), 2) << "one record per connection";
    for (const QVariant &v : list) {
        const QVariantMap r = v.toMap();
        EXPECT_EQ(r.value(QStringLiteral("connectname")).toString(), QStringLiteral("Vandrel Web"));
        EXPECT_EQ(r.value(QStringLiteral("starttime")).typeId(), QMetaType::QDateTime);
        EXPECT_EQ(r.value(QStringLiteral("connecttime")).typeId(), QMetaType::LongLong);
        EXPECT_GE(r.value(QStringLiteral("connecttime")).toLongLong(), 1);
        EXPECT_EQ(r.value(QStringLiteral("receivebyte")).typeId(), QMetaType::Double);
        EXPECT_GT(r.value(QStringLiteral("receivebyte")).toDouble(), 0.0);
    }
    EXPECT_EQ(alerts.count(), 0);
}

TEST_F(ConnectionTest, RefusedPppDialEndsInIdleWithoutRecord)
{
    const QDBusMessage set = control(QStringLiteral("SetModemState"),
                                     {QStringLiteral("Connection"), QVariantMap{{QStringLiteral("ConnectFails"), true}}});
    ASSERT_EQ(set.type(), QDBusMessage::ReplyMessage) << qPrintable(set.errorMessage());
    waitForPacketDomain();
    int failed = 0;
    QObject observer;
    yov::NotificationCenter::defaultCenter().addObserver(&observer, QStringLiteral("ConnectFailed"), nullptr,
                                                         [&](const yov::Notification &) { ++failed; });
    dial->DialOption(DialController::DialSender::ConnectButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dial->connectStatus() == 1; }, kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return failed == 1; }, kWaitMs)) << "the failure was not reported";
    EXPECT_EQ(dial->connectStatus(), 0);
    EXPECT_FALSE(dial->isPolling());
    EXPECT_TRUE(records().isEmpty());
}
