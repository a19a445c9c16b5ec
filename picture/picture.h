// One decoded picture, held as a 32-bit top-down device-independent bitmap:
// each pixel the little-endian value 0x00RRGGBB (bytes blue, green, red, 0),
// rows contiguous with a stride of width * 4 bytes.
#pragma once

#include "picture/bitmap_info.h"

#include <cstdint>
#include <cstdio>
#include <memory>

class CDC;

class Picture {
public:
    // The reductions that Resize applies, by kind.
    static constexpr int32_t TwoThirds = 3;
    static constexpr int32_t ThreeQuarters = 4;
    static constexpr int32_t Half = 5;

    Picture() = default;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    ~Picture();

    // Releases the pixels and the header and returns to the empty state.
    void Free();
    // Decodes the file and reduces it until it fits maxWidth x maxHeight. The
    // outcome is in loaded, failed, width and height.
    void Load(const char* path, int32_t maxWidth, int32_t maxHeight);
    // Draws the picture with its top-left pixel at (x, y) of the device context,
    // dithering it first (once) on palette and high-colour displays.
    void Draw(CDC& dc, int32_t x, int32_t y);
    // The device-independent part of Draw: false when there is nothing to draw;
    // otherwise dithers the pixels if the display needs it and they are not yet.
    bool PrepareDraw();
    // Replaces the pixels by a reduced copy: TwoThirds, ThreeQuarters or Half.
    // Does nothing unless the picture is drawable.
    void Resize(int32_t kind);

    int32_t sourceHeight = 0;
    int32_t sourceWidth = 0;
    int32_t height = 0;
    int32_t width = 0;
    int32_t components = 0;
    int32_t loaded = 0;
    int32_t failed = 0;
    int32_t dithered = 0;
    std::unique_ptr<uint32_t[]> pixels;
    std::unique_ptr<BitmapInfo> header;

private:
    struct JpegSession;

    void Fail();
    void DecodeJpeg(std::FILE* file, int32_t maxWidth, int32_t maxHeight);
    bool ReadJpeg(JpegSession& session, int32_t maxWidth, int32_t maxHeight);
    void ReduceToFit(int32_t maxWidth, int32_t maxHeight);
    void BuildHeader();
    void Dither();
    void ReduceThreeQuarters();
    void ReduceTwoThirds();
    void Halve();
};
