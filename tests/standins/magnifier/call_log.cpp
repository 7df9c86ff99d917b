#include "call_log.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>

namespace {

HMODULE g_module = nullptr;
HANDLE g_file = INVALID_HANDLE_VALUE;

HANDLE OpenBesideModule()
{
    wchar_t path[MAX_PATH * 2] = {};
    const DWORD length = ::GetModuleFileNameW(g_module, path, MAX_PATH * 2);
    if (length == 0 || length >= MAX_PATH * 2) {
        return INVALID_HANDLE_VALUE;
    }
    wchar_t* slash = wcsrchr(path, L'\\');
    if (slash == nullptr || (slash - path) + 20 >= MAX_PATH * 2) {
        return INVALID_HANDLE_VALUE;
    }
    wcscpy(slash + 1, L"magnifier-calls.log");
    // Appended line by line and shared, so the test reads it while the program runs.
    return ::CreateFileW(path, FILE_APPEND_DATA,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

namespace CallLog {

void SetModule(HMODULE module) { g_module = module; }

void Write(const char* format, ...)
{
    if (g_file == INVALID_HANDLE_VALUE) {
        g_file = OpenBesideModule();
        if (g_file == INVALID_HANDLE_VALUE) {
            return;
        }
    }
    char line[514];
    va_list args;
    va_start(args, format);
    int length = std::vsnprintf(line, 513, format, args);
    va_end(args);
    if (length < 0) {
        return;
    }
    if (length > 512) {
        length = 512;
    }
    line[length] = '\n';
    DWORD written = 0;
    // One write per line: a reader never sees half a record followed by another.
    ::WriteFile(g_file, line, static_cast<DWORD>(length + 1), &written, nullptr);
}

void Close()
{
    if (g_file != INVALID_HANDLE_VALUE) {
        ::CloseHandle(g_file);
        g_file = INVALID_HANDLE_VALUE;
    }
}

unsigned long long HandleNumber(HWND hWnd)
{
    return static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(hWnd));
}

LensState LensOf(HWND hWnd)
{
    LensState state{0, RECT{}};
    HWND parent = hWnd != nullptr ? ::GetParent(hWnd) : nullptr;
    if (parent != nullptr) {
        state.shown = ::IsWindowVisible(parent) ? 1 : 0;
        ::GetWindowRect(parent, &state.rect);
    }
    return state;
}

}  // namespace CallLog
