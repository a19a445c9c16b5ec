// Drawing a picture on a device.
#pragma once

#include <cstdint>

class CDC;
class Display;
class Picture;

// Draws the picture with its top-left pixel at (x, y) of dc, at its own size,
// dithering it first (once) when the display needs it. On a palette display the
// caller has selected and realised the display's palette in dc. A picture that
// is not drawable draws nothing.
void DrawPicture(CDC& dc, Picture& picture, int32_t x, int32_t y, const Display& display);
