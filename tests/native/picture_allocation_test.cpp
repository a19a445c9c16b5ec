// Loading when memory runs out. This program runs with the allocator limited
// (see CMakeLists.txt), so the huge sizes that a file's header can claim make
// allocations fail instead of succeeding lazily.
#include "decode/load_picture.h"
#include "picture/picture.h"

#include "tests/support/scratch_dir.h"
#include "tools/jpeg_maker.h"

#include <gtest/gtest.h>

namespace {
class PictureAllocationTest : public ::testing::Test {
protected:
    void Load(const std::vector<uint8_t>& bytes, int32_t maxWidth, int32_t maxHeight) {
        WriteFile(path, bytes);
        picture = LoadPictureFile(path.c_str(), maxWidth, maxHeight);
    }
    void ExpectFailedThenRecovers() {
        EXPECT_EQ(Picture::State::Failed, picture.GetState());
        EXPECT_EQ(nullptr, picture.Pixels());
        EXPECT_EQ(nullptr, picture.Header());
        Load(MakeJpeg(JpegRecipe{}, Uniform(JpegRecipe{}, {1, 2, 3})), 100, 100);
        EXPECT_EQ(Picture::State::Ready, picture.GetState());
        EXPECT_EQ(16, picture.Width());
    }

    ScratchDir dir;
    const std::string path = dir.File("huge.jpg");
    Picture picture;
};

// 30000 x 30000 in a box just as large: decoded at full size, the pixels would
// take 3.6 GB.
TEST_F(PictureAllocationTest, PixelBufferThatCannotBeHadFails) {
    std::vector<uint8_t> jpeg = MakeJpeg(JpegRecipe{}, Uniform(JpegRecipe{}, {9, 9, 9}));
    SetFrameSize(jpeg, 30000, 30000);
    Load(jpeg, 30000, 30000);
    ExpectFailedThenRecovers();
}

// A progressive file keeps all its coefficients: at 20000 x 20000 libjpeg asks
// for 800 MB per component, whatever the scale of the output.
TEST_F(PictureAllocationTest, LibjpegMemoryThatCannotBeHadFails) {
    JpegRecipe recipe;
    recipe.kind = JpegKind::Progressive;
    std::vector<uint8_t> jpeg = MakeJpeg(recipe, Uniform(recipe, {9, 9, 9}));
    SetFrameSize(jpeg, 20000, 20000);
    Load(jpeg, 100, 100);
    ExpectFailedThenRecovers();
}
} // namespace
