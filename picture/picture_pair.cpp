#include "picture/picture_pair.h"

#include "picture/pixel_buffer.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>

namespace {
void CopyAt(const Picture& picture, uint32_t* pixels, int32_t width, int32_t x, int32_t y) {
    const std::size_t rowBytes = std::size_t(picture.Width()) * sizeof(uint32_t);
    for (int32_t row = 0; row < picture.Height(); ++row) {
        std::memcpy(pixels + std::size_t(y + row) * std::size_t(width) + std::size_t(x),
                    picture.Pixels() + std::size_t(row) * std::size_t(picture.Width()), rowBytes);
    }
}
} // namespace

Picture PairPictures(const Picture& first, const Picture& second, Pairing pairing, int32_t gap) {
    Picture pair;
    if (!first.IsDrawable() || !second.IsDrawable() || pairing == Pairing::None) {
        pair.Fail();
        return pair;
    }
    const bool across = pairing == Pairing::SideBySide;
    const int32_t width =
        across ? first.Width() + gap + second.Width() : std::max(first.Width(), second.Width());
    const int32_t height =
        across ? std::max(first.Height(), second.Height()) : first.Height() + gap + second.Height();
    std::unique_ptr<uint32_t[]> pixels = AllocatePixels(width, height);
    if (!pixels) {
        pair.Fail();
        return pair;
    }
    std::fill_n(pixels.get(), std::size_t(width) * std::size_t(height), 0u);
    if (across) {
        CopyAt(first, pixels.get(), width, 0, (height - first.Height()) / 2);
        CopyAt(second, pixels.get(), width, first.Width() + gap, (height - second.Height()) / 2);
    } else {
        CopyAt(first, pixels.get(), width, (width - first.Width()) / 2, 0);
        CopyAt(second, pixels.get(), width, (width - second.Width()) / 2, first.Height() + gap);
    }
    pair.Adopt(width, height, std::move(pixels));
    return pair;
}
