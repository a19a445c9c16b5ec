#include "common/windows_path.h"

#include <windows.h>

#include <cwchar>

namespace {
// A name of more than this is no name of a file system.
constexpr std::size_t MaxTextLength = 32767 * 4;

bool StartsWith(const std::wstring& text, const wchar_t* start) {
    return text.compare(0, std::wcslen(start), start) == 0;
}
} // namespace

std::wstring WideText(const std::string& text) {
    if (text.empty() || text.size() > MaxTextLength) {
        return std::wstring();
    }
    const int bytes = static_cast<int>(text.size());
    const int length =
        ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), bytes, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (length == 0 || ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), bytes,
                                             wide.data(), length) != length) {
        return std::wstring();
    }
    return wide;
}

std::wstring SystemPath(const std::string& name) {
    const std::wstring wide = WideText(name);
    if (StartsWith(wide, L"\\\\?\\") || StartsWith(wide, L"\\\\.\\")) {
        return wide;
    }
    if (StartsWith(wide, L"\\\\")) {
        return L"\\\\?\\UNC\\" + wide.substr(2);
    }
    const bool drive = wide.size() >= 3 && wide[1] == L':' && wide[2] == L'\\';
    return drive ? L"\\\\?\\" + wide : wide;
}

// Under UTF-8 a name that is not valid UTF-16 fails; under another code page a
// character it lacks would become a stand-in, which fails too.
std::string ProgramText(const wchar_t* text, std::size_t length) {
    if (length == 0 || length > MaxTextLength) {
        return std::string();
    }
    const UINT codePage = ::GetACP();
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL lossy = FALSE;
    BOOL* const lossyOut = utf8 ? nullptr : &lossy;
    const int wideLength = static_cast<int>(length);
    const int bytes =
        ::WideCharToMultiByte(codePage, flags, text, wideLength, nullptr, 0, nullptr, lossyOut);
    std::string narrow(static_cast<std::size_t>(bytes), '\0');
    if (bytes == 0 ||
        ::WideCharToMultiByte(codePage, flags, text, wideLength, narrow.data(), bytes, nullptr,
                              lossyOut) != bytes ||
        lossy) {
        return std::string();
    }
    return narrow;
}
