// Which file names a show takes for pictures: the JPEG names, and the names of
// the other formats the platform decodes.
#pragma once

#include <string>
#include <vector>

class PictureNames {
public:
    // `extensions` without their dot ("png", "tiff"), in any letter case.
    explicit PictureNames(const std::vector<std::string>& extensions = {});

    // A JPEG name, or a name ending in "." and one of the extensions in any
    // letter case, after a "." that is not the name's first character.
    bool IsPicture(const char* name) const;

private:
    std::vector<std::string> endings; // ".png", ...
};
