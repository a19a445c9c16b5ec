// The sizes of a picture that moves inside its frame: the frame the Size and
// Fit rules give it, and the larger size it is decoded at so that its closest
// zoom is still drawn from its own pixels.
#pragma once

#include "picture/fit_size.h"
#include "picture/picture.h"

#include <cstdint>

// The closest zoom of a moving view: the frame's side this many times over.
inline constexpr int32_t ZoomHeadroomFifths = 6;
inline constexpr double HeadroomZoom = ZoomHeadroomFifths / 5.0;

// The frame of a picture of the source size in its box (both as stored): fitted
// to it, or the size the fixed reductions give it.
PictureSize FrameSize(PictureSize source, int32_t boxWidth, int32_t boxHeight,
                      Picture::Sizing sizing);

// The size a moving picture is decoded at: fitted to its frame enlarged by the
// closest zoom (each side rounded down, so at most 1.44 times the frame's
// pixels), within FitSize's limit of twice the source a side.
PictureSize HeadroomSize(PictureSize source, PictureSize frame);
