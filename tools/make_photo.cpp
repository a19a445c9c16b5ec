// Writes one photograph-like JPEG file (tools/jpeg_maker.h's PhotoSamples) of
// the given size, progressive, with full colour (4:4:4) and at another quality
// than 90 if asked for: a picture that takes the decoder a camera file's time.
//   make_photo WIDTH HEIGHT FILE [progressive] [444] [quality=N]
#include "tools/jpeg_maker.h"

#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    if (argc < 4) {
        return 2;
    }
    JpegRecipe recipe;
    recipe.width = std::atoi(argv[1]);
    recipe.height = std::atoi(argv[2]);
    recipe.sampling = JpegSampling::Halved;
    recipe.quality = 90;
    for (int i = 4; i < argc; ++i) {
        if (std::strcmp(argv[i], "progressive") == 0) {
            recipe.kind = JpegKind::Progressive;
        } else if (std::strcmp(argv[i], "444") == 0) {
            recipe.sampling = JpegSampling::Full;
        } else if (std::strncmp(argv[i], "quality=", 8) == 0) {
            recipe.quality = std::atoi(argv[i] + 8);
        }
    }
    WriteFile(argv[3], MakeJpeg(recipe, PhotoSamples(recipe.width, recipe.height)));
    return 0;
}
