#include "support/ManualClock.h"

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
