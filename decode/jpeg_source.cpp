#include "decode/jpeg_source.h"

#include <jerror.h>

namespace {
constexpr size_t BlockSize = 32768;

struct FileSource {
    jpeg_source_mgr standard;
    std::FILE* file;
    bool startOfFile;
    bool ended;
    JOCTET* buffer;
};

FileSource& SourceOf(j_decompress_ptr info) {
    return *reinterpret_cast<FileSource*>(info->src);
}

void StartFile(j_decompress_ptr info) {
    SourceOf(info).startOfFile = true;
}

// The next block of the file. At its end, a warning and a fake end-of-image
// marker, so that what was read is decoded as far as it goes; the file is not
// read again.
boolean ReadBlock(j_decompress_ptr info) {
    // Every block read calls the decode's progress monitor, which ends an
    // abandoned decode: a header of thousands of markers stops there too.
    if (info->progress != nullptr) {
        info->progress->progress_monitor(reinterpret_cast<j_common_ptr>(info));
    }
    FileSource& source = SourceOf(info);
    size_t count = source.ended ? 0 : std::fread(source.buffer, 1, BlockSize, source.file);
    if (count == 0) {
        if (source.startOfFile) {
            ERREXIT(info, JERR_INPUT_EMPTY);
        }
        WARNMS(info, JWRN_JPEG_EOF);
        source.ended = true;
        source.buffer[0] = 0xFF;
        source.buffer[1] = JPEG_EOI;
        count = 2;
    }
    source.standard.next_input_byte = source.buffer;
    source.standard.bytes_in_buffer = count;
    source.startOfFile = false;
    return TRUE;
}

// Skips a marker's data. A skip past the end of the file stops at the fake
// end-of-image marker, which the marker reader meets next: a marker that
// claims more bytes than the file has costs one read.
void SkipBytes(j_decompress_ptr info, long count) {
    FileSource& source = SourceOf(info);
    if (count <= 0) {
        return;
    }
    while (size_t(count) > source.standard.bytes_in_buffer) {
        count -= static_cast<long>(source.standard.bytes_in_buffer);
        ReadBlock(info);
        if (source.ended) {
            return;
        }
    }
    source.standard.next_input_byte += count;
    source.standard.bytes_in_buffer -= size_t(count);
}

void EndFile(j_decompress_ptr) {}
} // namespace

void AttachFileSource(jpeg_decompress_struct& info, std::FILE* file) {
    j_common_ptr common = reinterpret_cast<j_common_ptr>(&info);
    auto* source = static_cast<FileSource*>(
        info.mem->alloc_small(common, JPOOL_PERMANENT, sizeof(FileSource)));
    source->buffer =
        static_cast<JOCTET*>(info.mem->alloc_small(common, JPOOL_PERMANENT, BlockSize));
    source->file = file;
    source->startOfFile = true;
    source->ended = false;
    source->standard.init_source = StartFile;
    source->standard.fill_input_buffer = ReadBlock;
    source->standard.skip_input_data = SkipBytes;
    source->standard.resync_to_restart = jpeg_resync_to_restart;
    source->standard.term_source = EndFile;
    source->standard.bytes_in_buffer = 0;
    source->standard.next_input_byte = nullptr;
    info.src = &source->standard;
}
