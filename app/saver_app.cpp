#include "app/saver_app.h"

#include "app/mode_switch.h"
#include "app/saver_settings.h"
#include "common/random.h"
#include "show/show_wnd.h"

#include <vector>

namespace {
// Window handles are 32-bit values, sign-extended on 64-bit Windows.
HWND WindowHandle(int32_t value) {
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(value));
}
} // namespace

BOOL SaverApp::InitInstance() {
    // A Path or a chooser walk on a drive without its medium (an empty card
    // reader or DVD drive) fails the file calls quietly instead of showing
    // the system's "no disk" box, which the show's worker would wait behind
    // with nobody at the keyboard. The mode is the whole process's, so it
    // covers the worker's calls too.
    const UINT inherited = ::SetErrorMode(0);
    ::SetErrorMode(inherited | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    Enable3dControls();
    SetRegistryKey("Tarnwick Software");
    LoadSettings();

    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    SeedRandom(now.dwLowDateTime);

    display = InitDisplay();

    std::vector<const char*> arguments;
    for (int i = 0; i < ArgumentCount(); ++i) {
        arguments.push_back(Argument(i));
    }
    const StartRequest request =
        ReadStartRequest(static_cast<int>(arguments.size()), arguments.data());
    switch (request.mode) {
    case SaverMode::Setup:
        RunSetup(WindowHandle(request.setupOwner));
        return FALSE;
    case SaverMode::Preview:
        return StartPreview(WindowHandle(request.previewParent));
    case SaverMode::Show:
        return StartFullScreen();
    case SaverMode::None:
        break;
    }
    return FALSE;
}

// The show inside the host's preview window, filling its client area. A handle
// that names no window, or a window that cannot be created, ends the program.
BOOL SaverApp::StartPreview(HWND parentHandle) {
    if (!::IsWindow(parentHandle)) {
        return FALSE;
    }
    CWnd parent = CWnd::FromHandle(parentHandle);
    auto* wnd = new ShowWnd(TRUE, SaverSettings, *display);
    RECT rect{};
    ::GetClientRect(parentHandle, &rect);
    if (!wnd->Create(0, WS_CHILD | WS_VISIBLE, rect, &parent)) {
        return FALSE; // the window object has deleted itself
    }
    m_pMainWnd = wnd;
    return TRUE;
}

// The full-screen show goes on from where the last one stopped; only it reads
// and writes that state.
BOOL SaverApp::StartFullScreen() {
    auto* wnd = new FullScreenShowWnd(SaverSettings, *display, ReadShowState(*this), &stateKeeper);
    if (!wnd->CreateFullScreen()) {
        return FALSE;
    }
    m_pMainWnd = wnd;
    return TRUE;
}
