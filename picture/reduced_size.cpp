#include "picture/reduced_size.h"

#include "picture/jpeg_scale.h"

// The reductions truncate the size (to 1 at least), so a reduction chosen
// because it fits a box of at least 1 x 1 always fits. Each makes every side
// over 1 smaller, so the reductions end.
std::optional<Picture::Reduction> NextReduction(int32_t width, int32_t height, int32_t boxWidth,
                                                int32_t boxHeight) {
    if ((height <= boxHeight && width <= boxWidth) || (height <= 1 && width <= 1)) {
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

int32_t ReductionBlock(Picture::Reduction kind) {
    switch (kind) {
    case Picture::Reduction::ThreeQuarters:
        return 4;
    case Picture::Reduction::TwoThirds:
        return 3;
    case Picture::Reduction::Half:
        break;
    }
    return 2;
}

int32_t ReducedSide(Picture::Reduction kind, int32_t side) {
    if (side > 0 && side < ReductionBlock(kind)) {
        return 1;
    }
    switch (kind) {
    case Picture::Reduction::ThreeQuarters:
        return 3 * (side / 4);
    case Picture::Reduction::TwoThirds:
        return 2 * (side / 3);
    case Picture::Reduction::Half:
        break;
    }
    return side / 2;
}

PictureSize ReducedSize(int32_t sourceWidth, int32_t sourceHeight, int32_t boxWidth,
                        int32_t boxHeight) {
    if (boxWidth <= 0 || boxHeight <= 0) {
        return {};
    }
    const int d = ScaleDenominator(sourceWidth, sourceHeight, boxWidth, boxHeight);
    int32_t width = int32_t(JpegScaledSide(sourceWidth, 1, d));
    int32_t height = int32_t(JpegScaledSide(sourceHeight, 1, d));
    while (const std::optional<Picture::Reduction> kind =
               NextReduction(width, height, boxWidth, boxHeight)) {
        width = ReducedSide(*kind, width);
        height = ReducedSide(*kind, height);
    }
    return {width, height};
}
