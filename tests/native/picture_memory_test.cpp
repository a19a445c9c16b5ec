// The memory of a load: a header that claims a huge progressive picture fails
// without taking it, while real large pictures load. The native tests run
// under AddressSanitizer, whose allocator reports every allocation and release
// of the process (libjpeg's too) to the hooks below; in a build without it
// (the benchmark's tree) there is nothing to count with.
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
int64_t heldBytes = 0;
int64_t peakBytes = 0;

void CountAllocation(const volatile void*, size_t size) {
    heldBytes += int64_t(size);
    peakBytes = std::max(peakBytes, heldBytes);
}
void CountRelease(const volatile void* block) {
    heldBytes -= int64_t(__sanitizer_get_allocated_size(block));
}

// The most memory the load holds at one time beyond what was held before it.
int64_t PeakOfLoad(Picture& picture, const std::vector<uint8_t>& jpeg) {
    static const bool counting =
        __sanitizer_install_malloc_and_free_hooks != nullptr &&
        __sanitizer_install_malloc_and_free_hooks(CountAllocation, CountRelease) != 0;
    if (!counting) {
        return -1;
    }
    const ScratchDir dir;
    const std::string path = dir.File("picture.jpg");
    WriteFile(path, jpeg);
    heldBytes = peakBytes = 0;
    picture.Load(path.c_str(), 1920, 1080);
    return peakBytes;
}

// A few KB that claim 20000 x 20000 pixels would need from 0.8 GB (grey) to
// 2.4 GB (full colour) of coefficients; the load fails before taking them.
TEST(PictureMemoryTest, HugeProgressiveClaimFailsSmall) {
    const std::pair<JpegColours, JpegSampling> kinds[] = {
        {JpegColours::Grey, JpegSampling::Full},
        {JpegColours::Colour, JpegSampling::Full},
        {JpegColours::Colour, JpegSampling::Halved}};
    for (const auto& [colours, sampling] : kinds) {
        JpegRecipe recipe;
        recipe.colours = colours;
        recipe.sampling = sampling;
        recipe.kind = JpegKind::Progressive;
        const size_t components = colours == JpegColours::Grey ? 1 : 3;
        std::vector<uint8_t> jpeg =
            MakeJpeg(recipe, Uniform(recipe, std::vector<uint8_t>(components, 9)));
        SetFrameSize(jpeg, 20000, 20000);
        Picture picture;
        const int64_t peak = PeakOfLoad(picture, jpeg);
        if (peak < 0) {
            GTEST_SKIP() << "no allocator hooks to count with";
        }
        EXPECT_LT(peak, int64_t{16} << 20) << components;
        EXPECT_EQ(Picture::State::Failed, picture.GetState());
    }
}

TEST(PictureMemoryTest, TwentyFourMegapixelProgressiveLoads) {
    JpegRecipe recipe;
    recipe.width = 6000;
    recipe.height = 4000;
    recipe.kind = JpegKind::Progressive;
    recipe.sampling = JpegSampling::Halved;
    std::vector<uint8_t> samples(size_t(6000) * 4000 * 3);
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = uint8_t(i / 3 % 6000 / 24); // a gradient across
    }
    Picture picture;
    PeakOfLoad(picture, MakeJpeg(recipe, samples));
    EXPECT_EQ(Picture::State::Ready, picture.GetState());
    EXPECT_EQ(1500, picture.Width());
    EXPECT_EQ(1000, picture.Height());
}
} // namespace
