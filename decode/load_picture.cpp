#include "decode/load_picture.h"

#include "decode/jpeg_decoder.h"
#include "decode/jpeg_name.h"
#include "decode/picture_file.h"
#include "decode/platform_decoder.h"
#include "picture/zoom_headroom.h"

#include <algorithm>
#include <utility>

namespace {
bool DecodeJpegFile(const char* path, int32_t maxWidth, int32_t maxHeight, Picture::Sizing sizing,
                    bool headroom, const std::atomic_bool* abandon, ColourConversion* colour,
                    DecodedPicture& decoded) {
    std::FILE* file = OpenPictureFile(path);
    if (file == nullptr) {
        return false;
    }
    const bool done =
        DecodeJpeg(file, maxWidth, maxHeight, sizing, headroom, abandon, colour, decoded);
    std::fclose(file);
    return done;
}

// A picture of another format is decoded by the platform straight to its size:
// fitted, or the size the reductions would give a JPEG file of its size, so
// that pictures of all formats look alike; with the headroom, fitted around it.
bool DecodeOtherFormat(const char* path, int32_t maxWidth, int32_t maxHeight,
                       Picture::Sizing sizing, bool headroom, const std::atomic_bool* abandon,
                       DecodedPicture& decoded) {
    const auto choose = [=](PictureSize source, Orientation orientation) {
        int32_t boxWidth = maxWidth, boxHeight = maxHeight;
        TurnBox(orientation, boxWidth, boxHeight);
        const PictureSize frame = FrameSize(source, boxWidth, boxHeight, sizing);
        return headroom ? HeadroomSize(source, frame) : frame;
    };
    return DecodeWithPlatform(path, choose, abandon, decoded);
}

// The frame of a picture decoded with the headroom, as stored. A file cut off
// early keeps the part of its frame that the rows which came cover.
PictureSize HeadroomFrame(const DecodedPicture& decoded, int32_t maxWidth, int32_t maxHeight,
                          Picture::Sizing sizing) {
    TurnBox(decoded.orientation, maxWidth, maxHeight);
    PictureSize frame = FrameSize(decoded.source, maxWidth, maxHeight, sizing);
    const int64_t fullHeight = HeadroomSize(decoded.source, frame).height;
    if (decoded.size.height < fullHeight) {
        frame.height = int32_t(std::max<int64_t>(
            1, (2 * frame.height * int64_t{decoded.size.height} + fullHeight) / (2 * fullHeight)));
    }
    return frame;
}

// Grey pixels are read as grey through a grey profile; the grey of sRGB and
// of Adobe RGB is read as their colours are.
void ConvertColours(Picture& picture, const DecodedPicture& decoded, ColourConversion& colour) {
    const bool greyProfile = decoded.components == 1 && decoded.colour.IccBytes() != nullptr;
    colour.transforms.Convert(picture.PixelsToWriteOn(),
                              size_t(picture.Width()) * size_t(picture.Height()), decoded.colour,
                              greyProfile ? PixelColours::Grey : PixelColours::Rgb, colour.target);
}
} // namespace

Picture LoadPictureFile(const char* path, int32_t maxWidth, int32_t maxHeight,
                        Picture::Sizing sizing, const std::atomic_bool* abandon, bool headroom,
                        ColourConversion* colour) {
    // A negative box could never be met; it is taken as an empty one.
    maxWidth = maxWidth < 0 ? 0 : maxWidth;
    maxHeight = maxHeight < 0 ? 0 : maxHeight;
    const bool jpeg = IsJpegName(path);
    DecodedPicture decoded;
    Picture picture;
    if (!(jpeg
              ? DecodeJpegFile(path, maxWidth, maxHeight, sizing, headroom, abandon, colour,
                               decoded)
              : DecodeOtherFormat(path, maxWidth, maxHeight, sizing, headroom, abandon, decoded))) {
        picture.Fail();
        return picture;
    }
    picture.Adopt(decoded.size.width, decoded.size.height, std::move(decoded.pixels));
    picture.Describe(decoded.source, decoded.components, decoded.taken);
    if (headroom && decoded.size.width > 0 && decoded.size.height > 0) {
        picture.SetFrame(HeadroomFrame(decoded, maxWidth, maxHeight, sizing));
    } else if (jpeg && sizing == Picture::Sizing::Reduce) {
        // A JPEG file is reduced as stored, against the box turned with it.
        TurnBox(decoded.orientation, maxWidth, maxHeight);
        picture.ReduceToFit(maxWidth, maxHeight);
    }
    if (colour != nullptr && picture.IsDrawable()) {
        ConvertColours(picture, decoded, *colour);
    }
    picture.Orient(decoded.orientation);
    return picture;
}
