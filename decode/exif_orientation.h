// How a camera says its picture is to be turned: the Orientation tag of the
// Exif block that JPEG files carry in an APP1 marker.
#pragma once

#include "picture/orientation.h"

#include <cstddef>
#include <cstdint>

// The orientation that an APP1 marker's data (the bytes after its length)
// records. Anything else (another kind of APP1 block, a block that is cut
// short or whose offsets or counts lead outside it, no tag, a value outside 1
// to 8) is Upright.
Orientation ExifOrientation(const uint8_t* data, size_t size);
