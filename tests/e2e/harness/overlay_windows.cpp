#include "harness/overlay_windows.h"

#include "harness/windows.h"
#include "overlays/overlay_timer.h"
#include "overlays/overlay_titles.h"

namespace {
const DWORD kFewTicksMs = 3000;  // generous: the machine may be busy
const UINT kAnswerTimeoutMs = 5000;
}  // namespace

HWND FindPointerHighlight(const TuvoProcess& tuvo)
{
    return FindTopLevelWindow(tuvo.Pid(), kPointerHighlightTitle);
}

HWND FindLens(const TuvoProcess& tuvo)
{
    for (HWND w : TopLevelWindowsOf(tuvo.Pid())) {
        if (ClassNameOf(w) == L"#32770" && WindowText(w).empty() &&
            ::GetWindow(w, GW_OWNER) == nullptr && (ExStyleOf(w) & WS_EX_LAYERED)) {
            return w;
        }
    }
    return nullptr;
}

HWND FindRibbon(const TuvoProcess& tuvo)
{
    HWND found = nullptr;
    int count = 0;
    for (HWND w : TopLevelWindowsOf(tuvo.Pid())) {
        if (::GetWindow(w, GW_OWNER) == tuvo.MainWindow() && (ExStyleOf(w) & WS_EX_LAYERED)) {
            found = w;
            ++count;
        }
    }
    return count == 1 ? found : nullptr;
}

Rect BoxCentredOn(Point p, int width, int height)
{
    const int left = p.x - width / 2;
    const int top = p.y - height / 2;
    return Rect{left, top, left + width, top + height};
}

bool ShowsSoonAt(HWND window, const Rect& expected)
{
    return WaitUntil([&] { return ::IsWindowVisible(window) && RectOf(window) == expected; },
                     kFewTicksMs);
}

bool ShowsCentredOn(HWND window, Point p)
{
    return WaitUntil(
        [&] {
            const Rect r = RectOf(window);
            return ::IsWindowVisible(window) && r == BoxCentredOn(p, r.Width(), r.Height());
        },
        kFewTicksMs);
}

std::string PlaceOf(HWND window)
{
    if (!::IsWindow(window)) {
        return "no window";
    }
    const Rect r = RectOf(window);
    POINT pointer{};
    ::GetCursorPos(&pointer);
    return std::string(::IsWindowVisible(window) ? "shown" : "hidden") + " at " +
           std::to_string(r.left) + "," + std::to_string(r.top) + " size " +
           std::to_string(r.Width()) + "x" + std::to_string(r.Height()) + ", pointer at " +
           std::to_string(pointer.x) + "," + std::to_string(pointer.y);
}

bool HidesSoon(HWND window)
{
    return WaitUntil([&] { return !::IsWindowVisible(window); }, kFewTicksMs);
}

bool SendTick(HWND window)
{
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(window, WM_TIMER, IDT_FOLLOW, 0, SMTO_ABORTIFHUNG,
                                 kAnswerTimeoutMs, &result) != 0;
}

bool PointAndTick(HWND window, Point p)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        ::SetCursorPos(p.x, p.y);
        if (!SendTick(window)) {
            return false;
        }
        POINT now{};
        ::GetCursorPos(&now);
        if (now.x == p.x && now.y == p.y) {
            return true;
        }
    }
    return false;
}

void ChooseModeAt(const TuvoProcess& tuvo, int radioId, Point p)
{
    MovePointerTo(p);
    tuvo.Click(radioId);
    // Under Wine the pointer was seen to go back where it had been about 100 ms after the
    // click, when the display had not taken the move yet: it is placed again.
    MovePointerTo(p);
}
