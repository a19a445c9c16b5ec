#include "show/motion_path.h"

#include "common/random.h"

#include <algorithm>

using namespace motion_limits;

namespace {
// The path is eased in and out by 3u² - 2u³, whose steepest slope, halfway, is
// this many times the mean's: the limits bound that slope.
constexpr double EasePeak = 1.5;

double Eased(double u) {
    return u * u * (3 - 2 * u);
}

double DrawFraction() {
    return NextRandom() / double(RandomMax);
}

// The end's fraction: at most `most` from the start's either way.
double Limited(double start, double end, double most) {
    return start + std::clamp(end - start, -most, most);
}
} // namespace

MotionPath::MotionPath(PictureSize source, PictureSize frame, std::chrono::milliseconds shown)
    : sourceWidth(std::max(0, source.width)), sourceHeight(std::max(0, source.height)),
      wholeWidth(sourceWidth), wholeHeight(sourceHeight),
      shownMs(std::max<double>(0, double(shown.count()))) {
    const bool moves = sourceWidth > 0 && sourceHeight > 0 && frame.width > 0 && frame.height > 0;
    if (moves && sourceWidth * frame.height > sourceHeight * frame.width) {
        wholeWidth = sourceHeight * frame.width / frame.height;
    } else if (moves) {
        wholeHeight = sourceWidth * frame.height / frame.width;
    }
    const double seconds = moves ? shownMs / 1000 : 0;

    // As much zoom as the limits allow, somewhere in the range, in or out.
    const double span = std::min(MostZoom - 1, ZoomPerSecond * seconds / EasePeak);
    const double low = 1 + (MostZoom - 1 - span) * DrawFraction();
    const bool zoomIn = NextRandom() % 2 == 0;
    startZoom = zoomIn ? low : low + span;
    endZoom = zoomIn ? low + span : low;

    // The zoom about a point that is not the centre moves the centre by at most
    // half the zoom's rate, in frame widths (or heights); the pan has the rest.
    // With the view z times smaller than the whole, a fraction f of the room
    // around it moves the centre f (source side z - whole side) / whole frame
    // sides, largest at the largest zoom.
    const double panBudget = PanPerSecond - EasePeak * span / (2 * std::max(seconds, 1e-9));
    const double largest = std::max(startZoom, endZoom);
    const auto mostPan = [&](double sourceSide, double wholeSide) {
        const double travel = sourceSide * largest - wholeSide;
        return travel > 0 ? panBudget * seconds * wholeSide / (EasePeak * travel) : 1.0;
    };
    startAcross = DrawFraction();
    startDown = DrawFraction();
    endAcross = Limited(startAcross, DrawFraction(), mostPan(sourceWidth, wholeWidth));
    endDown = Limited(startDown, DrawFraction(), mostPan(sourceHeight, wholeHeight));
}

ViewRect MotionPath::At(std::chrono::duration<double, std::milli> elapsed) const {
    const double u = shownMs > 0 ? std::clamp(elapsed.count() / shownMs, 0.0, 1.0) : 1.0;
    const double eased = Eased(u);
    const double zoom = startZoom + (endZoom - startZoom) * eased;
    const double across = startAcross + (endAcross - startAcross) * eased;
    const double down = startDown + (endDown - startDown) * eased;
    ViewRect view;
    view.width = wholeWidth / zoom;
    view.height = wholeHeight / zoom;
    view.left = across * (sourceWidth - view.width);
    view.top = down * (sourceHeight - view.height);
    return view;
}
