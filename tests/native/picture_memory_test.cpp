// The memory of a load, counted through AddressSanitizer's allocation hooks
// (libjpeg's allocations too); a build without them (the benchmark's) counts none.
#include "picture/picture.h"

#include "tools/jpeg_maker.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

extern "C" __attribute__((weak)) int
__sanitizer_install_malloc_and_free_hooks(void (*)(const volatile void*, size_t),
                                          void (*)(const volatile void*));
extern "C" __attribute__((weak)) size_t __sanitizer_get_allocated_size(const volatile void*);

namespace {
int64_t heldBytes = 0, peakBytes = 0;

// The most memory the load holds at one time beyond what was held before it,
// or -1 when there is nothing to count with.
int64_t PeakOfLoad(Picture& picture, const std::vector<uint8_t>& jpeg) {
    static const bool counting = __sanitizer_install_malloc_and_free_hooks != nullptr &&
                                 __sanitizer_install_malloc_and_free_hooks(
                                     [](const volatile void*, size_t size) {
                                         peakBytes =
                                             std::max(peakBytes, heldBytes += int64_t(size));
                                     },
                                     [](const volatile void* p) {
                                         heldBytes -= int64_t(__sanitizer_get_allocated_size(p));
                                     });
    const ScratchDir dir;
    WriteFile(dir.File("picture.jpg"), jpeg);
    heldBytes = peakBytes = 0;
    picture.Load(dir.File("picture.jpg").c_str(), 1920, 1080);
    return counting ? peakBytes : -1;
}

// Claims of 20000 x 20000 pixels would take 0.8 GB (grey) or 2.4 GB (colour)
// of coefficients; the load fails before taking them. A real 24-megapixel
// progressive photo (144 MB of coefficients) loads.
TEST(PictureMemoryTest, HugeProgressiveClaimFailsSmallWhileLargePicturesLoad) {
    for (const JpegColours colours : {JpegColours::Grey, JpegColours::Colour}) {
        JpegRecipe recipe;
        recipe.colours = colours;
        recipe.kind = JpegKind::Progressive;
        std::vector<uint8_t> jpeg = MakeJpeg(
            recipe, Uniform(recipe, std::vector<uint8_t>(colours == JpegColours::Grey ? 1 : 3)));
        SetFrameSize(jpeg, 20000, 20000);
        Picture picture;
        const int64_t peak = PeakOfLoad(picture, jpeg);
        EXPECT_EQ(Picture::State::Failed, picture.GetState());
        EXPECT_LT(peak, int64_t{16} << 20);
    }
    JpegRecipe recipe;
    recipe.width = 6000;
    recipe.height = 4000;
    recipe.kind = JpegKind::Progressive;
    Picture picture;
    PeakOfLoad(picture, MakeJpeg(recipe, std::vector<uint8_t>(size_t(6000) * 4000 * 3, 128)));
    EXPECT_EQ(1500, picture.Width());
    EXPECT_EQ(1000, picture.Height());
    EXPECT_TRUE(picture.IsDrawable());
}
} // namespace
