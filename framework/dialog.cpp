#include "framework/dialog.h"

#include "framework/callback_guard.h"
#include "framework/data_exchange.h"
#include "framework/message_frame.h"
#include "framework/win_app.h"

namespace {
// The window property that binds a dialog window to its object.
constexpr char DialogProperty[] = "CDialog";

// The messages that DefWindowProc is handing to a dialog window's own
// procedure on this thread, innermost first.
thread_local MessageFrame::Chain defaultedMessages = nullptr;

// Messages whose dialog-procedure result is the answer itself; every other
// answer goes through DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) {
    switch (message) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return true;
    default:
        return false;
    }
}
} // namespace

const MessageMapEntry CDialog::messageEntries[] = {
    OnMessage<&CDialog::HandleInitDialog>(WM_INITDIALOG),
    OnCommand<&CDialog::HandleOK>(IDOK, BN_CLICKED),
    OnCommand<&CDialog::HandleCancel>(IDCANCEL, BN_CLICKED),
};
const MessageMap CDialog::messageMap{&CWnd::messageMap, CDialog::messageEntries};

CDialog::CDialog(UINT templateId, CWnd* parent) : m_pParentWnd(parent), templateId(templateId) {}

INT_PTR CDialog::DoModal() {
    const INT_PTR result =
        ::DialogBoxParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(templateId),
                          m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr, DialogProc,
                          reinterpret_cast<LPARAM>(this));
    DetachDialog();
    return result;
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(*this, saveAndValidate);
    try {
        DoDataExchange(dx);
    } catch (const CDataExchange::Stopped&) {
        return FALSE;
    }
    return TRUE;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE)) {
        EndDialog(IDOK);
    }
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = m_hWnd;
    const MessageFrame defaulting(defaultedMessages, this, message, wParam, lParam);
    const auto procedure = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    return ::CallWindowProcA(procedure, hwnd, message, wParam, lParam);
}

INT_PTR CDialog::RouteDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = m_hWnd;
    const MessageFrame* defaulting = MessageFrame::Find(defaultedMessages, this);
    const bool beingDefaulted = defaulting != nullptr && defaulting->Is(message, wParam, lParam);
    INT_PTR answer = FALSE;
    if (!beingDefaulted && GetMessageMap()->Find(message, wParam) != nullptr) {
        const LRESULT result = Dispatch(message, wParam, lParam);
        if (AnswersDirectly(message)) {
            answer = static_cast<INT_PTR>(result);
        } else {
            ::SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
            answer = TRUE;
        }
    }
    if (message == WM_NCDESTROY) {
        DetachDialog();
    }
    return answer;
}

void CDialog::AttachDialog(HWND hwnd) {
    m_hWnd = hwnd;
    ::SetPropA(hwnd, DialogProperty, this);
}

void CDialog::DetachDialog() {
    if (m_hWnd != nullptr && ::GetPropA(m_hWnd, DialogProperty) == this) {
        ::RemovePropA(m_hWnd, DialogProperty);
    }
    m_hWnd = nullptr;
}

CDialog* CDialog::FromDialogHandle(HWND hwnd) {
    return static_cast<CDialog*>(::GetPropA(hwnd, DialogProperty));
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardCallback(INT_PTR{FALSE}, hwnd, IDABORT, [&] {
        CDialog* dialog = nullptr;
        if (message == WM_INITDIALOG) {
            dialog = reinterpret_cast<CDialog*>(lParam);
            dialog->AttachDialog(hwnd);
        } else {
            dialog = FromDialogHandle(hwnd);
        }
        return dialog != nullptr ? dialog->RouteDialogMessage(message, wParam, lParam)
                                 : INT_PTR{FALSE};
    });
}
