#include "app/tuvo_dlg.h"

#include "app/about_dlg.h"
#include "framework/app.h"

CTuvoDlg::CTuvoDlg(CWnd* pParent)
    : CDialog(IDD, pParent),
      m_hIcon(::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME)))
{
}

CTuvoDlg::~CTuvoDlg() = default;

BEGIN_MESSAGE_MAP(CTuvoDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_NOTIFY(NM_CLICK, IDC_SYSLINK1, &CTuvoDlg::OnNMClickSyslink1)
END_MESSAGE_MAP()

BOOL CTuvoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    AddAboutItemToSystemMenu();
    // The same large image for both sizes; the system scales it down for the small one.
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    m_dlgControl.Create(CControlDlg::IDD, this);
    m_dlgControl.ShowWindow(SW_SHOW);  // the panel's template is not visible by itself
    return TRUE;
}

void CTuvoDlg::AddAboutItemToSystemMenu()
{
    HMENU systemMenu = ::GetSystemMenu(m_hWnd, FALSE);
    if (systemMenu == nullptr) {
        return;
    }
    CString aboutItem;
    aboutItem.LoadString(IDS_ABOUTBOX);
    if (aboutItem.IsEmpty()) {
        return;
    }
    ::AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, aboutItem);
}

void CTuvoDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    // The system keeps the low four bits of a command id for its own use.
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
        return;
    }
    CDialog::OnSysCommand(nID, lParam);
}

void CTuvoDlg::OnPaint()
{
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int cxIcon = ::GetSystemMetrics(SM_CXICON);
    const int cyIcon = ::GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    const int x = (rect.right - rect.left - cxIcon + 1) / 2;
    const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CTuvoDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

// The link line is the maker's credit only: a click opens nothing.
void CTuvoDlg::OnNMClickSyslink1(NMHDR*, LRESULT* pResult) { *pResult = 0; }

BOOL CTuvoDlg::DestroyWindow()
{
    // The modal loop has ended and nothing is destroyed yet. Destroying the main window would
    // first destroy the windows it owns, the trail among them, and only then tell the main
    // window; so the panel ends here, once, in its own order: the pointer highlight, the lens,
    // the panel's timer, the trail, then the panel itself.
    m_dlgControl.DestroyWindow();
    return CDialog::DestroyWindow();
}
