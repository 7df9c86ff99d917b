#pragma once
// The pointer highlight of mode "Pemo": a translucent disc or ring that follows the pointer on
// its own 50 ms timer. The panel creates it on the heap; it deletes itself once its window is gone.
#include "framework/dialog.h"
#include "overlays/follow_smoother.h"
#include "res/resource.h"

class CPointerWin : public CDialog {
    DECLARE_DYNAMIC(CPointerWin)

public:
    CPointerWin();
    ~CPointerWin() override;

    enum { IDD = IDD_OVERLAY };

    // Applies the parameters below: style, alpha, colour, size and shape; starts the timer and
    // shows the highlight at the pointer at once.
    void InitOverlay();
    // One tick: follow the pointer, or hide over the panel.
    void FollowCursor();
    void SetRingRegion();
    BOOL DestroyWindow() override;

    CBrush m_brBack;  // the colour of the disc or ring: the dialog background

    // Parameters, written by the creator before InitOverlay.
    COLORREF m_crColor;
    BYTE m_byAlpha;     // 0 invisible ... 255 opaque
    BOOL m_bRing;       // nonzero: a ring; zero: a filled disc
    int m_nSize;        // index into the diameter table
    Point m_ptCursor;   // the pointer position of the latest tick
    HWND m_hWndPanel;   // the panel's window, for the hide test
    BOOL m_bSmooth;     // nonzero: lead the pointer by the smoother's offset
    CFollowSmoother m_follow;

protected:
    BOOL OnInitDialog() override;
    void PostNcDestroy() override;

    void OnTimer(UINT_PTR nIDEvent);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

    DECLARE_MESSAGE_MAP()
};

// Leaves the window out of the desktop's Flip3D view, drawn above it, where the system has a
// desktop window manager (major version 6 or later). The manager's library is bound at the
// first call, so the program starts where it is missing.
HRESULT SetFlip3DPolicy(HWND hWnd);
