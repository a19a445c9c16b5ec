#include "picture/picture.h"

#include "picture/jpeg_name.h"
#include "picture/picture_file.h"
#include "picture/platform_decoder.h"
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

void Picture::Load(const char* path, int32_t maxWidth, int32_t maxHeight, Sizing sizing,
                   const std::atomic_bool* abandon) {
    Free();
    // A negative box could never be met; it is taken as an empty one.
    maxWidth = maxWidth < 0 ? 0 : maxWidth;
    maxHeight = maxHeight < 0 ? 0 : maxHeight;
    if (!IsJpegName(path)) {
        LoadOtherFormat(path, maxWidth, maxHeight, sizing, abandon);
        return;
    }
    std::FILE* file = OpenPictureFile(path);
    if (file == nullptr) {
        Fail();
        return;
    }
    Orientation orientation = Orientation::Upright;
    const bool decoded = DecodeJpeg(file, maxWidth, maxHeight, sizing, abandon, orientation);
    std::fclose(file);
    if (!decoded) {
        Fail();
        return;
    }
    state = State::Ready;
    // The picture is reduced or fitted as stored, against the box turned with
    // it, and turned or mirrored last, when it is smallest.
    if (sizing == Sizing::Reduce) {
        TurnBox(orientation, maxWidth, maxHeight);
        ReduceToFit(maxWidth, maxHeight);
    }
    Orient(orientation);
}

// A picture of another format is decoded by the platform straight to its size:
// fitted, or the size the reductions would give a JPEG file of its size, so
// that pictures of all formats look alike. It is turned or mirrored last.
void Picture::LoadOtherFormat(const char* path, int32_t maxWidth, int32_t maxHeight, Sizing sizing,
                              const std::atomic_bool* abandon) {
    const auto choose = [=](PictureSize source, Orientation orientation) {
        int32_t boxWidth = maxWidth, boxHeight = maxHeight;
        TurnBox(orientation, boxWidth, boxHeight);
        return sizing == Sizing::Fit
                   ? FitSize(source.width, source.height, boxWidth, boxHeight)
                   : ReducedSize(source.width, source.height, boxWidth, boxHeight);
    };
    PlatformPicture decoded;
    if (!DecodeWithPlatform(path, choose, abandon, decoded)) {
        Fail();
        return;
    }
    sourceWidth = decoded.source.width;
    sourceHeight = decoded.source.height;
    components = 3;
    taken = decoded.taken;
    HoldPixels(std::move(decoded.pixels), decoded.size.width, decoded.size.height);
    state = State::Ready;
    Orient(decoded.orientation);
}

void Picture::Adopt(int32_t newWidth, int32_t newHeight, std::unique_ptr<uint32_t[]> buffer) {
    Free();
    if (!buffer) {
        Fail();
        return;
    }
    HoldPixels(std::move(buffer), newWidth, newHeight);
    state = State::Ready;
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

// Reductions, each the gentlest that fits or a half, until the picture fits.
void Picture::ReduceToFit(int32_t maxWidth, int32_t maxHeight) {
    while (IsDrawable()) {
        const std::optional<Reduction> kind = NextReduction(width, height, maxWidth, maxHeight);
        if (!kind) {
            return;
        }
        Resize(*kind);
    }
}
