#include "show/folder_scan.h"

#include <windows.h>

#include <memory>
#include <new>
#include <string>

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
    try {
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                std::string name = found.cFileName;
                pictures.Append()->name = std::move(name);
            }
        } while (::FindNextFileA(search.get(), &found));
    } catch (const std::bad_alloc&) {
        // Out of memory: the show goes on with the names listed so far, each
        // entry with its whole name.
    }
}
