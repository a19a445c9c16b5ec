// One decoded picture, held as a 32-bit top-down device-independent bitmap:
// each pixel the little-endian value 0x00RRGGBB (bytes blue, green, red, 0),
// rows contiguous with a stride of width * 4 bytes.
#pragma once

#include "picture/bitmap_info.h"
#include "picture/exif_date.h"
#include "picture/exif_orientation.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>

struct DisplayFormat;
struct DitherTables;

class Picture {
public:
    // Empty until the first load, then failed or ready. A ready picture becomes
    // dithered when it is first prepared for a display that needs the dither.
    enum class State { Empty, Failed, Ready, Dithered };
    // The reductions that Resize applies, by kind.
    enum class Reduction : int32_t { TwoThirds = 3, ThreeQuarters = 4, Half = 5 };
    // How a load brings a picture to its box: reduced in fixed steps until it
    // fits, or fitted exactly (see picture/fit_size.h) through a resampling
    // filter.
    enum class Sizing { Reduce, Fit };

    Picture() = default;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    // A moved picture leaves an empty one behind.
    Picture(Picture&& other) noexcept;
    Picture& operator=(Picture&& other) noexcept;

    // Releases the pixels and the taken date and returns to the empty state;
    // the size stays.
    void Free();
    // Decodes the file and reduces it until it fits maxWidth x maxHeight, or
    // fits it to that box, and reads the day it was taken. The picture is then
    // ready, or failed and without pixels or date. A decode still under way
    // when `abandon` (if given) becomes true stops there and fails.
    void Load(const char* path, int32_t maxWidth, int32_t maxHeight, Sizing sizing = Sizing::Reduce,
              const std::atomic_bool* abandon = nullptr);
    // Holds pixels made elsewhere (width x height, rows top-down) as a ready
    // picture; without pixels the picture is failed.
    void Adopt(int32_t width, int32_t height, std::unique_ptr<uint32_t[]> pixels);
    // The device-independent part of drawing: false when there is nothing to
    // draw; otherwise dithers the pixels once if the display needs it.
    bool PrepareDraw(const DisplayFormat& display);
    // Replaces the pixels by a reduced copy. Does nothing unless the picture is
    // drawable.
    void Resize(Reduction kind);
    // Makes the pixels a frame of a fade: `level` sixteenths of the way from
    // `from` to `to` (each Width() x Height() pixels, or null for black; see
    // picture/pixel_mix.h). The picture is then ready, undithered. Does nothing
    // unless the picture is drawable.
    void Mix(const uint32_t* from, const uint32_t* to, int level);

    State GetState() const { return state; }
    bool IsDrawable() const { return state == State::Ready || state == State::Dithered; }
    int32_t Width() const { return width; }
    int32_t Height() const { return height; }
    // The size that the file's header gives, and its colour components per pixel.
    int32_t SourceWidth() const { return sourceWidth; }
    int32_t SourceHeight() const { return sourceHeight; }
    int32_t Components() const { return components; }
    // Both null unless the picture is drawable.
    const uint32_t* Pixels() const { return pixels.get(); }
    // The pixels to write on before the picture is prepared for a display:
    // null unless it is ready and not dithered.
    uint32_t* PixelsToWriteOn() { return state == State::Ready ? pixels.get() : nullptr; }
    const BitmapInfo* Header() const { return IsDrawable() ? &header : nullptr; }
    // The day the photo was taken, as its file's Exif data records it; none
    // when it records none (see picture/exif_date.h), or for adopted pixels.
    const std::optional<TakenDate>& Taken() const { return taken; }

private:
    struct JpegSession;

    void Fail();
    void HoldPixels(std::unique_ptr<uint32_t[]> buffer, int32_t newWidth, int32_t newHeight);
    bool DecodeJpeg(std::FILE* file, int32_t maxWidth, int32_t maxHeight, Sizing sizing,
                    const std::atomic_bool* abandon, Orientation& orientation);
    bool ReadJpeg(JpegSession& session, int32_t maxWidth, int32_t maxHeight, Sizing sizing);
    void LoadOtherFormat(const char* path, int32_t maxWidth, int32_t maxHeight, Sizing sizing,
                         const std::atomic_bool* abandon);
    void ReduceToFit(int32_t maxWidth, int32_t maxHeight);
    void Orient(Orientation orientation);
    void Dither(const DitherTables& tables);
    void ReduceThreeQuarters();
    void ReduceTwoThirds();
    void Halve();

    State state = State::Empty;
    int32_t sourceHeight = 0;
    int32_t sourceWidth = 0;
    int32_t height = 0;
    int32_t width = 0;
    int32_t components = 0;
    std::unique_ptr<uint32_t[]> pixels;
    std::optional<TakenDate> taken;
    // Describes pixels for the Win32 DIB functions.
    BitmapInfo header{};
};
