#include "panel/control_dlg.h"

#include <cstdio>

#include "framework/app.h"
#include "overlays/overlay_timer.h"

IMPLEMENT_DYNAMIC(CControlDlg, CDialog)

namespace {
const COLORREF kPanelGrey = RGB(200, 200, 200);
}  // namespace

CControlDlg::CControlDlg() : CDialog(IDD, nullptr), m_crBack(kPanelGrey), m_nMode(kModeOff)
{
    m_brBack.CreateSolidBrush(m_crBack);
}

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
    SetTimer(IDT_FOLLOW, kFollowPeriodMs, nullptr);
    return TRUE;
}

BOOL CControlDlg::DestroyWindow()
{
    KillTimer(IDT_FOLLOW);
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

void CControlDlg::ApplyPointerShare(bool) {}
void CControlDlg::ApplyLensShare(bool) {}
void CControlDlg::ApplyRibbonShare(bool) {}

void CControlDlg::OnTimer(UINT_PTR nIDEvent)
{
    Default();
    (void)nIDEvent;
}

void CControlDlg::OnBnClickedProperty() { AfxMessageBox(L"まだ未実装です。", MB_OK, 0); }
