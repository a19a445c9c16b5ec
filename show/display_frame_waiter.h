// The display's frame clock on Windows: the flush of the desktop's composition
// where that waits for the display, otherwise a timer at the refresh rate.
#pragma once

#include "show/frame_pacer.h"

#include <windows.h>

#include <memory>

// The monitor's refresh rate in Hz, as its current display settings give it;
// 0 when they cannot be read (0 and 1 in them mean the hardware's default).
int MonitorRefreshRate(HMONITOR monitor);

// Waits for each frame with DwmFlush while the desktop is composed and the
// flush waits and succeeds, and otherwise with a high-resolution waitable timer
// at `refreshHz` (FramePeriod's fallbacks apply). Null only when no timer can
// be made.
std::unique_ptr<FrameWaiter> MakeDisplayFrameWaiter(int refreshHz);
