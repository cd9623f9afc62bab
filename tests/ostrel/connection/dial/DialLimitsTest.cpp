// The user's data and time limits and the operator's volume warnings, driven through the
// connection controller with the in-process transport, a manual clock and records totals the test
// sets: the checks before connecting, the 80 % window and the limit on the status poll, the
// operator's 25/50/75/80/100 % warnings, and alerts that never pile up.
#include "DialHarness.h"

#include <gtest/gtest.h>

using namespace ostrel;
using dialtest::Harness;
using Sender = DialController::DialSender;
using Choice = testing_support::ScriptedAlertPresenter::Choice;

namespace {

constexpr std::uint32_t kMB = 1024 * 1024;

QVariantMap limitSettings(const QVariantMap &record, const QVariantMap &internet = {})
{
    return {{QStringLiteral("Record"), record}, {QStringLiteral("Internet"), internet}};
}

// A reset period is set: the user's limits are in force.
QVariantMap withResetPeriod(QVariantMap record)
{
    record.insert(QStringLiteral("IfSetRecordResetFrequence"), true);
    return record;
}

// What the view is asked to show.
struct LimitWindows {
    explicit LimitWindows(DialController *dial)
    {
        QObject::connect(dial, &DialController::limitWarningRequested, &context,
                         [this](const QString &text) { warnings << text; });
        QObject::connect(dial, &DialController::limitReachedRequested, &context, [this] { ++reached; });
    }
    QObject context;
    QStringList warnings;
    int reached = 0;
};

// Connects over PPP and reaches the connected state.
void connectPpp(Harness &h)
{
    h.ready();
    h.pressConnect();
    ASSERT_EQ(h.count(258, 65), 1);
    h.pppStatus(yov::kPppRunning, 1);
    ASSERT_EQ(h.dial->connectStatus(), 3);
}

// One status of the running connection, then the next poll tick (which runs the checks).
void running(Harness &h, std::uint32_t seconds, std::uint32_t receivedBytes = 0)
{
    h.pppStatus(yov::kPppRunning, seconds, receivedBytes, 0);
    h.clock.advance(DialController::kPollIntervalMs);
}

} // namespace

TEST(DialLimitsTest, CheckBeforeConnectingAsksOnlyWhenALimitInForceIsReached)
{
    const QVariantMap timeAsked{{QStringLiteral("timeLimitWarning"), true}};
    const QVariantMap dataAsked{{QStringLiteral("dataLimitWarning"), true}};
    struct Case {
        const char *what;
        QVariantMap settings;
        double recordsKB;
        qint64 recordsSeconds;
        Choice answer;
        bool asks;
        bool connects;
    };
    const QVariantMap hourLimit = withResetPeriod({{QStringLiteral("recordTimeLimit"), 1}});
    const QVariantMap mbLimit = withResetPeriod({{QStringLiteral("recordLimitState"), true},
                                                 {QStringLiteral("recordDataLimit"), 2}});
    QVariantMap delayed = timeAsked;
    delayed.insert(QStringLiteral("LimitDisconnectDelay"), 60);
    QVariantMap everyDays = hourLimit;
    everyDays.remove(QStringLiteral("IfSetRecordResetFrequence"));
    everyDays.insert(QStringLiteral("IfSetRecordResetEveryDays"), true);
    const Case cases[] = {
        {"time reached, connect anyway", limitSettings(hourLimit, timeAsked), 0, 3600, Choice::Default, true, true},
        {"time reached, cancelled", limitSettings(hourLimit, timeAsked), 0, 3600, Choice::Alternate, true, false},
        {"time reached, every-N-days period", limitSettings(everyDays, timeAsked), 0, 4000, Choice::Alternate, true,
         false},
        {"time below the limit", limitSettings(hourLimit, timeAsked), 0, 3599, Choice::Alternate, false, true},
        {"time reached early by the delay", limitSettings(hourLimit, delayed), 0, 3540, Choice::Alternate, true, false},
        {"time check switched off", limitSettings(hourLimit), 0, 7200, Choice::Alternate, false, true},
        {"no reset period: nothing blocks",
         limitSettings({{QStringLiteral("recordTimeLimit"), 1}}, timeAsked), 0, 7200, Choice::Alternate, false, true},
        {"data reached, cancelled", limitSettings(mbLimit, dataAsked), 2048, 0, Choice::Alternate, true, false},
        {"data below the limit", limitSettings(mbLimit, dataAsked), 2047.9, 0, Choice::Alternate, false, true},
        {"data limit 0 never triggers",
         limitSettings(withResetPeriod({{QStringLiteral("recordLimitState"), true}}), dataAsked), 1e9, 0,
         Choice::Alternate, false, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Harness h(c.settings);
        h.alerts.setHoldOpen(true);
        h.ready();
        h.totals.totalKB = c.recordsKB;
        h.totals.totalSeconds = c.recordsSeconds;
        h.dial->DialOption(Sender::ConnectButton);
        ASSERT_EQ(h.alerts.openCount(), c.asks ? 1 : 0);
        if (c.asks) {
            EXPECT_EQ(h.alerts.shown().first().message,
                      QStringLiteral("Pre-set limit has been reached. Do you want to connect anyway?"));
            h.alerts.answerOpen(c.answer);
        }
        h.clock.advance(DialController::kDialOptionDelayMs);
        EXPECT_EQ(h.count(258, 65), c.connects ? 1 : 0);
        // Asking disarms the limit's own question for this connection.
        EXPECT_EQ(h.dial->autoDisconnectFlag(), !c.asks);
    }
}

TEST(DialLimitsTest, TimeLimitWarnsFromEightyPercentAndActsAtTheLimitLessTheDelay)
{
    // 1.5 h with a 60 s delay: the warning from 4321 s to 5339 s, the limit at 5340 s.
    struct Case {
        std::uint32_t seconds;
        bool warns;
        bool disconnects;
    };
    const Case cases[] = {{4320, false, false}, {4321, true, false}, {5339, true, false}, {5340, false, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.seconds);
        Harness h(limitSettings(withResetPeriod({{QStringLiteral("recordTimeLimit"), 1.5},
                                                 {QStringLiteral("recordLimitWarn"), 1},
                                                 {QStringLiteral("recordLimitDisconnect"), 1}}),
                                {{QStringLiteral("LimitDisconnectDelay"), 60}}));
        LimitWindows windows(h.dial.get());
        connectPpp(h);
        // 3600 s in the records, the rest in this connection.
        h.totals.totalSeconds = 3600;
        running(h, c.seconds - 3600);
        EXPECT_EQ(windows.warnings,
                  c.warns ? QStringList{QStringLiteral("Total Time is reaching 80 percent of the limit")} : QStringList{});
        EXPECT_EQ(windows.reached, c.disconnects ? 1 : 0);
        h.clock.advance(DialController::kDialOptionDelayMs);
        EXPECT_EQ(h.count(258, 66), c.disconnects ? 1 : 0) << "one disconnect request";
        EXPECT_GT(h.totals.refreshes, 0) << "the checks refresh the records";
        // Each shows once per connection.
        running(h, c.seconds - 3600);
        EXPECT_EQ(windows.warnings.size(), c.warns ? 1 : 0);
        EXPECT_EQ(windows.reached, c.disconnects ? 1 : 0);
    }
}

TEST(DialLimitsTest, CancelAtTheLimitAsksNothingMoreForThisConnection)
{
    Harness h(limitSettings(withResetPeriod({{QStringLiteral("recordLimitState"), true},
                                             {QStringLiteral("recordDataLimit"), 10},
                                             {QStringLiteral("recordLimitDisconnect"), 0}})));
    h.alerts.setHoldOpen(true);
    connectPpp(h);
    running(h, 10, 10 * kMB);
    ASSERT_EQ(h.alerts.openCount(), 1);
    EXPECT_EQ(h.alerts.shown().first().message, QStringLiteral("Preset limit has been reached. Do you want to disconnect?"));
    running(h, 11, 11 * kMB);
    EXPECT_EQ(h.alerts.count(), 1) << "one question while it is open";
    h.alerts.answerOpen(Choice::Alternate);
    for (std::uint32_t s = 12; s < 20; ++s)
        running(h, s, s * kMB);
    EXPECT_EQ(h.alerts.count(), 1);
    h.clock.advance(DialController::kDialOptionDelayMs);
    EXPECT_EQ(h.count(258, 66), 0);
    EXPECT_EQ(h.dial->connectStatus(), 3);
}

TEST(DialLimitsTest, LimitReachedWhileTheWarningWindowIsOpenEndsTheConnection)
{
    for (const int action : {1, 0}) {
        SCOPED_TRACE(action);
        Harness h(limitSettings(withResetPeriod({{QStringLiteral("recordLimitState"), true},
                                                 {QStringLiteral("recordDataLimit"), 10},
                                                 {QStringLiteral("recordLimitWarn"), 1},
                                                 {QStringLiteral("recordLimitDisconnect"), action}})));
        h.alerts.setHoldOpen(true);
        LimitWindows windows(h.dial.get());
        connectPpp(h);
        running(h, 5, 9 * kMB);
        ASSERT_EQ(windows.warnings, QStringList{QStringLiteral("Total Data is reaching 80 percent of the limit")});
        EXPECT_EQ(h.alerts.count(), 0) << "the 80 % window is not an alert";
        // The window stays open; the limit comes.
        running(h, 6, 10 * kMB);
        if (action == 0) {
            ASSERT_TRUE(h.alerts.answerOpen(Choice::Default));
        }
        EXPECT_EQ(windows.reached, action == 1 ? 1 : 0);
        h.clock.advance(DialController::kDialOptionDelayMs);
        EXPECT_EQ(h.count(258, 66), 1);
        EXPECT_EQ(h.dial->connectStatus(), 2);
    }
}

TEST(DialLimitsTest, NdisChecksTheUserLimitOnTrafficReportsOnly)
{
    const QVariantMap settings = limitSettings(withResetPeriod({{QStringLiteral("recordLimitState"), true},
                                                                {QStringLiteral("recordDataLimit"), 10},
                                                                {QStringLiteral("recordLimitWarn"), 1},
                                                                {QStringLiteral("recordLimitDisconnect"), 1},
                                                                {QStringLiteral("LimitSetValue"), 10},
                                                                {QStringLiteral("DataLimitSet"), true},
                                                                {QStringLiteral("WarningForLimit50"), true}}));
    for (bool afterPpp : {false, true}) {
        SCOPED_TRACE(afterPpp ? "after a PPP connection the user ended" : "the first connection of the run");
        Harness h(settings);
        h.alerts.setHoldOpen(true);
        LimitWindows windows(h.dial.get());
        h.ready();
        if (afterPpp) {
            // The user's PPP disconnect puts that connection into the records; the NDIS connection
            // that follows is a new one and counts again.
            h.pressConnect();
            h.pppStatus(yov::kPppRunning, 1);
            h.pressConnect();
            h.pppStatus(yov::kPppIdle);
            ASSERT_EQ(h.dial->connectStatus(), 0);
            h.dial->setPSDomainStatus(true);
        }
        h.store->setConfigurationByModule(QStringLiteral("ConnectType"), 1);
        h.pressConnect();
        ASSERT_EQ(h.count(258, 69), 1);
        h.deliver(258, 71, yov::encodeNdisStatus(yov::kNdisConnected));
        yov::NdisTransferData data;
        data.receiveBytes = 9 * kMB;
        h.deliver(258, 73, data.encode());
        EXPECT_EQ(windows.warnings.size(), 1);
        h.clock.advance(2000);
        EXPECT_EQ(h.alerts.count(), 0) << "the operator's warnings run on the PPP poll only";
        data.receiveBytes = 10 * kMB;
        h.deliver(258, 73, data.encode());
        EXPECT_EQ(windows.reached, 1);
        h.clock.advance(DialController::kDialOptionDelayMs);
        EXPECT_EQ(h.count(258, 70), 1);
    }
}

// ---- the operator's volume warnings --------------------------------------------------------

namespace {

QVariantMap volumeSettings(double value, int type, const QStringList &switchesOn)
{
    QVariantMap record{{QStringLiteral("LimitSetValue"), value},
                       {QStringLiteral("LimitSetType"), type},
                       {QStringLiteral("DataLimitSet"), true}};
    for (const QString &key : switchesOn)
        record.insert(key, true);
    return limitSettings(record);
}

const QStringList kAllWarnings{QStringLiteral("WarningForLimit25"), QStringLiteral("WarningForLimit50"),
                               QStringLiteral("WarningForLimit75"), QStringLiteral("WarningForLimit80"),
                               QStringLiteral("WarningForLimit100")};

const QString kData100 = QStringLiteral("The preset limit on the data volume that is set on the modem has now reached.");
QString dataShare(int percent)
{
    return QStringLiteral("Total data is reaching %1 percent of the limit").arg(percent);
}

// Runs the connection through the amounts (MB), answering each warning before the next tick.
QStringList warningsAlong(Harness &h, const QList<double> &megabytes)
{
    std::uint32_t seconds = 1;
    for (const double mb : megabytes) {
        running(h, ++seconds, std::uint32_t(mb * kMB));
        h.alerts.answerAllOpen();
    }
    return h.alerts.messages();
}

} // namespace

TEST(DialLimitsTest, VolumeWarningsComeOncePerThresholdAndOnlyTheHighestPassed)
{
    struct Case {
        const char *what;
        QStringList switchesOn;
        double recordsMB;
        QList<double> megabytes;
        QStringList expected;
    };
    QStringList no80 = kAllWarnings;
    no80.removeAll(QStringLiteral("WarningForLimit80"));
    const Case cases[] = {
        {"rising from 0", kAllWarnings, 0, {10, 25, 26, 40, 51, 60, 76, 79, 81, 90, 100, 101, 120},
         {dataShare(25), dataShare(50), dataShare(75), dataShare(80), kData100}},
        {"starting at 90 %", kAllWarnings, 90, {0, 5, 11, 20}, {dataShare(80), kData100}},
        {"80 % switched off, at 85 %", no80, 85, {0, 1, 2}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Harness h(volumeSettings(100, 0, c.switchesOn));
        h.alerts.setHoldOpen(true);
        connectPpp(h);
        h.totals.totalKB = c.recordsMB * 1024;
        EXPECT_EQ(warningsAlong(h, c.megabytes), c.expected);
        for (const yov::AlertRequest &r : h.alerts.shown())
            EXPECT_EQ(r.title, QStringLiteral("Warning!"));
    }
}

TEST(DialLimitsTest, AWarningWaitsWhileAnEarlierOneIsOpen)
{
    Harness h(volumeSettings(100, 0, kAllWarnings));
    h.alerts.setHoldOpen(true);
    connectPpp(h);
    running(h, 2, 30 * kMB);
    ASSERT_EQ(h.alerts.openCount(), 1);
    running(h, 3, 60 * kMB);
    EXPECT_EQ(h.alerts.count(), 1) << "no second warning while the first is open";
    h.alerts.answerOpen();
    running(h, 4, 60 * kMB);
    EXPECT_EQ(h.alerts.messages(), (QStringList{dataShare(25), dataShare(50)}));
}

TEST(DialLimitsTest, TimeVolumeWarnings)
{
    const QString time80 = QStringLiteral("Total time is reaching 80 percent of the limit.");
    const QString time100 = QStringLiteral("The preset limit on the time volume that is set on the modem has now reached.");
    struct Case {
        const char *what;
        double value;
        QStringList switchesOn;
        QList<std::uint32_t> seconds;
        QStringList expected;
    };
    const Case cases[] = {
        // 1.5 counts as one hour: 80 % is 48 minutes.
        {"1.5 hours", 1.5, kAllWarnings, {2880, 2881, 3000, 3600, 3601, 4000}, {time80, time100}},
        {"straight past the limit", 1, kAllWarnings, {3700, 3800}, {time100}},
        // Past the limit with the 100 % switch off: nothing, the 80 % warning included.
        {"100 % switched off", 1, {QStringLiteral("WarningForLimit80")}, {3700, 3800}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Harness h(volumeSettings(c.value, 1, c.switchesOn));
        h.alerts.setHoldOpen(true);
        connectPpp(h);
        for (const std::uint32_t s : c.seconds) {
            running(h, s);
            h.alerts.answerAllOpen();
        }
        EXPECT_EQ(h.alerts.messages(), c.expected);
    }
}

TEST(DialLimitsTest, ASavedConnectionIsNotCountedTwice)
{
    Harness h(volumeSettings(100, 0, {QStringLiteral("WarningForLimit100")}));
    h.alerts.setHoldOpen(true);
    connectPpp(h);
    running(h, 2, 60 * kMB);
    h.pressConnect(); // the user disconnects: the connection goes into the records
    ASSERT_EQ(h.dial->connectStatus(), 2);
    ASSERT_TRUE(h.dial->saveRecordFlag());
    h.totals.totalKB = 60 * 1024;
    running(h, 3, 60 * kMB); // the poll runs on until the link is down
    EXPECT_EQ(h.alerts.count(), 0) << "60 MB, not 120";
}

TEST(DialLimitsTest, BothWarnersShareOneEightyPercentWarning)
{
    QVariantMap record = withResetPeriod({{QStringLiteral("recordLimitState"), true},
                                          {QStringLiteral("recordDataLimit"), 100},
                                          {QStringLiteral("recordLimitWarn"), 1},
                                          {QStringLiteral("LimitSetValue"), 100},
                                          {QStringLiteral("LimitSetType"), 0},
                                          {QStringLiteral("DataLimitSet"), true},
                                          {QStringLiteral("WarningForLimit80"), true}});
    Harness h(limitSettings(record));
    h.alerts.setHoldOpen(true);
    LimitWindows windows(h.dial.get());
    connectPpp(h);
    for (std::uint32_t s = 2; s < 6; ++s) {
        running(h, s, 85 * kMB);
        h.alerts.answerAllOpen();
    }
    EXPECT_EQ(windows.warnings.size(), 1);
    EXPECT_EQ(h.alerts.count(), 0);
}

TEST(DialLimitsTest, ExtraConnectButtonSendsOneRequest)
{
    Harness h;
    h.ready();
    h.dial->dialOptionExt(nullptr);
    h.clock.advance(DialController::kDialOptionDelayMs);
    EXPECT_EQ(h.count(258, 65), 1);
    h.pppStatus(yov::kPppRunning, 1);
    h.dial->dialOptionExt(nullptr);
    h.clock.advance(DialController::kDialOptionDelayMs);
    EXPECT_EQ(h.count(258, 66), 1);
}
