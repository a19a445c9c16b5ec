// Writes eight photos as a phone stores them, 2016 x 1512 4:2:0, into DIR as
// o1.jpg to o8.jpg with the Exif orientation of their number: as stored, red
// and green over blue and white quarters around a grey square whose level, 28
// times the number, tells them apart however they are turned.
//   orientation_pictures DIR
#include "tools/jpeg_maker.h"

#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    JpegRecipe recipe;
    recipe.width = 2016;
    recipe.height = 1512;
    recipe.sampling = JpegSampling::Halved;
    for (int value = 1; value <= 8 && argc == 2; ++value) {
        const uint8_t grey = uint8_t(28 * value);
        const uint8_t colours[5][3] = {
            {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}, {grey, grey, grey}};
        std::vector<uint8_t> samples;
        for (int y = 0; y < 1512; ++y) {
            for (int x = 0; x < 2016; ++x) {
                const bool middle = std::abs(x - 1008) < 96 && std::abs(y - 756) < 96;
                const uint8_t* c = colours[middle ? 4 : 2 * (y / 756) + x / 1008];
                samples.insert(samples.end(), c, c + 3);
            }
        }
        recipe.app1 = ExifBlock(value);
        WriteFile(std::string(argv[1]) + "\\o" + std::to_string(value) + ".jpg",
                  MakeJpeg(recipe, samples));
    }
    return argc == 2 ? 0 : 2;
}
