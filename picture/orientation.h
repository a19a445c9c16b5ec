// How a picture is to be turned upright: the eight orientations a camera
// records (see decode/exif_orientation.h), and the box a turned picture meets.
#pragma once

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
