#include "show/fade.h"

#include "picture/pixel_buffer.h"
#include "picture/pixel_mix.h"

#include <algorithm>
#include <utility>

namespace {
bool SameSize(const Picture& picture, const DevicePlace& place) {
    return picture.Width() == place.width && picture.Height() == place.height;
}

DevicePlace Union(const DevicePlace& a, const DevicePlace& b) {
    const int32_t left = std::min(a.x, b.x);
    const int32_t top = std::min(a.y, b.y);
    const int32_t right = std::max(a.x + a.width, b.x + b.width);
    const int32_t bottom = std::max(a.y + a.height, b.y + b.height);
    return DevicePlace{left, top, right - left, bottom - top};
}

// The pixels of a picture at its place, relative to the frame's place; none
// when the picture is not drawable or not of its place's size.
PlacedPixels PlacedIn(const DevicePlace& frame, const Picture& picture, const DevicePlace& at) {
    if (!picture.IsDrawable() || !SameSize(picture, at)) {
        return PlacedPixels{};
    }
    return PlacedPixels{picture.Pixels(), at.x - frame.x, at.y - frame.y, at.width, at.height};
}
} // namespace

Fade::Fade(DevicePlace to, Picture beneath, std::optional<DevicePlace> from)
    : to(to), from(from), place(from ? Union(to, *from) : to), beneath(std::move(beneath)) {
    frame.Adopt(place.width, place.height, AllocatePixels(place.width, place.height));
    frame.Mix(nullptr, nullptr, 0);
}

bool Fade::Step() {
    if (step >= FadeInFrames) {
        return false;
    }
    ++step;
    return true;
}

Picture* Fade::Frame(const Picture* previous, const Picture& screen) {
    if (!frame.IsDrawable() || !screen.IsDrawable()) {
        return nullptr;
    }
    const PlacedPixels before = beneath.IsDrawable()          ? PlacedIn(place, beneath, to)
                                : previous != nullptr && from ? PlacedIn(place, *previous, *from)
                                                              : PlacedPixels{};
    frame.CrossMix(before, PlacedIn(place, screen, to), FadeLevels * step / FadeInFrames);
    return &frame;
}
