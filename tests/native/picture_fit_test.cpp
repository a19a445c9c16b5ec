// Pictures fitted to their box: the sizes, the filter's quality against a
// reference resample of the whole decode, and a cut-off file.
#include "picture/picture.h"

#include "tools/jpeg_maker.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
class PictureFitTest : public ::testing::Test {
protected:
    void LoadBytes(const std::vector<uint8_t>& bytes, int32_t maxWidth, int32_t maxHeight,
                   Picture::Sizing sizing = Picture::Sizing::Fit) {
        WriteFile(dir.File("picture.jpg"), bytes);
        picture.Load(dir.File("picture.jpg").c_str(), maxWidth, maxHeight, sizing);
    }

    ScratchDir dir;
    Picture picture;
};

int Channel(uint32_t pixel, int c) {
    return int(pixel >> (8 * c) & 0xFF);
}

// One side is the box's, the other the nearest to the picture's ratio; a small
// picture is enlarged to at most twice its size. A uniform picture stays
// uniform: the filter's weights add up to one.
TEST_F(PictureFitTest, FillsTheBoxOneWayAndEnlargesAtMostTwice) {
    struct Case {
        int width, height, maxWidth, maxHeight, fittedWidth, fittedHeight;
    };
    const Case cases[] = {
        {1200, 900, 1000, 500, 667, 500}, // 666.7 wide
        {1000, 300, 640, 480, 640, 192},  {1600, 1200, 800, 600, 800, 600},
        {500, 400, 640, 480, 600, 480},  // enlarged 1.2 times
        {300, 200, 1024, 768, 600, 400}, // at most twice
        {1, 500, 100, 100, 1, 100},      // 0.2 wide: one pixel
        {5000, 40, 1000, 1000, 1000, 8},  {64, 48, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        JpegRecipe recipe;
        recipe.width = c.width;
        recipe.height = c.height;
        recipe.sampling = JpegSampling::Halved;
        recipe.quality = 75;
        LoadBytes(MakeJpeg(recipe, Uniform(recipe, {90, 140, 200})), c.maxWidth, c.maxHeight);
        ASSERT_TRUE(picture.IsDrawable());
        EXPECT_EQ(c.fittedWidth, picture.Width());
        EXPECT_EQ(c.fittedHeight, picture.Height());
        EXPECT_EQ(c.fittedWidth, picture.Header()->bmiHeader.biWidth);
        if (c.fittedWidth > 0) {
            const uint32_t middle =
                picture.Pixels()[size_t(c.fittedHeight / 2) * size_t(c.fittedWidth) +
                                 size_t(c.fittedWidth / 2)];
            EXPECT_NEAR(200, Channel(middle, 0), 3);
            EXPECT_NEAR(140, Channel(middle, 1), 3);
            EXPECT_NEAR(90, Channel(middle, 2), 3);
        }
    }
}

// A separable Lanczos resample with three lobes in floating point, the
// reference that the fit is measured against.
std::vector<double> ReferenceResample(const std::vector<double>& from, int fromWidth,
                                      int fromHeight, int toWidth, int toHeight) {
    const auto pass = [](const std::vector<double>& in, int length, int lines, int to, size_t step,
                         size_t lineStep, size_t outStep, size_t outLineStep) {
        std::vector<double> out(size_t(to) * size_t(lines) * 4);
        const double scale = double(to) / length, stretch = std::max(1.0, 1 / scale);
        const double pi = 3.14159265358979323846;
        for (int o = 0; o < to; ++o) {
            const double centre = (o + 0.5) / scale - 0.5;
            std::vector<std::pair<int, double>> taps;
            double sum = 0;
            for (int i = int(std::floor(centre - 3 * stretch)) + 1; i <= centre + 3 * stretch;
                 ++i) {
                const double x = std::fabs(i - centre) / stretch;
                const double k =
                    x < 1e-9 ? 1
                    : x >= 3 ? 0
                             : 3 * std::sin(pi * x) * std::sin(pi * x / 3) / (pi * pi * x * x);
                taps.emplace_back(std::clamp(i, 0, length - 1), k);
                sum += k;
            }
            for (int line = 0; line < lines; ++line) {
                for (int c = 0; c < 4; ++c) {
                    double value = 0;
                    for (const auto& [i, k] : taps) {
                        value += k * in[(line * lineStep + i * step) * 4 + c];
                    }
                    out[(line * outLineStep + o * outStep) * 4 + c] = value / sum;
                }
            }
        }
        return out;
    };
    const std::vector<double> across =
        pass(from, fromWidth, fromHeight, toWidth, 1, size_t(fromWidth), 1, size_t(toWidth));
    return pass(across, fromHeight, toWidth, toHeight, size_t(toWidth), 1, size_t(toWidth), 1);
}

// The mean difference per channel between a picture and reference levels.
double MeanDifference(const uint32_t* pixels, const std::vector<double>& reference) {
    double total = 0;
    for (size_t i = 0; i < reference.size() / 4; ++i) {
        for (int c = 0; c < 3; ++c) {
            total +=
                std::fabs(Channel(pixels[i], c) - std::clamp(reference[i * 4 + c], 0.0, 255.0));
        }
    }
    return total / double(reference.size() / 4 * 3);
}

// A photograph's detail fitted through libjpeg's scaling and the filter stays
// within a level or two of a reference Lanczos resample of the whole decode,
// where sampling the nearest pixel (the fault the filter is there to avoid)
// is several levels off.
TEST_F(PictureFitTest, DetailStaysCloseToAReferenceResampleOfTheWholeDecode) {
    JpegRecipe recipe;
    recipe.width = 960;
    recipe.height = 720;
    recipe.quality = 95;
    const std::vector<uint8_t> jpeg = MakeJpeg(recipe, PhotoSamples(960, 720));
    LoadBytes(jpeg, 960, 720, Picture::Sizing::Reduce);
    ASSERT_TRUE(picture.IsDrawable());
    ASSERT_EQ(960, picture.Width());
    std::vector<double> whole(size_t(960) * 720 * 4);
    std::vector<uint32_t> nearest;
    for (size_t i = 0; i < whole.size(); ++i) {
        whole[i] = Channel(picture.Pixels()[i / 4], int(i % 4));
    }
    for (int y = 0; y < 375; ++y) {
        for (int x = 0; x < 500; ++x) {
            nearest.push_back(picture.Pixels()[(y * 720 / 375) * 960 + x * 960 / 500]);
        }
    }
    const std::vector<double> reference = ReferenceResample(whole, 960, 720, 500, 375);

    LoadBytes(jpeg, 500, 500);
    ASSERT_TRUE(picture.IsDrawable());
    ASSERT_EQ(500, picture.Width());
    ASSERT_EQ(375, picture.Height());
    EXPECT_LT(MeanDifference(picture.Pixels(), reference), 2.0);
    EXPECT_GT(MeanDifference(nearest.data(), reference), 3.0) << "the picture lacks detail";
}

// A photo cut off halfway keeps its whole picture's scale: the fitted rows that
// the rows which came cover, exactly as the whole file gives them.
TEST_F(PictureFitTest, CutOffPhotoKeepsTheRowsItsDataCovers) {
    JpegRecipe recipe;
    recipe.width = 400;
    recipe.height = 300;
    const std::vector<uint8_t> whole = MakeJpeg(recipe, PhotoSamples(400, 300));
    LoadBytes(whole, 200, 200);
    ASSERT_TRUE(picture.IsDrawable());
    ASSERT_EQ(150, picture.Height());
    const std::vector<uint32_t> full(picture.Pixels(), picture.Pixels() + 200 * 150);

    LoadBytes(std::vector<uint8_t>(whole.begin(), whole.begin() + whole.size() / 2), 200, 200);
    ASSERT_TRUE(picture.IsDrawable());
    EXPECT_EQ(200, picture.Width());
    EXPECT_GT(picture.Height(), 150 / 3);
    EXPECT_LT(picture.Height(), 150);
    EXPECT_TRUE(
        std::equal(picture.Pixels(), picture.Pixels() + 200 * picture.Height(), full.begin()));
}
} // namespace
