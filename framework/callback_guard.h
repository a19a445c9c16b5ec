// The guard around the work of the framework's window, dialog and hook
// procedures. The platform calls them through its own frames, which no C++
// exception may unwind (on 32-bit Windows that ends in std::terminate).
#pragma once

#include <windows.h>

// Runs `work` and returns its result. An exception that escapes it (an
// allocation failure, say) is handed to `failure`, which ends the program, and
// the procedure answers `failed`.
template <class Result, class Work, class Failure>
Result GuardCallback(Result failed, Work&& work, Failure&& failure) noexcept {
    try {
        return work();
    } catch (...) {
        failure();
        return failed;
    }
}

// The same, ending the program quietly: `dialog`, unless null, is ended with
// `dialogResult` (a modal loop that ends on the quit message alone reports OK),
// and the quit message with exit code 0 ends the message loop.
template <class Result, class Work>
Result GuardCallback(Result failed, HWND dialog, INT_PTR dialogResult, Work&& work) noexcept {
    return GuardCallback(failed, work, [dialog, dialogResult] {
        if (dialog != nullptr) {
            ::EndDialog(dialog, dialogResult);
        }
        ::PostQuitMessage(0);
    });
}

// The same for the procedure of a window that is no dialog.
template <class Result, class Work> Result GuardCallback(Result failed, Work&& work) noexcept {
    return GuardCallback(failed, nullptr, 0, work);
}
