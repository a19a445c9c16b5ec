// CDialog: a modal dialog from a template in the program's resources. Its
// messages come through one dialog procedure into the object's message map;
// OK runs the saving data exchange and ends the dialog only if it succeeds,
// Cancel ends it at once.
#pragma once

#include "framework/wnd.h"

class CDataExchange;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Runs the dialog and returns the code it ended with (IDOK, IDCANCEL), -1 if
    // it could not be created, or IDABORT when a handler failed with an exception.
    virtual INT_PTR DoModal();

    // Loading (FALSE) copies the fields into the controls, saving (TRUE) the
    // controls into the fields. FALSE when a check failed and stopped the exchange.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    void EndDialog(int result) { ::EndDialog(m_hWnd, result); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }

protected:
    // Runs the loading data exchange; TRUE lets the platform focus the first tab stop.
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange&) {}

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    // The window's own procedure, which calls back into the dialog procedure;
    // that inner call is answered "not handled" so the platform does its part.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The dialog procedure's work for a dialog bound to its window: the message
    // map's answer, or FALSE for the platform's own processing.
    INT_PTR RouteDialogMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void AttachDialog(HWND hwnd);
    void DetachDialog();
    static CDialog* FromDialogHandle(HWND hwnd);

    CWnd* m_pParentWnd;
    static const MessageMap messageMap;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }
    void HandleOK() { OnOK(); }
    void HandleCancel() { OnCancel(); }

    static const MessageMapEntry messageEntries[];

    UINT templateId;
};
