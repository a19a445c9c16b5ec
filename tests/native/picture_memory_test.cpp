// The memory of a load, counted through AddressSanitizer's allocation hooks
// (libjpeg's allocations too); a build without them (the 32-bit one) counts
// none, and skips what needs the count.
#include "decode/jpeg_memory_limit.h"
#include "decode/load_picture.h"
#include "picture/picture.h"

#include "tests/support/scratch_dir.h"
#include "tools/jpeg_maker.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <jpeglib.h>

extern "C" __attribute__((weak)) int
__sanitizer_install_malloc_and_free_hooks(void (*)(const volatile void*, size_t),
                                          void (*)(const volatile void*));
extern "C" __attribute__((weak)) size_t __sanitizer_get_allocated_size(const volatile void*);

namespace {
int64_t heldBytes = 0, peakBytes = 0;

// The most memory the load holds at one time beyond what was held before it,
// or -1 when there is nothing to count with.
int64_t PeakOfLoad(Picture& picture, const std::vector<uint8_t>& jpeg,
                   Picture::Sizing sizing = Picture::Sizing::Reduce) {
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
    picture = LoadPictureFile(dir.File("picture.jpg").c_str(), 1920, 1080, sizing);
    return counting ? peakBytes : -1;
}

#define SKIP_WITHOUT_COUNT(peak)                                                                   \
    if ((peak) < 0) {                                                                              \
        GTEST_SKIP() << "no allocation hooks to count with";                                       \
    }

JpegRecipe ProgressiveRecipe(JpegColours colours) {
    JpegRecipe recipe;
    recipe.colours = colours;
    recipe.kind = JpegKind::Progressive;
    return recipe;
}

std::vector<uint8_t> Claim(const JpegRecipe& recipe, uint16_t width, uint16_t height) {
    std::vector<uint8_t> jpeg = MakeJpeg(
        recipe, Uniform(recipe, std::vector<uint8_t>(recipe.colours == JpegColours::Grey ? 1 : 3)));
    SetFrameSize(jpeg, width, height);
    return jpeg;
}

// The header's count of the whole-image buffer, and whether it is refused.
std::pair<unsigned long long, bool> WholeImageOf(const std::vector<uint8_t>& jpeg) {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&info, TRUE);
    const std::pair<unsigned long long, bool> result{WholeImageBytes(info),
                                                     WholeImageTooLarge(info)};
    jpeg_destroy_decompress(&info);
    return result;
}

// Claims of 20000 x 20000 pixels would take 0.8 GB (grey) or 2.4 GB (colour)
// of coefficients; the load fails before taking them. A real 24-megapixel
// progressive photo (144 MB of coefficients) loads.
TEST(PictureMemoryTest, HugeProgressiveClaimFailsSmallWhileLargePicturesLoad) {
    int64_t peak = 0;
    for (const JpegColours colours : {JpegColours::Grey, JpegColours::Colour}) {
        Picture picture;
        peak = std::max(peak, PeakOfLoad(picture, Claim(ProgressiveRecipe(colours), 20000, 20000)));
        EXPECT_EQ(Picture::State::Failed, picture.GetState());
    }
    SKIP_WITHOUT_COUNT(peak);
    EXPECT_LT(peak, int64_t{16} << 20);
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

// The whole-image buffer is counted in 64 bits: a grey claim of 46344 x 46344
// takes 4,295,532,672 bytes, which libjpeg's 32-bit count wraps to 565,376.
// It is refused, and so is its load; a 24-megapixel 4:2:0 photo's is not.
TEST(PictureMemoryTest, TheWholeImageBufferIsCountedWithoutWrapping) {
    const std::vector<uint8_t> claim = Claim(ProgressiveRecipe(JpegColours::Grey), 46344, 46344);
    EXPECT_EQ(std::make_pair(4295532672ull, true), WholeImageOf(claim));
    Picture picture;
    PeakOfLoad(picture, claim);
    EXPECT_EQ(Picture::State::Failed, picture.GetState());

    JpegRecipe photo = ProgressiveRecipe(JpegColours::Colour);
    photo.sampling = JpegSampling::Halved;
    EXPECT_EQ(std::make_pair(72000000ull, false), WholeImageOf(Claim(photo, 6000, 4000)));
    // A file of one scan has no whole-image buffer: it is decoded row by row.
    EXPECT_FALSE(WholeImageOf(Claim(JpegRecipe{}, 46344, 46344)).second);
}

// A file of 2000 APP1 markers of 16 KB each keeps only its first Exif block,
// whose orientation it is shown in; the others start as Exif blocks too.
TEST(PictureMemoryTest, OnlyTheFirstExifBlockIsKept) {
    JpegRecipe recipe;
    recipe.width = 64;
    recipe.height = 32;
    recipe.app1 = ExifBlock(6);
    std::vector<uint8_t> jpeg = MakeJpeg(recipe, Uniform(recipe, {9, 9, 9}));
    std::vector<uint8_t> others;
    for (int i = 0; i < 2000; ++i) {
        others.insert(others.end(), {0xFF, 0xE1, 0x40, 0x00, 'E', 'x', 'i', 'f', 0, 0});
        others.resize(others.size() + 0x3FF8, 'x');
    }
    const size_t afterExif = 4 + (size_t(jpeg[4]) << 8 | jpeg[5]);
    jpeg.insert(jpeg.begin() + std::ptrdiff_t(afterExif), others.begin(), others.end());
    Picture picture;
    const int64_t peak = PeakOfLoad(picture, jpeg);
    EXPECT_EQ(32, picture.Width());
    EXPECT_EQ(64, picture.Height());
    SKIP_WITHOUT_COUNT(peak);
    EXPECT_LT(peak, int64_t{4} << 20);
}

// A few hundred bytes that claim a 65500 x 65500 baseline picture end with
// their data, before the 268 MB of pixels a 1/8 decode of the claim would fill.
TEST(PictureMemoryTest, ATinyFileClaimingAHugePictureEndsWithItsData) {
    JpegRecipe recipe;
    recipe.width = 64;
    recipe.height = 64;
    Picture picture;
    const int64_t peak = PeakOfLoad(picture, Claim(recipe, 65500, 65500));
    EXPECT_EQ(Picture::State::Failed, picture.GetState());
    SKIP_WITHOUT_COUNT(peak);
    EXPECT_LT(peak, int64_t{64} << 20);
}
// A fitted photo is made as its rows come: beside the fitted picture (1440 x
// 1080, 6.2 MB) the load holds only libjpeg's rows (1500 wide, at 6/8) and the
// filter's, where reducing holds the whole 2000 x 1500 decode (12 MB).
TEST(PictureMemoryTest, AFittedPhotoHoldsLittleBesideTheFittedPicture) {
    JpegRecipe recipe;
    recipe.width = 2000;
    recipe.height = 1500;
    Picture picture;
    const int64_t peak = PeakOfLoad(picture, MakeJpeg(recipe, Uniform(recipe, {60, 120, 180})),
                                    Picture::Sizing::Fit);
    EXPECT_EQ(1440 * 1080, picture.Width() * picture.Height());
    SKIP_WITHOUT_COUNT(peak);
    EXPECT_LT(peak, 1440 * 1080 * 4 + (int64_t{1} << 20));
}
} // namespace
