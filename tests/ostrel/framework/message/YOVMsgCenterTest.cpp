#include "FakeMsgTransport.h"

#include "common/PlistBridge.h"
#include "common/records/UiMsg.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "common/records/Payload.h"
#include "support/ManualClock.h"
#include "support/ScriptedAlertPresenter.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <thread>

using namespace ostrel;
using msgtest::FakeLauncher;
using msgtest::FakeMsgTransport;

namespace {

QByteArray record(std::uint16_t major, std::uint16_t minor, std::uint8_t tag = 0)
{
    yov::UI_MSG m = yov::zeroMsg();
    m.majorID = major;
    m.minorID = minor;
    m.dataLength = 1;
    m.data[0] = tag;
    return yov::msgBytes(m);
}

// Collects what it is given; runs an optional hook inside the handler.
class Recorder : public QObject {
public:
    explicit Recorder(YOVMsgCenter *center) : center_(center) {}
    void onRecord(const yov::Notification &n)
    {
        yov::UI_MSG m;
        center_->getMsgPackage(&m, &n);
        names << n.name;
        tags.push_back(m.data[0]);
        senders.push_back(n.object);
        if (hook)
            hook();
    }
    YOVMsgCenter *center_;
    QStringList names;
    std::vector<int> tags;
    std::vector<QObject *> senders;
    std::function<void()> hook;
};

// Captures the message center's warnings.
struct LogCapture {
    static inline QStringList lines;
    static void handler(QtMsgType type, const QMessageLogContext &, const QString &msg)
    {
        if (type == QtWarningMsg || type == QtCriticalMsg)
            lines << msg;
    }
    QtMessageHandler previous;
    LogCapture() : previous(qInstallMessageHandler(handler)) { lines.clear(); }
    ~LogCapture() { qInstallMessageHandler(previous); }
    int count(const QString &part) const
    {
        int n = 0;
        for (const QString &l : lines)
            n += l.contains(part);
        return n;
    }
};

class MsgCenterTest : public ::testing::Test {
protected:
    MsgCenterTest()
    {
        auto t = std::make_unique<FakeMsgTransport>();
        auto l = std::make_unique<FakeLauncher>();
        transport = t.get();
        launcher = l.get();
        center = std::make_unique<YOVMsgCenter>(std::move(t), std::move(l), clock, notifications);
        center->setDoNotLockMsgReader([] { return false; });
        center->awakeFromNib();
    }
    void tick(int n = 1)
    {
        for (int i = 0; i < n; ++i)
            clock.advance(YOVMsgCenter::kDrainIntervalMs);
    }

    testing_support::ManualClock clock;
    yov::NotificationCenter notifications;
    FakeMsgTransport *transport = nullptr;
    FakeLauncher *launcher = nullptr;
    std::unique_ptr<YOVMsgCenter> center;
};

} // namespace

TEST_F(MsgCenterTest, QueueHoldsAtMost250AndLogsEachDrop)
{
    Recorder r(center.get());
    center->registerObserver(&r, &Recorder::onRecord, 7, 35);
    LogCapture log;
    for (int i = 0; i < 250; ++i)
        ASSERT_EQ(center->putReceiveMsgInQueue(record(7, 35, std::uint8_t(i))), 0);
    EXPECT_EQ(center->putReceiveMsgInQueue(record(7, 35, 250)), -1);
    transport->deliver(record(7, 35, 251)); // through the transport: dropped as well
    EXPECT_EQ(center->receiveQueueCount(), 250);
    EXPECT_EQ(center->droppedCount(), 2);
    EXPECT_EQ(log.count(QStringLiteral("dropped record 7/35")), 2);

    tick();
    ASSERT_EQ(r.tags.size(), 1u);
    EXPECT_EQ(r.tags[0], 0);
    EXPECT_EQ(center->putReceiveMsgInQueue(record(7, 35, 99)), 0);
    EXPECT_EQ(center->receiveQueueCount(), 250);
}

TEST_F(MsgCenterTest, OneRecordPerTickInArrivalOrder)
{
    Recorder r(center.get());
    center->registerObserver(&r, &Recorder::onRecord, 4, 9);
    for (std::uint8_t tag : {1, 2, 3})
        transport->deliver(record(4, 9, tag));
    transport->deliver(QByteArray(11, '\0')); // shorter than the head: ignored
    EXPECT_EQ(center->receiveQueueCount(), 3);

    clock.advance(YOVMsgCenter::kDrainIntervalMs - 1);
    EXPECT_TRUE(r.tags.empty());
    for (size_t expected = 1; expected <= 3; ++expected) {
        tick();
        ASSERT_EQ(r.tags.size(), expected);
    }
    EXPECT_EQ(r.tags, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(r.senders[0], center.get());
    tick(3);
    EXPECT_EQ(r.tags.size(), 3u);
}

TEST_F(MsgCenterTest, ReceiveGuardHoldsRecordsWhileAHandlerRunsANestedLoop)
{
    for (bool doNotLock : {false, true}) {
        SCOPED_TRACE(doNotLock ? "switch on: no guard" : "guard on");
        center->setDoNotLockMsgReader([doNotLock] { return doNotLock; });
        center->awakeFromNib();
        EXPECT_EQ(center->lockMsgWhenReceiveMsg(), !doNotLock);

        Recorder modal(center.get()), other(center.get());
        center->registerObserver(&modal, &Recorder::onRecord, 8, 59);
        center->registerObserver(&other, &Recorder::onRecord, 7, 36);
        size_t seenInsideModal = 0;
        modal.hook = [&] {
            clock.advance(10 * YOVMsgCenter::kDrainIntervalMs); // a modal dialog lets the timer fire
            seenInsideModal = other.tags.size();
        };
        transport->deliver(record(8, 59));
        for (std::uint8_t tag : {1, 2, 3})
            transport->deliver(record(7, 36, tag));

        tick();
        ASSERT_EQ(modal.tags.size(), 1u);
        if (!doNotLock) {
            EXPECT_EQ(seenInsideModal, 0u);
            EXPECT_EQ(center->receiveQueueCount(), 3);
            tick();
            EXPECT_EQ(other.tags.size(), 1u); // then one per tick again
            tick(2);
        } else {
            EXPECT_EQ(seenInsideModal, 3u);
        }
        EXPECT_EQ(other.tags, (std::vector<int>{1, 2, 3}));
        notifications.removeObserver(&modal);
        notifications.removeObserver(&other);
    }
}

TEST_F(MsgCenterTest, SwitchIsReadFromTheConfigurationByDefault)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const struct { QVariant value; bool lock; } cases[] = {
        {QVariant(), true}, {QStringLiteral("no"), true}, {QStringLiteral("YES"), false}, {true, false}, {qint64(0), true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.value.toString().toStdString());
        ConfigManager config(dir.path());
        QVariantMap init{{QStringLiteral("Other"), 1}};
        if (c.value.isValid())
            init.insert(QStringLiteral("Init_DoNotLockMsg_WhenReadReceiveMsg"), c.value);
        config.setConfigurationByModule(QStringLiteral("Init"), init);
        ConfigManager::setSharedConfigManager(&config);

        auto t = std::make_unique<FakeMsgTransport>();
        YOVMsgCenter fresh(std::move(t), std::make_unique<FakeLauncher>(), clock, notifications);
        EXPECT_TRUE(fresh.lockMsgWhenReceiveMsg()); // on until awakeFromNib
        fresh.awakeFromNib();
        EXPECT_EQ(fresh.lockMsgWhenReceiveMsg(), c.lock);
        ConfigManager::setSharedConfigManager(nullptr);
    }
}

TEST_F(MsgCenterTest, NotificationNamesCarryTheDecimalMessageID)
{
    const struct { int major, minor; qint64 id; const char *name; } cases[] = {
        {1, 0, 65536, "yUIMsg65536"}, {4, 9, 262153, "yUIMsg262153"}, {258, 65, 16908353, "yUIMsg16908353"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(YOVMsgCenter::makeIDByMajorID(c.major, c.minor), c.id);
        Recorder r(center.get());
        EXPECT_TRUE(center->registerObserver(&r, &Recorder::onRecord, c.major, c.minor));
        transport->deliver(record(std::uint16_t(c.major), std::uint16_t(c.minor)));
        tick();
        ASSERT_EQ(r.names.size(), 1);
        EXPECT_EQ(r.names[0], QString::fromLatin1(c.name));
    }
}

TEST_F(MsgCenterTest, SendWithoutDataCarriesLengthZeroAndZeroData)
{
    EXPECT_TRUE(center->sendMessageModuleID(0, 8, 58, 2, 255, nullptr));
    ASSERT_EQ(transport->sent.size(), 1u);
    EXPECT_EQ(transport->lastTimeoutMs, 1000);
    const QByteArray &b = transport->sent[0];
    ASSERT_EQ(b.size(), yov::kUiMsgSize);
    yov::UI_MSG m;
    std::memcpy(&m, b.constData(), sizeof m);
    EXPECT_EQ(m.marker, 1);
    EXPECT_EQ(m.moduleID, 0);
    EXPECT_EQ(m.majorID, 8);
    EXPECT_EQ(m.minorID, 58);
    EXPECT_EQ(m.type, 2);
    EXPECT_EQ(m.result, -1);
    EXPECT_EQ(m.dataLength, 0);
    EXPECT_EQ(b.mid(16 + 1), QByteArray(yov::kUiMsgSize - 17, '\0'));

    // Major and minor keep their low 16 bits; a failed send is reported.
    transport->status = kMsgSendTimedOut;
    EXPECT_FALSE(center->sendMessageModuleID(1, 0x10003, 0x20004, 0, 0, nullptr));
    std::memcpy(&m, transport->sent.back().constData(), sizeof m);
    EXPECT_EQ(m.majorID, 3);
    EXPECT_EQ(m.minorID, 4);
    EXPECT_EQ(center->sendMessage(nullptr), kMsgSendFailed);
}

TEST_F(MsgCenterTest, LongPayloadIsSentCutOnlyWhenTheCutBytesAreZero)
{
    QByteArray ussd(8200, '\0');
    for (int i = 0; i < 8196; ++i)
        ussd[i] = char('a' + i % 26);
    EXPECT_TRUE(center->sendMessageModuleID(7, 1792, 138, 0, 0, &ussd));
    ASSERT_EQ(transport->sent.size(), 1u);
    yov::UI_MSG m;
    std::memcpy(&m, transport->sent[0].constData(), sizeof m);
    EXPECT_EQ(m.dataLength, 8200);
    EXPECT_EQ(transport->sent[0].mid(yov::kUiMsgDataOffset), ussd.left(8196));

    LogCapture log;
    QByteArray tooLong = ussd;
    tooLong[8196] = 'x'; // the 8197th byte
    EXPECT_FALSE(center->sendMessageModuleID(7, 1792, 138, 0, 0, &tooLong));
    EXPECT_EQ(transport->sent.size(), 1u);
    EXPECT_EQ(log.count(QStringLiteral("1792/138 refused")), 1);

    QByteArray exact(8196, '\x01');
    EXPECT_TRUE(center->sendMessageModuleID(7, 1792, 138, 0, 0, &exact));
    EXPECT_EQ(transport->sent.back().mid(yov::kUiMsgDataOffset), exact);
}

TEST_F(MsgCenterTest, GetMsgPackageCopiesAtMostOneRecord)
{
    yov::UI_MSG m;
    std::memset(&m, 0x5a, sizeof m);
    center->getMsgPackage(&m, nullptr);
    center->getMsgPackage(nullptr, nullptr);
    EXPECT_EQ(m.marker, 0x5a5a5a5a);

    yov::Notification shortOne{QStringLiteral("x"), nullptr, {{QStringLiteral("yUIMsg"), record(6, 32, 7).left(25)}}};
    center->getMsgPackage(&m, &shortOne);
    EXPECT_EQ(m.majorID, 6);
    EXPECT_EQ(m.data[0], 7);
    EXPECT_EQ(m.data[1], 0);
    EXPECT_EQ(m.padding2, 0);

    yov::Notification longOne{QStringLiteral("x"), nullptr, {{QStringLiteral("yUIMsg"), QByteArray(9000, '\x03')}}};
    center->getMsgPackage(&m, &longOne);
    EXPECT_EQ(m.padding2, 3);
}

TEST_F(MsgCenterTest, StartsTheServiceOncePerRunAndStopsByProcessId)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString program = dir.filePath(QStringLiteral("Brannoc"));
    QFile f(program);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray savedEnv = qgetenv("OSTREL_BRANNOC");
    qunsetenv("OSTREL_BRANNOC");
    center->setResourceDir(dir.filePath(QStringLiteral("share")));
    center->setProgramDir(dir.path());

    EXPECT_FALSE(center->stopMsgServer()); // nothing launched yet
    EXPECT_TRUE(center->startMsgServer());
    EXPECT_EQ(launcher->launched, QStringList{program});
    EXPECT_FALSE(center->startMsgServer());

    transport->ownerPid = 4242; // another device service still owns the name
    EXPECT_TRUE(center->stopMsgServer());
    EXPECT_EQ(launcher->terminated, 1);
    EXPECT_EQ(launcher->ended, (std::vector<qint64>{4242}));
    EXPECT_GE(transport->waits, 2);

    EXPECT_FALSE(center->startMsgServer()); // not again in this run
    EXPECT_EQ(launcher->launched.size(), 1);

    transport->ownerPid = QCoreApplication::applicationPid(); // never ends itself
    launcher->ended.clear();
    EXPECT_FALSE(center->stopMsgServer());
    EXPECT_TRUE(launcher->ended.empty());
    if (!savedEnv.isNull())
        qputenv("OSTREL_BRANNOC", savedEnv);
}

TEST_F(MsgCenterTest, AServiceThatLeavesTheBusByItselfIsLostAndMayBeStartedAgain)
{
    const QByteArray savedEnv = qgetenv("OSTREL_BRANNOC");
    qputenv("OSTREL_BRANNOC", "/bin/true");
    int lost = 0;
    QObject::connect(center.get(), &YOVMsgCenter::msgServerLost, [&] { ++lost; });

    transport->ownerChanged(false); // a device service this center never started
    EXPECT_EQ(lost, 0);
    ASSERT_TRUE(center->startMsgServer());
    transport->ownerChanged(true); // it takes its name
    EXPECT_TRUE(center->isMsgServerUp());
    EXPECT_EQ(lost, 0);

    transport->ownerChanged(false); // killed
    EXPECT_EQ(lost, 1);
    EXPECT_FALSE(center->isMsgServerUp());
    EXPECT_FALSE(launcher->running) << "the ended program is forgotten";
    transport->ownerChanged(false);
    EXPECT_EQ(lost, 1) << "lost once";
    EXPECT_TRUE(center->startMsgServer()) << "a lost service may be started again";
    EXPECT_EQ(launcher->launched.size(), 2);

    // The center's own stop is no loss.
    center->stopMsgServer();
    transport->ownerChanged(false);
    EXPECT_EQ(lost, 1);
    EXPECT_FALSE(center->startMsgServer()) << "a stopped service stays stopped in this run";
    if (savedEnv.isNull())
        qunsetenv("OSTREL_BRANNOC");
    else
        qputenv("OSTREL_BRANNOC", savedEnv);
}

TEST_F(MsgCenterTest, AServiceThatDoesNotAnswerIsNotWaitedForAndIsEndedWhenItStaysSilent)
{
    const QByteArray savedEnv = qgetenv("OSTREL_BRANNOC");
    qputenv("OSTREL_BRANNOC", "/bin/true");
    int lost = 0;
    QObject::connect(center.get(), &YOVMsgCenter::msgServerLost, [&] { ++lost; });
    ASSERT_TRUE(center->startMsgServer());
    transport->answersProbe = false;

    // One request goes unanswered: the next ones are handed over without waiting, and fail.
    transport->status = ostrel::kMsgSendTimedOut;
    EXPECT_FALSE(center->sendMessageModuleID(2, 258, 67, 0, 0, nullptr));
    transport->status = ostrel::kMsgSendOK;
    EXPECT_FALSE(center->sendMessageModuleID(2, 258, 68, 0, 0, nullptr));
    EXPECT_EQ(transport->sent.size(), 1u);
    EXPECT_EQ(transport->posted.size(), 1u) << "the request still reaches the service";
    EXPECT_FALSE(center->isMsgServerAnswering());

    // A probe answered: requests are waited for again.
    transport->answersProbe = true;
    clock.advance(YOVMsgCenter::kProbeIntervalMs);
    EXPECT_TRUE(center->isMsgServerAnswering());
    EXPECT_TRUE(center->sendMessageModuleID(2, 258, 67, 0, 0, nullptr));
    EXPECT_EQ(transport->sent.size(), 2u);

    // Silent again, and for the whole limit: ended, and lost for not answering.
    transport->answersProbe = false;
    transport->status = ostrel::kMsgSendTimedOut;
    EXPECT_FALSE(center->sendMessageModuleID(2, 258, 67, 0, 0, nullptr));
    clock.advance(YOVMsgCenter::kNotAnsweringLimitMs - YOVMsgCenter::kProbeIntervalMs);
    EXPECT_EQ(lost, 0);
    clock.advance(YOVMsgCenter::kProbeIntervalMs);
    EXPECT_EQ(lost, 1);
    EXPECT_TRUE(center->lostForNoAnswer());
    EXPECT_EQ(launcher->terminated, 1);
    EXPECT_FALSE(center->isMsgServerUp());
    EXPECT_TRUE(center->startMsgServer()) << "it may be started again";

    if (savedEnv.isNull())
        qunsetenv("OSTREL_BRANNOC");
    else
        qputenv("OSTREL_BRANNOC", savedEnv);
}

TEST_F(MsgCenterTest, FailedLaunchOrMissingProgramReturnsNo)
{
    QTemporaryDir dir;
    const QByteArray savedEnv = qgetenv("OSTREL_BRANNOC");
    qunsetenv("OSTREL_BRANNOC");
    center->setResourceDir(dir.path());
    center->setProgramDir(dir.path()); // no Brannoc there
    EXPECT_FALSE(center->startMsgServer());
    EXPECT_TRUE(launcher->launched.isEmpty());

    qputenv("OSTREL_BRANNOC", "/bin/true");
    launcher->launchSucceeds = false;
    EXPECT_FALSE(center->startMsgServer());
    launcher->launchSucceeds = true;
    EXPECT_TRUE(center->startMsgServer()); // a failed launch does not count as the run's one start
    if (savedEnv.isNull())
        qunsetenv("OSTREL_BRANNOC");
    else
        qputenv("OSTREL_BRANNOC", savedEnv);
}

TEST_F(MsgCenterTest, ServerPathFromYUIInfoVariants)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray savedEnv = qgetenv("OSTREL_BRANNOC");
    qunsetenv("OSTREL_BRANNOC");
    center->setResourceDir(dir.path());
    center->setProgramDir(QStringLiteral("/opt/ostrel/bin"));
    const QString fallback = QStringLiteral("/opt/ostrel/bin/Brannoc");
    const QString info = dir.filePath(QStringLiteral("yUIInfo"));

    const struct {
        const char *what;
        QVariant contents; // invalid: no file
        QString expected;
    } cases[] = {
        {"no yUIInfo", QVariant(), fallback},
        {"UseConfigPath false", QVariantMap{{"UseConfigPath", false}, {"PathOfServer", "/srv/B"}}, fallback},
        {"UseConfigPath without PathOfServer", QVariantMap{{"UseConfigPath", true}}, fallback},
        {"empty PathOfServer", QVariantMap{{"UseConfigPath", true}, {"PathOfServer", ""}}, fallback},
        {"UseConfigPath \"no\"", QVariantMap{{"UseConfigPath", "no"}, {"PathOfServer", "/srv/B"}}, fallback},
        {"configured path", QVariantMap{{"UseConfigPath", true}, {"PathOfServer", "/srv/B"}}, QStringLiteral("/srv/B")},
        {"UseConfigPath \"YES\"", QVariantMap{{"UseConfigPath", "YES"}, {"PathOfServer", "/srv/C"}}, QStringLiteral("/srv/C")},
        {"not a dictionary", QVariantList{1, 2}, fallback},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(info);
        if (c.contents.isValid()) {
            ASSERT_TRUE(yov::PlistBridge::writeFile(info, c.contents));
        }
        EXPECT_EQ(center->msgServerPath(), c.expected);
    }
    {
        SCOPED_TRACE("unparsable yUIInfo");
        QFile f(info);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("<plist><dict><key>");
        f.close();
        EXPECT_EQ(center->msgServerPath(), fallback);
    }
    qputenv("OSTREL_BRANNOC", "/tmp/elsewhere/Brannoc");
    EXPECT_EQ(center->msgServerPath(), QStringLiteral("/tmp/elsewhere/Brannoc"));
    if (savedEnv.isNull())
        qunsetenv("OSTREL_BRANNOC");
    else
        qputenv("OSTREL_BRANNOC", savedEnv);
}

TEST_F(MsgCenterTest, SendsFromSeveralThreadsNeverOverlap)
{
    transport->onSend = [] {
        for (int i = 0; i < 200; ++i)
            std::this_thread::yield(); // hold the send for a while, as a blocking call does
    };
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([this, t] {
            const QByteArray data(16, char('a' + t));
            for (int i = 0; i < 50; ++i)
                center->sendMessageModuleID(t, 7, 35, 0, 0, &data);
        });
    for (auto &th : threads)
        th.join();
    EXPECT_EQ(transport->sent.size(), 200u);
    EXPECT_EQ(transport->maxInFlight.load(), 1);
}

TEST_F(MsgCenterTest, ReceivedRecordsOfAnotherSizeThanARecordAreRefusedAndLogged)
{
    Recorder r(center.get());
    center->registerObserver(&r, &Recorder::onRecord, 7, 35);
    const struct {
        int size;
        bool queued;
    } cases[] = {
        {0, false}, {11, false}, {12, false}, {23, false},           // shorter than the header
        {24, true}, {8219, true}, {8220, true},                      // a header up to a whole record
        {8221, false}, {9000, false}, {1 << 20, false},              // longer than a record
    };
    int queued = 0, refused = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.size);
        LogCapture log;
        QByteArray bytes = record(7, 35, std::uint8_t(c.size)).leftJustified(c.size, '\x01', true);
        transport->deliver(bytes);
        (c.queued ? queued : refused) += 1;
        EXPECT_EQ(center->receiveQueueCount(), queued);
        EXPECT_EQ(center->refusedCount(), refused);
        EXPECT_EQ(log.count(QStringLiteral("refused a received record of %1 bytes").arg(c.size)), c.queued ? 0 : 1);
    }
    tick(queued);
    EXPECT_EQ(int(r.tags.size()), queued);
    EXPECT_EQ(center->droppedCount(), 0);
}

TEST_F(MsgCenterTest, TheDrainTickRunsOnlyWhileRecordsWait)
{
    Recorder r(center.get());
    center->registerObserver(&r, &Recorder::onRecord, 4, 9);
    EXPECT_FALSE(center->isDrainTickArmed());
    EXPECT_EQ(clock.pending(), 0) << "an idle center wakes for nothing";

    for (std::uint8_t tag : {1, 2, 3})
        transport->deliver(record(4, 9, tag));
    EXPECT_TRUE(center->isDrainTickArmed());
    // Still one record per 5 ms tick.
    clock.advance(YOVMsgCenter::kDrainIntervalMs - 1);
    EXPECT_TRUE(r.tags.empty());
    tick();
    EXPECT_EQ(r.tags.size(), 1u);
    tick(2);
    EXPECT_EQ(r.tags, (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(center->isDrainTickArmed());
    EXPECT_EQ(clock.pending(), 0);

    // A record arriving later is paced the same way, on the same kind of tick.
    transport->deliver(record(4, 9, 4));
    tick();
    EXPECT_EQ(r.tags.back(), 4);
    EXPECT_FALSE(center->isDrainTickArmed());
}

TEST_F(MsgCenterTest, ALateTickStandsForTheTicksItMissedSoAStarvedLoopLosesNothing)
{
    Recorder r(center.get());
    center->registerObserver(&r, &Recorder::onRecord, 4, 9);
    for (int i = 0; i < 120; ++i)
        transport->deliver(record(4, 9, std::uint8_t(i)));
    tick();
    ASSERT_EQ(r.tags.size(), 1u);

    // The event loop cannot run for 100 ms: the tick comes late and takes the 20 records the
    // missed ticks would have taken, in order.
    clock.stall(100);
    EXPECT_EQ(r.tags.size(), 1u);
    clock.advance(0);
    EXPECT_EQ(r.tags.size(), 21u);
    tick();
    EXPECT_EQ(r.tags.size(), 22u) << "on time again: one record per tick";

    // A long stall: records keep arriving at 150 a second, below the drain's pace, while ticks
    // come every 100 ms; a late tick takes at most its bounded share, and nothing is dropped.
    for (int round = 0; round < 20; ++round) {
        for (int i = 0; i < 15; ++i)
            transport->deliver(record(4, 9, std::uint8_t(120 + round * 15 + i)));
        clock.stall(100);
        clock.advance(0);
    }
    tick(400);
    EXPECT_EQ(center->droppedCount(), 0);
    ASSERT_EQ(r.tags.size(), 420u);
    for (size_t i = 0; i < r.tags.size(); ++i)
        ASSERT_EQ(std::uint8_t(r.tags[i]), std::uint8_t(i)) << "out of order at " << i;
    EXPECT_FALSE(center->isDrainTickArmed());
}

TEST_F(MsgCenterTest, CataloguedSendTakesModuleTypeResultAndSizeFromTheCatalogue)
{
    const auto last = [this] {
        yov::UI_MSG m;
        yov::msgFromBytes(transport->sent.back(), m);
        return m;
    };
    const struct {
        std::uint16_t major, minor;
        int payloadSize;
        int module; // argument; kCatalogueModule: none
        int sentModule, sentType, sentResult;
    } sends[] = {
        {3, 3, 0, yov::kCatalogueModule, 1, 0, 0},
        {8, 58, 0, yov::kCatalogueModule, 0, 2, -1},
        {4, 10, 10, yov::kCatalogueModule, 1, 1, 0},
        {4, 11, 20, yov::kModuleInit, 1, 1, 0},         // the device-state window's PUK: type 1
        {4, 11, 20, yov::kModuleSetting, 3, 0, 0},      // the settings window's: type 0
        {5, 27, 4, yov::kModuleSetting, 3, 1, 0},       // the unlock code under either module
        {768, 95, 32, yov::kModuleSMS, 5, 0, 0},        // the settings window sends it as SMS
        {768, 109, 0, yov::kModuleSetting, 3, 0, 0},
        {1792, 138, 8200, yov::kCatalogueModule, 7, 0, 0}, // longer than a record: sent cut
    };
    for (const auto &c : sends) {
        SCOPED_TRACE(testing::Message() << c.major << "/" << c.minor << " module " << c.module);
        const QByteArray payload(c.payloadSize, '\0');
        ASSERT_TRUE(center->sendCatalogued(c.major, c.minor, payload, c.module));
        const yov::UI_MSG m = last();
        EXPECT_EQ(m.majorID, c.major);
        EXPECT_EQ(m.minorID, c.minor);
        EXPECT_EQ(m.moduleID, c.sentModule);
        EXPECT_EQ(m.type, c.sentType);
        EXPECT_EQ(m.result, c.sentResult);
        EXPECT_EQ(m.dataLength, c.payloadSize);
    }

    const struct {
        const char *why;
        std::uint16_t major, minor;
        int payloadSize;
        int module;
        const char *logged;
    } refused[] = {
        {"not in the catalogue", 7, 43, 0, yov::kCatalogueModule, "lists no request 7/43"},
        {"a report, never sent", 7, 35, 4, yov::kCatalogueModule, "lists no request 7/35"},
        {"per-sender modules, none given", 768, 109, 0, yov::kCatalogueModule, "has per-sender modules"},
        {"a module the catalogue does not give it", 4, 11, 20, yov::kModuleSMS, "gives request 4/11 no module 5"},
        {"short payload", 4, 10, 8, yov::kCatalogueModule, "carries 10 bytes, a payload of 8 bytes"},
        {"payload where none is sent", 3, 3, 4, yov::kCatalogueModule, "carries 0 bytes, a payload of 4 bytes"},
    };
    const size_t sentBefore = transport->sent.size();
    for (const auto &c : refused) {
        SCOPED_TRACE(c.why);
        LogCapture log;
        EXPECT_FALSE(center->sendCatalogued(c.major, c.minor, QByteArray(c.payloadSize, '\0'), c.module));
        EXPECT_EQ(log.count(QString::fromLatin1(c.logged)), 1) << qPrintable(log.lines.join(QLatin1Char('\n')));
    }
    EXPECT_EQ(transport->sent.size(), sentBefore) << "a refused request went out";

    // The compile-time form sends the same record.
    yov::FixedPayload<20> puk;
    puk.setText(0, 10, "1234");
    ASSERT_TRUE((center->sendCatalogued<4, 11>(puk, yov::kModuleInit)));
    EXPECT_EQ(last().type, 1);
    EXPECT_EQ(transport->sent.back().mid(yov::kUiMsgDataOffset, 20), puk.encode());
}

TEST_F(MsgCenterTest, ABlockingAlertInARecordHandlerIsReportedAndFailsTheTest)
{
    testing_support::ScriptedAlertPresenter alerts;
    yov::ScopedAlertPresenter installed(&alerts);
    Recorder blocking(center.get()), nonBlocking(center.get());
    center->registerObserver(&blocking, &Recorder::onRecord, 7, 38);
    center->registerObserver(&nonBlocking, &Recorder::onRecord, 7, 37);
    int answer = -1;
    blocking.hook = [&] { yov::AlertPresenter::shared().runAlert({"Roaming", "Roaming now", "OK", {}}); };
    nonBlocking.hook = [&] {
        EXPECT_TRUE(YOVMsgCenter::isDispatching());
        yov::AlertPresenter::shared().showAlert({"Roaming", "Roaming now", "OK", {}}, [&](int a) { answer = a; });
    };

    // The check can fail: a blocking alert inside a dispatch fails the test it runs in, and says
    // so in the log with the record it interrupted.
    LogCapture log;
    transport->deliver(record(7, 38));
    EXPECT_NONFATAL_FAILURE(tick(), "raised while device record 7/38 is being handled");
    EXPECT_EQ(log.count(QStringLiteral("device record 7/38 is being handled")), 1);
    // Outside a dispatch the blocking form is fine (a user's click).
    EXPECT_FALSE(YOVMsgCenter::isDispatching());
    EXPECT_EQ(yov::AlertPresenter::shared().runAlert({"Quit", "Quit now?", "OK", {}}), 1);

    // The non-blocking form returns at once and answers once the handler is through.
    transport->deliver(record(7, 37));
    tick();
    EXPECT_EQ(answer, -1);
    EXPECT_EQ(alerts.openCount(), 1);
    EXPECT_TRUE(alerts.answerOpen());
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(log.count(QStringLiteral("being handled")), 1);
}
