// The part of a picture a moving view shows, in the picture's own pixels, with
// sub-pixel precision: the rectangle whose left edge is `left` pixels from the
// picture's, and so on; its pixels' centres lie half a pixel inside it.
#pragma once

struct ViewRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};
