// COM joined on the calling thread for as long as an object lives, for the
// Imaging Component's calls.
#pragma once

#include <windows.h>

#include <objbase.h>

// COM on this thread while the object lives: the multithreaded apartment, or the
// apartment the thread is in already.
class ComScope {
public:
    ComScope() : joined(::CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(joined)) {
            ::CoUninitialize();
        }
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

    bool Usable() const { return SUCCEEDED(joined) || joined == RPC_E_CHANGED_MODE; }

private:
    const HRESULT joined;
};
