// A crossfade's frame: each pixel mixed from whatever of the two placed
// pictures lies there, black for the rest, on every path alike.
#include "picture/pixel_mix.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

// Rectangles offset, overlapping, apart, clipped on every side, wholly
// outside, and without pixels, against each pixel's own mix.
TEST(CrossMixTest, EachPixelMixesWhatLiesThereAndBlackForTheRest) {
    std::mt19937 random(5);
    std::vector<uint32_t> older(23 * 17), newer(31 * 13);
    for (uint32_t& pixel : older) {
        pixel = random() & 0x00FFFFFF;
    }
    for (uint32_t& pixel : newer) {
        pixel = random() & 0x00FFFFFF;
    }
    const int32_t width = 29, height = 19;
    const int32_t places[][4] = {{0, 0, 0, 0},    {3, 2, 5, 4},    {-7, -5, 10, 9},
                                 {20, 12, -9, 8}, {-30, 0, 40, 1}, {0, -20, 0, 30}};
    for (const auto& place : places) {
        for (const bool bothThere : {true, false}) {
            const PlacedPixels from{older.data(), place[0], place[1], 23, 17};
            const PlacedPixels to{bothThere ? newer.data() : nullptr, place[2], place[3], 31, 13};
            for (const int level : {0, 7, FadeLevels}) {
                std::vector<uint32_t> expected(std::size_t(width * height));
                for (int32_t y = 0; y < height; ++y) {
                    for (int32_t x = 0; x < width; ++x) {
                        const auto at = [&](const PlacedPixels& p) -> const uint32_t* {
                            const bool inside = p.pixels != nullptr && x >= p.x &&
                                                x < p.x + p.width && y >= p.y && y < p.y + p.height;
                            return inside ? p.pixels + (y - p.y) * p.width + (x - p.x) : nullptr;
                        };
                        MixPixels(SimdPath::Plain, at(from), at(to), &expected[y * width + x], 1,
                                  level);
                    }
                }
                for (const SimdPath path : SimdPaths) {
                    std::vector<uint32_t> out(expected.size(), 0xDEADBEEF);
                    if (ProcessorRuns(path)) {
                        CrossMix(path, from, to, out.data(), width, height, level);
                        EXPECT_EQ(expected, out) << SimdPathName(path) << ", level " << level
                                                 << ", at " << place[0] << ", " << place[2];
                    }
                }
            }
        }
    }
}
