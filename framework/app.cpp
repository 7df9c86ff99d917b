#include "framework/app.h"

#include "framework/wnd.h"

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinAppEx, CWinApp)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

namespace {
CWinApp* g_pApp = nullptr;
HINSTANCE g_hInstance = nullptr;
}  // namespace

CWinApp::CWinApp() { g_pApp = this; }

CWinApp::~CWinApp()
{
    if (g_pApp == this) {
        g_pApp = nullptr;
    }
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run()
{
    // Without a main window there is nothing to run: the loop ends at its first message.
    if (m_pMainWnd == nullptr) {
        ::PostQuitMessage(0);
    }
    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return ExitInstance();
}

int CWinApp::ExitInstance() { return 0; }

int CWinApp::DoMessageBox(LPCWSTR lpszPrompt, UINT nType, UINT)
{
    const UINT buttons = nType & MB_TYPEMASK;
    if ((nType & MB_ICONMASK) == 0 && (buttons == MB_OK || buttons == MB_OKCANCEL)) {
        nType |= MB_ICONEXCLAMATION;
    }
    HWND owner = nullptr;
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr) {
        owner = ::GetLastActivePopup(m_pMainWnd->m_hWnd);
    }
    return ::MessageBoxW(owner, lpszPrompt, m_pszAppName, nType);
}

void CWinApp::InitApplication(HINSTANCE hInstance)
{
    g_hInstance = hInstance;
    const std::wstring path = AfxGetModuleFilePath();
    const size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) {
        name.erase(dot);
    }
    m_strAppName = name;
    m_pszAppName = m_strAppName.c_str();
}

void CWinApp::SetRegistryKey(LPCWSTR lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey != nullptr ? lpszRegistryKey : L"";
    m_pszRegistryKey = m_strRegistryKey.c_str();
}

void CWinApp::OnHelp() {}

CWinApp* AfxGetApp() { return g_pApp; }

CWnd* AfxGetMainWnd() { return g_pApp != nullptr ? g_pApp->m_pMainWnd : nullptr; }

HINSTANCE AfxGetInstanceHandle()
{
    return g_hInstance != nullptr ? g_hInstance : ::GetModuleHandleW(nullptr);
}

HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }

int AfxMessageBox(LPCWSTR lpszText, UINT nType, UINT nIDHelp)
{
    return AfxGetApp()->DoMessageBox(lpszText, nType, nIDHelp);
}

std::wstring AfxGetModuleFilePath()
{
    // The longest path the system hands out is 32767 characters; grow until the whole one fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD copied = ::GetModuleFileNameW(nullptr, &path[0],
                                                  static_cast<DWORD>(path.size()));
        if (copied == 0) {
            return std::wstring();
        }
        if (copied < path.size()) {
            path.resize(copied);
            return path;
        }
        if (path.size() >= 32768) {
            return std::wstring();
        }
        path.resize(path.size() * 2);
    }
}

int AfxWinMain(HINSTANCE hInstance)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return 0;
    }
    app->InitApplication(hInstance);
    if (!app->InitInstance()) {
        return app->ExitInstance();
    }
    return app->Run();
}
