// Natively the platform decodes nothing: only JPEG files are pictures.
#include "decode/platform_decoder.h"

std::vector<std::string> PlatformPictureExtensions() {
    return {};
}

bool DecodeWithPlatform(const char*, const PlatformSizeChoice&, const std::atomic_bool*,
                        DecodedPicture&) {
    return false;
}

std::optional<PictureSize> ReadPlatformShape(const char*, const std::atomic_bool*) {
    return std::nullopt;
}
