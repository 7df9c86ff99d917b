#include "ribbon/monitor_win.h"

#include "framework/gdiplus_objects.h"
#include "overlays/cursor_position.h"
#include "overlays/opacity.h"
#include "overlays/overlay_window.h"
#include "ribbon/trail_color.h"

IMPLEMENT_DYNCREATE(CMonitorWin, CDialog)

namespace {

// Round ends and joins, so a zero-length stroke is a round dot of the pen's width. The width
// is given as the positive pixel count: the window system takes it as an unsigned number.
const int kTrailPenStyle = PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND;

// Keeps a pen selected into a context for one scope and puts the previous one back.
class CPenSelection {
public:
    CPenSelection(HDC hDC, HPEN hPen) : m_hDC(hDC), m_hOld(::SelectObject(hDC, hPen)) {}
    ~CPenSelection() { ::SelectObject(m_hDC, m_hOld); }
    CPenSelection(const CPenSelection&) = delete;
    CPenSelection& operator=(const CPenSelection&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

}  // namespace

CMonitorWin::CMonitorWin()
    : CDialog(IDD, nullptr),
      m_crKey(kRibbonKeyColor),
      m_ptDraw{},
      m_ptHistory{},
      m_ptHead{},
      m_bActive(FALSE),
      m_bLine(TRUE),
      m_bDots(TRUE),
      m_nLineWidth(5),
      m_nDotWidth(5),
      m_crLine(RGB(255, 0, 0)),
      m_crDots(RGB(255, 255, 0)),
      m_nAlphaPercent(70),
      m_bPolyline(FALSE),
      m_hWndPanel(nullptr)
{
}

CMonitorWin::~CMonitorWin() = default;

BEGIN_MESSAGE_MAP(CMonitorWin, CDialog)
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CMonitorWin::OnInitDialog()
{
    CDialog::OnInitDialog();
    return FALSE;  // an overlay takes no focus: the dialog manager would activate it
}

void CMonitorWin::InitOverlay()
{
    ModifyStyleEx(0, kOverlayExStyle);
    m_brBack.CreateSolidBrush(kRibbonKeyColor);

    RECT rect;
    GetWindowRect(&rect);
    // The window is never resized: its size at set-up is the surface's for good.
    m_szWindow = Point{rect.right - rect.left, rect.bottom - rect.top};
    m_image.Create(m_szWindow.x, m_szWindow.y, 32);
    {
        CSurfaceDC dc(m_image);
        m_nDpi = ::GetDeviceCaps(dc, LOGPIXELSY);
    }

    // The trail starts collapsed onto the pointer. Where the pointer cannot be read, it starts
    // at the panel's centre instead, where the program was just started from: over the panel
    // it stays hidden until a tick brings a real position.
    RECT panel{};
    ::GetWindowRect(m_hWndPanel, &panel);
    Point start{(panel.left + panel.right) / 2, (panel.top + panel.bottom) / 2};
    ReadCursorPosition(start);
    FillTrailHistory(m_ptHistory, start);

    m_crKey = kRibbonKeyColor;
    m_rcInk = Rect{0, 0, m_image.GetWidth(), m_image.GetHeight()};
    ClearSurface();
    m_drawn.valid = false;
    ::SetLayeredWindowAttributes(m_hWnd, m_crKey,
                                 static_cast<BYTE>(AlphaFromPercent(m_nAlphaPercent) & 0xFF),
                                 LWA_COLORKEY | LWA_ALPHA);
}

void CMonitorWin::UpdateTrail(Point pt)
{
    if (m_hWnd == nullptr) {
        return;  // no window could be made: nothing to record for or to draw
    }
    // Recorded on every tick, shown or not, so the trail is current when it is switched on.
    PushTrailHistory(m_ptHistory, pt);
    if (!m_bActive) {
        HideOverlay(*this);
        return;
    }

    const TrailStyle style{m_nLineWidth, m_nDotWidth, m_bLine != FALSE, m_bDots != FALSE};
    m_frame = ComputeTrailFrame(m_ptHistory, m_image.GetWidth(), m_image.GetHeight(), m_nDpi,
                                style);
    m_ptDraw = m_frame.fitted;

    // A pointer at rest, or moving steadily in a straight line, gives the same picture tick
    // after tick: the surface already holds it, so only the window is placed (and the system
    // repaints whatever it uncovers).
    if (SurfaceShowsThisTick()) {
        m_ptHead = m_frame.head;
        PlaceWindow();
        return;
    }
    // One context for the whole tick: the drawing steps below share it instead of each making
    // and deleting one of their own.
    CSurfaceDC tickDC(m_image);
    const Rect previousInk = m_rcInk;
    // From here on the surface no longer holds the remembered picture. The new one is
    // remembered only when every step drew all of it: a picture left incomplete by a step that
    // failed is drawn again at the next tick instead of staying for as long as the pointer rests.
    m_drawn.valid = false;
    bool complete = ClearSurface();
    complete = (m_bPolyline ? DrawPolyline() : DrawCurve()) && complete;
    complete = DrawDots() && complete;  // always: it also sets the head
    // The new trail, and whatever of the old one a failed clear left.
    m_rcInk = UnionOf(m_rcInk, TrailInkBounds(m_frame, TrailLook{m_bLine != FALSE,
                                                                  m_bDots != FALSE,
                                                                  !m_bPolyline},
                                              m_image.GetWidth(), m_image.GetHeight()));
    if (complete) {
        RememberDrawnPicture();
    }
    PlaceWindow();
    // Outside the old and the new trail the window shows the key colour before and after.
    const Rect changed = UnionOf(previousInk, m_rcInk);
    if (!IsEmpty(changed)) {
        const RECT update{changed.left, changed.top, changed.right, changed.bottom};
        ::InvalidateRect(m_hWnd, &update, TRUE);
        m_bRepaintedSincePlaced = true;
    }
}

bool CMonitorWin::SurfaceShowsThisTick() const
{
    return m_drawn.valid && SamePicture(m_drawn.frame, m_frame) && m_drawn.line == m_crLine &&
           m_drawn.dots == m_crDots && m_drawn.bLine == m_bLine && m_drawn.bDots == m_bDots &&
           m_drawn.bPolyline == m_bPolyline;
}

void CMonitorWin::RememberDrawnPicture()
{
    m_drawn.valid = true;
    m_drawn.frame = m_frame;
    m_drawn.line = m_crLine;
    m_drawn.dots = m_crDots;
    m_drawn.bLine = m_bLine;
    m_drawn.bDots = m_bDots;
    m_drawn.bPolyline = m_bPolyline;
}

Point CMonitorWin::GetSurfacePoint(int half, Point fitted) const
{
    return ::GetSurfacePoint(half, fitted, m_image.GetWidth(), m_image.GetHeight());
}

bool CMonitorWin::ClearSurface()
{
    // Only where the trail may have drawn: the rest already holds the key colour.
    if (IsEmpty(m_rcInk)) {
        return true;
    }
    CSurfaceDC dc(m_image);
    CBrush key(m_crKey);
    if (key.GetSafeHandle() == nullptr) {
        return false;  // filling with no brush would paint the context's own brush instead
    }
    const RECT ink{m_rcInk.left, m_rcInk.top, m_rcInk.right, m_rcInk.bottom};
    if (!::FillRect(dc, &ink, key)) {
        return false;  // the old trail may still be there
    }
    m_rcInk = Rect{};
    return true;
}

bool CMonitorWin::DrawCurve()
{
    if (!m_bLine) {
        return true;
    }
    CSurfaceDC dc(m_image);
    CGdiplusGraphics graphics(dc);
    CGdiplusPen pen(OpaqueArgbFromColor(m_crLine), static_cast<Gdiplus::REAL>(m_frame.linePixels),
                    Gdiplus::UnitWorld);
    if (!graphics.IsValid() || !pen.IsValid()) {
        return false;
    }
    TrailPoints surface;
    MapTrailToSurface(m_ptDraw, m_frame.halves.vertex, m_image.GetWidth(), m_image.GetHeight(),
                      surface);
    Gdiplus::Point points[TRAIL_POINTS];
    for (int i = 0; i < TRAIL_POINTS; ++i) {
        points[i] = Gdiplus::Point(surface[i].x, surface[i].y);
    }
    // A cardinal spline through the points, newest first, at the call's default tension.
    return Gdiplus::DllExports::GdipDrawCurveI(graphics.Get(), pen.Get(), points,
                                               TRAIL_POINTS) == Gdiplus::Ok;
}

bool CMonitorWin::DrawPolyline()
{
    if (!m_bLine) {
        return true;
    }
    const LOGBRUSH brush{BS_SOLID, m_crLine, 0};
    // Declared first, so it is deleted after the context is released.
    CPen pen(kTrailPenStyle, m_frame.linePixels, &brush);
    if (pen.GetSafeHandle() == nullptr) {
        return false;  // no pen, no line; the tick goes on
    }
    CSurfaceDC surfaceDC(m_image);
    CDC dc(surfaceDC);
    CPenSelection selection(dc, pen);
    const int half = m_frame.halves.vertex;
    const Point first = GetSurfacePoint(half, m_ptDraw[0]);
    bool drawn = dc.MoveTo(first.x, first.y) != FALSE;
    for (int i = 1; i < TRAIL_POINTS; ++i) {
        const Point p = GetSurfacePoint(half, m_ptDraw[i]);
        drawn = dc.LineTo(p.x, p.y) != FALSE && drawn;
    }
    return drawn;
}

bool CMonitorWin::DrawDots()
{
    if (!m_bDots) {
        m_ptHead = m_frame.head;  // the first fitted point with the dot pen's margin
        return true;
    }
    const int half = m_frame.halves.dot;
    m_ptHead = GetSurfacePoint(half, m_ptDraw[0]);  // set even when no pen can be made

    CSurfaceDC surfaceDC(m_image);
    CDC dc(surfaceDC);
    const LOGBRUSH brush{BS_SOLID, m_crDots, 0};
    CPen pen(kTrailPenStyle, m_frame.dotPixels, &brush);
    if (pen.GetSafeHandle() == nullptr) {
        return false;
    }
    CPenSelection selection(dc, pen);
    bool drawn = true;
    for (int i = 0; i < TRAIL_POINTS; ++i) {
        // A zero-length stroke with round caps: a dot of the pen's width.
        const Point p = GetSurfacePoint(half, m_ptDraw[i]);
        drawn = dc.MoveTo(p.x, p.y) != FALSE && dc.LineTo(p.x, p.y) != FALSE && drawn;
    }
    return drawn;
}

void CMonitorWin::PlaceWindow()
{
    // The position given to this tick; the cursor is not read again.
    const Point pt = m_ptHistory[0];
    const Point origin = GetTrailWindowOrigin(pt, m_ptHead);
    const Rect target{origin.x, origin.y, origin.x + m_szWindow.x, origin.y + m_szWindow.y};
    // The colour key cuts the window's shape out of its picture. Under Wine a compositing
    // manager takes a new shape only when the window is placed again, and the repaint comes
    // after this tick's placement: so the tick after a repaint places the window once more even
    // where it stands already. Without this, a trail that vanished into the resting pointer
    // stayed on the screen for as long as the pointer rested.
    const WhenInPlace inPlace =
        m_bRepaintedSincePlaced ? WhenInPlace::PlaceAgain : WhenInPlace::Leave;
    m_bRepaintedSincePlaced = false;
    PlaceOverlay(*this, m_hWndPanel, pt, target, inPlace);
}

void CMonitorWin::OnPaint()
{
    CPaintDC dc(m_hWnd);
    if (m_image.HasBitmap()) {
        CSurfaceDC surface(m_image);
        dc.SetStretchBltMode(HALFTONE);
        // The client area has the surface's size: a one-to-one copy, of the part to repaint.
        const RECT& part = dc.m_ps.rcPaint;
        ::StretchBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top,
                     surface, part.left, part.top, part.right - part.left,
                     part.bottom - part.top, SRCCOPY);
    } else {
        RECT client;
        GetClientRect(&client);
        CBrush key(m_crKey);
        dc.FillRect(&client, key);
    }
}

HBRUSH CMonitorWin::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH base = CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
    return nCtlColor == CTLCOLOR_DLG ? static_cast<HBRUSH>(m_brBack) : base;
}

BOOL CMonitorWin::OnEraseBkgnd(CDC*)
{
    return TRUE;  // OnPaint covers the whole client area
}

BOOL CMonitorWin::DestroyWindow() { return CDialog::DestroyWindow(); }

void CMonitorWin::PostNcDestroy()
{
    CDialog::PostNcDestroy();  // a member of the panel: never deleted here
}
