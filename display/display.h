// The display the show draws on, found once at start-up: how it shows colour,
// and on a palette display the program's palette. Start-up owns it for the
// whole run and hands it to the show windows; nothing changes it afterwards.
#pragma once

#include "display/display_format.h"
#include "framework/gdi_object.h"

#include <cstdint>
#include <memory>

class CDC;

class Display {
public:
    // A display of the given depth. On a palette display the colour cube becomes
    // the palette; when it cannot be created there is none, selecting it has no
    // effect and pictures are drawn against the device's current palette.
    explicit Display(int32_t bitsPerPixel);

    // On a palette display: selects the palette into dc as a background palette
    // and realises it, as drawing there needs. Otherwise nothing.
    void SelectPalette(CDC& dc) const;

    const DisplayFormat format;
    // The colour cube on palette displays; no palette on others.
    CPalette palette;
};

// The desktop's display, by its bits per pixel.
std::unique_ptr<const Display> InitDisplay();

// The dots per inch of the screen as a whole (the primary monitor's when the
// program started), and of the monitor that shows most of the area (in screen
// coordinates): the screen's where monitors have none of their own.
UINT SystemDpi();
UINT MonitorDpi(const RECT& area);
