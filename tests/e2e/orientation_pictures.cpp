// A Windows program of the orientation end-to-end test: writes eight photos
// as a phone stores them, 2016 x 1512 (landscape, 4:2:0), into DIR as o1.jpg to
// o8.jpg, each with the Exif orientation of its number. As stored, the photo's
// quarters are red, green over blue, white, and a grey square in its middle,
// level 28 times the number, tells the photos apart however they are turned.
//   orientation_pictures DIR
#include "tools/jpeg_maker.h"

#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    JpegRecipe recipe;
    recipe.width = 2016;
    recipe.height = 1512;
    recipe.sampling = JpegSampling::Halved;
    recipe.quality = 90;
    const uint8_t quarters[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    for (int value = 1; value <= 8; ++value) {
        std::vector<uint8_t> samples;
        samples.reserve(size_t(recipe.width) * size_t(recipe.height) * 3);
        const uint8_t grey[3] = {uint8_t(28 * value), uint8_t(28 * value), uint8_t(28 * value)};
        for (int y = 0; y < recipe.height; ++y) {
            for (int x = 0; x < recipe.width; ++x) {
                const bool middle = std::abs(x - 1008) < 96 && std::abs(y - 756) < 96;
                const uint8_t* c = middle ? grey : quarters[(y / 756) * 2 + x / 1008];
                samples.insert(samples.end(), c, c + 3);
            }
        }
        recipe.app1 = ExifBlock(value);
        WriteFile(std::string(argv[1]) + "\\o" + std::to_string(value) + ".jpg",
                  MakeJpeg(recipe, samples));
    }
    return 0;
}
