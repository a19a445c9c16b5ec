// On Windows through the wide name: names beyond MAX_PATH open too.
#include "decode/picture_file.h"

#include "common/windows_path.h"

#include <string>

std::FILE* OpenPictureFile(const char* path) {
    const std::wstring name = SystemPath(path);
    return name.empty() ? nullptr : ::_wfopen(name.c_str(), L"rb");
}
