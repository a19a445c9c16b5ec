// How much memory libjpeg may take for one picture.
#pragma once

#include <cstdio>

#include <jpeglib.h>

// Pictures of up to this many pixels (2^27, about 134 megapixels) may be
// decoded whatever their kind.
constexpr unsigned long long MaxWholeImagePixels = 1ull << 27;

// The bound for libjpeg's memory manager (max_memory_to_use) once the header
// is read and the picture is to be decoded at 1 / scaleDenominator.
long JpegMemoryLimit(const jpeg_decompress_struct& info, int scaleDenominator);
