// The sleep watcher against a stand-in logind (python3-dbusmock's template) on the test's private
// system bus: the signal drives the handlers, the delay lock is given back before sleep and taken
// again after wake; without logind the watcher stays off.
#include "platform/power/LogindSleepWatcher.h"
#include "support/FakeLogind.h"

#include <QDBusConnection>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using testing_support::FakeLogind;

namespace {

const QString kWho = QStringLiteral("Ostrel test");
const QString kWhy = QStringLiteral("Ending the data connection before sleep");
constexpr int kWaitMs = 10000;

const QString kOurLock = QStringList{QStringLiteral("sleep"), kWho, kWhy, QStringLiteral("delay")}.join(QLatin1Char('/'));

} // namespace

TEST(LogindSleepWatcherTest, SleepReleasesTheLockAfterTheHandlingAndWakeTakesItAgain)
{
    if (!FakeLogind::privateSystemBus())
        GTEST_SKIP() << "needs the private system bus of scripts/with-session-bus";
    FakeLogind logind;
    ASSERT_TRUE(logind.start()) << "the stand-in logind did not come up";

    int willSleep = 0;
    int didWake = 0;
    bool lockHeldDuringSleepHandling = false;
    std::unique_ptr<yov::LogindSleepWatcher> watcher;
    watcher = std::make_unique<yov::LogindSleepWatcher>(
        yov::LogindSleepWatcher::Handlers{[&] {
                                              ++willSleep;
                                              lockHeldDuringSleepHandling = watcher->holdsDelayLock();
                                          },
                                          [&] { ++didWake; }},
        kWho, kWhy);
    ASSERT_TRUE(watcher->active());
    EXPECT_TRUE(watcher->holdsDelayLock());
    EXPECT_EQ(FakeLogind::inhibitors(), QStringList{kOurLock});

    ASSERT_TRUE(FakeLogind::prepareForSleep(true));
    ASSERT_TRUE(QTest::qWaitFor([&] { return willSleep == 1; }, kWaitMs));
    EXPECT_TRUE(lockHeldDuringSleepHandling) << "sleep waited for nothing";
    EXPECT_FALSE(watcher->holdsDelayLock());
    EXPECT_TRUE(QTest::qWaitFor([] { return FakeLogind::inhibitors().isEmpty(); }, kWaitMs))
        << FakeLogind::inhibitors().join(QLatin1Char(',')).toStdString();
    EXPECT_EQ(didWake, 0);

    ASSERT_TRUE(FakeLogind::prepareForSleep(false));
    ASSERT_TRUE(QTest::qWaitFor([&] { return didWake == 1; }, kWaitMs));
    EXPECT_EQ(willSleep, 1);
    EXPECT_TRUE(watcher->holdsDelayLock());
    EXPECT_EQ(FakeLogind::inhibitors(), QStringList{kOurLock});

    watcher.reset();
    EXPECT_TRUE(QTest::qWaitFor([] { return FakeLogind::inhibitors().isEmpty(); }, kWaitMs))
        << "the lock outlived the watcher";
}

TEST(LogindSleepWatcherTest, WithoutLogindOrWithoutABusTheWatcherIsOff)
{
    if (!FakeLogind::privateSystemBus())
        GTEST_SKIP() << "needs the private system bus of scripts/with-session-bus";
    ASSERT_FALSE(FakeLogind::onBus());
    int calls = 0;
    const yov::LogindSleepWatcher::Handlers count{[&] { ++calls; }, [&] { ++calls; }};
    yov::LogindSleepWatcher noLogind(count, kWho, kWhy);
    EXPECT_FALSE(noLogind.active());
    EXPECT_FALSE(noLogind.holdsDelayLock());

    const QDBusConnection nowhere =
        QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), QStringLiteral("nowhere"));
    yov::LogindSleepWatcher noBus(count, kWho, kWhy, nowhere);
    EXPECT_FALSE(noBus.active());
    QTest::qWait(100);
    EXPECT_EQ(calls, 0);
    QDBusConnection::disconnectFromBus(QStringLiteral("nowhere"));
}
