// What one draw of a stage shows: one picture, or a pair of them side by side
// or one above the other, each still or moving inside its own frame. A still
// screen of one picture is that picture's pixels; any other is drawn into a
// frame of its own, anew for each frame of a moving one.
#pragma once

#include "picture/picture.h"
#include "show/motion_path.h"
#include "show/screen_names.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class Screen {
public:
    // A picture of the screen with its name (relative to the show's folder).
    struct Shown {
        Picture picture;
        std::string name;
    };
    // Where a picture's frame lies in the screen.
    struct Part {
        Shown shown;
        std::optional<TakenDate> taken; // the picture's, for its caption
        int32_t left = 0;
        int32_t top = 0;
        int32_t width = 0;
        int32_t height = 0;
        std::optional<MotionPath> path; // none: it stands still
    };
    // How the screen's pictures stand still or move.
    struct Motion {
        bool moving = false;
        std::chrono::milliseconds shown{0}; // how long the screen is to be on screen
    };

    Screen() = default;
    // The screen of `first`, and of `second` too when that is drawable: one
    // above the other for TopAndBottom, or else side by side, `gap` pixels
    // apart, each centred across the other direction. Moving pictures take
    // their paths from the program's generator now.
    Screen(Shown first, Shown second, Pairing pairing, int32_t gap, Motion motion);

    bool IsDrawable() const { return !parts.empty() && image.IsDrawable(); }
    bool Moving() const { return moving; }
    int32_t Width() const { return image.Width(); }
    int32_t Height() const { return image.Height(); }
    const std::vector<Part>& Parts() const { return parts; }

    // The moving pictures' views `elapsed` after the screen came: each drawn
    // anew into its frame. Nothing for a still screen.
    void MoveTo(std::chrono::milliseconds elapsed);
    // The screen's pixels as they are now, to write captions on and draw.
    Picture& Image() { return image; }

private:
    void Compose();

    std::vector<Part> parts;
    bool moving = false;
    Picture image;
};
