#pragma once
// The magnifier lens of mode "Deka": a click-through window centred on the pointer that shows
// the screen around it enlarged through the Magnification API's control. It lives as long as the
// panel, runs its own 50 ms timer throughout and shows only while it is active.
#include "framework/dialog.h"
#include "framework/geometry.h"
#include "res/resource.h"

class CMagWin : public CDialog {
    DECLARE_DYNAMIC(CMagWin)

public:
    CMagWin();
    ~CMagWin() override;

    enum { IDD = IDD_OVERLAY };

    // Style, layering and size; starts the magnifier and its control, runs one tick (which hides
    // the lens while it is inactive) and starts the timer.
    void InitOverlay();
    // Magnification: a factor below 1 counts as 1. Needs the control made by InitOverlay.
    BOOL SetZoom(int nZoom);
    // Shows the screen area centred in the lens rectangle, shrunk by the zoom.
    void SetSourceRect(RECT rcLens);
    void FollowCursor();
    BOOL DestroyWindow() override;

    HWND m_hWndPanel;   // the panel's window, for the hide test
    BOOL m_bActive;     // nonzero: follow and show; zero: every tick hides the lens
    float m_fZoom;
    int m_nLensWidth;   // the creator may change the size at any time: it applies next tick
    int m_nLensHeight;
    HWND m_hWndMag;     // the magnifier control, a child filling the lens

protected:
    BOOL OnInitDialog() override;
    void PostNcDestroy() override;

    void OnTimer(UINT_PTR nIDEvent);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()

private:
    // True when the control already covers the lens's client area of w x h from its corner.
    bool ControlFillsLens(int w, int h) const;

    BOOL m_bMagnifierStarted;  // released once, only if it started
};
