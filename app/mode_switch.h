// Reading the screen saver's mode from its command line.
#pragma once

#include <cstdint>

enum class SaverMode {
    Setup,   // no argument, "c" or "c:<handle>": the setup dialog
    Preview, // "p <handle>": the show inside the host's preview window
    Show,    // "s": the full-screen show
    None,    // anything else: end quietly
};

struct StartRequest {
    SaverMode mode = SaverMode::None;
    int32_t previewParent = 0; // the window handle of "p", as a 32-bit value
    int32_t setupOwner = 0;    // the window handle of "c:<handle>", 0 without one
};

// True when the argument is the letter, in any case, after at most one leading
// "-" or "/". Nothing else may come before or after it.
bool MatchSwitch(const char* argument, const char* letter);

// True when the argument is the letter as MatchSwitch takes it, a colon and one
// or more decimal digits up to its end ("/c:1234"); the number, read as
// ReadDecimal reads it, goes into handle.
bool MatchSwitchWithHandle(const char* argument, const char* letter, int32_t& handle);

// The leading decimal number of a text the way the C runtime's atol reads it:
// white space skipped, an optional sign, digits up to the first non-digit, 0
// when there are none. Values beyond 32 bits are clamped.
int32_t ReadDecimal(const char* text);

// The mode that the arguments ask for (arguments[0] is the program itself).
// "p" without a second argument names no window and so asks for nothing.
// "c:<handle>" is how Windows' Screen Saver Settings asks for the setup dialog,
// with its own window's handle.
StartRequest ReadStartRequest(int count, const char* const* arguments);
