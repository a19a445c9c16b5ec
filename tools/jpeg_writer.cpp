#include "tools/jpeg_writer.h"

#include <cstdio>
#include <memory>

#include <jpeglib.h>

namespace {
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The compressor, destroyed whatever happens to the file.
struct Compressor {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    Compressor() {
        info.err = jpeg_std_error(&errors);
        jpeg_create_compress(&info);
    }
    ~Compressor() { jpeg_destroy_compress(&info); }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;
};
} // namespace

JpegImage SolidImage(int32_t width, int32_t height, uint8_t red, uint8_t green, uint8_t blue) {
    JpegImage image;
    image.width = width;
    image.height = height;
    image.samples.reserve(static_cast<size_t>(width) * height * 3);
    for (int64_t i = 0; i < int64_t{width} * height; ++i) {
        image.samples.insert(image.samples.end(), {red, green, blue});
    }
    return image;
}

bool WriteJpeg(const char* path, const JpegImage& image) {
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "wb"));
    if (!file) {
        return false;
    }
    Compressor compressor;
    jpeg_compress_struct& info = compressor.info;
    jpeg_stdio_dest(&info, file.get());
    info.image_width = static_cast<JDIMENSION>(image.width);
    info.image_height = static_cast<JDIMENSION>(image.height);
    info.input_components = image.greyscale ? 1 : 3;
    info.in_color_space = image.greyscale ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    if (image.progressive) {
        jpeg_simple_progression(&info);
    }
    jpeg_start_compress(&info, TRUE);
    const size_t stride = static_cast<size_t>(image.width) * info.input_components;
    while (info.next_scanline < info.image_height) {
        auto* row = const_cast<JSAMPLE*>(image.samples.data() + info.next_scanline * stride);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    return std::fflush(file.get()) == 0 && std::ferror(file.get()) == 0;
}
