#include "harness/fault_hook_host.h"

FaultHookHost::FaultHookHost(DWORD pid, DWORD threadId)
{
    m_mapping.Attach(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                          sizeof(FaultHookBlock), FaultHookBlockName(pid).c_str()));
    if (!m_mapping) {
        return;
    }
    // A new mapping starts zeroed: no faults, nothing recorded.
    m_block = static_cast<FaultHookBlock*>(
        ::MapViewOfFile(m_mapping.Get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(FaultHookBlock)));
    static const HMODULE library = ::LoadLibraryW(kFaultHookLibrary);
    if (m_block == nullptr || library == nullptr) {
        return;
    }
    const auto proc = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(::GetProcAddress(library, kFaultHookProc)));
    // The library is loaded into the program at the first message its thread sends, before
    // the main window's initialisation makes the panel and the overlays.
    m_hook = ::SetWindowsHookExW(WH_CALLWNDPROC, proc, library, threadId);
}

FaultHookHost::~FaultHookHost()
{
    if (m_hook != nullptr) {
        ::UnhookWindowsHookEx(m_hook);
    }
    if (m_block != nullptr) {
        ::UnmapViewOfFile(m_block);
    }
}
