#include "library/picture_names.h"

#include "common/ascii_text.h"
#include "decode/jpeg_name.h"

#include <cstring>

PictureNames::PictureNames(const std::vector<std::string>& extensions) {
    for (const std::string& extension : extensions) {
        endings.push_back("." + extension);
    }
}

bool PictureNames::IsPicture(const char* name) const {
    if (IsJpegName(name)) {
        return true;
    }
    // A "." never occurs inside a multi-byte character, so a byte search finds it.
    const char* dot = std::strrchr(name, '.');
    if (dot == nullptr || dot == name) {
        return false;
    }
    for (const std::string& ending : endings) {
        if (EqualIgnoringCase(dot, ending.c_str())) {
            return true;
        }
    }
    return false;
}
