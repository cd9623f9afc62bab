// The connection controller against the in-process transport and a manual clock: the packet
// domain, both roads from connect to the record, the refusing checks, failures, the attach and
// device removal.
#include "DialHarness.h"

#include "common/AtomicFile.h"
#include "ostrel/framework/controller/SkinManagerAccess.h"
#include "ostrel/framework/language/Lingrove.h"
#include "support/TestPaths.h"

#include <QFile>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace ostrel;
using dialtest::Harness;
using Sender = DialController::DialSender;

namespace {

constexpr std::uint32_t k16MiBPlusOne = 16u * 1024u * 1024u + 1u; // not exact as a float

// A skin whose only control is the further connect button.
class SkinWithConnectButton final : public SkinManagerAccess {
public:
    bool registerController(QObject *, const QString &, bool) override { return false; }
    bool updateItem(QObject *) override { return false; }
    QObject *controllerByKey(const QString &key) const override
    {
        return key == QLatin1String("btnDialConnectExt") ? button.get() : nullptr;
    }
    bool hasKey(const QString &key) const override { return key == QLatin1String("btnDialConnectExt"); }
    bool setImageForKey(const QString &, const QString &, bool) override { return false; }

    std::unique_ptr<QPushButton> button = std::make_unique<QPushButton>();
};

} // namespace

TEST(DialControllerTest, PacketDomainEnablesAndDisablesConnect)
{
    Harness h;
    h.dial->receiveDeviceOn();
    EXPECT_FALSE(h.dial->connectButtonEnabled());
    EXPECT_EQ(h.dial->display().startUpNote, QStringLiteral("Modem is in start-up process."));

    h.dial->setPSDomainStatus(true);
    EXPECT_TRUE(h.dial->connectButtonEnabled());
    EXPECT_TRUE(h.dial->display().startUpNote.isEmpty());
    EXPECT_EQ(h.dial->display().stateText, QStringLiteral("Idle"));
    ASSERT_FALSE(h.ableToConnect.empty());
    EXPECT_TRUE(h.ableToConnect.back());

    h.dial->setPSDomainStatus(false);
    EXPECT_FALSE(h.dial->connectButtonEnabled());
    EXPECT_FALSE(h.ableToConnect.back());
    EXPECT_TRUE(h.dial->display().stateText.isEmpty());
    EXPECT_TRUE(h.sent().empty()) << "the packet domain alone sends nothing";
}

TEST(DialControllerTest, PppConnectConnectedDisconnectWritesExactlyOneRecord)
{
    Harness h;
    h.ready();
    h.dial->DialOption(Sender::ConnectButton);
    h.dial->DialOption(Sender::ConnectButton); // a second press before the first one ran
    h.clock.advance(DialController::kDialOptionDelayMs);
    EXPECT_EQ(h.count(258, 65), 1) << "one press, one connect request";
    EXPECT_EQ(h.dial->connectStatus(), 1);
    EXPECT_TRUE(h.dial->isPolling());
    EXPECT_FALSE(h.dial->connectButtonEnabled());
    EXPECT_FALSE(h.ableToConnect.back());

    h.clock.advance(DialController::kPollIntervalMs);
    EXPECT_EQ(h.count(258, 67), 1);
    EXPECT_EQ(h.count(258, 68), 1);

    h.pppStatus(yov::kPppConnectLink);
    EXPECT_EQ(h.dial->display().stateText, QStringLiteral("Connecting......"));
    h.pppStatus(yov::kPppRunning, 62, k16MiBPlusOne, 2048);
    EXPECT_EQ(h.dial->connectStatus(), 3);
    EXPECT_EQ(h.statusChanges, std::vector<int>({3}));
    EXPECT_EQ(h.dial->display().stateText, QStringLiteral("Connected"));
    EXPECT_EQ(h.dial->display().connectButtonTitle, QStringLiteral("Disconnect"));
    EXPECT_TRUE(h.dial->connectButtonEnabled());
    EXPECT_TRUE(h.ableToConnect.back()) << "what follows the connect button is told it is enabled again";
    EXPECT_EQ(h.dial->display().connectTime, QStringLiteral("00:01:02"));
    EXPECT_EQ(h.dial->receivedBytes(), qint64(k16MiBPlusOne));
    EXPECT_EQ(h.dial->display().receiveData, QStringLiteral("16.00 MB"));
    EXPECT_EQ(h.content.firstConnected, 1);
    EXPECT_EQ(h.deviceReady, 1);

    // A second running status updates the counters only.
    h.pppStatus(yov::kPppRunning, 63, k16MiBPlusOne + 100, 4096);
    EXPECT_EQ(h.statusChanges.size(), 1u);
    EXPECT_EQ(h.content.firstConnected, 1);
    EXPECT_EQ(h.dial->sentBytes(), 4096);

    h.pressConnect();
    EXPECT_EQ(h.count(258, 66), 1);
    EXPECT_EQ(h.dial->connectStatus(), 2);
    ASSERT_EQ(h.records().size(), 1);
    h.pppStatus(yov::kPppDisconnectLink);
    h.pppStatus(yov::kPppIdle);
    EXPECT_EQ(h.dial->connectStatus(), 0);
    EXPECT_EQ(h.statusChanges, std::vector<int>({3, 0}));
    EXPECT_TRUE(h.ableToConnect.back());
    EXPECT_FALSE(h.dial->isPolling());
    EXPECT_EQ(h.connectFailed, 0) << "the user ended it";
    EXPECT_EQ(h.dial->display().connectTime, QStringLiteral("00:00:00"));
    EXPECT_EQ(h.dial->display().ipAddress, QStringLiteral("0.0.0.0"));

    const QVariantList records = h.records();
    ASSERT_EQ(records.size(), 1) << "saved once whatever paths run";
    const QVariantMap r = records[0].toMap();
    EXPECT_EQ(r.value(QStringLiteral("connectname")).toString(), QStringLiteral("Vandrel Web"));
    EXPECT_EQ(r.value(QStringLiteral("connecttime")).typeId(), QMetaType::LongLong);
    EXPECT_EQ(r.value(QStringLiteral("connecttime")).toLongLong(), 63);
    EXPECT_EQ(r.value(QStringLiteral("receivebyte")).typeId(), QMetaType::Double);
    EXPECT_DOUBLE_EQ(r.value(QStringLiteral("receivebyte")).toDouble(), double(k16MiBPlusOne + 100) / 1024.0);
    EXPECT_DOUBLE_EQ(r.value(QStringLiteral("sendbyte")).toDouble(), 4.0);
    const QDateTime start = r.value(QStringLiteral("starttime")).toDateTime();
    EXPECT_EQ(start, QDateTime(QDate(2026, 1, 1), QTime(12, 0), Qt::UTC)) << "stored in whole seconds";
    EXPECT_EQ(r.value(QStringLiteral("disconnecttime")).toDateTime(), start.addSecs(63));
}

TEST(DialControllerTest, NdisConnectCountsTimeAndTrafficAndWritesOneRecord)
{
    Harness h({{QStringLiteral("ConnectType"), 1}});
    h.ready();
    h.pressConnect();
    EXPECT_EQ(h.count(258, 69), 1);
    EXPECT_EQ(h.count(258, 65), 0);
    EXPECT_EQ(h.dial->connectStatus(), 1);
    EXPECT_FALSE(h.dial->isPolling()) << "no poll on the NDIS road";

    h.deliver(258, 71, yov::encodeNdisStatus(yov::kNdisConnecting));
    EXPECT_EQ(h.dial->display().stateText, QStringLiteral("Connecting..."));
    h.deliver(258, 71, yov::encodeNdisStatus(yov::kNdisConnected));
    EXPECT_EQ(h.dial->connectStatus(), 3);
    EXPECT_TRUE(h.dial->isNdisTimeRunning());
    h.clock.advance(3000);
    EXPECT_EQ(h.dial->display().connectTime, QStringLiteral("00:00:03"));

    yov::NdisTransferData data;
    data.localIp = QStringLiteral("10.64.12.34");
    data.sendBytes = 3072;
    data.receiveBytes = 1536;
    data.sendSpeed = 1024;
    data.receiveSpeed = 2048;
    h.deliver(258, 73, data.encode());
    EXPECT_EQ(h.dial->display().ipAddress, QStringLiteral("10.64.12.34"));
    EXPECT_EQ(h.dial->display().sendData, QStringLiteral("3.00 KB"));
    EXPECT_EQ(h.dial->display().receiveData, QStringLiteral("1.50 KB"));
    h.deliver(258, 73, data.encode().left(100)); // not transfer data: nothing changes
    EXPECT_EQ(h.dial->sentBytes(), 3072);

    h.pressConnect();
    EXPECT_EQ(h.count(258, 70), 1);
    EXPECT_EQ(h.dial->connectStatus(), 2);
    h.deliver(258, 71, yov::encodeNdisStatus(yov::kNdisDisconnected));
    EXPECT_EQ(h.dial->connectStatus(), 0);
    EXPECT_FALSE(h.dial->isNdisTimeRunning());
    EXPECT_EQ(h.statusChanges, std::vector<int>({3, 0}));

    const QVariantList records = h.records();
    ASSERT_EQ(records.size(), 1);
    const QVariantMap r = records[0].toMap();
    EXPECT_EQ(r.value(QStringLiteral("connecttime")).toLongLong(), 3);
    EXPECT_DOUBLE_EQ(r.value(QStringLiteral("sendbyte")).toDouble(), 3.0);
    EXPECT_DOUBLE_EQ(r.value(QStringLiteral("receivebyte")).toDouble(), 1.5);
}

TEST(DialControllerTest, NdisConnectionThatStandsIsAdoptedOnSimReady)
{
    Harness h({{QStringLiteral("ConnectType"), 1}});
    h.ready();
    h.notifications.post(QStringLiteral("SimReady"));
    EXPECT_EQ(h.count(258, 72), 1);
    h.deliver(258, 72, {}, -1);
    EXPECT_EQ(h.dial->connectStatus(), 0);
    h.deliver(258, 72, {}, 0);
    EXPECT_EQ(h.dial->connectStatus(), 3);
    EXPECT_EQ(h.dial->recordInState(), DialController::RECORD_IN_RUNNING);
}

TEST(DialControllerTest, EachRefusingCheckSendsNothing)
{
    struct Case {
        const char *what;
        QVariantMap settings;
        std::function<void(Harness &)> arrange;
    };
    const Case cases[] = {
        {"device lock", {{QStringLiteral("DeviceLockDialFunction"), true}}, [](Harness &h) { h.setting.lockOn = true; }},
        {"connect question cancelled",
         {{QStringLiteral("Internet"), QVariantMap{{QStringLiteral("PopUpConnectWaring"), true}}}},
         [](Harness &h) { h.alerts.pressNext(testing_support::ScriptedAlertPresenter::Alternate); }},
        {"roaming cost cancelled", {}, [](Harness &h) {
             h.device.roaming = 0;
             h.alerts.pressNext(testing_support::ScriptedAlertPresenter::Alternate);
         }},
        {"time limit reached, connect anyway cancelled",
         {{QStringLiteral("Internet"), QVariantMap{{QStringLiteral("timeLimitWarning"), true}}},
          {QStringLiteral("Record"), QVariantMap{{QStringLiteral("recordTimeLimit"), 1},
                                                 {QStringLiteral("IfSetRecordResetFrequence"), true}}}},
         [](Harness &h) {
             h.totals.totalSeconds = 3600;
             h.alerts.pressNext(testing_support::ScriptedAlertPresenter::Alternate);
         }},
        {"connect-warning sheet", {{QStringLiteral("Setting"), QVariantMap{{QStringLiteral("connectWarningsDisplay"), true}}}},
         [](Harness &) {}},
        {"white-list question cancelled",
         {{QStringLiteral("Internet"), QVariantMap{{QStringLiteral("d3uRemindWhilteNetAlertBeforeConnect"), true}}}},
         [](Harness &h) {
             h.device.roaming = 0;
             h.device.whiteList = true;
             h.alerts.pressNext(testing_support::ScriptedAlertPresenter::Alternate);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Harness h(c.settings);
        h.ready();
        c.arrange(h);
        h.transport->sent.clear();
        h.pressConnect();
        h.clock.advance(1000);
        EXPECT_EQ(h.count(258, 65), 0);
        EXPECT_EQ(h.count(258, 69), 0);
        EXPECT_EQ(h.dial->connectStatus(), 0);
        EXPECT_TRUE(h.statusChanges.empty());
    }
}

TEST(DialControllerTest, DeviceLockOpensTheUnlockWindowAndTheUnlockContinues)
{
    Harness h({{QStringLiteral("DeviceLockDialFunction"), true}});
    h.ready();
    h.setting.lockOn = true;
    Neighbours::init().setDeviceLockFunctionModule(3);
    h.pressConnect();
    EXPECT_EQ(Neighbours::init().getDeviceLockFunctionModule(), 0);
    EXPECT_EQ(h.count(258, 65), 0);
    h.notifications.post(QStringLiteral("DeviceUnlockSuccess"));
    h.clock.advance(DialController::kDialOptionDelayMs);
    EXPECT_EQ(h.count(258, 65), 1);
}

TEST(DialControllerTest, ConnectWarningSheetShowsOnceAndItsOkConnects)
{
    Harness h({{QStringLiteral("Setting"), QVariantMap{{QStringLiteral("connectWarningsDisplay"), true}}}});
    h.ready();
    int sheets = 0;
    QObject::connect(h.dial.get(), &DialController::connectWarningSheetRequested, [&] { ++sheets; });
    h.pressConnect();
    EXPECT_EQ(sheets, 1);
    h.dial->connectWarningWinOKClicked();
    h.clock.advance(DialController::kDialOptionDelayMs);
    EXPECT_EQ(h.count(258, 65), 1);
}

TEST(DialControllerTest, PppConnectFailureReportsAndReturnsToIdleWithoutRecord)
{
    Harness h;
    h.ready();
    h.pressConnect();
    h.pppStatus(yov::kPppConnectLink);
    h.pppStatus(yov::kPppTerminate);
    EXPECT_EQ(h.dial->display().stateText, QStringLiteral("Terminate"));
    h.pppStatus(yov::kPppIdle);
    EXPECT_EQ(h.dial->connectStatus(), 0);
    EXPECT_EQ(h.connectFailed, 1);
    EXPECT_TRUE(h.dial->connectButtonEnabled());
    EXPECT_FALSE(h.dial->isPolling());
    EXPECT_TRUE(h.records().isEmpty()) << "an attempt that never connected leaves no record";
    EXPECT_EQ(h.statusChanges, std::vector<int>({0}));
}

TEST(DialControllerTest, NdisConnectFailureShowsTheMessage)
{
    Harness h({{QStringLiteral("ConnectType"), 1}});
    h.ready();
    h.pressConnect();
    h.deliver(258, 71, yov::encodeNdisStatus(yov::kNdisConnectFailed));
    EXPECT_EQ(h.dial->connectStatus(), 0);
    ASSERT_EQ(h.alerts.count(), 1);
    EXPECT_EQ(h.alerts.shown()[0].message, QStringLiteral("NDIS Connection failed!"));
    EXPECT_EQ(h.dial->display().stateText, QStringLiteral("Idle")) << "the stop handling shows idle";
    h.deliver(258, 71, yov::encodeNdisStatus(7)); // not a status: nothing happens
    EXPECT_EQ(h.alerts.count(), 1);
    EXPECT_TRUE(h.records().isEmpty());
}

TEST(DialControllerTest, PacketDomainAttachResultDecidesTheDial)
{
    const QVariantMap settings{{QStringLiteral("Internet"), QVariantMap{{QStringLiteral("PSDomainSettings"), true},
                                                                        {QStringLiteral("AttachPSInterval"), 0.5}}}};
    struct Case {
        const char *what;
        std::function<void(Harness &)> answer;
        bool dials;
    };
    const Case cases[] = {
        {"attached", [](Harness &h) { h.deliver(258, 64, {}, 0); }, true},
        {"attach refused", [](Harness &h) { h.deliver(258, 64, {}, -1); }, false},
        {"no answer", [](Harness &h) { h.clock.advance(DialController::kAttachTimeoutMs); }, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Harness h(settings);
        h.ready();
        h.deliver(258, 64, {}, 0); // a network-mode answer before any attach is not an attach result
        h.pressConnect();
        EXPECT_EQ(h.count(258, 76), 0) << "the attach waits its interval";
        EXPECT_EQ(h.dial->display().stateText, QStringLiteral("Init"));
        h.clock.advance(500);
        ASSERT_EQ(h.count(258, 76), 1);
        const yov::PsAttachRequest request = yov::PsAttachRequest::decode(yov::PayloadReader(h.lastPayload(258, 76)));
        EXPECT_EQ(request.action, yov::PsAttachRequest::kAttach);
        c.answer(h);
        EXPECT_EQ(h.count(258, 65), c.dials ? 1 : 0);
        if (c.dials) {
            EXPECT_EQ(h.dial->connectStatus(), 1);
            continue;
        }
        EXPECT_FALSE(h.dial->willConnectToInternet());
        EXPECT_TRUE(h.dial->connectButtonEnabled()) << "the user can try again";
        EXPECT_EQ(h.alerts.count(), 1);
        EXPECT_EQ(h.dial->connectStatus(), 0);
        h.deliver(258, 64, {}, 0); // a late answer starts nothing
        EXPECT_EQ(h.count(258, 65), 0);
    }
}

TEST(DialControllerTest, DeviceRemovedWhileConnectedSavesTheRecordAndGoesIdle)
{
    for (int type : {0, 1}) {
        SCOPED_TRACE(type == 0 ? "PPP" : "NDIS");
        Harness h({{QStringLiteral("ConnectType"), type}});
        h.ready();
        h.pressConnect();
        if (type == 0)
            h.pppStatus(yov::kPppRunning, 10, 5000, 1000);
        else
            h.deliver(258, 71, yov::encodeNdisStatus(yov::kNdisConnected));
        ASSERT_EQ(h.dial->connectStatus(), 3);
        h.notifications.post(QStringLiteral("DeviceRemoved"));
        EXPECT_EQ(h.dial->connectStatus(), 0);
        EXPECT_TRUE(h.dial->isDeviceRemoved());
        EXPECT_FALSE(h.dial->connectButtonEnabled());
        EXPECT_FALSE(h.dial->isPolling());
        EXPECT_FALSE(h.dial->isNdisTimeRunning());
        EXPECT_EQ(h.records().size(), 1);
        // Late reports of the gone device change nothing.
        h.pppStatus(yov::kPppRunning, 11, 6000, 1000);
        h.deliver(258, 71, yov::encodeNdisStatus(yov::kNdisConnected));
        EXPECT_EQ(h.dial->connectStatus(), 0);
        EXPECT_EQ(h.records().size(), 1);
        EXPECT_EQ(h.statusChanges, std::vector<int>({3, 0}));
    }
}

TEST(DialControllerTest, RecordThatCannotBeWrittenIsReportedAndKept)
{
    Harness h;
    h.ready();
    const QString name = QStringLiteral("262021234567890_dialRecordData.plist");
    Neighbours::records().loadRecordList(name);
    ASSERT_TRUE(QDir(h.dir.path()).mkdir(name)); // a folder where the file should be: not writable
    h.pressConnect();
    h.pppStatus(yov::kPppRunning, 5, 100, 100);
    h.pressConnect();
    EXPECT_EQ(h.alerts.count(), 1);
    EXPECT_EQ(h.dial->pendingRecordCount(), 1);
    EXPECT_FALSE(h.dial->lastRecordError().isEmpty());
    h.pppStatus(yov::kPppIdle);

    ASSERT_TRUE(QDir(h.dir.path()).rmdir(name));
    h.pressConnect();
    h.pppStatus(yov::kPppRunning, 7, 100, 100);
    h.pressConnect();
    EXPECT_EQ(h.dial->pendingRecordCount(), 0);
    const QVariantList records = h.records();
    ASSERT_EQ(records.size(), 2) << "the kept record goes in with the next one";
    EXPECT_EQ(records[0].toMap().value(QStringLiteral("connecttime")).toLongLong(), 5);
    EXPECT_EQ(records[1].toMap().value(QStringLiteral("connecttime")).toLongLong(), 7);
}

TEST(DialControllerTest, QuarterHoursAreShownAndStored)
{
    Harness h({{QStringLiteral("Record"), QVariantMap{{QStringLiteral("connectTimeincreaseState"), true}}}});
    h.ready();
    h.pressConnect();
    h.pppStatus(yov::kPppRunning, 62, 0, 0);
    EXPECT_EQ(h.dial->display().connectTime, QStringLiteral("00:15:00"));
    h.pressConnect();
    ASSERT_EQ(h.records().size(), 1);
    EXPECT_EQ(h.records()[0].toMap().value(QStringLiteral("connecttime")).toLongLong(), 900);
}

TEST(DialControllerTest, SpeedIsComputedOnTheTenthStatus)
{
    Harness h;
    h.ready();
    int posts = 0;
    QString up;
    h.notifications.addObserver(&h.observer, QStringLiteral("SendSpeedData"), nullptr, [&](const yov::Notification &n) {
        ++posts;
        up = n.userInfo.value(QStringLiteral("UpSpeed")).toString();
    });
    h.pressConnect();
    for (std::uint32_t i = 1; i <= 9; ++i)
        h.pppStatus(yov::kPppRunning, i, 0, i * 1024);
    EXPECT_EQ(posts, 0);
    h.pppStatus(yov::kPppRunning, 10, 0, 10 * 1024);
    EXPECT_EQ(posts, 1);
    EXPECT_EQ(up, QStringLiteral("80.00 Kbps")); // 10240 bytes in the first second
    EXPECT_EQ(h.dial->display().sendSpeed, QStringLiteral("10.00 KB/s"));
    for (std::uint32_t i = 11; i <= 20; ++i)
        h.pppStatus(yov::kPppRunning, i, 0, 1024);
    EXPECT_EQ(posts, 2);
    EXPECT_EQ(h.dial->sendSpeed(), 0.0) << "a falling count is never a negative speed";
}

TEST(DialControllerTest, DialParametersGoToTheDeviceOnRequestAndOnConnectTypeChange)
{
    Harness h;
    h.dial->setDialParams();
    ASSERT_EQ(h.count(257, 60), 1);
    yov::MSG_APN_SET_REQ_PARA_T params =
        yov::MSG_APN_SET_REQ_PARA_T::decode(yov::PayloadReader(h.lastPayload(257, 60)));
    EXPECT_EQ(params.apn, QStringLiteral("web.vandrel"));
    EXPECT_EQ(params.connectType, 0);
    EXPECT_EQ(params.disableAlertWindow, 0) << "no cycling: this try is the last";

    h.store->setConfigurationByModule(QStringLiteral("ConnectType"), 1);
    h.notifications.post(QStringLiteral("ConnectTypeChange"));
    ASSERT_EQ(h.count(257, 60), 2);
    params = yov::MSG_APN_SET_REQ_PARA_T::decode(yov::PayloadReader(h.lastPayload(257, 60)));
    EXPECT_EQ(params.connectType, 1);
}

TEST(DialControllerTest, EmptyProfileListStillSendsSafeParameters)
{
    Harness h({}, {});
    EXPECT_EQ(h.dial->profiles().count(), 0);
    h.dial->setDialParams();
    ASSERT_EQ(h.count(257, 60), 1);
    EXPECT_TRUE(h.dial->currentProfileName().isEmpty());
    h.dial->dialConfigListSelectItemAtIndex(1); // no such profile
    EXPECT_EQ(h.count(257, 60), 1);
}

TEST(DialControllerTest, FrequencyLockIsSetWhenTheDeviceIsUnlocked)
{
    Harness h({{QStringLiteral("Internet"), QVariantMap{{QStringLiteral("LockNetFrequencyWhenConnect"), 5}}}});
    h.ready();
    h.pressConnect();
    EXPECT_EQ(h.count(257, 62), 1);
    EXPECT_EQ(h.count(258, 65), 1) << "the dial does not wait for the lock";
    QByteArray state(8, '\0');
    h.deliver(257, 87, state);
    ASSERT_EQ(h.count(257, 61), 1);
    const yov::FreqLockSetRequest set = yov::FreqLockSetRequest::decode(yov::PayloadReader(h.lastPayload(257, 61)));
    EXPECT_EQ(set.enable, 1);
    EXPECT_EQ(set.value, 5);
}

TEST(DialControllerTest, RequestWhileDisconnectingOnlyDisablesTheButtons)
{
    Harness h;
    h.ready();
    h.pressConnect();
    h.pppStatus(yov::kPppRunning, 1, 0, 0);
    h.pressConnect();
    ASSERT_EQ(h.dial->connectStatus(), 2);
    h.pressConnect();
    EXPECT_EQ(h.count(258, 65), 1);
    EXPECT_EQ(h.count(258, 66), 1);
    EXPECT_FALSE(h.dial->connectButtonEnabled());
}

TEST(DialControllerTest, IsTheConnectionNeighbourWhileItLives)
{
    {
        Harness h;
        EXPECT_EQ(&Neighbours::dial(), static_cast<DialControllerInterface *>(h.dial.get()));
        EXPECT_EQ(DialController::g_DialController(), h.dial.get());
    }
    EXPECT_EQ(DialController::g_DialController(), nullptr);
    EXPECT_EQ(Neighbours::dial().connectStatus(), 0);
}

TEST(DialControllerTest, NewDialReadsTheTransferStatusRecord)
{
    Harness h({{QStringLiteral("NewDial"), true}});
    h.ready();
    h.pressConnect();
    yov::MSG_DIAL_PPP_TRANSFER_STATUS s;
    s.localIp = QStringLiteral("10.1.2.3");
    s.sendBytes = 2048;
    s.receiveBytes = 4096;
    s.connectSeconds = 12.9;
    s.pppState = yov::kPppRunning;
    h.deliver(258, 67, s.encode());
    EXPECT_EQ(h.dial->connectStatus(), 3);
    EXPECT_EQ(h.dial->display().connectTime, QStringLiteral("00:00:12"));
    EXPECT_EQ(h.dial->display().ipAddress, QStringLiteral("10.1.2.3"));
    h.deliver(258, 68, yov::encodeLocalAddress(0x01020304)); // not read on this road
    EXPECT_EQ(h.dial->display().ipAddress, QStringLiteral("10.1.2.3"));
    h.deliver(258, 67, s.encode(), 0, 0); // a record of type 0 is not a reply
    EXPECT_EQ(h.dial->receivedBytes(), 4096);
}

TEST(DialControllerTest, PacketDomainStateTable)
{
    const QVariantMap manualBar{{QStringLiteral("Internet"),
                                 QVariantMap{{QStringLiteral("noNeedAutoConnectIfHadManualDisconnect"), true}}}};
    const QVariantMap keepWithoutPS{{QStringLiteral("Internet"),
                                     QVariantMap{{QStringLiteral("DoNotCheckPSDomainWhileAutoConnect"), true}}}};
    struct Case {
        const char *what;
        QVariantMap settings;
        std::function<void(Harness &)> arrange;
        std::vector<bool> attached; // the packet-domain states given, in order
        bool attemptScheduled; // an automatic attempt waits on the clock
        bool buttonEnabled;
        QString stateText;
    };
    const auto autoOn = [](Harness &h) { h.setting.autoConnect = true; };
    const Case cases[] = {
        {"NO to YES with automatic connection on", {}, autoOn, {false, true}, true, true, QStringLiteral("Idle")},
        {"YES again: no second attempt", {}, autoOn, {true, true}, true, true, QStringLiteral("Idle")},
        {"automatic connection off", {}, [](Harness &) {}, {true}, false, true, QStringLiteral("Idle")},
        {"after a manual disconnect, with the bar", manualBar,
         [](Harness &h) {
             h.setting.autoConnect = true;
             h.dial->setHadDoManualDisconnect(true);
         },
         {true}, false, true, QStringLiteral("Idle")},
        {"while connected nothing happens", {},
         [](Harness &h) {
             h.setting.autoConnect = true;
             h.ready();
             h.pressConnect();
             h.pppStatus(yov::kPppRunning, 1, 0, 0);
             h.dial->cancelAutoReconnect();
         },
         {false, true}, false, true, QStringLiteral("Connected")},
        {"YES to NO disables Connect", {}, [](Harness &) {}, {true, false}, false, false, QString()},
        {"YES to NO keeps Connect with DoNotCheckPSDomainWhileAutoConnect", keepWithoutPS, [](Harness &) {},
         {true, false}, false, true, QString()},
        {"NO enables a disabled Connect with DoNotCheckPSDomainWhileAutoConnect", keepWithoutPS,
         [](Harness &h) { h.dial->setConnectBtnEnable(false); }, {false}, false, true, QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Harness h(c.settings);
        h.dial->receiveDeviceOn();
        c.arrange(h);
        const int connectState = h.dial->connectStatus();
        h.transport->sent.clear();
        for (bool attached : c.attached)
            h.dial->setPSDomainStatus(attached);
        EXPECT_EQ(h.dial->autoReconnectPending(), c.attemptScheduled);
        EXPECT_EQ(h.dial->connectButtonEnabled(), c.buttonEnabled);
        EXPECT_EQ(h.dial->display().stateText, c.stateText);
        EXPECT_EQ(h.dial->connectStatus(), connectState);
        EXPECT_TRUE(h.sent().empty()) << "the packet domain alone sends nothing";
    }
}

TEST(DialControllerTest, PppStatesWithAndWithoutTheMiddleStatesFolded)
{
    const QVariantMap folded{{QStringLiteral("Internet"), QVariantMap{{QStringLiteral("noNeedMiddleStatus"), true}}}};
    struct Case {
        const char *what;
        bool fold;
        std::uint32_t state;
        QString text;
        bool buttonEnabled;
        QString buttonTitle;
    };
    const QString connecting = QStringLiteral("Connect");
    const Case cases[] = {
        {"initialise", false, yov::kPppInitialize, QStringLiteral("Init"), false, connecting},
        {"establish", false, yov::kPppEstablish, QStringLiteral("Establish"), false, connecting},
        {"authenticate", false, yov::kPppAuthenticate, QStringLiteral("Authenticate"), false, connecting},
        {"network offers Cancel", false, yov::kPppNetwork, QStringLiteral("Create Network"), true, QStringLiteral("Cancel")},
        {"terminate", false, yov::kPppTerminate, QStringLiteral("Terminate"), false, connecting},
        {"reserved", false, 3, QString(), false, connecting},
        {"above 10", false, 11, QString(), false, connecting},
        {"folded establish", true, yov::kPppEstablish, QStringLiteral("Connecting......"), false, connecting},
        {"folded authenticate", true, yov::kPppAuthenticate, QStringLiteral("Connecting......"), false, connecting},
        {"folded network: no Cancel", true, yov::kPppNetwork, QStringLiteral("Connecting......"), false, connecting},
        {"folded terminate", true, yov::kPppTerminate, QStringLiteral("Disconnecting......"), false, connecting},
        {"initialise is not folded", true, yov::kPppInitialize, QStringLiteral("Init"), false, connecting},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Harness h(c.fold ? folded : QVariantMap());
        ASSERT_TRUE(ostrel::Lingrove_Init(testing_paths::sourceResources()
                                          + QStringLiteral("/Language/English.lproj/LanguageTokenList.txt")));
        h.ready();
        h.pressConnect();
        const QString before = h.dial->display().stateText;
        h.pppStatus(c.state);
        EXPECT_EQ(h.dial->display().stateText, c.text.isEmpty() ? before : c.text);
        EXPECT_EQ(h.dial->connectButtonEnabled(), c.buttonEnabled);
        EXPECT_EQ(h.dial->display().connectButtonTitle, c.buttonTitle);
        EXPECT_EQ(h.dial->connectStatus(), 1);
    }
}

TEST(DialControllerTest, CancelAtTheNetworkStateEndsTheAttemptWithoutFailure)
{
    Harness h;
    h.ready();
    h.pressConnect();
    h.pppStatus(yov::kPppNetwork);
    ASSERT_TRUE(h.dial->connectButtonEnabled());
    h.pressConnect();
    EXPECT_EQ(h.count(258, 66), 1) << "the cancel is a PPP disconnect";
    EXPECT_EQ(h.dial->connectStatus(), 2);
    EXPECT_TRUE(h.dial->manualDisconnectFlag());
    h.pppStatus(yov::kPppIdle);
    EXPECT_EQ(h.dial->connectStatus(), 0);
    EXPECT_EQ(h.connectFailed, 0) << "the user ended it";
    EXPECT_TRUE(h.records().isEmpty());
    EXPECT_EQ(h.statusChanges, std::vector<int>({0}));
}

TEST(DialControllerTest, ClosingWhileConnectedQuitsWhenTheLinkComesDown)
{
    for (bool closing : {true, false}) {
        SCOPED_TRACE(closing ? "closing" : "not closing");
        Harness h({{QStringLiteral("MAINFORM"), QVariantMap{{QStringLiteral("CloseAppWihoutQueryConnection"), closing}}}});
        h.ready();
        h.pressConnect();
        h.pppStatus(yov::kPppRunning, 5, 100, 100);
        h.notifications.post(QStringLiteral("AppWillClose"));
        EXPECT_EQ(h.count(258, 66), closing ? 1 : 0);
        EXPECT_EQ(h.dial->GetisDialNow(), !closing) << "the quit code no longer waits for a dial";
        h.pppStatus(yov::kPppDisconnectLink);
        EXPECT_EQ(h.terminated, closing ? 1 : 0);
        EXPECT_EQ(h.records().size(), closing ? 1 : 0) << "the record is saved before the link comes down";
    }
}

TEST(DialControllerTest, TheRoadsCallTheirNeighboursAtTheirMoments)
{
    const QVariantList mmsModule{QVariantMap{{QStringLiteral("itemIdentifier"), QStringLiteral("MMS")}}};
    struct Case {
        const char *what;
        QVariantMap settings;
        std::function<void(Harness &)> run;
        std::vector<QString> calls;
    };
    const Case cases[] = {
        {"PPP connected and back to idle, with the MMS module",
         {{QStringLiteral("toolBarItems"), mmsModule}},
         [](Harness &h) {
             h.pressConnect();
             h.pppStatus(yov::kPppRunning, 1, 0, 0);
             h.pppStatus(yov::kPppRunning, 2, 0, 0); // a second running status: counters only
             h.pressConnect();
             h.pppStatus(yov::kPppIdle);
         },
         {"main.openMainWindow", "main.miniaturizeMainWindowWhenConnectSucced", "mms.connectRunningStatuFromDial",
          "mms.connectRunningStatuFromDial", "content.switchInternetTabAction", "content.detachSpecialWebview",
          "mms.connectIdleStatuFromDial"}},
        {"PPP without the MMS module",
         {},
         [](Harness &h) {
             h.pressConnect();
             h.pppStatus(yov::kPppRunning, 1, 0, 0);
             h.pressConnect();
             h.pppStatus(yov::kPppIdle);
         },
         {"main.openMainWindow", "main.miniaturizeMainWindowWhenConnectSucced", "content.switchInternetTabAction",
          "content.detachSpecialWebview"}},
        {"NDIS connected and disconnected",
         {{QStringLiteral("ConnectType"), 1}},
         [](Harness &h) {
             h.pressConnect();
             h.deliver(258, 71, yov::encodeNdisStatus(yov::kNdisConnected));
             h.pressConnect();
             h.deliver(258, 71, yov::encodeNdisStatus(yov::kNdisDisconnected));
         },
         {"setting.AutoLaunchURL", "content.switchInternetTabAction", "content.imageDownloadFinishForBillboard",
          "content.switchInternetTabAction"}},
        {"the billboard image downloaded", {},
         [](Harness &h) { h.notifications.post(QStringLiteral("LoadImageFormURLOver")); },
         {"content.imageDownloadFinishForBillboard"}},
        {"removal with the background shown while disconnected",
         {{QStringLiteral("DisplayBackgroundWhileDisconnect"), true}},
         [](Harness &h) { h.notifications.post(QStringLiteral("DeviceRemoved")); },
         {"content.hideBackgroundAndEmbeddedWebViews"}},
        {"removal without it", {}, [](Harness &h) { h.notifications.post(QStringLiteral("DeviceRemoved")); }, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        dialtest::CallLog log;
        Harness h(c.settings);
        h.ready();
        h.logNeighbourCalls(log);
        c.run(h);
        EXPECT_EQ(log.calls, c.calls);
    }
}

TEST(DialControllerTest, UnreadableRecordFileIsKeptAsideAndNewRecordsGoToAFreshFile)
{
    const QByteArray garbage("\x01\x02 this is not a list of records <plist");
    for (bool atStartUp : {true, false}) {
        SCOPED_TRACE(atStartUp ? "found at start-up" : "found at the first append");
        Harness h;
        h.ready();
        const auto writeGarbage = [&] {
            QFile f(h.recordPath());
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(garbage);
        };
        if (atStartUp)
            writeGarbage();
        h.dial->applicationDidFinishLaunchingInDialController();
        if (!atStartUp)
            writeGarbage();
        EXPECT_EQ(h.alerts.count(), atStartUp ? 1 : 0);
        for (int connection = 0; connection < 2; ++connection) {
            h.pressConnect();
            h.pppStatus(yov::kPppRunning, 4 + connection, 100, 100);
            h.pressConnect();
            h.pppStatus(yov::kPppIdle);
        }
        ASSERT_EQ(h.alerts.count(), 1) << "told once";
        const QStringList kept = QDir(h.dir.path()).entryList({QStringLiteral("dialRecordData.plist.unreadable-*")});
        ASSERT_EQ(kept.size(), 1);
        EXPECT_TRUE(h.alerts.shown()[0].message.contains(h.recordPath())) << h.alerts.shown()[0].message.toStdString();
        EXPECT_TRUE(h.alerts.shown()[0].message.contains(kept[0]));
        QFile copy(h.dir.filePath(kept[0]));
        ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
        EXPECT_EQ(copy.readAll(), garbage) << "kept byte for byte";
        ASSERT_EQ(h.records().size(), 2) << "both connections are in the fresh file";
        EXPECT_EQ(h.records()[0].toMap().value(QStringLiteral("connecttime")).toLongLong(), 4);
        EXPECT_EQ(h.dial->pendingRecordCount(), 0);
    }
}

TEST(DialControllerTest, DeviceRemovalWithPerSimProfilesShowsTheFirstItemAndTheStartUpNote)
{
    for (bool perSim : {true, false}) {
        SCOPED_TRACE(perSim ? "per-SIM profiles" : "one profile list");
        Harness h({{QStringLiteral("Internet"), QVariantMap{{QStringLiteral("AddAPNWithSIM"), perSim}}},
                   {QStringLiteral("simIMSI"), QStringLiteral("262011234567890")},
                   {QStringLiteral("ProfileID"), 1}},
                  {QVariantMap{{QStringLiteral("provider"), QStringLiteral("A")}},
                   QVariantMap{{QStringLiteral("provider"), QStringLiteral("B")}}});
        h.ready();
        ASSERT_EQ(h.dial->profiles().currentChooserItem(), 2);
        ASSERT_TRUE(h.dial->display().profileFieldsEnabled);
        h.notifications.post(QStringLiteral("DeviceRemoved"));
        EXPECT_EQ(h.dial->display().chooserItem, perSim ? 1 : -1);
        EXPECT_EQ(h.dial->display().profileChooserEnabled, !perSim);
        EXPECT_FALSE(h.dial->display().profileFieldsEnabled);
        EXPECT_EQ(h.dial->display().startUpNote, QStringLiteral("Modem is in start-up process."));
        EXPECT_EQ(h.count(257, 60), 0) << "the shown item is not a new current profile";

        h.notifications.post(QStringLiteral("DevicePlugin"));
        h.notifications.post(QStringLiteral("AlreadyGetSimIMSI"));
        EXPECT_EQ(h.dial->display().chooserItem, -1) << "the SIM's own list is shown again";
        EXPECT_TRUE(h.dial->display().profileChooserEnabled);
        EXPECT_TRUE(h.dial->display().profileFieldsEnabled);
    }
}

TEST(DialControllerTest, SkinConnectButtonAndTheOperatorsConnectTitleFollowTheConnection)
{
    QTemporaryDir words;
    const QString tokens = words.filePath(QStringLiteral("LanguageTokenList.txt"));
    {
        QFile f(tokens);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\"Internet_btnConnectTitle_Connect\" = \"Go online\";\n\"Connect\" = \"Verbinden\";\n");
    }
    ASSERT_TRUE(ostrel::Lingrove_Init(tokens));
    SkinWithConnectButton skin;
    {
        Harness h({{QStringLiteral("Internet"),
                    QVariantMap{{QStringLiteral("Internet_ChangeLeftValueOfWording_ForConnectBtn"), true}}}},
                  Harness::defaultProfiles(), &skin);
        QPushButton &ext = *skin.button;
        EXPECT_EQ(h.dial->display().connectButtonTitle, QStringLiteral("Go online"));
        h.ready();
        EXPECT_TRUE(ext.isEnabled());
        h.pressConnect();
        EXPECT_FALSE(ext.isEnabled());
        h.pppStatus(yov::kPppNetwork);
        EXPECT_TRUE(ext.isEnabled());
        EXPECT_EQ(ext.text(), QStringLiteral("Cancel"));
        h.pppStatus(yov::kPppRunning, 1);
        EXPECT_TRUE(ext.isEnabled());
        EXPECT_EQ(ext.text(), QStringLiteral("Disconnect"));
        h.pressConnect();
        h.pppStatus(yov::kPppIdle);
        EXPECT_EQ(ext.text(), QStringLiteral("Verbinden"));
        EXPECT_EQ(h.dial->display().connectButtonTitle, QStringLiteral("Go online"));
        h.dial->updateLanguages();
        EXPECT_EQ(h.dial->display().connectButtonTitle, QStringLiteral("Go online")) << "a language change keeps the wording";
    }
    ASSERT_TRUE(ostrel::Lingrove_Init(testing_paths::sourceResources()
                                      + QStringLiteral("/Language/English.lproj/LanguageTokenList.txt")));
}

namespace {

// The operator content, recording what the Internet view hands to it.
class StartUpContent final : public DefaultDialOperatorContent {
public:
    QStringList calls;
    void hideBackgroundAndEmbeddedWebViews() override { calls << QStringLiteral("hideBackground"); }
    void displayEmbeddedWebView(const QString &url, bool scrolling) override
    {
        calls << QStringLiteral("embed %1 %2").arg(url).arg(scrolling);
    }
    void showDefaultBillboard() override { calls << QStringLiteral("billboard"); }
    void initSplitConnectionProcess() override { calls << QStringLiteral("split"); }
    void initAdContainerView() override { calls << QStringLiteral("ad"); }
    void initWebDownloadAndLinkUpdateUtilitiesOfEntertain() override { calls << QStringLiteral("entertain"); }
    void loadFavoritesLinkPropeties() override { calls << QStringLiteral("favourites"); }
    void datausageRest() override { calls << QStringLiteral("datausageRest"); }
    void setMsisdnNumberWithResult(const QVariantMap &result) override
    {
        calls << QStringLiteral("msisdn ") + result.value(QStringLiteral("MSISDN")).toString();
    }
    void excuteWhenConnectServerError(const QVariantMap &) override { calls << QStringLiteral("serverError"); }
    void displayPhoneNumberForSmart() override { calls << QStringLiteral("phoneNumber"); }
    void loadFavouriteBtnWebKitViews() override { calls << QStringLiteral("favouriteViews"); }
};

} // namespace

TEST(DialControllerTest, StartUpStepsAndNotificationsReachTheOperatorContentInOrder)
{
    const struct {
        const char *name;
        QVariantMap settings;
        QStringList startUp;
    } cases[] = {
        {"no operator content", {}, {"billboard", "split", "ad", "entertain"}},
        {"embedded page, background and favourites",
         {{QStringLiteral("DisplayBackgroundWhileDisconnect"), true},
          {QStringLiteral("EmbedWebViewURL"), QStringLiteral("http://portal.example/")},
          {QStringLiteral("EnableAllowScrollOfWBV"), true},
          {QStringLiteral("DifferentWorkingMothodForDedorud"), true}},
         {"hideBackground", "embed http://portal.example/ 1", "billboard", "split", "ad", "entertain", "favourites"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        StartUpContent content;
        Harness h(c.settings, Harness::defaultProfiles(), nullptr,
                  [&content](DialController &dial) { dial.setOperatorContent(&content); });
        EXPECT_EQ(content.calls, c.startUp);
        EXPECT_EQ(h.dial->display().ipAddress, QStringLiteral("0.0.0.0"));

        content.calls.clear();
        const std::pair<const char *, const char *> notices[] = {
            {"btnDatausageRestCliked", "datausageRest"}, {"xmlParseOver", "msisdn 4917000"},
            {"connectServerError", "serverError"},       {"DisplayPhoneNumberForSmart", "phoneNumber"},
            {"loadFavouriteBtnWebKitViews", "favouriteViews"}};
        for (const auto &[notice, call] : notices) {
            h.notifications.post(QLatin1String(notice), nullptr, {{QStringLiteral("MSISDN"), QStringLiteral("4917000")}});
            EXPECT_EQ(content.calls.value(content.calls.size() - 1), QLatin1String(call)) << notice;
        }
        EXPECT_EQ(content.calls.size(), 5);
        // The settings' favourite editor saved the links: the buttons read them again.
        static_cast<ostrel::DialControllerInterface &>(*h.dial).loadFavoritesLinkPropeties();
        EXPECT_EQ(content.calls.value(content.calls.size() - 1), QStringLiteral("favourites"));
        h.dial->setOperatorContent(nullptr);
    }
}
