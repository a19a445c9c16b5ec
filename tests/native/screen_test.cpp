// What a stage's screen holds: a pair stands side by side or one above the
// other, a gap apart, each centred across the pair; a still picture alone is
// drawn from its own pixels.
#include "picture/pixel_buffer.h"
#include "show/screen.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
Screen::Shown Solid(int32_t width, int32_t height, uint32_t colour) {
    std::unique_ptr<uint32_t[]> pixels = AllocatePixels(width, height);
    std::fill(pixels.get(), pixels.get() + width * height, colour);
    Screen::Shown shown;
    shown.picture.Adopt(width, height, std::move(pixels));
    shown.name = "a.jpg";
    return shown;
}
} // namespace

TEST(ScreenTest, APairStandsAGapApartEachCentredAcrossIt) {
    Screen beside(Solid(300, 400, 0x00FF0000), Solid(200, 300, 0x000000FF), Pairing::SideBySide, 10,
                  {});
    ASSERT_TRUE(beside.IsDrawable());
    EXPECT_EQ(510, beside.Width());
    EXPECT_EQ(400, beside.Height());
    ASSERT_EQ(2u, beside.Parts().size());
    EXPECT_EQ(310, beside.Parts()[1].left);
    EXPECT_EQ(50, beside.Parts()[1].top);
    const uint32_t* pixels = beside.Image().Pixels();
    EXPECT_EQ(0x00FF0000u, pixels[0]);
    EXPECT_EQ(0u, pixels[305]); // the gap
    EXPECT_EQ(0u, pixels[320]); // above the shorter one
    EXPECT_EQ(0x000000FFu, pixels[60 * 510 + 320]);

    Screen above(Solid(300, 200, 1), Solid(400, 100, 2), Pairing::TopAndBottom, 8, {});
    EXPECT_EQ(400, above.Width());
    EXPECT_EQ(308, above.Height());
    EXPECT_EQ(50, above.Parts()[0].left);
    EXPECT_EQ(208, above.Parts()[1].top);
}

TEST(ScreenTest, AStillPictureAloneIsDrawnFromItsOwnPixels) {
    Screen::Shown shown = Solid(64, 48, 0x00123456);
    const uint32_t* own = shown.picture.Pixels();
    Screen alone(std::move(shown), Screen::Shown{}, Pairing::SideBySide, 4, {});
    EXPECT_EQ(own, alone.Image().Pixels());
    EXPECT_EQ(64, alone.Width());
    EXPECT_FALSE(alone.Moving());
}
