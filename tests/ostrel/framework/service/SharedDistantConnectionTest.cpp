#include "ostrel/framework/service/SharedDistantConnection.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QMutex>
#include <QThread>
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

using ostrel::SharedDistantConnection;

namespace {

// The device service's side of the voice proxy, as the stand-in serves it.
class VoicePeer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.vandrel.DataCardServer.VoiceDataTransfer")
public:
    std::atomic<int> prepared{0};
    std::atomic<int> reads{0};
    std::atomic<int> stopped{0};
    QMutex mutex;
    QList<int> written;

public slots:
    int prepareVoiceTransfer()
    {
        ++prepared;
        return 1;
    }
    int readVoiceData()
    {
        ++reads;
        return 320; // one frame of 320 bytes is ready
    }
    int writeVoiceData(int frame)
    {
        QMutexLocker lock(&mutex);
        written.append(frame);
        return frame + 1000;
    }
    int stopVoiceTransfer()
    {
        ++stopped;
        return 1;
    }
};

// Serves a VoicePeer on a connection of its own from a thread of its own, so that the blocking
// calls of the proxy on the test's thread are answered.
class PeerHost {
public:
    PeerHost()
        : bus_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("voice-peer")))
    {
        thread_.start();
        peer_.moveToThread(&thread_);
    }
    ~PeerHost()
    {
        stop();
        thread_.quit();
        thread_.wait();
        peer_.moveToThread(QThread::currentThread());
        QDBusConnection::disconnectFromBus(QStringLiteral("voice-peer"));
    }
    bool start()
    {
        return bus_.isConnected()
            && bus_.registerObject(QString::fromLatin1(SharedDistantConnection::objectPath), &peer_,
                                   QDBusConnection::ExportAllSlots)
            && bus_.registerService(QString::fromLatin1(SharedDistantConnection::serviceName));
    }
    void stop()
    {
        bus_.unregisterService(QString::fromLatin1(SharedDistantConnection::serviceName));
        bus_.unregisterObject(QString::fromLatin1(SharedDistantConnection::objectPath));
    }
    VoicePeer &peer() { return peer_; }

private:
    QDBusConnection bus_;
    QThread thread_;
    VoicePeer peer_;
};

bool haveSessionBus()
{
    return QDBusConnection::sessionBus().isConnected();
}

} // namespace

TEST(SharedDistantConnection, EveryCallIsZeroUntilConnected)
{
    if (!haveSessionBus())
        GTEST_SKIP() << "needs a session bus (scripts/with-session-bus)";
    SharedDistantConnection proxy(QDBusConnection::sessionBus());
    EXPECT_FALSE(proxy.doConnection()); // nobody owns the name
    EXPECT_EQ(proxy.prepareVoiceTransfer(), 0);
    EXPECT_EQ(proxy.readVoiceData(), 0);
    EXPECT_EQ(proxy.writeVoiceData(5), 0);
    EXPECT_EQ(proxy.stopVoiceTransfer(), 0);

    PeerHost host;
    ASSERT_TRUE(host.start());
    EXPECT_EQ(proxy.prepareVoiceTransfer(), 0); // not connected yet
    EXPECT_EQ(host.peer().prepared.load(), 0);
}

TEST(SharedDistantConnection, ForwardsEachCall)
{
    if (!haveSessionBus())
        GTEST_SKIP() << "needs a session bus (scripts/with-session-bus)";
    PeerHost host;
    ASSERT_TRUE(host.start());
    SharedDistantConnection proxy(QDBusConnection::sessionBus());
    ASSERT_TRUE(proxy.doConnection());
    EXPECT_EQ(proxy.prepareVoiceTransfer(), 1);
    EXPECT_EQ(proxy.readVoiceData(), 320);
    EXPECT_EQ(proxy.writeVoiceData(-7), 993);
    EXPECT_EQ(proxy.stopVoiceTransfer(), 1);
    EXPECT_EQ(host.peer().prepared.load(), 1);
    EXPECT_EQ(host.peer().stopped.load(), 1);
    EXPECT_EQ(host.peer().written, QList<int>{-7});

    // The service leaves: calls answer 0 again.
    host.stop();
    EXPECT_EQ(proxy.readVoiceData(), 0);
    EXPECT_FALSE(proxy.doConnection());
}

TEST(SharedDistantConnection, CallsFromSeveralThreads)
{
    if (!haveSessionBus())
        GTEST_SKIP() << "needs a session bus (scripts/with-session-bus)";
    PeerHost host;
    ASSERT_TRUE(host.start());
    SharedDistantConnection proxy(QDBusConnection::sessionBus());
    ASSERT_TRUE(proxy.doConnection());

    std::atomic<int> wrong{0};
    std::vector<QThread *> threads;
    for (int t = 0; t < 4; ++t) {
        threads.push_back(QThread::create([&proxy, &wrong, t] {
            for (int i = 0; i < 25; ++i) {
                if (proxy.writeVoiceData(t * 100 + i) != t * 100 + i + 1000)
                    ++wrong;
                if (proxy.readVoiceData() != 320)
                    ++wrong;
            }
        }));
    }
    for (QThread *thread : threads)
        thread->start();
    for (QThread *thread : threads) {
        thread->wait();
        delete thread;
    }
    EXPECT_EQ(wrong.load(), 0);
    EXPECT_EQ(host.peer().written.size(), 100);
}

#include "SharedDistantConnectionTest.moc"
