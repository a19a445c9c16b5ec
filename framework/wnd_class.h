// Window classes registered on demand, routed to the framework's window procedure.
#pragma once

#include <windows.h>

#include <string>

// Registers (once per distinct set of attributes) a window class of this module
// with the given style, cursor, background brush and icon, and returns its name.
std::string AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr,
                                HBRUSH background = nullptr, HICON icon = nullptr);
