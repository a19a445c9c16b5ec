#include "picture/fit_size.h"

#include <algorithm>

namespace {
constexpr int64_t MaxEnlargement = 2;

// The other side of a picture whose side `side` becomes `to`, rounded to the
// nearest pixel, at least 1 and at most `limit`.
int32_t Scaled(int64_t other, int64_t side, int64_t to, int32_t limit) {
    const int64_t rounded = (2 * other * to + side) / (2 * side);
    return int32_t(std::clamp<int64_t>(rounded, 1, limit));
}
} // namespace

PictureSize FitSize(int32_t sourceWidth, int32_t sourceHeight, int32_t boxWidth,
                    int32_t boxHeight) {
    if (sourceWidth <= 0 || sourceHeight <= 0 || boxWidth <= 0 || boxHeight <= 0) {
        return {};
    }
    const int64_t w = sourceWidth, h = sourceHeight;
    // The box's width is the tighter limit when boxWidth / w <= boxHeight / h.
    if (int64_t{boxWidth} * h <= int64_t{boxHeight} * w) {
        if (boxWidth >= MaxEnlargement * w) {
            return {int32_t(MaxEnlargement * w), int32_t(MaxEnlargement * h)};
        }
        return {boxWidth, Scaled(h, w, boxWidth, boxHeight)};
    }
    if (boxHeight >= MaxEnlargement * h) {
        return {int32_t(MaxEnlargement * w), int32_t(MaxEnlargement * h)};
    }
    return {Scaled(w, h, boxHeight, boxWidth), boxHeight};
}
