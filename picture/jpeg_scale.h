// The scale at which libjpeg decodes a picture for its box.
#pragma once

#include "picture/exif_orientation.h"

#include <cstdint>

// The smallest of 1, 2, 4 and 8 that brings the picture within one and a half
// times the box (width first, then height), or 8.
int ScaleDenominator(int32_t sourceWidth, int32_t sourceHeight, int32_t maxWidth,
                     int32_t maxHeight);

// The scale for a picture shown in the given orientation: one that is turned on
// its side meets the box with its stored width upright.
int ScaleForOrientation(Orientation orientation, int32_t sourceWidth, int32_t sourceHeight,
                        int32_t maxWidth, int32_t maxHeight);
