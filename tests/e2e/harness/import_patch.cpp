#include "harness/import_patch.h"

#include <cstring>

void* PatchImport(const char* dll, const char* function, void* hook)
{
    auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0) {
        return nullptr;
    }
    void* original = nullptr;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         d->Name != 0; ++d) {
        if (_stricmp(reinterpret_cast<const char*>(base + d->Name), dll) != 0 ||
            d->OriginalFirstThunk == 0) {
            continue;
        }
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                continue;
            }
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) != 0) {
                continue;
            }
            DWORD protection = 0;
            ::VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE,
                             &protection);
            if (original == nullptr) {
                original = reinterpret_cast<void*>(slots->u1.Function);
            }
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(hook);
            ::VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection,
                             &protection);
        }
    }
    return original;
}

ScopedImportPatch::ScopedImportPatch(const char* dll, const char* function, void* hook)
    : m_dll(dll), m_function(function), m_replaced(PatchImport(dll, function, hook))
{
}

ScopedImportPatch::~ScopedImportPatch()
{
    if (m_replaced != nullptr) {
        PatchImport(m_dll, m_function, m_replaced);
    }
}
