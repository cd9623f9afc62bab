#include "support/ManualClock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

TEST(RepeatingTimer, FiresAtEachIntervalUntilStopped)
{
    testing_support::ManualClock clock;
    QObject context;
    int ticks = 0;
    yov::RepeatingTimer timer(clock, &context, [&] { ++ticks; });
    timer.start(5);
    clock.advance(4);
    EXPECT_EQ(ticks, 0);
    clock.advance(11);
    EXPECT_EQ(ticks, 3);
    timer.stop();
    clock.advance(100);
    EXPECT_EQ(ticks, 3);
}

TEST(ManualClock, DropsCallbacksOfDestroyedContext)
{
    testing_support::ManualClock clock;
    int calls = 0;
    {
        QObject context;
        clock.schedule(10, &context, [&] { ++calls; });
    }
    clock.advance(20);
    EXPECT_EQ(calls, 0);
}

TEST(SystemClock, ARepeatingTimerKeepsOneTimerForItsWholeLifeAndCanStopItself)
{
    QObject context;
    int ticks = 0;
    {
        yov::RepeatingTimer timer(yov::Clock::system(), &context, [&] {
            if (++ticks % 3 == 0)
                timer.stop(); // from inside its own tick
        });
        int most = 0;
        // Started and stopped again and again, as the message center's drain tick is.
        for (int run = 1; run <= 4; ++run) {
            timer.start(1);
            QElapsedTimer waited;
            waited.start();
            while (timer.isActive() && waited.elapsed() < 5000) {
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                most = std::max(most, int(context.findChildren<QTimer *>().size()));
            }
            EXPECT_EQ(ticks, 3 * run);
        }
        EXPECT_EQ(most, 1) << "a new timer per start or per tick";
    }
    EXPECT_TRUE(context.findChildren<QTimer *>().isEmpty()) << "the timer outlived its RepeatingTimer";
}
