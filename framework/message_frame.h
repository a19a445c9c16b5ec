// The message a window is handling, kept on the stack of the call that handles
// it rather than in the window object: when that call returns, the object may
// be gone (a window that deletes itself once destroyed, closed by the default
// processing of the very message). The frames of one thread form a chain,
// innermost first.
#pragma once

#include <windows.h>

class CWnd;

class MessageFrame {
public:
    using Chain = const MessageFrame*;

    // Puts this frame first in `chain` for as long as it lives.
    MessageFrame(Chain& chain, const CWnd* wnd, UINT message, WPARAM wParam, LPARAM lParam)
        : wnd(wnd), message(message), wParam(wParam), lParam(lParam), chain(chain), outer(chain) {
        chain = this;
    }
    MessageFrame(const MessageFrame&) = delete;
    MessageFrame& operator=(const MessageFrame&) = delete;
    ~MessageFrame() { chain = outer; }

    // The innermost frame of `wnd` in `chain`, or null.
    static const MessageFrame* Find(Chain chain, const CWnd* wnd) {
        while (chain != nullptr && chain->wnd != wnd) {
            chain = chain->outer;
        }
        return chain;
    }

    bool Is(UINT otherMessage, WPARAM otherWParam, LPARAM otherLParam) const {
        return message == otherMessage && wParam == otherWParam && lParam == otherLParam;
    }

    const CWnd* const wnd;
    const UINT message;
    const WPARAM wParam;
    const LPARAM lParam;

private:
    Chain& chain;
    const MessageFrame* const outer;
};
