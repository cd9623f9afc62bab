// Connecting without a click, on the manual clock: the delays of automatic attempts, their count,
// what bars them, the retry after a failed or dropped connection, the profile cycle, and sleep and
// wake.
#include "DialHarness.h"

#include <gtest/gtest.h>

using namespace ostrel;
using dialtest::Harness;
using Sender = DialController::DialSender;

namespace {

QVariantMap internet(const QVariantMap &keys) { return {{QStringLiteral("Internet"), keys}}; }

QVariantMap merged(QVariantMap a, const QVariantMap &b)
{
    for (auto it = b.begin(); it != b.end(); ++it)
        a.insert(it.key(), it.value());
    return a;
}

QVariantList fiveProfiles()
{
    QVariantList list;
    for (int i = 0; i < 5; ++i)
        list.append(QVariantMap{{QStringLiteral("provider"), QStringLiteral("Profile %1").arg(i)},
                                {QStringLiteral("apnName"), QStringLiteral("apn%1").arg(i)},
                                {QStringLiteral("telNumber"), QStringLiteral("*99#")}});
    return list;
}

// The APN of the last dial parameters sent.
QString lastApn(const Harness &h)
{
    const QByteArray payload = h.lastPayload(257, 60);
    if (payload.isEmpty())
        return {};
    return yov::MSG_APN_SET_REQ_PARA_T::decode(yov::PayloadReader(payload)).apn;
}

constexpr int kTenSeconds = 10000;

// The device is ready and automatic connection allowed.
void readyWithAutoConnect(Harness &h)
{
    h.setting.autoConnect = true;
    h.dial->receiveDeviceOn();
    h.dial->setPSDomainStatus(true); // schedules the first attempt
    h.dial->cancelAutoReconnect();
    h.transport->sent.clear();
}

} // namespace

TEST(DialReconnectTest, IntervalFollowsTheCountAndReadsBadDelaysSafely)
{
    struct Case {
        const char *what;
        QVariantMap settings;
        int times;
        double seconds;
    };
    const QVariantMap delays = merged(internet({{QStringLiteral("AutoReconnectStartTimeAfterDisconnect"), 2.5},
                                                {QStringLiteral("ContinueAutoConnectTime"), 30}}),
                                      {{QStringLiteral("AutoConnectDelayTime"), 7}});
    const QVariantMap continuing =
        merged(delays, internet({{QStringLiteral("AutoReconnectStartTimeAfterDisconnect"), 2.5},
                                 {QStringLiteral("ContinueAutoConnect"), true},
                                 {QStringLiteral("ContinueAutoConnectTime"), 30}}));
    const Case cases[] = {
        {"first attempt", delays, 0, 2.5},
        {"later attempts below the maximum", delays, 2, 7},
        {"at the maximum without ContinueAutoConnect", delays, 3, 10},
        {"at the maximum with ContinueAutoConnect", continuing, 3, 30},
        {"keys missing", {}, 0, 10},
        {"keys missing, later attempt", {}, 1, 10},
        {"not a number", internet({{QStringLiteral("AutoReconnectStartTimeAfterDisconnect"), QStringLiteral("soon")}}), 0, 10},
        {"a table instead of a number", {{QStringLiteral("AutoConnectDelayTime"), QVariantMap{}}}, 1, 10},
        {"negative", internet({{QStringLiteral("AutoReconnectStartTimeAfterDisconnect"), -4}}), 0, 0},
        {"a number as text", internet({{QStringLiteral("AutoReconnectStartTimeAfterDisconnect"), QStringLiteral("3")}}), 0, 3},
        {"MaxReconnectTimes 1", merged(delays, internet({{QStringLiteral("MaxReconnectTimes"), 1},
                                                         {QStringLiteral("AutoReconnectStartTimeAfterDisconnect"), 2.5}})),
         1, 10},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Harness h(c.settings);
        h.dial->setReconnectTimes(c.times);
        EXPECT_DOUBLE_EQ(h.dial->autoReconnectInterval(), c.seconds);
    }
}

TEST(DialReconnectTest, FailedAutomaticAttemptsStopAfterTheMaximumUnlessContinued)
{
    struct Case {
        const char *what;
        QVariantMap settings;
        int expectedAttempts; // within the six rounds
        bool continues;
    };
    const Case cases[] = {
        {"default maximum 3", {}, 3, false},
        {"MaxReconnectTimes 2", internet({{QStringLiteral("MaxReconnectTimes"), 2}}), 2, false},
        {"ContinueAutoConnect goes on", internet({{QStringLiteral("ContinueAutoConnect"), true}}), 6, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Harness h(c.settings);
        readyWithAutoConnect(h);
        h.dial->reconnect(true);
        for (int round = 0; round < 6; ++round) {
            h.clock.advance(kTenSeconds + DialController::kDialOptionDelayMs);
            if (h.dial->connectStatus() == yov::kConnectStatusConnecting)
                h.pppStatus(yov::kPppIdle); // the attempt fails
        }
        EXPECT_EQ(h.count(258, 65), c.expectedAttempts);
        EXPECT_EQ(h.dial->reconnectTimes(), c.expectedAttempts);
        h.clock.advance(5 * kTenSeconds);
        EXPECT_EQ(h.count(258, 65) > c.expectedAttempts, c.continues) << "attempts after the loop";
    }
}

TEST(DialReconnectTest, BarsStopOrDelayTheAttempt)
{
    struct Case {
        const char *what;
        QVariantMap settings;
        std::function<void(Harness &)> arrange;
        bool waits; // the attempt waits (not counted) instead of giving up
    };
    const Case cases[] = {
        {"roaming with noAutoConnectWhenInRoam", internet({{QStringLiteral("noAutoConnectWhenInRoam"), true}}),
         [](Harness &h) { h.device.roaming = 0; }, false},
        {"network of another country", internet({{QStringLiteral("NotAutoConnectForInterRoam"), true}}),
         [](Harness &h) {
             h.store->setConfigurationByModule(QStringLiteral("RuntimeData"),
                                               QVariantMap{{QStringLiteral("runtimeIsSameMCC"), false}});
         },
         false},
        {"automatic connection switched off", {}, [](Harness &h) { h.setting.autoConnect = false; }, false},
        {"manual network search", {}, [](Harness &h) { h.setting.manualSelection = true; }, false},
        {"a PIN or network sheet open", {}, [](Harness &h) { h.setting.sheetOpen = true; }, true},
        {"packet domain not usable", {}, [](Harness &h) { h.device.psDomainUsable = false; }, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Harness h(c.settings);
        readyWithAutoConnect(h);
        c.arrange(h);
        h.dial->reconnect(true);
        h.clock.advance(3 * kTenSeconds);
        EXPECT_EQ(h.count(258, 65), 0);
        EXPECT_EQ(h.dial->reconnectTimes(), 0) << "a bar is not an attempt";
        EXPECT_EQ(h.dial->autoReconnectPending(), c.waits);
        if (c.waits) {
            h.setting.sheetOpen = false;
            h.device.psDomainUsable = true;
            h.clock.advance(kTenSeconds + DialController::kDialOptionDelayMs);
            EXPECT_EQ(h.count(258, 65), 1) << "the waiting attempt goes ahead once the bar is gone";
            EXPECT_EQ(h.dial->reconnectTimes(), 1);
        }
    }
}

TEST(DialReconnectTest, ManualDisconnectAndPendingAttachStopTheAttempt)
{
    {
        SCOPED_TRACE("manual disconnect: no retry until a reset");
        Harness h;
        readyWithAutoConnect(h);
        h.pressConnect();
        h.pppStatus(yov::kPppRunning, 1);
        h.pressConnect(); // disconnect by hand
        h.pppStatus(yov::kPppIdle);
        h.clock.advance(6 * kTenSeconds);
        EXPECT_EQ(h.count(258, 65), 1);
        h.dial->reconnect(false);
        h.clock.advance(3 * kTenSeconds);
        EXPECT_EQ(h.count(258, 65), 1) << "a reconnect without reset keeps the user's disconnect";
        h.dial->reconnect(true);
        h.clock.advance(kTenSeconds + DialController::kDialOptionDelayMs);
        EXPECT_EQ(h.count(258, 65), 2);
    }
    {
        SCOPED_TRACE("attach pending");
        Harness h(internet({{QStringLiteral("PSDomainSettings"), true}, {QStringLiteral("AttachPSInterval"), 60}}));
        readyWithAutoConnect(h);
        h.pressConnect();
        ASSERT_TRUE(h.dial->willConnectToInternet());
        h.dial->reconnect(true);
        h.clock.advance(kTenSeconds + DialController::kDialOptionDelayMs);
        EXPECT_FALSE(h.dial->autoReconnectPending());
        EXPECT_EQ(h.dial->reconnectTimes(), 0);
    }
}

TEST(DialReconnectTest, TwoReconnectRequestsMakeOneAttempt)
{
    Harness h;
    readyWithAutoConnect(h);
    h.dial->reconnect(true);
    h.clock.advance(4000);
    h.dial->reconnect(true);
    h.clock.advance(kTenSeconds + DialController::kDialOptionDelayMs);
    EXPECT_EQ(h.count(258, 65), 1);
    EXPECT_EQ(h.count(258, 66), 0) << "no second request cancels the dial";
    h.clock.advance(3 * kTenSeconds);
    EXPECT_EQ(h.count(258, 65), 1);
    EXPECT_EQ(h.count(258, 66), 0);
    EXPECT_EQ(h.dial->connectStatus(), yov::kConnectStatusConnecting);
}

TEST(DialReconnectTest, RetryDecisionAfterAFailedOrDroppedConnection)
{
    struct Case {
        const char *what;
        QVariantMap settings;
        bool byUser;       // the attempt was started by the connect button
        bool cameUp;       // the link was running before it went down
        bool retried;
    };
    const QVariantMap noRetryForUser = internet({{QStringLiteral("NotAutoConnectForPPPFailed"), true}});
    const Case cases[] = {
        {"automatic attempt failed", {}, false, false, true},
        {"user attempt failed", {}, true, false, true},
        {"user attempt failed, NotAutoConnectForPPPFailed", noRetryForUser, true, false, false},
        {"automatic attempt failed, NotAutoConnectForPPPFailed", noRetryForUser, false, false, true},
        {"user connection dropped, NotAutoConnectForPPPFailed", noRetryForUser, true, true, true},
        {"dropped link", {}, true, true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Harness h(c.settings);
        readyWithAutoConnect(h);
        if (c.byUser) {
            h.pressConnect();
        } else {
            h.dial->reconnect(true);
            h.clock.advance(kTenSeconds + DialController::kDialOptionDelayMs);
        }
        ASSERT_EQ(h.count(258, 65), 1);
        if (c.cameUp)
            h.pppStatus(yov::kPppRunning, 1);
        h.pppStatus(yov::kPppIdle);
        EXPECT_EQ(h.dial->autoReconnectPending(), c.retried);
        h.clock.advance(2 * kTenSeconds + DialController::kDialOptionDelayMs);
        EXPECT_EQ(h.count(258, 65), c.retried ? 2 : 1);
    }
}

TEST(DialReconnectTest, DoReconnectAfterDisconnectTable)
{
    struct Case {
        bool manualFlag;
        bool apnCycleKey;
        bool cycleEnabled;
        bool expected;
    };
    const Case cases[] = {
        {false, false, true, true},  {false, false, false, true}, {true, false, true, false},
        {true, false, false, true},  {false, true, true, false},  {false, true, false, true},
        {true, true, true, false},   {true, true, false, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "manual " << c.manualFlag << " apnCycle " << c.apnCycleKey << " enabled "
                                        << c.cycleEnabled);
        Harness h(internet({{QStringLiteral("apnCycle"), c.apnCycleKey}}));
        h.dial->setManualDisconnect(c.manualFlag);
        h.dial->setApnCycleEnable(c.cycleEnabled);
        EXPECT_EQ(h.dial->isDoReconnectAfterDisconnect(), c.expected);
    }
}

TEST(DialReconnectTest, ProfileCycleList)
{
    struct Case {
        const char *what;
        QVariantMap keys;
        int current;
        QList<int> list;
    };
    const Case cases[] = {
        {"three of five from the last", {{QStringLiteral("apnCycleTotal"), 3}}, 4, {4, 0, 1}},
        {"three of five from the second", {{QStringLiteral("apnCycleTotal"), 3}}, 1, {1, 0, 2}},
        {"two passes", {{QStringLiteral("apnCycleTotal"), 3}, {QStringLiteral("apnCycleTimes"), 2}}, 4, {4, 0, 1, 4, 0, 1}},
        {"total 0", {{QStringLiteral("apnCycleTotal"), 0}}, 2, {2}},
        {"total missing", {}, 2, {2}},
        {"total above the count", {{QStringLiteral("apnCycleTotal"), 9}}, 2, {2, 0, 1, 3, 4}},
        {"negative total", {{QStringLiteral("apnCycleTotal"), -3}}, 3, {3}},
        {"user profile with noApnCyleWhenCurrentIsUserApn",
         {{QStringLiteral("apnCycleTotal"), 3}, {QStringLiteral("noApnCyleWhenCurrentIsUserApn"), true}}, 3, {}},
        {"default profile with noApnCyleWhenCurrentIsUserApn",
         {{QStringLiteral("apnCycleTotal"), 3}, {QStringLiteral("noApnCyleWhenCurrentIsUserApn"), true}}, 1, {1, 0, 2}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QVariantMap keys = c.keys;
        keys.insert(QStringLiteral("apnCycle"), true);
        Harness h(merged(internet(keys), {{QStringLiteral("DefaultProfileNum"), 2}}), fiveProfiles());
        h.ready();
        h.dial->dialConfigListSelectItemAtIndex(c.current + 1);
        h.pressConnect();
        EXPECT_EQ(h.dial->apnCycleList(), c.list);
        EXPECT_EQ(h.count(258, 65), 1);
    }
}

TEST(DialReconnectTest, FailedAttemptsWalkTheCycleThenStop)
{
    Harness h(internet({{QStringLiteral("apnCycle"), true}, {QStringLiteral("apnCycleTotal"), 3}}), fiveProfiles());
    h.ready();
    h.dial->dialConfigListSelectItemAtIndex(5);
    h.alerts.clear();
    h.pressConnect();
    QStringList apns{lastApn(h)};
    for (int i = 0; i < 2; ++i) {
        h.pppStatus(yov::kPppConnectLink);
        h.pppStatus(yov::kPppIdle);
        apns.append(lastApn(h));
        EXPECT_EQ(h.dial->connectStatus(), yov::kConnectStatusConnecting) << "the next profile is dialled at once";
        // An idle answer to a poll sent before that connect is not the new attempt's end.
        h.pppStatus(yov::kPppIdle);
        EXPECT_EQ(h.count(258, 65), i + 2);
        EXPECT_EQ(h.dial->connectStatus(), yov::kConnectStatusConnecting);
    }
    EXPECT_EQ(apns, QStringList({QStringLiteral("apn4"), QStringLiteral("apn0"), QStringLiteral("apn1")}));
    EXPECT_EQ(h.count(258, 65), 3);
    EXPECT_EQ(h.alerts.count(), 0) << "no failure is told while another profile is tried";
    h.pppStatus(yov::kPppConnectLink);
    h.pppStatus(yov::kPppIdle);
    EXPECT_EQ(h.dial->connectStatus(), 0);
    EXPECT_TRUE(h.dial->apnCycleLastTry());
    EXPECT_EQ(h.count(258, 65), 3);
    EXPECT_EQ(h.alerts.count(), 1) << "the failure is told once the last profile failed";
}

TEST(DialReconnectTest, FailedDialTellsTheUserAndLeavesConnectUsable)
{
    struct Case {
        const char *what;
        QVariantMap settings;
        bool ndis;
        QString message;
    };
    const Case cases[] = {
        {"PPP", {}, false, QStringLiteral("Cannot connect, please try again later")},
        {"NDIS", {{QStringLiteral("ConnectType"), 1}}, true, QStringLiteral("NDIS Connection failed!")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Harness h(c.settings);
        h.ready();
        h.pressConnect();
        if (c.ndis)
            h.deliver(258, 71, yov::encodeNdisStatus(yov::kNdisConnectFailed));
        else
            h.pppStatus(yov::kPppIdle);
        ASSERT_EQ(h.alerts.count(), 1);
        EXPECT_EQ(h.alerts.shown()[0].message, c.message);
        EXPECT_EQ(h.dial->connectStatus(), 0);
        EXPECT_TRUE(h.dial->connectButtonEnabled());
        EXPECT_EQ(h.dial->display().connectButtonTitle, QStringLiteral("Connect"));
        h.transport->sent.clear();
        h.pressConnect();
        EXPECT_EQ(h.count(258, c.ndis ? 69 : 65), 1) << "the user can try again";
    }
    {
        SCOPED_TRACE("a cancel by the user is no failure");
        Harness h;
        h.ready();
        h.pressConnect();
        h.pressConnect(); // Cancel
        h.pppStatus(yov::kPppIdle);
        EXPECT_EQ(h.alerts.count(), 0);
    }
    {
        SCOPED_TRACE("silenced for automatic attempts");
        Harness h(internet({{QStringLiteral("DisableAlertWindowWhileAutoConnectFailed"), true}}));
        readyWithAutoConnect(h);
        h.dial->reconnect(true);
        h.clock.advance(kTenSeconds + DialController::kDialOptionDelayMs);
        ASSERT_EQ(h.count(258, 65), 1);
        h.pppStatus(yov::kPppIdle);
        EXPECT_EQ(h.alerts.count(), 0);
    }
}

TEST(DialReconnectTest, SleepEndsNdisAndWakeStartsAfresh)
{
    {
        SCOPED_TRACE("NDIS connected: disconnect, then no retry of the drop");
        Harness h(merged({{QStringLiteral("ConnectType"), 1}}, internet({{QStringLiteral("AutoReconnectForNdis"), true}})));
        readyWithAutoConnect(h);
        h.pressConnect();
        h.deliver(258, 71, yov::encodeNdisStatus(yov::kNdisConnected));
        h.dial->machineWillSleep();
        EXPECT_EQ(h.count(258, 70), 1);
        EXPECT_TRUE(h.dial->manualDisconnectFlag());
        h.deliver(258, 71, yov::encodeNdisStatus(yov::kNdisDisconnected));
        h.clock.advance(3 * kTenSeconds);
        EXPECT_EQ(h.count(258, 69), 1) << "the drop during sleep is not retried";
        h.dial->machineDidWake();
        EXPECT_FALSE(h.dial->manualDisconnectFlag());
        h.clock.advance(kTenSeconds + DialController::kDialOptionDelayMs);
        EXPECT_EQ(h.count(258, 69), 2) << "the wake connects again";
    }
    {
        SCOPED_TRACE("PPP connected: no request, the flag is set, the drop is not retried");
        Harness h;
        readyWithAutoConnect(h);
        h.pressConnect();
        h.pppStatus(yov::kPppRunning, 1);
        h.dial->machineWillSleep();
        EXPECT_EQ(h.count(258, 66), 0);
        EXPECT_TRUE(h.dial->manualDisconnectFlag());
        h.pppStatus(yov::kPppIdle);
        h.clock.advance(3 * kTenSeconds);
        EXPECT_EQ(h.count(258, 65), 1);
    }
    struct WakeCase {
        const char *what;
        QVariantMap settings;
        bool reconnects;
    };
    const QVariantMap noRetry = internet({{QStringLiteral("NotAutoConnectForPPPFailed"), true}});
    const WakeCase wakes[] = {
        {"wake", {}, true},
        {"wake, NotAutoConnectForPPPFailed with AutoConnect NO", merged(noRetry, {{QStringLiteral("AutoConnect"), false}}), false},
        {"wake, NotAutoConnectForPPPFailed with AutoConnect YES", merged(noRetry, {{QStringLiteral("AutoConnect"), true}}), true},
    };
    for (const WakeCase &c : wakes) {
        SCOPED_TRACE(c.what);
        Harness h(c.settings);
        readyWithAutoConnect(h);
        h.dial->setReconnectTimes(2);
        h.dial->machineWillSleep();
        h.dial->machineDidWake();
        EXPECT_EQ(h.dial->autoReconnectPending(), c.reconnects);
        if (c.reconnects) {
            EXPECT_EQ(h.dial->reconnectTimes(), 0) << "the wake resets the count";
        }
    }
}

TEST(DialReconnectTest, LeavingRoamingRetriesOnceAfterAFailure)
{
    // With cycling configured a failed attempt of the user is not retried by the count rule.
    Harness h(internet({{QStringLiteral("apnCycle"), true}}));
    h.ready();
    h.pressConnect();
    h.device.cycleAfterRoaming = true;
    h.pppStatus(yov::kPppIdle);
    EXPECT_FALSE(h.device.cycleAfterRoaming) << "the flag is cleared once acted on";
    h.clock.advance(DialController::kDialOptionDelayMs);
    EXPECT_EQ(h.count(258, 65), 2);
}
