// The display classification, the dither matrix and tables, the colour cube, and
// the once-per-picture dither that drawing applies.
#include "decode/load_picture.h"
#include "display/colour_cube.h"
#include "display/display_format.h"
#include "display/dither.h"
#include "display/dither_tables.h"
#include "picture/picture.h"
#include "tests/support/picture_pixels.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

namespace {
struct Offsets {
    int32_t red, green, blue;
};

void ExpectOffsets(const DitherTables& tables, int k, const Offsets& expected) {
    const Offsets actual = {tables.DitherRed[k], tables.DitherGreen[k], tables.DitherBlue[k]};
    EXPECT_EQ(expected.red, actual.red) << "k = " << k;
    EXPECT_EQ(expected.green, actual.green) << "k = " << k;
    EXPECT_EQ(expected.blue, actual.blue) << "k = " << k;
}

std::map<int32_t, int> Counts(const std::array<int32_t, 256>& table) {
    std::map<int32_t, int> counts;
    for (int32_t v : table) {
        ++counts[v];
    }
    return counts;
}

uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
    return r << 16 | g << 8 | b;
}

class DisplayTest : public ::testing::Test {
protected:
    uint32_t Dithered(int32_t x, int32_t y, uint32_t colour) {
        Picture picture;
        Fill(picture, x + 1, y + 1, std::vector<uint32_t>(size_t(x + 1) * size_t(y + 1), colour));
        EXPECT_TRUE(PrepareDraw(picture, display));
        return picture.Pixels()[size_t(y) * size_t(x + 1) + size_t(x)];
    }

    DisplayFormat display = ClassifyDisplay(32);
};

TEST_F(DisplayTest, ClassifiesByBitsPerPixel) {
    struct Case {
        int32_t bits;
        bool palette, highColour;
    };
    for (const Case& c :
         {Case{1, false, false}, Case{4, false, false}, Case{8, true, false}, Case{15, false, true},
          Case{16, false, true}, Case{24, false, false}, Case{32, false, false}}) {
        const DisplayFormat format = ClassifyDisplay(c.bits);
        EXPECT_EQ(c.palette, format.depth == DisplayClass::PaletteDisplay) << c.bits;
        EXPECT_EQ(c.highColour, format.depth == DisplayClass::HighColorDisplay) << c.bits;
        EXPECT_EQ(c.palette, format.NeedsPalette()) << c.bits;
        EXPECT_EQ(c.palette || c.highColour, format.NeedsDither()) << c.bits;
        EXPECT_EQ(c.bits >= 24, format.trueColour) << c.bits; // where pictures may fade
    }
}

TEST_F(DisplayTest, MatrixIsTheSixteenBySixteenBayerMatrix) {
    const int32_t row0[16] = {0, 192, 48, 240, 12, 204, 60, 252, 3, 195, 51, 243, 15, 207, 63, 255};
    const int32_t row1[16] = {128, 64, 176, 112, 140, 76, 188, 124,
                              131, 67, 179, 115, 143, 79, 191, 127};
    std::set<int32_t> values;
    for (int32_t x = 0; x < 16; ++x) {
        EXPECT_EQ(row0[x], DitherMatrix(0, x));
        EXPECT_EQ(row1[x], DitherMatrix(1, x));
        for (int32_t y = 0; y < 16; ++y) {
            values.insert(DitherMatrix(y, x));
        }
    }
    EXPECT_EQ(85, DitherMatrix(15, 15));
    EXPECT_EQ(209, DitherMatrix(10, 11));
    EXPECT_EQ(256u, values.size());
    EXPECT_EQ(0, *values.begin());
    EXPECT_EQ(255, *values.rbegin());
}

TEST_F(DisplayTest, PaletteDisplayTablesSpanTheCubeStep) {
    const DitherTables tables = ClassifyDisplay(8).dither;
    ExpectOffsets(tables, 0, {-10, 13, -21});
    ExpectOffsets(tables, 1, {8, -14, 10});
    ExpectOffsets(tables, 16, {16, -8, 0});
    ExpectOffsets(tables, 255, {0, -19, -8});
    for (const auto* table : {&tables.DitherRed, &tables.DitherGreen, &tables.DitherBlue}) {
        const std::map<int32_t, int> counts = Counts(*table);
        ASSERT_EQ(42u, counts.size());
        for (int32_t v = -21; v <= 20; ++v) {
            const bool seven = v == -21 || v == -11 || v == 0 || v == 10;
            EXPECT_EQ(seven ? 7 : 6, counts.at(v)) << v;
        }
    }
}

TEST_F(DisplayTest, HighColourTablesSpanEightLevels) {
    const DitherTables tables = ClassifyDisplay(16).dither;
    ExpectOffsets(tables, 0, {-2, 2, -4});
    ExpectOffsets(tables, 1, {1, -3, 2});
    ExpectOffsets(tables, 16, {3, -2, 0});
    ExpectOffsets(tables, 255, {0, -4, -2});
    for (const auto* table : {&tables.DitherRed, &tables.DitherGreen, &tables.DitherBlue}) {
        const std::map<int32_t, int> counts = Counts(*table);
        ASSERT_EQ(8u, counts.size());
        for (int32_t v = -4; v <= 3; ++v) {
            EXPECT_EQ(32, counts.at(v)) << v;
        }
    }
}

TEST_F(DisplayTest, ColourCubeRunsRedFastestInStepsOf51) {
    const std::array<CubeColour, CubeColours> cube = ColourCube();
    const auto expect = [&](int i, int r, int g, int b) {
        EXPECT_EQ(r, cube[i].red) << i;
        EXPECT_EQ(g, cube[i].green) << i;
        EXPECT_EQ(b, cube[i].blue) << i;
    };
    expect(0, 0, 0, 0);
    expect(1, 51, 0, 0);
    expect(5, 255, 0, 0);
    expect(6, 0, 51, 0);
    expect(30, 0, 255, 0);
    expect(36, 0, 0, 51);
    expect(180, 0, 0, 255);
    expect(215, 255, 255, 255);
    std::set<uint32_t> distinct;
    for (const CubeColour& c : cube) {
        EXPECT_EQ(4, c.flags) << "PC_NOCOLLAPSE";
        distinct.insert(Rgb(c.red, c.green, c.blue));
    }
    EXPECT_EQ(216u, distinct.size());
}

TEST_F(DisplayTest, PaletteDitherAddsTheOffsetsAndClamps) {
    display = ClassifyDisplay(8);
    EXPECT_EQ(Rgb(118, 141, 107), Dithered(0, 0, Rgb(128, 128, 128)));
    EXPECT_EQ(Rgb(136, 114, 138), Dithered(1, 0, Rgb(128, 128, 128)));
    EXPECT_EQ(Rgb(136, 114, 138), Dithered(17, 16, Rgb(128, 128, 128)));
    EXPECT_EQ(Rgb(245, 255, 234), Dithered(0, 0, Rgb(255, 255, 255)));
    EXPECT_EQ(Rgb(0, 13, 0), Dithered(0, 0, Rgb(0, 0, 0)));
    EXPECT_EQ(Rgb(216, 92, 50), Dithered(0, 1, Rgb(200, 100, 50)));
}

TEST_F(DisplayTest, HighColourDitherAddsTheSmallOffsets) {
    display = ClassifyDisplay(16);
    EXPECT_EQ(Rgb(126, 130, 124), Dithered(0, 0, Rgb(128, 128, 128)));
    EXPECT_EQ(Rgb(129, 125, 130), Dithered(1, 0, Rgb(128, 128, 128)));
    EXPECT_EQ(Rgb(253, 255, 251), Dithered(0, 0, Rgb(255, 255, 255)));
}

// A width that is no multiple of 16 and pixels of every kind, fourth bytes
// included, against the per-pixel rule.
TEST_F(DisplayTest, EveryPixelGetsTheOffsetsOfItsPlaceInThePattern) {
    display = ClassifyDisplay(8);
    const DitherTables& tables = display.dither;
    std::vector<uint32_t> before(37 * 35);
    for (int i = 0; i < 37 * 35; ++i) {
        before[i] = uint32_t(i) * 2654435761u;
    }
    Picture picture;
    Fill(picture, 37, 35, before);
    ASSERT_TRUE(PrepareDraw(picture, display));
    const auto clamp = [](int32_t t) { return uint32_t(t < 0 ? 0 : t > 255 ? 255 : t); };
    for (int y = 0; y < 35; ++y) {
        for (int x = 0; x < 37; ++x) {
            const uint32_t p = before[y * 37 + x];
            const int k = (y % 16) * 16 + x % 16;
            const uint32_t expected = (p & 0xFF000000) |
                                      clamp(int32_t(p >> 16 & 0xFF) + tables.DitherRed[k]) << 16 |
                                      clamp(int32_t(p >> 8 & 0xFF) + tables.DitherGreen[k]) << 8 |
                                      clamp(int32_t(p & 0xFF) + tables.DitherBlue[k]);
            ASSERT_EQ(expected, picture.Pixels()[y * 37 + x]) << x << "," << y;
        }
    }
}

TEST_F(DisplayTest, DithersOncePerLoadedPicture) {
    display = ClassifyDisplay(16);
    const std::vector<uint32_t> grey(400, Rgb(128, 128, 128));
    Picture picture;
    Fill(picture, 20, 20, grey);
    ASSERT_TRUE(PrepareDraw(picture, display));
    EXPECT_EQ(Picture::State::Dithered, picture.GetState());
    const std::vector<uint32_t> once = Pixels(picture);
    ASSERT_TRUE(PrepareDraw(picture, display));
    EXPECT_EQ(once, Pixels(picture));

    // New pixels are not dithered yet, so they are dithered again.
    Fill(picture, 20, 20, grey);
    EXPECT_EQ(Picture::State::Ready, picture.GetState());
    ASSERT_TRUE(PrepareDraw(picture, display));
    EXPECT_EQ(once, Pixels(picture));
}

TEST_F(DisplayTest, TrueColourDisplaysDrawPixelsUnchanged) {
    for (int32_t bits : {24, 32, 4}) {
        display = ClassifyDisplay(bits);
        Picture picture;
        Fill(picture, 3, 3, std::vector<uint32_t>(9, Rgb(128, 128, 128)));
        ASSERT_TRUE(PrepareDraw(picture, display));
        EXPECT_EQ(Picture::State::Ready, picture.GetState());
        EXPECT_EQ(Rgb(128, 128, 128), picture.Pixels()[4]);
    }
}

TEST_F(DisplayTest, NothingToDrawForEmptyOrFailedPictures) {
    display = ClassifyDisplay(8);
    Picture empty;
    EXPECT_FALSE(PrepareDraw(empty, display));
    Picture failed;
    failed = LoadPictureFile("missing.jpg", 100, 100);
    EXPECT_FALSE(PrepareDraw(failed, display));
    EXPECT_EQ(Picture::State::Failed, failed.GetState());

    Picture thin; // a picture reduced to no columns is drawn (as nothing), unharmed
    Fill(thin, 0, 78, {});
    EXPECT_TRUE(PrepareDraw(thin, display));
    EXPECT_EQ(Picture::State::Dithered, thin.GetState());
}
} // namespace
