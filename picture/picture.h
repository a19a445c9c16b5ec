// One decoded picture, held as a 32-bit top-down device-independent bitmap:
// each pixel the little-endian value 0x00RRGGBB (bytes blue, green, red, 0),
// rows contiguous with a stride of width * 4 bytes.
#pragma once

#include "picture/bitmap_info.h"
#include "picture/fit_size.h"
#include "picture/orientation.h"
#include "picture/taken_date.h"

#include <cstdint>
#include <memory>
#include <optional>

struct PlacedPixels;

class Picture {
public:
    // Empty until the first load, then failed or ready. A ready picture becomes
    // dithered when it is first prepared for a display that needs the dither
    // (see display/dither.h).
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
    // As Free, and the picture is failed: it has nothing to draw.
    void Fail();
    // Holds pixels made elsewhere (width x height, rows top-down) as a ready
    // picture; without pixels the picture is failed.
    void Adopt(int32_t width, int32_t height, std::unique_ptr<uint32_t[]> pixels);
    // Records what the picture's file says of it: the size its header gives,
    // its colour components per pixel, and the day it was taken.
    void Describe(PictureSize source, int32_t sourceComponents, std::optional<TakenDate> day);
    // Records that the pixels hold a moving view's headroom around a frame of
    // this size on screen (as stored: Orient turns it with the pixels). The
    // reductions drop it: the reduced pixels are their own frame.
    void SetFrame(PictureSize frame);
    // Reductions, each the gentlest that fits or a half, until the picture
    // fits the box (see picture/reduced_size.h).
    void ReduceToFit(int32_t maxWidth, int32_t maxHeight);
    // Turns or mirrors the pixels as the orientation asks.
    void Orient(Orientation orientation);
    // The pixels have been given a display's dither: they are drawn as they
    // are from now on. Does nothing unless the picture is ready.
    void MarkDithered();
    // Replaces the pixels by a reduced copy. Does nothing unless the picture is
    // drawable.
    void Resize(Reduction kind);
    // Makes the pixels a frame of a fade: `level` sixteenths of the way from
    // `from` to `to` (each Width() x Height() pixels, or null for black; see
    // picture/pixel_mix.h). The picture is then ready, undithered. Does nothing
    // unless the picture is drawable.
    void Mix(const uint32_t* from, const uint32_t* to, int level);
    // Makes the pixels a frame of a crossfade of two placed pictures (see
    // picture/pixel_mix.h), the same way.
    void CrossMix(const PlacedPixels& from, const PlacedPixels& to, int level);

    State GetState() const { return state; }
    bool IsDrawable() const { return state == State::Ready || state == State::Dithered; }
    int32_t Width() const { return width; }
    int32_t Height() const { return height; }
    // The size of the picture's frame on screen: Width() x Height(), but for a
    // picture decoded with a moving view's headroom around its frame.
    int32_t FrameWidth() const { return frameWidth; }
    int32_t FrameHeight() const { return frameHeight; }
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
    // when it records none (see decode/exif_date.h), or for adopted pixels.
    const std::optional<TakenDate>& Taken() const { return taken; }

private:
    void HoldPixels(std::unique_ptr<uint32_t[]> buffer, int32_t newWidth, int32_t newHeight);
    void ReduceThreeQuarters();
    void ReduceTwoThirds();
    void Halve();

    State state = State::Empty;
    int32_t sourceHeight = 0;
    int32_t sourceWidth = 0;
    int32_t height = 0;
    int32_t width = 0;
    int32_t frameHeight = 0;
    int32_t frameWidth = 0;
    int32_t components = 0;
    std::unique_ptr<uint32_t[]> pixels;
    std::optional<TakenDate> taken;
    // Describes pixels for the Win32 DIB functions.
    BitmapInfo header{};
};
