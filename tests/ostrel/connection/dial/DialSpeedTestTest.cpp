// The speed test after a connection: iperf's arguments and the reading of its output, the
// measuring steps against a local server, the gate at each change of the connected display, and
// the stored reason of a disconnection.
#include "DialHarness.h"

#include "common/util/KLog.h"
#include "ostrel/connection/speedtest/SpeedTestController.h"
#include "ostrel/connection/speedtest/SpeedTestRun.h"
#include "support/LocalHttpServer.h"
#include "support/TestPaths.h"

#include <QFile>
#include <QPointer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTest>

#include <gtest/gtest.h>

using namespace ostrel;
using dialtest::Harness;
using testing_support::LocalHttpServer;

namespace {

QByteArray fixture(const char *name)
{
    QFile f(testing_paths::fixtures() + QStringLiteral("/iperf/") + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString fileText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

TEST(SpeedTestIperf, ReadsTheFigureOfTheLastTotalLineByItsDigits)
{
    struct Case {
        QByteArray output;
        double value;
        bool found;
    };
    const Case cases[] = {
        {fixture("udp-total.txt"), 840, true},           // the client's total, not the server report
        {fixture("udp-ended-by-guard.txt"), 107, true},  // killed: its last interval line
        {fixture("udp-kbits.txt"), 535, true},
        {fixture("udp-refused.txt"), 0, false},
        {"[  1] 0.0-10.0 sec  1.25 MBytes  1.05 Mbits/sec", 105, true},
        {"", 0, false},
    };
    for (const Case &c : cases) {
        ASSERT_FALSE(c.output.isNull());
        bool found = !c.found;
        EXPECT_EQ(SpeedTestRun::readUploadSpeedValue(c.output, &found), c.value) << c.output.constData();
        EXPECT_EQ(found, c.found) << c.output.constData();
    }
}

TEST(SpeedTestIperf, ArgumentsAndTimeGuard)
{
    struct Case {
        std::optional<int> port;
        IperfParameters p;
        QStringList args;
        int guardMs;
    };
    const Case cases[] = {
        {std::nullopt, {1, 5, 2, 10}, {"-u", "-c", "srv", "-i", "1", "-n", "5M", "-b", "2Mbit/s", "-t", "10"}, 25000},
        {5201, {1, 5, 2, 10},
         {"-u", "-c", "srv", "-p", "5201", "-i", "1", "-n", "5M", "-b", "2Mbit/s", "-t", "10"}, 25000},
        // No time: the byte count ends the run; the guard goes by the bytes at the target rate.
        {std::nullopt, {2, 1, 8, 0}, {"-u", "-c", "srv", "-i", "2", "-n", "1M", "-b", "8Mbit/s"}, 16048},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(SpeedTestRun::iperfArguments(QStringLiteral("srv"), c.port, c.p), c.args);
        EXPECT_EQ(SpeedTestRun::iperfGuardMs(c.p), c.guardMs);
    }
}

class SpeedTestRunTest : public ::testing::Test {
protected:
    std::optional<SpeedTestValues> run(SpeedTestSetup setup)
    {
        setup.serverBaseUrl = server_.url("");
        std::optional<SpeedTestValues> result;
        SpeedTestRun run(network_, setup, [this](const QString &line) { log_ << line; });
        run.start([&result](const SpeedTestValues &v) { result = v; });
        (void)QTest::qWaitFor([&] { return result.has_value() || log_.contains(QStringLiteral("Read config item Internet_ParmsForUploadTestTool failed")); }, 20000);
        return result;
    }
    // An iperf stand-in that prints the fixture and ends with the given status.
    QString fakeIperf(const char *fixtureName, int status)
    {
        const QString path = dir_.filePath(QStringLiteral("iperf"));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("#!/bin/sh\ncat '" + (testing_paths::fixtures() + QStringLiteral("/iperf/")).toUtf8() + fixtureName
                + "'\nexit " + QByteArray::number(status) + "\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    QTemporaryDir dir_;
    LocalHttpServer server_;
    QNetworkAccessManager network_;
    QStringList log_;
};

TEST_F(SpeedTestRunTest, FailedRequestsCountTheirTimeAndNoBytes)
{
    server_.route("/latency.txt", {"", "text/plain", "200 OK", true}); // never answers
    server_.route("/modemdltest.jpg", {"gone", "text/plain", "404 Not Found"});
    SpeedTestSetup setup;
    setup.latencyTimeoutMs = 100;
    setup.iperf = IperfParameters{1, 1, 1, 1};
    setup.iperfProgram = fakeIperf("udp-total.txt", 1); // a failing status still gives its figure
    setup.iperfOutputFile = dir_.filePath(QStringLiteral("iprfValue.txt"));
    const auto values = run(setup);
    ASSERT_TRUE(values);
    EXPECT_GE(values->delayTimeMs, 95);
    EXPECT_EQ(values->downloadBitsPerSecond, 0);
    EXPECT_EQ(values->uploadValue, 840);
    EXPECT_EQ(log_.filter(QStringLiteral("Delay Test: ")).size(), 5);
    EXPECT_EQ(log_.filter(QStringLiteral("Download Test: ")).size(), 2);
    EXPECT_EQ(server_.requested.count("/latency.txt"), 5);
    EXPECT_EQ(server_.requested.count("/modemdltest.jpg"), 2);
}

TEST_F(SpeedTestRunTest, DownloadCountsBytesAndOnlyThisRunsOutputIsRead)
{
    server_.route("/latency.txt", {"ok", "text/plain"});
    server_.route("/modemdltest.jpg", {QByteArray(50000, 'x'), "image/jpeg"});
    const QString out = dir_.filePath(QStringLiteral("iprfValue.txt"));
    {
        QFile f(out);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[  1] 0.0-1.0 sec  9.99 MBytes  99.9 Mbits/sec\n"); // an earlier run
    }
    SpeedTestSetup setup;
    setup.iperf = IperfParameters{1, 1, 1, 0};
    setup.iperfProgram = fakeIperf("udp-refused.txt", 1);
    setup.iperfOutputFile = out;
    const auto values = run(setup);
    ASSERT_TRUE(values);
    EXPECT_GT(values->downloadBitsPerSecond, 0);
    EXPECT_EQ(values->uploadValue, 0) << "the earlier run's line is not read";
    EXPECT_TRUE(fileText(out).startsWith(QLatin1String("[  1] 0.0-1.0 sec")));
    EXPECT_TRUE(fileText(out).endsWith(QLatin1String("connect failed: Connection refused\n")));
    EXPECT_TRUE(log_.contains(QStringLiteral("The upload test gave no rate")));
    EXPECT_TRUE(log_.contains(QStringLiteral("Upload Speed: 0.000000KB/S")));
}

TEST_F(SpeedTestRunTest, MissingIperfGivesZeroAndMissingParametersEndBeforeTheUpload)
{
    server_.route("/latency.txt", {"ok", "text/plain"});
    server_.route("/modemdltest.jpg", {"x", "image/jpeg"});
    SpeedTestSetup setup;
    setup.iperf = IperfParameters{1, 1, 1, 1};
    setup.iperfProgram = dir_.filePath(QStringLiteral("no-such-iperf"));
    auto values = run(setup);
    ASSERT_TRUE(values) << "the result is still given";
    EXPECT_EQ(values->uploadValue, 0);
    EXPECT_FALSE(log_.filter(QStringLiteral("cannot be started")).isEmpty());

    log_.clear();
    setup.iperf.reset();
    values = run(setup);
    EXPECT_FALSE(values);
    EXPECT_TRUE(log_.contains(QStringLiteral("Read config item Internet_ParmsForUploadTestTool failed")));
}

TEST_F(SpeedTestRunTest, AnAbandonedRunEndsItsRequest)
{
    server_.route("/latency.txt", {"", "text/plain", "200 OK", true}); // never answers
    SpeedTestSetup setup;
    setup.serverBaseUrl = server_.url("");
    auto abandoned = std::make_unique<SpeedTestRun>(network_, setup, [this](const QString &line) { log_ << line; });
    bool done = false;
    abandoned->start([&done](const SpeedTestValues &) { done = true; });
    auto pending = [this] { return network_.findChildren<QNetworkReply *>().size(); };
    ASSERT_TRUE(QTest::qWaitFor([&] { return pending() == 1; }, 2000));
    abandoned.reset();
    // The request ends and goes at once, well before its own time-out, and reports to no one.
    EXPECT_TRUE(QTest::qWaitFor([&] { return pending() == 0; }, 1000));
    QTest::qWait(50);
    EXPECT_FALSE(done);
    EXPECT_TRUE(log_.filter(QStringLiteral("Delay Test")).isEmpty()) << log_.join(u'|').toStdString();
}

class DialSpeedTestTest : public ::testing::Test {
protected:
    explicit DialSpeedTestTest() { yov::KLog::setSharedLog(&klog_); }
    ~DialSpeedTestTest() override
    {
        tester_.reset();
        h_.reset();
        yov::KLog::setSharedLog(nullptr);
    }

    void make(QVariantMap internet)
    {
        tester_.reset();
        h_.reset();
        internet.insert(QStringLiteral("Internet_SpeedTestServerURL"), server_.url(""));
        h_ = std::make_unique<Harness>(QVariantMap{{QStringLiteral("Internet"), internet}});
        ControllerContext context;
        context.config = h_->store.get();
        context.notificationCenter = &h_->notifications;
        context.clock = &h_->clock;
        tester_ = std::make_unique<SpeedTestController>(context);
        tester_->setLogFilePath(logDir_.filePath(QStringLiteral("LogTest.txt")));
        tester_->awakeFromNib();
        h_->notifications.addObserver(&h_->observer, QLatin1String(kSpeedTestResultNotification), nullptr,
                                      [this](const yov::Notification &n) { results_ << n.userInfo; });
        server_.route("/throughputtest.txt", {"MCC=502\nMNC=18\nTEST=ON\n", "text/plain"});
        server_.route("/latency.txt", {"ok", "text/plain"});
        server_.route("/modemdltest.jpg", {"x", "image/jpeg"});
    }
    void connectPpp()
    {
        h_->ready();
        h_->pressConnect();
        h_->pppStatus(yov::kPppRunning, 1, 0, 0);
        ASSERT_EQ(h_->dial->connectStatus(), 3);
    }
    void disconnectPpp()
    {
        h_->pressConnect();
        h_->pppStatus(yov::kPppIdle);
        ASSERT_EQ(h_->dial->connectStatus(), 0);
    }
    QString log() const { return fileText(tester_->logFilePath()); }

    class HomeCode : public ostrel::DefaultInitController {
    public:
        QString currentHmccmnc() const override { return QStringLiteral("50218"); }
    } home_;
    QTemporaryDir logDir_;
    yov::KLog klog_{yov::KLog::Options{logDir_.path(), {}, nullptr, QTimeZone::systemTimeZone(), [](const QByteArray &) {}}};
    LocalHttpServer server_;
    std::unique_ptr<Harness> h_;
    std::unique_ptr<SpeedTestController> tester_;
    QList<QVariantMap> results_;
};

TEST_F(DialSpeedTestTest, SwitchPresentWithNoStillRunsAndAChangeToIdleLeavesTheTestAlone)
{
    make({{QStringLiteral("Internet_IsNeedTestSpeedAtConnected"), false}}); // no iperf parameters
    server_.route("/latency.txt", {"", "text/plain", "200 OK", true}); // holds the test in its first step
    ostrel::Neighbours::setInit(&home_);
    connectPpp();
    ASSERT_TRUE(QTest::qWaitFor([this] { return server_.requested.contains("/latency.txt"); }, 10000)) << log().toStdString();
    QPointer<SpeedTestRun> running = h_->dial->speedTestRun();
    ASSERT_TRUE(running);
    EXPECT_TRUE(log().contains(QLatin1String("------------Start Speed Test-------------")));

    disconnectPpp();
    EXPECT_EQ(h_->dial->speedTestRun(), running.data()) << "a change to idle leaves the running test alone";
    ostrel::Neighbours::setInit(nullptr);
}

TEST_F(DialSpeedTestTest, ANewConnectionAbandonsTheOlderTest)
{
    make({{QStringLiteral("Internet_IsNeedTestSpeedAtConnected"), true},
          {QStringLiteral("Internet_ParmsForUploadTestTool"),
           QVariantMap{{QStringLiteral("Internet_TimeUnitforIperf"), 1}, {QStringLiteral("Internet_SendDataforIperf"), 1},
                       {QStringLiteral("Internet_TheorySpeedforIperf"), 1}}}});
    h_->dial->setSpeedTestIperfProgram(QStringLiteral("/nonexistent/iperf"));
    server_.route("/latency.txt", {"", "text/plain", "200 OK", true});
    ostrel::Neighbours::setInit(&home_);
    connectPpp();
    ASSERT_TRUE(QTest::qWaitFor([this] { return server_.requested.contains("/latency.txt"); }, 10000));
    QPointer<SpeedTestRun> older = h_->dial->speedTestRun();
    server_.route("/latency.txt", {"ok", "text/plain"});
    h_->dial->testSpeed(); // the connected display changes again while the test runs
    EXPECT_TRUE(older.isNull());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !results_.isEmpty(); }, 20000)) << log().toStdString();
    QTest::qWait(50);
    ASSERT_EQ(results_.size(), 1);
    EXPECT_EQ(results_[0].value(QStringLiteral("UploadSpeedValue")).toFloat(), 0.0f) << "iperf missing";
    EXPECT_EQ(results_[0].value(QStringLiteral("DisconnectionReason")).toInt(), 0);
    ostrel::Neighbours::setInit(nullptr);
}

TEST_F(DialSpeedTestTest, DisconnectReasonIsStoredAndLoggedOnlyWithTheSwitch)
{
    struct Case {
        bool manual, removed;
        int reason;
        const char *text;
    };
    const Case cases[] = {
        {true, true, 0, "Disconnect Reason: Manual Disconnect"},
        {false, true, 2, "Disconnect Reason: Device Remove"},
        {false, false, 1, "Disconnect Reason: Unreason disconnect"},
    };
    make({{QStringLiteral("Internet_IsNeedTestSpeedAtConnected"), false}});
    for (const Case &c : cases) {
        h_->dial->setManualDisconnect(c.manual);
        h_->dial->setDeviceStatus(c.removed);
        h_->dial->writeDisconetNetWorkReason();
        const auto stored = yov::PlistBridge::readFile(h_->dir.filePath(QStringLiteral("settings.plist")));
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->toMap().value(QStringLiteral("Internet")).toMap().value(QStringLiteral("DisconnectReason")).toInt(),
                  c.reason);
        EXPECT_TRUE(log().endsWith(QLatin1String(c.text))) << log().toStdString();
    }

    make({});
    h_->dial->writeDisconetNetWorkReason();
    const auto stored = yov::PlistBridge::readFile(h_->dir.filePath(QStringLiteral("settings.plist")));
    EXPECT_FALSE(stored->toMap().value(QStringLiteral("Internet")).toMap().contains(QStringLiteral("DisconnectReason")));
}
