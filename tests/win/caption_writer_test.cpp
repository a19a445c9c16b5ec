// The caption written into a picture's pixels: white over a dark outline in the
// rows at its lower left, the rows above untouched and every fourth byte clear;
// a picture too small for the line keeps its pixels.
#include "picture/picture.h"
#include "picture/pixel_buffer.h"
#include "show/caption_writer.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
constexpr uint32_t Grey = 0x00808080;

Picture GreyPicture(int32_t width, int32_t height) {
    std::unique_ptr<uint32_t[]> pixels = AllocatePixels(width, height);
    std::fill_n(pixels.get(), size_t(width) * size_t(height), Grey);
    Picture picture;
    picture.Adopt(width, height, std::move(pixels));
    return picture;
}

TEST(CaptionWriterTest, TheLineIsWhiteOverDarkInTheLowerLeftRowsOnly) {
    const CaptionWriter writer(96);
    Picture picture = GreyPicture(800, 600);
    writer.Write(picture, "2023\\Holiday\\lake.jpg", 0);
    const uint32_t* pixels = picture.Pixels();
    size_t white = 0, dark = 0, changedAbove = 0, fourthBytes = 0;
    for (int32_t y = 0; y < 600; ++y) {
        for (int32_t x = 0; x < 800; ++x) {
            const uint32_t pixel = pixels[size_t(y) * 800 + size_t(x)];
            fourthBytes += (pixel >> 24) != 0;
            changedAbove += y < 500 && pixel != Grey;
            white += x < 400 && pixel == 0x00FFFFFF;
            dark += x < 400 && (pixel & 0xFF) < 0x30;
        }
    }
    EXPECT_GT(white, 50u);
    EXPECT_GT(dark, 50u);
    EXPECT_EQ(0u, changedAbove);
    EXPECT_EQ(0u, fourthBytes);

    Picture small = GreyPicture(60, 30);
    writer.Write(small, "a.jpg", 0);
    EXPECT_TRUE(std::all_of(small.Pixels(), small.Pixels() + 60 * 30,
                            [](uint32_t pixel) { return pixel == Grey; }));
}
} // namespace
