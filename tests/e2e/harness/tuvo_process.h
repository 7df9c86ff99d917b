#pragma once
// A running Tuvo.exe, started the way a user or a script would start it, and the handles a test
// needs to drive it: its main window, its panel and the panel's controls.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "framework/handle.h"
#include "harness/fault_hook_host.h"

struct TuvoStart {
    std::wstring arguments;        // appended after the quoted program path
    std::wstring programPath;      // empty: Tuvo.exe beside the test program
    std::wstring commandLine;      // when set, used as the whole command line instead
    std::wstring workingDirectory; // empty: the test's own
    bool captureStdout = false;    // hand the program a pipe as its standard output
    bool waitForMainWindow = true;
    // When set, the fault hook library goes into the program before it runs, and this prepares
    // the faults the program meets from its first step (harness/fault_hook_block.h).
    std::function<void(FaultHookBlock&)> faults;
};

class TuvoProcess {
public:
    explicit TuvoProcess(const TuvoStart& start = {});
    ~TuvoProcess();  // closes the main window if it is still there and waits for the end
    TuvoProcess(const TuvoProcess&) = delete;
    TuvoProcess& operator=(const TuvoProcess&) = delete;

    bool Started() const { return static_cast<bool>(m_process); }
    DWORD Pid() const { return m_pid; }
    HANDLE ProcessHandle() const { return m_process.Get(); }
    HWND MainWindow() const { return m_mainWindow; }
    HWND Panel() const { return m_panel; }
    HWND Control(int id) const { return ::GetDlgItem(m_panel, id); }

    // Clicks a panel button and returns once its handler has run.
    void Click(int id) const;
    // Clicks without waiting, for buttons whose handler opens a modal box.
    void PostClick(int id) const;
    // Has the panel receive the hot-item notification a version 6 button sends as the pointer
    // enters (HICF_ENTERING) or leaves (HICF_LEAVING) it; returns once it has been handled.
    void SendHotItemChange(int id, DWORD flags = HICF_ENTERING) const;
    // Stops the panel's 50 ms timer: from then on the trail moves only on the ticks a test sends
    // (WM_TIMER 101 to the panel), each one exactly as the timer would run it. False if the
    // timer could not be stopped.
    bool StopPanelTimer() const;

    bool IsRunning() const;
    // Waits for the process to end; false if it is still running after timeoutMs.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr) const;
    // Asks the main window to close and waits for the process to end.
    bool Close(DWORD timeoutMs = 15000, DWORD* exitCode = nullptr);

    // Everything the program wrote to the captured standard output; call after it ended.
    std::string CapturedStdout();

    // The panel's and its controls' live GDI object count, as the program keeps it.
    long LiveGdiObjects() const;

    // The block shared with the fault hook library; null unless the start asked for faults
    // and the library was put into the program.
    FaultHookBlock* Faults() const;

    static std::wstring DefaultProgramPath();

private:
    // Sends a message to the panel through the hook library in the program's thread.
    LRESULT SendThroughHook(UINT message, WPARAM wParam, LPARAM lParam) const;

    CHandle m_process;
    CHandle m_thread;
    DWORD m_pid = 0;
    HWND m_mainWindow = nullptr;
    HWND m_panel = nullptr;
    CHandle m_stdoutRead;
    std::thread m_reader;
    std::string m_stdout;
    std::unique_ptr<FaultHookHost> m_faultHook;  // outlives the program's run
};
