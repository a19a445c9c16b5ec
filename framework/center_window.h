// Centring a dialog over its owner, inside the working area of the screen.
#pragma once

#include <windows.h>

// Centres `window` over its owner and keeps it inside the owner's working area;
// without a visible, unminimised owner it is centred on the working area.
void CenterWindow(HWND window);
