// The size the fixed reductions give a picture: what a JPEG file gets when it is
// not fitted to its box, and so what a picture of another format gets, so that
// a folder of mixed formats looks alike.
#pragma once

#include "picture/fit_size.h"
#include "picture/picture.h"

#include <cstdint>
#include <optional>

// The gentlest single reduction that makes a picture of this size fit the box;
// a half when none does; none when it fits already, or is a single pixel.
std::optional<Picture::Reduction> NextReduction(int32_t width, int32_t height, int32_t boxWidth,
                                                int32_t boxHeight);

// The side of a reduction's blocks: 2, 3 or 4 pixels.
int32_t ReductionBlock(Picture::Reduction kind);

// A side after one reduction of its kind: its whole blocks of 2, 3 or 4 pixels
// become 1, 2 or 3; the pixels left over are dropped. A side shorter than one
// block becomes 1: no side of a picture is reduced to nothing.
int32_t ReducedSide(Picture::Reduction kind, int32_t side);

// A picture of the source size decoded at 1/1, 1/2, 1/4 or 1/8 as libjpeg
// would be for the box, then reduced until it fits; both sides 0 for an empty
// box, as FitSize gives.
PictureSize ReducedSize(int32_t sourceWidth, int32_t sourceHeight, int32_t boxWidth,
                        int32_t boxHeight);
