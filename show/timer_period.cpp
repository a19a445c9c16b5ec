#include "show/timer_period.h"

uint32_t TimerPeriod(int32_t delaySeconds) {
    if (delaySeconds < 1) {
        return 1000;
    }
    const int64_t period = int64_t{delaySeconds} * 1000;
    return period > LongestTimerPeriod ? LongestTimerPeriod : static_cast<uint32_t>(period);
}
