// The ordered-dither offsets that pictures get before they are drawn on palette
// and high-colour displays, built once at start-up.
#pragma once

#include <cstdint>

// The 16 x 16 Bayer matrix: each value 0 to 255 once.
int32_t DitherMatrix(int32_t row, int32_t column);

// Offsets added to a pixel's red, green and blue bytes, indexed by
// k = (row mod 16) x 16 + (column mod 16) in the picture's own pixel grid.
extern int32_t DitherRed[256];
extern int32_t DitherGreen[256];
extern int32_t DitherBlue[256];

// Fills the three tables for the display classified by HighColorDisplay: offsets
// -4 to 3 for 15- and 16-bit displays, -21 to 20 (the colour cube's step of 51)
// otherwise. The channels share the pattern, green shifted 85 cells back and red
// 85 cells forward along the matrix read row by row.
void BuildDitherTables();
