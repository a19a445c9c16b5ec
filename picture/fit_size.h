// The size of a picture fitted to its box: its aspect ratio kept, one side
// exactly the box's, the other within one pixel of the exact ratio and never
// beyond the box. A picture smaller than its box is enlarged, at most twice in
// each direction, so that a thumbnail stays small rather than becoming a blur.
#pragma once

#include <cstdint>

struct PictureSize {
    int32_t width = 0;
    int32_t height = 0;
};

// Both sides 0 for an empty box; otherwise both at least 1.
PictureSize FitSize(int32_t sourceWidth, int32_t sourceHeight, int32_t boxWidth, int32_t boxHeight);
