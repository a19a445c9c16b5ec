// A 32-bit top-down DIB section, whose pixels are the pictures' own format but
// for the fourth byte, selected into a memory device context for as long as it
// lives: GDI draws into it, and the pixels are read and written directly.
#pragma once

#include "framework/dc.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <type_traits>

class PixelSection {
public:
    // Compatible with `like`, or with the screen when it is null.
    PixelSection(HDC like, int32_t width, int32_t height);
    PixelSection(const PixelSection&) = delete;
    PixelSection& operator=(const PixelSection&) = delete;
    ~PixelSection() = default;

    // False when the context or the section could not be had, or selected.
    bool Ready() const { return bits != nullptr; }
    HDC Dc() const { return memory.get(); }
    // The rows, top-down, width pixels each; GDI's work is finished first.
    uint32_t* Pixels() const;

private:
    struct DcDeleter {
        void operator()(HDC dc) const { ::DeleteDC(dc); }
    };
    struct BitmapDeleter {
        void operator()(HBITMAP bitmap) const { ::DeleteObject(bitmap); }
    };
    std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter> memory;
    std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter> section;
    std::optional<CSelection> selection; // ends before the section goes
    void* bits = nullptr;
};
