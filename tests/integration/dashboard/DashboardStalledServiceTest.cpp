// The dashboard against a device service that stops answering (SIGSTOP) while a connection stands:
// the window keeps working, a short stall passes unnoticed, and a service that stays silent is
// ended and started again, with the connection's record saved and the user told.
#include "DashboardFixture.h"

#include "common/records/DeviceServiceBus.h"
#include "common/records/connection/ConnectionRecords.h"
#include "ostrel/connection/dial/DialController.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

using namespace ostrel;
using namespace dashboard_test;

namespace {

pid_t servicePid()
{
    const QDBusReply<uint> pid = QDBusConnection::sessionBus().interface()->servicePid(QLatin1String(yov::devicebus::kService));
    return pid.isValid() ? pid_t(pid.value()) : 0;
}

// Stops the device service; it goes on when resumed, at the latest when the test ends.
struct StoppedService {
    explicit StoppedService(pid_t p) : pid(p) { stopped = pid > 0 && ::kill(pid, SIGSTOP) == 0; }
    ~StoppedService() { resume(); }
    void resume()
    {
        if (stopped)
            ::kill(pid, SIGCONT);
        stopped = false;
    }
    pid_t pid;
    bool stopped = false;
};

// The longest time the event loop did not run, over the given span.
qint64 longestStallOfTheWindow(int spanMs)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, longest = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.elapsed() - last);
        last = clock.elapsed();
    });
    tick.start(20);
    QTest::qWait(spanMs);
    return longest;
}

class DashboardStalledServiceTest : public DashboardFixture {
protected:
    void connectNow()
    {
        launch(QStringLiteral("default.plist"));
        ASSERT_TRUE(waitSimReady());
        pressConnectButton(QStringLiteral("Connect"));
        ASSERT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusConnected; }, kWaitMs));
    }
};

} // namespace

TEST_F(DashboardStalledServiceTest, AShortStallKeepsTheWindowWorkingAndTheConnectionStanding)
{
    connectNow();
    ASSERT_FALSE(HasFailure());
    {
        StoppedService stopped(servicePid());
        ASSERT_TRUE(stopped.stopped);
        // The first unanswered request holds the window its second; after it, the statistics the
        // page keeps asking for must not hold it a second each, or the window freezes.
        QTest::qWait(1500);
        EXPECT_LT(longestStallOfTheWindow(3000), 900) << "the window stopped while the service did not answer";
    }
    // Running again, the service is asked as before: the connection stands and ends on request.
    QTest::qWait(2000);
    EXPECT_EQ(dial()->connectStatus(), yov::kConnectStatusConnected);
    EXPECT_TRUE(presenter_.messages().isEmpty()) << qPrintable(presenter_.messages().join(QLatin1String(" | ")));
    pressConnectButton(QStringLiteral("Disconnect"));
    EXPECT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusIdle; }, kWaitMs));
    EXPECT_TRUE(QTest::qWaitFor([this] { return connectionRecords().size() == 1; }, kWaitMs));
}

TEST_F(DashboardStalledServiceTest, AServiceThatStaysSilentIsStartedAgainAndTheConnectionEndsWithItsRecord)
{
    connectNow();
    ASSERT_FALSE(HasFailure());
    StoppedService stopped(servicePid());
    ASSERT_TRUE(stopped.stopped);
    simReady_ = 0;
    // The user's Disconnect cannot reach the service; the page must not stay at "Disconnecting".
    QTest::qWait(1500);
    QTest::mouseClick(connectButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusIdle; }, 2 * kWaitMs))
        << "the page stays at status " << dial()->connectStatus();
    EXPECT_EQ(connectionRecords().size(), 1);
    EXPECT_TRUE(presenter_.messages().contains(
        QStringLiteral("The device service stopped answering. The dashboard is starting it again.")))
        << qPrintable(presenter_.messages().join(QLatin1String(" | ")));

    // A new service comes up and the dashboard connects through it.
    ASSERT_TRUE(waitSimReady()) << "the device service did not come back";
    EXPECT_NE(servicePid(), stopped.pid);
    pressConnectButton(QStringLiteral("Connect"));
    EXPECT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusConnected; }, kWaitMs));
}
