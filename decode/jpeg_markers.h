// The markers of a JPEG file's header that the decoder reads beyond libjpeg:
// the Exif block and the chunks of an embedded ICC profile, kept as libjpeg
// reads the header.
#pragma once

#include "decode/icc_chunks.h"

#include <cstddef>
#include <cstdint>
#include <cstdio> // jpeglib.h needs FILE

#include <jpeglib.h>

// An APP1 marker's data (the bytes after its length); none when `data` is null.
struct KeptMarker {
    const uint8_t* data = nullptr;
    std::size_t size = 0;
};

struct HeaderMarkers {
    KeptMarker exif; // the file's first Exif block (cameras write one)
    IccChunks icc;   // the chunks of its ICC profile
};

// Has libjpeg hand every APP1 and APP2 marker of the header to readers that
// keep the first Exif block and the ICC profile's chunks in `markers` (their
// bytes in libjpeg's memory for the image, so until the decompression ends)
// and skip the rest (XMP blocks, more Exif blocks, other APP2 data): a file of
// thousands of such markers holds no more memory than one, or the bound of
// a profile.
void KeepHeaderMarkers(jpeg_decompress_struct& info, HeaderMarkers& markers);
