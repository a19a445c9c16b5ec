// The colour space a camera marks in its Exif data when it embeds no profile.
#pragma once

#include <cstddef>
#include <cstdint>

// Whether the Exif block (an APP1 marker's data) marks its picture as Adobe
// RGB (1998), as cameras do that embed no profile: ColorSpace "uncalibrated"
// (0xFFFF) in the Exif directory, and the interoperability index "R03" in the
// directory that the Exif directory points to.
bool ExifMarksAdobeRgb(const uint8_t* data, size_t size);
