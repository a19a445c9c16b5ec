#include "show/caption_text.h"

#include <cstddef>
#include <vector>

namespace {
// UTF-8 texts: '\', '/' and the bytes of ASCII never occur inside the bytes of
// another character, so names in any script are split at their separators
// byte by byte.
constexpr char PlaceSeparator[] = " \xE2\x80\xBA "; // " › "
constexpr char LineSeparator[] = "  \xC2\xB7  ";    // "  ·  "
constexpr char Ellipsis[] = "\xE2\x80\xA6";         // "…"
constexpr const char* EndsLeftOut[] = {" ", "\xC2\xB7", "\xE2\x80\xBA"};
constexpr char32_t ZeroWidthJoiner = 0x200D;

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The character that starts at `at`, and where the next one starts; a broken
// sequence is taken as one character of what its bytes give.
char32_t CharacterAt(const std::string& text, size_t at, size_t& next) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const int more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t value = lead & (0x7F >> more);
    next = at + 1;
    for (int i = 0; i < more && next < text.size() && IsContinuationByte(text[next]); ++i) {
        value = value << 6 | (static_cast<unsigned char>(text[next++]) & 0x3F);
    }
    while (next < text.size() && IsContinuationByte(text[next])) {
        ++next;
    }
    return value;
}

bool Within(char32_t c, char32_t first, char32_t last) {
    return c >= first && c <= last;
}

// The vowel signs, viramas and other marks of the Indic scripts' blocks, from
// Devanagari to Malayalam, which place them alike within their 128 characters.
bool IsIndicMark(char32_t c) {
    if (!Within(c, 0x0900, 0x0D7F)) {
        return false;
    }
    const char32_t place = c & 0x7F;
    return place <= 0x03 || (Within(place, 0x3A, 0x4F) && place != 0x3D) ||
           Within(place, 0x51, 0x57) || Within(place, 0x62, 0x63);
}

// Characters drawn as one with the one before them: combining marks (accents,
// Hebrew points, Arabic vowels, Indic and Thai vowel signs, Japanese sound
// marks, enclosing keycaps), the vowels and finals of decomposed Hangul,
// variation selectors, skin tones, emoji tags and the zero-width joiner.
bool JoinsBefore(char32_t c) {
    return Within(c, 0x0300, 0x036F) || Within(c, 0x0483, 0x0489) || Within(c, 0x0591, 0x05BD) ||
           c == 0x05BF || Within(c, 0x05C1, 0x05C2) || Within(c, 0x05C4, 0x05C5) || c == 0x05C7 ||
           Within(c, 0x0610, 0x061A) || Within(c, 0x064B, 0x065F) || c == 0x0670 ||
           Within(c, 0x06D6, 0x06ED) || IsIndicMark(c) || c == 0x0E31 ||
           Within(c, 0x0E34, 0x0E3A) || Within(c, 0x0E47, 0x0E4E) || c == 0x0EB1 ||
           Within(c, 0x0EB4, 0x0EBC) || Within(c, 0x0EC8, 0x0ECD) || Within(c, 0x1160, 0x11FF) ||
           Within(c, 0x1AB0, 0x1AFF) || Within(c, 0x1DC0, 0x1DFF) || Within(c, 0x20D0, 0x20FF) ||
           Within(c, 0x3099, 0x309A) || Within(c, 0xFE00, 0xFE0F) || Within(c, 0xFE20, 0xFE2F) ||
           Within(c, 0x1F3FB, 0x1F3FF) || Within(c, 0xE0020, 0xE007F) ||
           Within(c, 0xE0100, 0xE01EF) || c == ZeroWidthJoiner;
}

// A flag is two regional indicators: the second of each pair joins the first.
bool IsRegionalIndicator(char32_t c) {
    return Within(c, 0x1F1E6, 0x1F1FF);
}

// The byte offsets the text may be cut at, from 0, short of its end.
std::vector<size_t> CutPlaces(const std::string& text) {
    std::vector<size_t> places;
    char32_t previous = 0;
    size_t indicators = 0; // regional indicators in a row, up to the previous character
    for (size_t at = 0, next = 0; at < text.size(); at = next) {
        const char32_t c = CharacterAt(text, at, next);
        const bool flagHalf = IsRegionalIndicator(c) && indicators % 2 == 1;
        if (at == 0 || (!JoinsBefore(c) && previous != ZeroWidthJoiner && !flagHalf)) {
            places.push_back(at);
        }
        indicators = IsRegionalIndicator(c) ? indicators + 1 : 0;
        previous = c;
    }
    return places;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The text's first `length` bytes without the spaces and separators they end
// in, and the ellipsis.
std::string CutText(const std::string& text, size_t length) {
    std::string cut = text.substr(0, length);
    for (bool trimmed = true; trimmed;) {
        trimmed = false;
        for (const char* end : EndsLeftOut) {
            if (EndsWith(cut, end)) {
                cut.resize(cut.size() - std::char_traits<char>::length(end));
                trimmed = true;
            }
        }
    }
    return cut + Ellipsis;
}
} // namespace

std::string CaptionPlace(const std::string& relativeName) {
    size_t nameStart = relativeName.size();
    while (nameStart > 0 && !IsSeparator(relativeName[nameStart - 1])) {
        --nameStart;
    }
    std::string place;
    for (size_t start = 0; start < nameStart;) {
        size_t end = start;
        while (end < nameStart && !IsSeparator(relativeName[end])) {
            ++end;
        }
        if (end > start) {
            place += place.empty() ? "" : PlaceSeparator;
            place.append(relativeName, start, end - start);
        }
        start = end + 1;
    }
    return place.empty() ? relativeName.substr(nameStart) : place;
}

std::string CaptionLine(const std::string& dateText, const std::string& place) {
    if (dateText.empty() || place.empty()) {
        return dateText + place;
    }
    return dateText + LineSeparator + place;
}

// A binary search over the places the text may be cut at: every cut below
// `fitting` fits, none from `tooWide` on.
std::string Ellipsized(const std::string& text, int32_t maxWidth, const TextMeasure& measure) {
    if (measure(text) <= maxWidth) {
        return text;
    }
    const std::vector<size_t> places = CutPlaces(text);
    size_t fitting = 0, tooWide = places.size();
    while (fitting < tooWide) {
        const size_t middle = fitting + (tooWide - fitting) / 2;
        if (measure(CutText(text, places[middle])) <= maxWidth) {
            fitting = middle + 1;
        } else {
            tooWide = middle;
        }
    }
    return fitting == 0 ? std::string() : CutText(text, places[fitting - 1]);
}

CaptionBox CaptionLayout(int32_t pictureWidth, int32_t pictureHeight, int32_t textHeight,
                         uint32_t turn) {
    const int64_t line = textHeight;
    if (line <= 0 || pictureWidth < CaptionMinWidthInLines * line ||
        pictureHeight < CaptionMinHeightInLines * line) {
        return {};
    }
    const int32_t margin = textHeight / 2;
    const int32_t shift = static_cast<int32_t>(turn % CaptionShifts) * textHeight / 8;
    return {margin + shift, pictureHeight - margin - shift - textHeight,
            pictureWidth - 2 * margin - shift, textHeight};
}
