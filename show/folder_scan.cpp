#include "show/folder_scan.h"

#include <windows.h>

#include <memory>

namespace {
struct FindCloser {
    void operator()(HANDLE search) const { ::FindClose(search); }
};
using FindHandle = std::unique_ptr<void, FindCloser>;
} // namespace

void ScanFolder(const std::string& folder, PictureList& pictures) {
    if (!::SetCurrentDirectoryA(folder.c_str())) {
        return;
    }
    WIN32_FIND_DATAA found;
    HANDLE first = ::FindFirstFileA("*.jpg", &found);
    if (first == INVALID_HANDLE_VALUE) {
        return;
    }
    const FindHandle search(first);
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            pictures.Append()->name = found.cFileName;
        }
    } while (::FindNextFileA(search.get(), &found));
}
