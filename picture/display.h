// The display set-up, once at start-up: its colour depth decides whether the
// show draws against the program's palette and whether pictures are dithered.
#pragma once

class CPalette;

// The display has exactly 8 bits per pixel: DisplayPalette must be selected and
// realised before drawing.
extern bool PaletteDisplay;
// The display has 15 or 16 bits per pixel.
extern bool HighColorDisplay;
// The 216-colour cube of palette displays; holds no palette on other displays.
extern CPalette DisplayPalette;

void InitDisplay();
