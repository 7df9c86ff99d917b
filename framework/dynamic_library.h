#pragma once
// A system library bound at run time, for interfaces the program must start without.
#include <windows.h>

class CDynamicLibrary {
public:
    explicit CDynamicLibrary(LPCWSTR name) : m_hModule(::LoadLibraryW(name)) {}
    ~CDynamicLibrary()
    {
        if (m_hModule != nullptr) {
            ::FreeLibrary(m_hModule);
        }
    }
    CDynamicLibrary(const CDynamicLibrary&) = delete;
    CDynamicLibrary& operator=(const CDynamicLibrary&) = delete;

    bool IsLoaded() const { return m_hModule != nullptr; }

    // The named function as a typed pointer, or null when the library or the function is absent.
    template <typename Function>
    Function Bind(const char* name) const
    {
        if (m_hModule == nullptr) {
            return nullptr;
        }
        return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(m_hModule, name)));
    }

private:
    HMODULE m_hModule;
};
