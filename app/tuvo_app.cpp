#include "app/tuvo_app.h"

#include <gdiplus.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/tuvo_dlg.h"
#include "framework/handle.h"

int g_bDebugMode = 0;
int g_bReadWriteMode = 0;
int g_bNoExtentFrame = 0;

CTuvoApp theApp;

namespace {

// Held until the process ends, so the guard lasts through the whole run, the final pause included.
CHandle g_singleInstanceMutex;

// The argument vector as the shell splits the command line.
std::vector<std::wstring> CommandLineArguments()
{
    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::wstring> args;
    if (argv == nullptr) {
        return args;
    }
    args.assign(argv, argv + count);
    ::LocalFree(argv);
    return args;
}

void PrintLines(const std::vector<const char*>& lines)
{
    for (const char* line : lines) {
        std::printf("%s", line);
    }
}

// Trace output goes to a console of its own in debug mode and to the null device otherwise.
void RouteTraceOutput(bool debugMode)
{
    FILE* stream = nullptr;
    if (debugMode) {
        ::AllocConsole();
        freopen_s(&stream, "CONOUT$", "w", stdout);
        freopen_s(&stream, "CONIN$", "r", stdin);
        ::SetConsoleCtrlHandler(&ConsoleCtrlHandler, TRUE);
        // Each trace line shows as it is written.
        std::setvbuf(stdout, nullptr, _IONBF, 0);
    } else {
        freopen_s(&stream, "/dev/nul", "w", stdout);
        freopen_s(&stream, "/dev/nul", "r", stdin);
    }
}

}  // namespace

BEGIN_MESSAGE_MAP(CTuvoApp, CWinAppEx)
    ON_COMMAND(ID_HELP, &CTuvoApp::OnHelp)
END_MESSAGE_MAP()

CTuvoApp::CTuvoApp() : CWinAppEx(TRUE) {}

BOOL WINAPI ConsoleCtrlHandler(DWORD dwCtrlType)
{
    if (dwCtrlType == CTRL_SHUTDOWN_EVENT) {
        if (CWnd* main = theApp.m_pMainWnd) {
            ::SendMessageW(main->m_hWnd, WM_CLOSE, 0, 0);
        }
    }
    return TRUE;
}

BOOL CTuvoApp::InitInstance()
{
    g_singleInstanceMutex.Attach(::CreateMutexW(nullptr, TRUE, L"__TUVO_QUILLBARROW__"));
    if (!g_singleInstanceMutex) {
        return -1;
    }
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        ::MessageBoxW(nullptr, L"     Tuvoは既に起動されています.     ", L"２重起動", MB_OK);
        return -1;
    }

    INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);

    CWinAppEx::InitInstance();
    SetRegistryKey(L"アプリケーション ウィザードで生成されたローカル アプリケーション");

    const std::vector<std::wstring> args = CommandLineArguments();
    const std::wstring programPath = args.empty() ? std::wstring() : args.front();

    SwitchFlags flags;
    // These lines reach only the standard output the program inherited.
    PrintLines(ReadSwitches(args, flags));
    g_bDebugMode = flags.debugMode;
    g_bReadWriteMode = flags.readWriteMode;
    g_bNoExtentFrame = flags.noExtentFrame;

    RouteTraceOutput(g_bDebugMode != 0);
    PrintLines(StartupSummaryLines(flags));
    std::printf("PORTABLE VERSION START\n");

    const std::wstring folder = FolderOfProgramPath(programPath);
    ::SetCurrentDirectoryW(folder.c_str());
    std::wprintf(L"CurrentDir=%ls\n", folder.c_str());

    Gdiplus::GdiplusStartupInput gdiplusInput;
    gdiplusInput.GdiplusVersion = 1;
    gdiplusInput.DebugEventCallback = nullptr;
    gdiplusInput.SuppressBackgroundThread = FALSE;
    gdiplusInput.SuppressExternalCodecs = FALSE;
    ULONG_PTR gdiplusToken = 0;
    Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);

    CTuvoDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();

    Gdiplus::GdiplusShutdown(gdiplusToken);
    if (g_bDebugMode) {
        ::FreeConsole();
        ::Sleep(500);
    }
    return 0;
}
