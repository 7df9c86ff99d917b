#include "soak/process_peek.h"

#include <winternl.h>

#include <cstring>

namespace {

// RTL_USER_PROCESS_PARAMETERS.CurrentDirectory.DosPath: after the four sizes and flags, the
// console handle and flags and the three standard handles, one pointer each.
const size_t kCurrentDirectoryOffset = 16 + 5 * sizeof(void*);

bool ReadOther(HANDLE process, const void* address, void* into, size_t size)
{
    SIZE_T got = 0;
    return ::ReadProcessMemory(process, address, into, size, &got) && got == size;
}

}  // namespace

std::wstring CurrentDirectoryOf(HANDLE process)
{
    using QueryInformationProcess = LONG(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QueryInformationProcess>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    ULONG length = 0;
    if (query == nullptr ||
        query(process, ProcessBasicInformation, &basic, sizeof basic, &length) != 0) {
        return L"";
    }
    PEB peb{};
    unsigned char parameters[kCurrentDirectoryOffset + sizeof(UNICODE_STRING)] = {};
    if (!ReadOther(process, basic.PebBaseAddress, &peb, sizeof peb) ||
        !ReadOther(process, peb.ProcessParameters, parameters, sizeof parameters)) {
        return L"";
    }
    UNICODE_STRING dosPath{};
    std::memcpy(&dosPath, parameters + kCurrentDirectoryOffset, sizeof dosPath);
    std::wstring text(dosPath.Length / sizeof(wchar_t), L'\0');
    if (!text.empty() && !ReadOther(process, dosPath.Buffer, &text[0], dosPath.Length)) {
        return L"";
    }
    return text;
}
