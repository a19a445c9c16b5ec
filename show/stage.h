// One area of the show's window where pictures are boxed and placed (a monitor
// of the full-screen show, or the whole preview): the picture its next draw
// shows, where its last one is, and the change of picture under way.
#pragma once

#include "common/settings.h"
#include "picture/picture.h"
#include "show/caption_writer.h"
#include "show/fade.h"

#include <windows.h>

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
    // for none.
    Stage(const RECT& area, const Settings& settings, const Display& display, bool fadeAllowed,
          UINT captionDpi);

    const RECT& Area() const { return area; }

    // The picture the next draw shows, and its name relative to the show's
    // folder; and its partner, shown with it as one picture (the pair placed
    // and faded as a single picture is), unless the partner is not drawable.
    // A pair whose first picture failed shows its partner alone.
    void Hold(Picture picture, std::string name, Picture partner, std::string partnerName);
    bool HoldsDrawable() const { return next.IsDrawable(); }
    const std::string& HeldName() const { return nextName; }
    // Empty when the held picture is alone.
    const std::string& HeldPartnerName() const { return nextPartnerName; }

    // Draws the held picture, if it is drawable, where Place puts it, with its
    // caption written in first; any fade still under way ends first.
    // `softly`: it fades in, where the settings and the display let it. True
    // when a fade has begun, whose frames, the first among them,
    // NextFadeFrame then draws.
    bool Show(CDC& dc, bool softly);
    // The creation's draw, which shows nothing: a scattered place takes its
    // draws of the generator all the same.
    void ShowUnseen();
    // The window was repainted black: a fade under way ends with its picture
    // drawn whole; otherwise nothing of the stage is on screen any more.
    void Repainted(CDC& dc);

    // Draws the fade's next frame; false once it is over, or with no fade.
    bool NextFadeFrame(CDC& dc);
    // Draws the fade's last frame at once, and ends it; nothing with no fade.
    void EndFade(CDC& dc);

private:
    // The change begins: the previous picture fades out or the new one fades
    // in over what is beneath it.
    void StartFade(CDC& dc, POINT at);
    void DrawFrame(CDC& dc, const Fade::Frame& frame);
    // Where the held picture goes: centred, or scattered by two draws of the
    // generator.
    POINT Place() const;
    // The held pair becomes one picture.
    void JoinPartner();

    RECT area;
    const Settings& settings;
    const Display& display;
    bool fadeAllowed;
    Picture next;
    std::string nextName;
    Picture nextPartner;
    std::string nextPartnerName;
    std::unique_ptr<const CaptionWriter> caption; // none: the pictures carry no caption
    bool captionDue = false;                      // the held picture's caption is yet to be written
    uint32_t captions = 0;                        // written so far: one a picture shown
    RECT shown{}; // where its last picture is, empty when the stage is black
    std::optional<Fade> fade;
};
