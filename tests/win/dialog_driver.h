// Drives the modal dialogs of the test's thread from a helper thread, as a user
// would: it finds the windows, sets texts, clicks buttons and presses keys
// (posted, so they take the same way through the dialog's message loop as real
// input), and reads back what the dialogs show.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

class DialogDriver {
public:
    // Runs `script` on a helper thread while the calling thread runs its dialogs.
    // Whatever the script leaves open afterwards is cancelled, so a failing test
    // cannot hang in a modal loop.
    explicit DialogDriver(std::function<void(DialogDriver&)> script);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // A visible window of the test's thread with this caption, within 5 s, or null.
    HWND WaitForWindow(const std::string& caption) const;
    // Whether the condition came true within 5 s.
    static bool WaitUntil(const std::function<bool()>& condition);
    // Whether the window is gone within 5 s.
    static bool WaitUntilGone(HWND window);

    static void Click(HWND dialog, int id);
    static void DoubleClickItem(HWND list, int index);
    // A key pressed and released in the control that has the focus.
    void Press(UINT virtualKey) const;
    static void Type(HWND control, char character);
    static void SetText(HWND dialog, int id, const std::string& text);
    static std::string Text(HWND window);
    static std::string Text(HWND dialog, int id) { return Text(::GetDlgItem(dialog, id)); }
    static bool IsChecked(HWND dialog, int id);

    // The control of the test's thread that has the keyboard focus.
    HWND Focus() const;
    // The id of that control, or 0.
    int FocusId() const { return ::GetDlgCtrlID(Focus()); }
    // Waits until the focus has moved away from `before`; returns the new id.
    int WaitForFocusChange(HWND before) const;

private:
    void CloseEverything() const;

    DWORD testThread;
    std::thread helper;
};

// The text of a message box and its caption.
struct MessageBoxSeen {
    std::string caption;
    std::string text;
};
// Waits for a message box with this caption, reads it, and closes it with its
// OK button. Empty fields if none appeared.
MessageBoxSeen ReadAndCloseMessageBox(const DialogDriver& driver, const std::string& caption);
