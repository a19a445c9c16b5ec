// How a display shows colour, decided by its bits per pixel, without the
// platform: whether drawing needs the program's palette, and the dither that
// pictures get before they are drawn.
#pragma once

#include "display/dither_tables.h"

#include <cstdint>

enum class DisplayClass {
    PaletteDisplay,   // exactly 8 bits: drawn against the colour cube palette
    HighColorDisplay, // 15 or 16 bits
    PlainDisplay,     // any other depth: no palette, and pictures drawn as they are
};

struct DisplayFormat {
    DisplayClass depth;
    // Built for the depth: the high-colour offsets on high-colour displays, the
    // colour cube's otherwise (used only on palette displays).
    DitherTables dither;
    // 24 or 32 bits: every colour of a picture, and of a mix of two, is shown.
    bool trueColour;

    bool NeedsPalette() const { return depth == DisplayClass::PaletteDisplay; }
    bool NeedsDither() const { return depth != DisplayClass::PlainDisplay; }
};

DisplayFormat ClassifyDisplay(int32_t bitsPerPixel);
