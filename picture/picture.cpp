#include "picture/picture.h"

#include "picture/jpeg_name.h"

#include <new>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "pixels are 0x00RRGGBB values read as the bytes blue, green, red, 0");

Picture::~Picture() {
    Free();
}

void Picture::Free() {
    pixels.reset();
    header.reset();
    loaded = 0;
    failed = 0;
    dithered = 0;
}

void Picture::Fail() {
    Free();
    loaded = 1;
    failed = 1;
}

void Picture::Load(const char* path, int32_t maxWidth, int32_t maxHeight) {
    Free();
    failed = 0;
    loaded = 1;
    dithered = 0;
    if (!IsJpegName(path)) {
        Fail();
        return;
    }
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        Fail();
        return;
    }
    // A negative box could never be met; it is taken as an empty one.
    maxWidth = maxWidth < 0 ? 0 : maxWidth;
    maxHeight = maxHeight < 0 ? 0 : maxHeight;
    DecodeJpeg(file, maxWidth, maxHeight);
    std::fclose(file);
    if (failed) {
        Fail();
        return;
    }
    ReduceToFit(maxWidth, maxHeight);
    if (failed) {
        return;
    }
    BuildHeader();
}

// The gentlest single reduction that makes the picture fit is taken; when none
// does, the picture is halved and the test repeats. The reductions truncate the
// size, so a reduction chosen because it fits always ends the loop.
void Picture::ReduceToFit(int32_t maxWidth, int32_t maxHeight) {
    while (!failed && (height > maxHeight || width > maxWidth)) {
        if (3 * height / 4 <= maxHeight && 3 * width / 4 <= maxWidth) {
            Resize(ThreeQuarters);
        } else if (2 * height / 3 <= maxHeight && 2 * width / 3 <= maxWidth) {
            Resize(TwoThirds);
        } else {
            Resize(Half);
        }
    }
}

void Picture::BuildHeader() {
    if (!header) {
        header.reset(new (std::nothrow) BitmapInfo());
        if (!header) {
            Fail();
            return;
        }
    }
    BitmapInfoHeader& h = header->bmiHeader;
    h.biSize = sizeof(BitmapInfoHeader);
    h.biWidth = width;
    h.biHeight = -height; // negative: the rows are stored top-down
    h.biPlanes = 1;
    h.biBitCount = 32;
    h.biCompression = 0; // BI_RGB
    h.biSizeImage = 0;
    h.biXPelsPerMeter = 1000;
    h.biYPelsPerMeter = 1000;
    h.biClrUsed = 0;
    h.biClrImportant = 0;
}
