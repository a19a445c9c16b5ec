#include "picture/display_class.h"

#include "picture/display.h"
#include "picture/dither_tables.h"

bool PaletteDisplay = false;
bool HighColorDisplay = false;

void ClassifyDisplay(int32_t bitsPerPixel) {
    HighColorDisplay = bitsPerPixel == 15 || bitsPerPixel == 16;
    BuildDitherTables();
    PaletteDisplay = bitsPerPixel == 8;
}
