// Which clock paces a moving picture's frames: the desktop's composition
// (one frame per composed refresh) or a timer at the monitor's refresh rate.
#pragma once

#include <chrono>

enum class FrameClock { Composition, Timer };

// Decides, from what the platform says and how each flush of the composition
// behaved, which clock paces the frames. A flush that fails, or flushes that
// keep returning without waiting (as they do where nothing composes the
// desktop), hand the pacing to the timer for good.
class FrameClockChoice {
public:
    // `composed`: the desktop is composed (Windows 8 and later always, Vista
    // and 7 with composition on). `period`: one refresh of the display.
    FrameClockChoice(bool composed, std::chrono::nanoseconds period);

    FrameClock Clock() const { return clock; }

    // After each flush: how long it waited, and whether it succeeded.
    void Flushed(std::chrono::nanoseconds waited, bool succeeded);

    // Flushes in a row that return within this share of a refresh mean that
    // nothing waits for the display. A real flush, made as the window takes a
    // frame, waits for most of a refresh; one that returns at once now and
    // then (a frame taken late, just before a refresh) does not count.
    static constexpr int ShortFlushesToGiveUp = 8;
    static constexpr int ShortFlushShareOfPeriod = 4; // under a quarter of it

private:
    FrameClock clock;
    std::chrono::nanoseconds shortWait;
    int shortFlushes = 0;
};

// One refresh at `refreshHz`; 60 Hz when the display's settings do not say
// (0 and 1 mean the hardware's default) or say something no display runs at.
std::chrono::nanoseconds FramePeriod(int refreshHz);
