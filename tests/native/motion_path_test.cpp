// The moving view's path: its zoom range, its pace at short and long stays, the
// source's edges, and steps smaller than a pixel.
#include "common/random.h"
#include "show/motion_path.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>

using namespace std::chrono_literals;

namespace {
struct Case {
    PictureSize source, frame;
};

// A photo with its full headroom, one enlarged to twice a thumbnail that
// leaves none, one whose headroom rounding bent its shape, and slivers.
const Case Cases[] = {{{2304, 1296}, {1920, 1080}},
                      {{200, 150}, {400, 300}},
                      {{1229, 1638}, {1024, 1366}},
                      {{4800, 12}, {4000, 10}},
                      {{3, 2400}, {2, 2000}}};

// Walks each case's path over many draws in `steps` steps past its end,
// checking every view against the source's edges, the zoom's range and both
// paces; the zoom seen is the whole's width (the source's, as the shapes
// nearly agree) over the view's.
void WalkPaths(std::chrono::milliseconds shown, int steps) {
    const double step = double(shown.count()) / steps; // ms
    for (const Case& c : Cases) {
        const std::string name =
            std::to_string(c.source.width) + "x" + std::to_string(c.source.height);
        const double whole = std::min(double(c.source.width),
                                      c.source.height * double(c.frame.width) / c.frame.height);
        const double wholeHeight = whole * c.frame.height / c.frame.width;
        for (uint32_t seed = 1; seed <= 12; ++seed) {
            SeedRandom(seed);
            const MotionPath path(c.source, c.frame, shown);
            ViewRect before = path.At(0ms);
            for (int i = 1; i <= steps + 2; ++i) {
                const ViewRect view = path.At(std::chrono::duration<double, std::milli>(i * step));
                ASSERT_TRUE(view.left >= 0 && view.top >= 0 &&
                            view.left + view.width <= c.source.width + 1e-9 &&
                            view.top + view.height <= c.source.height + 1e-9)
                    << name << " seed " << seed << " step " << i;
                const double zoom = whole / view.width;
                ASSERT_TRUE(zoom >= 1 - 1e-9 && zoom <= 1.2 + 1e-9) << name << " " << zoom;
                const double seconds = step / 1000;
                const double zoomRate = std::abs(zoom - whole / before.width) / seconds;
                // The centre's pace in frame widths across and heights down.
                const double across =
                    std::abs(view.left + view.width / 2 - before.left - before.width / 2) * zoom /
                    whole / seconds;
                const double down =
                    std::abs(view.top + view.height / 2 - before.top - before.height / 2) * zoom /
                    wholeHeight / seconds;
                ASSERT_LE(zoomRate, 0.0301) << name << " seed " << seed << " step " << i;
                ASSERT_LE(std::max(across, down), 0.0301) << name << " seed " << seed;
                before = view;
            }
        }
    }
}
} // namespace

TEST(MotionPathTest, ShortStaysMoveLessNeverFasterOrPastAnEdge) {
    WalkPaths(2s, 120);
    WalkPaths(60s, 3600);
    WalkPaths(1h, 3600);
}

// The zoom uses as much of its range as the pace allows, in and out.
TEST(MotionPathTest, TheZoomSpansWhatThePaceAllowsBothWays) {
    const PictureSize source{2304, 1296}, frame{1920, 1080};
    for (const auto& [shown, span] : {std::pair{2000ms, 0.04}, {60000ms, 0.2}}) {
        int zoomingIn = 0;
        for (uint32_t seed = 1; seed <= 20; ++seed) {
            SeedRandom(seed);
            const MotionPath path(source, frame, shown);
            const double start = 2304 / path.At(0ms).width, end = 2304 / path.At(shown).width;
            EXPECT_NEAR(span, std::abs(end - start), 1e-9);
            zoomingIn += end > start;
        }
        EXPECT_TRUE(zoomingIn > 0 && zoomingIn < 20);
    }
}

// Views a display refresh apart differ by fractions of a pixel, every one of
// them: nothing is rounded to whole pixels.
TEST(MotionPathTest, ViewsARefreshApartMoveByFractionsOfAPixel) {
    SeedRandom(7);
    const MotionPath path({768, 432}, {640, 360}, 10s);
    ViewRect before = path.At(1s);
    for (int frame = 61; frame < 540; ++frame) {
        const ViewRect view = path.At(std::chrono::duration<double>(frame / 60.0));
        const double moved =
            std::max({std::abs(view.left - before.left), std::abs(view.top - before.top),
                      std::abs(view.left + view.width - before.left - before.width),
                      std::abs(view.top + view.height - before.top - before.height)});
        ASSERT_GT(moved, 0) << frame;
        ASSERT_LT(moved, 0.5) << frame;
        before = view;
    }
}
