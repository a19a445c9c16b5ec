// Picture::Orient: the pixels turned or mirrored as the file's orientation asks.
#include "picture/picture.h"

#include "picture/pixel_buffer.h"

#include <cstddef>

namespace {
// Where each stored pixel goes: stored row r, column c lands at
// start + r * rowStep + c * columnStep of the turned buffer.
struct Placement {
    ptrdiff_t start, rowStep, columnStep;
};

// w and h are the stored width and height, both at least 1. Mirrored sides
// count from the far end; for the sideways orientations a stored row becomes
// a column of the turned picture, whose rows are h pixels long.
Placement PlacementOf(Orientation orientation, ptrdiff_t w, ptrdiff_t h) {
    switch (orientation) {
    case Orientation::Upright:
        break;
    case Orientation::MirrorAcross:
        return {w - 1, w, -1};
    case Orientation::Turn180:
        return {h * w - 1, -w, -1};
    case Orientation::MirrorDown:
        return {(h - 1) * w, -w, 1};
    case Orientation::Transpose:
        return {0, 1, h};
    case Orientation::TurnClockwise:
        return {h - 1, -1, h};
    case Orientation::Transverse:
        return {w * h - 1, -1, -h};
    case Orientation::TurnAnticlockwise:
        return {(w - 1) * h, 1, -h};
    }
    return {0, w, 1};
}
} // namespace

void Picture::Orient(Orientation orientation) {
    if (orientation == Orientation::Upright || !IsDrawable()) {
        return;
    }
    const int32_t outWidth = SwapsSides(orientation) ? height : width;
    const int32_t outHeight = SwapsSides(orientation) ? width : height;
    std::unique_ptr<uint32_t[]> out = AllocatePixels(outWidth, outHeight);
    if (!out) {
        Fail();
        return;
    }
    if (width > 0 && height > 0) {
        const Placement place = PlacementOf(orientation, width, height);
        const uint32_t* source = pixels.get();
        for (ptrdiff_t r = 0; r < height; ++r) {
            ptrdiff_t target = place.start + r * place.rowStep;
            for (ptrdiff_t c = 0; c < width; ++c, target += place.columnStep) {
                out[target] = *source++;
            }
        }
    }
    HoldPixels(std::move(out), outWidth, outHeight);
    if (SwapsSides(orientation)) {
        SetFrame({frameHeight, frameWidth});
    }
}
