// JPEG files through libjpeg, at a scale chosen from the box.
#pragma once

#include "decode/decoded_picture.h"
#include "picture/colour_transforms.h"
#include "picture/picture.h"

#include <atomic>
#include <cstdint>
#include <cstdio>

// Decodes the open file at the DCT scale its box asks for: reduced by libjpeg
// alone (the fixed reductions come later), or fitted to the box as the rows
// come; a sideways picture meets its box turned. With `headroom` it is fitted
// instead to the size a moving view needs around the frame either gives it
// (see picture/zoom_headroom.h). A file whose data ends early
// keeps the rows that came. False for a file libjpeg cannot read, colours it
// does not decode, more than the memory allowed, or `abandon` (if given) up.
// The pixels' colours are those of the file's embedded ICC profile, else of
// Adobe RGB where its Exif data marks it so, else sRGB; CMYK files with a
// profile are converted through it into the `colour` target as they are
// decoded (given one), and other CMYK files plainly into sRGB.
bool DecodeJpeg(std::FILE* file, int32_t maxWidth, int32_t maxHeight, Picture::Sizing sizing,
                bool headroom, const std::atomic_bool* abandon, ColourConversion* colour,
                DecodedPicture& decoded);
// The size of the open file's picture as it is shown (turned as its Exif
// orientation asks), from its header alone. False for a header libjpeg cannot
// read, or `abandon` (if given) up.
bool ReadJpegShape(std::FILE* file, const std::atomic_bool* abandon, PictureSize& shape);
