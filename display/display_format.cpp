#include "display/display_format.h"

DisplayFormat ClassifyDisplay(int32_t bitsPerPixel) {
    const bool highColour = bitsPerPixel == 15 || bitsPerPixel == 16;
    DisplayFormat format;
    format.depth = highColour          ? DisplayClass::HighColorDisplay
                   : bitsPerPixel == 8 ? DisplayClass::PaletteDisplay
                                       : DisplayClass::PlainDisplay;
    format.dither = BuildDitherTables(highColour);
    format.trueColour = bitsPerPixel >= 24;
    return format;
}
