// The full-screen show: any key, any mouse button, a mouse movement away from
// the first reported position, or the loss of activation ends it.
#include "show/show_wnd.h"

#include <windowsx.h>

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
    OnMessage<&FullScreenShowWnd::OnPress>(WM_KEYDOWN),
    OnMessage<&FullScreenShowWnd::OnPress>(WM_SYSKEYDOWN),
};
const MessageMap FullScreenShowWnd::messageMap{&ShowWnd::messageMap,
                                               FullScreenShowWnd::messageEntries};

FullScreenShowWnd::FullScreenShowWnd(const Settings& settings, const Display& display)
    : ShowWnd(TRUE, settings, display) {}

FullScreenShowWnd::~FullScreenShowWnd() = default;

BOOL FullScreenShowWnd::CreateFullScreen() {
    const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    return Create(WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE, screen, nullptr);
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

LRESULT FullScreenShowWnd::OnDestroy(WPARAM, LPARAM) {
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

void FullScreenShowWnd::Close() {
    PostMessage(WM_CLOSE);
}
