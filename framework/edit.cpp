#include "framework/edit.h"

#include <vector>

std::string CEdit::GetText() const {
    std::vector<char> text(static_cast<size_t>(::GetWindowTextLengthA(m_hWnd)) + 1, '\0');
    ::GetWindowTextA(m_hWnd, text.data(), static_cast<int>(text.size()));
    return text.data();
}
