#include "dialog_driver.h"

#include <chrono>
#include <vector>

namespace {
constexpr auto Patience = std::chrono::seconds(5);

struct Search {
    std::string caption;
    HWND found = nullptr;
};

BOOL CALLBACK MatchCaption(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    if (::IsWindowVisible(window) && DialogDriver::Text(window) == search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectVisible(HWND window, LPARAM lParam) {
    if (::IsWindowVisible(window)) {
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(window);
    }
    return TRUE;
}
} // namespace

DialogDriver::DialogDriver(std::function<void(DialogDriver&)> script)
    : testThread(::GetCurrentThreadId()), helper([this, script] {
          script(*this);
          CloseEverything();
      }) {}

DialogDriver::~DialogDriver() {
    helper.join();
}

HWND DialogDriver::WaitForWindow(const std::string& caption) const {
    Search search{caption};
    WaitUntil([&] {
        ::EnumThreadWindows(testThread, MatchCaption, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    return search.found;
}

bool DialogDriver::WaitUntil(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + Patience;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        ::Sleep(10);
    }
    return true;
}

bool DialogDriver::WaitUntilGone(HWND window) {
    return WaitUntil([window] { return !::IsWindow(window); });
}

void DialogDriver::Click(HWND dialog, int id) {
    ::PostMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void DialogDriver::DoubleClickItem(HWND list, int index) {
    RECT item{};
    ::SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&item));
    const LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
        ::PostMessageA(list, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, point);
    }
}

void DialogDriver::Press(UINT virtualKey) const {
    HWND target = Focus();
    ::PostMessageA(target, WM_KEYDOWN, virtualKey, 1);
    ::PostMessageA(target, WM_KEYUP, virtualKey, 0xC0000001);
}

void DialogDriver::Type(HWND control, char character) {
    ::PostMessageA(control, WM_CHAR, static_cast<unsigned char>(character), 1);
}

void DialogDriver::SetText(HWND dialog, int id, const std::string& text) {
    ::SendMessageA(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string DialogDriver::Text(HWND window) {
    const LRESULT length = ::SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    ::SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

bool DialogDriver::IsChecked(HWND dialog, int id) {
    return ::SendMessageA(::GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

HWND DialogDriver::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(testThread, &info);
    return info.hwndFocus;
}

int DialogDriver::WaitForFocusChange(HWND before) const {
    WaitUntil([&] { return Focus() != before; });
    return FocusId();
}

// The topmost window first: a message box before its dialog, a chooser before
// the setup dialog.
void DialogDriver::CloseEverything() const {
    WaitUntil([this] {
        std::vector<HWND> open;
        ::EnumThreadWindows(testThread, CollectVisible, reinterpret_cast<LPARAM>(&open));
        for (HWND window : open) {
            if (::IsWindowEnabled(window)) {
                ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
            }
        }
        ::Sleep(50);
        return open.empty();
    });
}

MessageBoxSeen ReadAndCloseMessageBox(const DialogDriver& driver, const std::string& caption) {
    HWND box = driver.WaitForWindow(caption);
    if (box == nullptr) {
        return {};
    }
    // A message box shows its text in the static control 0xFFFF.
    MessageBoxSeen seen{DialogDriver::Text(box), DialogDriver::Text(box, 0xFFFF)};
    DialogDriver::Click(box, IDOK);
    DialogDriver::WaitUntilGone(box);
    return seen;
}
