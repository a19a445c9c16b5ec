#include "app/picture_folder.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <memory>

namespace {
struct TaskMemFree {
    void operator()(wchar_t* text) const { ::CoTaskMemFree(text); }
};

// The wide text in the code page of the ANSI functions, or "" when it has no
// form there.
std::string InCodePage(const wchar_t* text) {
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) {
        return {};
    }
    std::string converted(static_cast<size_t>(size), '\0');
    // The code page is UTF-8 where the manifest is honoured, and UTF-8 has every
    // character; in another one a character without a form would name another
    // folder.
    BOOL lossy = FALSE;
    const bool utf8 = ::GetACP() == CP_UTF8;
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, converted.data(), size, nullptr,
                          utf8 ? nullptr : &lossy);
    converted.resize(static_cast<size_t>(size) - 1);
    return lossy ? std::string() : converted;
}
} // namespace

std::string DefaultPictureFolder() {
    wchar_t* found = nullptr;
    const HRESULT result = ::SHGetKnownFolderPath(FOLDERID_Pictures, 0, nullptr, &found);
    const std::unique_ptr<wchar_t, TaskMemFree> owned(found);
    const std::string folder = SUCCEEDED(result) ? InCodePage(found) : std::string();
    return folder.empty() ? "C:\\images" : folder;
}
