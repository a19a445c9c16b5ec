// Message maps: each window or dialog class keeps a static table that binds
// window messages (and command notifications) to its handler operations, plus a
// pointer to its base class's table. A message with no entry anywhere in the
// chain gets the window's default processing.
#pragma once

#include <windows.h>

#include <cstddef>

class CWnd;

using MessageHandler = LRESULT (*)(CWnd& wnd, WPARAM wParam, LPARAM lParam);

struct MessageMapEntry {
    UINT message;
    UINT notifyCode; // WM_COMMAND only: the notification code
    UINT controlId;  // WM_COMMAND only: the control id
    MessageHandler handler;
};

struct MessageMap {
    const MessageMap* base;
    const MessageMapEntry* entries;
    std::size_t count;

    template <std::size_t N>
    constexpr MessageMap(const MessageMap* baseMap, const MessageMapEntry (&table)[N])
        : base(baseMap), entries(table), count(N) {}
    constexpr MessageMap(const MessageMap* baseMap) : base(baseMap), entries(nullptr), count(0) {}

    // The first entry in this map or its bases that takes the message, or null.
    const MessageMapEntry* Find(UINT message, WPARAM wParam) const;
};

// Adapters from the window procedure's (wParam, lParam) to typed handlers.
template <auto Handler> struct HandlerAdapter;

template <class T, LRESULT (T::*H)(WPARAM, LPARAM)> struct HandlerAdapter<H> {
    static LRESULT Call(CWnd& wnd, WPARAM wParam, LPARAM lParam) {
        return (static_cast<T&>(wnd).*H)(wParam, lParam);
    }
};

template <class T, void (T::*H)()> struct HandlerAdapter<H> {
    static LRESULT Call(CWnd& wnd, WPARAM, LPARAM) {
        (static_cast<T&>(wnd).*H)();
        return 0;
    }
};

template <class T, int (T::*H)(CREATESTRUCTA*)> struct HandlerAdapter<H> {
    static LRESULT Call(CWnd& wnd, WPARAM, LPARAM lParam) {
        return (static_cast<T&>(wnd).*H)(reinterpret_cast<CREATESTRUCTA*>(lParam));
    }
};

template <class T, void (T::*H)(UINT_PTR)> struct HandlerAdapter<H> {
    static LRESULT Call(CWnd& wnd, WPARAM wParam, LPARAM) {
        (static_cast<T&>(wnd).*H)(wParam);
        return 0;
    }
};

// An entry for a window message.
template <auto Handler> constexpr MessageMapEntry OnMessage(UINT message) {
    return {message, 0, 0, &HandlerAdapter<Handler>::Call};
}

// An entry for a WM_COMMAND notification from one control.
template <auto Handler> constexpr MessageMapEntry OnCommand(UINT controlId, UINT notifyCode) {
    return {WM_COMMAND, notifyCode, controlId, &HandlerAdapter<Handler>::Call};
}
