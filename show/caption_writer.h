// The caption a stage of the full-screen show writes into each of its pictures
// before it is drawn, so that the line comes and goes with the picture and
// fades with it: the day the photo was taken, in the user's date format, and
// where it lies below the show's folder, in white with a dark outline at the
// picture's lower left, in the system's message font at twice its size for the
// stage's monitor.
#pragma once

#include "framework/gdi_object.h"
#include "picture/taken_date.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

class Picture;

class CaptionWriter {
public:
    // For a monitor of `dpi` dots per inch.
    explicit CaptionWriter(UINT dpi);

    // Writes the line of the picture's day and of the place of `name` (relative
    // to the show's folder) into its pixels. `turn` counts the captions written
    // before for the stage: the line moves a little from one to the next, so
    // that no pixel of the monitor shows the same text for long. A picture too
    // small for the line, or already prepared for the display, is left as it
    // is, as it is when the system cannot draw the text.
    void Write(Picture& picture, const std::string& name, uint32_t turn) const;
    // The same for the part of `onto` at (left, top), `width` x `height`
    // pixels, which shows the picture of `name`, taken on `taken` (a pair's
    // half, or a moving picture's frame): the line lies at the part's lower
    // left and within it.
    void Write(Picture& onto, int32_t left, int32_t top, int32_t width, int32_t height,
               const std::optional<TakenDate>& taken, const std::string& name, uint32_t turn) const;

private:
    CFont font;
    int32_t textHeight = 0; // the font's cell, in pixels
};
