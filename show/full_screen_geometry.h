// Where the full-screen show goes on a desk of one or more monitors: the window
// covers the rectangle around every monitor, and each monitor is a stage of its
// own, where pictures are boxed and placed. All in device pixels.
#pragma once

#include <cstdint>
#include <vector>

// A rectangle; right and bottom lie just outside it.
struct Extent {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// One monitor, in screen coordinates, where the primary monitor's top left
// corner is the origin.
struct Monitor {
    Extent area;
    bool primary;
};

// The monitors as the system reports them, and the primary's size for a system
// that reports none.
struct ScreenLayout {
    std::vector<Monitor> monitors;
    int32_t primaryWidth;
    int32_t primaryHeight;
};

struct FullScreenGeometry {
    Extent window; // in screen coordinates
    // In the window's client coordinates, one a monitor: the primary first,
    // then the others from left to right and, where they start alike, from top
    // to bottom.
    std::vector<Extent> stages;
};

FullScreenGeometry PlaceFullScreen(const ScreenLayout& layout);
