#include "tools/jpeg_writer.h"

#include "tools/jpeg_maker.h"

#include <exception>

JpegImage SolidImage(int32_t width, int32_t height, uint8_t red, uint8_t green, uint8_t blue) {
    JpegImage image;
    image.width = width;
    image.height = height;
    image.samples.reserve(static_cast<size_t>(width) * height * 3);
    for (int64_t i = 0; i < int64_t{width} * height; ++i) {
        image.samples.insert(image.samples.end(), {red, green, blue});
    }
    return image;
}

bool WriteJpeg(const char* path, const JpegImage& image) {
    JpegRecipe recipe;
    recipe.width = image.width;
    recipe.height = image.height;
    recipe.colours = image.greyscale ? JpegColours::Grey : JpegColours::Colour;
    recipe.kind = image.progressive ? JpegKind::Progressive : JpegKind::Baseline;
    recipe.sampling = JpegSampling::Halved;
    recipe.quality = 90;
    try {
        WriteFile(path, MakeJpeg(recipe, image.samples));
    } catch (const std::exception&) {
        return false;
    }
    return true;
}
