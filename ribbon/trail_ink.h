#pragma once
// The part of the surface a trail frame's strokes can touch. A tick clears only what the
// previous frame drew and has only the union of both repainted, instead of the whole window.
// Portable: no platform header.
#include "framework/geometry.h"
#include "ribbon/trail_geometry.h"

// How the frame is drawn.
struct TrailLook {
    bool lineOn = true;
    bool dotsOn = true;
    bool curve = true;  // the line as a cardinal spline; otherwise a polyline with round joins
};

// A rectangle that holds every pixel the frame's line and dots can set, clamped to the surface;
// empty when nothing is drawn. It errs on the large side: the spline may swing past its points
// and a mitred corner of its stroke may reach out several pen widths.
Rect TrailInkBounds(const TrailFrame& frame, const TrailLook& look, int surfaceWidth,
                    int surfaceHeight);

// The smallest rectangle holding both; an empty one adds nothing.
Rect UnionOf(const Rect& a, const Rect& b);

inline bool IsEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }
