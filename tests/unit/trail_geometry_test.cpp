#include "ribbon/trail_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdlib>
#include <initializer_list>
#include <new>
#include <ostream>

// Counts heap allocations so a test can prove the per-tick chain makes none.
static std::atomic<long> g_allocations{0};

void* operator new(std::size_t size)
{
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

std::ostream& operator<<(std::ostream& os, Point p)
{
    return os << "(" << p.x << ", " << p.y << ")";
}

namespace {

// A history set up at `start` and then pushed with `moves` in order.
TrailPoints HistoryOf(Point start, std::initializer_list<Point> moves)
{
    TrailPoints history;
    FillTrailHistory(history, start);
    for (Point p : moves) PushTrailHistory(history, p);
    return history;
}

TrailPoints Fit(const TrailPoints& history, int width, int height)
{
    TrailPoints fitted;
    FitTrail(history, width, height, fitted);
    return fitted;
}

// Width of the fitted trail along x: the scaled span.
int FittedSpanX(const TrailPoints& fitted)
{
    auto [lo, hi] = std::minmax_element(fitted.begin(), fitted.end(),
                                        [](Point a, Point b) { return a.x < b.x; });
    return hi->x - lo->x;
}

const TrailPoints kWorkedHistory = HistoryOf(
    {200, 300}, {{400, 420}, {650, 560}, {900, 700}, {1150, 820}, {1300, 900}});

// ---- History -------------------------------------------------------------------------------

TEST(TrailHistory, FillThenPushesAgeTheSetUpPositionOut)
{
    const Point setUp{-7, 42};
    TrailPoints history;
    FillTrailHistory(history, setUp);
    for (Point p : history) EXPECT_EQ(p, setUp);

    for (int pushes = 1; pushes <= TRAIL_POINTS; ++pushes) {
        PushTrailHistory(history, Point{pushes, -pushes});
        // Entry i holds push number (pushes - i); entries older than every push keep set-up.
        for (int i = 0; i < TRAIL_POINTS; ++i) {
            const Point expected = i < pushes ? Point{pushes - i, i - pushes} : setUp;
            EXPECT_EQ(history[i], expected) << "after " << pushes << " pushes, entry " << i;
        }
    }
}

// ---- Fit -----------------------------------------------------------------------------------

TEST(TrailFit, WorkedExample)
{
    const TrailPoints fitted = Fit(kWorkedHistory, 750, 413);
    const Point expected[TRAIL_POINTS] = {
        {375, 207}, {272, 151}, {102, 69}, {-69, -28}, {-239, -124},
        {-375, -206}, {-375, -206}, {-375, -206}, {-375, -206}, {-375, -206},
        {-375, -206}, {-375, -206}, {-375, -206}, {-375, -206}, {-375, -206},
    };
    for (int i = 0; i < TRAIL_POINTS; ++i) EXPECT_EQ(fitted[i], expected[i]) << "entry " << i;
}

// The ratio is formed before the product; x * W / span would give W for every case here.
TEST(TrailFit, RatioThenProductDecidesTheFarEnd)
{
    struct Case {
        int span;
        int farEnd;
    };
    const Case cases[] = {
        {1300, 749}, {1123, 749}, {1147, 749}, {1156, 749}, {1206, 749}, {1100, 750},
    };
    for (const Case& c : cases) {
        const TrailPoints fitted = Fit(HistoryOf({0, 0}, {{c.span, 0}}), 750, 413);
        EXPECT_EQ(FittedSpanX(fitted), c.farEnd) << "span " << c.span;
        // Centring uses the truncated half of the far end.
        EXPECT_EQ(fitted[0].x, c.farEnd - c.farEnd / 2) << "span " << c.span;
        EXPECT_EQ(fitted[1].x, -(c.farEnd / 2)) << "span " << c.span;
    }
}

// A span equal to the surface is left alone, one more is squeezed; each axis on its own.
TEST(TrailFit, ScalesOnlyAnAxisWiderThanTheSurface)
{
    struct Case {
        int spanX, spanY;
        Point middleFitted;  // fitted position of a point at offset (333, 111)
    };
    const Case cases[] = {
        {750, 413, {333 - 375, 111 - 206}},  // both equal: untouched
        {751, 413, {332 - 375, 111 - 206}},  // 333 * (750 / 751) = 332.55: x only
        {750, 414, {333 - 375, 110 - 206}},  // 111 * (413 / 414) = 110.73: y only
        {500, 300, {333 - 250, 111 - 150}},  // never enlarged
    };
    for (const Case& c : cases) {
        const TrailPoints history =
            HistoryOf({0, 0}, {{c.spanX, c.spanY}, {333, 111}});
        const TrailPoints fitted = Fit(history, 750, 413);
        EXPECT_EQ(fitted[0], c.middleFitted) << "span " << c.spanX << " x " << c.spanY;
    }
}

TEST(TrailFit, SameMovementAnywhereGivesSameFit)
{
    const TrailPoints reference = Fit(kWorkedHistory, 750, 413);
    const Point offsets[] = {{-5000, -3000}, {-1300, -900}, {-800, 100}, {30000, 20000}};
    for (Point d : offsets) {
        TrailPoints moved = kWorkedHistory;
        for (Point& p : moved) p = Point{p.x + d.x, p.y + d.y};
        EXPECT_EQ(Fit(moved, 750, 413), reference) << "offset " << d;
    }
}

TEST(TrailFit, DegenerateInputsStayInRange)
{
    // A surface that could not be created (0 x 0) squeezes any trail to one point.
    for (Point p : Fit(kWorkedHistory, 0, 0)) EXPECT_EQ(p, Point{});

    // Coordinates at the ends of the int range: the span does not fit in an int.
    const TrailPoints extreme = HistoryOf({INT_MIN, INT_MAX}, {{INT_MAX, INT_MIN}, {0, 0}});
    const TrailPoints fitted = Fit(extreme, 750, 413);
    for (Point p : fitted) {
        EXPECT_GE(p.x, -375);
        EXPECT_LE(p.x, 375);
        EXPECT_GE(p.y, -206);
        EXPECT_LE(p.y, 207);
    }
    EXPECT_EQ(fitted[0].x, 0);  // the middle of the range stays in the middle
    EXPECT_GE(FittedSpanX(fitted), 749);
}

// ---- Pen width -----------------------------------------------------------------------------

TEST(TrailPenWidth, RoundsLikeTheWindowSystem)
{
    struct Case {
        int number, numerator, denominator, expected;
    };
    const Case cases[] = {
        {2, 96, 72, 3},      // 2.67
        {5, 96, 72, 7},      // 6.67
        {10, 96, 72, 13},    // 13.33
        {1, 36, 72, 1},      // 0.5: half away from zero
        {3, 36, 72, 2},      // 1.5
        {-1, 36, 72, -1},    // -0.5
        {-3, 36, 72, -2},    // -1.5
        {3, 36, -72, -2},    // negative divisor
        {-3, -36, -72, -2},
        {-5, 96, 72, -7},
        {1, 1, 3, 0},        // 0.33 rounds down
        {2, 1, 3, 1},        // 0.67 rounds up
        {-2, 1, 3, -1},
        {0, 96, 72, 0},
        {5, 96, 0, -1},      // no divisor
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX},  // the product needs 64 bits
        {INT_MIN, 1, 1, INT_MIN},
        {INT_MAX, 2, 1, -1},  // the result does not fit
        {INT_MIN, -1, 1, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MulDivRounded(c.number, c.numerator, c.denominator), c.expected)
            << c.number << " * " << c.numerator << " / " << c.denominator;
    }
    EXPECT_EQ(PenWidthPixels(5, 96), 7);
    EXPECT_EQ(PenWidthPixels(1, 108), 2);  // 1.5
    EXPECT_EQ(PenWidthPixels(-1, 108), -2);
    EXPECT_EQ(PenWidthPixels(5, 120), 8);  // 8.33
}

// ---- Surface point -------------------------------------------------------------------------

TEST(TrailSurfacePoint, ClampsLowerBoundThenUpperBound)
{
    struct Case {
        int half;
        Point fitted;
        int width, height;
        Point expected;
    };
    const Case cases[] = {
        {3, {0, 0}, 750, 413, {375, 206}},
        {3, {-342, -173}, 750, 413, {33, 33}},     // exactly on the lower bounds
        {3, {-343, -174}, 750, 413, {33, 33}},     // just below them
        {3, {341, 172}, 750, 413, {716, 378}},     // x one short of W - m: kept
        {3, {342, 173}, 750, 413, {716, 379}},     // x at W - m, y at H - m: both clamped
        {3, {375, 207}, 750, 413, {716, 379}},
        {0, {-1000, 1000}, 750, 413, {30, 382}},   // no pen: the fixed margin alone
        {-3, {-1000, 0}, 750, 413, {27, 206}},     // a negative half shrinks the margin
        {3, {0, 0}, 60, 60, {26, 26}},             // narrower than 2m + 1: upper bound wins
        {3, {-100, 100}, 60, 60, {26, 26}},
        {3, {0, 0}, 67, 67, {33, 33}},             // exactly 2m + 1: one usable pixel
        {3, {-7, -7}, 751, 413, {368, 199}},       // odd W: W / 2 truncates to 375
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetSurfacePoint(c.half, c.fitted, c.width, c.height), c.expected)
            << "half " << c.half << " point " << c.fitted << " on " << c.width << " x "
            << c.height;
    }
}

TEST(TrailSurfacePoint, WorkedExampleVertices)
{
    TrailPoints surface;
    MapTrailToSurface(Fit(kWorkedHistory, 750, 413), 3, 750, 413, surface);
    const Point expected[6] = {{716, 379}, {647, 357}, {477, 275},
                               {306, 178}, {136, 82}, {33, 33}};
    for (int i = 0; i < TRAIL_POINTS; ++i) {
        EXPECT_EQ(surface[i], expected[std::min(i, 5)]) << "entry " << i;
    }
}

// ---- Half widths, head and frame -----------------------------------------------------------

TEST(TrailHalfWidths, FollowTheLineAndDotFlags)
{
    struct Case {
        int linePx, dotPx;
        bool line, dots;
        int vertex, dot, head;
    };
    const Case cases[] = {
        {7, 13, true, false, 3, 3, 6},   // dots off: the head takes the dot pen's half
        {7, 13, true, true, 3, 3, 3},    // dots on a line sit on its vertices
        {7, 13, false, true, 3, 6, 6},   // dots alone use their own width
        {7, 13, false, false, 3, 6, 6},
        {-7, 3, true, true, -3, -3, -3}, // halves truncate toward zero
    };
    for (const Case& c : cases) {
        const TrailHalfWidths h = GetTrailHalfWidths(c.linePx, c.dotPx, c.line, c.dots);
        EXPECT_EQ(h.vertex, c.vertex) << c.linePx << "/" << c.dotPx << " " << c.line << c.dots;
        EXPECT_EQ(h.dot, c.dot) << c.linePx << "/" << c.dotPx << " " << c.line << c.dots;
        EXPECT_EQ(h.head, c.head) << c.linePx << "/" << c.dotPx << " " << c.line << c.dots;
    }
}

TEST(TrailFrame, WorkedExampleEndToEnd)
{
    const TrailStyle style{5, 5, true, false};
    const TrailFrame frame = ComputeTrailFrame(kWorkedHistory, 750, 413, 96, style);
    EXPECT_EQ(frame.fitted, Fit(kWorkedHistory, 750, 413));
    EXPECT_EQ(frame.linePixels, 7);
    EXPECT_EQ(frame.dotPixels, 7);
    EXPECT_EQ(frame.halves.vertex, 3);
    EXPECT_EQ(frame.head, (Point{716, 379}));  // clamped, and still put under the pointer
    EXPECT_EQ(frame.origin, (Point{584, 521}));
}

TEST(TrailFrame, CursorAtRestCentresTheWindowOnThePointer)
{
    const Point cursors[] = {{640, 480}, {-1500, -20}, {0, 0}};
    for (Point cursor : cursors) {
        TrailPoints history;
        FillTrailHistory(history, cursor);
        for (int i = 0; i < TRAIL_POINTS; ++i) PushTrailHistory(history, cursor);
        for (bool dots : {false, true}) {
            const TrailFrame frame =
                ComputeTrailFrame(history, 751, 413, 96, TrailStyle{5, 5, true, dots});
            for (Point p : frame.fitted) EXPECT_EQ(p, Point{});
            EXPECT_EQ(frame.head, (Point{375, 206}));
            EXPECT_EQ(frame.origin, (Point{cursor.x - 375, cursor.y - 206})) << cursor;
        }
    }
}

// Near an edge the head and the first vertex differ by the difference of their halves.
TEST(TrailFrame, HeadMarginFollowsTheDotRule)
{
    // Newest position far right and far down, so entry 0 is clamped on both axes.
    const TrailPoints history = HistoryOf({0, 0}, {{5000, 5000}});
    struct Case {
        TrailStyle style;
        int headHalf;
    };
    const Case cases[] = {
        {{2, 10, true, false}, 6},  // line 3 px, dots off: head uses the 13 px dot pen
        {{10, 2, true, false}, 1},  // the other way round
        {{2, 10, true, true}, 1},   // dots on the line: the first dot's half
        {{2, 10, false, true}, 6},  // dots alone
    };
    for (const Case& c : cases) {
        const TrailFrame frame = ComputeTrailFrame(history, 750, 413, 96, c.style);
        const int m = TRAIL_MARGIN + c.headHalf;
        EXPECT_EQ(frame.head, (Point{750 - m - 1, 413 - m - 1})) << "half " << c.headHalf;
        EXPECT_EQ(frame.origin, (Point{5000 - frame.head.x, 5000 - frame.head.y}));

        const Point vertex =
            GetSurfacePoint(frame.halves.vertex, frame.fitted[0], 750, 413);
        EXPECT_EQ(vertex.x - frame.head.x, c.headHalf - frame.halves.vertex);
    }
}

TEST(TrailFrame, MakesNoHeapAllocation)
{
    const long before = g_allocations.load();
    const TrailFrame frame =
        ComputeTrailFrame(kWorkedHistory, 750, 413, 96, TrailStyle{5, 5, true, true});
    TrailPoints surface;
    MapTrailToSurface(frame.fitted, frame.halves.vertex, 750, 413, surface);
    TrailPoints history = kWorkedHistory;
    PushTrailHistory(history, frame.origin);
    EXPECT_EQ(g_allocations.load(), before);
}

}  // namespace

TEST(TrailPicture, OnlyTheFittedPointsAndThePensMakeThePicture)
{
    TrailPoints history;
    FillTrailHistory(history, Point{500, 400});
    const TrailStyle style{5, 5, true, false};
    const TrailFrame atRest = ComputeTrailFrame(history, 750, 381, 96, style);

    // The same resting trail elsewhere on the screen: the window moves, the picture stays.
    TrailPoints moved;
    FillTrailHistory(moved, Point{-300, 900});
    const TrailFrame elsewhere = ComputeTrailFrame(moved, 750, 381, 96, style);
    EXPECT_NE(atRest.origin, elsewhere.origin);
    EXPECT_TRUE(SamePicture(atRest, elsewhere));

    TrailPoints stepped = history;
    PushTrailHistory(stepped, Point{510, 400});
    EXPECT_FALSE(SamePicture(atRest, ComputeTrailFrame(stepped, 750, 381, 96, style)));
    EXPECT_FALSE(SamePicture(atRest, ComputeTrailFrame(history, 750, 381, 96,
                                                       TrailStyle{10, 5, true, false})));
    EXPECT_FALSE(SamePicture(atRest, ComputeTrailFrame(history, 750, 381, 96,
                                                       TrailStyle{5, 10, true, false})));
}
