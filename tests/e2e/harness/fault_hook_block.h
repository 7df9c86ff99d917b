#pragma once
// What a test and the fault hook library inside the running program share: a block of memory
// named after the program's process id. The test says which faults the program meets (a pointer
// that cannot be read, a dialog window that cannot be made, window timers that do not start);
// the library makes them happen at the program's own calls into the system and reports what it
// did and what it saw.
#include <windows.h>

#include <string>

// One thing the library saw, in the order it happened.
struct FaultHookEvent {
    enum Kind : LONG {
        kDestroyed = 1,    // a window received WM_DESTROY
        kTimerKilled = 2,  // the program called KillTimer
    };
    LONG kind;
    LONG timerId;
    ULONGLONG window;  // the handle's value
};

struct FaultHookBlock {
    // A dialog template whose windows are not made, for the next `count` attempts.
    struct CreationFault {
        LONG templateId;
        volatile LONG count;
    };
    static constexpr int kCreationFaults = 4;
    static constexpr int kEvents = 512;

    volatile LONG installed;           // library: the program's imports are patched
    volatile LONG pointerUnreadable;   // test: while nonzero, every pointer read fails
    volatile LONG failedPointerReads;  // library: the pointer reads it made fail
    CreationFault creationFaults[kCreationFaults];  // test
    volatile LONG failedCreations;     // library: the dialog windows it kept from being made
    volatile LONG windowlessTimers;    // library: timers the program started without a window
    volatile LONG windowTimersHeld;    // test: while nonzero, no window timer starts
    volatile LONG heldTimers;          // library: the window timers it kept from starting
    volatile LONG recording;           // test: while nonzero, events are recorded
    volatile LONG eventCount;          // library
    FaultHookEvent events[kEvents];
};

inline std::wstring FaultHookBlockName(DWORD pid)
{
    return L"Tuvo.Test.FaultHook." + std::to_wstring(pid);
}

// The library, beside the test programs, and its hook procedure (a WH_CALLWNDPROC hook on the
// program's user-interface thread).
constexpr const wchar_t* kFaultHookLibrary = L"tuvo_fault_hook.dll";
constexpr const char* kFaultHookProc = "FaultHook";
