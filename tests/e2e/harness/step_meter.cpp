#include "harness/step_meter.h"

#include <atomic>
#include <cstdlib>
#include <vector>

#include "harness/import_patch.h"

namespace {

std::atomic<DWORD> g_countingThread{0};  // 0: not counting
StepCounts g_counts;                     // written by the counting thread only

bool Counting()
{
    return g_countingThread.load(std::memory_order_relaxed) == ::GetCurrentThreadId();
}

void CountAllocation(const void* result)
{
    if (result != nullptr && Counting()) {
        ++g_counts.allocations;
    }
}

void CountMade(bool made)
{
    if (made && Counting()) {
        ++g_counts.objectsMade;
    }
}

void CountReleased(bool released)
{
    if (released && Counting()) {
        ++g_counts.objectsReleased;
    }
}

// Each hook forwards to the original and counts the call. g_<name> holds the original.
#define METER_HOOK(kind, name, Result, Params, Args, counted) \
    using name##Fn = Result(kind*) Params;                    \
    name##Fn g_##name = nullptr;                              \
    Result kind Hook_##name Params                            \
    {                                                         \
        Result result = g_##name Args;                        \
        counted;                                              \
        return result;                                        \
    }

// The C runtime's allocator.
METER_HOOK(__cdecl, malloc, void*, (size_t n), (n), CountAllocation(result))
METER_HOOK(__cdecl, calloc, void*, (size_t n, size_t size), (n, size), CountAllocation(result))
METER_HOOK(__cdecl, realloc, void*, (void* p, size_t n), (p, n), CountAllocation(result))
METER_HOOK(__cdecl, _strdup, char*, (const char* s), (s), CountAllocation(result))
METER_HOOK(__cdecl, _wcsdup, wchar_t*, (const wchar_t* s), (s), CountAllocation(result))
// The system heap, should the program ever call it directly.
METER_HOOK(WINAPI, HeapAlloc, LPVOID, (HANDLE h, DWORD f, SIZE_T n), (h, f, n),
           CountAllocation(result))
METER_HOOK(WINAPI, LocalAlloc, HLOCAL, (UINT f, SIZE_T n), (f, n), CountAllocation(result))
METER_HOOK(WINAPI, GlobalAlloc, HGLOBAL, (UINT f, SIZE_T n), (f, n), CountAllocation(result))

// GDI objects and device contexts.
METER_HOOK(WINAPI, CreateSolidBrush, HBRUSH, (COLORREF c), (c), CountMade(result != nullptr))
METER_HOOK(WINAPI, CreatePen, HPEN, (int s, int w, COLORREF c), (s, w, c),
           CountMade(result != nullptr))
METER_HOOK(WINAPI, ExtCreatePen, HPEN,
           (DWORD s, DWORD w, const LOGBRUSH* b, DWORD n, const DWORD* st), (s, w, b, n, st),
           CountMade(result != nullptr))
METER_HOOK(WINAPI, CreateEllipticRgn, HRGN, (int a, int b, int c, int d), (a, b, c, d),
           CountMade(result != nullptr))
METER_HOOK(WINAPI, CreateRectRgn, HRGN, (int a, int b, int c, int d), (a, b, c, d),
           CountMade(result != nullptr))
METER_HOOK(WINAPI, CreateCompatibleDC, HDC, (HDC dc), (dc), CountMade(result != nullptr))
METER_HOOK(WINAPI, CreateCompatibleBitmap, HBITMAP, (HDC dc, int w, int h), (dc, w, h),
           CountMade(result != nullptr))
METER_HOOK(WINAPI, CreateDIBSection, HBITMAP,
           (HDC dc, const BITMAPINFO* i, UINT u, void** bits, HANDLE s, DWORD o),
           (dc, i, u, bits, s, o), CountMade(result != nullptr))
METER_HOOK(WINAPI, DeleteObject, BOOL, (HGDIOBJ h), (h), CountReleased(result != FALSE))
METER_HOOK(WINAPI, DeleteDC, BOOL, (HDC dc), (dc), CountReleased(result != FALSE))
METER_HOOK(WINAPI, GetDC, HDC, (HWND w), (w), CountMade(result != nullptr))
METER_HOOK(WINAPI, GetWindowDC, HDC, (HWND w), (w), CountMade(result != nullptr))
METER_HOOK(WINAPI, GetDCEx, HDC, (HWND w, HRGN r, DWORD f), (w, r, f),
           CountMade(result != nullptr))
METER_HOOK(WINAPI, ReleaseDC, int, (HWND w, HDC dc), (w, dc), CountReleased(result != 0))
// A region given to a window belongs to the window from then on.
METER_HOOK(WINAPI, SetWindowRgn, int, (HWND w, HRGN r, BOOL redraw), (w, r, redraw),
           CountReleased(result != 0 && r != nullptr))

// GDI+ objects of the flat interface (status 0 is Ok).
METER_HOOK(WINAPI, GdipCreateFromHDC, int, (HDC dc, void** g), (dc, g), CountMade(result == 0))
METER_HOOK(WINAPI, GdipCreatePen1, int, (DWORD argb, float w, int unit, void** pen),
           (argb, w, unit, pen), CountMade(result == 0))
METER_HOOK(WINAPI, GdipCreateSolidFill, int, (DWORD argb, void** brush), (argb, brush),
           CountMade(result == 0))
METER_HOOK(WINAPI, GdipDeleteGraphics, int, (void* g), (g), CountReleased(result == 0))
METER_HOOK(WINAPI, GdipDeletePen, int, (void* pen), (pen), CountReleased(result == 0))
METER_HOOK(WINAPI, GdipDeleteBrush, int, (void* brush), (brush), CountReleased(result == 0))

#undef METER_HOOK

template <typename Fn>
bool Hook(const char* dll, const char* function, Fn& original, Fn hook)
{
    original = reinterpret_cast<Fn>(PatchImport(dll, function, reinterpret_cast<void*>(hook)));
    return original != nullptr;
}

#define HOOK(dll, name) Hook(dll, #name, g_##name, &Hook_##name)

bool InstallHooks()
{
    const bool allocator = HOOK("msvcrt.dll", malloc) && HOOK("msvcrt.dll", calloc) &&
                           HOOK("msvcrt.dll", realloc);
    // The rest are hooked where this program imports them.
    HOOK("msvcrt.dll", _strdup);
    HOOK("msvcrt.dll", _wcsdup);
    HOOK("kernel32.dll", HeapAlloc);
    HOOK("kernel32.dll", LocalAlloc);
    HOOK("kernel32.dll", GlobalAlloc);
    HOOK("gdi32.dll", CreateSolidBrush);
    HOOK("gdi32.dll", CreatePen);
    HOOK("gdi32.dll", ExtCreatePen);
    HOOK("gdi32.dll", CreateEllipticRgn);
    HOOK("gdi32.dll", CreateRectRgn);
    HOOK("gdi32.dll", CreateCompatibleDC);
    HOOK("gdi32.dll", CreateCompatibleBitmap);
    HOOK("gdi32.dll", CreateDIBSection);
    HOOK("gdi32.dll", DeleteObject);
    HOOK("gdi32.dll", DeleteDC);
    HOOK("user32.dll", GetDC);
    HOOK("user32.dll", GetWindowDC);
    HOOK("user32.dll", GetDCEx);
    HOOK("user32.dll", ReleaseDC);
    HOOK("user32.dll", SetWindowRgn);
    HOOK("gdiplus.dll", GdipCreateFromHDC);
    HOOK("gdiplus.dll", GdipCreatePen1);
    HOOK("gdiplus.dll", GdipCreateSolidFill);
    HOOK("gdiplus.dll", GdipDeleteGraphics);
    HOOK("gdiplus.dll", GdipDeletePen);
    HOOK("gdiplus.dll", GdipDeleteBrush);
    return allocator;
}

#undef HOOK

// The system's handle list (information class 16) in Wine's layout, with a 32-bit owner id.
struct HandleEntry {
    ULONG ownerPid;
    BYTE objectType;
    BYTE flags;
    USHORT handle;
    void* object;
    ACCESS_MASK access;
};
struct HandleList {
    ULONG count;
    HandleEntry entries[1];
};
using QuerySystemInformationFn = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
constexpr ULONG kSystemHandleInformation = 16;
constexpr LONG kStatusInfoLengthMismatch = static_cast<LONG>(0xC0000004);

}  // namespace

namespace StepMeter {

bool Install()
{
    static const bool installed = InstallHooks();
    return installed;
}

void Start()
{
    g_counts = StepCounts{};
    g_countingThread.store(::GetCurrentThreadId());
}

StepCounts Stop()
{
    g_countingThread.store(0);
    return g_counts;
}

long KernelHandles()
{
    static const auto query = reinterpret_cast<QuerySystemInformationFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (query == nullptr) {
        return -1;
    }
    std::vector<char> buffer(1 << 20);
    LONG status = 0;
    ULONG needed = 0;
    while ((status = query(kSystemHandleInformation, buffer.data(),
                           static_cast<ULONG>(buffer.size()), &needed)) ==
           kStatusInfoLengthMismatch) {
        buffer.resize(buffer.size() * 2);
    }
    if (status != 0) {
        return -1;
    }
    const auto* list = reinterpret_cast<const HandleList*>(buffer.data());
    const ULONG self = ::GetCurrentProcessId();
    long count = 0;
    for (ULONG i = 0; i < list->count; ++i) {
        if (list->entries[i].ownerPid == self) {
            ++count;
        }
    }
    return count;
}

}  // namespace StepMeter
