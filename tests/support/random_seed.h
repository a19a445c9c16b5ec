// Seeds that make the program's generator yield a chosen value next, so that a
// test can steer a coin flip or a scattered position.
#pragma once

#include "app/random.h"

#include <cstdint>

// The seed whose next draw is value (0 to RandomMax).
inline uint32_t SeedYielding(int32_t value) {
    constexpr uint32_t multiplier = 214013u;
    constexpr uint32_t increment = 2531011u;
    // The inverse of the (odd) multiplier modulo 2^32, by Newton's iteration.
    uint32_t inverse = multiplier;
    for (int i = 0; i < 5; ++i) {
        inverse *= 2u - multiplier * inverse;
    }
    const uint32_t nextState = static_cast<uint32_t>(value) << 16;
    return (nextState - increment) * inverse;
}
