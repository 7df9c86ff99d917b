#include "harness/windows.h"

#include <tlhelp32.h>

#include <algorithm>

namespace {

struct EnumState {
    DWORD pid;
    std::vector<HWND>* out;
};

BOOL CALLBACK CollectOfProcess(HWND hWnd, LPARAM lParam)
{
    auto* state = reinterpret_cast<EnumState*>(lParam);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hWnd, &owner);
    if (owner == state->pid) {
        state->out->push_back(hWnd);
    }
    return TRUE;
}

BOOL CALLBACK CollectChildren(HWND hWnd, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& pred, DWORD timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (pred()) {
            return true;
        }
        if (::GetTickCount64() >= deadline) {
            return false;
        }
        ::Sleep(5);
    }
}

std::vector<HWND> TopLevelWindowsOf(DWORD pid)
{
    std::vector<HWND> windows;
    EnumState state{pid, &windows};
    ::EnumWindows(&CollectOfProcess, reinterpret_cast<LPARAM>(&state));
    return windows;
}

std::wstring WindowText(HWND hWnd)
{
    wchar_t text[1024] = {};
    ::GetWindowTextW(hWnd, text, 1024);
    return text;
}

std::wstring ClassNameOf(HWND hWnd)
{
    wchar_t name[256] = {};
    ::GetClassNameW(hWnd, name, 256);
    return name;
}

HWND FindTopLevelWindow(DWORD pid, const std::wstring& title, const wchar_t* className)
{
    for (HWND hWnd : TopLevelWindowsOf(pid)) {
        if (WindowText(hWnd) == title && (className == nullptr || ClassNameOf(hWnd) == className)) {
            return hWnd;
        }
    }
    return nullptr;
}

RECT WindowRect(HWND hWnd)
{
    RECT rect{};
    ::GetWindowRect(hWnd, &rect);
    return rect;
}

Rect RectOf(HWND hWnd)
{
    const RECT r = WindowRect(hWnd);
    return Rect{r.left, r.top, r.right, r.bottom};
}

bool IsTopMost(HWND hWnd) { return (ExStyleOf(hWnd) & WS_EX_TOPMOST) != 0; }

LayeredAttributes LayeredAttributesOf(HWND hWnd)
{
    LayeredAttributes a;
    a.ok = ::GetLayeredWindowAttributes(hWnd, &a.key, &a.alpha, &a.flags) != FALSE;
    return a;
}

namespace {

// Process ids with their file names.
std::vector<std::pair<DWORD, std::string>> Processes()
{
    std::vector<std::pair<DWORD, std::string>> processes;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return processes;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more;
         more = ::Process32NextW(snapshot, &entry)) {
        char name[MAX_PATH] = {};
        ::WideCharToMultiByte(CP_UTF8, 0, entry.szExeFile, -1, name, MAX_PATH, nullptr, nullptr);
        processes.emplace_back(entry.th32ProcessID, name);
    }
    ::CloseHandle(snapshot);
    return processes;
}

BOOL CALLBACK CollectVisible(HWND hWnd, LPARAM lParam)
{
    if (::IsWindowVisible(hWnd)) {
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    }
    return TRUE;
}

std::vector<HWND> VisibleTopLevelWindows()
{
    std::vector<HWND> windows;
    ::EnumWindows(&CollectVisible, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

template <typename T>
bool Contains(const std::vector<T>& values, const T& value)
{
    return std::find(values.begin(), values.end(), value) != values.end();
}

}  // namespace

SessionSnapshot TakeSessionSnapshot()
{
    SessionSnapshot snapshot;
    for (const auto& process : Processes()) {
        snapshot.processes.push_back(process.first);
    }
    snapshot.visibleWindows = VisibleTopLevelWindows();
    return snapshot;
}

std::vector<std::string> AppearedSince(const SessionSnapshot& before)
{
    std::vector<std::string> appeared;
    for (const auto& [pid, name] : Processes()) {
        if (!Contains(before.processes, pid)) {
            appeared.push_back("process " + std::to_string(pid) + " " + name);
        }
    }
    for (HWND w : VisibleTopLevelWindows()) {
        if (!Contains(before.visibleWindows, w)) {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(w, &pid);
            char title[256] = {};
            char className[256] = {};
            ::GetWindowTextA(w, title, sizeof title);
            ::GetClassNameA(w, className, sizeof className);
            appeared.push_back(std::string("window \"") + title + "\" of class " + className +
                               " of process " + std::to_string(pid));
        }
    }
    return appeared;
}

void ClickAtPointer()
{
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, clicks, sizeof(INPUT));
}

bool MovePointerTo(Point p)
{
    const ULONGLONG kHoldMs = 100;
    ::GetDesktopWindow();
    ULONGLONG heldSince = 0;
    return WaitUntil(
        [&] {
            POINT now{};
            if (::GetCursorPos(&now) && now.x == p.x && now.y == p.y) {
                heldSince = heldSince != 0 ? heldSince : ::GetTickCount64();
                return ::GetTickCount64() - heldSince >= kHoldMs;
            }
            ::SetCursorPos(p.x, p.y);
            heldSince = 0;
            return false;
        },
        5000);
}

bool IsNotActive(HWND hWnd)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(hWnd, nullptr), &info);
    return ::GetForegroundWindow() != hWnd && info.hwndActive != hWnd && info.hwndFocus != hWnd;
}

DWORD ExStyleOf(HWND hWnd) { return static_cast<DWORD>(::GetWindowLongW(hWnd, GWL_EXSTYLE)); }
DWORD StyleOf(HWND hWnd) { return static_cast<DWORD>(::GetWindowLongW(hWnd, GWL_STYLE)); }

MessageBoxSeen WaitForMessageBox(DWORD pid, const std::wstring& caption, HWND excluding,
                                 DWORD timeoutMs)
{
    MessageBoxSeen seen;
    WaitUntil(
        [&] {
            for (HWND hWnd : TopLevelWindowsOf(pid)) {
                if (hWnd != excluding && ::IsWindowVisible(hWnd) &&
                    ClassNameOf(hWnd) == L"#32770" && WindowText(hWnd) == caption) {
                    seen.window = hWnd;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    if (seen.window == nullptr) {
        return seen;
    }
    seen.caption = WindowText(seen.window);
    std::vector<HWND> children;
    ::EnumChildWindows(seen.window, &CollectChildren, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) {
        // The text is the one static control that carries text; the icon is a text-less static.
        if (ClassNameOf(child) != L"Static") {
            continue;
        }
        if ((StyleOf(child) & SS_TYPEMASK) == SS_ICON) {
            seen.showsIcon = seen.showsIcon || ::SendMessageW(child, STM_GETICON, 0, 0) != 0;
        } else if (!WindowText(child).empty()) {
            seen.text = WindowText(child);
        }
    }
    return seen;
}

void PressOk(HWND box) { ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }
