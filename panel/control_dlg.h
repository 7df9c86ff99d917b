#pragma once
// The control panel: the mode buttons, the mode switch and the three overlays it owns.
#include "framework/dialog.h"
#include "panel/mode_switch.h"
#include "res/resource.h"

class CControlDlg : public CDialog, private ModeShares {
    DECLARE_DYNAMIC(CControlDlg)

public:
    CControlDlg();
    ~CControlDlg() override;

    enum { IDD = IDD_CONTROL_DIALOG };

    // The panel's end: the overlays go, then the panel's own window.
    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnBnHotItemChangeRoff(NMHDR* pNMHDR, LRESULT* pResult);
    void OnBnClickedRoff();
    void OnBnClickedRpemo();
    void OnBnClickedRdeka();
    void OnBnClickedRribbon();
    void OnTimer(UINT_PTR nIDEvent);
    void OnBnClickedProperty();

    DECLARE_MESSAGE_MAP()

private:
    // Reads the radio group, applies the selected mode and writes the handler's trace line.
    void ApplySelectedMode(const char* traceLine);
    void ChangeMode();

    void ApplyPointerShare(bool own) override;
    void ApplyLensShare(bool own) override;
    void ApplyRibbonShare(bool own) override;

    COLORREF m_crBack;
    CBrush m_brBack;
    int m_nMode;
};
