// Pictures of formats other than JPEG, decoded by the platform: on Windows every
// format for which a decoder of the Windows Imaging Component is installed
// (PNG, GIF, TIFF, BMP, and HEIF, WebP, AVIF or camera raw files where their
// codecs are), natively none. Called on the show's worker thread only, which
// holds everything of the platform's decoders for the call alone.
#pragma once

#include "decode/decoded_picture.h"
#include "picture/fit_size.h"
#include "picture/orientation.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The extensions, without their dot, of the photo formats the platform decodes
// besides JPEG (icons, cursors and textures are not photos).
std::vector<std::string> PlatformPictureExtensions();

// Chooses the size a picture of the source size, in the orientation its file
// gives, is decoded at; an empty size refuses it.
using PlatformSizeChoice = std::function<PictureSize(PictureSize source, Orientation orientation)>;

// Pictures claiming more than this many pixels, or a side longer than JPEG's
// longest, are refused before any of their pixels are decoded: the platform's
// decoders may hold them whole, and the resampler's tables grow with a side.
constexpr uint64_t MaxPlatformPixels = uint64_t{134} << 20;
constexpr uint32_t MaxPlatformSide = 65535;

// The size of the file's first frame as it is shown (turned as its orientation
// asks), from what the decoder reads before any pixel; none where
// DecodeWithPlatform would fail before its pixels, or `abandon` (if given) went up.
std::optional<PictureSize> ReadPlatformShape(const char* path, const std::atomic_bool* abandon);

// Decodes the first frame (the first page of a multi-page file) of the file,
// resampled to the size chosen, with transparent parts over black. False when
// no decoder reads it, it is broken or cut short, it claims more than the
// bounds above, memory cannot be had, or `abandon` (if given) went up.
bool DecodeWithPlatform(const char* path, const PlatformSizeChoice& choose,
                        const std::atomic_bool* abandon, DecodedPicture& decoded);
