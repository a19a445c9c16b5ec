// The Exif block of a JPEG file, kept as libjpeg reads the file's header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio> // jpeglib.h needs FILE

#include <jpeglib.h>

// An APP1 marker's data (the bytes after its length); none when `data` is null.
struct KeptMarker {
    const uint8_t* data = nullptr;
    std::size_t size = 0;
};

// Has libjpeg hand every APP1 marker of the header to a reader that keeps the
// first Exif block in `exif` (in libjpeg's memory for the image, so until the
// decompression ends) and skips the rest (XMP blocks, more Exif blocks): a file
// of thousands of APP1 markers holds no more memory than one.
void KeepFirstExifBlock(jpeg_decompress_struct& info, KeptMarker& exif);
