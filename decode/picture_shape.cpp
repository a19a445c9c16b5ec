#include "decode/picture_shape.h"

#include "decode/jpeg_decoder.h"
#include "decode/jpeg_name.h"
#include "decode/picture_file.h"
#include "decode/platform_decoder.h"

#include <cstdio>

std::optional<PictureSize> ReadPictureShape(const char* path, const std::atomic_bool* abandon) {
    if (!IsJpegName(path)) {
        return ReadPlatformShape(path, abandon);
    }
    std::FILE* file = OpenPictureFile(path);
    if (file == nullptr) {
        return std::nullopt;
    }
    PictureSize shape;
    const bool read = ReadJpegShape(file, abandon, shape);
    std::fclose(file);
    return read ? std::optional<PictureSize>(shape) : std::nullopt;
}
