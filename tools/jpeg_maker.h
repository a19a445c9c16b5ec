// JPEG files made with libjpeg's compressor from known samples: the tests' pictures
// and the sample pictures, so that no picture file has to live in the repository.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class JpegKind {
    Baseline,
    Progressive,
};

enum class JpegSampling {
    Full,   // 4:4:4, every component at full resolution
    Halved, // 4:2:0, the colour components at half resolution both ways
};

// What the file stores for the given samples: grey (1 component per pixel), RGB
// colour as YCbCr (3), CMYK or YCCK (4, Adobe's inverted convention, 255 meaning
// no ink), or two components of no known colour space (2).
enum class JpegColours {
    Grey,
    Colour,
    Cmyk,
    Ycck,
    TwoComponents,
};

struct JpegRecipe {
    int width = 16;
    int height = 16;
    JpegColours colours = JpegColours::Colour;
    JpegKind kind = JpegKind::Baseline;
    JpegSampling sampling = JpegSampling::Full;
    int quality = 100;
    // Written as an APP1 marker's data in place of the JFIF header (an Exif
    // block, see ExifBlock); no APP1 marker when empty.
    std::vector<uint8_t> app1;
    // Written as APP2 markers' data after it (an ICC profile's chunks, see
    // IccMarkers).
    std::vector<std::vector<uint8_t>> app2;
    // A restart marker after every this many coding units; none when 0.
    int restartInterval = 0;
    // Arithmetic coding instead of Huffman coding.
    bool arithmetic = false;
};

enum class ByteOrder {
    Little, // "II"
    Big,    // "MM"
};

// An Exif block as cameras write it: the TIFF structure in the given byte order,
// its first directory holding the camera's make (a string stored after the
// directory) and the Orientation tag with the given value; with the DateTime
// text `edited` when that is not empty, and with an Exif directory holding the DateTimeOriginal
// text `taken` when that is not empty.
std::vector<uint8_t> ExifBlock(int orientation, ByteOrder order = ByteOrder::Little,
                               const std::string& taken = {}, const std::string& edited = {});

// An Exif block whose Exif directory holds ColorSpace with the given value
// and points to an interoperability directory with the index text (such as
// "R03", which with ColorSpace 0xFFFF marks Adobe RGB).
std::vector<uint8_t> ColourSpaceExifBlock(uint16_t colourSpace, const std::string& index);

// The APP2 markers' data that carry the profile in chunks of at most
// `chunkBytes` bytes, numbered from 1.
std::vector<std::vector<uint8_t>> IccMarkers(const std::vector<uint8_t>& profile,
                                             size_t chunkBytes = 65519);

// Samples are interleaved, row by row, as many per pixel as the colours need
// (1, 3, 4 or 2).
std::vector<uint8_t> MakeJpeg(const JpegRecipe& recipe, const std::vector<uint8_t>& samples);

// Samples of one colour (as many values as the recipe's colours need) everywhere.
std::vector<uint8_t> Uniform(const JpegRecipe& recipe, const std::vector<uint8_t>& colour);

// RGB samples with smooth light over large shapes, hard edges, texture and
// grain: about what a camera's file holds, so that the decoder has a
// photograph's amount of work.
std::vector<uint8_t> PhotoSamples(int width, int height);

// Rewrites the frame header's size, leaving the data as it is: a file that
// claims any size, as a hostile or damaged file can.
void SetFrameSize(std::vector<uint8_t>& jpeg, uint16_t width, uint16_t height);

// Repeats the last scan (from its start-of-scan marker to the end-of-image
// marker) so that the file has `extra` more scans.
void RepeatLastScan(std::vector<uint8_t>& jpeg, int extra);

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
