// The once-per-picture ordered dither for palette and high-colour displays: the
// offsets are added here, and the device's own colour reduction (the nearest
// palette colour, or the dropped low bits) completes the dither when drawing.
#include "display/dither.h"

#include "display/dither_tables.h"

namespace {
// The offsets of one 16-pixel stretch of a row in the pixels' byte order (blue,
// green, red, fourth byte), so that a row is dithered byte by byte.
using RowOffsets = int8_t[64];

void FillRowOffsets(const DitherTables& tables, int32_t row, RowOffsets& offsets) {
    const int32_t base = (row % 16) * 16;
    for (int32_t column = 0; column < 16; ++column) {
        const int32_t k = base + column;
        offsets[4 * column] = static_cast<int8_t>(tables.DitherBlue[k]);
        offsets[4 * column + 1] = static_cast<int8_t>(tables.DitherGreen[k]);
        offsets[4 * column + 2] = static_cast<int8_t>(tables.DitherRed[k]);
        offsets[4 * column + 3] = 0; // the fourth byte stays as it is
    }
}

// Adds the offsets to count bytes, each result clamped to 0..255.
void AddClamped(uint8_t* bytes, const int8_t* offsets, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        const int32_t t = bytes[i] + offsets[i];
        bytes[i] = static_cast<uint8_t>(t < 0 ? 0 : (t > 255 ? 255 : t));
    }
}

// The pattern is anchored at the picture's top-left pixel and repeats every 16
// pixels in both directions.
void Dither(uint32_t* pixels, int32_t width, int32_t height, const DitherTables& tables) {
    const int32_t rowBytes = 4 * width;
    uint8_t* bytes = reinterpret_cast<uint8_t*>(pixels);
    RowOffsets offsets;
    for (int32_t y = 0; y < height; ++y, bytes += rowBytes) {
        FillRowOffsets(tables, y, offsets);
        int32_t done = 0;
        for (; done + 64 <= rowBytes; done += 64) {
            AddClamped(bytes + done, offsets, 64);
        }
        AddClamped(bytes + done, offsets, rowBytes - done);
    }
}
} // namespace

bool PrepareDraw(Picture& picture, const DisplayFormat& display) {
    if (!picture.IsDrawable()) {
        return false;
    }
    if (display.NeedsDither() && picture.GetState() == Picture::State::Ready) {
        Dither(picture.PixelsToWriteOn(), picture.Width(), picture.Height(), display.dither);
        picture.MarkDithered();
    }
    return true;
}
