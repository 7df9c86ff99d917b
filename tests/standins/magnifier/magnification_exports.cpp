// A stand-in for the platform's Magnification.dll, for the tests only: the four functions the
// lens binds, with the platform's signatures and calling convention, exported under their
// plain names. MagInitialize makes the "Magnifier" control class available and the balancing
// MagUninitialize removes it again; the control shows a synthetic screen, never the real one
// (a read of the screen under Wine would contain the lens itself). Every call is recorded.
//
// Variants, chosen when the library is built:
//   TUVO_STANDIN_WITHOUT_SOURCE: MagSetWindowSource is not exported at all;
//   TUVO_STANDIN_FAILING_START: MagInitialize fails and makes no class available.
#include <windows.h>
#include <magnification.h>

#include "call_log.h"
#include "magnifier_control.h"

namespace {

HMODULE g_module = nullptr;
int g_initializations = 0;  // MagInitialize calls not yet balanced by MagUninitialize

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        CallLog::SetModule(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        CallLog::Close();
    }
    return TRUE;
}

extern "C" __declspec(dllexport) BOOL WINAPI MagInitialize()
{
#ifdef TUVO_STANDIN_FAILING_START
    const BOOL result = FALSE;
#else
    const BOOL result = g_initializations > 0 || MagnifierControl::Register(g_module);
    if (result) {
        ++g_initializations;
    }
#endif
    CallLog::Write("MagInitialize result=%d", result);
    return result;
}

extern "C" __declspec(dllexport) BOOL WINAPI MagUninitialize()
{
    BOOL result = FALSE;
    if (g_initializations > 0) {
        --g_initializations;
        // The last balancing call removes the class; that fails while a control still exists.
        result = g_initializations > 0 || MagnifierControl::Unregister(g_module);
    }
    CallLog::Write("MagUninitialize result=%d", result);
    return result;
}

extern "C" __declspec(dllexport) BOOL WINAPI MagSetWindowTransform(HWND hwnd,
                                                                    PMAGTRANSFORM pTransform)
{
    const BOOL result = pTransform != nullptr && MagnifierControl::IsControl(hwnd);
    if (result) {
        MagnifierControl::SetTransform(hwnd, pTransform->v);
    }
    float v[3][3] = {};
    if (pTransform != nullptr) {
        for (int i = 0; i < 9; ++i) {
            v[i / 3][i % 3] = pTransform->v[i / 3][i % 3];
        }
    }
    CallLog::Write("MagSetWindowTransform hwnd=%llu result=%d matrix=%g,%g,%g,%g,%g,%g,%g,%g,%g",
                   CallLog::HandleNumber(hwnd), result, v[0][0], v[0][1], v[0][2], v[1][0],
                   v[1][1], v[1][2], v[2][0], v[2][1], v[2][2]);
    return result;
}

#ifndef TUVO_STANDIN_WITHOUT_SOURCE
extern "C" __declspec(dllexport) BOOL WINAPI MagSetWindowSource(HWND hwnd, RECT rect)
{
    const BOOL result = MagnifierControl::IsControl(hwnd);
    if (result) {
        MagnifierControl::SetSource(hwnd, rect);
    }
    const CallLog::LensState lens = CallLog::LensOf(hwnd);
    CallLog::Write(
        "MagSetWindowSource hwnd=%llu result=%d source=%ld,%ld,%ld,%ld lensShown=%d "
        "lens=%ld,%ld,%ld,%ld",
        CallLog::HandleNumber(hwnd), result, rect.left, rect.top, rect.right, rect.bottom,
        lens.shown, lens.rect.left, lens.rect.top, lens.rect.right, lens.rect.bottom);
    return result;
}
#endif
