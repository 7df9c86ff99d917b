#include "app/about_dlg.h"

#include "app/version_resource_reader.h"
#include "app/version_text.h"

CAboutDlg::CAboutDlg() : CDialog(IDD, nullptr) {}

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
END_MESSAGE_MAP()

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_STATIC_VERSION, m_strVersion);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_strVersion = FormatAboutVersionLine(GetVersionString()).c_str();
    UpdateData(FALSE);
    return TRUE;
}
