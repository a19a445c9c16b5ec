#include "picture/jpeg_scale.h"

int ScaleDenominator(int32_t sourceWidth, int32_t sourceHeight, int32_t maxWidth,
                     int32_t maxHeight) {
    const int64_t widthLimit = 3 * int64_t{maxWidth} / 2;
    const int64_t heightLimit = 3 * int64_t{maxHeight} / 2;
    int d = 1;
    while (sourceWidth / d > widthLimit && d < 8) {
        d *= 2;
    }
    while (sourceHeight / d > heightLimit && d < 8) {
        d *= 2;
    }
    return d;
}

int FitScaleEighths(int32_t sourceWidth, int32_t sourceHeight, int32_t fittedWidth,
                    int32_t fittedHeight) {
    const auto scaled = [](int32_t side, int m) { return JpegScaledSide(side, m, 8); };
    int m = 1;
    while (m < 16 &&
           (scaled(sourceWidth, m) < fittedWidth || scaled(sourceHeight, m) < fittedHeight)) {
        ++m;
    }
    return m;
}
