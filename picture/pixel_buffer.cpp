#include "picture/pixel_buffer.h"

#include <cstddef>
#include <new>

std::unique_ptr<uint32_t[]> AllocatePixels(int32_t width, int32_t height) {
    if (width < 0 || height < 0) {
        return nullptr;
    }
    const uint64_t count = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
    if (count > SIZE_MAX / sizeof(uint32_t)) {
        return nullptr;
    }
    return std::unique_ptr<uint32_t[]>(new (std::nothrow) uint32_t[static_cast<size_t>(count)]);
}
