// Where the full-screen show goes on a desk of one or more monitors: the window
// covers the virtual screen (the rectangle around every monitor), so that the
// other monitors stay black, and the pictures are boxed and placed on the
// primary monitor, as on a desk with one.
#pragma once

#include <cstdint>

// A rectangle; right and bottom lie just outside it.
struct Extent {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// The monitors as the system reports them, in screen coordinates, where the
// primary monitor's top left corner is the origin.
struct ScreenLayout {
    int32_t virtualLeft;
    int32_t virtualTop;
    int32_t virtualWidth;
    int32_t virtualHeight;
    int32_t primaryWidth;
    int32_t primaryHeight;
};

struct FullScreenGeometry {
    Extent window; // in screen coordinates
    Extent stage;  // in the window's client coordinates: the primary monitor
};

// The window covers the virtual screen, or only the primary monitor when the
// virtual screen reported does not hold it (a system that does not know it
// reports an empty one).
FullScreenGeometry PlaceFullScreen(const ScreenLayout& layout);
