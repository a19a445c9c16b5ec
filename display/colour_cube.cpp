#include "display/colour_cube.h"

std::array<CubeColour, CubeColours> ColourCube() {
    std::array<CubeColour, CubeColours> cube{};
    for (int b = 0; b < 6; ++b) {
        for (int g = 0; g < 6; ++g) {
            for (int r = 0; r < 6; ++r) {
                cube[r + 6 * g + 36 * b] = {static_cast<uint8_t>(51 * r),
                                            static_cast<uint8_t>(51 * g),
                                            static_cast<uint8_t>(51 * b), NoCollapse};
            }
        }
    }
    return cube;
}
