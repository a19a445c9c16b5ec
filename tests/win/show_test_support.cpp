#include "tests/win/show_test_support.h"

#include "show/show_wnd.h"
#include "tools/jpeg_maker.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

PictureFolder::PictureFolder() {
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    static int folders = 0;
    path = std::string(temp) + "pelloran-show-" + std::to_string(::GetCurrentProcessId()) + "-" +
           std::to_string(++folders);
    ::CreateDirectoryA(path.c_str(), nullptr);
}

PictureFolder::~PictureFolder() {
    // The show made the folder current: it cannot be removed while it is.
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    ::SetCurrentDirectoryA(temp);
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string entry = path + "\\" + found.cFileName;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                ::DeleteFileA(entry.c_str());
            } else if (found.cFileName[0] != '.') {
                ::RemoveDirectoryA(entry.c_str());
            }
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryA(path.c_str());
}

void PictureFolder::AddSolid(const char* name, int width, int height, COLORREF colour) const {
    JpegRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.sampling = JpegSampling::Halved;
    recipe.quality = 90;
    const std::vector<uint8_t> samples =
        Uniform(recipe, {GetRValue(colour), GetGValue(colour), GetBValue(colour)});
    ASSERT_NO_THROW(WriteFile(path + "\\" + name, MakeJpeg(recipe, samples))) << name;
}

void PictureFolder::AddText(const char* name) const {
    std::FILE* file = std::fopen((path + "\\" + name).c_str(), "wb");
    ASSERT_NE(nullptr, file) << name;
    std::fputs("Not a JPEG stream.\n", file);
    std::fclose(file);
}

void PictureFolder::AddFolder(const char* name) const {
    ::CreateDirectoryA((path + "\\" + name).c_str(), nullptr);
}

Settings ShowSettings(const std::string& folder) {
    Settings settings;
    settings.Delay = 3600;
    settings.Position = 1;
    settings.Size = 0;
    settings.Random = 0;
    settings.Overlap = 0;
    settings.Path = folder;
    return settings;
}

namespace {
BOOL CALLBACK FindBusyShow(HWND hwnd, LPARAM busy) {
    const auto* show = dynamic_cast<const ShowWnd*>(CWnd::FromHandlePermanent(hwnd));
    if (show != nullptr && show->Busy()) {
        *reinterpret_cast<bool*>(busy) = true;
    }
    return TRUE;
}

BOOL CALLBACK FindBusyShowIn(HWND topLevel, LPARAM busy) {
    FindBusyShow(topLevel, busy);
    ::EnumChildWindows(topLevel, FindBusyShow, busy);
    return TRUE;
}

// Whether a show window of this thread waits for its worker.
bool AShowIsBusy() {
    bool busy = false;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindBusyShowIn, reinterpret_cast<LPARAM>(&busy));
    return busy;
}
} // namespace

int Pump() {
    int exitCode = -1;
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                exitCode = static_cast<int>(msg.wParam);
                continue;
            }
            ::DispatchMessageA(&msg);
        }
        if (!AShowIsBusy()) {
            return exitCode;
        }
        // The worker's hand-over is a posted message.
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1000, QS_ALLINPUT);
    }
}

COLORREF PixelAt(HWND hwnd, int x, int y) {
    HDC dc = ::GetDC(hwnd);
    const COLORREF colour = ::GetPixel(dc, x, y);
    ::ReleaseDC(hwnd, dc);
    return colour;
}

bool Near(COLORREF actual, COLORREF expected) {
    return std::abs(GetRValue(actual) - GetRValue(expected)) <= 12 &&
           std::abs(GetGValue(actual) - GetGValue(expected)) <= 12 &&
           std::abs(GetBValue(actual) - GetBValue(expected)) <= 12;
}
