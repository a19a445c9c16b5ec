// The moving view's path: its zoom's range, its pace at short and long stays,
// the source's edges, and steps smaller than a pixel.
#include "common/random.h"
#include "show/motion_path.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace std::chrono_literals;
using Ms = std::chrono::duration<double, std::milli>;

// Photos with their full headroom and with one bent by rounding, a thumbnail
// enlarged twice that leaves none, and slivers; each walked past its end. The
// paces, a second's worth: the zoom's, and the centre's in frame widths and heights.
TEST(MotionPathTest, ShortStaysMoveLessNeverFasterOrPastAnEdge) {
    const PictureSize cases[][2] = {{{2304, 1296}, {1920, 1080}},
                                    {{1229, 1638}, {1024, 1366}},
                                    {{200, 150}, {400, 300}},
                                    {{4800, 12}, {4000, 10}},
                                    {{3, 2400}, {2, 2000}}};
    for (const auto shown : {2000ms, 60000ms, 3600000ms}) {
        const double step = shown.count() / 3600.0;
        for (const auto& [source, frame] : cases) {
            const double w = std::min(1.0 * source.width,
                                      1.0 * source.height * frame.width / frame.height),
                         h = w * frame.height / frame.width;
            for (uint32_t seed = 1; seed <= 12; ++seed) {
                SeedRandom(seed);
                const MotionPath path(source, frame, shown);
                for (int i = 0; i <= 3601; ++i) {
                    const ViewRect a = path.At(Ms(i * step)), b = path.At(Ms((i + 1) * step));
                    const double zoom = w / b.width;
                    const double pace =
                        std::max(
                            {std::abs(zoom - w / a.width),
                             std::abs(b.left + b.width / 2 - a.left - a.width / 2) * zoom / w,
                             std::abs(b.top + b.height / 2 - a.top - a.height / 2) * zoom / h}) *
                        1000 / step;
                    ASSERT_TRUE(b.left >= 0 && b.top >= 0 &&
                                b.left + b.width <= source.width + 1e-9 &&
                                b.top + b.height <= source.height + 1e-9 && zoom >= 1 - 1e-9 &&
                                zoom <= 1.2 + 1e-9 && pace <= 0.0301)
                        << source.width << " seed " << seed << " step " << i << " pace " << pace;
                }
            }
        }
    }
}

// Every view a refresh after the one before has moved, by a fraction of a
// pixel: nothing is rounded to whole pixels, nor stands still.
TEST(MotionPathTest, ViewsARefreshApartMoveByFractionsOfAPixel) {
    SeedRandom(7);
    const MotionPath path({768, 432}, {640, 360}, 10s);
    for (int frame = 60; frame < 540; ++frame) {
        const ViewRect a = path.At(Ms(frame * 1000 / 60.0)),
                       b = path.At(Ms((frame + 1) * 1000 / 60.0));
        const double moved =
            std::max(std::abs(b.top - a.top), std::abs(b.left + b.width - a.left - a.width));
        ASSERT_TRUE(moved > 0 && moved < 0.5) << frame;
    }
}
