// The memory layout of the Win32 BITMAPINFO that describes a picture's pixels
// (a BITMAPINFOHEADER followed by one colour-table entry), spelt out with
// fixed-width fields so that the header is built without windows.h.
#pragma once

#include <cstdint>

struct BitmapInfoHeader {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight;
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
};

struct BitmapInfo {
    BitmapInfoHeader bmiHeader;
    uint8_t bmiColors[1][4]; // blue, green, red, reserved; nothing reads it
};

static_assert(sizeof(BitmapInfoHeader) == 40, "BITMAPINFOHEADER is 40 bytes");
static_assert(sizeof(BitmapInfo) == 44, "BITMAPINFO with one colour is 44 bytes");
