#include "harness/trail_expectations.h"

#include "harness/windows.h"

const TrailStyle kPanelStyle{5, 5, true, false};

int SurfaceDpi()
{
    HDC dc = ::CreateCompatibleDC(nullptr);
    const int dpi = ::GetDeviceCaps(dc, LOGPIXELSY);
    ::DeleteDC(dc);
    return dpi;
}

TrailPoints History(std::initializer_list<Point> newestFirst)
{
    TrailPoints history;
    history.fill(*(newestFirst.end() - 1));
    int i = 0;
    for (Point p : newestFirst) {
        history[i++] = p;
    }
    return history;
}

TrailFrame ExpectedFrame(HWND ribbon, const TrailPoints& history)
{
    const Rect r = RectOf(ribbon);
    return ComputeTrailFrame(history, r.Width(), r.Height(), SurfaceDpi(), kPanelStyle);
}

bool ShownAt(HWND ribbon, Point origin, DWORD timeoutMs)
{
    return WaitUntil(
        [&] {
            const Rect r = RectOf(ribbon);
            return ::IsWindowVisible(ribbon) && r.left == origin.x && r.top == origin.y;
        },
        timeoutMs);
}

Point CentredOrigin(HWND ribbon, Point p)
{
    const Rect r = RectOf(ribbon);
    return Point{p.x - r.Width() / 2, p.y - r.Height() / 2};
}
