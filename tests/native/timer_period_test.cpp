#include "show/timer_period.h"

#include <gtest/gtest.h>

TEST(TimerPeriodTest, DelayInSecondsBecomesMilliseconds) {
    EXPECT_EQ(3000u, TimerPeriod(3));
    EXPECT_EQ(1000u, TimerPeriod(1));
    EXPECT_EQ(2147483000u, TimerPeriod(2147483));
}

TEST(TimerPeriodTest, DelaysBelowOneSecondCountAsOne) {
    EXPECT_EQ(1000u, TimerPeriod(0));
    EXPECT_EQ(1000u, TimerPeriod(-1));
    EXPECT_EQ(1000u, TimerPeriod(INT32_MIN));
}

// Without the cut, 4294968 seconds would wrap around to a 704 ms period.
TEST(TimerPeriodTest, LongDelaysAreCutToTheLongestPeriod) {
    EXPECT_EQ(LongestTimerPeriod, TimerPeriod(2147484));
    EXPECT_EQ(LongestTimerPeriod, TimerPeriod(4294968));
    EXPECT_EQ(LongestTimerPeriod, TimerPeriod(INT32_MAX));
}
