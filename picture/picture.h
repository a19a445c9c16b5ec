// One decoded picture, held as a 32-bit top-down device-independent bitmap:
// each pixel the little-endian value 0x00RRGGBB (bytes blue, green, red, 0),
// rows contiguous with a stride of width * 4 bytes.
#pragma once

#include <cstdint>

class CDC;

class Picture {
public:
    Picture();
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

    int32_t sourceHeight = 0;
    int32_t sourceWidth = 0;
    int32_t height = 0;
    int32_t width = 0;
    int32_t components = 0;
    int32_t loaded = 0;
    int32_t failed = 0;
    int32_t dithered = 0;
    uint32_t* pixels = nullptr;
    void* header = nullptr; // a BITMAPINFO describing pixels
};
