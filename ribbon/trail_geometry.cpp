#include "ribbon/trail_geometry.h"

#include <climits>
#include <cstdint>

namespace {

constexpr int POINTS_PER_INCH = 72;

// Squeezes offsets (0 .. span) into 0 .. limit when the span exceeds the limit: the ratio is
// formed first and each offset multiplied by it, then truncated. Offsets are 64-bit because
// the span of two 32-bit coordinates may not fit in an int; the results always do.
void ScaleOffsets(const std::array<int64_t, TRAIL_POINTS>& offsets, int64_t span, int limit,
                  std::array<int, TRAIL_POINTS>& scaled)
{
    // span > 0: a resting cursor never divides by zero, whatever size the surface reports.
    if (span > limit && span > 0) {
        const double ratio = static_cast<double>(limit) / static_cast<double>(span);
        for (int i = 0; i < TRAIL_POINTS; ++i) {
            scaled[i] = static_cast<int>(static_cast<double>(offsets[i]) * ratio);
        }
    } else {
        for (int i = 0; i < TRAIL_POINTS; ++i) {
            scaled[i] = static_cast<int>(offsets[i]);
        }
    }
}

// Fits one axis: subtract the minimum, scale if needed, then centre on the truncated half.
template <typename Get>
void FitAxis(const TrailPoints& history, int limit, Get get, std::array<int, TRAIL_POINTS>& out)
{
    int lowest = get(history[0]);
    int highest = lowest;
    for (int i = 1; i < TRAIL_POINTS; ++i) {
        const int v = get(history[i]);
        if (v < lowest) lowest = v;
        if (v > highest) highest = v;
    }

    std::array<int64_t, TRAIL_POINTS> offsets;
    for (int i = 0; i < TRAIL_POINTS; ++i) {
        offsets[i] = static_cast<int64_t>(get(history[i])) - lowest;
    }
    const int64_t span = static_cast<int64_t>(highest) - lowest;
    ScaleOffsets(offsets, span, limit, out);

    // The smallest value is 0 again, so the largest alone gives the half extent.
    int largest = out[0];
    for (int i = 1; i < TRAIL_POINTS; ++i) {
        if (out[i] > largest) largest = out[i];
    }
    const int half = largest / 2;
    for (int i = 0; i < TRAIL_POINTS; ++i) {
        out[i] -= half;
    }
}

}  // namespace

void FillTrailHistory(TrailPoints& history, Point cursor)
{
    history.fill(cursor);
}

void PushTrailHistory(TrailPoints& history, Point cursor)
{
    for (int i = TRAIL_POINTS - 1; i > 0; --i) {
        history[i] = history[i - 1];
    }
    history[0] = cursor;
}

void FitTrail(const TrailPoints& history, int surfaceWidth, int surfaceHeight,
              TrailPoints& fitted)
{
    std::array<int, TRAIL_POINTS> xs;
    std::array<int, TRAIL_POINTS> ys;
    FitAxis(history, surfaceWidth, [](Point p) { return p.x; }, xs);
    FitAxis(history, surfaceHeight, [](Point p) { return p.y; }, ys);
    for (int i = 0; i < TRAIL_POINTS; ++i) {
        fitted[i] = Point{xs[i], ys[i]};
    }
}

int MulDivRounded(int number, int numerator, int denominator)
{
    if (denominator == 0) {
        return -1;
    }
    const int64_t product = static_cast<int64_t>(number) * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    const int64_t magnitude = product < 0 ? -product : product;
    const int64_t divisor = denominator < 0 ? -static_cast<int64_t>(denominator) : denominator;
    // Adding half the divisor before truncating rounds halves away from zero.
    const int64_t rounded = (magnitude + divisor / 2) / divisor;
    const int64_t result = negative ? -rounded : rounded;
    if (result < INT_MIN || result > INT_MAX) {
        return -1;
    }
    return static_cast<int>(result);
}

int PenWidthPixels(int points, int dpi)
{
    return MulDivRounded(points, dpi, POINTS_PER_INCH);
}

Point GetSurfacePoint(int half, Point fitted, int surfaceWidth, int surfaceHeight)
{
    const int margin = TRAIL_MARGIN + half;
    int x = surfaceWidth / 2 + fitted.x;
    int y = surfaceHeight / 2 + fitted.y;
    if (x < margin) x = margin;
    if (x >= surfaceWidth - margin) x = surfaceWidth - margin - 1;
    if (y < margin) y = margin;
    if (y >= surfaceHeight - margin) y = surfaceHeight - margin - 1;
    return Point{x, y};
}

TrailHalfWidths GetTrailHalfWidths(int linePixels, int dotPixels, bool lineOn, bool dotsOn)
{
    TrailHalfWidths halves;
    halves.vertex = linePixels / 2;
    // Dots drawn over a line sit exactly on its vertices.
    halves.dot = lineOn ? linePixels / 2 : dotPixels / 2;
    halves.head = dotsOn ? halves.dot : dotPixels / 2;
    return halves;
}

Point GetTrailHead(const TrailPoints& fitted, int headHalf, int surfaceWidth, int surfaceHeight)
{
    return GetSurfacePoint(headHalf, fitted[0], surfaceWidth, surfaceHeight);
}

Point GetTrailWindowOrigin(Point newest, Point head)
{
    return Point{newest.x - head.x, newest.y - head.y};
}

void MapTrailToSurface(const TrailPoints& fitted, int half, int surfaceWidth, int surfaceHeight,
                       TrailPoints& surface)
{
    for (int i = 0; i < TRAIL_POINTS; ++i) {
        surface[i] = GetSurfacePoint(half, fitted[i], surfaceWidth, surfaceHeight);
    }
}

TrailFrame ComputeTrailFrame(const TrailPoints& history, int surfaceWidth, int surfaceHeight,
                             int dpi, const TrailStyle& style)
{
    TrailFrame frame;
    FitTrail(history, surfaceWidth, surfaceHeight, frame.fitted);
    frame.linePixels = PenWidthPixels(style.lineWidthPoints, dpi);
    frame.dotPixels = PenWidthPixels(style.dotWidthPoints, dpi);
    frame.halves =
        GetTrailHalfWidths(frame.linePixels, frame.dotPixels, style.lineOn, style.dotsOn);
    frame.head = GetTrailHead(frame.fitted, frame.halves.head, surfaceWidth, surfaceHeight);
    frame.origin = GetTrailWindowOrigin(history[0], frame.head);
    return frame;
}

bool SamePicture(const TrailFrame& a, const TrailFrame& b)
{
    return a.fitted == b.fitted && a.linePixels == b.linePixels && a.dotPixels == b.dotPixels &&
           a.halves.vertex == b.halves.vertex && a.halves.dot == b.halves.dot &&
           a.halves.head == b.halves.head;
}
