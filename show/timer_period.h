// The show's timer period for the Delay setting.
#pragma once

#include <cstdint>

// The longest period a window timer accepts, in milliseconds (the platform's
// USER_TIMER_MAXIMUM).
constexpr uint32_t LongestTimerPeriod = 0x7FFFFFFF;

// Delay seconds as milliseconds: a Delay below one second counts as one, and a
// period beyond the longest the timer accepts is cut to that.
uint32_t TimerPeriod(int32_t delaySeconds);
