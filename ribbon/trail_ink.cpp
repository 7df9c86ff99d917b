#include "ribbon/trail_ink.h"

#include <algorithm>
#include <cstdlib>

namespace {

// The spline's Bezier control points lie at most a third of the chord between a point's two
// neighbours away from the point (at the highest tension); the curve stays inside their hull.
constexpr int kSplineReachDivisor = 3;
// A mitred join may reach out up to the miter limit (10) times half the pen's width.
constexpr int kMiterHalfWidths = 10;
// Whole pixels around every stroke, for rounding in the rasteriser.
constexpr int kRoundingPixels = 2;

class Extent {
public:
    void Add(Point p, int reach)
    {
        if (m_empty) {
            m_r = Rect{p.x - reach, p.y - reach, p.x + reach + 1, p.y + reach + 1};
            m_empty = false;
            return;
        }
        m_r.left = std::min(m_r.left, p.x - reach);
        m_r.top = std::min(m_r.top, p.y - reach);
        m_r.right = std::max(m_r.right, p.x + reach + 1);
        m_r.bottom = std::max(m_r.bottom, p.y + reach + 1);
    }
    Rect ClampedTo(int width, int height) const
    {
        if (m_empty) {
            return Rect{};
        }
        const Rect r{std::max(m_r.left, 0), std::max(m_r.top, 0), std::min(m_r.right, width),
                     std::min(m_r.bottom, height)};
        return IsEmpty(r) ? Rect{} : r;
    }

private:
    Rect m_r;
    bool m_empty = true;
};

int CeilDiv(int n, int d) { return n >= 0 ? (n + d - 1) / d : -((-n) / d); }

}  // namespace

Rect TrailInkBounds(const TrailFrame& frame, const TrailLook& look, int surfaceWidth,
                    int surfaceHeight)
{
    Extent ink;
    if (look.lineOn) {
        TrailPoints vertices;
        MapTrailToSurface(frame.fitted, frame.halves.vertex, surfaceWidth, surfaceHeight,
                          vertices);
        const int half = (frame.linePixels + 1) / 2;
        const int reach = (look.curve ? kMiterHalfWidths * half : half) + kRoundingPixels;
        for (int i = 0; i < TRAIL_POINTS; ++i) {
            const Point p = vertices[i];
            ink.Add(p, reach);
            if (look.curve) {
                const Point before = vertices[std::max(i - 1, 0)];
                const Point after = vertices[std::min(i + 1, TRAIL_POINTS - 1)];
                const int dx = CeilDiv(std::abs(after.x - before.x), kSplineReachDivisor);
                const int dy = CeilDiv(std::abs(after.y - before.y), kSplineReachDivisor);
                ink.Add(Point{p.x - dx, p.y - dy}, reach);
                ink.Add(Point{p.x + dx, p.y + dy}, reach);
            }
        }
    }
    if (look.dotsOn) {
        TrailPoints dots;
        MapTrailToSurface(frame.fitted, frame.halves.dot, surfaceWidth, surfaceHeight, dots);
        const int reach = (frame.dotPixels + 1) / 2 + kRoundingPixels;
        for (const Point& p : dots) {
            ink.Add(p, reach);
        }
    }
    return ink.ClampedTo(surfaceWidth, surfaceHeight);
}

Rect UnionOf(const Rect& a, const Rect& b)
{
    if (IsEmpty(a)) {
        return b;
    }
    if (IsEmpty(b)) {
        return a;
    }
    return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}
