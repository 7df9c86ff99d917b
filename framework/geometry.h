#pragma once
// Plain screen-geometry values shared by the portable core and the window classes.
// No platform header here: this file compiles natively for the unit tests and benchmarks.

// A pixel position on the virtual screen; negative left of or above the primary monitor.
struct Point {
    int x = 0;
    int y = 0;
};

inline bool operator==(Point a, Point b) { return a.x == b.x && a.y == b.y; }
inline bool operator!=(Point a, Point b) { return !(a == b); }

// A rectangle with exclusive right and bottom edges, as the window system keeps them.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

inline bool operator==(const Rect& a, const Rect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }

// Hit test with the window system's edge rule: the left and top edges are inside,
// the right and bottom edges are outside.
inline bool PointInRect(const Rect& r, Point p)
{
    return r.left <= p.x && p.x < r.right && r.top <= p.y && p.y < r.bottom;
}
