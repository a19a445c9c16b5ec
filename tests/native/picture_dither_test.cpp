// The display classification, the dither matrix and tables, the colour cube, and
// the once-per-picture dither that drawing applies.
#include "picture/colour_cube.h"
#include "picture/display.h"
#include "picture/display_class.h"
#include "picture/dither_tables.h"
#include "picture/picture.h"
#include "picture/pixel_buffer.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

namespace {
struct Offsets {
    int32_t red, green, blue;
};

Offsets At(int k) {
    return {DitherRed[k], DitherGreen[k], DitherBlue[k]};
}

void ExpectOffsets(int k, const Offsets& expected) {
    const Offsets actual = At(k);
    EXPECT_EQ(expected.red, actual.red) << "k = " << k;
    EXPECT_EQ(expected.green, actual.green) << "k = " << k;
    EXPECT_EQ(expected.blue, actual.blue) << "k = " << k;
}

std::map<int32_t, int> Counts(const int32_t (&table)[256]) {
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
    void TearDown() override { ClassifyDisplay(32); }

    // A drawable picture of one colour.
    void Fill(Picture& picture, int32_t width, int32_t height, uint32_t colour) {
        picture.loaded = 1;
        picture.width = width;
        picture.height = height;
        picture.pixels = AllocatePixels(width, height);
        std::fill(picture.pixels.get(), picture.pixels.get() + width * height, colour);
    }
    uint32_t Dithered(int32_t x, int32_t y, uint32_t colour) {
        Picture picture;
        Fill(picture, x + 1, y + 1, colour);
        EXPECT_TRUE(picture.PrepareDraw());
        return picture.pixels[size_t(y) * size_t(x + 1) + size_t(x)];
    }
};

TEST_F(DisplayTest, ClassifiesByBitsPerPixel) {
    struct Case {
        int32_t bits;
        bool palette, highColour;
    };
    for (const Case& c :
         {Case{1, false, false}, Case{4, false, false}, Case{8, true, false}, Case{15, false, true},
          Case{16, false, true}, Case{24, false, false}, Case{32, false, false}}) {
        ClassifyDisplay(c.bits);
        EXPECT_EQ(c.palette, PaletteDisplay) << c.bits;
        EXPECT_EQ(c.highColour, HighColorDisplay) << c.bits;
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
    ClassifyDisplay(8);
    ExpectOffsets(0, {-10, 13, -21});
    ExpectOffsets(1, {8, -14, 10});
    ExpectOffsets(16, {16, -8, 0});
    ExpectOffsets(255, {0, -19, -8});
    for (const auto* table : {&DitherRed, &DitherGreen, &DitherBlue}) {
        const std::map<int32_t, int> counts = Counts(*table);
        ASSERT_EQ(42u, counts.size());
        for (int32_t v = -21; v <= 20; ++v) {
            const bool seven = v == -21 || v == -11 || v == 0 || v == 10;
            EXPECT_EQ(seven ? 7 : 6, counts.at(v)) << v;
        }
    }
}

TEST_F(DisplayTest, HighColourTablesSpanEightLevels) {
    ClassifyDisplay(16);
    ExpectOffsets(0, {-2, 2, -4});
    ExpectOffsets(1, {1, -3, 2});
    ExpectOffsets(16, {3, -2, 0});
    ExpectOffsets(255, {0, -4, -2});
    for (const auto* table : {&DitherRed, &DitherGreen, &DitherBlue}) {
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
    ClassifyDisplay(8);
    EXPECT_EQ(Rgb(118, 141, 107), Dithered(0, 0, Rgb(128, 128, 128)));
    EXPECT_EQ(Rgb(136, 114, 138), Dithered(1, 0, Rgb(128, 128, 128)));
    EXPECT_EQ(Rgb(136, 114, 138), Dithered(17, 16, Rgb(128, 128, 128)));
    EXPECT_EQ(Rgb(245, 255, 234), Dithered(0, 0, Rgb(255, 255, 255)));
    EXPECT_EQ(Rgb(0, 13, 0), Dithered(0, 0, Rgb(0, 0, 0)));
    EXPECT_EQ(Rgb(216, 92, 50), Dithered(0, 1, Rgb(200, 100, 50)));
}

TEST_F(DisplayTest, HighColourDitherAddsTheSmallOffsets) {
    ClassifyDisplay(16);
    EXPECT_EQ(Rgb(126, 130, 124), Dithered(0, 0, Rgb(128, 128, 128)));
    EXPECT_EQ(Rgb(129, 125, 130), Dithered(1, 0, Rgb(128, 128, 128)));
    EXPECT_EQ(Rgb(253, 255, 251), Dithered(0, 0, Rgb(255, 255, 255)));
}

// A width that is no multiple of 16 and pixels of every kind, fourth bytes
// included, against the per-pixel rule.
TEST_F(DisplayTest, EveryPixelGetsTheOffsetsOfItsPlaceInThePattern) {
    ClassifyDisplay(8);
    Picture picture;
    Fill(picture, 37, 35, 0);
    for (int i = 0; i < 37 * 35; ++i) {
        picture.pixels[i] = uint32_t(i) * 2654435761u;
    }
    const std::vector<uint32_t> before(picture.pixels.get(), picture.pixels.get() + 37 * 35);
    ASSERT_TRUE(picture.PrepareDraw());
    const auto clamp = [](int32_t t) { return uint32_t(t < 0 ? 0 : t > 255 ? 255 : t); };
    for (int y = 0; y < 35; ++y) {
        for (int x = 0; x < 37; ++x) {
            const uint32_t p = before[y * 37 + x];
            const int k = (y % 16) * 16 + x % 16;
            const uint32_t expected = (p & 0xFF000000) |
                                      clamp(int32_t(p >> 16 & 0xFF) + DitherRed[k]) << 16 |
                                      clamp(int32_t(p >> 8 & 0xFF) + DitherGreen[k]) << 8 |
                                      clamp(int32_t(p & 0xFF) + DitherBlue[k]);
            ASSERT_EQ(expected, picture.pixels[y * 37 + x]) << x << "," << y;
        }
    }
}

TEST_F(DisplayTest, DithersOncePerLoadedPicture) {
    ClassifyDisplay(16);
    Picture picture;
    Fill(picture, 20, 20, Rgb(128, 128, 128));
    ASSERT_TRUE(picture.PrepareDraw());
    EXPECT_EQ(1, picture.dithered);
    const std::vector<uint32_t> once(picture.pixels.get(), picture.pixels.get() + 400);
    ASSERT_TRUE(picture.PrepareDraw());
    EXPECT_EQ(once, std::vector<uint32_t>(picture.pixels.get(), picture.pixels.get() + 400));

    // What Load leaves: fresh pixels and dithered cleared, so they are dithered again.
    picture.Free();
    Fill(picture, 20, 20, Rgb(128, 128, 128));
    ASSERT_TRUE(picture.PrepareDraw());
    EXPECT_EQ(once, std::vector<uint32_t>(picture.pixels.get(), picture.pixels.get() + 400));
}

TEST_F(DisplayTest, TrueColourDisplaysDrawPixelsUnchanged) {
    for (int32_t bits : {24, 32, 4}) {
        ClassifyDisplay(bits);
        Picture picture;
        Fill(picture, 3, 3, Rgb(128, 128, 128));
        ASSERT_TRUE(picture.PrepareDraw());
        EXPECT_EQ(0, picture.dithered);
        EXPECT_EQ(Rgb(128, 128, 128), picture.pixels[4]);
    }
}

TEST_F(DisplayTest, NothingToDrawForEmptyOrFailedPictures) {
    ClassifyDisplay(8);
    Picture empty;
    EXPECT_FALSE(empty.PrepareDraw());
    Picture failed;
    failed.Load("missing.jpg", 100, 100);
    EXPECT_FALSE(failed.PrepareDraw());
    EXPECT_EQ(0, failed.dithered);

    Picture thin; // a picture reduced to no columns is drawn (as nothing), unharmed
    Fill(thin, 0, 78, 0);
    EXPECT_TRUE(thin.PrepareDraw());
    EXPECT_EQ(1, thin.dithered);
}
} // namespace
