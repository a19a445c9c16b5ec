// Pictures fitted to their box: the sizes, the filter's quality against a
// reference resample of the whole decode, and a cut-off file.
#include "decode/load_picture.h"
#include "picture/jpeg_scale.h"
#include "picture/picture.h"
#include "picture/reduced_size.h"

#include "tests/support/scratch_dir.h"
#include "tools/jpeg_maker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {
class PictureFitTest : public ::testing::Test {
protected:
    void LoadBytes(const std::vector<uint8_t>& bytes, int32_t maxWidth, int32_t maxHeight,
                   Picture::Sizing sizing = Picture::Sizing::Fit, bool headroom = false) {
        WriteFile(dir.File("picture.jpg"), bytes);
        picture = LoadPictureFile(dir.File("picture.jpg").c_str(), maxWidth, maxHeight, sizing,
                                  nullptr, headroom);
    }
    std::vector<uint32_t> Pixels() const {
        return {picture.Pixels(), picture.Pixels() + picture.Width() * picture.Height()};
    }

    ScratchDir dir;
    Picture picture;
};

// One side is the box's, the other the nearest to the picture's ratio (1200 x
// 900 into 1000 x 500: 666.7 wide); small pictures are enlarged, at most twice.
// A uniform picture stays uniform, grey too: the filter's weights add up to one.
TEST_F(PictureFitTest, FillsTheBoxOneWayAndEnlargesAtMostTwice) {
    const int cases[][6] = {{1200, 900, 1000, 500, 667, 500}, {1000, 300, 640, 480, 640, 192},
                            {1600, 1200, 800, 600, 800, 600}, {500, 400, 640, 480, 600, 480},
                            {300, 200, 1024, 768, 600, 400},  {1, 500, 100, 100, 1, 100},
                            {5000, 40, 1000, 1000, 1000, 8},  {64, 48, 0, 0, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c[0] << " x " << c[1]);
        JpegRecipe recipe;
        recipe.width = c[0];
        recipe.height = c[1];
        LoadBytes(MakeJpeg(recipe, Uniform(recipe, {90, 140, 200})), c[2], c[3]);
        ASSERT_TRUE(picture.IsDrawable());
        EXPECT_EQ(c[4], picture.Width());
        EXPECT_EQ(c[5], picture.Height());
        for (const uint32_t p : Pixels()) {
            ASSERT_LE(
                std::max({std::abs(int(p >> 16 & 0xFF) - 90), std::abs(int(p >> 8 & 0xFF) - 140),
                          std::abs(int(p & 0xFF) - 200), int(p >> 24) * 3}),
                2)
                << std::hex << p;
        }
    }
    JpegRecipe grey;
    grey.colours = JpegColours::Grey;
    LoadBytes(MakeJpeg(grey, Uniform(grey, {77})), 8, 8);
    EXPECT_EQ(std::vector<uint32_t>(64, 0x4D4D4D), Pixels());
}

// Decoded for a moving view, a picture keeps the frame a still load gives it,
// and is a fifth larger a side within twice its source. Each case: the photo,
// its orientation, the box, fitted or not, and the width decoded.
TEST_F(PictureFitTest, AMovingViewsHeadroomSurroundsTheStillFrame) {
    const int cases[][7] = {{1600, 1200, 1, 1024, 768, 0, 960}, {1600, 1200, 1, 1024, 768, 1, 1228},
                            {900, 600, 6, 400, 600, 0, 480},    {900, 600, 8, 500, 700, 1, 560},
                            {300, 200, 1, 1024, 768, 1, 600},   {300, 200, 1, 1024, 768, 0, 360}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c[0] << " x " << c[1] << ", " << c[2]);
        JpegRecipe recipe;
        recipe.width = c[0];
        recipe.height = c[1];
        recipe.app1 = ExifBlock(c[2]);
        const std::vector<uint8_t> bytes = MakeJpeg(recipe, Uniform(recipe, {128, 128, 128}));
        const Picture::Sizing sizing = c[5] ? Picture::Sizing::Fit : Picture::Sizing::Reduce;
        LoadBytes(bytes, c[3], c[4], sizing);
        const int64_t still = int64_t{picture.Width()} << 32 | picture.Height();
        EXPECT_EQ(still, int64_t{picture.FrameWidth()} << 32 | picture.FrameHeight());
        LoadBytes(bytes, c[3], c[4], sizing, true);
        EXPECT_EQ(still, int64_t{picture.FrameWidth()} << 32 | picture.FrameHeight());
        EXPECT_EQ(c[6], picture.Width());
        // At most 1.44 times the frame's pixels, in whole numbers: 32-bit builds
        // compare doubles with excess precision.
        EXPECT_LE(int64_t{picture.Width()} * picture.Height() * 25,
                  (still >> 32) * (still & 0xFFFF) * 36);
    }
}

// A separable Lanczos resample with three lobes in floating point: `lines`
// lines of `length` samples, `step` apart, to `to` samples `outStep` apart.
std::vector<double> ReferencePass(const std::vector<double>& in, int length, int lines, int to,
                                  int step, int outStep) {
    std::vector<double> out(size_t(to) * size_t(lines));
    const double scale = double(to) / length, stretch = std::max(1.0, 1 / scale), pi = M_PI;
    for (int o = 0; o < to; ++o) {
        const double centre = (o + 0.5) / scale - 0.5;
        std::vector<std::pair<size_t, double>> taps;
        double sum = 0;
        for (int i = int(std::floor(centre - 3 * stretch)) + 1; i <= centre + 3 * stretch; ++i) {
            const double x = std::max(1e-9, std::fabs(i - centre) / stretch);
            const double k = 3 * std::sin(pi * x) * std::sin(pi * x / 3) / (pi * pi * x * x);
            taps.emplace_back(size_t(std::clamp(i, 0, length - 1)) * size_t(step), k);
            sum += k;
        }
        for (int line = 0; line < lines; ++line) {
            double value = 0;
            for (const auto& [index, k] : taps) {
                value += k * in[size_t(line) * (step == 1 ? length : 1) + index];
            }
            out[size_t(line) * (outStep == 1 ? to : 1) + size_t(o) * size_t(outStep)] = value / sum;
        }
    }
    return out;
}

// A photograph's detail fitted through libjpeg's scaling and the filter stays
// within a level or two of a reference Lanczos resample (of three lobes) of the
// whole decode, where sampling the nearest pixel (the fault the filter is there
// to avoid) is several levels off.
TEST_F(PictureFitTest, DetailStaysCloseToAReferenceResampleOfTheWholeDecode) {
    JpegRecipe recipe;
    recipe.width = 960;
    recipe.height = 720;
    const std::vector<uint8_t> jpeg = MakeJpeg(recipe, PhotoSamples(960, 720));
    LoadBytes(jpeg, 960, 720, Picture::Sizing::Reduce);
    const std::vector<uint32_t> whole = Pixels();
    LoadBytes(jpeg, 500, 500);
    ASSERT_EQ(500 * 375, picture.Width() * picture.Height());
    double fitted = 0, nearest = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        std::vector<double> channel;
        for (const uint32_t p : whole) {
            channel.push_back(p >> shift & 0xFF);
        }
        const std::vector<double> reference =
            ReferencePass(ReferencePass(channel, 960, 720, 500, 1, 1), 720, 500, 375, 500, 500);
        for (size_t i = 0; i < reference.size(); ++i) {
            const double level = std::clamp(reference[i], 0.0, 255.0);
            fitted += std::fabs(level - (picture.Pixels()[i] >> shift & 0xFF));
            nearest += std::fabs(level - channel[i / 500 * 720 / 375 * 960 + i % 500 * 960 / 500]);
        }
    }
    EXPECT_LT(fitted / (3 * 500 * 375), 2.0);
    EXPECT_GT(nearest / (3 * 500 * 375), 3.0) << "the picture lacks detail";
}

// A photo cut off halfway keeps its whole picture's scale: the fitted rows that
// the rows which came cover, exactly as the whole file gives them.
TEST_F(PictureFitTest, CutOffPhotoKeepsTheRowsItsDataCovers) {
    JpegRecipe recipe;
    recipe.width = 400;
    recipe.height = 300;
    const std::vector<uint8_t> whole = MakeJpeg(recipe, PhotoSamples(400, 300));
    LoadBytes(whole, 200, 200);
    ASSERT_EQ(150, picture.Height());
    const std::vector<uint32_t> full = Pixels();
    LoadBytes(std::vector<uint8_t>(whole.begin(), whole.begin() + whole.size() / 2), 200, 200);
    EXPECT_EQ(200, picture.Width());
    EXPECT_GT(picture.Height(), 150 / 3);
    EXPECT_LT(picture.Height(), 150);
    EXPECT_TRUE(
        std::equal(picture.Pixels(), picture.Pixels() + 200 * picture.Height(), full.begin()));
}
// libjpeg's scale for a fit is the smallest M/8 whose decode is nowhere
// smaller than the fitted picture, so that the filter only reduces: tall,
// narrow photos and wide, flat ones too, whose two sides need different M.
TEST(PictureFitScaleTest, TheDecodeCoversTheFitAndOneEighthLessWouldNot) {
    const int32_t boxes[][2] = {{1920, 1080}, {3840, 2160}, {1024, 768}, {152, 112}};
    for (const int32_t a : {1, 2, 3, 7, 40, 333, 1000, 3000, 4000, 6000}) {
        for (const int32_t b : {1, 5, 1000, 3001, 4000, 12000}) {
            for (const auto& box : boxes) {
                for (const bool tall : {false, true}) {
                    const int32_t w = tall ? a : b, h = tall ? b : a;
                    const PictureSize fitted = FitSize(w, h, box[0], box[1]);
                    const int m = FitScaleEighths(w, h, fitted.width, fitted.height);
                    const auto covers = [&](int eighths) {
                        return JpegScaledSide(w, eighths, 8) >= fitted.width &&
                               JpegScaledSide(h, eighths, 8) >= fitted.height;
                    };
                    EXPECT_TRUE(covers(m) && (m == 1 || !covers(m - 1)))
                        << w << " x " << h << " into " << box[0] << " x " << box[1] << ": " << m;
                }
            }
        }
    }
}

// Pictures 1 to 3 pixels wide (or high) are reduced to one pixel that way,
// never to none: the size other formats are decoded to, too.
TEST(PictureFitScaleTest, NoReducedSideIsBelowOne) {
    for (const int32_t narrow : {1, 2, 3}) {
        for (const int32_t side : {1, 2, 3, 700, 3000, 65535}) {
            for (const bool tall : {false, true}) {
                const int32_t w = tall ? narrow : side, h = tall ? side : narrow;
                const PictureSize reduced = ReducedSize(w, h, 1920, 1080);
                EXPECT_TRUE(reduced.width >= 1 && reduced.width <= 1920 && reduced.height >= 1 &&
                            reduced.height <= 1080)
                    << w << " x " << h << ": " << reduced.width << " x " << reduced.height;
            }
        }
    }
    EXPECT_EQ(1, ReducedSize(3, 3000, 1920, 1080).width);
    EXPECT_EQ(1000, ReducedSize(3, 3000, 1920, 1080).height);
    EXPECT_EQ(0, ReducedSize(3, 3000, 0, 1080).width) << "an empty box, as FitSize";
}
} // namespace
