// The scale at which libjpeg decodes a picture for its box.
#pragma once

#include <cstdint>

// The smallest of 1, 2, 4 and 8 that brings the picture within one and a half
// times the box (width first, then height), or 8.
int ScaleDenominator(int32_t sourceWidth, int32_t sourceHeight, int32_t maxWidth,
                     int32_t maxHeight);

// A side of a picture as libjpeg decodes it at numerator / denominator: rounded up.
inline int64_t JpegScaledSide(int64_t side, int64_t numerator, int64_t denominator) {
    return (side * numerator + denominator - 1) / denominator;
}

// libjpeg decodes at any scale M/8, M = 1 to 16, in its inverse DCT; a picture
// of sourceWidth x sourceHeight then comes out ceil(side x M / 8) pixels a
// side. The smallest M whose output is nowhere smaller than `fitted`, or 16.
int FitScaleEighths(int32_t sourceWidth, int32_t sourceHeight, int32_t fittedWidth,
                    int32_t fittedHeight);
