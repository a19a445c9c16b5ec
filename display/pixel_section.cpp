#include "display/pixel_section.h"

PixelSection::PixelSection(HDC like, int32_t width, int32_t height)
    : memory(::CreateCompatibleDC(like)) {
    if (!memory) {
        return;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* sectionBits = nullptr;
    section.reset(
        ::CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &sectionBits, nullptr, 0));
    if (section && sectionBits != nullptr) {
        selection.emplace(memory.get(), section.get());
        bits = selection->Made() ? sectionBits : nullptr;
    }
}

uint32_t* PixelSection::Pixels() const {
    ::GdiFlush();
    return static_cast<uint32_t*>(bits);
}
