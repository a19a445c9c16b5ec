#include "setup/select_dir.h"

#include "framework/center_window.h"
#include "framework/data_exchange.h"
#include "framework/dc.h"
#include "framework/message_box.h"
#include "res/resource.h"
#include "setup/chooser_path.h"

#include <dlgs.h>

#include <vector>

namespace {
std::vector<std::string> ListTexts(HWND list) {
    std::vector<std::string> texts;
    const int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const LRESULT length = ::SendMessageA(list, LB_GETTEXTLEN, i, 0);
        std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
        ::SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        texts.emplace_back(text.data());
    }
    return texts;
}

std::string CurrentDirectory() {
    const DWORD size = ::GetCurrentDirectoryA(0, nullptr);
    std::vector<char> text(size + 1, '\0');
    ::GetCurrentDirectoryA(static_cast<DWORD>(text.size()), text.data());
    return text.data();
}
} // namespace

const MessageMapEntry CSelectDir::messageEntries[] = {
    OnMessage<&CSelectDir::OnPaint>(WM_PAINT),
};
const MessageMap CSelectDir::messageMap{&CFileDialog::messageMap, CSelectDir::messageEntries};

CSelectDir::CSelectDir(CWnd* parent)
    : CFileDialog(OFN_HIDEREADONLY | OFN_ENABLETEMPLATE | OFN_NONETWORKBUTTON | OFN_LONGNAMES,
                  parent) {
    // Template 130 is laid out for the old-style dialog, and only that one sends
    // the selection and file-name notifications.
    m_ofn.Flags &= ~static_cast<DWORD>(OFN_EXPLORER);
    m_ofn.lpTemplateName = MAKEINTRESOURCEA(IDD_SELECT_DIR);
    // Without a title the platform may show its own ("Open"); the template's
    // caption reads the same everywhere.
    m_ofn.lpstrTitle = "Select Directory";
}

INT_PTR CSelectDir::DoModal() {
    startDir = path;
    ::SetCurrentDirectoryA(path.c_str()); // the platform dialog opens in the current directory
    const INT_PTR result = CFileDialog::DoModal();
    ::SetCurrentDirectoryA(startDir.c_str());
    pathEdit.m_hWnd = nullptr; // the edit went with the dialog
    return result;
}

BOOL CSelectDir::OnInitDialog() {
    CenterWindow(m_hWnd);
    // The platform's OK goes on to the file-name notification only with a file
    // name in its edit; the name is never used.
    ::SetDlgItemTextA(m_hWnd, edt1, "dud");
    for (int id : {stc2, stc3, edt1, lst1, cmb1, stc1, chx1}) {
        ::ShowWindow(GetDlgItem(id), SW_HIDE);
    }
    FormPathFromList();
    ::SetFocus(GetDlgItem(lst2));
    firstPaint = TRUE;
    CFileDialog::OnInitDialog();
    return FALSE; // the focus stays on the directory list
}

void CSelectDir::OnPaint() {
    { CPaintDC dc(this); }
    if (firstPaint) {
        firstPaint = FALSE;
        // Selects the drive root without a notification: the edit keeps its path.
        ::SendMessageA(GetDlgItem(lst2), LB_SETCURSEL, 0, 0);
    }
}

void CSelectDir::OnLBSelChangedNotify(UINT, UINT, UINT) {
    FormPathFromList();
}

BOOL CSelectDir::OnFileNameOK() {
    path = pathEdit.GetText();
    if (!HasForbiddenPathCharacter(path)) {
        return FALSE;
    }
    AfxMessageBox("Invalid pathname\n" + path, MB_OK | MB_ICONEXCLAMATION);
    return TRUE;
}

void CSelectDir::DoDataExchange(CDataExchange& dx) {
    DDX_Control(dx, IDC_CHOOSER_PATH, pathEdit);
}

// The platform makes each folder it opens the current directory, so that is the
// folder the list shows.
void CSelectDir::FormPathFromList() {
    HWND list = GetDlgItem(lst2);
    const int selected = static_cast<int>(::SendMessageA(list, LB_GETCURSEL, 0, 0));
    path.clear();
    const std::optional<std::string> formed =
        FormChooserPath(ListTexts(list), selected, CurrentDirectory());
    if (formed) {
        path = *formed;
        ::SetDlgItemTextA(m_hWnd, IDC_CHOOSER_PATH, path.c_str());
    }
}
