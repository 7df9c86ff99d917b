#include "magnifier_control.h"

#include <cstdint>

#include "call_log.h"
#include "synthetic_screen.h"

namespace {

const wchar_t kClassName[] = L"Magnifier";

// What one control shows; kept in the window's extra bytes from creation to destruction.
struct ControlState {
    float matrix[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    bool hasSource = false;  // until a source is set, the control shows nothing (black)
    RECT source{};
};

ControlState* StateOf(HWND hWnd)
{
    return reinterpret_cast<ControlState*>(::GetWindowLongPtrW(hWnd, 0));
}

void RecordPlaced(HWND hWnd)
{
    RECT rect{};
    ::GetWindowRect(hWnd, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<POINT*>(&rect), 2);
    const CallLog::LensState lens = CallLog::LensOf(hWnd);
    CallLog::Write("ControlPlaced hwnd=%llu rect=%ld,%ld,%ld,%ld lensShown=%d lens=%ld,%ld,%ld,%ld",
                   CallLog::HandleNumber(hWnd), rect.left, rect.top, rect.right - rect.left,
                   rect.bottom - rect.top, lens.shown, lens.rect.left, lens.rect.top,
                   lens.rect.right, lens.rect.bottom);
}

// Client pixel (x, y) shows the screen at source.left + x / scale x, source.top + y / scale y.
void Paint(HWND hWnd, const ControlState& state)
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hWnd, &ps);
    RECT client{};
    ::GetClientRect(hWnd, &client);
    const int width = client.right;
    const int height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = width > 0 && height > 0
                         ? ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0)
                         : nullptr;
    if (bitmap != nullptr) {
        const float scaleX = state.matrix[0][0];
        const float scaleY = state.matrix[1][1];
        const bool shows = state.hasSource && scaleX > 0 && scaleY > 0;
        auto* pixels = static_cast<std::uint32_t*>(bits);
        for (int y = 0; y < height; ++y) {
            const int sy = state.source.top + static_cast<int>(y / scaleY);
            for (int x = 0; x < width; ++x) {
                const int sx = state.source.left + static_cast<int>(x / scaleX);
                const std::uint32_t rgb = shows ? SyntheticScreen::ColourAt(sx, sy) : 0;
                // A DIB pixel is blue, green, red from the low byte: the reverse of 0x00BBGGRR.
                pixels[y * width + x] =
                    ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
            }
        }
        HDC memory = ::CreateCompatibleDC(dc);
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
        ::SelectObject(memory, old);
        ::DeleteDC(memory);
        ::DeleteObject(bitmap);
    }
    ::EndPaint(hWnd, &ps);
}

LRESULT CALLBACK ControlProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE:
        ::SetWindowLongPtrW(hWnd, 0, reinterpret_cast<LONG_PTR>(new ControlState));
        break;
    case WM_CREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        CallLog::Write("ControlCreated hwnd=%llu parent=%llu style=%lu exStyle=%lu "
                       "rect=%d,%d,%d,%d",
                       CallLog::HandleNumber(hWnd), CallLog::HandleNumber(create->hwndParent),
                       static_cast<unsigned long>(create->style),
                       static_cast<unsigned long>(create->dwExStyle), create->x, create->y,
                       create->cx, create->cy);
        return 0;
    }
    case WM_WINDOWPOSCHANGED:
        RecordPlaced(hWnd);
        break;
    case WM_ERASEBKGND:
        return 1;  // the paint covers the whole client area
    case WM_PAINT:
        Paint(hWnd, *StateOf(hWnd));
        return 0;
    case WM_DESTROY:
        CallLog::Write("ControlDestroyed hwnd=%llu", CallLog::HandleNumber(hWnd));
        return 0;
    case WM_NCDESTROY:
        delete StateOf(hWnd);
        ::SetWindowLongPtrW(hWnd, 0, 0);
        break;
    default:
        break;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

}  // namespace

namespace MagnifierControl {

bool Register(HMODULE module)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    // Global: a window of the class can be made with any module's instance, the caller's own.
    wc.style = CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &ControlProc;
    wc.cbWndExtra = sizeof(ControlState*);
    wc.hInstance = module;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return ::RegisterClassExW(&wc) != 0;
}

bool Unregister(HMODULE module) { return ::UnregisterClassW(kClassName, module) != FALSE; }

bool IsControl(HWND hWnd)
{
    if (hWnd == nullptr || !::IsWindow(hWnd)) {
        return false;
    }
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    return pid == ::GetCurrentProcessId() &&
           ::GetClassLongPtrW(hWnd, GCLP_WNDPROC) == reinterpret_cast<ULONG_PTR>(&ControlProc);
}

void SetTransform(HWND hWnd, const float matrix[3][3])
{
    ControlState* state = StateOf(hWnd);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            state->matrix[row][column] = matrix[row][column];
        }
    }
}

void SetSource(HWND hWnd, const RECT& source)
{
    ControlState* state = StateOf(hWnd);
    state->source = source;
    state->hasSource = true;
}

}  // namespace MagnifierControl
