#include "panel/control_dlg.h"

#include <cstdio>

#include "framework/app.h"
#include "overlays/cursor_position.h"
#include "overlays/mag_win.h"
#include "overlays/opacity.h"
#include "overlays/overlay_timer.h"
#include "overlays/pointer_win.h"

IMPLEMENT_DYNAMIC(CControlDlg, CDialog)

namespace {

const COLORREF kPanelGrey = RGB(200, 200, 200);

// A heap overlay with its window made from its template, the desktop as parent, hidden; null
// when the window cannot be made (the system is out of window handles). The object then goes
// at once: it never had a window, so nothing else would delete it.
template <typename Overlay>
Overlay* NewOverlayWindow()
{
    CWnd* desktop = CWnd::FromHandle(::GetDesktopWindow());
    auto* overlay = new Overlay;
    if (!overlay->Create(Overlay::IDD, desktop)) {
        delete overlay;
        return nullptr;
    }
    overlay->ShowWindow(SW_HIDE);
    return overlay;
}

}  // namespace

CControlDlg::CControlDlg()
    : CDialog(IDD, nullptr),
      m_crBack(kPanelGrey),
      m_crPointer(kColorYellow),
      m_nPointerColor(0),
      m_nPointerAlpha(50),
      m_bPointerRing(FALSE),
      m_nPointerSize(3),
      m_bPointerSmooth(FALSE),
      m_nPointerSmooth(30),
      m_pPointerWin(nullptr),
      m_pMagWin(nullptr),
      m_nZoom(2),
      m_nLensWidthPercent(50),
      m_nLensHeightPercent(50),
      m_nRibbonStyle(2),
      m_nRibbonLineColor(0),
      m_nRibbonDotColor(3),
      m_nRibbonLineWidth(1),
      m_nRibbonDotWidth(1),
      m_nRibbonAlpha(70),
      m_bRibbonPolyline(FALSE),
      m_nMode(kModeOff)
{
    m_brBack.CreateSolidBrush(m_crBack);
    UpdatePointerColor();
}

void CControlDlg::UpdatePointerColor() { m_crPointer = PointerColorFromIndex(m_nPointerColor); }

CControlDlg::~CControlDlg() = default;

BEGIN_MESSAGE_MAP(CControlDlg, CDialog)
    ON_WM_CTLCOLOR()
    ON_NOTIFY(BCN_HOTITEMCHANGE, IDC_ROFF, &CControlDlg::OnBnHotItemChangeRoff)
    ON_BN_CLICKED(IDC_ROFF, &CControlDlg::OnBnClickedRoff)
    ON_BN_CLICKED(IDC_RPEMO, &CControlDlg::OnBnClickedRpemo)
    ON_BN_CLICKED(IDC_RDEKA, &CControlDlg::OnBnClickedRdeka)
    ON_BN_CLICKED(IDC_RRIBBON, &CControlDlg::OnBnClickedRribbon)
    ON_WM_TIMER()
    ON_BN_CLICKED(IDC_PROPERTY_COMMON, &CControlDlg::OnBnClickedProperty)
    ON_BN_CLICKED(IDC_PROPERTY_PEMO, &CControlDlg::OnBnClickedProperty)
    ON_BN_CLICKED(IDC_PROPERTY_DEKA, &CControlDlg::OnBnClickedProperty)
    ON_BN_CLICKED(IDC_PROPERTY_RIBBON, &CControlDlg::OnBnClickedProperty)
END_MESSAGE_MAP()

void CControlDlg::DoDataExchange(CDataExchange* pDX) { DDX_Radio(pDX, IDC_ROFF, m_nMode); }

BOOL CControlDlg::OnInitDialog()
{
    CDialog::OnInitDialog();  // selects "OFF"
    CreateMagWin();           // hidden and inactive, its own timer running
    CreateRibbonWin();        // hidden and switched off until "Ribbon" is chosen
    SetTimer(IDT_FOLLOW, kFollowPeriodMs, nullptr);
    return TRUE;
}

BOOL CControlDlg::DestroyWindow()
{
    DestroyPointerWin();
    DestroyMagWin();
    KillTimer(IDT_FOLLOW);
    m_wndRibbon.DestroyWindow();
    return CWnd::DestroyWindow();
}

HBRUSH CControlDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH base = CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
    switch (nCtlColor) {
    case CTLCOLOR_BTN:
    case CTLCOLOR_DLG:
        return m_brBack;
    case CTLCOLOR_STATIC: {
        pDC->SetBkMode(TRANSPARENT);
        const int id = pWnd != nullptr ? ::GetDlgCtrlID(pWnd->m_hWnd) : 0;
        if (id == IDC_GROUP_ACTION || id == IDC_GROUP_PROPERTY) {
            pDC->SetTextColor(RGB(0, 0, 0));
        }
        return m_brBack;
    }
    default:
        return base;
    }
}

void CControlDlg::ApplySelectedMode(const char* traceLine)
{
    UpdateData(TRUE);
    ChangeMode();
    std::printf("%s", traceLine);
}

void CControlDlg::OnBnHotItemChangeRoff(NMHDR*, LRESULT* pResult)
{
    ApplySelectedMode("CControlDlg::OnBnHotItemChangeRoff()\n");
    *pResult = 0;
}

void CControlDlg::OnBnClickedRoff() { ApplySelectedMode("CControlDlg::OnBnClickedRoff()\n"); }
void CControlDlg::OnBnClickedRpemo() { ApplySelectedMode("CControlDlg::OnBnClickedRpemo()\n"); }
void CControlDlg::OnBnClickedRdeka() { ApplySelectedMode("CControlDlg::OnBnClickedRdeka()\n"); }
void CControlDlg::OnBnClickedRribbon()
{
    ApplySelectedMode("CControlDlg::OnBnClickedRribbon()\n");
}

void CControlDlg::ChangeMode() { ApplyModeToOverlays(m_nMode, *this); }

void CControlDlg::ApplyPointerShare(bool own)
{
    if (own) {
        CreatePointerWin();
    } else {
        DestroyPointerWin();
    }
}

void CControlDlg::CreatePointerWin()
{
    if (m_pPointerWin != nullptr) {
        return;  // "Pemo" again keeps the highlight it has
    }
    // Without a window "Pemo" shows nothing; choosing it again tries again.
    m_pPointerWin = NewOverlayWindow<CPointerWin>();
    if (m_pPointerWin == nullptr) {
        return;
    }
    m_pPointerWin->m_hWndPanel = m_hWnd;
    m_pPointerWin->m_crColor = m_crPointer;
    m_pPointerWin->m_byAlpha = static_cast<BYTE>(AlphaFromPercent(m_nPointerAlpha) & 0xFF);
    m_pPointerWin->m_bRing = m_bPointerRing;
    m_pPointerWin->m_nSize = m_nPointerSize;
    m_pPointerWin->m_bSmooth = m_bPointerSmooth;
    m_pPointerWin->m_follow.m_nPercent = m_nPointerSmooth;
    m_pPointerWin->InitOverlay();
}

void CControlDlg::DestroyPointerWin()
{
    if (m_pPointerWin == nullptr) {
        return;
    }
    m_pPointerWin->ShowWindow(SW_HIDE);
    m_pPointerWin->DestroyWindow();  // the object deletes itself once its window is gone
    m_pPointerWin = nullptr;
}
void CControlDlg::ApplyLensShare(bool own)
{
    if (own) {
        EnableMagWin();
    } else if (m_pMagWin != nullptr) {
        m_pMagWin->m_bActive = FALSE;  // it hides at its next tick
    }
}

LensSize CControlDlg::GetLensSize() const
{
    CWnd* desktop = CWnd::FromHandle(::GetDesktopWindow());
    if (desktop == nullptr) {
        return LensSize{0, 0};
    }
    RECT rect;
    desktop->GetWindowRect(&rect);
    return LensSizeForDesktop(rect.right - rect.left, rect.bottom - rect.top,
                              m_nLensWidthPercent, m_nLensHeightPercent);
}

void CControlDlg::CreateMagWin()
{
    if (m_pMagWin != nullptr) {
        return;
    }
    // Without a window "Deka" shows nothing; choosing it again tries again.
    m_pMagWin = NewOverlayWindow<CMagWin>();
    if (m_pMagWin == nullptr) {
        return;
    }
    m_pMagWin->m_hWndPanel = m_hWnd;
    m_pMagWin->InitOverlay();
    ApplyLensSettings();
}

// Zoom and size are applied afresh on every selection: the screen may have changed size. A lens
// whose window could not be made at the panel's start is made now.
void CControlDlg::EnableMagWin()
{
    CreateMagWin();
    if (m_pMagWin == nullptr) {
        return;
    }
    ApplyLensSettings();
    m_pMagWin->m_bActive = TRUE;
}

void CControlDlg::ApplyLensSettings()
{
    m_pMagWin->SetZoom(m_nZoom);
    const LensSize size = GetLensSize();
    m_pMagWin->m_nLensWidth = size.width;
    m_pMagWin->m_nLensHeight = size.height;
}

void CControlDlg::DestroyMagWin()
{
    if (m_pMagWin == nullptr) {
        return;
    }
    m_pMagWin->ShowWindow(SW_HIDE);
    m_pMagWin->DestroyWindow();  // releases the magnifier; the object deletes itself
    m_pMagWin = nullptr;
}

// The trail window, made at the panel's start. Without a window (the system is out of window
// handles) "Ribbon" shows nothing; choosing it tries again.
void CControlDlg::CreateRibbonWin()
{
    if (m_wndRibbon.m_hWnd != nullptr || !m_wndRibbon.Create(CMonitorWin::IDD, this)) {
        return;
    }
    m_wndRibbon.m_hWndPanel = m_hWnd;
    m_wndRibbon.InitOverlay();
    m_wndRibbon.m_bActive = 0;
    ApplyRibbonSettings();
}

void CControlDlg::ApplyRibbonShare(bool own)
{
    if (own) {
        CreateRibbonWin();
    }
    m_wndRibbon.m_bActive = own ? 1 : 0;
}

void CControlDlg::ApplyRibbonSettings()
{
    const RibbonStyleFlags flags =
        RibbonStyleOr(m_nRibbonStyle, RibbonStyleFlags{m_wndRibbon.m_bLine, m_wndRibbon.m_bDots});
    m_wndRibbon.m_bLine = flags.line;
    m_wndRibbon.m_bDots = flags.dots;
    m_wndRibbon.m_crLine = RibbonColorOr(m_nRibbonLineColor, m_wndRibbon.m_crLine);
    m_wndRibbon.m_crDots = RibbonColorOr(m_nRibbonDotColor, m_wndRibbon.m_crDots);
    m_wndRibbon.m_nLineWidth = RibbonWidthOr(m_nRibbonLineWidth, m_wndRibbon.m_nLineWidth);
    m_wndRibbon.m_nDotWidth = RibbonWidthOr(m_nRibbonDotWidth, m_wndRibbon.m_nDotWidth);
    m_wndRibbon.m_nAlphaPercent = m_nRibbonAlpha;
    // Replaces the opacity the window set itself up with.
    ::SetLayeredWindowAttributes(m_wndRibbon.m_hWnd, m_wndRibbon.m_crKey,
                                 static_cast<BYTE>(AlphaFromPercent(m_nRibbonAlpha) & 0xFF),
                                 LWA_COLORKEY | LWA_ALPHA);
    m_wndRibbon.m_bPolyline = m_bRibbonPolyline;
}

void CControlDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == IDT_FOLLOW) {
        // The trail records the cursor on every tick, in every mode. When it cannot be read, the
        // last position recorded stands, as if the pointer rested there.
        Point cursor = m_wndRibbon.m_ptHistory[0];
        ReadCursorPosition(cursor);
        m_wndRibbon.UpdateTrail(cursor);
    }
    Default();
}

void CControlDlg::OnBnClickedProperty() { AfxMessageBox(L"まだ未実装です。", MB_OK, 0); }
