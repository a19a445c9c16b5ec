// The display's classification by its bits per pixel, without the platform.
#pragma once

#include <cstdint>

// Sets HighColorDisplay (15 or 16 bits), builds the dither tables for it, and
// sets PaletteDisplay (exactly 8 bits: the colour cube palette is needed).
void ClassifyDisplay(int32_t bitsPerPixel);
