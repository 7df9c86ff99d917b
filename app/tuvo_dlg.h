#pragma once
// The main window: hosts the control panel, shows the link line and carries the icon.
#include "framework/dialog.h"
#include "panel/control_dlg.h"
#include "res/resource.h"

class CTuvoDlg : public CDialog {
public:
    explicit CTuvoDlg(CWnd* pParent = nullptr);
    ~CTuvoDlg() override;

    enum { IDD = IDD_TUVO_DIALOG };

    // The main window's end: the panel's end first, while every overlay still exists.
    BOOL DestroyWindow() override;

protected:
    BOOL OnInitDialog() override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnNMClickSyslink1(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    void AddAboutItemToSystemMenu();

    CControlDlg m_dlgControl;
    HICON m_hIcon;  // a shared resource icon: never destroyed
};
