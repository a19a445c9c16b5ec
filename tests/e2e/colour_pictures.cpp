// Writes the colour-managed show's pictures into DIR, each 1024 x 768 of one
// stored colour: a.jpg green tagged with a profile that swaps red and green
// (so red on screen), b.jpg blue and untagged, d.jpg green with that profile
// cut in half (so shown as stored); and the profile itself as swap.icm, which
// the script embeds into a PNG and sets as the monitor's.
//   colour_pictures DIR
#include "tools/icc_maker.h"
#include "tools/jpeg_maker.h"

#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    const std::string dir = argv[1];
    const std::vector<uint8_t> swap = SwappedRedGreenIcc();
    const std::vector<uint8_t> cut(swap.begin(), swap.begin() + long(swap.size() / 2));
    JpegRecipe recipe;
    recipe.width = 1024;
    recipe.height = 768;
    recipe.app2 = IccMarkers(swap);
    WriteFile(dir + "\\a.jpg", MakeJpeg(recipe, Uniform(recipe, {0, 255, 0})));
    recipe.app2.clear();
    WriteFile(dir + "\\b.jpg", MakeJpeg(recipe, Uniform(recipe, {0, 0, 255})));
    recipe.app2 = IccMarkers(cut);
    WriteFile(dir + "\\d.jpg", MakeJpeg(recipe, Uniform(recipe, {0, 255, 0})));
    WriteFile(dir + "\\swap.icm", swap);
    return 0;
}
