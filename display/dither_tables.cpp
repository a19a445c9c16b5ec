#include "display/dither_tables.h"

namespace {
// The 2 x 2 Bayer matrix, indexed by a row bit and a column bit.
constexpr int32_t Bayer2[2][2] = {{0, 3}, {2, 1}};
} // namespace

// The lowest bits of the position choose the highest base-4 digit.
int32_t DitherMatrix(int32_t row, int32_t column) {
    int32_t value = 0;
    for (int bit = 0; bit < 4; ++bit) {
        value = 4 * value + Bayer2[(row >> bit) & 1][(column >> bit) & 1];
    }
    return value;
}

DitherTables BuildDitherTables(bool highColour) {
    DitherTables tables{};
    for (int32_t k = 0; k < 256; ++k) {
        const int32_t m = DitherMatrix(k / 16, k % 16);
        const int32_t v = highColour ? m / 32 - 4 : 42 * m / 256 - 21;
        tables.DitherBlue[k] = v;
        tables.DitherGreen[(k + 85) % 256] = v;
        tables.DitherRed[(k + 256 - 85) % 256] = v;
    }
    return tables;
}
