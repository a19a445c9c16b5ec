// Reading back what a device shows.
#pragma once

#include "picture/picture.h"

#include <cstdint>

class CDC;

// The pixels of the rectangle of dc with its top left corner at (x, y), as a
// ready picture in the pictures' format; a failed one when they cannot be read.
Picture CaptureDevice(CDC& dc, int32_t x, int32_t y, int32_t width, int32_t height);
