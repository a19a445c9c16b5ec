// Writes the fuzz target's first inputs, small JPEG files of every kind the
// loader meets, into a fresh directory.
//   make_fuzz_seeds DIR
#include "tools/icc_maker.h"
#include "tools/jpeg_maker.h"

#include <filesystem>
#include <string>
#include <vector>

namespace {
std::vector<uint8_t> Pattern(const JpegRecipe& recipe, int components) {
    std::vector<uint8_t> samples;
    for (int y = 0; y < recipe.height; ++y) {
        for (int x = 0; x < recipe.width; ++x) {
            for (int c = 0; c < components; ++c) {
                samples.push_back(uint8_t((x * 37 + y * 11 + c * 85) ^ (x * y)));
            }
        }
    }
    return samples;
}

JpegRecipe Recipe(int width, int height, JpegColours colours, JpegKind kind,
                  JpegSampling sampling) {
    JpegRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.colours = colours;
    recipe.kind = kind;
    recipe.sampling = sampling;
    recipe.quality = 80;
    return recipe;
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    struct Seed {
        const char* name;
        JpegRecipe recipe;
        int components;
    };
    const Seed seeds[] = {
        {"baseline-420",
         Recipe(48, 40, JpegColours::Colour, JpegKind::Baseline, JpegSampling::Halved), 3},
        {"baseline-444",
         Recipe(33, 17, JpegColours::Colour, JpegKind::Baseline, JpegSampling::Full), 3},
        {"progressive-420",
         Recipe(40, 24, JpegColours::Colour, JpegKind::Progressive, JpegSampling::Halved), 3},
        {"progressive-grey",
         Recipe(24, 24, JpegColours::Grey, JpegKind::Progressive, JpegSampling::Full), 1},
        {"grey", Recipe(16, 16, JpegColours::Grey, JpegKind::Baseline, JpegSampling::Full), 1},
        {"cmyk", Recipe(16, 16, JpegColours::Cmyk, JpegKind::Baseline, JpegSampling::Full), 4},
        {"ycck", Recipe(16, 16, JpegColours::Ycck, JpegKind::Progressive, JpegSampling::Full), 4},
        {"thin", Recipe(1, 64, JpegColours::Colour, JpegKind::Baseline, JpegSampling::Halved), 3},
    };
    for (const Seed& seed : seeds) {
        WriteFile((dir / (std::string(seed.name) + ".jpg")).string(),
                  MakeJpeg(seed.recipe, Pattern(seed.recipe, seed.components)));
    }
    // The coding variants: an Exif orientation in either byte order (the
    // second with the dates taken and edited), restart markers, arithmetic
    // coding (single- and multi-scan).
    struct Variant {
        const char* name;
        JpegKind kind;
        std::vector<uint8_t> app1;
        int restartInterval;
        bool arithmetic;
    };
    const Variant variants[] = {
        {"exif-turned", JpegKind::Baseline, ExifBlock(6), 0, false},
        {"exif-mirrored-big-endian-dated", JpegKind::Progressive,
         ExifBlock(7, ByteOrder::Big, "2019:08:30 18:04:12", "2024:01:02 10:00:00"), 0, false},
        {"restarts", JpegKind::Baseline, {}, 2, false},
        {"restarts-progressive", JpegKind::Progressive, {}, 3, false},
        {"arithmetic", JpegKind::Baseline, {}, 0, true},
        {"arithmetic-progressive-restarts", JpegKind::Progressive, {}, 1, true},
    };
    for (const Variant& variant : variants) {
        JpegRecipe recipe = Recipe(40, 24, JpegColours::Colour, variant.kind, JpegSampling::Halved);
        recipe.app1 = variant.app1;
        recipe.restartInterval = variant.restartInterval;
        recipe.arithmetic = variant.arithmetic;
        WriteFile((dir / (std::string(variant.name) + ".jpg")).string(),
                  MakeJpeg(recipe, Pattern(recipe, 3)));
    }
    // Colour: embedded profiles in several chunks (RGB, grey, CMYK with a
    // small table) and the Exif mark of Adobe RGB.
    struct Tagged {
        const char* name;
        JpegColours colours;
        int components;
        std::vector<uint8_t> profile;
    };
    const Tagged tagged[] = {
        {"icc-p3", JpegColours::Colour, 3, DisplayP3Icc()},
        {"icc-grey", JpegColours::Grey, 1, GreyIcc()},
        {"icc-cmyk", JpegColours::Cmyk, 4, CmykIcc(3)},
    };
    for (const Tagged& seed : tagged) {
        JpegRecipe recipe = Recipe(16, 16, seed.colours, JpegKind::Baseline, JpegSampling::Full);
        recipe.app2 = IccMarkers(seed.profile, 256);
        WriteFile((dir / (std::string(seed.name) + ".jpg")).string(),
                  MakeJpeg(recipe, Pattern(recipe, seed.components)));
    }
    JpegRecipe adobe = Recipe(16, 16, JpegColours::Colour, JpegKind::Baseline, JpegSampling::Full);
    adobe.app1 = ColourSpaceExifBlock(0xFFFF, "R03");
    WriteFile((dir / "exif-adobe-rgb.jpg").string(), MakeJpeg(adobe, Pattern(adobe, 3)));
    // Headers that claim more than the data holds: a little more, and a huge
    // progressive picture.
    JpegRecipe small =
        Recipe(16, 16, JpegColours::Colour, JpegKind::Baseline, JpegSampling::Halved);
    std::vector<uint8_t> claims = MakeJpeg(small, Pattern(small, 3));
    SetFrameSize(claims, 400, 300);
    WriteFile((dir / "claims-more.jpg").string(), claims);
    small.kind = JpegKind::Progressive;
    std::vector<uint8_t> huge = MakeJpeg(small, Pattern(small, 3));
    SetFrameSize(huge, 20000, 20000);
    WriteFile((dir / "claims-huge.jpg").string(), huge);
    return 0;
}
