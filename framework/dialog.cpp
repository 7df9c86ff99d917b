#include "framework/dialog.h"

#include "framework/app.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

INT_PTR CALLBACK CDialog::AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    // Only the first message of substance comes here: the dialog is then subclassed, and every
    // later message reaches the object through its window procedure, whose default is the
    // dialog manager's (which calls back here and gets FALSE: not handled).
    if (message != WM_INITDIALOG) {
        return FALSE;
    }
    CDialog* dialog = reinterpret_cast<CDialog*>(lParam);
    dialog->SubclassWindow(hWnd);
    return dialog->OnInitDialog();
}

HWND CDialog::OwnerWindow() const
{
    if (m_pParentWnd != nullptr) {
        return m_pParentWnd->m_hWnd;
    }
    CWnd* main = AfxGetMainWnd();
    return (main != nullptr && main != this) ? main->m_hWnd : nullptr;
}

INT_PTR CDialog::DoModal()
{
    m_bEndModal = false;
    m_nModalResult = -1;
    HWND owner = OwnerWindow();
    HWND hWnd = ::CreateDialogParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nIDTemplate),
                                     owner, &CDialog::AfxDlgProc, reinterpret_cast<LPARAM>(this));
    if (hWnd == nullptr) {
        return -1;
    }
    // EnableWindow answers whether the owner was disabled already; only what this loop
    // disabled is enabled again.
    const bool ownerDisabledHere = owner != nullptr && !::EnableWindow(owner, FALSE);
    if (!m_bEndModal && !::IsWindowVisible(hWnd)) {
        ::ShowWindow(hWnd, SW_SHOWNORMAL);
    }
    MSG msg{};
    while (!m_bEndModal && m_hWnd != nullptr) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside this one
            break;
        }
        if (got < 0) {
            break;
        }
        if (!::IsDialogMessageW(hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    if (ownerDisabledHere) {
        ::EnableWindow(owner, TRUE);  // before the dialog goes, so the owner can be activated
    }
    if (m_hWnd != nullptr) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        DestroyWindow();
    }
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    m_bEndModal = true;
    // Hides the dialog, gives the activation back to its owner and wakes the loop.
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDTemplate = nIDTemplate;
    // The parent is used here only: a temporary wrapper (such as the desktop's) is not kept.
    HWND parent = pParentWnd != nullptr ? pParentWnd->m_hWnd : OwnerWindow();
    HWND hWnd = ::CreateDialogParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDTemplate), parent,
                                     &CDialog::AfxDlgProc, reinterpret_cast<LPARAM>(this));
    return hWnd != nullptr;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE)) {
        return;
    }
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }
