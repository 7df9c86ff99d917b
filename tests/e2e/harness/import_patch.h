#pragma once
// Redirecting calls of the program's code into a system library, inside the test program that
// hosts the program's window classes. The program's own code (the window classes, the framework
// and the statically linked C++ runtime) calls every system function through one slot of this
// module's import table; pointing that slot elsewhere redirects those calls, and none made
// inside the system's libraries.
#include <windows.h>

// Points every import of `function` from `dll` in this program's import table at `hook`;
// returns the address it replaced, or null when the program does not import the function.
void* PatchImport(const char* dll, const char* function, void* hook);

// Redirects one import for the object's lifetime and puts the replaced address back after.
class ScopedImportPatch {
public:
    ScopedImportPatch(const char* dll, const char* function, void* hook);
    ~ScopedImportPatch();
    ScopedImportPatch(const ScopedImportPatch&) = delete;
    ScopedImportPatch& operator=(const ScopedImportPatch&) = delete;

    // False when the program does not import the function, so nothing was redirected.
    bool Patched() const { return m_replaced != nullptr; }

private:
    const char* m_dll;
    const char* m_function;
    void* m_replaced;
};
