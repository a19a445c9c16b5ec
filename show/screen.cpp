#include "show/screen.h"

#include "picture/pixel_buffer.h"
#include "picture/view_render.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {
// The size a picture's frame has on screen: its own, or for a moving one the
// size its loading fitted it to, within the larger pixels its zoom needs.
PictureSize FrameOf(const Picture& picture) {
    return {picture.FrameWidth(), picture.FrameHeight()};
}
} // namespace

Screen::Screen(Shown first, Shown second, Pairing pairing, int32_t gap, Motion motion) {
    const bool sideBySide = pairing != Pairing::TopAndBottom;
    for (Shown* shown : {&first, &second}) {
        if (shown->picture.IsDrawable()) {
            Part part;
            part.taken = shown->picture.Taken();
            part.shown = std::move(*shown);
            const PictureSize frame = FrameOf(part.shown.picture);
            part.width = frame.width;
            part.height = frame.height;
            parts.push_back(std::move(part));
        }
    }
    if (parts.empty()) {
        return;
    }
    int32_t width = 0, height = 0;
    for (const Part& part : parts) {
        width = sideBySide ? width + part.width : std::max(width, part.width);
        height = sideBySide ? std::max(height, part.height) : height + part.height;
    }
    const int32_t between = parts.size() > 1 ? gap : 0;
    (sideBySide ? width : height) += between;
    int32_t along = 0;
    for (Part& part : parts) {
        part.left = sideBySide ? along : (width - part.width) / 2;
        part.top = sideBySide ? (height - part.height) / 2 : along;
        along += (sideBySide ? part.width : part.height) + between;
        const PictureSize source{part.shown.picture.Width(), part.shown.picture.Height()};
        if (motion.moving) {
            part.path.emplace(source, PictureSize{part.width, part.height}, motion.shown);
        }
    }
    moving = motion.moving;
    if (parts.size() == 1 && !moving) {
        image = std::move(parts.front().shown.picture); // drawn as it is
        return;
    }
    image.Adopt(width, height, AllocatePixels(width, height));
    image.Mix(nullptr, nullptr, 0); // black between the frames
    if (!moving) {
        Compose();
    }
    MoveTo(std::chrono::milliseconds(0));
}

// The still pictures of a pair are copied into the screen once.
void Screen::Compose() {
    uint32_t* pixels = image.PixelsToWriteOn();
    if (pixels == nullptr) {
        return;
    }
    const auto stride = static_cast<std::size_t>(image.Width());
    for (Part& part : parts) {
        const uint32_t* from = part.shown.picture.Pixels();
        for (int32_t row = 0; row < part.height; ++row) {
            std::memcpy(pixels + (static_cast<std::size_t>(part.top + row) * stride) +
                            static_cast<std::size_t>(part.left),
                        from + static_cast<std::size_t>(row) * static_cast<std::size_t>(part.width),
                        static_cast<std::size_t>(part.width) * sizeof *from);
        }
        part.shown.picture.Free(); // its pixels live on in the screen's
    }
}

void Screen::MoveTo(std::chrono::milliseconds elapsed) {
    uint32_t* pixels = image.PixelsToWriteOn();
    if (!moving || pixels == nullptr) {
        return;
    }
    const auto stride = static_cast<std::size_t>(image.Width());
    for (const Part& part : parts) {
        const Picture& source = part.shown.picture;
        RenderView(source.Pixels(), source.Width(), source.Height(), part.path->At(elapsed),
                   pixels + static_cast<std::size_t>(part.top) * stride +
                       static_cast<std::size_t>(part.left),
                   part.width, part.height, stride);
    }
}
