#include "show/show_wnd.h"

#include "framework/wnd_class.h"

#include <string>

const MessageMap ShowWnd::messageMap{&CWnd::messageMap};

ShowWnd::ShowWnd(BOOL autoDelete) : autoDelete(autoDelete) {}

ShowWnd::~ShowWnd() = default;

BOOL ShowWnd::Create(DWORD exStyle, DWORD style, const RECT& rect, CWnd* parent, UINT, void*) {
    static std::string className;
    if (className.empty()) {
        className = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW);
    }
    return CreateEx(exStyle, className.c_str(), "", style, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    parent != nullptr ? parent->m_hWnd : nullptr, nullptr);
}

void ShowWnd::PostNcDestroy() {
    if (autoDelete) {
        delete this;
    }
}

const MessageMapEntry FullScreenShowWnd::messageEntries[] = {
    OnMessage<&FullScreenShowWnd::OnDestroy>(WM_DESTROY),
    OnMessage<&FullScreenShowWnd::OnKeyDown>(WM_KEYDOWN),
};
const MessageMap FullScreenShowWnd::messageMap{&ShowWnd::messageMap,
                                               FullScreenShowWnd::messageEntries};

FullScreenShowWnd::FullScreenShowWnd() : ShowWnd(TRUE) {}

FullScreenShowWnd::~FullScreenShowWnd() = default;

BOOL FullScreenShowWnd::CreateFullScreen() {
    const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    return Create(WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE, screen, nullptr, 0, nullptr);
}

LRESULT FullScreenShowWnd::OnDestroy(WPARAM, LPARAM) {
    ::PostQuitMessage(0);
    return Default();
}

LRESULT FullScreenShowWnd::OnKeyDown(WPARAM, LPARAM) {
    PostMessage(WM_CLOSE);
    return Default();
}
