// Writes the fuzz target's first inputs, small JPEG files of every kind the
// loader meets, into a fresh directory.
//   make_fuzz_seeds DIR
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
    // A header that claims far more than the data holds.
    JpegRecipe small =
        Recipe(16, 16, JpegColours::Colour, JpegKind::Baseline, JpegSampling::Halved);
    std::vector<uint8_t> claims = MakeJpeg(small, Pattern(small, 3));
    SetFrameSize(claims, 4000, 3000);
    WriteFile((dir / "claims-more.jpg").string(), claims);
    return 0;
}
