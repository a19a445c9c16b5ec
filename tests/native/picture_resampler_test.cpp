// The resampler on every path this processor runs: exact on flat pictures at
// any size and reduction, the same bits on every path, mirror-symmetric, and
// rounding half up.
#include "picture/fit_size.h"
#include "picture/jpeg_scale.h"
#include "picture/resampler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

namespace {
std::vector<SimdPath> Paths() {
    std::vector<SimdPath> paths;
    for (const SimdPath path : SimdPaths) {
        if (ProcessorRuns(path)) {
            paths.push_back(path);
        }
    }
    return paths;
}

// A picture resampled on `path`, its rows handed over one by one as a decoder
// hands them.
std::vector<uint32_t> Resampled(SimdPath path, const std::vector<uint32_t>& pixels, int32_t width,
                                int32_t height, int32_t newWidth, int32_t newHeight) {
    Resampler filter(path);
    EXPECT_TRUE(filter.Start(width, height, newWidth, newHeight));
    for (int32_t y = 0; y < height; ++y) {
        std::copy_n(pixels.begin() + y * width, width, filter.SourceRow());
        filter.AddRow();
    }
    EXPECT_EQ(newHeight, filter.RowsDone());
    const std::unique_ptr<uint32_t[]> out = filter.TakePixels();
    return {out.get(), out.get() + newWidth * newHeight};
}

std::vector<uint32_t> RandomPixels(int32_t width, int32_t height, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    for (uint32_t& p : pixels) {
        p = random(); // the fourth bytes too: they are left out
    }
    return pixels;
}

// The weights sum to exactly one and the products are summed exactly, so a
// flat picture comes out exactly flat: at odd sizes, enlarged and reduced,
// either way, with its fourth bytes left out; and reduced 2 to 1000 times,
// each level a column of its own (across, a flat row keeps its level).
TEST(ResamplerTest, FlatPicturesComeOutExactlyFlat) {
    const int32_t sizes[][4] = {{7, 5, 3, 2}, {5, 7, 13, 3},     {101, 37, 23, 59}, {3, 1, 1, 9},
                                {1, 1, 5, 3}, {640, 11, 9, 480}, {999, 3, 2, 1}};
    for (const SimdPath path : Paths()) {
        SCOPED_TRACE(SimdPathName(path));
        for (const auto& s : sizes) {
            for (const uint32_t colour : {0x00FFFFFFu, 0x00000000u, 0x00FF8001u, 0x00FEFDFCu}) {
                SCOPED_TRACE(testing::Message() << s[0] << " x " << s[1] << " to " << s[2] << " x "
                                                << s[3] << ", " << std::hex << colour);
                const std::vector<uint32_t> flat(size_t(s[0] * s[1]), colour | 0xA5000000u);
                EXPECT_EQ(std::vector<uint32_t>(size_t(s[2] * s[3]), colour),
                          Resampled(path, flat, s[0], s[1], s[2], s[3]));
            }
        }
        std::vector<uint32_t> levels(256);
        for (uint32_t level = 0; level < 256; ++level) {
            levels[level] = level * 0x010101u;
        }
        for (const int32_t reduction : {2, 53, 200, 1000}) {
            SCOPED_TRACE(testing::Message() << "reduced " << reduction << " times");
            std::vector<uint32_t> columns, reduced;
            for (int32_t y = 0; y < 3 * reduction; ++y) {
                columns.insert(columns.end(), levels.begin(), levels.end());
            }
            for (int32_t y = 0; y < 3; ++y) {
                reduced.insert(reduced.end(), levels.begin(), levels.end());
            }
            EXPECT_EQ(reduced, Resampled(path, columns, 256, 3 * reduction, 256, 3));
        }
    }
}

// Every path gives the plain path's bits, over the sizes of the fits the
// tests load (decoded at M/8, then fitted) and sizes that take 5 to 15 taps
// and leave every tail of the wider steps, on pixels that reach the filter's
// overshoot either way.
TEST(ResamplerTest, EveryPathGivesThePlainPathsBits) {
    std::vector<std::vector<int32_t>> sizes = {{37, 29, 13, 11}, {11, 7, 29, 31}, {9, 1, 15, 2},
                                               {23, 5, 16, 3},   {40, 9, 21, 4},  {64, 3, 19, 2},
                                               {27, 6, 10, 5}};
    const int32_t fits[][4] = {
        {1200, 900, 1000, 500}, {1000, 300, 640, 480}, {1600, 1200, 800, 600},
        {500, 400, 640, 480},   {300, 200, 1024, 768}, {1, 500, 100, 100},
        {5000, 40, 1000, 1000}, {960, 720, 500, 500},  {400, 300, 200, 200}};
    for (const auto& f : fits) {
        const PictureSize fitted = FitSize(f[0], f[1], f[2], f[3]);
        const int m = FitScaleEighths(f[0], f[1], fitted.width, fitted.height);
        sizes.push_back({int32_t(JpegScaledSide(f[0], m, 8)), int32_t(JpegScaledSide(f[1], m, 8)),
                         fitted.width, fitted.height});
    }
    for (const auto& s : sizes) {
        SCOPED_TRACE(testing::Message()
                     << s[0] << " x " << s[1] << " to " << s[2] << " x " << s[3]);
        const std::vector<uint32_t> source = RandomPixels(s[0], s[1], uint32_t(s[0] + s[2]));
        const std::vector<uint32_t> plain =
            Resampled(SimdPath::Plain, source, s[0], s[1], s[2], s[3]);
        EXPECT_TRUE(std::all_of(plain.begin(), plain.end(), [](uint32_t p) {
            return p >> 24 == 0;
        })) << "the fourth byte is 0";
        for (const SimdPath path : Paths()) {
            EXPECT_EQ(plain, Resampled(path, source, s[0], s[1], s[2], s[3])) << SimdPathName(path);
        }
    }
}

std::vector<uint32_t> Mirrored(const std::vector<uint32_t>& pixels, int32_t width, int32_t height) {
    std::vector<uint32_t> mirrored(pixels.size());
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            mirrored[size_t(y * width + x)] =
                pixels[size_t((height - 1 - y) * width + width - 1 - x)];
        }
    }
    return mirrored;
}

// The samples' centres line up with the picture's edges, so a picture turned
// half round comes out turned half round: within a level (the weights are
// rounded), where centres half a pixel off shift sharp detail by many.
TEST(ResamplerTest, APictureTurnedHalfRoundComesOutTurnedHalfRound) {
    const int32_t sizes[][4] = {
        {37, 23, 17, 41}, {64, 48, 30, 22}, {10, 10, 25, 25}, {333, 7, 100, 3}};
    for (const auto& s : sizes) {
        SCOPED_TRACE(testing::Message()
                     << s[0] << " x " << s[1] << " to " << s[2] << " x " << s[3]);
        const std::vector<uint32_t> source = RandomPixels(s[0], s[1], 7);
        const std::vector<uint32_t> once =
            Mirrored(Resampled(WidestSimdPath(), source, s[0], s[1], s[2], s[3]), s[2], s[3]);
        const std::vector<uint32_t> turned =
            Resampled(WidestSimdPath(), Mirrored(source, s[0], s[1]), s[0], s[1], s[2], s[3]);
        for (size_t i = 0; i < once.size(); ++i) {
            for (int shift = 0; shift < 24; shift += 8) {
                ASSERT_LE(std::abs(int(once[i] >> shift & 0xFF) - int(turned[i] >> shift & 0xFF)),
                          1)
                    << "pixel " << i;
            }
        }
    }
}

// Two rows become one: per channel their mean, rounded half up, at any width
// (in the wider paths' steps and in the pixels after them alike).
TEST(ResamplerTest, TwoRowsBecomeTheirMeanRoundedHalfUp) {
    const uint32_t above = 0x00000A01, below = 0x00FF0D02, mean = 0x00800C02;
    const std::vector<uint32_t> rows = [&] {
        std::vector<uint32_t> pixels(20, above);
        pixels.resize(40, below);
        return pixels;
    }();
    for (const SimdPath path : Paths()) {
        for (int32_t width = 1; width <= 37; ++width) {
            EXPECT_EQ(std::vector<uint32_t>(size_t(width), mean),
                      Resampled(path, rows, 20, 2, width, 1))
                << SimdPathName(path) << ", " << width << " wide";
        }
    }
}
} // namespace
