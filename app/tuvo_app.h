#pragma once
// The application object: the whole run, from the single-instance guard to the shutdown.
#include "framework/app.h"

// Set to 1 when their switch is on the command line; never cleared.
extern int g_bDebugMode;
extern int g_bReadWriteMode;
extern int g_bNoExtentFrame;

class CTuvoApp : public CWinAppEx {
public:
    CTuvoApp();

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};

extern CTuvoApp theApp;

// In debug mode: a system shutdown closes the main window; every console event is swallowed so
// Ctrl+C in the trace console does not end the program.
BOOL WINAPI ConsoleCtrlHandler(DWORD dwCtrlType);
