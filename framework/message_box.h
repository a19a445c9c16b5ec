// Messages to the user: a message box captioned with the application's title,
// and the framework's message texts with their "%1" filled in.
#pragma once

#include <windows.h>

#include <string>

// A message box over the active window, captioned with the application's title.
int AfxMessageBox(const std::string& text, UINT type = MB_OK);
// The string resource `id` with its first "%1" replaced by `argument`.
std::string AfxFormatString1(UINT id, const char* argument);
