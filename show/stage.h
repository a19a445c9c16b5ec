// One area of the show's window where pictures are boxed and placed (a monitor
// of the full-screen show, or the whole preview): the screen its next draw
// shows (one picture, or a pair), the screen on it now, still or moving, and
// the change of screen under way.
#pragma once

#include "common/settings.h"
#include "picture/picture.h"
#include "show/caption_writer.h"
#include "show/fade.h"
#include "show/screen.h"

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class CDC;
class Display;

class Stage {
public:
    // The settings and the display must outlive the stage. `fadeAllowed`:
    // whether the Fade setting may fade pictures in here (not in the preview).
    // `captionDpi`: the DPI of the monitor whose pictures carry captions; 0
    // for none. `moving`: whether pictures move here (the Motion setting, on a
    // display of true colour).
    Stage(const RECT& area, const Settings& settings, const Display& display, bool fadeAllowed,
          UINT captionDpi, bool moving);

    const RECT& Area() const { return area; }

    // The screen the next draw shows: a picture, with a partner when that is
    // drawable, and their names relative to the show's folder. A pair whose
    // first picture failed shows its partner alone.
    void Hold(Picture picture, std::string name, Picture partner, std::string partnerName);
    bool HoldsDrawable() const { return held.picture.IsDrawable(); }
    const std::string& HeldName() const { return held.name; }
    const std::string& HeldPartnerName() const { return heldPartner.name; }

    // Draws the held screen, if it is drawable, where Place puts it, with its
    // captions written in; any fade still under way ends first. `softly`: it
    // fades in, where the settings and the display let it. `now`: the show's
    // time, which moving pictures follow. True when a fade has begun, whose
    // frames after the first NextFadeFrame then draws.
    bool Show(CDC& dc, bool softly, std::chrono::milliseconds now);
    // The creation's draw, which shows nothing: a scattered place takes its
    // draws of the generator all the same.
    void ShowUnseen();
    // The window was repainted black: a fade under way ends with its screen
    // drawn whole; otherwise nothing of the stage is on screen any more.
    void Repainted(CDC& dc);

    // Draws the fade's next frame; false once it is over, or with no fade.
    bool NextFadeFrame(CDC& dc);
    // Draws the fade's last frame at once, and ends it; nothing with no fade.
    void EndFade(CDC& dc);
    // Draws the moving pictures on the stage as they are at `now`; false when
    // nothing on it moves.
    bool NextMotionFrame(CDC& dc, std::chrono::milliseconds now);

private:
    // A screen on the stage, where it is and since when.
    struct OnStage {
        Screen screen;
        DevicePlace place;
        std::chrono::milliseconds since{0};
        uint32_t captionTurn = 0;
    };
    void StartFade(CDC& dc, const DevicePlace& at);
    void DrawFadeFrame(CDC& dc);
    void Draw(CDC& dc, Picture& pixels, const DevicePlace& at);
    // Moves a moving screen on to `now`, its captions written in anew.
    void MoveOn(OnStage& onStage, std::chrono::milliseconds now);
    void WriteCaptions(OnStage& onStage);
    // Where a screen of this size goes: centred, or scattered by two draws of
    // the generator.
    POINT Place(int32_t width, int32_t height) const;

    RECT area;
    const Settings& settings;
    const Display& display;
    bool fadeAllowed;
    bool moving;
    Screen::Shown held;
    Screen::Shown heldPartner;
    std::unique_ptr<const CaptionWriter> caption; // none: the pictures carry no caption
    uint32_t captions = 0;                        // written so far: one a screen shown
    std::optional<OnStage> current;               // none when the stage is black
    std::optional<OnStage> leaving;               // the screen a fade dissolves out of
    std::optional<Fade> fade;
};
