// tuvo_floor: a bare window program that makes only the platform calls of one part of a Tuvo
// tick, on the same 50 ms window timers, until its panel window is closed (WM_CLOSE). It holds no
// Tuvo code: what it costs the three processes a tick keeps busy (itself, the Wine server, the X
// server) is the floor under the matching mode's cost. scripts/bench.sh runs it through the
// process bench in Tuvo's place. Usage: tuvo_floor <scenario> (bench/floor_scenarios.h).
//
// Its windows are those Tuvo keeps, made the same way: a visible panel window at the screen's
// top-left corner with the trail history's timer; the lens, hidden or moving on a timer of its
// own; the trail window, owned by the panel's window, hidden or moving on the panel's timer; in
// the highlight's scenarios the highlight, moving on a third timer. The companion lookup walks
// every top-level window, so the floor keeps as many as Tuvo does.
#include <windows.h>
// The GDI+ headers need the COM base types, which a lean <windows.h> leaves out.
#include <objidl.h>

#include <gdiplus.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <type_traits>

#include "bench/floor_scenarios.h"
#include "overlays/opacity.h"
#include "overlays/overlay_timer.h"
#include "overlays/overlay_titles.h"

namespace {

constexpr DWORD kOverlayExStyle = WS_EX_LAYERED | WS_EX_TRANSPARENT;  // click-through, layered
constexpr SIZE kHighlightSize{81, 81};
constexpr SIZE kLensSize{600, 337};   // the lens on a 1920 x 1080 screen
constexpr SIZE kTrailSize{750, 381};  // the trail's dialog template as Wine sizes it
constexpr COLORREF kHighlightColour = RGB(255, 255, 0);
constexpr COLORREF kHighlightUnusedKey = RGB(255, 255, 255);  // alpha only
constexpr COLORREF kLensKey = RGB(0, 0, 0);
constexpr COLORREF kTrailKey = RGB(0, 0, 1);
constexpr Gdiplus::ARGB kTrailLine = 0xFFFF0000;  // opaque red
constexpr COLORREF kTrailHead = RGB(255, 0, 0);
constexpr int kTrailPenPixels = 7;                // 5 points at 96 dots per inch
constexpr int kTrailPoints = 15;

struct WindowDestroyer {
    void operator()(HWND w) const { ::DestroyWindow(w); }
};
using WindowHandle = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

struct BrushDeleter {
    void operator()(HBRUSH b) const { ::DeleteObject(b); }
};
using BrushHandle = std::unique_ptr<std::remove_pointer_t<HBRUSH>, BrushDeleter>;

// The trail's off-screen surface: a 32-bit DIB section with its memory context.
class Surface {
public:
    Surface(int width, int height)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_dc = ::CreateCompatibleDC(nullptr);
        m_old = ::SelectObject(m_dc, m_bitmap);
    }
    ~Surface()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteDC(m_dc);
        ::DeleteObject(m_bitmap);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    HDC Dc() const { return m_dc; }

private:
    HBITMAP m_bitmap = nullptr;
    HDC m_dc = nullptr;
    HGDIOBJ m_old = nullptr;
};

class GdiplusSession {
public:
    GdiplusSession()
    {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&m_token, &input, nullptr);
    }
    ~GdiplusSession() { Gdiplus::GdiplusShutdown(m_token); }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

private:
    ULONG_PTR m_token = 0;
};

RECT RectAt(POINT origin, SIZE size)
{
    return RECT{origin.x, origin.y, origin.x + size.cx, origin.y + size.cy};
}

RECT CentredOn(POINT p, SIZE size)
{
    return RectAt(POINT{p.x - size.cx / 2, p.y - size.cy / 2}, size);
}

bool IsShown(HWND w) { return (::GetWindowLongW(w, GWL_STYLE) & WS_VISIBLE) != 0; }

class Floor {
public:
    explicit Floor(const FloorScenario& scenario) : m_scenario(scenario) {}

    bool Create(HINSTANCE instance);
    LRESULT Handle(HWND w, UINT message, WPARAM wParam, LPARAM lParam);

private:
    HWND MakeWindow(const wchar_t* className, const wchar_t* title, DWORD exStyle, DWORD style,
                    RECT rect, HWND owner);
    void PanelTick();
    void LensTick();
    void HighlightTick();
    void TrailTick(POINT p);
    // Shows the overlay at target, top-most, asking only for what is not in place.
    void ShowAt(HWND overlay, const RECT& target);
    void Move(HWND overlay, const RECT& target, UINT flags);
    bool DrawTrail(POINT p);  // false: the picture is the one the surface holds
    void PaintTrail(HWND w);

    const FloorScenario& m_scenario;
    WindowHandle m_panel;
    WindowHandle m_lens;
    WindowHandle m_trail;
    WindowHandle m_highlight;
    BrushHandle m_highlightBrush;
    std::unique_ptr<GdiplusSession> m_gdiplus;
    std::unique_ptr<Surface> m_surface;
    POINT m_history[kTrailPoints] = {};
    POINT m_drawn[kTrailPoints] = {};  // the history relative to its newest point, as drawn
    bool m_drawnValid = false;
    RECT m_ink{};  // the part of the surface that may hold trail pixels
};

LRESULT CALLBACK FloorProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* floor = reinterpret_cast<Floor*>(::GetWindowLongPtrW(w, GWLP_USERDATA));
    return floor != nullptr ? floor->Handle(w, message, wParam, lParam)
                            : ::DefWindowProcW(w, message, wParam, lParam);
}

HWND Floor::MakeWindow(const wchar_t* className, const wchar_t* title, DWORD exStyle,
                       DWORD style, RECT rect, HWND owner)
{
    return ::CreateWindowExW(exStyle, className, title, style, rect.left, rect.top,
                             rect.right - rect.left, rect.bottom - rect.top, owner, nullptr,
                             ::GetModuleHandleW(nullptr), this);
}

bool Floor::Create(HINSTANCE instance)
{
    m_highlightBrush.reset(::CreateSolidBrush(kHighlightColour));
    WNDCLASSW plain{};
    plain.lpfnWndProc = FloorProc;
    plain.hInstance = instance;
    plain.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    plain.lpszClassName = L"TuvoFloorPanel";
    WNDCLASSW bare = plain;  // the lens and the trail paint their own background, or none
    bare.hbrBackground = nullptr;
    bare.lpszClassName = L"TuvoFloorOverlay";
    WNDCLASSW disc = plain;
    disc.hbrBackground = m_highlightBrush.get();
    disc.lpszClassName = L"TuvoFloorHighlight";
    if (!::RegisterClassW(&plain) || !::RegisterClassW(&bare) || !::RegisterClassW(&disc)) {
        return false;
    }

    m_panel.reset(MakeWindow(L"TuvoFloorPanel", kFloorPanelTitle, 0,
                             WS_POPUP | WS_CAPTION | WS_SYSMENU, RECT{0, 0, 320, 240}, nullptr));
    m_lens.reset(MakeWindow(L"TuvoFloorOverlay", L"", kOverlayExStyle, WS_POPUP,
                            RectAt(POINT{0, 0}, kLensSize), nullptr));
    m_trail.reset(MakeWindow(L"TuvoFloorOverlay", L"", kOverlayExStyle, WS_POPUP,
                             RectAt(POINT{0, 0}, kTrailSize),
                             m_scenario.owned ? m_panel.get() : nullptr));
    if (!m_panel || !m_lens || !m_trail) {
        return false;
    }
    const DWORD keyed = m_scenario.colourKey ? LWA_COLORKEY | LWA_ALPHA : LWA_ALPHA;
    ::SetLayeredWindowAttributes(m_lens.get(), kLensKey, 255, keyed);
    ::SetLayeredWindowAttributes(m_trail.get(), kTrailKey,
                                 static_cast<BYTE>(AlphaFromPercent(70)), keyed);
    m_surface = std::make_unique<Surface>(kTrailSize.cx, kTrailSize.cy);
    {
        // The key colour, and a trail's head at the centre, under the pointer: the picture the
        // trail scenarios that do not draw move and repaint.
        BrushHandle key(::CreateSolidBrush(kTrailKey));
        const RECT all = RectAt(POINT{0, 0}, kTrailSize);
        ::FillRect(m_surface->Dc(), &all, key.get());
        BrushHandle red(::CreateSolidBrush(kTrailHead));
        const POINT centre{kTrailSize.cx / 2, kTrailSize.cy / 2};
        const RECT head{centre.x - kTrailPenPixels / 2, centre.y - kTrailPenPixels / 2,
                        centre.x + kTrailPenPixels / 2 + 1, centre.y + kTrailPenPixels / 2 + 1};
        ::FillRect(m_surface->Dc(), &head, red.get());
    }
    if (m_scenario.draw) {
        m_gdiplus = std::make_unique<GdiplusSession>();
    }
    POINT p{};
    ::GetCursorPos(&p);
    std::fill(std::begin(m_history), std::end(m_history), p);

    if (m_scenario.overlay == FloorOverlay::Highlight) {
        m_highlight.reset(MakeWindow(L"TuvoFloorHighlight", kPointerHighlightTitle,
                                     kOverlayExStyle, WS_POPUP, RectAt(POINT{0, 0}, kHighlightSize),
                                     nullptr));
        if (!m_highlight) {
            return false;
        }
        ::SetLayeredWindowAttributes(m_highlight.get(), kHighlightUnusedKey,
                                     static_cast<BYTE>(AlphaFromPercent(50)), LWA_ALPHA);
        if (m_scenario.region) {
            // The window owns the region from here on.
            ::SetWindowRgn(m_highlight.get(),
                           ::CreateEllipticRgn(0, 0, kHighlightSize.cx, kHighlightSize.cy), TRUE);
        }
        ::SetTimer(m_highlight.get(), IDT_FOLLOW, kFollowPeriodMs, nullptr);
    }
    ::ShowWindow(m_panel.get(), SW_SHOWNOACTIVATE);
    ::SetTimer(m_panel.get(), IDT_FOLLOW, kFollowPeriodMs, nullptr);
    if (!m_scenario.oneTimer) {
        ::SetTimer(m_lens.get(), IDT_FOLLOW, kFollowPeriodMs, nullptr);
    }
    return true;
}

LRESULT Floor::Handle(HWND w, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        if (wParam == IDT_FOLLOW) {
            if (w == m_panel.get()) {
                PanelTick();
            } else if (w == m_lens.get()) {
                LensTick();
            } else if (w == m_highlight.get()) {
                HighlightTick();
            }
        }
        return 0;
    case WM_ERASEBKGND:
        if (w == m_lens.get() || w == m_trail.get()) {
            return TRUE;  // the lens paints nothing, the trail all of what it repaints
        }
        break;
    case WM_PAINT:
        if (w == m_trail.get()) {
            PaintTrail(w);
            return 0;
        }
        break;
    case WM_CLOSE:
        if (w == m_panel.get()) {
            ::PostQuitMessage(0);
            return 0;
        }
        break;
    default:
        break;
    }
    return ::DefWindowProcW(w, message, wParam, lParam);
}

// The panel's tick: the pointer into the trail history, then the trail (or its hidden check).
void Floor::PanelTick()
{
    POINT p = m_history[0];
    ::GetCursorPos(&p);
    std::copy_backward(std::begin(m_history), std::end(m_history) - 1, std::end(m_history));
    m_history[0] = p;
    if (m_scenario.overlay == FloorOverlay::Trail) {
        TrailTick(p);
    } else {
        IsShown(m_trail.get());
        if (m_scenario.lookup) {
            // In OFF no overlay looks; this floor's lookup stands on its own.
            ::FindWindowW(nullptr, kCompanionTitle);
        }
    }
    if (m_scenario.oneTimer) {
        LensTick();
    }
}

void Floor::LensTick()
{
    if (m_scenario.overlay != FloorOverlay::Lens) {
        IsShown(m_lens.get());  // the inactive lens's tick: it stays hidden
        return;
    }
    POINT p{};
    if (::GetCursorPos(&p)) {
        ShowAt(m_lens.get(), CentredOn(p, kLensSize));
    }
}

void Floor::HighlightTick()
{
    POINT p{};
    if (!::GetCursorPos(&p)) {
        return;
    }
    RECT size{};
    ::GetWindowRect(m_highlight.get(), &size);  // the highlight reads its size on every tick
    ShowAt(m_highlight.get(), CentredOn(p, kHighlightSize));
}

void Floor::ShowAt(HWND overlay, const RECT& wanted)
{
    RECT target = wanted;
    if (m_scenario.onScreen) {
        const int right = ::GetSystemMetrics(SM_CXSCREEN);
        const int bottom = ::GetSystemMetrics(SM_CYSCREEN);
        ::OffsetRect(&target, std::min(0L, right - target.right) + std::max(0L, -target.left),
                     std::min(0L, bottom - target.bottom) + std::max(0L, -target.top));
    }
    bool shown = IsShown(overlay);
    RECT now{};
    ::GetWindowRect(overlay, &now);
    bool stacked = (::GetWindowLongW(overlay, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (m_scenario.reads) {
        RECT panel{};
        ::GetWindowRect(m_panel.get(), &panel);  // the test for the pointer over the panel
        // What Tuvo's rule asks for: top-most with nothing above, or behind the companion.
        stacked = stacked && ::GetWindow(overlay, GW_HWNDPREV) == nullptr;
    }
    if (m_scenario.lookup) {
        if (HWND companion = ::FindWindowW(nullptr, kCompanionTitle)) {
            ::IsWindowVisible(companion);
        }
    }
    UINT flags = SWP_NOACTIVATE;
    if (now.left == target.left && now.top == target.top) {
        flags |= SWP_NOMOVE;
    }
    if (now.right - now.left == target.right - target.left &&
        now.bottom - now.top == target.bottom - target.top) {
        flags |= SWP_NOSIZE;
    }
    if (stacked) {
        flags |= SWP_NOZORDER | SWP_NOOWNERZORDER;
    }
    if (!shown) {
        flags |= SWP_SHOWWINDOW;
    }
    const UINT inPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER;
    if ((flags & inPlace) == inPlace && shown) {
        return;
    }
    Move(overlay, target, flags);
}

void Floor::Move(HWND overlay, const RECT& target, UINT flags)
{
    const int x = target.left;
    const int y = target.top;
    const int cx = target.right - target.left;
    const int cy = target.bottom - target.top;
    // Showing and restacking always go through SetWindowPos: the forms compared are those of a
    // move of a shown window in its place.
    const bool onlyMove = (flags & (SWP_SHOWWINDOW | SWP_NOZORDER)) == SWP_NOZORDER;
    if (!onlyMove || m_scenario.move == FloorMove::SetWindowPos) {
        ::SetWindowPos(overlay, HWND_TOPMOST, x, y, cx, cy, flags | m_scenario.extraMoveFlags);
        return;
    }
    switch (m_scenario.move) {
    case FloorMove::MoveWindow:
        ::MoveWindow(overlay, x, y, cx, cy, TRUE);
        break;
    case FloorMove::DeferWindowPos: {
        HDWP batch = ::BeginDeferWindowPos(1);
        batch = ::DeferWindowPos(batch, overlay, nullptr, x, y, cx, cy,
                                 flags | m_scenario.extraMoveFlags);
        ::EndDeferWindowPos(batch);
        break;
    }
    case FloorMove::SetWindowPos:
        break;
    }
}

void Floor::TrailTick(POINT p)
{
    const RECT previousInk = m_ink;
    const bool changed = DrawTrail(p);
    ShowAt(m_trail.get(), CentredOn(p, kTrailSize));
    if (changed && m_scenario.paint != FloorPaint::None) {
        // The old trail and the new.
        RECT update{};
        ::UnionRect(&update, &previousInk, &m_ink);
        ::InvalidateRect(m_trail.get(), &update, TRUE);
    }
}

// The history relative to its newest point, mapped to the surface with the newest point at its
// centre; the ink is its bounding box widened by the pen. The picture is drawn again only when
// that relative shape changed, as Tuvo's trail does: a pointer at rest draws nothing.
bool Floor::DrawTrail(POINT p)
{
    POINT shape[kTrailPoints];
    RECT ink{kTrailSize.cx, kTrailSize.cy, 0, 0};
    for (int i = 0; i < kTrailPoints; ++i) {
        shape[i] = POINT{m_history[i].x - p.x + kTrailSize.cx / 2,
                         m_history[i].y - p.y + kTrailSize.cy / 2};
        ink.left = std::min(ink.left, shape[i].x - kTrailPenPixels);
        ink.top = std::min(ink.top, shape[i].y - kTrailPenPixels);
        ink.right = std::max(ink.right, shape[i].x + kTrailPenPixels);
        ink.bottom = std::max(ink.bottom, shape[i].y + kTrailPenPixels);
    }
    if (m_drawnValid && std::equal(std::begin(shape), std::end(shape), std::begin(m_drawn),
                                   [](POINT a, POINT b) { return a.x == b.x && a.y == b.y; })) {
        return false;
    }
    const RECT surface = RectAt(POINT{0, 0}, kTrailSize);
    ::IntersectRect(&ink, &ink, &surface);
    if (m_scenario.draw) {
        BrushHandle key(::CreateSolidBrush(kTrailKey));
        ::FillRect(m_surface->Dc(), &m_ink, key.get());
        Gdiplus::GpGraphics* graphics = nullptr;
        Gdiplus::GpPen* pen = nullptr;
        Gdiplus::DllExports::GdipCreateFromHDC(m_surface->Dc(), &graphics);
        Gdiplus::DllExports::GdipCreatePen1(kTrailLine, kTrailPenPixels, Gdiplus::UnitWorld, &pen);
        Gdiplus::Point points[kTrailPoints];
        for (int i = 0; i < kTrailPoints; ++i) {
            points[i] = Gdiplus::Point(shape[i].x, shape[i].y);
        }
        Gdiplus::DllExports::GdipDrawCurveI(graphics, pen, points, kTrailPoints);
        Gdiplus::DllExports::GdipDeletePen(pen);
        Gdiplus::DllExports::GdipDeleteGraphics(graphics);
    }
    std::copy(std::begin(shape), std::end(shape), std::begin(m_drawn));
    m_drawnValid = true;
    m_ink = ink;
    return true;
}

void Floor::PaintTrail(HWND w)
{
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(w, &paint);
    const RECT& part = paint.rcPaint;
    const int width = part.right - part.left;
    const int height = part.bottom - part.top;
    if (m_scenario.paint == FloorPaint::Copy) {
        ::BitBlt(dc, part.left, part.top, width, height, m_surface->Dc(), part.left, part.top,
                 SRCCOPY);
    } else {
        ::SetStretchBltMode(dc, HALFTONE);
        ::StretchBlt(dc, part.left, part.top, width, height, m_surface->Dc(), part.left,
                     part.top, width, height, SRCCOPY);
    }
    ::EndPaint(w, &paint);
}

}  // namespace

int main(int argc, char** argv)
{
    const FloorScenario* scenario = argc > 1 ? FindFloorScenario(argv[1]) : nullptr;
    if (scenario == nullptr) {
        std::fprintf(stderr, "usage: tuvo_floor <scenario>; scenarios:");
        for (const FloorScenario& s : kFloorScenarios) {
            std::fprintf(stderr, " %s", s.name);
        }
        std::fprintf(stderr, "\n");
        return 2;
    }
    Floor floor(*scenario);
    if (!floor.Create(::GetModuleHandleW(nullptr))) {
        std::fprintf(stderr, "tuvo_floor: the windows could not be made\n");
        return 1;
    }
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
