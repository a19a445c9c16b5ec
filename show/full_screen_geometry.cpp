#include "show/full_screen_geometry.h"

FullScreenGeometry PlaceFullScreen(const ScreenLayout& layout) {
    const Extent primary{0, 0, layout.primaryWidth, layout.primaryHeight};
    const Extent virtualScreen{layout.virtualLeft, layout.virtualTop,
                               layout.virtualLeft + layout.virtualWidth,
                               layout.virtualTop + layout.virtualHeight};
    const bool holdsPrimary = virtualScreen.left <= 0 && virtualScreen.top <= 0 &&
                              virtualScreen.right >= primary.right &&
                              virtualScreen.bottom >= primary.bottom;
    const Extent window = holdsPrimary ? virtualScreen : primary;
    return {window,
            {-window.left, -window.top, primary.right - window.left, primary.bottom - window.top}};
}
