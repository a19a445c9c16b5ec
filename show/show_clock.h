// The show's own time, which moving pictures follow: it runs from the show's
// start and stands still while the show is paused.
#pragma once

#include <chrono>
#include <optional>

class ShowClock {
public:
    std::chrono::milliseconds Now() const {
        const Clock::time_point until = pausedAt.value_or(Clock::now());
        return std::chrono::duration_cast<std::chrono::milliseconds>(until - start);
    }
    void Pause() {
        if (!pausedAt) {
            pausedAt = Clock::now();
        }
    }
    // The time paused is left out from now on.
    void Resume() {
        if (pausedAt) {
            start += Clock::now() - *pausedAt;
            pausedAt.reset();
        }
    }

private:
    using Clock = std::chrono::steady_clock;
    Clock::time_point start = Clock::now();
    std::optional<Clock::time_point> pausedAt;
};
