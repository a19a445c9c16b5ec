#include "picture/screen_capture.h"

#include "framework/dc.h"
#include "picture/pixel_buffer.h"

#include <cstddef>
#include <memory>
#include <type_traits>

namespace {
struct DcDeleter {
    void operator()(HDC dc) const { ::DeleteDC(dc); }
};
struct BitmapDeleter {
    void operator()(HBITMAP bitmap) const { ::DeleteObject(bitmap); }
};
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

// A bitmap selected into a device context for as long as it lives.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc(dc), replaced(::SelectObject(dc, object)) {}
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    ~Selection() { ::SelectObject(dc, replaced); }

private:
    HDC dc;
    HGDIOBJ replaced;
};
} // namespace

// Through a 32-bit top-down section, whose pixels are the pictures' own format
// but for the fourth byte, which is cleared.
Picture CaptureDevice(CDC& dc, int32_t x, int32_t y, int32_t width, int32_t height) {
    Picture captured;
    std::unique_ptr<uint32_t[]> pixels = AllocatePixels(width, height);
    const MemoryDc memory(::CreateCompatibleDC(dc.GetSafeHdc()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const Bitmap section(
        memory ? ::CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0)
               : nullptr);
    if (!pixels || !section || bits == nullptr) {
        captured.Adopt(0, 0, nullptr);
        return captured;
    }
    {
        const Selection selected(memory.get(), section.get());
        ::BitBlt(memory.get(), 0, 0, width, height, dc.GetSafeHdc(), x, y, SRCCOPY);
        ::GdiFlush();
    }
    const auto* source = static_cast<const uint32_t*>(bits);
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    for (size_t i = 0; i < count; ++i) {
        pixels[i] = source[i] & 0x00FFFFFFu;
    }
    captured.Adopt(width, height, std::move(pixels));
    return captured;
}
