// The full-screen show: a window over every monitor, ended by any key (but the
// ones that steer the show, with Keys on), any mouse button, a mouse movement
// away from the first reported position, the loss of activation, or a change
// of the monitors.
#include "show/show_wnd.h"

#include <windowsx.h>

#include <utility>
#include <vector>

namespace {
RECT ToRect(const Extent& extent) {
    return {extent.left, extent.top, extent.right, extent.bottom};
}

BOOL CALLBACK AddMonitor(HMONITOR handle, HDC, RECT*, LPARAM monitors) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (::GetMonitorInfoA(handle, &info)) {
        const RECT& r = info.rcMonitor;
        reinterpret_cast<std::vector<Monitor>*>(monitors)->push_back(
            {{r.left, r.top, r.right, r.bottom}, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    }
    return TRUE;
}
} // namespace

const MessageMapEntry FullScreenShowWnd::messageEntries[] = {
    OnMessage<&FullScreenShowWnd::OnSysCommand>(WM_SYSCOMMAND),
    OnMessage<&FullScreenShowWnd::OnDestroy>(WM_DESTROY),
    OnMessage<&FullScreenShowWnd::OnSetCursor>(WM_SETCURSOR),
    OnMessage<&FullScreenShowWnd::OnNcActivate>(WM_NCACTIVATE),
    OnMessage<&FullScreenShowWnd::OnActivate>(WM_ACTIVATE),
    OnMessage<&FullScreenShowWnd::OnActivateApp>(WM_ACTIVATEAPP),
    OnMessage<&FullScreenShowWnd::OnMouseMove>(WM_MOUSEMOVE),
    OnMessage<&FullScreenShowWnd::OnPress>(WM_LBUTTONDOWN),
    OnMessage<&FullScreenShowWnd::OnPress>(WM_MBUTTONDOWN),
    OnMessage<&FullScreenShowWnd::OnPress>(WM_RBUTTONDOWN),
    OnMessage<&FullScreenShowWnd::OnKeyDown>(WM_KEYDOWN),
    OnMessage<&FullScreenShowWnd::OnPress>(WM_SYSKEYDOWN),
    OnMessage<&FullScreenShowWnd::OnDisplayChange>(WM_DISPLAYCHANGE),
};
const MessageMap FullScreenShowWnd::messageMap{&ShowWnd::messageMap,
                                               FullScreenShowWnd::messageEntries};

FullScreenShowWnd::FullScreenShowWnd(const Settings& settings, const Display& display,
                                     ShowMemory memory, MemoryKeeper* keeper)
    : ShowWnd(TRUE, settings, display) {
    fadeAllowed = true;
    captionsAllowed = true;
    if (keeper != nullptr) {
        GoOnFrom(std::move(memory), *keeper);
    }
}

FullScreenShowWnd::~FullScreenShowWnd() = default;

ScreenLayout ReadScreenLayout() {
    ScreenLayout layout{{}, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&layout.monitors));
    return layout;
}

// Each monitor's part of the window is a stage.
BOOL FullScreenShowWnd::CreateFullScreen(const ScreenLayout& layout) {
    const FullScreenGeometry geometry = PlaceFullScreen(layout);
    stageAreas.clear();
    for (const Extent& stage : geometry.stages) {
        stageAreas.push_back(ToRect(stage));
    }
    return Create(WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE, ToRect(geometry.window), nullptr);
}

// A second saver start and the system's close command are swallowed. The
// command is compared whole: with any of its low four bits set it is not one
// of these two.
LRESULT FullScreenShowWnd::OnSysCommand(WPARAM command, LPARAM) {
    if (command == SC_SCREENSAVE || command == SC_CLOSE) {
        return 0;
    }
    return Default();
}

// The show's end: what it drew is kept for the next one.
LRESULT FullScreenShowWnd::OnDestroy(WPARAM, LPARAM) {
    KeepMemory();
    ::PostQuitMessage(0);
    return Default();
}

LRESULT FullScreenShowWnd::OnSetCursor(WPARAM, LPARAM) {
    ::SetCursor(nullptr);
    return TRUE;
}

// The frame refuses to be drawn inactive.
LRESULT FullScreenShowWnd::OnNcActivate(WPARAM active, LPARAM) {
    if (!active) {
        return FALSE;
    }
    return Default();
}

LRESULT FullScreenShowWnd::OnActivate(WPARAM state, LPARAM) {
    if (LOWORD(state) == WA_INACTIVE) {
        Close();
    }
    return Default();
}

LRESULT FullScreenShowWnd::OnActivateApp(WPARAM active, LPARAM) {
    if (!active) {
        Close();
    }
    return Default();
}

// The first report only records where the pointer is; any later report at
// another point, even one pixel away, ends the show.
LRESULT FullScreenShowWnd::OnMouseMove(WPARAM, LPARAM position) {
    const int32_t x = GET_X_LPARAM(position);
    const int32_t y = GET_Y_LPARAM(position);
    if (firstMouseX == -1 && firstMouseY == -1) {
        firstMouseX = x;
        firstMouseY = y;
    } else if (x != firstMouseX || y != firstMouseY) {
        Close();
    }
    return Default();
}

// Key and button presses end the show; releases are not handled.
LRESULT FullScreenShowWnd::OnPress(WPARAM, LPARAM) {
    Close();
    return Default();
}

// With Keys on, Right and Page Down step forward, Left and Page Up back, and
// Space (not its auto-repeat) pauses and resumes; every other key ends the show.
LRESULT FullScreenShowWnd::OnKeyDown(WPARAM key, LPARAM flags) {
    constexpr LPARAM HeldBefore = 1 << 30;
    if (KeysSteer()) {
        switch (key) {
        case VK_RIGHT:
        case VK_NEXT:
            StepForward();
            return 0;
        case VK_LEFT:
        case VK_PRIOR:
            StepBack();
            return 0;
        case VK_SPACE:
            if ((flags & HeldBefore) == 0) {
                TogglePause();
            }
            return 0;
        default:
            break;
        }
    }
    return OnPress(key, flags);
}

// A monitor came, went or changed its mode: the desktop the show covered is not
// there any more, which is reason enough to stop saving it.
LRESULT FullScreenShowWnd::OnDisplayChange(WPARAM, LPARAM) {
    Close();
    return Default();
}

void FullScreenShowWnd::Close() {
    PostMessage(WM_CLOSE);
}
