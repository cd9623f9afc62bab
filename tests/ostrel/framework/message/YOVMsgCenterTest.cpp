#include "FakeMsgTransport.h"

#include "common/PlistBridge.h"
#include "common/records/UiMsg.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "support/ManualClock.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

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
