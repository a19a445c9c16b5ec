// The frames of a moving view: every path's bits the plain path's, the plain
// path within a level of exact bilinear interpolation, sub-pixel moves that
// move the frame smoothly, and views at the edges read nothing past them.
#include "picture/view_render.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {
struct Source {
    int32_t width, height;
    std::vector<uint32_t> pixels; // exactly width x height, so that the sanitizer sees any overread
};

// A photograph's kind of pixels: each channel a random walk along the rows
// and down the columns, with a steep step now and then.
Source Photo(int32_t width, int32_t height, uint32_t seed) {
    std::mt19937 random(seed);
    Source source{width, height, std::vector<uint32_t>(std::size_t(width) * std::size_t(height))};
    for (std::size_t i = 0; i < source.pixels.size(); ++i) {
        uint32_t pixel = random() & 0xFF000000; // a fourth byte that must not come through
        for (int shift = 0; shift < 24; shift += 8) {
            const int32_t left =
                i % std::size_t(width) == 0 ? 128 : int32_t(source.pixels[i - 1] >> shift & 0xFF);
            const int32_t above =
                i < std::size_t(width)
                    ? left
                    : int32_t(source.pixels[i - std::size_t(width)] >> shift & 0xFF);
            const int32_t step =
                random() % 16 == 0 ? int32_t(random() % 255) - 127 : int32_t(random() % 9) - 4;
            pixel |= uint32_t(std::clamp((left + above) / 2 + step, 0, 255)) << shift;
        }
        source.pixels[i] = pixel;
    }
    return source;
}

// Exact bilinear interpolation at output pixel (i, j), channel `shift`.
double Exact(const Source& source, ViewRect view, int32_t outWidth, int32_t outHeight, int32_t i,
             int32_t j, int shift) {
    const auto place = [](double start, double length, int32_t k, int32_t count, int32_t side) {
        return std::clamp(start + (k + 0.5) * length / count - 0.5, 0.0, double(side - 1));
    };
    const double x = place(view.left, view.width, i, outWidth, source.width);
    const double y = place(view.top, view.height, j, outHeight, source.height);
    const int32_t x0 = int32_t(x), y0 = int32_t(y);
    const int32_t x1 = std::min(x0 + 1, source.width - 1), y1 = std::min(y0 + 1, source.height - 1);
    const auto at = [&](int32_t px, int32_t py) {
        return double(
            source.pixels[std::size_t(py) * std::size_t(source.width) + std::size_t(px)] >> shift &
            0xFF);
    };
    const double fx = x - x0, fy = y - y0;
    return (at(x0, y0) * (1 - fx) + at(x1, y0) * fx) * (1 - fy) +
           (at(x0, y1) * (1 - fx) + at(x1, y1) * fx) * fy;
}

std::vector<uint32_t> Render(SimdPath path, const Source& source, ViewRect view, int32_t width,
                             int32_t height, std::size_t stride) {
    std::vector<uint32_t> out(stride * std::size_t(height - 1) + std::size_t(width), 0xDEADBEEF);
    EXPECT_TRUE(RenderView(path, source.pixels.data(), source.width, source.height, view,
                           out.data(), width, height, stride));
    return out;
}

struct Case {
    int32_t sourceWidth, sourceHeight;
    ViewRect view;
    int32_t width, height;
};

// Odd sizes, fractional views, zooms in and out (to a third, where neighbouring
// columns' pixels lie further apart than the fast paths read), whole sources
// and views at each edge and corner, one-pixel sources, and views a little
// past the edges (which the renderer clamps).
const Case Cases[] = {
    {101, 67, {3.3, 2.7, 88.1, 57.9}, 83, 51},
    {101, 67, {0, 0, 101, 67}, 101, 67},
    {101, 67, {12.25, 9.6, 40.3, 27.1}, 97, 65},
    {64, 48, {0, 0, 53.3, 40}, 77, 43},
    {101, 67, {2.5, 1.5, 96, 63}, 31, 22},
    {64, 48, {10.7, 8, 53.3, 40}, 61, 47},
    {37, 29, {0.01, 0.02, 36.98, 28.97}, 89, 70},
    {1, 1, {0, 0, 1, 1}, 5, 3},
    {1, 9, {0, 0.5, 1, 7.5}, 3, 17},
    {9, 2, {0.4, 0, 8.6, 2}, 21, 5},
    {50, 40, {-0.7, -1.2, 51.5, 42}, 45, 37},
    {50, 40, {40.1, 30.2, 9.9, 9.8}, 23, 19},
};
} // namespace

// Every path the processor runs gives the plain path's bits, writes only its
// rows' pixels (the gaps between rows keep their old value) and no fourth
// byte; and the plain path is within a level of the exact interpolation.
TEST(ViewRenderTest, EveryPathGivesThePlainBitsWithinALevelOfTheExactInterpolation) {
    uint32_t seed = 1;
    for (const Case& c : Cases) {
        const Source source = Photo(c.sourceWidth, c.sourceHeight, seed++);
        const std::size_t stride = std::size_t(c.width) + 3;
        const std::vector<uint32_t> plain =
            Render(SimdPath::Plain, source, c.view, c.width, c.height, stride);
        for (int32_t j = 0; j < c.height; ++j) {
            const int32_t written = j + 1 < c.height ? c.width + 3 : c.width;
            for (int32_t i = 0; i < written; ++i) {
                const uint32_t pixel = plain[std::size_t(j) * stride + std::size_t(i)];
                if (i >= c.width) {
                    ASSERT_EQ(0xDEADBEEFu, pixel);
                    continue;
                }
                ASSERT_EQ(0u, pixel >> 24);
                for (int shift = 0; shift < 24; shift += 8) {
                    const double exact = Exact(source, c.view, c.width, c.height, i, j, shift);
                    ASSERT_LE(std::abs(double(pixel >> shift & 0xFF) - exact), 1.0)
                        << c.sourceWidth << " x " << c.sourceHeight << " at " << i << ", " << j;
                }
            }
        }
        for (const SimdPath path : SimdPaths) {
            if (ProcessorRuns(path)) {
                EXPECT_EQ(plain, Render(path, source, c.view, c.width, c.height, stride))
                    << SimdPathName(path) << ", " << c.sourceWidth << " x " << c.sourceHeight;
            }
        }
    }
}

// A sharp edge, across and then down, seen through a view moved in steps of a
// tenth of a pixel: no pixel goes back on the way, and each step moves the
// edge (its light grows by the columns it moves): by a tenth of a pixel at
// the same scale; zoomed, by a tenth of a pixel on the way, each step by
// whether one or two pixels' samples fall on the edge's slope.
TEST(ViewRenderTest, ATenthOfAPixelMovesAnEdgeATenthOfAPixelWithNoStepBack) {
    for (const bool across : {true, false}) {
        for (const double zoom : {1.0, 1.1}) {
            const int32_t side = 40, length = 8;
            Source edge{across ? side : length, across ? length : side, {}};
            for (int32_t y = 0; y < edge.height; ++y) {
                for (int32_t x = 0; x < edge.width; ++x) {
                    edge.pixels.push_back((across ? x : y) >= side / 2 ? 0x00FFFFFF : 0);
                }
            }
            const double shown = 30 / zoom;
            std::vector<uint32_t> before;
            double moves = 0;
            for (int32_t step = 0; step <= 30; ++step) {
                const double moved = 2 + 0.1 * step;
                const ViewRect view = across ? ViewRect{moved, 0, shown, double(length)}
                                             : ViewRect{0, moved, double(length), shown};
                const int32_t width = across ? 30 : length, height = across ? length : 30;
                std::vector<uint32_t> frame =
                    Render(WidestSimdPath(), edge, view, width, height, std::size_t(width));
                if (!before.empty()) {
                    double light = 0;
                    for (std::size_t k = 0; k < frame.size(); ++k) {
                        ASSERT_GE(frame[k] & 0xFF, before[k] & 0xFF) << "pixel " << k;
                        light += double(frame[k] & 0xFF) - double(before[k] & 0xFF);
                    }
                    const double move = light / (255.0 * length);
                    moves += move;
                    if (zoom == 1.0) {
                        EXPECT_NEAR(0.1, move, 0.01) << "step " << step;
                    } else {
                        EXPECT_GT(move, 0.05) << "step " << step;
                        EXPECT_LT(move, 0.25) << "step " << step;
                    }
                }
                before = std::move(frame);
            }
            EXPECT_NEAR(3 * zoom, moves, 0.1);
        }
    }
}
