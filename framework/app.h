#pragma once
// The application object and the program's entry: the framework calls InitInstance once; a
// nonzero result enters a message loop (which ends at once when there is no main window), zero
// skips it. The process exits with code 0 either way.
#include <string>

#include "framework/cmd_target.h"

class CWnd;

// The framework's standard Help command.
#ifndef ID_HELP
#define ID_HELP 0xE146
#endif

class CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)

public:
    CWinApp();
    ~CWinApp() override;

    CWnd* m_pMainWnd = nullptr;
    // The application's name (the executable's file name without its extension): the caption
    // of the framework's message boxes.
    LPCWSTR m_pszAppName = L"";
    // The registry key recorded by SetRegistryKey; nothing is read from or written to it.
    LPCWSTR m_pszRegistryKey = nullptr;

    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();

    // The framework's application message box: owned by the main window, with the application's
    // name as caption and the exclamation icon added to a plain OK or OK/Cancel box.
    virtual int DoMessageBox(LPCWSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    // Called once by the entry point, before InitInstance.
    void InitApplication(HINSTANCE hInstance);

protected:
    void SetRegistryKey(LPCWSTR lpszRegistryKey);
    // Help command handler: the program ships no help file, so there is nothing to open.
    void OnHelp();

    DECLARE_MESSAGE_MAP()

private:
    std::wstring m_strAppName;
    std::wstring m_strRegistryKey;
};

// Adds the visual-manager and state features of the extended application; none of them are used
// here beyond the flag given to the constructor.
class CWinAppEx : public CWinApp {
    DECLARE_DYNAMIC(CWinAppEx)

public:
    explicit CWinAppEx(BOOL bResourceSmartUpdate = FALSE)
        : m_bResourceSmartUpdate(bResourceSmartUpdate)
    {
    }

    BOOL m_bResourceSmartUpdate;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
int AfxMessageBox(LPCWSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);

// The full path of the running executable, whatever its length.
std::wstring AfxGetModuleFilePath();

// The entry point's work: InitApplication, InitInstance, then Run or ExitInstance.
int AfxWinMain(HINSTANCE hInstance);
