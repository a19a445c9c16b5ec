// A Windows program of the end-to-end tests.
//   show_host pointer X Y       puts the mouse pointer at (X, Y)
//   show_host preview PROGRAM   hosts the preview of PROGRAM, as the display
//                               settings do, and checks it from the host's side
//   show_host settings PROGRAM  presses Settings as Screen Saver Settings does
//   show_host dpi               prints the DPI, the DPI awareness and the size of
//                               the full-screen show's window (another process's
//                               top-most popup)
//   show_host list FOLDER       lists FOLDER as the show's walk does and prints
//                               how many pictures it holds (the benchmark's
//                               measure of what a listing costs under Wine)
//   show_host stop FILE         decodes FILE as the show's worker does, whole,
//                               then stopped after each tenth of a second of
//                               its decode in turn, and prints how long the
//                               whole decode took, how much of it the Imaging
//                               Component's opening of the file, and the
//                               longest and median wait from a stop to the
//                               decode's end (the benchmark's measure of how
//                               soon a decode stops)
// The preview road: a framed host window with a 200 x 150 client area starts
// `PROGRAM /p <handle>`, waits for the program's child window, checks that it
// fills the client area and keeps running when keys reach it, then destroys
// the host window and expects the program to end with exit code 0. Prints what
// it found; exit code 0 when everything held.
#include "common/windows_path.h"
#include "decode/com_scope.h"
#include "decode/load_picture.h"
#include "library/folder_scan.h"
#include "picture/picture.h"

#include <windows.h>

#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {
constexpr int ClientWidth = 200;
constexpr int ClientHeight = 150;
// How long the host waits for the program's windows and its end: long enough
// for a cold machine, in steps of a tenth of a second.
constexpr int WaitSteps = 600;

// Handles this thread's messages until the process ends or the time is up;
// true when the process ended. The child's creation and end send messages to
// the host, so the host must keep its messages flowing while it waits.
bool PumpUntilExit(HANDLE process, DWORD milliseconds) {
    const DWORD end = ::GetTickCount() + milliseconds;
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageA(&msg);
        }
        const DWORD now = ::GetTickCount();
        if (static_cast<LONG>(end - now) <= 0) {
            return ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
        }
        if (::MsgWaitForMultipleObjects(1, &process, FALSE, end - now, QS_ALLINPUT) ==
            WAIT_OBJECT_0) {
            return true;
        }
    }
}

HWND CreateHost(const char* title) {
    RECT frame{0, 0, ClientWidth, ClientHeight};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE;
    ::AdjustWindowRectEx(&frame, style, FALSE, 0);
    return ::CreateWindowExA(0, "STATIC", title, style, 40, 40, frame.right - frame.left,
                             frame.bottom - frame.top, nullptr, nullptr, nullptr, nullptr);
}

int Fail(const char* what) {
    std::printf("FAIL: %s\n", what);
    return 1;
}

// Starts `"PROGRAM" <switch><handle>`. Window handles are 32-bit values; the
// program reads the decimal text.
bool Start(const char* program, const char* switchText, HWND window, PROCESS_INFORMATION& started) {
    std::string command = std::string("\"") + program + "\" " + switchText +
                          std::to_string(static_cast<long>(reinterpret_cast<LONG_PTR>(window)));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &started)) {
        return false;
    }
    ::CloseHandle(started.hThread);
    return true;
}

// Waits up to a minute for the process to end, handling this thread's
// messages meanwhile: its exit code, STILL_ACTIVE (259) if it had to be ended.
unsigned long WaitForEnd(const PROCESS_INFORMATION& started) {
    PumpUntilExit(started.hProcess, WaitSteps * 100);
    DWORD code = 1;
    ::GetExitCodeProcess(started.hProcess, &code);
    ::TerminateProcess(started.hProcess, 1);
    ::CloseHandle(started.hProcess);
    return code;
}

int Preview(const char* program) {
    HWND host = CreateHost("preview host");
    if (host == nullptr) {
        return Fail("no host window");
    }
    PROCESS_INFORMATION started{};
    if (!Start(program, "/p ", host, started)) {
        return Fail("the program did not start");
    }

    HWND child = nullptr;
    // The child is there before its creation has made it visible.
    for (int i = 0; i < WaitSteps && (child == nullptr || !::IsWindowVisible(child)); ++i) {
        if (PumpUntilExit(started.hProcess, 100)) {
            return Fail("the program ended without a preview");
        }
        child = ::FindWindowExA(host, nullptr, nullptr, nullptr);
    }
    if (child == nullptr) {
        return Fail("no child window in the host");
    }
    DWORD owner = 0;
    ::GetWindowThreadProcessId(child, &owner);
    RECT rect;
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&rect), 2);
    const LONG style = ::GetWindowLongA(child, GWL_STYLE);
    std::printf(
        "child: process %s, at %ld,%ld to %ld,%ld, %s\n",
        owner == started.dwProcessId ? "the program's" : "another", static_cast<long>(rect.left),
        static_cast<long>(rect.top), static_cast<long>(rect.right), static_cast<long>(rect.bottom),
        (style & (WS_CHILD | WS_VISIBLE)) == (WS_CHILD | WS_VISIBLE) ? "visible child"
                                                                     : "not a visible child");

    // Input reaching the preview does not end it.
    ::PostMessageA(child, WM_KEYDOWN, 'A', 0);
    ::PostMessageA(child, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ::PostMessageA(child, WM_MOUSEMOVE, 0, MAKELPARAM(50, 50));
    if (PumpUntilExit(started.hProcess, 1500)) {
        return Fail("the preview ended on input");
    }
    std::printf("after input: running\n");

    ::DestroyWindow(host);
    std::printf("after the host window: ended with exit code %lu\n", WaitForEnd(started));
    return 0;
}

const char* State(HWND host) {
    return ::IsWindowEnabled(host) ? "enabled" : "disabled";
}

// `PROGRAM /c:<handle>`, with the host's handle and then with one that names no
// window: prints the setup dialog's owner and the host's state while the dialog
// is up, cancels it, and prints the exit code and the host's state after.
int Settings(const char* program) {
    HWND host = CreateHost("Screen Saver Settings");
    HWND gone = CreateHost("gone");
    ::DestroyWindow(gone);
    for (HWND named : {host, gone}) {
        PROCESS_INFORMATION started{};
        if (!Start(program, "/c:", named, started)) {
            return Fail("the program did not start");
        }
        HWND dialog = nullptr;
        for (int i = 0; i < WaitSteps && !::IsWindowVisible(dialog); ++i) {
            PumpUntilExit(started.hProcess, 100);
            dialog = ::FindWindowA("#32770", "Pelloran V1.1 Setup");
        }
        HWND owner = ::GetWindow(dialog, GW_OWNER);
        std::printf("/c:%s: dialog owned by %s, host %s\n", named == host ? "host" : "no window",
                    owner == host      ? "the host"
                    : owner == nullptr ? "no window"
                                       : "another",
                    State(host));
        ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        const unsigned long code = WaitForEnd(started);
        std::printf("after Cancel: exit code %lu, host %s\n", code, State(host));
    }
    return 0;
}
BOOL CALLBACK FindShow(HWND hwnd, LPARAM found) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    const bool topMostPopup = (::GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0 &&
                              (::GetWindowLongA(hwnd, GWL_STYLE) & WS_POPUP) != 0;
    if (process != ::GetCurrentProcessId() && topMostPopup && ::IsWindowVisible(hwnd)) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

int Dpi() {
    HWND show = nullptr;
    ::EnumWindows(FindShow, reinterpret_cast<LPARAM>(&show));
    if (show == nullptr) {
        return Fail("no full-screen window");
    }
    RECT rect{};
    ::GetWindowRect(show, &rect);
    std::printf("dpi %u awareness %d size %ldx%ld\n", ::GetDpiForWindow(show),
                static_cast<int>(
                    ::GetAwarenessFromDpiAwarenessContext(::GetWindowDpiAwarenessContext(show))),
                rect.right - rect.left, rect.bottom - rect.top);
    return 0;
}
} // namespace

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;
using Microsoft::WRL::ComPtr;

// How long the Imaging Component takes to open the file and its first frame
// (where Wine's decoders decode the whole picture), and the frame's pixels.
Milliseconds OpeningTime(const char* file, double& pixels) {
    const std::wstring name = SystemPath(file);
    const ComScope com;
    const Clock::time_point start = Clock::now();
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    UINT width = 0, height = 0;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(factory.GetAddressOf()))) ||
        FAILED(factory->CreateDecoderFromFilename(name.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand,
                                                  decoder.GetAddressOf())) ||
        FAILED(decoder->GetFrame(0, frame.GetAddressOf())) ||
        FAILED(frame->GetSize(&width, &height))) {
        return Milliseconds::zero();
    }
    pixels = double(width) * height;
    return Clock::now() - start;
}

// The stop's benchmark: the decode fitted to 1920 x 1080, as a full-screen
// show on such a monitor asks for it.
int StopTimes(const char* file) {
    const auto decode = [file](const std::atomic_bool& stop) {
        return LoadPictureFile(file, 1920, 1080, Picture::Sizing::Fit, &stop);
    };
    const std::atomic_bool never{false};
    const Clock::time_point start = Clock::now();
    if (!decode(never).IsDrawable()) {
        std::fprintf(stderr, "show_host: %s cannot be decoded\n", file);
        return 1;
    }
    const Milliseconds whole = Clock::now() - start;
    double pixels = 0;
    const Milliseconds opening = OpeningTime(file, pixels);
    std::vector<double> waits;
    for (auto after = std::chrono::milliseconds(100); after < whole;
         after += std::chrono::milliseconds(100)) {
        std::atomic_bool stop{false};
        std::thread worker([&] { decode(stop); });
        std::this_thread::sleep_for(after);
        const Clock::time_point stopped = Clock::now();
        stop = true;
        worker.join();
        waits.push_back(Milliseconds(Clock::now() - stopped).count());
    }
    std::sort(waits.begin(), waits.end());
    std::printf("decode %.0f ms (opening %.0f ms, the rest %.2f ms a megapixel); %zu stops: "
                "longest wait %.0f ms, median %.0f ms\n",
                whole.count(), opening.count(), (whole - opening).count() / (pixels / 1e6),
                waits.size(), waits.empty() ? 0.0 : waits.back(),
                waits.empty() ? 0.0 : waits[waits.size() / 2]);
    return 0;
}

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "pointer") {
        return ::SetCursorPos(std::atoi(argv[2]), std::atoi(argv[3])) ? 0 : 1;
    }
    if (argc == 3 && std::string(argv[1]) == "preview") {
        return Preview(argv[2]);
    }
    if (argc == 3 && std::string(argv[1]) == "settings") {
        return Settings(argv[2]);
    }
    if (argc == 2 && std::string(argv[1]) == "dpi") {
        return Dpi();
    }
    if (argc == 3 && std::string(argv[1]) == "list") {
        const std::atomic_bool stop{false};
        std::printf("%zu\n",
                    ListFolder(ShowFolderPath(argv[2]), "", PictureNames(), stop).pictures.size());
        return 0;
    }
    if (argc == 3 && std::string(argv[1]) == "stop") {
        return StopTimes(argv[2]);
    }
    std::fprintf(stderr, "usage: show_host pointer X Y | show_host preview|settings PROGRAM | "
                         "show_host dpi | show_host list FOLDER | show_host stop FILE\n");
    return 2;
}
