#include "decode/jpeg_markers.h"

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

// The length of a marker's data after its length field. A length of 0 or 1,
// too short for the length field itself, is a marker without data, as
// libjpeg's own readers take it: the next marker follows the field.
long ReadLength(j_decompress_ptr info) {
    uint8_t field[2];
    ReadBytes(info, field, 2);
    return std::max(0L, long(field[0] << 8 | field[1]) - 2);
}

uint8_t* ImageMemory(j_decompress_ptr info, std::size_t size) {
    return static_cast<uint8_t*>(
        info->mem->alloc_small(reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE, size));
}

HeaderMarkers& MarkersOf(j_decompress_ptr info) {
    return *static_cast<HeaderMarkers*>(info->client_data);
}

// libjpeg's reader of APP1 markers: the data kept whole when it is the first
// Exif block, skipped otherwise.
boolean ReadApp1(j_decompress_ptr info) {
    KeptMarker& exif = MarkersOf(info).exif;
    const long length = ReadLength(info);
    long left = length;
    if (exif.data == nullptr && length >= long(ExifHeaderSize)) {
        uint8_t header[ExifHeaderSize];
        ReadBytes(info, header, ExifHeaderSize);
        left -= long(ExifHeaderSize);
        if (StartsExifBlock(header, ExifHeaderSize)) {
            uint8_t* data = ImageMemory(info, std::size_t(length));
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

// libjpeg's reader of APP2 markers: the bytes of a profile's chunk kept while
// the chunks make a profile, everything else skipped.
boolean ReadApp2(j_decompress_ptr info) {
    IccChunks& icc = MarkersOf(info).icc;
    long left = ReadLength(info);
    if (left >= long(IccChunkHeaderSize)) {
        uint8_t header[IccChunkHeaderSize];
        ReadBytes(info, header, IccChunkHeaderSize);
        left -= long(IccChunkHeaderSize);
        if (StartsIccChunk(header, IccChunkHeaderSize) && icc.Expect(header, std::size_t(left))) {
            uint8_t* bytes = ImageMemory(info, std::max<std::size_t>(1, std::size_t(left)));
            ReadBytes(info, bytes, std::size_t(left));
            icc.Keep(bytes);
            return TRUE;
        }
    }
    if (left > 0) {
        info->src->skip_input_data(info, left);
    }
    return TRUE;
}
} // namespace

void KeepHeaderMarkers(jpeg_decompress_struct& info, HeaderMarkers& markers) {
    markers.exif = KeptMarker{};
    info.client_data = &markers;
    jpeg_set_marker_processor(&info, JPEG_APP0 + 1, ReadApp1);
    jpeg_set_marker_processor(&info, JPEG_APP0 + 2, ReadApp2);
}
