// Writes JPEG files with libjpeg's compressor: the program's sample pictures
// and the pictures that the tests put in a show's folder.
#pragma once

#include <cstdint>
#include <vector>

struct JpegImage {
    int32_t width = 0;
    int32_t height = 0;
    bool greyscale = false; // one byte per pixel instead of red, green, blue
    bool progressive = false;
    std::vector<uint8_t> samples; // rows top-down, no padding
};

// An image of one colour.
JpegImage SolidImage(int32_t width, int32_t height, uint8_t red, uint8_t green, uint8_t blue);

// Writes the image as a JPEG file of quality 90; false when the file cannot be
// written.
bool WriteJpeg(const char* path, const JpegImage& image);
