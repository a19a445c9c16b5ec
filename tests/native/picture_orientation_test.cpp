// Pictures turned upright by their Exif orientation, and Exif blocks that
// cannot be trusted.
#include "picture/picture.h"

#include "tools/jpeg_maker.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <string>

namespace {
// Stored 48 x 32: red, green over blue, white quarters (whole 8 x 8 blocks).
std::vector<uint8_t> Quarters(JpegRecipe& recipe) {
    recipe.width = 48;
    recipe.height = 32;
    const uint8_t colours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    std::vector<uint8_t> samples;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 48; ++x) {
            const uint8_t* c = colours[(y / 16) * 2 + x / 24];
            samples.insert(samples.end(), c, c + 3);
        }
    }
    return samples;
}

// The corners of a loaded picture as letters: top left, top right, bottom left,
// bottom right.
std::string Corners(const Picture& picture) {
    std::string corners;
    const int w = picture.Width(), h = picture.Height();
    for (const int i : {2 * w + 2, 3 * w - 3, (h - 3) * w + 2, (h - 2) * w - 3}) {
        const uint32_t p = picture.Pixels()[i];
        corners += "kBGCRMYW"[(p >> 23 & 1) << 2 | (p >> 15 & 1) << 1 | (p >> 7 & 1)];
    }
    return corners;
}

class PictureOrientationTest : public ::testing::Test {
protected:
    void Load(const JpegRecipe& recipe, const std::vector<uint8_t>& samples, int32_t maxWidth,
              int32_t maxHeight) {
        WriteFile(path, MakeJpeg(recipe, samples));
        picture.Load(path.c_str(), maxWidth, maxHeight);
        ASSERT_EQ(Picture::State::Ready, picture.GetState());
    }

    ScratchDir dir;
    const std::string path = dir.File("photo.jpg");
    Picture picture;
};

// Each value puts the stored corners where the Exif definition of its 0th row
// and 0th column says, in both byte orders.
TEST_F(PictureOrientationTest, EachValueTurnsTheCornersIntoPlace) {
    const char* expected[9] = {"RGBW", "RGBW", "GRWB", "WBGR", "BWRG",
                               "RBGW", "BRWG", "WGBR", "GWRB"};
    for (const ByteOrder order : {ByteOrder::Little, ByteOrder::Big}) {
        for (int value = 0; value <= 9; ++value) {
            SCOPED_TRACE(testing::Message() << "orientation " << value);
            JpegRecipe recipe;
            const std::vector<uint8_t> samples = Quarters(recipe);
            recipe.app1 = ExifBlock(value, order);
            Load(recipe, samples, 100, 100);
            const bool sideways = value >= 5 && value <= 8;
            EXPECT_EQ(sideways ? 32 : 48, picture.Width());
            EXPECT_EQ(sideways ? 48 : 32, picture.Height());
            EXPECT_EQ(expected[value % 9], Corners(picture)); // 0 and 9 count as 1
        }
    }
}

// A portrait photo stored landscape is scaled and reduced to fill a portrait
// box: 900 x 600 for a 400 x 600 box is decoded whole (not at 1/2), reduced by
// two thirds to 600 x 400 and turned.
TEST_F(PictureOrientationTest, SidewaysPictureFillsTheBoxAsPortrait) {
    JpegRecipe recipe;
    recipe.width = 900;
    recipe.height = 600;
    const std::vector<uint8_t> samples = Uniform(recipe, {40, 80, 120});
    for (const int value : {6, 8}) {
        recipe.app1 = ExifBlock(value);
        Load(recipe, samples, 400, 600);
        EXPECT_EQ(400, picture.Width());
        EXPECT_EQ(600, picture.Height());
    }
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
        JpegRecipe recipe;
        const std::vector<uint8_t> samples = Quarters(recipe);
        recipe.app1 = bad;
        Load(recipe, samples, 100, 100);
        EXPECT_EQ("RGBW", Corners(picture));
    }
}
} // namespace
