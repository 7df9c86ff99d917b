// Linked only into Tuvo_leaky: a build of the program that leaks on every tick that shows an
// overlay, so that each leak check can be seen to fail. Each such tick leaks a brush (a GDI
// object, counted by the program's own census), a hidden window (a USER object) and a block of
// memory written to, so that its pages become resident. At start-up, before the program runs,
// this redirects the program's calls to SetWindowPos through its import table: a call that shows
// a window is an overlay's shown tick, as no other call of the program shows one that way.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "framework/gdi.h"
#include "harness/import_patch.h"

namespace {

using SetWindowPosFn = BOOL(WINAPI*)(HWND, HWND, int, int, int, int, UINT);
SetWindowPosFn g_setWindowPos = nullptr;

const size_t kLeakedBytes = 64 * 1024;
std::vector<void*> g_leakedBlocks;  // kept, so the allocations cannot be optimised away

BOOL WINAPI LeakingSetWindowPos(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy,
                                UINT flags)
{
    const BOOL placed = g_setWindowPos(hWnd, hWndInsertAfter, x, y, cx, cy, flags);
    if ((flags & SWP_SHOWWINDOW) != 0) {
        new CBrush(RGB(1, 2, 3));
        ::CreateWindowExW(0, L"STATIC", nullptr, WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                          nullptr);
        g_leakedBlocks.push_back(std::memset(std::malloc(kLeakedBytes), 0x5A, kLeakedBytes));
    }
    return placed;
}

const bool g_leaking = [] {
    g_setWindowPos = reinterpret_cast<SetWindowPosFn>(PatchImport(
        "user32.dll", "SetWindowPos", reinterpret_cast<void*>(&LeakingSetWindowPos)));
    return g_setWindowPos != nullptr;
}();

}  // namespace
