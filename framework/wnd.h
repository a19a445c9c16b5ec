// CWnd: a C++ object bound to one Win32 window. Windows created through CreateEx
// are routed to the object's message map; CWnd::FromHandle wraps a foreign
// window without taking it over.
#pragma once

#include "framework/message_map.h"

#include <windows.h>

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    // A window this object created and still holds is destroyed with it.
    virtual ~CWnd();

    // A non-owning wrapper of a window that this program did not create (or did).
    static CWnd FromHandle(HWND hwnd);
    // The object a window created through CreateEx is routed to, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);
    CWnd(CWnd&& other) noexcept;

    // Creates the window and routes its messages here. After a failure the object
    // has had its PostNcDestroy call, so a self-deleting window is gone by then.
    BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                  int width, int height, HWND parent, HMENU menuOrId, LPVOID param = nullptr);

    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }

    HWND m_hWnd = nullptr;

protected:
    virtual const MessageMap* GetMessageMap() const { return &messageMap; }
    // The framework's last call, after the window is gone.
    virtual void PostNcDestroy() {}
    // A handler of this window let an exception out (memory running out, say),
    // which the window procedure caught: the program ends quietly, by default
    // through the quit message. A window that runs more than its messages (a
    // thread, say) stops that first.
    virtual void OnHandlerFailure() noexcept;

    // The default processing of the message being handled.
    LRESULT Default();
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Routes one message through the message map, or to the default processing,
    // with Default() bound to it. Also for windows whose procedure is someone
    // else's (dialogs), which hand their messages over one by one. Nothing of the
    // object is touched once the handler has returned.
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    static const MessageMap messageMap;

public:
    // The window procedure of every window class the framework registers.
    static LRESULT CALLBACK StandardWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void Attach(HWND hwnd);
    void AfterNcDestroy();

    bool ownsWindow = false;
};
