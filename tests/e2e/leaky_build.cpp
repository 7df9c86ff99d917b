// Linked only into Tuvo_leaky: a build of the program that leaks on every tick that shows an
// overlay, so that each leak check can be seen to fail. Each such tick leaks a brush (a GDI
// object, counted by the program's own census), a hidden window (a USER object) and a block of
// memory written to, so that its pages become resident. At start-up, before the program runs,
// this redirects the program's calls to FindWindowW through its import table: the lookup of the
// companion window by its title is made on every shown tick of an overlay and nowhere else (the
// tick's move itself is left out where nothing has changed, so it cannot mark the tick).
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "framework/gdi.h"
#include "harness/import_patch.h"

namespace {

using FindWindowFn = HWND(WINAPI*)(LPCWSTR, LPCWSTR);
FindWindowFn g_findWindow = nullptr;

const size_t kLeakedBytes = 64 * 1024;
std::vector<void*> g_leakedBlocks;  // kept, so the allocations cannot be optimised away

HWND WINAPI LeakingFindWindow(LPCWSTR className, LPCWSTR title)
{
    new CBrush(RGB(1, 2, 3));
    ::CreateWindowExW(0, L"STATIC", nullptr, WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                      nullptr);
    g_leakedBlocks.push_back(std::memset(std::malloc(kLeakedBytes), 0x5A, kLeakedBytes));
    return g_findWindow(className, title);
}

const bool g_leaking = [] {
    g_findWindow = reinterpret_cast<FindWindowFn>(PatchImport(
        "user32.dll", "FindWindowW", reinterpret_cast<void*>(&LeakingFindWindow)));
    return g_findWindow != nullptr;
}();

}  // namespace
