#include "show/stage.h"

#include "common/random.h"
#include "display/display.h"
#include "display/picture_draw.h"
#include "display/screen_capture.h"
#include "framework/dc.h"
#include "framework/rect_size.h"
#include "show/partner_search.h"
#include "show/timer_period.h"

#include <utility>

namespace {
constexpr COLORREF Black = RGB(0, 0, 0);

// A scattered offset: 0 for a draw of 0, the whole free space for RandomMax.
int32_t ScatteredOffset(int32_t draw, int32_t freeSpace) {
    return static_cast<int32_t>(int64_t{draw} * freeSpace / RandomMax);
}
} // namespace

Stage::Stage(const RECT& area, const Settings& settings, const Display& display, bool fadeAllowed,
             UINT captionDpi, bool moving)
    : area(area), settings(settings), display(display), fadeAllowed(fadeAllowed), moving(moving),
      caption(captionDpi != 0 ? std::make_unique<const CaptionWriter>(captionDpi) : nullptr) {}

void Stage::Hold(Picture picture, std::string name, Picture partner, std::string partnerName) {
    LeaveFailedAlone(picture, name, partner, partnerName);
    held = {std::move(picture), std::move(name)};
    heldPartner = {std::move(partner), std::move(partnerName)};
}

bool Stage::Show(CDC& dc, bool softly, std::chrono::milliseconds now) {
    if (fade) {
        EndFade(dc);
    }
    if (!held.picture.IsDrawable()) {
        return false;
    }
    const Screen::Motion motion{moving, std::chrono::milliseconds(TimerPeriod(settings.Delay))};
    const Pairing pairing = PairingOf(Width(area), Height(area));
    OnStage next{Screen(std::move(held), std::move(heldPartner), pairing,
                        PairGap(pairing, Width(area), Height(area)), motion),
                 {},
                 now,
                 captions};
    held = {};
    heldPartner = {};
    if (!next.screen.IsDrawable()) {
        return false;
    }
    captions += caption != nullptr ? 1 : 0;
    WriteCaptions(next);
    display.SelectPalette(dc);
    const POINT at = Place(next.screen.Width(), next.screen.Height());
    next.place = {at.x, at.y, next.screen.Width(), next.screen.Height()};
    const bool fading = softly && fadeAllowed && settings.Fade != 0 && display.format.trueColour;
    leaving = std::exchange(current, std::move(next));
    if (fading) {
        StartFade(dc, current->place);
    } else {
        leaving.reset();
        if (settings.Overlap == 0) {
            dc.FillSolidRect(area, Black);
        }
        Draw(dc, current->screen.Image(), current->place);
    }
    return fading;
}

void Stage::ShowUnseen() {
    if (held.picture.IsDrawable()) {
        Place(held.picture.FrameWidth(), held.picture.FrameHeight());
    }
}

void Stage::Repainted(CDC& dc) {
    if (fade) {
        EndFade(dc);
    } else {
        current.reset();
    }
}

// With Overlap the new screen fades in over the pixels beneath it; without, it
// dissolves out of the previous one, whose pixels on screen are its screen's
// (a moving one goes on moving).
void Stage::StartFade(CDC& dc, const DevicePlace& at) {
    Picture beneath;
    if (settings.Overlap != 0) {
        beneath = CaptureDevice(dc, at.x, at.y, at.width, at.height);
        leaving.reset();
    }
    // With nothing to dissolve out of (nothing shown since a repaint) a stage
    // cleared between screens is cleared now.
    if (settings.Overlap == 0 && !leaving) {
        dc.FillSolidRect(area, Black);
    }
    fade.emplace(at, std::move(beneath),
                 leaving ? std::optional<DevicePlace>(leaving->place) : std::nullopt);
    DrawFadeFrame(dc);
}

bool Stage::NextFadeFrame(CDC& dc) {
    if (!fade) {
        return false;
    }
    if (!fade->Step()) {
        fade.reset();
        leaving.reset();
        return false;
    }
    DrawFadeFrame(dc);
    return fade.has_value();
}

void Stage::EndFade(CDC& dc) {
    if (!fade) {
        return;
    }
    fade->End();
    DrawFadeFrame(dc);
    fade.reset();
    leaving.reset();
}

// A frame whose memory cannot be had ends the fade: the screen comes at once.
void Stage::DrawFadeFrame(CDC& dc) {
    Picture* frame =
        fade->Frame(leaving ? &leaving->screen.Image() : nullptr, current->screen.Image());
    if (frame != nullptr) {
        Draw(dc, *frame, fade->Place());
        return;
    }
    if (settings.Overlap == 0) {
        dc.FillSolidRect(area, Black);
    }
    Draw(dc, current->screen.Image(), current->place);
    fade.reset();
    leaving.reset();
}

bool Stage::NextMotionFrame(CDC& dc, std::chrono::milliseconds now) {
    bool moved = false;
    for (std::optional<OnStage>* onStage : {&current, &leaving}) {
        if (*onStage && (*onStage)->screen.Moving()) {
            MoveOn(**onStage, now);
            moved = true;
        }
    }
    if (!moved) {
        return false;
    }
    if (fade) {
        DrawFadeFrame(dc);
    } else {
        Draw(dc, current->screen.Image(), current->place);
    }
    return true;
}

void Stage::MoveOn(OnStage& onStage, std::chrono::milliseconds now) {
    onStage.screen.MoveTo(now - onStage.since);
    WriteCaptions(onStage);
}

void Stage::WriteCaptions(OnStage& onStage) {
    if (caption == nullptr) {
        return;
    }
    Picture& image = onStage.screen.Image();
    for (const Screen::Part& part : onStage.screen.Parts()) {
        caption->Write(image, part.left, part.top, part.width, part.height, part.taken,
                       part.shown.name, onStage.captionTurn);
    }
}

void Stage::Draw(CDC& dc, Picture& pixels, const DevicePlace& at) {
    DrawPicture(dc, pixels, at.x, at.y, display);
}

POINT Stage::Place(int32_t width, int32_t height) const {
    const int32_t freeWidth = Width(area) - width;
    const int32_t freeHeight = Height(area) - height;
    if (settings.Position != 0) {
        return {area.left + freeWidth / 2, area.top + freeHeight / 2};
    }
    const int32_t x = ScatteredOffset(NextRandom(), freeWidth);
    const int32_t y = ScatteredOffset(NextRandom(), freeHeight);
    return {area.left + x, area.top + y};
}
