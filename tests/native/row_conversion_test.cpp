// The row conversions with exact values: JPEG round trips in the load tests
// allow a few levels of error and mostly take the processor's fast path.
#include "decode/row_conversion.h"

#include <gtest/gtest.h>

#include <vector>

// Widths 1 to 9: rows too short for the byte shuffle are converted one pixel at
// a time, longer ones take it for their leading pixels and finish one at a time.
TEST(RowConversionTest, ConvertsRgbAndCmykSamplesExactly) {
    for (int32_t width = 1; width <= 9; ++width) {
        std::vector<uint8_t> samples;
        std::vector<uint32_t> expected;
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t red = uint8_t(200 + x), green = uint8_t(100 + x), blue = uint8_t(x);
            samples.insert(samples.end(), {red, green, blue});
            expected.push_back(uint32_t{red} << 16 | uint32_t{green} << 8 | blue);
        }
        std::vector<uint32_t> pixels(size_t(width), 0xDEADBEEF);
        ConvertRgbRow(samples.data(), pixels.data(), width);
        EXPECT_EQ(expected, pixels) << "width " << width;
    }

    // Inverted inks times black over 255, truncated: 200 x 200 / 255 = 156.9.
    const std::vector<uint8_t> cmyk = {255, 255, 255, 255, 255, 255, 255, 128,
                                       255, 0,   51,  255, 200, 200, 200, 200};
    std::vector<uint32_t> pixels(4);
    ConvertCmykRow(cmyk.data(), pixels.data(), 4);
    EXPECT_EQ((std::vector<uint32_t>{0xFFFFFF, 0x808080, 0xFF0033, 0x9C9C9C}), pixels);
}
