// Pictures turned upright by their Exif orientation; Exif blocks not to be trusted.
#include "decode/exif_orientation.h"
#include "decode/load_picture.h"
#include "picture/picture.h"

#include "tests/support/scratch_dir.h"
#include "tools/jpeg_maker.h"

#include <gtest/gtest.h>

namespace {
// Loads quarters, as stored red and green over blue and white, with the APP1
// block; returns the corners' colours from the top left as letters.
std::string LoadQuarters(Picture& picture, int width, int height, const std::vector<uint8_t>& app1,
                         int32_t maxWidth, int32_t maxHeight,
                         Picture::Sizing sizing = Picture::Sizing::Reduce) {
    JpegRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.app1 = app1;
    std::vector<uint8_t> samples;
    for (int i = 0; i < width * height; ++i) {
        const int q = 2 * (2 * (i / width) / height) + 2 * (i % width) / width;
        samples.insert(samples.end(),
                       {uint8_t(q % 3 ? 0 : 255), uint8_t(q % 2 * 255), uint8_t(q / 2 * 255)});
    }
    const ScratchDir dir;
    WriteFile(dir.File("photo.jpg"), MakeJpeg(recipe, samples));
    picture = LoadPictureFile(dir.File("photo.jpg").c_str(), maxWidth, maxHeight, sizing);
    std::string corners = picture.IsDrawable() ? "" : "failed";
    const int w = picture.Width(), h = picture.Height();
    for (const int i : {2 * w + 2, 3 * w - 3, (h - 3) * w + 2, (h - 2) * w - 3}) {
        const uint32_t p = picture.IsDrawable() ? picture.Pixels()[i] : 0;
        corners += "kBGCRMYW"[(p >> 21 & 4) | (p >> 14 & 2) | (p >> 7 & 1)];
    }
    return corners;
}

// Each value puts the stored corners where the Exif definition of its 0th row
// and 0th column says, in both byte orders; 0 and 9 are no orientation.
TEST(PictureOrientationTest, EachValueTurnsTheCornersIntoPlace) {
    const char* expected[9] = {"RGBW", "RGBW", "GRWB", "WBGR", "BWRG",
                               "RBGW", "BRWG", "WGBR", "GWRB"};
    Picture picture;
    for (const ByteOrder order : {ByteOrder::Little, ByteOrder::Big}) {
        for (int value = 0; value <= 9; ++value) {
            SCOPED_TRACE(testing::Message() << "orientation " << value);
            EXPECT_EQ(expected[value % 9],
                      LoadQuarters(picture, 48, 32, ExifBlock(value, order), 100, 100));
            EXPECT_EQ(value >= 5 && value <= 8 ? 32 : 48, picture.Width());
        }
    }
}

// A portrait photo stored landscape fills a portrait box: 900 x 600 for a
// 400 x 600 box is decoded whole (not at 1/2), reduced by two thirds and turned.
// Fitted, it is turned before it is fitted: as a 600 x 900 portrait it fills
// the 500 x 700 box's height.
TEST(PictureOrientationTest, SidewaysPictureFillsTheBoxAsPortrait) {
    Picture picture;
    EXPECT_EQ("BRWG", LoadQuarters(picture, 900, 600, ExifBlock(6), 400, 600));
    EXPECT_EQ(400, picture.Width());
    EXPECT_EQ(600, picture.Height());
    EXPECT_EQ("BRWG",
              LoadQuarters(picture, 900, 600, ExifBlock(6), 500, 700, Picture::Sizing::Fit));
    EXPECT_EQ(467, picture.Width());
    EXPECT_EQ(700, picture.Height());
}

// Blocks cut short (before the end of the directory's 40 bytes), pointing
// outside themselves or holding something else are upright, and load.
TEST(PictureOrientationTest, UntrustworthyBlocksMeanUpright) {
    const std::vector<uint8_t> good = ExifBlock(6);
    for (size_t size = 0; size <= good.size(); ++size) {
        const std::vector<uint8_t> cut(good.begin(), good.begin() + ptrdiff_t(size));
        EXPECT_EQ(size >= 40 ? Orientation::TurnClockwise : Orientation::Upright,
                  ExifOrientation(cut.data(), cut.size()))
            << size;
    }
    // Byte order, magic number, directory offset (twice), entry count, type, count.
    const std::pair<size_t, uint8_t> corruptions[] = {{6, 'M'},   {8, 43}, {10, 0xF0}, {13, 0xFF},
                                                      {14, 0x40}, {30, 4}, {32, 2}};
    Picture picture;
    for (const auto& [offset, byte] : corruptions) {
        std::vector<uint8_t> bad = good;
        bad[offset] = byte;
        EXPECT_EQ(Orientation::Upright, ExifOrientation(bad.data(), bad.size())) << offset;
        EXPECT_EQ("RGBW", LoadQuarters(picture, 48, 32, bad, 100, 100)) << offset;
    }
}
} // namespace
