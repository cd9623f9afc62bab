// The message center and the stand-in device service over a real session bus.
#include "common/PlistBridge.h"
#include "common/records/DeviceServiceBus.h"
#include "common/records/Payload.h"
#include "common/records/UiMsg.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "support/QuickScenario.h"
#include "support/TestPaths.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusMetaType>
#include <QDBusReply>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>

#include <csignal>
#include <sys/types.h>

using namespace ostrel;

namespace {

constexpr int kWaitMs = 10000;

QString brannocPath()
{
    const QString dir = qEnvironmentVariable("OSTREL_BIN_DIR", testing_paths::binDir());
    return QDir(dir).filePath(QStringLiteral("Brannoc"));
}

bool nameOwned()
{
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(QLatin1String(yov::devicebus::kService));
}

qint64 ownerPid()
{
    const QDBusReply<uint> pid =
        QDBusConnection::sessionBus().interface()->servicePid(QLatin1String(yov::devicebus::kService));
    return pid.isValid() ? qint64(pid.value()) : 0;
}

bool processGone(qint64 pid)
{
    return !QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid));
}

// Receives the records of the IDs it registers, copied out as handlers do.
class Sink : public QObject {
public:
    explicit Sink(YOVMsgCenter *center) : center_(center) {}
    void listen(int major, int minor) { center_->registerObserver(this, &Sink::onRecord, major, minor); }
    void onRecord(const yov::Notification &n)
    {
        yov::UI_MSG m;
        center_->getMsgPackage(&m, &n);
        msgs.push_back(m);
        raw.push_back(n.userInfo.value(QStringLiteral("yUIMsg")).toByteArray());
    }
    int count(int major, int minor) const
    {
        int c = 0;
        for (const auto &m : msgs)
            c += m.majorID == major && m.minorID == minor;
        return c;
    }
    YOVMsgCenter *center_;
    std::vector<yov::UI_MSG> msgs;
    std::vector<QByteArray> raw;
};

struct DropLog {
    static inline int drops = 0;
    static void handler(QtMsgType type, const QMessageLogContext &, const QString &msg)
    {
        if (type == QtWarningMsg && msg.contains(QStringLiteral("dropped record")))
            ++drops;
        fprintf(stderr, "%s\n", qPrintable(msg));
    }
    QtMessageHandler previous;
    DropLog() : previous(qInstallMessageHandler(handler)) { drops = 0; }
    ~DropLog() { qInstallMessageHandler(previous); }
};

class MessageLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFileInfo(brannocPath()).isExecutable()) << qPrintable(brannocPath());
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected());
        qputenv("OSTREL_BRANNOC", brannocPath().toLocal8Bit());
        const QString scenario = testing_support::quickScenario(QStringLiteral("default.plist"), scenarioDir.path());
        ASSERT_FALSE(scenario.isEmpty());
        qputenv("OSTREL_BRANNOC_SCENARIO", scenario.toLocal8Bit());
        qDBusRegisterMetaType<QList<QByteArray>>();
    }

    void TearDown() override { qunsetenv("OSTREL_BRANNOC_SCENARIO"); }

    std::unique_ptr<YOVMsgCenter> newCenter()
    {
        auto center = std::make_unique<YOVMsgCenter>();
        center->setDoNotLockMsgReader([] { return false; });
        center->awakeFromNib();
        return center;
    }

    // Starts the device service through the center and waits for its whole start-up sequence
    // (default scenario): handshake, device mode, SIM status, PIN status, PIN/PUK counts.
    void startAndShakeHands(YOVMsgCenter &center, Sink &sink)
    {
        const std::pair<int, int> startup[] = {{1, 0}, {3, 5}, {6, 32}, {4, 9}, {4, 8}};
        for (auto [major, minor] : startup)
            sink.listen(major, minor);
        ASSERT_TRUE(center.startMsgServer());
        ASSERT_TRUE(QTest::qWaitFor([&] { return sink.count(4, 8) > 0; }, kWaitMs)) << "no start-up sequence";
        ASSERT_GE(sink.msgs.size(), 5u);
        for (size_t i = 0; i < 5; ++i) {
            EXPECT_EQ(sink.msgs[i].majorID, startup[i].first) << i;
            EXPECT_EQ(sink.msgs[i].minorID, startup[i].second) << i;
            EXPECT_EQ(sink.msgs[i].result, 0) << i;
            EXPECT_EQ(sink.msgs[i].moduleID, 1) << i;
        }
        EXPECT_EQ(sink.msgs[4].type, 1); // the counts come as a type-1 record
    }

    QDBusMessage control(const QString &method, const QVariantList &args = {}, int timeoutMs = 5000)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QLatin1String(yov::devicebus::kService), QLatin1String(yov::devicebus::kTestPath),
            QLatin1String(yov::devicebus::kTestInterface), method);
        call.setArguments(args);
        return QDBusConnection::sessionBus().call(call, QDBus::Block, timeoutMs);
    }

    QTemporaryDir scenarioDir;
};

} // namespace

TEST_F(MessageLinkTest, StartsTheServiceReceivesTheHandshakeAndGetsAScriptedReply)
{
    auto center = newCenter();
    Sink sink(center.get());
    sink.listen(258, 65);
    sink.listen(2307, 150);
    startAndShakeHands(*center, sink);

    QTemporaryDir dir;
    const QString scenario = dir.filePath(QStringLiteral("dial.plist"));
    const QVariantMap reply{{"Type", 1}, {"Result", 0}, {"Module", 2}, {"Int32", QVariantList{7, -3}}};
    ASSERT_TRUE(yov::PlistBridge::writeFile(
        scenario, QVariantMap{{"Replies", QVariantList{QVariantMap{{"Major", 258}, {"Minor", 65}, {"Records", QVariantList{reply}}}}}}));
    const QDBusMessage loaded = control(QStringLiteral("LoadScenario"), {scenario});
    ASSERT_EQ(loaded.type(), QDBusMessage::ReplyMessage) << qPrintable(loaded.errorMessage());
    EXPECT_EQ(control(QStringLiteral("LoadScenario"), {dir.filePath(QStringLiteral("missing.plist"))}).type(),
              QDBusMessage::ErrorMessage);

    EXPECT_TRUE(center->sendMessageModuleID(2, 258, 65, 0, 0, nullptr));
    ASSERT_TRUE(QTest::qWaitFor([&] { return sink.count(258, 65) == 1; }, kWaitMs));
    const yov::UI_MSG &got = sink.msgs.back();
    EXPECT_EQ(got.type, 1);
    EXPECT_EQ(got.result, 0);
    const yov::PayloadReader payload = yov::PayloadReader::ofMsg(got);
    EXPECT_EQ(payload.int32(0), 7);
    EXPECT_EQ(payload.int32(4), -3);

    // The device service kept the request as sent.
    EXPECT_TRUE(center->sendMessageModuleID(9, 2307, 150, 0, 0, nullptr)); // answered, nothing follows
    const QDBusReply<QList<QByteArray>> received = control(QStringLiteral("ReceivedRecords"));
    ASSERT_TRUE(received.isValid());
    ASSERT_EQ(received.value().size(), 2);
    yov::UI_MSG req;
    yov::msgFromBytes(received.value()[0], req);
    EXPECT_EQ(received.value()[0].size(), yov::kUiMsgSize);
    EXPECT_EQ(req.marker, 1);
    EXPECT_EQ(req.moduleID, 2);
    EXPECT_EQ(req.majorID, 258);
    EXPECT_EQ(req.minorID, 65);
}

TEST_F(MessageLinkTest, StalledOrSilentServiceMakesTheSendFailAfterAboutOneSecond)
{
    auto center = newCenter();
    Sink sink(center.get());
    sink.listen(3, 3);
    startAndShakeHands(*center, sink);

    const struct { const char *what; QString method; QVariantList args; } cases[] = {
        {"stall", QStringLiteral("Stall"), {1500}},
        {"dropped reply", QStringLiteral("DropNextReply"), {}},
    };
    int answers = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(control(c.method, c.args).type(), QDBusMessage::ReplyMessage);
        QElapsedTimer t;
        t.start();
        EXPECT_FALSE(center->sendMessageModuleID(1, 3, 3, 0, 0, nullptr));
        EXPECT_GE(t.elapsed(), 900);
        EXPECT_LT(t.elapsed(), 2000);
        // The request itself was handled (after the held-back or lost reply): its answer arrives.
        ++answers;
        ASSERT_TRUE(QTest::qWaitFor([&] { return sink.count(3, 3) == answers; }, kWaitMs));
    }
    EXPECT_TRUE(center->sendMessageModuleID(1, 3, 3, 0, 0, nullptr));
}

TEST_F(MessageLinkTest, ABurstOf300RecordsArrivesInOrderUndamagedWithEachLossLogged)
{
    DropLog log;
    auto center = newCenter();
    Sink sink(center.get());
    sink.listen(7, 35);
    sink.listen(768, 94);
    sink.listen(1025, 0);
    startAndShakeHands(*center, sink);
    // The burst is measured alone: the modem's own start-up reports (the last are the SMS list
    // state 768/94 and the two phonebook storages 1025/0) are through the queue first.
    ASSERT_TRUE(QTest::qWaitFor([&] { return sink.count(768, 94) > 0 && sink.count(1025, 0) == 2; }, kWaitMs))
        << "start-up not finished";

    QList<QByteArray> burst;
    for (int i = 0; i < 300; ++i) {
        yov::UI_MSG m = yov::zeroMsg();
        m.moduleID = 1;
        m.majorID = 7;
        m.minorID = 35;
        m.dataLength = yov::kUiMsgDataSize;
        for (int b = 0; b < yov::kUiMsgDataSize; ++b)
            m.data[b] = std::uint8_t((b * 31 + i) & 0xff);
        std::memcpy(m.data, &i, 4);
        m.tail[2] = '1';
        burst << yov::msgBytes(m);
    }
    const qint64 droppedBefore = center->droppedCount();
    ASSERT_EQ(control(QStringLiteral("InjectRecords"), {QVariant::fromValue(burst)}).type(), QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return sink.count(7, 35) + (center->droppedCount() - droppedBefore) == 300; }, kWaitMs))
        << sink.count(7, 35) << " received, " << center->droppedCount() - droppedBefore << " dropped";

    const qint64 lost = center->droppedCount() - droppedBefore;
    EXPECT_LE(lost, 50);
    EXPECT_EQ(DropLog::drops, lost);
    int last = -1;
    for (const QByteArray &raw : sink.raw) {
        std::uint16_t major = 0, minor = 0;
        yov::msgHead(raw, &major, &minor);
        if (major != 7 || minor != 35)
            continue;
        std::int32_t seq;
        std::memcpy(&seq, raw.constData() + yov::kUiMsgDataOffset, 4);
        ASSERT_TRUE(seq >= 0 && seq < 300) << seq;
        ASSERT_GT(seq, last) << "out of order";
        last = seq;
        EXPECT_EQ(raw, burst[seq]) << "record " << seq << " damaged";
    }
}

TEST_F(MessageLinkTest, StopEndsTheServiceReleasesTheNameAndAFreshCenterStartsAgain)
{
    {
        auto center = newCenter();
        Sink sink(center.get());
        startAndShakeHands(*center, sink);
        const qint64 pid = ownerPid();
        ASSERT_GT(pid, 0);
        EXPECT_TRUE(center->stopMsgServer());
        EXPECT_FALSE(nameOwned());
        EXPECT_TRUE(processGone(pid));
        EXPECT_FALSE(center->startMsgServer()); // once per run
    }
    {
        // A device service this center did not start (left over from an earlier run) is ended by
        // its process id.
        QProcess orphan;
        orphan.setProgram(brannocPath());
        orphan.setProcessChannelMode(QProcess::ForwardedChannels);
        orphan.start();
        ASSERT_TRUE(orphan.waitForStarted(5000));
        ASSERT_TRUE(QTest::qWaitFor([] { return nameOwned(); }, kWaitMs));
        auto center = newCenter();
        EXPECT_FALSE(center->stopMsgServer()); // it launched nothing itself
        EXPECT_FALSE(nameOwned());
        EXPECT_TRUE(orphan.waitForFinished(2000));
        EXPECT_EQ(orphan.exitStatus(), QProcess::NormalExit); // it ended cleanly on SIGTERM
        EXPECT_EQ(orphan.exitCode(), 0);
    }
    auto fresh = newCenter();
    Sink sink(fresh.get());
    startAndShakeHands(*fresh, sink);
    EXPECT_TRUE(nameOwned());
}

TEST_F(MessageLinkTest, ADeviceServiceThatEndsOnItsOwnIsLoggedOnceAndAStopIsNot)
{
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &m) {
        if (type == QtWarningMsg && m.contains(QLatin1String("ended on its own")))
            warnings << m;
    });
    {
        // Ended by the dashboard: nothing to report.
        auto center = newCenter();
        Sink sink(center.get());
        startAndShakeHands(*center, sink);
        EXPECT_TRUE(center->stopMsgServer());
        QTest::qWait(100);
        EXPECT_TRUE(warnings.isEmpty()) << qPrintable(warnings.join(QLatin1Char('\n')));
    }
    auto center = newCenter();
    Sink sink(center.get());
    startAndShakeHands(*center, sink);
    const qint64 pid = ownerPid();
    ASSERT_GT(pid, 0);
    ASSERT_EQ(::kill(pid_t(pid), SIGKILL), 0);
    EXPECT_TRUE(QTest::qWaitFor([] { return !warnings.isEmpty(); }, kWaitMs)) << "the end went unnoticed";
    qInstallMessageHandler(previous);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("process %1").arg(pid))) << qPrintable(warnings[0]);
    EXPECT_TRUE(warnings[0].contains(QLatin1String("killed"))) << qPrintable(warnings[0]);
    EXPECT_FALSE(center->stopMsgServer()); // nothing of its own left to end
}
