// Which file names are decoded as JPEG pictures.
#pragma once

// True when the name ends in ".JPG", ".JPEG", ".JPE" or ".JFIF" in any letter
// case, after a "." that is not the name's first character.
bool IsJpegName(const char* path);
