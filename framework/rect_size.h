// The sides of a rectangle; right and bottom lie just outside it.
#pragma once

#include <windows.h>

#include <cstdint>

inline int32_t Width(const RECT& rect) {
    return rect.right - rect.left;
}

inline int32_t Height(const RECT& rect) {
    return rect.bottom - rect.top;
}
