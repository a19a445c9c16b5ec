// The path of one picture's moving view: a slow zoom and pan across the
// picture for as long as it is on screen. The picture's frame on screen stays
// put; the view says which part of the decoded picture fills it at each moment.
#pragma once

#include "picture/fit_size.h"
#include "picture/view_rect.h"
#include "picture/zoom_headroom.h"

#include <chrono>

// The view's limits, whatever the picture stays on screen: the zoom between
// 1 (the whole picture fills its frame) and MostZoom, changing at most
// ZoomPerSecond a second; the view's centre, the pan and the zoom's drift
// together, moving at most PanPerSecond of the frame's width a second across and
// of its height down. A short stay moves less, never faster.
namespace motion_limits {
constexpr double MostZoom = HeadroomZoom;
constexpr double ZoomPerSecond = 0.03;
constexpr double PanPerSecond = 0.03;
} // namespace motion_limits

class MotionPath {
public:
    // `source`: the decoded picture's size (decoded with the zoom's headroom);
    // `frame`: its frame on screen (the size the Size and Fit rules give it);
    // `shown`: how long it stays on screen. Draws the start and the end from the
    // program's generator, here only (so on the window's thread).
    MotionPath(PictureSize source, PictureSize frame, std::chrono::milliseconds shown);

    // The part of the source the frame shows `elapsed` after the start, with
    // sub-pixel precision: eased in and out, the start's view before it and the
    // end's after `shown`. Always inside the source, with the frame's shape.
    ViewRect At(std::chrono::duration<double, std::milli> elapsed) const;

private:
    double sourceWidth, sourceHeight;
    // The largest rectangle of the frame's shape inside the source, centred:
    // what zoom 1 shows.
    double wholeWidth, wholeHeight;
    double shownMs;
    // The zoom and where the view lies, as fractions of the room the source
    // leaves around it (0: at its left or top edge, 1: at its right or bottom),
    // at the start and at the end.
    double startZoom, endZoom;
    double startAcross, startDown, endAcross, endDown;
};
