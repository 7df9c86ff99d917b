#pragma once
// The test's side of the fault hook library: the shared block, made before the program runs,
// and the hook that brings the library into the program's user-interface thread.
#include <windows.h>

#include "framework/handle.h"
#include "harness/fault_hook_block.h"

class FaultHookHost {
public:
    // For a program started suspended: pid and the thread that will serve its windows.
    FaultHookHost(DWORD pid, DWORD threadId);
    ~FaultHookHost();  // unhooks; call once the program has ended
    FaultHookHost(const FaultHookHost&) = delete;
    FaultHookHost& operator=(const FaultHookHost&) = delete;

    // Null when the block or the hook could not be made.
    FaultHookBlock* Block() const { return m_hook != nullptr ? m_block : nullptr; }

private:
    CHandle m_mapping;
    FaultHookBlock* m_block = nullptr;
    HHOOK m_hook = nullptr;
};
