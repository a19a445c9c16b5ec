#include "show/frame_pacing.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {
constexpr std::chrono::nanoseconds Period = 16'666'666ns;

// What `flushes` flushes, each waiting `waited` and succeeding, leave the choice at.
FrameClock AfterFlushes(int flushes, std::chrono::nanoseconds waited) {
    FrameClockChoice choice(true, Period);
    for (int i = 0; i < flushes; ++i) {
        choice.Flushed(waited, true);
    }
    return choice.Clock();
}
} // namespace

TEST(FrameClockChoiceTest, FlushesThatWaitKeepTheComposition) {
    EXPECT_EQ(FrameClock::Composition, AfterFlushes(1000, 15ms));
    EXPECT_EQ(FrameClock::Composition, AfterFlushes(1000, Period / 3));
}

// A flush now and then that returns at once (a frame taken late) is not a
// desktop that nothing composes; flushes that keep returning at once are.
TEST(FrameClockChoiceTest, OnlyFlushesThatKeepReturningAtOnceGiveItToTheTimer) {
    FrameClockChoice choice(true, Period);
    for (int i = 0; i < 100; ++i) {
        for (int j = 1; j < FrameClockChoice::ShortFlushesToGiveUp; ++j) {
            choice.Flushed(10us, true);
        }
        choice.Flushed(Period, true);
    }
    EXPECT_EQ(FrameClock::Composition, choice.Clock());
    EXPECT_EQ(FrameClock::Timer, AfterFlushes(FrameClockChoice::ShortFlushesToGiveUp, 0ns));
    EXPECT_EQ(FrameClock::Timer, AfterFlushes(FrameClockChoice::ShortFlushesToGiveUp, 2ms));
}

TEST(FrameClockChoiceTest, AFailedFlushOrNoCompositionIsTheTimerForGood) {
    FrameClockChoice failed(true, Period);
    failed.Flushed(Period, false);
    for (int i = 0; i < 100; ++i) {
        failed.Flushed(Period, true);
    }
    EXPECT_EQ(FrameClock::Timer, failed.Clock());
    FrameClockChoice uncomposed(false, Period);
    uncomposed.Flushed(Period, true);
    EXPECT_EQ(FrameClock::Timer, uncomposed.Clock());
}

TEST(FramePeriodTest, TheDisplaysRateOrSixtyHertzWhenItDoesNotSay) {
    EXPECT_EQ(Period, FramePeriod(60));
    EXPECT_EQ(6'944'444ns, FramePeriod(144));
    EXPECT_EQ(41'666'666ns, FramePeriod(24));
    for (const int unsaid : {0, 1, -1, 5, 100000, INT32_MIN, INT32_MAX}) {
        EXPECT_EQ(Period, FramePeriod(unsaid)) << unsaid;
    }
}
