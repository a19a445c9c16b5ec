#include "picture/reduced_size.h"

#include "picture/jpeg_scale.h"

// The reductions truncate the size, so a reduction chosen because it fits
// always fits.
std::optional<Picture::Reduction> NextReduction(int32_t width, int32_t height, int32_t boxWidth,
                                                int32_t boxHeight) {
    if (height <= boxHeight && width <= boxWidth) {
        return std::nullopt;
    }
    if (3 * height / 4 <= boxHeight && 3 * width / 4 <= boxWidth) {
        return Picture::Reduction::ThreeQuarters;
    }
    if (2 * height / 3 <= boxHeight && 2 * width / 3 <= boxWidth) {
        return Picture::Reduction::TwoThirds;
    }
    return Picture::Reduction::Half;
}

PictureSize ReducedSize(int32_t sourceWidth, int32_t sourceHeight, int32_t boxWidth,
                        int32_t boxHeight) {
    const int d = ScaleDenominator(sourceWidth, sourceHeight, boxWidth, boxHeight);
    // libjpeg's size at 1/d rounds up.
    int32_t width = int32_t((int64_t{sourceWidth} + d - 1) / d);
    int32_t height = int32_t((int64_t{sourceHeight} + d - 1) / d);
    while (const std::optional<Picture::Reduction> kind =
               NextReduction(width, height, boxWidth, boxHeight)) {
        switch (*kind) {
        case Picture::Reduction::ThreeQuarters:
            width = 3 * (width / 4);
            height = 3 * (height / 4);
            break;
        case Picture::Reduction::TwoThirds:
            width = 2 * (width / 3);
            height = 2 * (height / 3);
            break;
        case Picture::Reduction::Half:
            width /= 2;
            height /= 2;
            break;
        }
    }
    return {width, height};
}
