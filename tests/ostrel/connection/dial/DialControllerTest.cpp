// The connection controller against the in-process transport and a manual clock: the packet
// domain, both roads from connect to the record, the refusing checks, failures, the attach and
// device removal.
#include "DialHarness.h"

#include <gtest/gtest.h>

using namespace ostrel;
using dialtest::Harness;
using Sender = DialController::DialSender;

namespace {

constexpr std::uint32_t k16MiBPlusOne = 16u * 1024u * 1024u + 1u; // not exact as a float

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
    EXPECT_EQ(h.dial->display().connectTime, QStringLiteral("00:01:02"));
    EXPECT_EQ(h.dial->receivedBytes(), qint64(k16MiBPlusOne));
    EXPECT_EQ(h.dial->display().receiveData, QStringLiteral("16.00 MB"));
    EXPECT_EQ(h.extensions.firstConnected, 1);
    EXPECT_EQ(h.deviceReady, 1);

    // A second running status updates the counters only.
    h.pppStatus(yov::kPppRunning, 63, k16MiBPlusOne + 100, 4096);
    EXPECT_EQ(h.statusChanges.size(), 1u);
    EXPECT_EQ(h.extensions.firstConnected, 1);
    EXPECT_EQ(h.dial->sentBytes(), 4096);

    h.pressConnect();
    EXPECT_EQ(h.count(258, 66), 1);
    EXPECT_EQ(h.dial->connectStatus(), 2);
    ASSERT_EQ(h.records().size(), 1);
    h.pppStatus(yov::kPppDisconnectLink);
    h.pppStatus(yov::kPppIdle);
    EXPECT_EQ(h.dial->connectStatus(), 0);
    EXPECT_EQ(h.statusChanges, std::vector<int>({3, 0}));
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
             h.extensions.roaming = 0;
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
        {"operator step before connecting", {}, [](Harness &h) { h.extensions.beforeConnect = false; }},
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
    EXPECT_EQ(h.dial->display().stateText, QStringLiteral("Failed"));
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
