// Pictures turned upright by their Exif orientation; Exif blocks not to be trusted.
#include "picture/picture.h"

#include "tools/jpeg_maker.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

namespace {
class PictureOrientationTest : public ::testing::Test {
protected:
    // Loads a picture of quarters, as stored red and green over blue and white,
    // and returns its corners' colours (top left, top right, bottom left,
    // bottom right) as letters.
    std::string Load(int width, int height, const std::vector<uint8_t>& app1, int32_t maxWidth,
                     int32_t maxHeight) {
        JpegRecipe recipe;
        recipe.width = width;
        recipe.height = height;
        recipe.app1 = app1;
        std::vector<uint8_t> samples;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const int q = 2 * (2 * y / height) + 2 * x / width;
                samples.insert(samples.end(),
                               {uint8_t(q % 3 == 0 ? 255 : 0), uint8_t(q % 2 == 1 ? 255 : 0),
                                uint8_t(q / 2 * 255)});
            }
        }
        WriteFile(path, MakeJpeg(recipe, samples));
        picture.Load(path.c_str(), maxWidth, maxHeight);
        EXPECT_EQ(Picture::State::Ready, picture.GetState());
        std::string corners;
        const int w = picture.Width(), h = picture.Height();
        for (const int i : {2 * w + 2, 3 * w - 3, (h - 3) * w + 2, (h - 2) * w - 3}) {
            const uint32_t p = picture.Pixels()[i];
            corners += "kBGCRMYW"[(p >> 23 & 1) << 2 | (p >> 15 & 1) << 1 | (p >> 7 & 1)];
        }
        return corners;
    }

    ScratchDir dir;
    const std::string path = dir.File("photo.jpg");
    Picture picture;
};

// Each value puts the stored corners where the Exif definition of its 0th row
// and 0th column says, in both byte orders; 0 and 9 are no orientation.
TEST_F(PictureOrientationTest, EachValueTurnsTheCornersIntoPlace) {
    const char* expected[9] = {"RGBW", "RGBW", "GRWB", "WBGR", "BWRG",
                               "RBGW", "BRWG", "WGBR", "GWRB"};
    for (const ByteOrder order : {ByteOrder::Little, ByteOrder::Big}) {
        for (int value = 0; value <= 9; ++value) {
            SCOPED_TRACE(testing::Message() << "orientation " << value);
            EXPECT_EQ(expected[value % 9], Load(48, 32, ExifBlock(value, order), 100, 100));
            const bool sideways = value >= 5 && value <= 8;
            EXPECT_EQ(sideways ? 32 : 48, picture.Width());
            EXPECT_EQ(sideways ? 48 : 32, picture.Height());
        }
    }
}

// A portrait photo stored landscape fills a portrait box: 900 x 600 for a
// 400 x 600 box is decoded whole (not at 1/2), reduced by two thirds and turned.
TEST_F(PictureOrientationTest, SidewaysPictureFillsTheBoxAsPortrait) {
    Load(900, 600, ExifBlock(6), 400, 600);
    EXPECT_EQ(400, picture.Width());
    EXPECT_EQ(600, picture.Height());
}

// Blocks that are cut short, point outside themselves or hold something else
// are read as upright, and the picture loads.
TEST_F(PictureOrientationTest, UntrustworthyBlocksMeanUpright) {
    const std::vector<uint8_t> good = ExifBlock(6);
    const size_t entriesEnd = 6 + 8 + 2 + 2 * 12; // "Exif", header, count, entries
    for (size_t size = 0; size <= good.size(); ++size) {
        const std::vector<uint8_t> cut(good.begin(), good.begin() + ptrdiff_t(size));
        EXPECT_EQ(size >= entriesEnd ? Orientation::TurnClockwise : Orientation::Upright,
                  ExifOrientation(cut.data(), cut.size()))
            << size << " bytes";
    }
    // Byte order, magic number, directory offset (twice), entry count, type, count.
    const std::pair<size_t, uint8_t> corruptions[] = {{6, 'M'},   {8, 43}, {10, 0xF0}, {13, 0xFF},
                                                      {14, 0x40}, {30, 4}, {32, 2}};
    for (const auto& [offset, byte] : corruptions) {
        std::vector<uint8_t> bad = good;
        bad[offset] = byte;
        EXPECT_EQ(Orientation::Upright, ExifOrientation(bad.data(), bad.size())) << offset;
        EXPECT_EQ("RGBW", Load(48, 32, bad, 100, 100)) << offset;
    }
}
} // namespace
