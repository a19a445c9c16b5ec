// Seeds that make the program's generator yield chosen values next, so that a
// test can steer a coin flip or a scattered position.
#pragma once

#include "common/random.h"

#include <cstdint>

namespace random_seed {
constexpr uint32_t multiplier = 214013u;
constexpr uint32_t increment = 2531011u;

// The seed that leads to the given state in one step.
inline uint32_t SeedBefore(uint32_t state) {
    // The inverse of the (odd) multiplier modulo 2^32, by Newton's iteration.
    uint32_t inverse = multiplier;
    for (int i = 0; i < 5; ++i) {
        inverse *= 2u - multiplier * inverse;
    }
    return (state - increment) * inverse;
}

inline int32_t DrawFrom(uint32_t state) {
    return static_cast<int32_t>((state >> 16) & 32767u);
}
} // namespace random_seed

// The seed whose next draw is value (0 to RandomMax).
inline uint32_t SeedYielding(int32_t value) {
    return random_seed::SeedBefore(static_cast<uint32_t>(value) << 16);
}

// A seed whose next two draws are first and then second, or 0 when no state
// gives that pair (the generator's sequence does not hold every pair).
inline uint32_t SeedYieldingPair(int32_t first, int32_t second) {
    using namespace random_seed;
    // Every state whose bits 16 to 30 hold first gives that first draw.
    for (uint32_t rest = 0; rest < 0x20000u; ++rest) {
        const uint32_t state =
            (static_cast<uint32_t>(first) << 16) | (rest & 0xFFFFu) | ((rest >> 16) << 31);
        if (DrawFrom(state * multiplier + increment) == second) {
            return SeedBefore(state);
        }
    }
    return 0;
}
