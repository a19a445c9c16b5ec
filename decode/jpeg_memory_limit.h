// How much memory libjpeg may take for one picture.
#pragma once

#include <cstdio>

#include <jpeglib.h>

// Pictures of up to this many pixels (2^27, about 134 megapixels) may be
// decoded whatever their kind.
constexpr unsigned long long MaxWholeImagePixels = 1ull << 27;

// The bytes of the whole-image buffer that libjpeg keeps for a file of several
// scans: whole blocks of 64 coefficients for every component, each component's
// blocks rounded up to its sampling factors. Counted in 64 bits: libjpeg counts
// in size_t, which wraps on 32-bit systems (a grey claim of 46344 x 46344 needs
// 4,295,532,672 bytes, which wrap to 565,376 and pass max_memory_to_use).
unsigned long long WholeImageBytes(const jpeg_decompress_struct& info);

// Whether the header claims a file of several scans whose whole-image buffer
// is more than a picture of MaxWholeImagePixels with its sampling takes; such
// a file is refused before libjpeg counts anything.
bool WholeImageTooLarge(const jpeg_decompress_struct& info);

// The bound for libjpeg's memory manager (max_memory_to_use) once the header
// is read and the scale (scale_num / scale_denom) is set.
long JpegMemoryLimit(const jpeg_decompress_struct& info);
