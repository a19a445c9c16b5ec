// The frames of a moving view: the part of a picture a ViewRect shows, drawn
// into a frame by bilinear interpolation with sub-pixel precision, so that a
// view moved by a fraction of a pixel moves the frame by that fraction.
#pragma once

#include "picture/picture.h"
#include "picture/simd_path.h"
#include "picture/view_rect.h"

#include <cstddef>
#include <cstdint>

// Draws the part `view` of the source (sourceWidth x sourceHeight pixels
// 0x00RRGGBB, rows contiguous) into out (outWidth x outHeight pixels, rows
// outStride pixels apart). Output pixel (i, j) is the source sampled at
// x = view.left + (i + 0.5) * view.width / outWidth - 0.5 (and y likewise),
// between the four nearest pixels, the edge pixels standing in for those
// beyond the source; the fourth byte is 0. Positions are taken to 1/65536 of
// a pixel and weighted to 1/256; each source row is weighted across once, and
// each frame row from two of those, rounded to within 1/256 of a level of the
// exact weighted sum's rounding. Every path gives the same bits. False when
// the memory for the columns' layout and two rows' working space cannot be had
// (out is then left as it was).
bool RenderView(SimdPath path, const uint32_t* source, int32_t sourceWidth, int32_t sourceHeight,
                ViewRect view, uint32_t* out, int32_t outWidth, int32_t outHeight,
                std::size_t outStride);
// The same on the widest path the processor runs.
bool RenderView(const uint32_t* source, int32_t sourceWidth, int32_t sourceHeight, ViewRect view,
                uint32_t* out, int32_t outWidth, int32_t outHeight, std::size_t outStride);
// From a drawable picture; false for one that is not.
bool RenderView(const Picture& source, ViewRect view, uint32_t* out, int32_t outWidth,
                int32_t outHeight, std::size_t outStride);
