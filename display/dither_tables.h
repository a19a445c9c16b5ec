// The ordered-dither offsets that pictures get before they are drawn on palette
// and high-colour displays.
#pragma once

#include <array>
#include <cstdint>

// The 16 x 16 Bayer matrix: each value 0 to 255 once.
int32_t DitherMatrix(int32_t row, int32_t column);

// Offsets added to a pixel's red, green and blue bytes, indexed by
// k = (row mod 16) x 16 + (column mod 16) in the picture's own pixel grid.
struct DitherTables {
    std::array<int32_t, 256> DitherRed;
    std::array<int32_t, 256> DitherGreen;
    std::array<int32_t, 256> DitherBlue;
};

// The tables for a high-colour display (offsets -4 to 3) or for any other
// (-21 to 20, the colour cube's step of 51). The channels share the pattern,
// green shifted 85 cells back and red 85 cells forward along the matrix read
// row by row.
DitherTables BuildDitherTables(bool highColour);
