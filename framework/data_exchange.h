// The data exchange between a dialog's fields and its controls: one routine,
// DoDataExchange, serves both directions. A failed check tells the user, puts
// the focus on the control at fault and stops the exchange.
#pragma once

#include <windows.h>

#include <string>

class CDialog;
class CWnd;

class CDataExchange {
public:
    // Thrown by Fail and caught by CDialog::UpdateData: the exchange stops there.
    struct Stopped {};

    CDataExchange(CDialog& dialog, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(&dialog) {}

    // The control with this id, remembered as the one a later failure points at.
    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id);
    // Focuses the last prepared control (an edit with its whole text selected)
    // and stops the exchange.
    [[noreturn]] void Fail();
    HWND LastControl() const { return lastControl; }

    const BOOL m_bSaveAndValidate;
    CDialog* const m_pDlgWnd;

private:
    HWND lastControl = nullptr;
    bool lastIsEdit = false;
};

// The whole text of a control.
void DDX_Text(CDataExchange& dx, int id, std::string& value);
// Loading limits what the user can type into the last edit; saving fails on a
// longer text with "Please enter no more than <limit> characters.".
void DDV_MaxChars(CDataExchange& dx, const std::string& value, int maxChars);
// A radio group from its first control up to the next control with WS_GROUP;
// the radio buttons count from 0 in template order, -1 means none is checked.
void DDX_Radio(CDataExchange& dx, int firstId, int& value);
// A check box: 0 unchecked, 1 checked (2 indeterminate); values outside 0 to 2
// load as 0.
void DDX_Check(CDataExchange& dx, int id, int& value);
// Binds a control object to the control with this id, once.
void DDX_Control(CDataExchange& dx, int id, CWnd& control);
