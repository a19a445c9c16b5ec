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

int ScaleForOrientation(Orientation orientation, int32_t sourceWidth, int32_t sourceHeight,
                        int32_t maxWidth, int32_t maxHeight) {
    TurnBox(orientation, maxWidth, maxHeight);
    return ScaleDenominator(sourceWidth, sourceHeight, maxWidth, maxHeight);
}
