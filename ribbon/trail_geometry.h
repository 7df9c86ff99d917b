#pragma once
// Arithmetic of the ribbon trail: the history of the last cursor positions, its fit into the
// drawing surface, the mapping of fitted points to surface pixels with a free margin at the
// edges, and the window origin that puts the newest position under the pointer.
// Portable: no platform header, nothing allocated; the ribbon window runs it every tick.

#include <array>

#include "framework/geometry.h"

// Positions kept and drawn: 15 ticks of 50 ms span the last 0.7 s of movement.
constexpr int TRAIL_POINTS = 15;
// Fixed part, in pixels, of the margin kept free at each surface edge.
constexpr int TRAIL_MARGIN = 30;

// The trail's points, index 0 the newest and TRAIL_POINTS - 1 the oldest. Used both for the
// cursor history in screen coordinates and for the fitted points relative to the surface centre.
using TrailPoints = std::array<Point, TRAIL_POINTS>;

// Collapses the whole history into one position (the cursor at set-up).
void FillTrailHistory(TrailPoints& history, Point cursor);

// Shifts every entry one place older, dropping the oldest, and stores cursor as the newest.
void PushTrailHistory(TrailPoints& history, Point cursor);

// Translates the history so its minimum is at 0, squeezes each axis that is wider than the
// surface (independently, never enlarging) and centres the result on (0, 0).
void FitTrail(const TrailPoints& history, int surfaceWidth, int surfaceHeight,
              TrailPoints& fitted);

// number * numerator / denominator on a 64-bit product, rounded to the nearest integer with
// halves away from zero; -1 when the denominator is 0 or the result does not fit in an int.
// These are the rounding and failure values of the window system's own helper.
int MulDivRounded(int number, int numerator, int denominator);

// A width in points (1/72 inch) as pixels at the given vertical resolution.
int PenWidthPixels(int points, int dpi);

// Maps a fitted point to a surface pixel, keeping TRAIL_MARGIN + half free at every edge.
// The lower bound is applied before the upper one, so on a surface too small for both margins
// the upper bound wins.
Point GetSurfacePoint(int half, Point fitted, int surfaceWidth, int surfaceHeight);

// Half pen widths (truncated toward zero) used as the extra margin of each kind of point.
struct TrailHalfWidths {
    int vertex = 0;  // every vertex of the line
    int dot = 0;     // every dot, when dots are drawn
    int head = 0;    // the head: the first dot's half, or the dot pen's half when dots are off
};

TrailHalfWidths GetTrailHalfWidths(int linePixels, int dotPixels, bool lineOn, bool dotsOn);

// The surface pixel at which the newest position is drawn.
Point GetTrailHead(const TrailPoints& fitted, int headHalf, int surfaceWidth, int surfaceHeight);

// Top-left corner of the window that puts the head pixel exactly under the newest position.
Point GetTrailWindowOrigin(Point newest, Point head);

// Maps every fitted point with the same half width, in index order.
void MapTrailToSurface(const TrailPoints& fitted, int half, int surfaceWidth, int surfaceHeight,
                       TrailPoints& surface);

// What the ribbon's look contributes to one frame.
struct TrailStyle {
    int lineWidthPoints = 5;
    int dotWidthPoints = 5;
    bool lineOn = true;
    bool dotsOn = true;
};

// Everything one ribbon tick computes before drawing and placing the window.
struct TrailFrame {
    TrailPoints fitted{};  // relative to the surface centre
    int linePixels = 0;    // line pen width
    int dotPixels = 0;     // dot pen width
    TrailHalfWidths halves;
    Point head;            // surface pixel of the newest position
    Point origin;          // window top-left corner in screen coordinates
};

// True when two frames draw the same pixels on the surface: the same fitted points with the
// same pens. Where the window goes (the origin) does not change the picture.
bool SamePicture(const TrailFrame& a, const TrailFrame& b);

// The whole chain of one tick: fit, pen widths, half widths, head and window origin.
TrailFrame ComputeTrailFrame(const TrailPoints& history, int surfaceWidth, int surfaceHeight,
                             int dpi, const TrailStyle& style);
