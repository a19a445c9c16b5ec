// The display set-up at start-up: the device's depth classifies the display,
// and an 8-bit display gets the colour cube as the program's palette.
#include "picture/display.h"

#include "framework/gdi_object.h"
#include "picture/colour_cube.h"
#include "picture/display_class.h"

CPalette DisplayPalette;

namespace {
int32_t DesktopBitsPerPixel() {
    const HWND desktop = ::GetDesktopWindow();
    const HDC dc = ::GetDC(desktop);
    const int32_t bits = ::GetDeviceCaps(dc, BITSPIXEL);
    ::ReleaseDC(desktop, dc);
    return bits;
}

// A LOGPALETTE with room for the whole cube.
struct CubeLogPalette {
    WORD palVersion;
    WORD palNumEntries;
    PALETTEENTRY palPalEntry[CubeColours];
};

// When CreatePalette fails DisplayPalette stays empty: selecting it then has no
// effect and pictures are drawn against the device's current palette.
void CreateCubePalette() {
    CubeLogPalette logPalette{};
    logPalette.palVersion = 0x300;
    logPalette.palNumEntries = CubeColours;
    if (!DisplayPalette.CreatePalette(reinterpret_cast<const LOGPALETTE*>(&logPalette))) {
        return;
    }
    const std::array<CubeColour, CubeColours> cube = ColourCube();
    PALETTEENTRY entries[CubeColours];
    for (int i = 0; i < CubeColours; ++i) {
        entries[i] = {cube[i].red, cube[i].green, cube[i].blue, cube[i].flags};
    }
    DisplayPalette.SetPaletteEntries(0, CubeColours, entries);
}
} // namespace

void InitDisplay() {
    ClassifyDisplay(DesktopBitsPerPixel());
    if (PaletteDisplay) {
        CreateCubePalette();
    }
}
