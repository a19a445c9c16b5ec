#include "framework/data_exchange.h"

#include "framework/dialog.h"
#include "framework/framework_resource.h"
#include "framework/message_box.h"

#include <vector>

HWND CDataExchange::PrepareCtrl(int id) {
    lastControl = m_pDlgWnd->GetDlgItem(id);
    lastIsEdit = false;
    return lastControl;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
    HWND control = PrepareCtrl(id);
    lastIsEdit = true;
    return control;
}

void CDataExchange::Fail() {
    if (lastControl != nullptr) {
        ::SetFocus(lastControl);
        if (lastIsEdit) {
            ::SendMessageA(lastControl, EM_SETSEL, 0, -1);
        }
    }
    throw Stopped{};
}

void DDX_Text(CDataExchange& dx, int id, std::string& value) {
    HWND control = dx.PrepareEditCtrl(id);
    if (!dx.m_bSaveAndValidate) {
        ::SetWindowTextA(control, value.c_str());
        return;
    }
    std::vector<char> text(static_cast<size_t>(::GetWindowTextLengthA(control)) + 1, '\0');
    ::GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
    value = text.data();
}

void DDV_MaxChars(CDataExchange& dx, const std::string& value, int maxChars) {
    if (!dx.m_bSaveAndValidate) {
        ::SendMessageA(dx.LastControl(), EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
        return;
    }
    if (value.size() > static_cast<size_t>(maxChars)) {
        const std::string limit = std::to_string(maxChars);
        AfxMessageBox(AfxFormatString1(IDP_PARSE_STRING_SIZE, limit.c_str()),
                      MB_OK | MB_ICONEXCLAMATION);
        dx.Fail();
    }
}

void DDX_Radio(CDataExchange& dx, int firstId, int& value) {
    HWND first = dx.PrepareCtrl(firstId);
    if (dx.m_bSaveAndValidate) {
        value = -1;
    }
    int index = 0;
    for (HWND control = first; control != nullptr; control = ::GetWindow(control, GW_HWNDNEXT)) {
        if (control != first && (::GetWindowLongA(control, GWL_STYLE) & WS_GROUP) != 0) {
            break;
        }
        if ((::SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) == 0) {
            continue;
        }
        if (dx.m_bSaveAndValidate) {
            if (::SendMessageA(control, BM_GETCHECK, 0, 0) != BST_UNCHECKED) {
                value = index;
            }
        } else {
            ::SendMessageA(control, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++index;
    }
}

void DDX_Check(CDataExchange& dx, int id, int& value) {
    HWND control = dx.PrepareCtrl(id);
    if (dx.m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
        return;
    }
    if (value < 0 || value > 2) {
        value = 0;
    }
    ::SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Control(CDataExchange& dx, int id, CWnd& control) {
    if (control.m_hWnd == nullptr) {
        control.m_hWnd = dx.PrepareCtrl(id);
    }
}
