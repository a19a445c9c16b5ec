// libjpeg takes two kinds of memory for a decode. Its working buffers hold a
// few rows of the picture at the decoded size. A progressive file (or any
// file of several scans) also keeps every DCT coefficient of the whole picture
// until its last scan has been read: a whole-image buffer at FULL size, 2 bytes
// for each sample of each component (a component sampled at half resolution
// both ways has a quarter of the samples), whatever the scale of the output.
// It is requested as libjpeg's only "virtual" arrays, and libjpeg weighs those
// against max_memory_to_use before it allocates them; with no backing store
// (libjpeg-turbo's jmemnobs) an array that does not fit is a fatal error. So
// the bound is made of
//   - the working memory of the decoded size: a generous number of rows of
//     the decoded width for every component, and a fixed amount for the
//     tables, pools, the data source's buffer and the kept Exif block;
//   - the whole-image buffer of a picture of MaxWholeImagePixels with this
//     file's components and sampling.
// MaxWholeImagePixels leaves room above 100 megapixels for the buffer's
// padding to whole blocks, so every picture up to 100 megapixels gets its
// whole-image buffer; a claim far beyond (a 20000 x 20000 header on a few KB
// would take 2.4 GB) is refused before anything of the buffer is allocated,
// and fails at once. libjpeg adds up the arrays' sizes in size_t, which such a
// claim can make wrap on 32-bit systems, so the program counts the buffer
// itself in 64 bits from the header (WholeImageBytes) and refuses a claim over
// the bound before jpeg_start_decompress. A file of a single scan has no
// whole-image buffer, and the bound leaves it as it was.
#include "decode/jpeg_memory_limit.h"

#include "picture/jpeg_scale.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {
// Rows of working buffers per component, more than libjpeg keeps at any scale
// (the context rows of upsampling and block smoothing included), each as wide
// as the decoded picture and up to PaddingColumns more (whole blocks).
constexpr uint64_t WorkingRows = 256;
constexpr uint64_t PaddingColumns = 64;
// Tables, pools, the data source's buffer, the Exif block (at most 64 KB):
// far less than this.
constexpr uint64_t FixedBytes = uint64_t{16} << 20;
// One coefficient, in bytes.
constexpr uint64_t CoefficientBytes = sizeof(JCOEF);

// The whole-image buffer allowed for this file's components and sampling.
uint64_t WholeImageBudget(const jpeg_decompress_struct& info) {
    // Samples of all components per full-size pixel, in units of 1 / (the
    // largest sampling factors' product).
    uint64_t samples = 0;
    for (int c = 0; c < info.num_components; ++c) {
        samples +=
            uint64_t(info.comp_info[c].h_samp_factor) * uint64_t(info.comp_info[c].v_samp_factor);
    }
    const uint64_t unit =
        std::max<uint64_t>(1, uint64_t(info.max_h_samp_factor) * uint64_t(info.max_v_samp_factor));
    return MaxWholeImagePixels * CoefficientBytes * samples / unit;
}

// The header reader has checked every sampling factor to be 1 to 4.
uint64_t RoundUp(uint64_t value, uint64_t step) {
    return (value + step - 1) / step * step;
}
} // namespace

unsigned long long WholeImageBytes(const jpeg_decompress_struct& info) {
    const uint64_t maxH = uint64_t(info.max_h_samp_factor);
    const uint64_t maxV = uint64_t(info.max_v_samp_factor);
    uint64_t bytes = 0;
    for (int c = 0; c < info.num_components; ++c) {
        const uint64_t h = uint64_t(info.comp_info[c].h_samp_factor);
        const uint64_t v = uint64_t(info.comp_info[c].v_samp_factor);
        const uint64_t blocksPerRow =
            (info.image_width * h + maxH * DCTSIZE - 1) / (maxH * DCTSIZE);
        const uint64_t blockRows = (info.image_height * v + maxV * DCTSIZE - 1) / (maxV * DCTSIZE);
        bytes += RoundUp(blocksPerRow, h) * RoundUp(blockRows, v) * sizeof(JBLOCK);
    }
    return bytes;
}

bool WholeImageTooLarge(const jpeg_decompress_struct& info) {
    return jpeg_has_multiple_scans(const_cast<j_decompress_ptr>(&info)) &&
           WholeImageBytes(info) > WholeImageBudget(info);
}

long JpegMemoryLimit(const jpeg_decompress_struct& info) {
    const uint64_t decodedWidth = static_cast<uint64_t>(
        JpegScaledSide(info.image_width, info.scale_num, std::max(1u, info.scale_denom)));
    const uint64_t components = static_cast<uint64_t>(info.num_components);
    const uint64_t working =
        FixedBytes + WorkingRows * (decodedWidth + PaddingColumns) * components;
    return static_cast<long>(std::min<uint64_t>(working + WholeImageBudget(info), LONG_MAX));
}
