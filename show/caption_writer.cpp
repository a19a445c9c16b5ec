#include "show/caption_writer.h"

#include "common/windows_path.h"
#include "display/display.h"
#include "display/pixel_section.h"
#include "framework/dc.h"
#include "picture/picture.h"
#include "show/caption_text.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>

namespace {
// Twice the message font: the caption is read from across the room.
constexpr int FontScale = 2;
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Outline = RGB(0, 0, 0);

// The caption's text is UTF-8 whatever the process's code page: the names,
// text of the code page, and the day, the system's wide text, are made UTF-8.
std::wstring WideFromUtf8(const std::string& text) {
    const int length =
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(std::max(length, 0)), L'\0');
    if (length > 0) {
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                              length);
    }
    return wide;
}

std::string Utf8FromWide(const std::wstring& wide) {
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                             nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(std::max(length, 0)), '\0');
    if (length > 0) {
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                              length, nullptr, nullptr);
    }
    return text;
}

// The day in the user's long date format; empty when there is none.
std::string DayText(const std::optional<TakenDate>& taken) {
    if (!taken) {
        return std::string();
    }
    SYSTEMTIME day{};
    day.wYear = static_cast<WORD>(taken->year);
    day.wMonth = static_cast<WORD>(taken->month);
    day.wDay = static_cast<WORD>(taken->day);
    wchar_t text[128] = L"";
    const int length = ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_LONGDATE, &day, nullptr,
                                         text, static_cast<int>(std::size(text)), nullptr);
    return length > 1 ? Utf8FromWide(std::wstring(text, static_cast<size_t>(length - 1)))
                      : std::string();
}

// The message font of the system, at the system's DPI.
LOGFONTW MessageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        metrics.lfMessageFont = LOGFONTW{};
        metrics.lfMessageFont.lfHeight = -12;
        metrics.lfMessageFont.lfWeight = FW_NORMAL;
    }
    return metrics.lfMessageFont;
}

} // namespace

CaptionWriter::CaptionWriter(UINT dpi) {
    LOGFONTW face = MessageFont();
    face.lfHeight =
        ::MulDiv(face.lfHeight, static_cast<int>(dpi) * FontScale, static_cast<int>(SystemDpi()));
    face.lfWidth = 0;
    face.lfQuality = ANTIALIASED_QUALITY; // no coloured fringes along the outline
    if (!font.CreateFontIndirect(&face)) {
        return;
    }
    const PixelSection probe(nullptr, 1, 1);
    if (!probe.Ready()) {
        return;
    }
    const CSelection selected(probe.Dc(), font.Handle());
    TEXTMETRICW metrics{};
    if (selected.Made() && ::GetTextMetricsW(probe.Dc(), &metrics)) {
        textHeight = metrics.tmHeight;
    }
}

// The rows the line covers are copied into a section, written on there by GDI
// and copied back with their fourth bytes cleared.
void CaptionWriter::Write(Picture& picture, const std::string& name, uint32_t turn) const {
    Write(picture, 0, 0, picture.Width(), picture.Height(), picture.Taken(), name, turn);
}

void CaptionWriter::Write(Picture& onto, int32_t partLeft, int32_t partTop, int32_t partWidth,
                          int32_t partHeight, const std::optional<TakenDate>& taken,
                          const std::string& name, uint32_t turn) const {
    uint32_t* pixels = onto.PixelsToWriteOn();
    CaptionBox box = CaptionLayout(partWidth, partHeight, textHeight, turn);
    if (pixels == nullptr || !box.Shown() || partLeft < 0 || partTop < 0 ||
        partLeft + partWidth > onto.Width() || partTop + partHeight > onto.Height()) {
        return;
    }
    box.left += partLeft;
    box.top += partTop;
    const int32_t outline = std::max(1, textHeight / 16);
    const int32_t top = std::max(partTop, box.top - outline);
    const int32_t bottom = std::min(partTop + partHeight, box.top + box.height + outline);
    const int32_t width = onto.Width();
    const PixelSection section(nullptr, width, bottom - top);
    if (!section.Ready()) {
        return;
    }
    const CSelection selected(section.Dc(), font.Handle());
    if (!selected.Made()) {
        return;
    }
    uint32_t* strip = pixels + static_cast<size_t>(top) * static_cast<size_t>(width);
    const size_t count = static_cast<size_t>(bottom - top) * static_cast<size_t>(width);
    std::memcpy(section.Pixels(), strip, count * sizeof *strip);

    const HDC dc = section.Dc();
    const std::string line = Ellipsized(
        CaptionLine(DayText(taken), CaptionPlace(Utf8FromWide(WideText(name)))),
        box.maxWidth - 2 * outline, [dc](const std::string& text) {
            const std::wstring wide = WideFromUtf8(text);
            SIZE size{};
            ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
            return static_cast<int32_t>(size.cx);
        });
    const std::wstring wide = WideFromUtf8(line);
    const int length = static_cast<int>(wide.size());
    const int x = box.left + outline;
    const int y = box.top - top;
    ::SetBkMode(dc, TRANSPARENT);
    // The outline: the text in the dark colour at every offset within its
    // width, so that it has no gaps however wide it is.
    ::SetTextColor(dc, Outline);
    for (int dy = -outline; dy <= outline; ++dy) {
        for (int dx = -outline; dx <= outline; ++dx) {
            if (dx * dx + dy * dy <= outline * outline + 1) {
                ::TextOutW(dc, x + dx, y + dy, wide.c_str(), length);
            }
        }
    }
    ::SetTextColor(dc, White);
    ::TextOutW(dc, x, y, wide.c_str(), length);

    const uint32_t* written = section.Pixels();
    for (size_t i = 0; i < count; ++i) {
        strip[i] = written[i] & 0x00FFFFFFu;
    }
}
