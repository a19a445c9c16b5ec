// Window classes registered on demand, routed to the framework's window procedure.
#pragma once

#include <windows.h>

#include <string>

// Registers (once per distinct style and cursor) a window class of this module
// with the given style and cursor, without background brush or icon, and
// returns its name.
std::string AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr);
