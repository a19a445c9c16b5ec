#include "show/full_screen_geometry.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string Text(const Extent& extent) {
    return std::to_string(extent.left) + "," + std::to_string(extent.top) + " to " +
           std::to_string(extent.right) + "," + std::to_string(extent.bottom);
}

// The window in screen coordinates, then the stage in the window's.
std::string Place(const ScreenLayout& layout) {
    const FullScreenGeometry geometry = PlaceFullScreen(layout);
    return Text(geometry.window) + " / " + Text(geometry.stage);
}
} // namespace

// The layouts: the virtual screen's corner and size, then the primary's size.
TEST(FullScreenGeometryTest, TheWindowCoversEveryMonitorAndTheStageIsThePrimary) {
    EXPECT_EQ("0,0 to 1024,768 / 0,0 to 1024,768", Place({0, 0, 1024, 768, 1024, 768}));
    // A taller monitor to the right of the primary.
    EXPECT_EQ("0,0 to 3200,1200 / 0,0 to 1920,1080", Place({0, 0, 3200, 1200, 1920, 1080}));
    // One to the left, 300 pixels higher.
    EXPECT_EQ("-1280,-300 to 1920,1080 / 1280,300 to 3200,1380",
              Place({-1280, -300, 3200, 1380, 1920, 1080}));
    // A wider one above, reaching 200 pixels further left.
    EXPECT_EQ("-200,-1440 to 2360,1080 / 200,1440 to 2120,2520",
              Place({-200, -1440, 2560, 2520, 1920, 1080}));
    // A system that knows no virtual screen reports an empty one.
    EXPECT_EQ("0,0 to 1024,768 / 0,0 to 1024,768", Place({0, 0, 0, 0, 1024, 768}));
}
