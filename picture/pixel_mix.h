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

// A rectangle of pixels (rows contiguous) placed in a frame with its top left
// pixel at (x, y); without pixels nothing is there.
struct PlacedPixels {
    const uint32_t* pixels = nullptr;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// A frame of a crossfade: out (width x height, rows contiguous) is each pixel
// `level` sixteenths of the way from `from` to `to`, as MixPixels mixes them;
// where only one of them lies the other is black, where neither lies, black.
// The rectangles may lie partly or wholly outside the frame.
void CrossMix(PlacedPixels from, PlacedPixels to, uint32_t* out, int32_t width, int32_t height,
              int level);
// The same on `path` (one the processor runs): every path gives the same bits.
void CrossMix(SimdPath path, PlacedPixels from, PlacedPixels to, uint32_t* out, int32_t width,
              int32_t height, int level);
