// The colour profile Windows holds for a monitor: what the values sent to it
// look like there.
#pragma once

#include "picture/colour_profile.h"

#include <windows.h>

// The profile of the monitor that shows most of the area (in screen
// coordinates), and of the primary monitor. sRGB where the monitor has none or
// its file cannot be read whole, and where Windows colour-manages the monitor's
// desktop itself (Advanced Colour: HDR, or automatic colour management), as it
// then takes what programs send it as sRGB.
ColourProfile MonitorColourProfile(const RECT& area);
ColourProfile PrimaryMonitorColourProfile();
