// The display set-up at start-up: the device's depth classifies the display,
// and an 8-bit display gets the colour cube as the program's palette.
#include "display/display.h"

#include "display/colour_cube.h"
#include "framework/dc.h"

namespace {
// One of the capabilities of the screen's device; 0 when it cannot be read.
int ScreenCaps(int index) {
    const HWND desktop = ::GetDesktopWindow();
    const HDC dc = ::GetDC(desktop);
    const int value = dc != nullptr ? ::GetDeviceCaps(dc, index) : 0;
    if (dc != nullptr) {
        ::ReleaseDC(desktop, dc);
    }
    return value;
}

// A LOGPALETTE with room for the whole cube.
struct CubeLogPalette {
    WORD palVersion;
    WORD palNumEntries;
    PALETTEENTRY palPalEntry[CubeColours];
};

void CreateCubePalette(CPalette& palette) {
    CubeLogPalette logPalette{};
    logPalette.palVersion = 0x300;
    logPalette.palNumEntries = CubeColours;
    if (!palette.CreatePalette(reinterpret_cast<const LOGPALETTE*>(&logPalette))) {
        return;
    }
    const std::array<CubeColour, CubeColours> cube = ColourCube();
    PALETTEENTRY entries[CubeColours];
    for (int i = 0; i < CubeColours; ++i) {
        entries[i] = {cube[i].red, cube[i].green, cube[i].blue, cube[i].flags};
    }
    palette.SetPaletteEntries(0, CubeColours, entries);
}
struct ModuleDeleter {
    void operator()(HMODULE module) const { ::FreeLibrary(module); }
};
} // namespace

Display::Display(int32_t bitsPerPixel) : format(ClassifyDisplay(bitsPerPixel)) {
    if (format.NeedsPalette()) {
        CreateCubePalette(palette);
    }
}

// The device context is released right after the draw, so the selection is not
// undone.
void Display::SelectPalette(CDC& dc) const {
    if (format.NeedsPalette()) {
        ::SelectPalette(dc.GetSafeHdc(), palette.Handle(), TRUE);
        ::RealizePalette(dc.GetSafeHdc());
    }
}

std::unique_ptr<const Display> InitDisplay() {
    return std::make_unique<const Display>(ScreenCaps(BITSPIXEL));
}

// The screen's DPI as a context of it reports it.
UINT SystemDpi() {
    const int dpi = ScreenCaps(LOGPIXELSY);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

// The monitor's own DPI comes from shcore (Windows 8.1 on), looked up when it
// is asked for, so that the program starts where it is missing, and only in
// the system's folder.
UINT MonitorDpi(const RECT& area) {
    using GetDpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    constexpr int EffectiveDpi = 0;
    const std::unique_ptr<HINSTANCE__, ModuleDeleter> shcore(
        ::LoadLibraryExA("shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    const FARPROC found = shcore ? ::GetProcAddress(shcore.get(), "GetDpiForMonitor") : nullptr;
    UINT x = 0;
    UINT y = 0;
    if (found != nullptr &&
        SUCCEEDED(reinterpret_cast<GetDpiForMonitor>(reinterpret_cast<void (*)()>(found))(
            ::MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), EffectiveDpi, &x, &y)) &&
        y > 0) {
        return y;
    }
    return SystemDpi();
}
