// The reference count of a COM object of the program's own, made with new: the
// object deletes itself when its last reference goes.
#pragma once

#include <windows.h>

#include <atomic>

// `Object` derives from ComObject<Object, Interface> and implements the rest
// of `Interface`.
template <class Object, class Interface> class ComObject : public Interface {
public:
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references;
        if (left == 0) {
            delete static_cast<Object*>(this);
        }
        return left;
    }

private:
    std::atomic<ULONG> references{1};
};
