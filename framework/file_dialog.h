// CFileDialog: the platform's Open dialog (GetOpenFileNameA) with the
// framework's hook, which routes the dialog's messages to the object's message
// map and turns the registered notifications "commdlg_LBSelChangedNotify" and
// "commdlg_FileNameOK" into calls.
#pragma once

#include "framework/dialog.h"

#include <commdlg.h>

class CFileDialog : public CDialog {
public:
    // An Open dialog; the hook and the Explorer look are added to `flags`.
    explicit CFileDialog(DWORD flags, CWnd* parent = nullptr);

    // IDOK when the platform dialog ended with OK, IDCANCEL otherwise (also when
    // it could not be shown, or a handler failed with an exception). The owner
    // is disabled while it runs and gets its focus back afterwards.
    INT_PTR DoModal() override;

    OPENFILENAMEA m_ofn;

protected:
    // Old-style dialogs only: a list or combo box selection changed.
    virtual void OnLBSelChangedNotify(UINT /*idBox*/, UINT /*index*/, UINT /*code*/) {}
    // Old-style dialogs only: the user confirmed a file name. TRUE refuses it and
    // keeps the dialog open.
    virtual BOOL OnFileNameOK() { return FALSE; }

    // OK and Cancel belong to the platform dialog.
    void OnOK() override;
    void OnCancel() override { Default(); }

private:
    static UINT_PTR CALLBACK HookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    char fileName[MAX_PATH] = "";
    char fileTitle[64] = "";
};
