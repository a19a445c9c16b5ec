// CEdit: an edit control of a dialog, bound by DDX_Control.
#pragma once

#include "framework/wnd.h"

#include <string>

class CEdit : public CWnd {
public:
    std::string GetText() const;
};
