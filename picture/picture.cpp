#include "picture/picture.h"

#include "picture/reduced_size.h"

#include <utility>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "pixels are 0x00RRGGBB values read as the bytes blue, green, red, 0");

Picture::Picture(Picture&& other) noexcept {
    *this = std::move(other);
}

Picture& Picture::operator=(Picture&& other) noexcept {
    state = other.state;
    sourceHeight = other.sourceHeight;
    sourceWidth = other.sourceWidth;
    height = other.height;
    width = other.width;
    frameHeight = other.frameHeight;
    frameWidth = other.frameWidth;
    components = other.components;
    pixels = std::move(other.pixels);
    taken = other.taken;
    header = other.header;
    other.state = State::Empty;
    other.taken.reset();
    return *this;
}

void Picture::Free() {
    pixels.reset();
    taken.reset();
    state = State::Empty;
}

void Picture::Fail() {
    Free();
    state = State::Failed;
}

void Picture::Adopt(int32_t newWidth, int32_t newHeight, std::unique_ptr<uint32_t[]> buffer) {
    Free();
    if (!buffer) {
        Fail();
        return;
    }
    HoldPixels(std::move(buffer), newWidth, newHeight);
    SetFrame({width, height});
    state = State::Ready;
}

void Picture::Describe(PictureSize source, int32_t sourceComponents, std::optional<TakenDate> day) {
    sourceWidth = source.width;
    sourceHeight = source.height;
    components = sourceComponents;
    taken = day;
}

void Picture::SetFrame(PictureSize frame) {
    frameWidth = frame.width;
    frameHeight = frame.height;
}

void Picture::MarkDithered() {
    state = state == State::Ready ? State::Dithered : state;
}

// The header is rewritten with every change of the pixels, so it always
// describes them.
void Picture::HoldPixels(std::unique_ptr<uint32_t[]> buffer, int32_t newWidth, int32_t newHeight) {
    pixels = std::move(buffer);
    width = newWidth;
    height = newHeight;
    BitmapInfoHeader& h = header.bmiHeader;
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

void Picture::ReduceToFit(int32_t maxWidth, int32_t maxHeight) {
    while (IsDrawable()) {
        const std::optional<Reduction> kind = NextReduction(width, height, maxWidth, maxHeight);
        if (!kind) {
            return;
        }
        Resize(*kind);
    }
}
