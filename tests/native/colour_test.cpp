// Colour management: the transforms against Little CMS's own floating-point
// ones, the profiles that are not used, the transforms kept, and where a JPEG
// file's profile comes from (its chunks, its Exif data).
#include "decode/exif_colour_space.h"
#include "decode/icc_chunks.h"
#include "decode/load_picture.h"
#include "picture/colour_transforms.h"
#include "picture/matrix_shaper.h"

#include "tests/support/scratch_dir.h"
#include "tools/icc_maker.h"
#include "tools/jpeg_maker.h"

#include <gtest/gtest.h>

#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {
// Four bytes a value, as the transforms read them: every level of each
// channel, and a grid through the cube.
std::vector<uint32_t> TestValues() {
    std::vector<uint32_t> values;
    for (uint32_t v = 0; v < 256; ++v) {
        values.push_back(v | v << 8 | v << 16 | v << 24);
    }
    for (uint32_t a = 0; a < 256; a += 17) {
        for (uint32_t b = 0; b < 256; b += 17) {
            for (uint32_t c = 0; c < 256; c += 51) {
                for (uint32_t d : {0u, 85u, 170u, 255u}) {
                    values.push_back(a | b << 8 | c << 16 | d << 24);
                }
            }
        }
    }
    return values;
}

// Little CMS's transform in doubles of the same values, with the intent and
// black point compensation the program chooses.
std::vector<uint32_t> FloatTransform(const std::vector<uint8_t>& source, PixelColours colours,
                                     const std::vector<uint8_t>& target,
                                     const std::vector<uint32_t>& values) {
    cmsHPROFILE from = source.empty() ? cmsCreate_sRGBProfile()
                                      : cmsOpenProfileFromMem(source.data(), source.size());
    cmsHPROFILE to = target.empty() ? cmsCreate_sRGBProfile()
                                    : cmsOpenProfileFromMem(target.data(), target.size());
    const bool perceptual = cmsIsCLUT(from, INTENT_PERCEPTUAL, LCMS_USED_AS_INPUT);
    const int inputs = colours == PixelColours::Grey ? 1 : colours == PixelColours::Rgb ? 3 : 4;
    const cmsUInt32Number format = inputs == 1   ? TYPE_GRAY_DBL
                                   : inputs == 3 ? TYPE_RGB_DBL
                                                 : TYPE_CMYK_DBL;
    cmsHTRANSFORM transform =
        cmsCreateTransform(from, format, to, TYPE_RGB_DBL,
                           perceptual ? INTENT_PERCEPTUAL : INTENT_RELATIVE_COLORIMETRIC,
                           perceptual ? 0 : cmsFLAGS_BLACKPOINTCOMPENSATION);
    std::vector<uint32_t> out;
    for (const uint32_t value : values) {
        // Pixels are blue, green, red in their bytes; inks are 0 to 100.
        double in[4];
        for (int i = 0; i < inputs; ++i) {
            const int byte = inputs == 3 ? 2 - i : i;
            const double level = (value >> (8 * byte) & 0xFF) / 255.0;
            in[i] = inputs < 4                              ? level
                    : colours == PixelColours::InvertedCmyk ? 100 * (1 - level)
                                                            : 100 * level;
        }
        double rgb[3];
        cmsDoTransform(transform, in, rgb, 1);
        uint32_t pixel = 0;
        for (int i = 0; i < 3; ++i) {
            pixel |= uint32_t(std::lround(std::clamp(rgb[i], 0.0, 1.0) * 255)) << (8 * (2 - i));
        }
        out.push_back(pixel);
    }
    cmsDeleteTransform(transform);
    cmsCloseProfile(from);
    cmsCloseProfile(to);
    return out;
}

ColourProfile ProfileOf(const std::vector<uint8_t>& icc) {
    return icc.empty() ? ColourProfile() : ColourProfile::Icc(icc);
}

// Red of a drawn pixel.
int Red(uint32_t pixel) {
    return int(pixel >> 16 & 0xFF);
}
int Green(uint32_t pixel) {
    return int(pixel >> 8 & 0xFF);
}
} // namespace

// Each kind of source into sRGB and into a wide gamut: within a level on the
// mean and three at most of Little CMS's transform in doubles. CMYK values go
// through the four-dimensional table Little CMS samples its transform into,
// which strays further (up to six levels) where a channel nears black and its
// curve is steepest.
TEST(ColourTransformsTest, EverySourceIntoSrgbAndAWideGamutAsLittleCmsComputesIt) {
    const std::vector<uint8_t> p3 = DisplayP3Icc(); // one profile, with one date in it
    const struct {
        const char* name;
        std::vector<uint8_t> icc;
        PixelColours colours;
    } sources[] = {{"sRGB", {}, PixelColours::Rgb},
                   {"Adobe RGB", AdobeRgbIcc(), PixelColours::Rgb},
                   {"Display P3", p3, PixelColours::Rgb},
                   {"red and green swapped", SwappedRedGreenIcc(), PixelColours::Rgb},
                   {"grey", GreyIcc(), PixelColours::Grey},
                   {"inverted CMYK", CmykIcc(), PixelColours::InvertedCmyk}};
    const std::vector<uint8_t> targets[] = {{}, p3};
    const std::vector<uint32_t> values = TestValues();
    ColourTransforms transforms;
    for (const auto& source : sources) {
        for (const std::vector<uint8_t>& target : targets) {
            SCOPED_TRACE(std::string(source.name) + (target.empty() ? " to sRGB" : " to P3"));
            const ColourTransform* transform =
                transforms.Find(ProfileOf(source.icc), source.colours, ProfileOf(target));
            if (source.icc == target) {
                EXPECT_EQ(nullptr, transform) << "the same colours take no transform";
                continue;
            }
            ASSERT_NE(nullptr, transform);
            std::vector<uint32_t> out(values.size());
            transform->Apply(values.data(), out.data(), values.size());
            const std::vector<uint32_t> expected =
                FloatTransform(source.icc, source.colours, target, values);
            double sum = 0;
            int worst = 0;
            for (size_t i = 0; i < values.size(); ++i) {
                for (int shift = 0; shift < 24; shift += 8) {
                    const int error =
                        std::abs(int(out[i] >> shift & 0xFF) - int(expected[i] >> shift & 0xFF));
                    sum += error;
                    worst = std::max(worst, error);
                }
            }
            EXPECT_LE(sum / double(3 * values.size()), 1.0);
            const bool inks =
                source.colours != PixelColours::Rgb && source.colours != PixelColours::Grey;
            EXPECT_LE(worst, inks ? 6 : 3);
        }
    }
}

// What a transform cannot be made from leaves the values as they are: the
// same profile, one that only renames sRGB, a grey profile for RGB values, a
// cut profile, one that claims more bytes than it has, one whose tags lie
// about where they are, and bytes that are no profile.
TEST(ColourTransformsTest, NoTransformForTheSameColoursOrAnUnusableProfile) {
    const std::vector<uint8_t> p3 = DisplayP3Icc();
    std::vector<uint8_t> cut(p3.begin(), p3.begin() + long(p3.size() / 2));
    std::vector<uint8_t> claimsMore = p3;
    claimsMore[2] ^= 0x10;
    std::vector<uint8_t> lyingTags = p3;
    const size_t tags = lyingTags[131]; // fewer than 256
    for (size_t entry = 132; entry < 132 + 12 * tags; entry += 12) {
        lyingTags[entry + 4] = 0x7F; // each tag's offset far beyond the end
    }
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(srgb, nullptr, &size);
    std::vector<uint8_t> srgbIcc(size);
    cmsSaveProfileToMem(srgb, srgbIcc.data(), &size);
    cmsCloseProfile(srgb);
    ColourTransforms transforms;
    const ColourProfile none;
    EXPECT_EQ(nullptr, transforms.Find(ProfileOf(p3), PixelColours::Rgb, ProfileOf(p3)));
    EXPECT_EQ(nullptr, transforms.Find(ProfileOf(srgbIcc), PixelColours::Rgb, none));
    EXPECT_EQ(nullptr, transforms.Find(none, PixelColours::Rgb, ProfileOf(srgbIcc)));
    for (const auto& bad : {GreyIcc(), cut, claimsMore, lyingTags, std::vector<uint8_t>(500, 7)}) {
        EXPECT_EQ(nullptr, transforms.Find(ProfileOf(bad), PixelColours::Rgb, none));
        EXPECT_EQ(nullptr, transforms.Find(none, PixelColours::Rgb, ProfileOf(bad)));
    }
    EXPECT_EQ(nullptr, transforms.Find(ProfileOf(p3), PixelColours::Cmyk, none));
}

// The transforms kept are bounded; the one used last stays.
TEST(ColourTransformsTest, KeepsAtMostItsBoundTheMostRecentlyUsedStaying) {
    ColourTransforms transforms;
    const ColourProfile p3 = ColourProfile::Icc(DisplayP3Icc());
    const ColourTransform* first =
        transforms.Find(ColourProfile::AdobeRgb(), PixelColours::Rgb, p3);
    for (int i = 0; i < int(ColourTransforms::MostKept) + 3; ++i) {
        std::vector<uint8_t> other = AdobeRgbIcc();
        other[other.size() - 1] ^= uint8_t(i + 1); // another profile to the cache
        transforms.Find(ProfileOf(other), PixelColours::Rgb, p3);
        EXPECT_EQ(first, transforms.Find(ColourProfile::AdobeRgb(), PixelColours::Rgb, p3));
    }
    EXPECT_EQ(ColourTransforms::MostKept, transforms.KeptCount());
}

// A profile's chunks make it in the order of their numbers, whatever the
// order of the markers; a chunk missing, doubled, numbered 0 or beyond the
// count, a count that changes, or more bytes than a profile may have make none.
TEST(IccChunksTest, AssemblesWholeNumberedChunksAndNothingElse) {
    const auto header = [](int number, int count) {
        std::vector<uint8_t> h = {'I', 'C', 'C', '_', 'P', 'R', 'O', 'F', 'I', 'L', 'E', 0};
        h.push_back(uint8_t(number));
        h.push_back(uint8_t(count));
        return h;
    };
    const uint8_t parts[3][2] = {{1, 2}, {3, 4}, {5, 6}};
    const auto assemble = [&](std::vector<std::pair<int, int>> chunks, size_t size = 2) {
        IccChunks icc;
        for (const auto& [number, count] : chunks) {
            if (icc.Expect(header(number, count).data(), size)) {
                icc.Keep(parts[number - 1]);
            }
        }
        return icc.Assemble();
    };
    EXPECT_EQ((std::vector<uint8_t>{1, 2, 3, 4, 5, 6}), assemble({{3, 3}, {1, 3}, {2, 3}}));
    EXPECT_TRUE(assemble({{1, 3}, {3, 3}}).empty());
    EXPECT_TRUE(assemble({{1, 2}, {2, 2}, {2, 2}}).empty());
    EXPECT_TRUE(assemble({{0, 2}, {1, 2}, {2, 2}}).empty());
    EXPECT_TRUE(assemble({{1, 2}, {3, 2}, {2, 2}}).empty());
    EXPECT_TRUE(assemble({{1, 2}, {2, 3}}).empty());
    EXPECT_TRUE(assemble({{1, 2}, {2, 2}}, ColourProfile::MostIccBytes / 2 + 1).empty());
    EXPECT_TRUE(StartsIccChunk(header(1, 1).data(), IccChunkHeaderSize));
    EXPECT_FALSE(StartsIccChunk(header(1, 1).data(), IccChunkHeaderSize - 1));
}

// Adobe RGB without a profile: ColorSpace "uncalibrated" and the index "R03",
// both of them.
TEST(ExifColourSpaceTest, UncalibratedWithR03IsAdobeRgb) {
    const std::vector<uint8_t> adobe = ColourSpaceExifBlock(0xFFFF, "R03");
    EXPECT_TRUE(ExifMarksAdobeRgb(adobe.data(), adobe.size()));
    for (const auto& other : {ColourSpaceExifBlock(1, "R03"), ColourSpaceExifBlock(0xFFFF, "R98"),
                              ColourSpaceExifBlock(0xFFFF, "")}) {
        EXPECT_FALSE(ExifMarksAdobeRgb(other.data(), other.size()));
    }
    EXPECT_FALSE(ExifMarksAdobeRgb(adobe.data(), adobe.size() - 6)); // cut in the index
}

// Through the loader: a JPEG file's stored red, tagged by the chunks of a
// profile that swaps red and green, is green in sRGB; broken chunks and a
// profile the loader is not given a target for leave it red; the Exif mark
// converts from Adobe RGB; a CMYK file goes through its profile.
TEST(ColourLoadTest, AJpegFilesProfileFromItsChunksOrItsExifData) {
    ScratchDir dir;
    ColourTransforms transforms;
    ColourConversion intoSrgb{transforms, ColourProfile()};
    JpegRecipe recipe;
    const auto load = [&](const JpegRecipe& r, const std::vector<uint8_t>& colour,
                          ColourConversion* conversion) {
        const std::string path = dir.File("tagged.jpg");
        WriteFile(path, MakeJpeg(r, Uniform(r, colour)));
        Picture picture =
            LoadPictureFile(path.c_str(), 64, 64, Picture::Sizing::Fit, nullptr, false, conversion);
        return picture.IsDrawable() ? picture.Pixels()[0] : 0xFFFFFFFFu;
    };
    recipe.app2 = IccMarkers(SwappedRedGreenIcc(), 100);
    const uint32_t swapped = load(recipe, {255, 0, 0}, &intoSrgb);
    EXPECT_LT(Red(swapped), 20);
    EXPECT_GT(Green(swapped), 235);
    EXPECT_GT(Red(load(recipe, {255, 0, 0}, nullptr)), 235);
    std::vector<std::vector<uint8_t>> broken = recipe.app2;
    broken.pop_back();
    recipe.app2 = broken;
    EXPECT_GT(Red(load(recipe, {255, 0, 0}, &intoSrgb)), 235);

    recipe.app2.clear();
    recipe.app1 = ColourSpaceExifBlock(0xFFFF, "R03");
    const uint32_t adobe = load(recipe, {100, 180, 100}, &intoSrgb);
    const uint32_t adobeExpected =
        FloatTransform(AdobeRgbIcc(), PixelColours::Rgb, {}, {0x64B464})[0];
    EXPECT_NEAR(Red(adobeExpected), Red(adobe), 3);
    EXPECT_LT(Red(adobe), 90) << "Adobe RGB's greens are deeper than sRGB's";

    recipe.app1.clear();
    recipe.colours = JpegColours::Cmyk;
    recipe.app2 = IccMarkers(CmykIcc());
    const std::vector<uint32_t> expected =
        FloatTransform(CmykIcc(), PixelColours::InvertedCmyk, {}, {0x40FF20C0u});
    const uint32_t inks = load(recipe, {0xC0, 0x20, 0xFF, 0x40}, &intoSrgb);
    EXPECT_NEAR(Red(expected[0]), Red(inks), 3);
    EXPECT_NEAR(Green(expected[0]), Green(inks), 3);
}

// The transform between two profiles of curves and a matrix is the program's
// own, and its SIMD path gives the plain path's bits.
TEST(MatrixShaperTest, TakenForRgbProfilesAndTheSameOnEveryPath) {
    ColourTransforms transforms;
    EXPECT_NE(nullptr,
              dynamic_cast<const MatrixShaperTransform*>(transforms.Find(
                  ColourProfile::Icc(DisplayP3Icc()), PixelColours::Rgb, ColourProfile())));
    MatrixShaperTables tables{};
    uint32_t seed = 1;
    const auto next = [&] { return (seed = seed * 1103515245u + 12345u) >> 8; };
    for (int c = 0; c < 3; ++c) {
        for (float& level : tables.linear[size_t(c)]) {
            level = float(next() % 1000) / 999;
        }
        for (float& weight : tables.matrix[size_t(c)]) {
            weight = float(int(next() % 2000) - 500) / 1000;
        }
        for (uint8_t& level : tables.encode[size_t(c)]) {
            level = uint8_t(next());
        }
    }
    std::vector<uint32_t> pixels(1003);
    for (uint32_t& p : pixels) {
        p = next() & 0xFFFFFF;
    }
    std::vector<uint32_t> plain(pixels.size());
    MatrixShaperTransform(tables, SimdPath::Plain)
        .Apply(pixels.data(), plain.data(), pixels.size());
    for (const SimdPath path : SimdPaths) {
        if (ProcessorRuns(path)) {
            std::vector<uint32_t> out(pixels.size());
            MatrixShaperTransform(tables, path).Apply(pixels.data(), out.data(), pixels.size());
            EXPECT_EQ(plain, out) << SimdPathName(path);
        }
    }
}
