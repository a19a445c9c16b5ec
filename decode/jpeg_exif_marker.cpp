#include "decode/jpeg_exif_marker.h"

#include "decode/tiff_reader.h"

#include <algorithm>
#include <cstring>

namespace {
// The next `count` bytes of the file. The data source never suspends (at the
// end of the file it hands out an end-of-image marker), so a marker reader may
// read straight through.
void ReadBytes(j_decompress_ptr info, uint8_t* to, std::size_t count) {
    jpeg_source_mgr& source = *info->src;
    while (count > 0) {
        if (source.bytes_in_buffer == 0) {
            source.fill_input_buffer(info);
        }
        const std::size_t taken = std::min(count, source.bytes_in_buffer);
        std::memcpy(to, source.next_input_byte, taken);
        source.next_input_byte += taken;
        source.bytes_in_buffer -= taken;
        to += taken;
        count -= taken;
    }
}

// libjpeg's reader of APP1 markers: the length, then the data, kept whole when
// it is the first Exif block, skipped otherwise. A length of 0 or 1, too short
// for the length field itself, is a marker without data, as libjpeg's own
// readers take it: the next marker follows the field.
boolean ReadApp1(j_decompress_ptr info) {
    KeptMarker& exif = *static_cast<KeptMarker*>(info->client_data);
    uint8_t field[2];
    ReadBytes(info, field, 2);
    const long length = std::max(0L, long(field[0] << 8 | field[1]) - 2);
    long left = length;
    if (exif.data == nullptr && length >= long(ExifHeaderSize)) {
        uint8_t header[ExifHeaderSize];
        ReadBytes(info, header, ExifHeaderSize);
        left -= long(ExifHeaderSize);
        if (StartsExifBlock(header, ExifHeaderSize)) {
            auto* data = static_cast<uint8_t*>(info->mem->alloc_small(
                reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE, std::size_t(length)));
            std::memcpy(data, header, ExifHeaderSize);
            ReadBytes(info, data + ExifHeaderSize, std::size_t(left));
            exif = {data, std::size_t(length)};
            return TRUE;
        }
    }
    if (left > 0) {
        info->src->skip_input_data(info, left);
    }
    return TRUE;
}
} // namespace

void KeepFirstExifBlock(jpeg_decompress_struct& info, KeptMarker& exif) {
    exif = KeptMarker{};
    info.client_data = &exif;
    jpeg_set_marker_processor(&info, JPEG_APP0 + 1, ReadApp1);
}
