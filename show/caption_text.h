// The line a picture of the show carries at its lower left when captions are
// on: the day it was taken and where it lies, shortened to the picture's
// width. Texts are UTF-8; the day's text is made by the platform, in the
// user's format, and measured by the one who draws.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Where a picture lies, from its name relative to the show's folder (folders
// separated by '\' or '/', "2023\Holiday\IMG_0042.JPG"): its folders joined
// by " › " ("2023 › Holiday"), or its own name when it lies in the show's
// folder itself. Empty parts (doubled, leading or trailing separators) are
// left out; a name that ends in a separator is all folders.
std::string CaptionPlace(const std::string& relativeName);

// The date and the place with a middle dot between them, two spaces either
// side of it ("Friday, July 14, 2023  ·  2023 › Holiday"), or whichever of them is not
// empty alone.
std::string CaptionLine(const std::string& dateText, const std::string& place);

// The width of a text when drawn, in the drawer's units.
using TextMeasure = std::function<int32_t(const std::string&)>;

// The text when `measure` finds it no wider than maxWidth; else its longest
// beginning, followed by "…", that is. The text is cut only between
// characters, never before a combining accent (U+0300 to U+036F), a variation
// selector, a skin tone or a zero-width joiner nor after a joiner, and the
// spaces and separators ("·", "›") it would end in are left out. Empty when not even "…" fits. A
// text of n characters is measured about log2(n) + 2 times, as long as a longer beginning is never
// narrower than a shorter one.
std::string Ellipsized(const std::string& text, int32_t maxWidth, const TextMeasure& measure);

// Where the caption goes inside a picture, in the picture's pixels from its
// top left: a line of the text's height, `margin` from the picture's left and
// bottom edges, at most `maxWidth` wide (the picture's width less both
// margins). None (maxWidth 0) when the picture is narrower than
// CaptionMinWidthInLines text heights or lower than CaptionMinHeightInLines.
struct CaptionBox {
    int32_t left = 0;
    int32_t top = 0;
    int32_t maxWidth = 0;
    int32_t height = 0;

    bool Shown() const { return maxWidth > 0; }
};
constexpr int32_t CaptionMinWidthInLines = 6;
constexpr int32_t CaptionMinHeightInLines = 2;

// The margin is half the text's height. `turn` counts the captions written
// before on the same monitor: from one to the next the line moves an eighth of
// its height right and up, over CaptionShifts places, so that a line that
// stays the same (one folder, one day) does not stay on the same pixels of the
// screen. No text height (zero or less) gives no caption.
constexpr uint32_t CaptionShifts = 4;
CaptionBox CaptionLayout(int32_t pictureWidth, int32_t pictureHeight, int32_t textHeight,
                         uint32_t turn = 0);
