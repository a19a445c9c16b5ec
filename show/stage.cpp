#include "show/stage.h"

#include "common/random.h"
#include "display/display.h"
#include "display/picture_draw.h"
#include "display/screen_capture.h"
#include "framework/dc.h"
#include "framework/rect_size.h"
#include "show/partner_search.h"

#include <utility>

namespace {
constexpr COLORREF Black = RGB(0, 0, 0);

// A scattered offset: 0 for a draw of 0, the whole free space for RandomMax.
int32_t ScatteredOffset(int32_t draw, int32_t freeSpace) {
    return static_cast<int32_t>(int64_t{draw} * freeSpace / RandomMax);
}
} // namespace

Stage::Stage(const RECT& area, const Settings& settings, const Display& display, bool fadeAllowed,
             UINT captionDpi)
    : area(area), settings(settings), display(display), fadeAllowed(fadeAllowed),
      caption(captionDpi != 0 ? std::make_unique<const CaptionWriter>(captionDpi) : nullptr) {}

void Stage::Hold(Picture picture, std::string name, Picture partner, std::string partnerName) {
    LeaveFailedAlone(picture, name, partner, partnerName);
    next = std::move(picture);
    nextName = std::move(name);
    nextPartner = std::move(partner);
    nextPartnerName = std::move(partnerName);
    captionDue = caption != nullptr;
}

// Each picture of the pair carries its own caption, written before they are
// joined. Without the memory for the pair the first shows alone.
void Stage::JoinPartner() {
    if (!nextPartner.IsDrawable()) {
        return;
    }
    if (captionDue) {
        caption->Write(nextPartner, nextPartnerName, captions);
    }
    const Pairing pairing = PairingOf(Width(area), Height(area));
    Picture pair =
        PairPictures(next, nextPartner, pairing, PairGap(pairing, Width(area), Height(area)));
    if (pair.IsDrawable()) {
        next = std::move(pair);
    }
    nextPartner = Picture();
}

bool Stage::Show(CDC& dc, bool softly) {
    if (fade) {
        EndFade(dc);
    }
    if (!next.IsDrawable()) {
        return false;
    }
    if (captionDue) {
        caption->Write(next, nextName, captions);
    }
    JoinPartner();
    if (captionDue) {
        ++captions;
        captionDue = false;
    }
    display.SelectPalette(dc);
    const POINT at = Place();
    const RECT where{at.x, at.y, at.x + next.Width(), at.y + next.Height()};
    const bool fading = softly && fadeAllowed && settings.Fade != 0 && display.format.trueColour;
    if (fading) {
        StartFade(dc, at);
    } else {
        if (settings.Overlap == 0) {
            dc.FillSolidRect(area, Black);
        }
        DrawPicture(dc, next, at.x, at.y, display);
    }
    shown = where;
    return fading;
}

void Stage::ShowUnseen() {
    if (next.IsDrawable()) {
        JoinPartner();
        Place();
    }
}

void Stage::Repainted(CDC& dc) {
    if (fade) {
        EndFade(dc);
    } else {
        shown = RECT{};
    }
}

// Without Overlap the previous picture, read back from the screen, fades out
// first; with it the new one fades in over the pixels beneath it.
void Stage::StartFade(CDC& dc, POINT at) {
    Picture beneath;
    Picture fadingOut;
    if (settings.Overlap != 0) {
        beneath = CaptureDevice(dc, at.x, at.y, next.Width(), next.Height());
    } else if (!::IsRectEmpty(&shown)) {
        fadingOut = CaptureDevice(dc, shown.left, shown.top, Width(shown), Height(shown));
    }
    // With nothing to fade out (nothing shown since a repaint, or nothing read
    // back) a stage cleared between pictures is cleared now.
    if (settings.Overlap == 0 && !fadingOut.IsDrawable()) {
        dc.FillSolidRect(area, Black);
    }
    fade.emplace(std::move(next), at.x, at.y, std::move(beneath), std::move(fadingOut), shown.left,
                 shown.top);
}

bool Stage::NextFadeFrame(CDC& dc) {
    if (!fade) {
        return false;
    }
    if (const std::optional<Fade::Frame> frame = fade->Next()) {
        DrawFrame(dc, *frame);
        return true;
    }
    fade.reset();
    return false;
}

void Stage::EndFade(CDC& dc) {
    if (!fade) {
        return;
    }
    DrawFrame(dc, fade->Last());
    fade.reset();
}

void Stage::DrawFrame(CDC& dc, const Fade::Frame& frame) {
    if (frame.clearFirst) {
        dc.FillSolidRect(area, Black);
    }
    DrawPicture(dc, frame.pixels, frame.x, frame.y, display);
}

POINT Stage::Place() const {
    const int32_t freeWidth = Width(area) - next.Width();
    const int32_t freeHeight = Height(area) - next.Height();
    if (settings.Position != 0) {
        return {area.left + freeWidth / 2, area.top + freeHeight / 2};
    }
    const int32_t x = ScatteredOffset(NextRandom(), freeWidth);
    const int32_t y = ScatteredOffset(NextRandom(), freeHeight);
    return {area.left + x, area.top + y};
}
