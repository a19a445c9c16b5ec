#include "display/screen_capture.h"

#include "display/pixel_section.h"
#include "framework/dc.h"
#include "picture/pixel_buffer.h"

#include <cstddef>
#include <memory>

// Through a 32-bit top-down section, whose pixels are the pictures' own format
// but for the fourth byte, which is cleared.
Picture CaptureDevice(CDC& dc, int32_t x, int32_t y, int32_t width, int32_t height) {
    Picture captured;
    std::unique_ptr<uint32_t[]> pixels = AllocatePixels(width, height);
    const PixelSection section(dc.GetSafeHdc(), width, height);
    if (!pixels || !section.Ready()) {
        captured.Adopt(0, 0, nullptr);
        return captured;
    }
    ::BitBlt(section.Dc(), 0, 0, width, height, dc.GetSafeHdc(), x, y, SRCCOPY);
    const uint32_t* source = section.Pixels();
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    for (size_t i = 0; i < count; ++i) {
        pixels[i] = source[i] & 0x00FFFFFFu;
    }
    captured.Adopt(width, height, std::move(pixels));
    return captured;
}
