#include "harness/tuvo_process.h"

#include <commctrl.h>

#include <vector>

#include "framework/gdi_census.h"
#include "harness/hot_item_trigger.h"
#include "harness/windows.h"

namespace {

std::wstring FolderOfThisProgram()
{
    wchar_t path[MAX_PATH * 4] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    std::wstring text = path;
    return text.substr(0, text.rfind(L'\\'));
}

HWND FindMainWindow(DWORD pid)
{
    HWND found = nullptr;
    WaitUntil([&] {
        found = FindTopLevelWindow(pid, L"Tuvo", L"#32770");
        return found != nullptr && ::IsWindowVisible(found) &&
               ::FindWindowExW(found, nullptr, L"#32770", nullptr) != nullptr;
    });
    return found;
}

}  // namespace

std::wstring TuvoProcess::DefaultProgramPath() { return FolderOfThisProgram() + L"\\Tuvo.exe"; }

TuvoProcess::TuvoProcess(const TuvoStart& start)
{
    const std::wstring program =
        start.programPath.empty() ? DefaultProgramPath() : start.programPath;
    std::wstring commandLine = start.commandLine;
    if (commandLine.empty()) {
        commandLine = L"\"" + program + L"\"";
        if (!start.arguments.empty()) {
            commandLine += L" " + start.arguments;
        }
    }

    STARTUPINFOW si{};
    si.cb = sizeof si;
    CHandle stdoutWrite;
    if (start.captureStdout) {
        SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
        HANDLE readEnd = nullptr;
        HANDLE writeEnd = nullptr;
        ::CreatePipe(&readEnd, &writeEnd, &sa, 0);
        ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
        m_stdoutRead.Attach(readEnd);
        stdoutWrite.Attach(writeEnd);
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = writeEnd;
        si.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
        si.hStdInput = nullptr;
    }

    std::vector<wchar_t> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back(L'\0');
    PROCESS_INFORMATION pi{};
    const DWORD flags = start.faults ? CREATE_SUSPENDED : 0;
    const BOOL created = ::CreateProcessW(
        program.c_str(), mutableLine.data(), nullptr, nullptr, start.captureStdout, flags,
        nullptr, start.workingDirectory.empty() ? nullptr : start.workingDirectory.c_str(), &si,
        &pi);
    stdoutWrite.Close();  // the child holds its own copy; EOF comes when it ends
    if (!created) {
        return;
    }
    m_process.Attach(pi.hProcess);
    m_thread.Attach(pi.hThread);
    m_pid = pi.dwProcessId;
    if (start.faults) {
        m_faultHook = std::make_unique<FaultHookHost>(pi.dwProcessId, pi.dwThreadId);
        if (FaultHookBlock* block = m_faultHook->Block()) {
            start.faults(*block);
        }
        ::ResumeThread(pi.hThread);
    }

    if (start.captureStdout) {
        m_reader = std::thread([this] {
            char buffer[4096];
            DWORD got = 0;
            while (::ReadFile(m_stdoutRead.Get(), buffer, sizeof buffer, &got, nullptr) &&
                   got > 0) {
                m_stdout.append(buffer, got);
            }
        });
    }
    if (start.waitForMainWindow) {
        m_mainWindow = FindMainWindow(m_pid);
        m_panel = m_mainWindow != nullptr
                      ? ::FindWindowExW(m_mainWindow, nullptr, L"#32770", nullptr)
                      : nullptr;
    }
}

FaultHookBlock* TuvoProcess::Faults() const
{
    FaultHookBlock* block = m_faultHook != nullptr ? m_faultHook->Block() : nullptr;
    return block != nullptr && block->installed ? block : nullptr;
}

TuvoProcess::~TuvoProcess()
{
    if (IsRunning()) {
        Close();
    }
    if (IsRunning()) {
        ::TerminateProcess(m_process.Get(), 1);
        WaitForExit(5000);
    }
    if (m_reader.joinable()) {
        m_reader.join();
    }
}

void TuvoProcess::Click(int id) const { ::SendMessageW(Control(id), BM_CLICK, 0, 0); }

void TuvoProcess::PostClick(int id) const { ::PostMessageW(Control(id), BM_CLICK, 0, 0); }

void TuvoProcess::SendHotItemChange(int id, DWORD flags) const
{
    SendThroughHook(HotItemTriggerMessage(), static_cast<WPARAM>(id), flags);
}

bool TuvoProcess::StopPanelTimer() const
{
    return SendThroughHook(StopPanelTimerMessage(), 0, 0) != 0;
}

LRESULT TuvoProcess::SendThroughHook(UINT message, WPARAM wParam, LPARAM lParam) const
{
    static HMODULE hookLibrary = ::LoadLibraryW(L"tuvo_hot_item_hook.dll");
    if (hookLibrary == nullptr) {
        return 0;
    }
    auto hookProc = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(::GetProcAddress(hookLibrary, "HotItemHook")));
    const DWORD thread = ::GetWindowThreadProcessId(m_panel, nullptr);
    HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROC, hookProc, hookLibrary, thread);
    const LRESULT result = ::SendMessageW(m_panel, message, wParam, lParam);
    ::UnhookWindowsHookEx(hook);
    return result;
}

bool TuvoProcess::IsRunning() const
{
    return m_process && ::WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT;
}

bool TuvoProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode) const
{
    if (!m_process || ::WaitForSingleObject(m_process.Get(), timeoutMs) != WAIT_OBJECT_0) {
        return false;
    }
    if (exitCode != nullptr) {
        ::GetExitCodeProcess(m_process.Get(), exitCode);
    }
    return true;
}

bool TuvoProcess::Close(DWORD timeoutMs, DWORD* exitCode)
{
    if (m_mainWindow != nullptr && ::IsWindow(m_mainWindow)) {
        ::PostMessageW(m_mainWindow, WM_CLOSE, 0, 0);
    }
    return WaitForExit(timeoutMs, exitCode);
}

std::string TuvoProcess::CapturedStdout()
{
    if (m_reader.joinable()) {
        m_reader.join();
    }
    return m_stdout;
}

long TuvoProcess::LiveGdiObjects() const
{
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(m_panel, GdiCensus::QueryMessage(), 0, 0, SMTO_ABORTIFHUNG, 5000,
                          &result);
    return static_cast<long>(result);
}
