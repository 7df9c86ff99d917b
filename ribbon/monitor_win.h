#pragma once
// The trail window of mode "Ribbon": a layered, click-through popup that draws the pointer's
// last positions into its own surface on every tick of the panel's timer and moves so that the
// newest position lies under the pointer. It is a member of the panel and lives as long as it.
#include "framework/dialog.h"
#include "framework/surface.h"
#include "res/resource.h"
#include "ribbon/trail_geometry.h"
#include "ribbon/trail_ink.h"

// The colour key of the trail window (red 0, green 0, blue 1): the surface is cleared to it,
// so everything but the trail is fully transparent. Black trails stay visible.
constexpr COLORREF kRibbonKeyColor = RGB(0, 0, 1);

class CMonitorWin : public CDialog {
    DECLARE_DYNCREATE(CMonitorWin)

public:
    CMonitorWin();
    ~CMonitorWin() override;

    enum { IDD = IDD_MONITOR };

    // Set-up, once, after Create and after m_hWndPanel is set: layered click-through style,
    // background brush, surface at the window's size, history collapsed onto the cursor (onto
    // the panel's centre while the cursor cannot be read), cleared surface, colour key and
    // opacity.
    void InitOverlay();
    // One tick with the cursor position: record it, then (while active) redraw and move.
    void UpdateTrail(Point pt);
    BOOL DestroyWindow() override;

    CSurface m_image;         // the drawing surface, the window's size
    COLORREF m_crKey;         // colour key of the layered window
    CBrush m_brBack;          // the key colour: the dialog background
    TrailPoints m_ptDraw;     // the history fitted to the surface, relative to its centre
    TrailPoints m_ptHistory;  // the last cursor positions, newest first
    Point m_ptHead;           // the surface pixel drawn under the newest position
    BOOL m_bActive;           // nonzero: the trail is shown
    BOOL m_bLine;             // draw the line
    BOOL m_bDots;             // draw the dots
    int m_nLineWidth;         // points
    int m_nDotWidth;          // points
    COLORREF m_crLine;
    COLORREF m_crDots;
    int m_nAlphaPercent;      // window opacity
    BOOL m_bPolyline;         // nonzero: the line is a GDI polyline; zero: a GDI+ curve
    HWND m_hWndPanel;         // the panel's window: the trail hides over it

protected:
    BOOL OnInitDialog() override;
    void PostNcDestroy() override;

    void OnPaint();
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()

private:
    // The drawing steps of a tick. Each returns true when it drew everything it had to (having
    // nothing to draw counts), false when a brush, pen, graphics object or context could not be
    // had or a drawing call failed.
    bool ClearSurface();
    bool DrawCurve();
    bool DrawPolyline();
    bool DrawDots();
    void PlaceWindow();
    // A fitted point as a surface pixel, keeping the margin of a pen of half width `half`.
    Point GetSurfacePoint(int half, Point fitted) const;

    // What the surface shows, to skip redrawing a picture it already holds.
    struct DrawnPicture {
        bool valid = false;
        TrailFrame frame;
        COLORREF line = 0;
        COLORREF dots = 0;
        BOOL bLine = FALSE;
        BOOL bDots = FALSE;
        BOOL bPolyline = FALSE;
    };
    bool SurfaceShowsThisTick() const;
    void RememberDrawnPicture();

    // This tick's pen widths, half widths and head, worked out once for every drawing step.
    TrailFrame m_frame;
    DrawnPicture m_drawn;
    // Known from set-up on, so a tick reads neither from the system: the surface's vertical
    // resolution for the pen widths, and the window's size, which never changes.
    int m_nDpi = 96;
    Point m_szWindow;
    // The part of the surface that may hold trail pixels; everything else is the key colour.
    Rect m_rcInk;
    // The window was repainted after the tick placed it: the next tick places it once more.
    bool m_bRepaintedSincePlaced = false;
};
