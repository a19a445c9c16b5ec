// The decoder's data source: an open file, read in blocks of 32768 bytes.
#pragma once

#include <cstdio>

#include <jpeglib.h>

// Makes the file the source of the decompression object, which owns the
// source (and its buffer) from then on. An empty file is a fatal error; a file
// that ends early is warned about, and ends as if with an end-of-image marker.
void AttachFileSource(jpeg_decompress_struct& info, std::FILE* file);
