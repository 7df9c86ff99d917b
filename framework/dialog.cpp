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
    return ::DialogBoxParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nIDTemplate),
                             OwnerWindow(), &CDialog::AfxDlgProc, reinterpret_cast<LPARAM>(this));
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
