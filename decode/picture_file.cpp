#include "decode/picture_file.h"

std::FILE* OpenPictureFile(const char* path) {
    return std::fopen(path, "rb");
}
