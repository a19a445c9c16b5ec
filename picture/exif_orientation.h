// How a camera says its picture is to be turned: the Orientation tag of the
// Exif block that JPEG files carry in an APP1 marker.
#pragma once

#include <cstddef>
#include <cstdint>

// The eight values of the tag, named by what turns the stored picture upright.
// From 5 on, width and height change roles.
enum class Orientation : uint8_t {
    Upright = 1,          // as stored
    MirrorAcross = 2,     // mirrored left to right
    Turn180 = 3,          // turned half round
    MirrorDown = 4,       // mirrored top to bottom
    Transpose = 5,        // mirrored across the top-left to bottom-right diagonal
    TurnClockwise = 6,    // turned a quarter clockwise
    Transverse = 7,       // mirrored across the top-right to bottom-left diagonal
    TurnAnticlockwise = 8 // turned a quarter anticlockwise
};

// True for the orientations that turn the picture on its side.
inline bool SwapsSides(Orientation orientation) {
    return orientation >= Orientation::Transpose;
}

// The box that a picture shown in the given orientation must fit, as the stored
// picture meets it: width and height exchanged for the sideways orientations.
inline void TurnBox(Orientation orientation, int32_t& width, int32_t& height) {
    if (SwapsSides(orientation)) {
        const int32_t stored = width;
        width = height;
        height = stored;
    }
}

// The orientation that an APP1 marker's data (the bytes after its length)
// records. Anything else (another kind of APP1 block, a block that is cut
// short or whose offsets or counts lead outside it, no tag, a value outside 1
// to 8) is Upright.
Orientation ExifOrientation(const uint8_t* data, size_t size);
