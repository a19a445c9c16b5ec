#include "picture/row_conversion.h"

void ConvertGreyRow(const uint8_t* samples, uint32_t* pixels, int32_t width) {
    for (int32_t x = 0; x < width; ++x) {
        const uint32_t g = samples[x];
        pixels[x] = (g << 16) | (g << 8) | g;
    }
}

void ConvertRgbRow(const uint8_t* samples, uint32_t* pixels, int32_t width) {
    for (int32_t x = 0; x < width; ++x, samples += 3) {
        pixels[x] = (uint32_t{samples[0]} << 16) | (uint32_t{samples[1]} << 8) | samples[2];
    }
}

void ConvertCmykRow(const uint8_t* samples, uint32_t* pixels, int32_t width) {
    for (int32_t x = 0; x < width; ++x, samples += 4) {
        const uint32_t k = samples[3];
        const uint32_t red = samples[0] * k / 255;
        const uint32_t green = samples[1] * k / 255;
        const uint32_t blue = samples[2] * k / 255;
        pixels[x] = (red << 16) | (green << 8) | blue;
    }
}
