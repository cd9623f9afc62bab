#include "platform/process/SingleInstance.h"
#include "platform/process/UnixSignalWatcher.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QSignalSpy>
#include <csignal>
#include <gtest/gtest.h>

TEST(SingleInstance, FirstClaimsLaterLaunchAsksItToReopen)
{
    yov::SingleInstance first(QStringLiteral("org.ostrel.TestInstance"), QStringLiteral("/Instance"));
    ASSERT_TRUE(first.claim());
    QSignalSpy reopened(&first, &yov::SingleInstance::reopenRequested);

    // A later launch is another bus connection trying the same name.
    QDBusConnection other = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("other"));
    ASSERT_TRUE(other.isConnected());
    auto reply = other.interface()->registerService(QStringLiteral("org.ostrel.TestInstance"),
                                                    QDBusConnectionInterface::DontQueueService,
                                                    QDBusConnectionInterface::DontAllowReplacement);
    EXPECT_NE(reply.value(), QDBusConnectionInterface::ServiceRegistered);
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.ostrel.TestInstance"), QStringLiteral("/Instance"),
                                                       QStringLiteral("org.ostrel.Instance"), QStringLiteral("Reopen"));
    other.asyncCall(call);
    EXPECT_TRUE(reopened.wait(3000));
    QDBusConnection::disconnectFromBus(QStringLiteral("other"));
}

TEST(UnixSignalWatcher, DeliversSignalOnTheEventLoop)
{
    yov::UnixSignalWatcher watcher;
    ASSERT_TRUE(watcher.watch(SIGUSR1));
    QSignalSpy spy(&watcher, &yov::UnixSignalWatcher::unixSignal);
    ::raise(SIGUSR1);
    ASSERT_TRUE(spy.wait(3000));
    EXPECT_EQ(spy.at(0).at(0).toInt(), SIGUSR1);
}
