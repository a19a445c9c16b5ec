// The frames of one stage's change of screen, made from pixels already decoded
// or read back from the screen. When the stage is cleared between screens, the
// new one dissolves straight out of the previous one: where only one of them
// lies, it dissolves from or into black. When screens overlap, the new one
// fades in over what lies beneath it.
#pragma once

#include "picture/picture.h"

#include <cstdint>
#include <optional>

// Frames, at about 31 milliseconds each: half a second.
constexpr int FadeInFrames = 16;

// Where pixels lie on the stage's device.
struct DevicePlace {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

class Fade {
public:
    // The new screen comes at `to`, of its size, over `beneath` (the pixels
    // there, of its size; empty for black) when screens overlap, or out of the
    // previous screen at `from` (none: out of black) when they do not.
    Fade(DevicePlace to, Picture beneath, std::optional<DevicePlace> from);

    // Where the frames go: `to`, or the smallest rectangle that holds both.
    const DevicePlace& Place() const { return place; }
    // On to the next frame; false once the last, the new screen alone, has
    // been given.
    bool Step();
    // On to the last frame at once.
    void End() { step = FadeInFrames; }
    // The frame at the current step, made from the screens' pixels as they
    // are now (a moving screen changes from one frame to the next): `previous`
    // those at `from`, null for none. Null when the frame's memory could not
    // be had: the new screen is then to be shown as it is.
    Picture* Frame(const Picture* previous, const Picture& screen);

private:
    DevicePlace to;
    std::optional<DevicePlace> from;
    DevicePlace place;
    Picture beneath;
    // Made, and touched, before the first frame: a frame then costs only its
    // arithmetic.
    Picture frame;
    int step = 1; // the frame Frame makes: 1 to FadeInFrames
};
