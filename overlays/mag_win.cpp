#include "overlays/mag_win.h"

#include "framework/app.h"
#include "overlays/cursor_position.h"
#include "overlays/lens_geometry.h"
#include "overlays/magnification_api.h"
#include "overlays/overlay_timer.h"
#include "overlays/overlay_window.h"

IMPLEMENT_DYNAMIC(CMagWin, CDialog)

namespace {
const COLORREF kTransparentBlack = RGB(0, 0, 0);  // pure black shows the desktop beneath
}  // namespace

CMagWin::CMagWin()
    : CDialog(IDD, nullptr),
      m_hWndPanel(nullptr),
      m_bActive(FALSE),
      m_fZoom(2.0f),
      m_nLensWidth(400),
      m_nLensHeight(200),
      m_hWndMag(nullptr),
      m_bMagnifierStarted(FALSE)
{
}

CMagWin::~CMagWin() = default;

BEGIN_MESSAGE_MAP(CMagWin, CDialog)
    ON_WM_TIMER()
    ON_WM_CTLCOLOR()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CMagWin::OnInitDialog()
{
    CDialog::OnInitDialog();
    return FALSE;  // an overlay takes no focus: the dialog manager would activate it
}

void CMagWin::InitOverlay()
{
    ModifyStyleEx(0, kOverlayExStyle);
    ::SetLayeredWindowAttributes(m_hWnd, kTransparentBlack, 255, LWA_COLORKEY | LWA_ALPHA);
    SizeOverlayAtOrigin(*this, m_nLensWidth, m_nLensHeight);
    m_bMagnifierStarted = MagnificationApi::Initialize();
    RECT client;
    GetClientRect(&client);
    m_hWndMag = ::CreateWindowExW(0, kMagnifierClass, L"MagnifierWindow",
                                  WS_CHILD | WS_VISIBLE | kMagnifierClipAroundCursor, client.left,
                                  client.top, client.right, client.bottom, m_hWnd, nullptr,
                                  AfxGetInstanceHandle(), nullptr);
    FollowCursor();
    SetTimer(IDT_FOLLOW, kFollowPeriodMs, nullptr);
}

BOOL CMagWin::SetZoom(int nZoom)
{
    m_fZoom = LensZoomFactor(nZoom);
    MAGTRANSFORM transform{};
    transform.v[0][0] = m_fZoom;
    transform.v[1][1] = m_fZoom;
    transform.v[2][2] = 1.0f;
    return MagnificationApi::SetWindowTransform(m_hWndMag, &transform);
}

void CMagWin::SetSourceRect(RECT rcLens)
{
    const Rect source =
        LensSourceRect(Rect{rcLens.left, rcLens.top, rcLens.right, rcLens.bottom}, m_fZoom);
    MagnificationApi::SetWindowSource(m_hWndMag,
                                      RECT{source.left, source.top, source.right, source.bottom});
    // The repaint shows the new picture. Without a magnifier control (no Magnification API on
    // the system) the lens has no picture and paints nothing, so a repaint of the whole lens on
    // every tick would change nothing on the screen; under Wine it cost about a third of the
    // lens's tick.
    if (m_hWndMag != nullptr) {
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    }
}

void CMagWin::FollowCursor()
{
    if (!m_bActive) {
        HideOverlay(*this);
        return;
    }
    // An active lens whose tick cannot read the pointer stays as it is, where it was last
    // placed (or hidden, if it has not been placed yet).
    Point p;
    if (!ReadCursorPosition(p)) {
        return;
    }
    const int w = m_nLensWidth;
    const int h = m_nLensHeight;
    const Rect lens = LensWindowRect(p, w, h);
    // Over the panel the source is left as it was.
    if (HideOverPanel(*this, m_hWndPanel, p)) {
        return;
    }
    // The source first, then the move, then the control fills the lens at its current size.
    SetSourceRect(RECT{lens.left, lens.top, lens.right, lens.bottom});
    ShowOverlayAt(*this, lens);
    if (::IsWindow(m_hWndMag) && !ControlFillsLens(w, h)) {
        ::MoveWindow(m_hWndMag, 0, 0, w, h, TRUE);
    }
}

bool CMagWin::ControlFillsLens(int w, int h) const
{
    RECT control{};
    ::GetWindowRect(m_hWndMag, &control);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&control), 2);
    return control.left == 0 && control.top == 0 && control.right == w && control.bottom == h;
}

void CMagWin::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == IDT_FOLLOW) {
        FollowCursor();
    }
    Default();
}

HBRUSH CMagWin::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
    // The magnifier control covers the whole lens: nothing of the lens's own is painted.
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

BOOL CMagWin::OnEraseBkgnd(CDC*) { return TRUE; }

BOOL CMagWin::DestroyWindow()
{
    ::DestroyWindow(m_hWndMag);
    m_hWndMag = nullptr;
    if (m_bMagnifierStarted) {
        MagnificationApi::Uninitialize();
        m_bMagnifierStarted = FALSE;
    }
    KillTimer(IDT_FOLLOW);
    return CDialog::DestroyWindow();
}

void CMagWin::PostNcDestroy()
{
    CDialog::PostNcDestroy();
    delete this;
}
