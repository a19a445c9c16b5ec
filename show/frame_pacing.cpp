#include "show/frame_pacing.h"

FrameClockChoice::FrameClockChoice(bool composed, std::chrono::nanoseconds period)
    : clock(composed ? FrameClock::Composition : FrameClock::Timer),
      shortWait(period / ShortFlushShareOfPeriod) {}

void FrameClockChoice::Flushed(std::chrono::nanoseconds waited, bool succeeded) {
    if (clock != FrameClock::Composition) {
        return;
    }
    shortFlushes = waited < shortWait ? shortFlushes + 1 : 0;
    if (!succeeded || shortFlushes >= ShortFlushesToGiveUp) {
        clock = FrameClock::Timer;
    }
}

std::chrono::nanoseconds FramePeriod(int refreshHz) {
    constexpr int Default = 60;
    constexpr int Slowest = 20;
    constexpr int Fastest = 1000;
    const int hz = refreshHz >= Slowest && refreshHz <= Fastest ? refreshHz : Default;
    return std::chrono::nanoseconds(std::chrono::seconds(1)) / hz;
}
