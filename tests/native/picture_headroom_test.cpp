// Pictures decoded for a moving view: the frame a still load gives them, and
// the zoom's headroom around it, within twice the source.
#include "decode/load_picture.h"

#include "tests/support/scratch_dir.h"
#include "tools/jpeg_maker.h"

#include <gtest/gtest.h>

TEST(PictureHeadroomTest, TheFrameIsTheStillLoadsAndThePixelsAFifthMoreWithinTwiceTheSource) {
    const Picture::Sizing reduce = Picture::Sizing::Reduce, fit = Picture::Sizing::Fit;
    // Width, height, orientation, box, sizing, and the headroom's width as shown.
    const struct {
        int width, height, orientation, boxWidth, boxHeight;
        Picture::Sizing sizing;
        int32_t shownWidth;
    } cases[] = {{1600, 1200, 1, 1024, 768, reduce, 960}, {1600, 1200, 1, 1024, 768, fit, 1228},
                 {900, 600, 6, 400, 600, reduce, 480},    {900, 600, 8, 500, 700, fit, 560},
                 {300, 200, 1, 1024, 768, fit, 600},      {300, 200, 1, 1024, 768, reduce, 360}};
    const ScratchDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " " << c.orientation);
        JpegRecipe recipe;
        recipe.width = c.width;
        recipe.height = c.height;
        recipe.app1 = ExifBlock(c.orientation);
        WriteFile(dir.File("photo.jpg"),
                  MakeJpeg(recipe, std::vector<uint8_t>(size_t(c.width) * c.height * 3, 128)));
        const std::string path = dir.File("photo.jpg");
        const Picture still = LoadPictureFile(path.c_str(), c.boxWidth, c.boxHeight, c.sizing);
        const Picture moving =
            LoadPictureFile(path.c_str(), c.boxWidth, c.boxHeight, c.sizing, nullptr, true);
        ASSERT_TRUE(still.IsDrawable() && moving.IsDrawable());
        EXPECT_EQ(still.Width(), still.FrameWidth());
        EXPECT_EQ(still.Height(), still.FrameHeight());
        EXPECT_EQ(still.Width(), moving.FrameWidth());
        EXPECT_EQ(still.Height(), moving.FrameHeight());
        EXPECT_EQ(c.shownWidth, moving.Width());
        EXPECT_NEAR(double(moving.Width()) / moving.Height(),
                    double(still.Width()) / still.Height(), 0.01);
        EXPECT_LE(int64_t{moving.Width()} * moving.Height(),
                  int64_t{still.Width()} * still.Height() * 144 / 100);
    }
}
