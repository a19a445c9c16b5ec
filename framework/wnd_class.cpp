#include "framework/wnd_class.h"

#include "framework/win_app.h"
#include "framework/wnd.h"

#include <cstdio>

std::string AfxRegisterWndClass(UINT classStyle, HCURSOR cursor) {
    HINSTANCE instance = AfxGetInstanceHandle();
    char name[128];
    std::snprintf(name, sizeof name, "Afx:%p:%x:%p", static_cast<void*>(instance), classStyle,
                  static_cast<void*>(cursor));
    WNDCLASSA existing;
    if (!::GetClassInfoA(instance, name, &existing)) {
        WNDCLASSA wc{};
        wc.style = classStyle;
        wc.lpfnWndProc = &CWnd::StandardWndProc;
        wc.hInstance = instance;
        wc.hCursor = cursor;
        wc.lpszClassName = name;
        ::RegisterClassA(&wc);
    }
    return name;
}
