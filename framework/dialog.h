#pragma once
// CDialog: a window made from a dialog template, modal (DoModal) or modeless (Create).
#include "framework/data_exchange.h"
#include "framework/gdi.h"
#include "framework/wnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)

public:
    CDialog() = default;
    CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr)
        : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
    {
    }

    // Runs the dialog until EndDialog and returns the result given there (-1 when its window
    // cannot be made). The owner (the parent given, else the main window) takes no input
    // meanwhile. Once the loop has ended, the window is hidden and ended through the virtual
    // DestroyWindow, so a dialog can end what it holds while every window it owns still exists.
    virtual INT_PTR DoModal();
    // Creates the modeless dialog's window (hidden unless the template says WS_VISIBLE);
    // without a parent the main window is the parent. FALSE when no window could be made: the
    // object was then never attached to one.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // Ends a modal dialog's loop with nResult as DoModal's result, and hides the dialog.
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();

protected:
    // OK reads the controls back into the members and ends the dialog; Cancel just ends it.
    virtual void OnOK();
    virtual void OnCancel();

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND OwnerWindow() const;

    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;
    bool m_bEndModal = false;
    INT_PTR m_nModalResult = -1;
};
