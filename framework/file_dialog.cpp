#include "framework/file_dialog.h"

#include "framework/callback_guard.h"
#include "framework/win_app.h"

#include <cstddef>

namespace {
// The structure as it was before later platform versions extended it (up to its
// template name): 76 bytes in 32-bit programs, more with 64-bit pointers.
constexpr DWORD ClassicStructSize =
    offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(OPENFILENAMEA::lpTemplateName);
static_assert(sizeof(void*) != 4 || ClassicStructSize == 76);
} // namespace

CFileDialog::CFileDialog(DWORD flags, CWnd* parent) : CDialog(0, parent), m_ofn{} {
    m_ofn.lStructSize = ClassicStructSize;
    m_ofn.hInstance = AfxGetInstanceHandle();
    m_ofn.lpstrFile = fileName;
    m_ofn.nMaxFile = sizeof fileName;
    m_ofn.lpstrFileTitle = fileTitle;
    m_ofn.nMaxFileTitle = sizeof fileTitle;
    m_ofn.Flags = flags | OFN_ENABLEHOOK | OFN_EXPLORER;
    m_ofn.lpfnHook = HookProc;
    m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
}

INT_PTR CFileDialog::DoModal() {
    HWND focus = ::GetFocus();
    m_ofn.hwndOwner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : ::GetActiveWindow();
    const bool disableOwner = m_ofn.hwndOwner != nullptr && ::IsWindowEnabled(m_ofn.hwndOwner);
    if (disableOwner) {
        ::EnableWindow(m_ofn.hwndOwner, FALSE);
    }
    const BOOL confirmed = ::GetOpenFileNameA(&m_ofn);
    if (disableOwner) {
        ::EnableWindow(m_ofn.hwndOwner, TRUE);
    }
    if (::IsWindow(focus)) {
        ::SetFocus(focus);
    }
    DetachDialog();
    return confirmed ? IDOK : IDCANCEL;
}

void CFileDialog::OnOK() {
    if (UpdateData(TRUE)) {
        Default();
    }
}

UINT_PTR CALLBACK CFileDialog::HookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    static const UINT fileNameOK = ::RegisterWindowMessageA(FILEOKSTRINGA);
    static const UINT selectionChanged = ::RegisterWindowMessageA(LBSELCHSTRINGA);

    // The platform dialog ends with FALSE, as on Cancel.
    return GuardCallback(UINT_PTR{FALSE}, ::GetAncestor(hwnd, GA_ROOT), FALSE, [&]() -> UINT_PTR {
        CFileDialog* dialog = nullptr;
        if (message == WM_INITDIALOG) {
            dialog =
                reinterpret_cast<CFileDialog*>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData);
            dialog->AttachDialog(hwnd);
        } else {
            dialog = static_cast<CFileDialog*>(FromDialogHandle(hwnd));
        }
        if (dialog == nullptr) {
            return FALSE;
        }
        const bool oldStyle = (dialog->m_ofn.Flags & OFN_EXPLORER) == 0;
        if (oldStyle && message == fileNameOK) {
            return dialog->OnFileNameOK();
        }
        if (oldStyle && message == selectionChanged) {
            dialog->OnLBSelChangedNotify(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
            return FALSE;
        }
        return static_cast<UINT_PTR>(dialog->RouteDialogMessage(message, wParam, lParam));
    });
}
