#include "show/full_screen_geometry.h"

#include <algorithm>

namespace {
// The primary first, then by left edge, then by top edge.
bool StageBefore(const Monitor& a, const Monitor& b) {
    if (a.primary != b.primary) {
        return a.primary;
    }
    if (a.area.left != b.area.left) {
        return a.area.left < b.area.left;
    }
    return a.area.top < b.area.top;
}
} // namespace

FullScreenGeometry PlaceFullScreen(const ScreenLayout& layout) {
    std::vector<Monitor> monitors = layout.monitors;
    if (monitors.empty()) {
        monitors.push_back({{0, 0, layout.primaryWidth, layout.primaryHeight}, true});
    }
    std::sort(monitors.begin(), monitors.end(), StageBefore);
    Extent window = monitors.front().area;
    for (const Monitor& monitor : monitors) {
        window.left = std::min(window.left, monitor.area.left);
        window.top = std::min(window.top, monitor.area.top);
        window.right = std::max(window.right, monitor.area.right);
        window.bottom = std::max(window.bottom, monitor.area.bottom);
    }
    FullScreenGeometry geometry{window, {}};
    for (const Monitor& monitor : monitors) {
        geometry.stages.push_back({monitor.area.left - window.left, monitor.area.top - window.top,
                                   monitor.area.right - window.left,
                                   monitor.area.bottom - window.top});
    }
    return geometry;
}
