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

// Characters drawn as one with the one before them.
bool JoinsBefore(char32_t c) {
    return (c >= 0x0300 && c <= 0x036F) || (c >= 0xFE00 && c <= 0xFE0F) ||
           (c >= 0x1F3FB && c <= 0x1F3FF) || c == ZeroWidthJoiner;
}

// The byte offsets the text may be cut at, from 0, short of its end.
std::vector<size_t> CutPlaces(const std::string& text) {
    std::vector<size_t> places;
    char32_t previous = 0;
    for (size_t at = 0, next = 0; at < text.size(); at = next) {
        const char32_t c = CharacterAt(text, at, next);
        if (at == 0 || (!JoinsBefore(c) && previous != ZeroWidthJoiner)) {
            places.push_back(at);
        }
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
