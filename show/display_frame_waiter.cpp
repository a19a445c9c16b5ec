#include "show/display_frame_waiter.h"

#include "show/frame_pacing.h"

#include <dwmapi.h>
#include <mmsystem.h>

#include <chrono>
#include <optional>
#include <utility>

namespace {
using Clock = std::chrono::steady_clock;

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// Windows 10 1803 and later; not in every SDK's headers.
constexpr DWORD HighResolutionTimerFlag = 0x00000002;

// An ordinary waitable timer fires on the system's ticks, 15.6 ms apart unless
// a program asks for finer ones: while this lives, they are 1 ms apart.
class MillisecondTicks {
public:
    MillisecondTicks() : raised(::timeBeginPeriod(1) == TIMERR_NOERROR) {}
    ~MillisecondTicks() {
        if (raised) {
            ::timeEndPeriod(1);
        }
    }
    MillisecondTicks(const MillisecondTicks&) = delete;
    MillisecondTicks& operator=(const MillisecondTicks&) = delete;

private:
    const bool raised;
};

// Frames due every `period` from a fixed start, so that the rate does not
// drift with the time each wait takes. The due times are kept on the steady
// clock and each is handed to the timer as the time left until it: an
// absolute time of the timer is the wall clock's, and a clock set back would
// hold the frames up.
class TimerFrameWaiter final : public FrameWaiter {
public:
    explicit TimerFrameWaiter(std::chrono::nanoseconds period)
        : period(period), due(Clock::now()),
          timer(::CreateWaitableTimerExW(nullptr, nullptr, HighResolutionTimerFlag,
                                         SYNCHRONIZE | TIMER_MODIFY_STATE)) {
        if (!timer) { // refused before Windows 10 1803
            timer.reset(
                ::CreateWaitableTimerExW(nullptr, nullptr, 0, SYNCHRONIZE | TIMER_MODIFY_STATE));
            ticks.emplace();
        }
    }
    bool Made() const { return timer != nullptr; }

    // After frames left out (a busy window, a pause) the next frame is the
    // first one due from now on, in step with those before.
    void WaitForFrame() override {
        const Clock::time_point now = Clock::now();
        due += period;
        if (due <= now) {
            due += ((now - due) / period + 1) * period;
        }
        constexpr int64_t NanosecondsPerTick = 100;
        LARGE_INTEGER left;
        left.QuadPart = -((std::chrono::nanoseconds(due - now).count() + NanosecondsPerTick - 1) /
                          NanosecondsPerTick); // negative: relative, in 100 ns ticks
        // Bounded too, so that a timer that could not be set does not make
        // the wait return at once.
        const DWORD bound =
            static_cast<DWORD>(std::chrono::ceil<std::chrono::milliseconds>(2 * period).count());
        ::SetWaitableTimer(timer.get(), &left, 0, nullptr, nullptr, FALSE);
        ::WaitForSingleObject(timer.get(), bound);
    }

private:
    const std::chrono::nanoseconds period;
    Clock::time_point due;
    UniqueHandle timer;
    std::optional<MillisecondTicks> ticks;
};

// One frame per composed refresh, for as long as FrameClockChoice keeps the
// composition; from then on the timer's.
class CompositionFrameWaiter final : public FrameWaiter {
public:
    CompositionFrameWaiter(std::chrono::nanoseconds period, std::unique_ptr<TimerFrameWaiter> timer)
        : choice(true, period), timer(std::move(timer)) {}

    void WaitForFrame() override {
        if (choice.Clock() == FrameClock::Composition) {
            const Clock::time_point start = Clock::now();
            const bool flushed = SUCCEEDED(::DwmFlush());
            choice.Flushed(Clock::now() - start, flushed);
            if (choice.Clock() == FrameClock::Composition) {
                return;
            }
        }
        timer->WaitForFrame();
    }

private:
    FrameClockChoice choice;
    const std::unique_ptr<TimerFrameWaiter> timer;
};

bool Composed() {
    BOOL enabled = FALSE;
    return SUCCEEDED(::DwmIsCompositionEnabled(&enabled)) && enabled;
}
} // namespace

int MonitorRefreshRate(HMONITOR monitor) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    if (!::GetMonitorInfoW(monitor, reinterpret_cast<MONITORINFO*>(&info)) ||
        !::EnumDisplaySettingsW(info.szDevice, ENUM_CURRENT_SETTINGS, &mode)) {
        return 0;
    }
    return static_cast<int>(mode.dmDisplayFrequency);
}

std::unique_ptr<FrameWaiter> MakeDisplayFrameWaiter(int refreshHz) {
    const std::chrono::nanoseconds period = FramePeriod(refreshHz);
    auto timer = std::make_unique<TimerFrameWaiter>(period);
    if (!timer->Made()) {
        return nullptr;
    }
    if (Composed()) {
        return std::make_unique<CompositionFrameWaiter>(period, std::move(timer));
    }
    return timer;
}
