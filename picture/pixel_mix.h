// The arithmetic of a fade between two pictures' pixels.
#pragma once

#include "picture/simd_path.h"

#include <cstddef>
#include <cstdint>

// The levels of a fade: level 0 is where it starts, FadeLevels where it ends.
constexpr int FadeLevels = 16;

// One frame of a fade: each pixel `level` sixteenths of the way from `from` to
// `to`, per channel, (from × (16 − level) + to × level) / 16 truncated, so that
// level 0 gives `from` and level 16 `to` exactly. Either may be null for black.
// The pixels are 0x00RRGGBB; the fourth byte of the result is 0.
void MixPixels(const uint32_t* from, const uint32_t* to, uint32_t* out, std::size_t count,
               int level);
// The same on `path` (one the processor runs): every path gives the same bits.
void MixPixels(SimdPath path, const uint32_t* from, const uint32_t* to, uint32_t* out,
               std::size_t count, int level);
