#include "framework/wnd.h"

#include "framework/callback_guard.h"
#include "framework/message_frame.h"
#include "framework/win_app.h"

namespace {
// The object whose CreateWindowEx call is under way: its first messages
// (WM_GETMINMAXINFO, WM_NCCREATE, WM_CREATE) arrive before CreateWindowEx returns.
thread_local CWnd* windowBeingCreated = nullptr;
// The messages being dispatched on this thread, innermost first.
thread_local MessageFrame::Chain dispatchedMessages = nullptr;
} // namespace

const MessageMap CWnd::messageMap{nullptr};

CWnd::~CWnd() {
    if (ownsWindow && m_hWnd != nullptr) {
        // Detach first: the derived parts are gone, so the last messages get the
        // default processing only.
        HWND hwnd = m_hWnd;
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        m_hWnd = nullptr;
        ::DestroyWindow(hwnd);
    }
}

CWnd CWnd::FromHandle(HWND hwnd) {
    CWnd wrapper;
    wrapper.m_hWnd = hwnd;
    return wrapper;
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    if (::GetWindowLongPtrA(hwnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&StandardWndProc)) {
        return nullptr; // someone else's window, whose user data is its own
    }
    return reinterpret_cast<CWnd*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

CWnd::CWnd(CWnd&& other) noexcept : m_hWnd(other.m_hWnd) {
    // Only wrappers move: a window routed to an object stays with that object.
    other.m_hWnd = nullptr;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId, LPVOID param) {
    windowBeingCreated = this;
    HWND hwnd = ::CreateWindowExA(exStyle, className, windowName, style, x, y, width, height,
                                  parent, menuOrId, AfxGetInstanceHandle(), param);
    const bool neverAttached = windowBeingCreated == this;
    windowBeingCreated = nullptr;
    if (hwnd == nullptr && neverAttached) {
        // No message reached the object, so WM_NCDESTROY never ran its last call.
        PostNcDestroy();
    }
    return hwnd != nullptr;
}

LRESULT CWnd::Default() {
    const MessageFrame* current = MessageFrame::Find(dispatchedMessages, this);
    return current != nullptr ? DefWindowProc(current->message, current->wParam, current->lParam)
                              : 0;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::StandardWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto dispatch = [&] {
        auto* wnd = reinterpret_cast<CWnd*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (wnd == nullptr && windowBeingCreated != nullptr) {
            wnd = windowBeingCreated;
            windowBeingCreated = nullptr;
            wnd->Attach(hwnd);
        }
        if (wnd == nullptr) {
            return ::DefWindowProcA(hwnd, message, wParam, lParam);
        }
        // The default processing of WM_CLOSE (or of a system command that closes)
        // destroys the window, and with WM_NCDESTROY a self-deleting object is
        // gone: the object is touched again only after WM_NCDESTROY itself, which
        // comes last, before it is handed to PostNcDestroy.
        const LRESULT result = wnd->Dispatch(message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            wnd->AfterNcDestroy();
        }
        return result;
    };
    // The window ends what it runs, unless it has gone already.
    const auto fail = [hwnd] {
        if (auto* wnd = reinterpret_cast<CWnd*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA))) {
            wnd->OnHandlerFailure();
        } else {
            ::PostQuitMessage(0);
        }
    };
    return GuardCallback(LRESULT{0}, dispatch, fail);
}

void CWnd::OnHandlerFailure() noexcept {
    ::PostQuitMessage(0);
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    const MessageFrame current(dispatchedMessages, this, message, wParam, lParam);
    if (const MessageMapEntry* entry = GetMessageMap()->Find(message, wParam)) {
        return entry->handler(*this, wParam, lParam);
    }
    return Default();
}

void CWnd::Attach(HWND hwnd) {
    m_hWnd = hwnd;
    ownsWindow = true;
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void CWnd::AfterNcDestroy() {
    ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
    m_hWnd = nullptr;
    ownsWindow = false;
    // The program ends with its main window.
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    PostNcDestroy();
}
