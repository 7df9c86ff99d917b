#pragma once
// The control panel: the mode buttons, the mode switch and the three overlays it owns.
#include "framework/dialog.h"
#include "panel/mode_switch.h"
#include "panel/settings_tables.h"
#include "res/resource.h"
#include "ribbon/monitor_win.h"

class CPointerWin;
class CMagWin;

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

    void UpdatePointerColor();
    void CreatePointerWin();
    void DestroyPointerWin();
    void CreateMagWin();
    void EnableMagWin();
    void DestroyMagWin();
    void ApplyLensSettings();  // zoom and size, to the existing lens
    void CreateRibbonWin();
    // The lens size for the desktop's current size and the two lens percentages.
    LensSize GetLensSize() const;

    // Writes the ribbon settings into the trail window, once, at the panel's start.
    void ApplyRibbonSettings();

    // Settings: built-in defaults, set by the constructor and never changed.
    COLORREF m_crBack;
    CBrush m_brBack;
    COLORREF m_crPointer;       // from m_nPointerColor
    int m_nPointerColor;        // index into the pointer colour table
    int m_nPointerAlpha;        // percent
    BOOL m_bPointerRing;        // a ring instead of a disc
    int m_nPointerSize;         // index into the diameter table
    BOOL m_bPointerSmooth;      // lead the pointer in the direction it moves
    int m_nPointerSmooth;       // the lead, in percent of the last tick's movement
    CPointerWin* m_pPointerWin; // exists only while "Pemo" is the mode
    CMagWin* m_pMagWin;         // exists from the panel's start to its end
    int m_nZoom;                // lens magnification
    int m_nLensWidthPercent;    // 0: one eighth, 100: one half of the desktop width
    int m_nLensHeightPercent;   // likewise of the desktop height
    // Declared after m_brBack, so it is destroyed before the panel's brush.
    CMonitorWin m_wndRibbon;    // the trail window, for the panel's whole life
    int m_nRibbonStyle;         // index into the ribbon style table
    int m_nRibbonLineColor;     // index into the ribbon colour table
    int m_nRibbonDotColor;
    int m_nRibbonLineWidth;     // index into the ribbon width table
    int m_nRibbonDotWidth;
    int m_nRibbonAlpha;         // percent
    BOOL m_bRibbonPolyline;     // GDI polyline instead of the GDI+ curve
    int m_nMode;                // the radio group's selection
};
