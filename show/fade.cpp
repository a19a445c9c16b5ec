#include "show/fade.h"

#include "picture/pixel_buffer.h"
#include "picture/pixel_mix.h"

#include <utility>

namespace {
bool SameSize(const Picture& a, const Picture& b) {
    return a.Width() == b.Width() && a.Height() == b.Height();
}

// A black frame of the size of `like`, when `like` is drawable and memory can
// be had; a failed one otherwise.
Picture FrameLike(const Picture& like) {
    Picture frame;
    if (like.IsDrawable()) {
        frame.Adopt(like.Width(), like.Height(), AllocatePixels(like.Width(), like.Height()));
        frame.Mix(nullptr, nullptr, 0);
    }
    return frame;
}
} // namespace

Fade::Fade(Picture picture, int32_t x, int32_t y, Picture beneath, Picture previous,
           int32_t previousX, int32_t previousY)
    : picture(std::move(picture)), x(x), y(y), beneath(std::move(beneath)),
      previous(std::move(previous)), previousX(previousX), previousY(previousY),
      outFrames(this->previous.IsDrawable() ? FadeOutFrames : 0),
      outFrame(FrameLike(this->previous)) {
    // Pictures of one size (a monitor's, often) share one buffer.
    if (!outFrame.IsDrawable() || !SameSize(outFrame, this->picture)) {
        inFrame = FrameLike(this->picture);
    }
}

// Memory for a frame that cannot be had ends the fade: the picture comes at once.
std::optional<Fade::Frame> Fade::Next() {
    if (step >= outFrames + FadeInFrames) {
        return std::nullopt;
    }
    const int current = step++;
    if (current < outFrames) {
        if (!outFrame.IsDrawable()) {
            return Last();
        }
        outFrame.Mix(previous.Pixels(), nullptr, FadeLevels * (current + 1) / FadeOutFrames);
        return Frame{outFrame, previousX, previousY, false};
    }
    const bool clearFirst = current == outFrames && outFrames > 0;
    if (clearFirst) {
        EndFadeOut();
    }
    const int level = FadeLevels * (current - outFrames + 1) / FadeInFrames;
    if (level == FadeLevels) {
        return Frame{picture, x, y, clearFirst};
    }
    if (!inFrame.IsDrawable()) {
        step = outFrames + FadeInFrames;
        return Frame{picture, x, y, clearFirst};
    }
    const bool over = beneath.IsDrawable() && SameSize(beneath, picture);
    inFrame.Mix(over ? beneath.Pixels() : nullptr, picture.Pixels(), level);
    return Frame{inFrame, x, y, clearFirst};
}

Fade::Frame Fade::Last() {
    const bool fadingOut = step <= outFrames && outFrames > 0;
    step = outFrames + FadeInFrames;
    EndFadeOut();
    return Frame{picture, x, y, fadingOut};
}

void Fade::EndFadeOut() {
    previous.Free();
    if (!inFrame.IsDrawable() && outFrame.IsDrawable() && SameSize(outFrame, picture)) {
        inFrame = std::move(outFrame);
    }
    outFrame.Free();
}
