// The once-per-picture ordered dither for palette and high-colour displays.
#pragma once

#include "display/display_format.h"
#include "picture/picture.h"

// The device-independent part of drawing: false when there is nothing to draw;
// otherwise dithers the pixels once if the display needs it.
bool PrepareDraw(Picture& picture, const DisplayFormat& display);
