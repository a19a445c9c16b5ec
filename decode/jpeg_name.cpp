#include "decode/jpeg_name.h"

#include "common/ascii_text.h"

#include <cstring>
#include <initializer_list>

bool IsJpegName(const char* path) {
    // A "." never occurs inside a multi-byte character, so a byte search finds it.
    const char* dot = std::strrchr(path, '.');
    if (dot == nullptr || dot == path) {
        return false;
    }
    // The extensions are pure ASCII, so a byte of a multi-byte character can
    // never make a name match. (Other formats: library/picture_names.h.)
    for (const char* extension : {".JPG", ".JPEG", ".JPE", ".JFIF"}) {
        if (EqualIgnoringCase(dot, extension)) {
            return true;
        }
    }
    return false;
}
