// Pictures of chosen pixels, and their pixels read back, for the tests of what
// is done to a picture's pixels.
#pragma once

#include "picture/picture.h"
#include "picture/pixel_buffer.h"

#include <algorithm>
#include <vector>

// A drawable picture of the given pixels, as Load would leave it.
inline void Fill(Picture& picture, int32_t width, int32_t height,
                 const std::vector<uint32_t>& values) {
    std::unique_ptr<uint32_t[]> pixels = AllocatePixels(width, height);
    std::copy(values.begin(), values.end(), pixels.get());
    picture.Adopt(width, height, std::move(pixels));
}

inline std::vector<uint32_t> Pixels(const Picture& picture) {
    return std::vector<uint32_t>(picture.Pixels(),
                                 picture.Pixels() + picture.Width() * picture.Height());
}
