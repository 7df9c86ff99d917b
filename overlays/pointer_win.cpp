#include "overlays/pointer_win.h"

#include "framework/dynamic_library.h"
#include "overlays/cursor_position.h"
#include "overlays/overlay_timer.h"
#include "overlays/overlay_titles.h"
#include "overlays/overlay_window.h"
#include "overlays/placement.h"
#include "overlays/pointer_shape.h"

IMPLEMENT_DYNAMIC(CPointerWin, CDialog)

namespace {
const COLORREF kUnusedColorKey = RGB(255, 255, 255);  // alpha only: the key is not in effect
const DWORD kFlip3DPolicyAttribute = 8;               // DWMWA_FLIP3D_POLICY
const DWORD kFlip3DExcludeAbove = 2;                  // DWMFLIP3D_EXCLUDEABOVE
}  // namespace

CPointerWin::CPointerWin()
    : CDialog(IDD, nullptr),
      m_crColor(RGB(255, 255, 255)),
      m_byAlpha(100),
      m_bRing(FALSE),
      m_nSize(3),
      m_ptCursor{-1, -1},
      m_hWndPanel(nullptr),
      m_bSmooth(FALSE)
{
}

CPointerWin::~CPointerWin() = default;

BEGIN_MESSAGE_MAP(CPointerWin, CDialog)
    ON_WM_TIMER()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

BOOL CPointerWin::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(kPointerHighlightTitle);
    return FALSE;  // an overlay takes no focus: the dialog manager would activate it
}

void CPointerWin::InitOverlay()
{
    ModifyStyleEx(0, kOverlayExStyle);
    ::SetLayeredWindowAttributes(m_hWnd, kUnusedColorKey, m_byAlpha, LWA_ALPHA);
    m_brBack.CreateSolidBrush(m_crColor);

    const int d = PointerDiameter(m_nSize);
    SizeOverlayAtOrigin(*this, d, d);

    if (m_bRing) {
        SetRingRegion();
    } else {
        RECT rect;
        GetWindowRect(&rect);
        CRgn disc;
        disc.CreateEllipticRgn(0, 0, rect.right - rect.left, rect.bottom - rect.top);
        // The window owns its region from here on.
        if (::SetWindowRgn(m_hWnd, disc, TRUE)) {
            disc.Detach();
        }
    }

    SetTimer(IDT_FOLLOW, kFollowPeriodMs, nullptr);
    SetFlip3DPolicy(m_hWnd);
    FollowCursor();
}

void CPointerWin::SetRingRegion()
{
    RECT rect;
    GetWindowRect(&rect);
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    const int k = PointerRingInset(m_nSize);
    CRgn outer;
    outer.CreateEllipticRgn(0, 0, w, h);
    CRgn inner;
    inner.CreateEllipticRgn(k, k, w - k, h - k);
    outer.CombineRgn(&outer, &inner, RGN_XOR);
    if (::SetWindowRgn(m_hWnd, outer, TRUE)) {
        outer.Detach();
    }
}

void CPointerWin::FollowCursor()
{
    // A tick that cannot read the pointer changes nothing: the highlight stays where it is (a
    // new one stays hidden) and the smoother records no position it was not given.
    if (!ReadCursorPosition(m_ptCursor)) {
        return;
    }
    RECT rect;
    GetWindowRect(&rect);
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    // Every tick, shown or hidden, so the smoother always holds the last position.
    const Point offset = m_follow.Update(m_ptCursor.x, m_ptCursor.y);
    Point origin = TopLeftCentredOn(m_ptCursor, w, h);
    if (m_bSmooth) {
        origin.x += offset.x;
        origin.y += offset.y;
    }
    PlaceOverlay(*this, m_hWndPanel, m_ptCursor, Rect{origin.x, origin.y, origin.x + w, origin.y + h});
}

void CPointerWin::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == IDT_FOLLOW) {
        FollowCursor();
    }
    Default();
}

HBRUSH CPointerWin::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH base = CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
    return nCtlColor == CTLCOLOR_DLG ? static_cast<HBRUSH>(m_brBack) : base;
}

BOOL CPointerWin::DestroyWindow()
{
    KillTimer(IDT_FOLLOW);
    return CDialog::DestroyWindow();
}

void CPointerWin::PostNcDestroy()
{
    CDialog::PostNcDestroy();
    delete this;
}

HRESULT SetFlip3DPolicy(HWND hWnd)
{
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    ::GetVersionExW(&version);
    if (version.dwMajorVersion < 6) {
        return 0;
    }
    using SetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    static const CDynamicLibrary dwm(L"dwmapi.dll");
    static const auto setWindowAttribute = dwm.Bind<SetWindowAttributeFn>("DwmSetWindowAttribute");
    if (setWindowAttribute == nullptr) {
        return E_NOTIMPL;
    }
    const DWORD policy = kFlip3DExcludeAbove;
    return setWindowAttribute(hWnd, kFlip3DPolicyAttribute, &policy, sizeof policy);
}
