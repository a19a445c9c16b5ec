#include "picture/jpeg_name.h"

#include <cstring>

namespace {
// Letter case is folded for ASCII letters only. Both extensions are pure ASCII,
// so a byte of a multi-byte character can never make a name match, folded or not.
bool EqualIgnoringCase(const char* text, const char* upper) {
    for (; *text != '\0' && *upper != '\0'; ++text, ++upper) {
        char c = *text;
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
        if (c != *upper) {
            return false;
        }
    }
    return *text == '\0' && *upper == '\0';
}
} // namespace

bool IsJpegName(const char* path) {
    // A "." never occurs inside a multi-byte character, so a byte search finds it.
    const char* dot = std::strrchr(path, '.');
    if (dot == nullptr || dot == path) {
        return false;
    }
    // Other picture types (".GIF", ".BMP", ".TIF") are not supported: like any
    // other name they count as failed pictures.
    return EqualIgnoringCase(dot, ".JPG") || EqualIgnoringCase(dot, ".JPEG");
}
