// A picture's file becomes a Picture: JPEG files through libjpeg, every other
// format through the platform's decoders.
#pragma once

#include "picture/colour_transforms.h"
#include "picture/picture.h"

#include <atomic>
#include <cstdint>

// Decodes the file and reduces it until it fits maxWidth x maxHeight, or fits
// it to that box, and reads the day it was taken; the picture is turned upright
// last, when it is smallest. It is ready, or failed and without pixels or date.
// A decode still under way when `abandon` (if given) becomes true stops there
// and fails. With `headroom` the picture is decoded for a moving view: fitted
// to HeadroomSize around the frame the box and the sizing give it, which the
// picture records as its frame (see picture/zoom_headroom.h). Given a `colour`
// conversion, the reduced or fitted pixels are converted from the file's
// colour profile (see decode/jpeg_decoder.h, and decode/platform_decoder.h)
// into its target; without, they stay as stored.
Picture LoadPictureFile(const char* path, int32_t maxWidth, int32_t maxHeight,
                        Picture::Sizing sizing = Picture::Sizing::Reduce,
                        const std::atomic_bool* abandon = nullptr, bool headroom = false,
                        ColourConversion* colour = nullptr);
