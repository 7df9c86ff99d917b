#include "framework/data_exchange.h"

#include <vector>

#include "framework/wnd.h"

HWND CDataExchange::GetControl(int nIDC) const { return ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC); }

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND control = pDX->GetControl(nIDC);
    if (control == nullptr) {
        return;
    }
    if (pDX->m_bSaveAndValidate) {
        value = -1;
    }
    int index = 0;
    do {
        if (::SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED) {
                    value = index;
                }
            } else {
                ::SendMessageW(control, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED,
                               0);
            }
            ++index;
        }
        control = ::GetWindow(control, GW_HWNDNEXT);
    } while (control != nullptr && !(::GetWindowLongW(control, GWL_STYLE) & WS_GROUP));
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND control = pDX->GetControl(nIDC);
    if (control == nullptr) {
        return;
    }
    if (pDX->m_bSaveAndValidate) {
        const int length = ::GetWindowTextLengthW(control);
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        const int copied = ::GetWindowTextW(control, &text[0], length + 1);
        text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
        value = CString(std::move(text));
    } else {
        ::SetWindowTextW(control, value);
    }
}
