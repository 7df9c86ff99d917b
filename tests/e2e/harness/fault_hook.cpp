// A hook library the end-to-end tests put into the program's user-interface thread before the
// program runs (see harness/fault_hook_block.h). At its first call it patches the program's own
// imports of the calls through which a real desk fails it: the pointer position, which cannot be
// read while the workstation is locked or on the secure desktop, and the making of a dialog
// window, which fails when the system is out of window handles. Asked to, it keeps the program's
// window timers from starting, so that only the ticks a test sends move anything. It also
// records, in order, each window's end and each timer the program stops, so a test sees the real
// order of the shutdown.
#include <windows.h>

#include "harness/fault_hook_block.h"
#include "harness/import_patch.h"

namespace {

FaultHookBlock* g_block = nullptr;

using GetCursorPosFn = BOOL(WINAPI*)(LPPOINT);
using CreateDialogParamWFn = HWND(WINAPI*)(HINSTANCE, LPCWSTR, HWND, DLGPROC, LPARAM);
using SetTimerFn = UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC);
using KillTimerFn = BOOL(WINAPI*)(HWND, UINT_PTR);
GetCursorPosFn g_getCursorPos = nullptr;
CreateDialogParamWFn g_createDialogParamW = nullptr;
SetTimerFn g_setTimer = nullptr;
KillTimerFn g_killTimer = nullptr;

// What a caller that trusts a failed read goes on with: whatever its stack held. A fixed place
// on the screen, away from every place the tests put the pointer, makes such trust visible.
const POINT kWhateverTheStackHeld{37, 1041};

// Points the program's import of a user32 function at `hook`; `original` gets what it replaced.
template <typename Fn>
bool PatchUser32(const char* function, Fn& original, Fn hook)
{
    original = reinterpret_cast<Fn>(
        PatchImport("user32.dll", function, reinterpret_cast<void*>(hook)));
    return original != nullptr;
}

void Record(LONG kind, HWND window, LONG timerId)
{
    if (!g_block->recording) {
        return;
    }
    const LONG i = ::InterlockedIncrement(&g_block->eventCount) - 1;
    if (i < FaultHookBlock::kEvents) {
        const auto handle = static_cast<ULONGLONG>(reinterpret_cast<ULONG_PTR>(window));
        g_block->events[i] = FaultHookEvent{kind, timerId, handle};
    }
}

BOOL WINAPI UnreadableGetCursorPos(LPPOINT point)
{
    if (!g_block->pointerUnreadable) {
        return g_getCursorPos(point);
    }
    ::InterlockedIncrement(&g_block->failedPointerReads);
    if (point != nullptr) {
        *point = kWhateverTheStackHeld;
    }
    ::SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

HWND WINAPI UnmakeableCreateDialogParamW(HINSTANCE instance, LPCWSTR name, HWND parent,
                                         DLGPROC proc, LPARAM param)
{
    if (IS_INTRESOURCE(name)) {
        const LONG templateId = LOWORD(reinterpret_cast<ULONG_PTR>(name));
        for (FaultHookBlock::CreationFault& fault : g_block->creationFaults) {
            if (fault.templateId == templateId && fault.count > 0) {
                ::InterlockedDecrement(&fault.count);
                ::InterlockedIncrement(&g_block->failedCreations);
                // What the window system reports when a process has used up its window handles.
                ::SetLastError(ERROR_NOT_ENOUGH_QUOTA);
                return nullptr;
            }
        }
    }
    return g_createDialogParamW(instance, name, parent, proc, param);
}

UINT_PTR WINAPI WatchedSetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc)
{
    if (window == nullptr) {
        ::InterlockedIncrement(&g_block->windowlessTimers);
    } else if (g_block->windowTimersHeld) {
        ::InterlockedIncrement(&g_block->heldTimers);
        // What the window system reports when it has no timer left to give.
        ::SetLastError(ERROR_NO_SYSTEM_RESOURCES);
        return 0;
    }
    return g_setTimer(window, id, elapse, proc);
}

BOOL WINAPI WatchedKillTimer(HWND window, UINT_PTR id)
{
    Record(FaultHookEvent::kTimerKilled, window, static_cast<LONG>(id));
    return g_killTimer(window, id);
}

bool Install()
{
    HANDLE mapping = ::OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE,
                                        FaultHookBlockName(::GetCurrentProcessId()).c_str());
    if (mapping == nullptr) {
        return false;
    }
    // Kept for the rest of the program's life, like the library itself: the patched imports
    // point into it.
    g_block = static_cast<FaultHookBlock*>(
        ::MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(FaultHookBlock)));
    if (g_block == nullptr) {
        return false;
    }
    HMODULE self = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                         reinterpret_cast<LPCWSTR>(&Install), &self);
    const bool patched =
        PatchUser32("GetCursorPos", g_getCursorPos, &UnreadableGetCursorPos) &&
        PatchUser32("CreateDialogParamW", g_createDialogParamW, &UnmakeableCreateDialogParamW) &&
        PatchUser32("SetTimer", g_setTimer, &WatchedSetTimer) &&
        PatchUser32("KillTimer", g_killTimer, &WatchedKillTimer);
    g_block->installed = patched ? 1 : 0;
    return patched;
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK FaultHook(int code, WPARAM wParam,
                                                             LPARAM lParam)
{
    static const bool installed = Install();
    if (installed && code == HC_ACTION) {
        const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (sent->message == WM_DESTROY) {
            Record(FaultHookEvent::kDestroyed, sent->hwnd, 0);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
