// CEdit: an edit control of a dialog, bound by DDX_Control.
#pragma once

#include "framework/wnd.h"

#include <string>

class CEdit : public CWnd {
public:
    std::string GetText() const;
    void SetSel(int start, int end) { SendMessage(EM_SETSEL, start, end); }
    void LimitText(int maxChars) { SendMessage(EM_LIMITTEXT, maxChars, 0); }
};
