// The trail window's drawing, run inside this test program: every look the window can take
// (the program itself only ever uses its built-in one, the curve), read back from its surface.
#include <gtest/gtest.h>

#include <vector>

#include "framework/gdi_census.h"
#include "framework/gdiplus_objects.h"
#include "framework/surface.h"
#include "harness/import_patch.h"
#include "harness/step_meter.h"
#include "ribbon/monitor_win.h"

namespace {

// A surface pixel of a colour in the window system's layout (0x00BBGGRR): 0x00RRGGBB.
DWORD PixelOf(COLORREF color)
{
    return (static_cast<DWORD>(GetRValue(color)) << 16) | (GetGValue(color) << 8) |
           GetBValue(color);
}

DWORD PixelAt(const CSurface& surface, Point p)
{
    return surface.GetBits()[p.y * surface.GetWidth() + p.x] & 0x00FFFFFF;
}

// True when a pixel within `reach` of p has this value.
bool PixelNear(const CSurface& surface, Point p, int reach, DWORD pixel)
{
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            if (PixelAt(surface, Point{p.x + dx, p.y + dy}) == pixel) {
                return true;
            }
        }
    }
    return false;
}

bool AnyPixelIs(const CSurface& surface, DWORD pixel)
{
    const int count = surface.GetWidth() * surface.GetHeight();
    for (int i = 0; i < count; ++i) {
        if ((surface.GetBits()[i] & 0x00FFFFFF) == pixel) {
            return true;
        }
    }
    return false;
}

class RibbonDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, nullptr), Gdiplus::Ok);
        // Stands in for the panel, away from every point of the trail.
        m_panel = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr,
                                    nullptr, nullptr);
        ASSERT_NE(m_panel, nullptr);
    }
    void TearDown() override
    {
        ::DestroyWindow(m_panel);
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
    }

    // Makes the trail window and sets it up as the panel does, beside the stand-in panel.
    void MakeRibbon(CMonitorWin& ribbon)
    {
        ASSERT_TRUE(ribbon.Create(CMonitorWin::IDD, nullptr));
        ribbon.m_hWndPanel = m_panel;
        ribbon.InitOverlay();
    }

    ULONG_PTR m_gdiplusToken = 0;
    HWND m_panel = nullptr;
};

// The last 15 ticks, newest first: a zigzag that fits the surface without squeezing, and whose
// corners are far enough apart for a dot to miss the middle of every segment.
TrailPoints Zigzag()
{
    TrailPoints path;
    for (int i = 0; i < TRAIL_POINTS; ++i) {
        path[i] = Point{900 - 30 * i, (i % 2 == 0) ? 500 : 620};
    }
    return path;
}

std::vector<DWORD> PixelsOf(const CSurface& surface)
{
    return std::vector<DWORD>(surface.GetBits(),
                              surface.GetBits() + surface.GetWidth() * surface.GetHeight());
}

// Stand-ins for the calls that make what a drawing step needs, each failing as the system does
// when it has no room left for one more object. They count how often they were asked.
int g_refusals = 0;
HBRUSH WINAPI NoBrush(COLORREF)
{
    ++g_refusals;
    return nullptr;
}
HPEN WINAPI NoPen(DWORD, DWORD, const LOGBRUSH*, DWORD, const DWORD*)
{
    ++g_refusals;
    return nullptr;
}
int WINAPI NoGraphics(HDC, void**)
{
    ++g_refusals;
    return Gdiplus::OutOfMemory;
}
int WINAPI NoCurvePen(DWORD, float, int, void**)
{
    ++g_refusals;
    return Gdiplus::OutOfMemory;
}

}  // namespace

TEST(Surface, HandsOutOneCountedContextAndCountsItsBitmap)
{
    const long atStart = GdiCensus::Live();
    {
        CSurface surface;
        EXPECT_FALSE(surface.Create(0, 10, 32)) << "an empty size makes no bitmap";
        EXPECT_FALSE(surface.HasBitmap());
        EXPECT_EQ(surface.GetWidth(), 0);
        EXPECT_EQ(GdiCensus::Live(), atStart);
        // Without a bitmap the context still works: drawing into it has no effect.
        HDC empty = surface.GetDC();
        EXPECT_NE(empty, nullptr);
        EXPECT_EQ(::GetDeviceCaps(empty, LOGPIXELSY), 96);
        surface.ReleaseDC();

        ASSERT_TRUE(surface.Create(8, 4, 32));
        EXPECT_TRUE(surface.HasBitmap());
        EXPECT_EQ(surface.GetWidth(), 8);
        EXPECT_EQ(surface.GetHeight(), 4);
        EXPECT_EQ(GdiCensus::Live(), atStart + 1) << "the bitmap";

        HDC outer = surface.GetDC();
        HDC inner = surface.GetDC();
        EXPECT_EQ(inner, outer) << "nested uses share one context";
        EXPECT_EQ(GdiCensus::Live(), atStart + 2) << "the bitmap and one context";
        ::SetPixelV(inner, 7, 3, RGB(10, 20, 30));
        surface.ReleaseDC();
        EXPECT_EQ(GdiCensus::Live(), atStart + 2) << "still in use by the outer scope";
        surface.ReleaseDC();
        EXPECT_EQ(GdiCensus::Live(), atStart + 1) << "deleted at the last release";
        surface.ReleaseDC();  // one release too many changes nothing
        EXPECT_EQ(GdiCensus::Live(), atStart + 1);
        ::GdiFlush();
        EXPECT_EQ(PixelAt(surface, Point{7, 3}), PixelOf(RGB(10, 20, 30))) << "top-down rows";

        HDC held = surface.GetDC();
        ASSERT_NE(held, nullptr);
        // Destruction with a context still handed out deletes both.
    }
    EXPECT_EQ(GdiCensus::Live(), atStart);
}

TEST_F(RibbonDrawing, DrawsEachLookOnTheVerticesAndReleasesEveryObject)
{
    const COLORREF orange = RGB(255, 128, 0);  // red and blue differ: a swap shows
    const COLORREF blue = RGB(0, 0, 255);
    const struct {
        const char* look;
        BOOL line, dots, polyline;
        COLORREF lineColor;
        int lineWidth, dotWidth;  // points
    } cases[] = {
        {"polyline", TRUE, FALSE, TRUE, orange, 5, 5},
        {"curve", TRUE, FALSE, FALSE, orange, 5, 5},
        {"black polyline, visible against the key", TRUE, FALSE, TRUE, RGB(0, 0, 0), 5, 5},
        {"dots only", FALSE, TRUE, TRUE, orange, 5, 10},
        {"polyline and dots", TRUE, TRUE, TRUE, orange, 2, 10},
        {"curve and dots", TRUE, TRUE, FALSE, orange, 10, 5},
        {"nothing", FALSE, FALSE, TRUE, orange, 5, 5},
    };
    const TrailPoints path = Zigzag();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.look);
        CMonitorWin ribbon;
        ASSERT_NO_FATAL_FAILURE(MakeRibbon(ribbon));
        ribbon.m_bLine = c.line;
        ribbon.m_bDots = c.dots;
        ribbon.m_bPolyline = c.polyline;
        ribbon.m_crLine = c.lineColor;
        ribbon.m_crDots = blue;
        ribbon.m_nLineWidth = c.lineWidth;
        ribbon.m_nDotWidth = c.dotWidth;
        ribbon.m_bActive = TRUE;

        for (int i = TRAIL_POINTS - 1; i > 0; --i) {
            ribbon.UpdateTrail(path[i]);
        }
        const long beforeTick = GdiCensus::Live();
        ribbon.UpdateTrail(path[0]);
        EXPECT_EQ(GdiCensus::Live(), beforeTick) << "every object of the tick is gone";
        ::GdiFlush();

        const CSurface& surface = ribbon.m_image;
        const int w = surface.GetWidth();
        const int h = surface.GetHeight();
        const TrailFrame frame = ComputeTrailFrame(
            path, w, h, 96, TrailStyle{c.lineWidth, c.dotWidth, c.line != FALSE, c.dots != FALSE});
        EXPECT_EQ(ribbon.m_ptHead, frame.head);
        RECT placed;
        ::GetWindowRect(ribbon.m_hWnd, &placed);
        EXPECT_EQ(placed.left, frame.origin.x);
        EXPECT_EQ(placed.top, frame.origin.y);

        TrailPoints vertices;
        MapTrailToSurface(frame.fitted, frame.halves.vertex, w, h, vertices);
        TrailPoints dots;
        MapTrailToSurface(frame.fitted, frame.halves.dot, w, h, dots);
        const DWORD key = PixelOf(kRibbonKeyColor);
        // The polyline's round ends cover its end points; the curve's flat ends stop on them.
        const int reach = c.polyline ? 0 : 1;
        for (int i = 0; i < TRAIL_POINTS; ++i) {
            if (c.dots) {
                // Over a line the dots sit exactly on its vertices.
                EXPECT_EQ(PixelAt(surface, dots[i]), PixelOf(blue)) << "dot " << i;
            } else if (c.line) {
                EXPECT_TRUE(PixelNear(surface, vertices[i], reach, PixelOf(c.lineColor)))
                    << "vertex " << i;
            }
        }
        if (c.dots && !c.line) {
            // Between two dots there is nothing: no line joins them.
            const Point middle{(dots[0].x + dots[1].x) / 2, (dots[0].y + dots[1].y) / 2};
            EXPECT_EQ(PixelAt(surface, middle), key);
        }
        if (c.line && c.dots) {
            EXPECT_TRUE(AnyPixelIs(surface, PixelOf(c.lineColor))) << "the line between the dots";
        }
        if (!c.line) {
            EXPECT_FALSE(AnyPixelIs(surface, PixelOf(c.lineColor))) << "no line";
        }
        if (!c.dots) {
            EXPECT_FALSE(AnyPixelIs(surface, PixelOf(blue))) << "no dots";
        }
        if (!c.line && !c.dots) {
            EXPECT_TRUE(::IsWindowVisible(ribbon.m_hWnd)) << "placed and shown, showing nothing";
        }
        EXPECT_EQ(PixelAt(surface, Point{0, 0}), key) << "the margin stays clear";
        ribbon.DestroyWindow();
    }
}

// A tick clears only where the previous frame may have drawn: after every tick of a wild path
// the surface must hold exactly what a fresh window draws from the same history in one go.
TEST_F(RibbonDrawing, EveryTickLeavesTheSurfaceAsAWholeRedrawWould)
{
    const struct {
        const char* look;
        BOOL line, dots, polyline;
        int lineWidth, dotWidth;  // points
    } cases[] = {
        {"curve", TRUE, FALSE, FALSE, 10, 5},
        {"polyline", TRUE, FALSE, TRUE, 10, 5},
        {"dots only", FALSE, TRUE, TRUE, 5, 10},
        {"curve and dots", TRUE, TRUE, FALSE, 2, 10},
    };
    auto setUp = [&](CMonitorWin& ribbon, const auto& c) {
        ASSERT_NO_FATAL_FAILURE(MakeRibbon(ribbon));
        ribbon.m_bLine = c.line;
        ribbon.m_bDots = c.dots;
        ribbon.m_bPolyline = c.polyline;
        ribbon.m_nLineWidth = c.lineWidth;
        ribbon.m_nDotWidth = c.dotWidth;
        ribbon.m_bActive = TRUE;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.look);
        CMonitorWin ribbon;
        setUp(ribbon, c);
        unsigned seed = 12345;
        Point p{900, 500};
        for (int tick = 0; tick < 40; ++tick) {
            // Sharp turns (the curve's corners reach out furthest), rests, and now and then a
            // jump that squeezes the trail to fit the surface.
            seed = seed * 1103515245u + 12345u;
            const int step = tick % 10 == 9 ? 700 : tick % 7 == 3 ? 0 : 90;
            p.x += (static_cast<int>((seed >> 16) % 3) - 1) * step;
            p.y += (static_cast<int>((seed >> 20) % 3) - 1) * step;
            p.x = 300 + ((p.x - 300) % 1300 + 1300) % 1300;  // kept on the screen
            p.y = 200 + ((p.y - 200) % 700 + 700) % 700;
            ribbon.UpdateTrail(p);

            CMonitorWin whole;
            setUp(whole, c);
            // One position older, so that its tick pushes the newest back in front.
            whole.m_ptHistory = ribbon.m_ptHistory;
            for (int i = 0; i < TRAIL_POINTS - 1; ++i) {
                whole.m_ptHistory[i] = ribbon.m_ptHistory[i + 1];
            }
            whole.UpdateTrail(ribbon.m_ptHistory[0]);
            ::GdiFlush();
            ASSERT_EQ(whole.m_ptHistory, ribbon.m_ptHistory);
            const CSurface& a = ribbon.m_image;
            const CSurface& b = whole.m_image;
            ASSERT_EQ(a.GetWidth() * a.GetHeight(), b.GetWidth() * b.GetHeight());
            int differing = 0;
            for (int i = 0; i < a.GetWidth() * a.GetHeight(); ++i) {
                differing += (a.GetBits()[i] & 0xFFFFFF) != (b.GetBits()[i] & 0xFFFFFF);
            }
            EXPECT_EQ(differing, 0) << "pixels left over after tick " << tick;
            whole.DestroyWindow();
        }
        ribbon.DestroyWindow();
    }
}

TEST_F(RibbonDrawing, AnInactiveTrailRecordsThePositionAndHides)
{
    CMonitorWin ribbon;
    ASSERT_NO_FATAL_FAILURE(MakeRibbon(ribbon));
    ribbon.m_bActive = TRUE;
    ribbon.UpdateTrail(Point{700, 500});
    ASSERT_TRUE(::IsWindowVisible(ribbon.m_hWnd));

    ribbon.m_bActive = FALSE;
    ribbon.UpdateTrail(Point{800, 600});
    EXPECT_FALSE(::IsWindowVisible(ribbon.m_hWnd));
    EXPECT_EQ(ribbon.m_ptHistory[0], (Point{800, 600}));
    EXPECT_EQ(ribbon.m_ptHistory[1], (Point{700, 500}));
    ribbon.DestroyWindow();
}

// The pointer moving steadily in a straight line: tick after tick the same picture, only the
// window moves (as at rest, where the picture is a dot, or nothing at all for the curve).
Point Steady(int tick) { return Point{600 + 20 * tick, 400 + 10 * tick}; }

// A tick on which one drawing step fails leaves the surface without the whole picture: cleared
// and empty, without its dots, or still showing the last picture under the new one. The next
// tick gives the same picture again, and must draw it whole instead of keeping what is there.
TEST_F(RibbonDrawing, APictureAStepFailedOnIsDrawnAgainAtTheNextTick)
{
    const struct {
        const char* failing;
        BOOL polyline, dots;
        const char* dll;
        const char* function;
        void* refusal;
    } cases[] = {
        {"no brush to clear the surface", FALSE, FALSE, "gdi32.dll", "CreateSolidBrush",
         reinterpret_cast<void*>(&NoBrush)},
        {"no graphics for the curve", FALSE, FALSE, "gdiplus.dll", "GdipCreateFromHDC",
         reinterpret_cast<void*>(&NoGraphics)},
        {"no pen for the curve", FALSE, FALSE, "gdiplus.dll", "GdipCreatePen1",
         reinterpret_cast<void*>(&NoCurvePen)},
        {"no pen for the polyline", TRUE, FALSE, "gdi32.dll", "ExtCreatePen",
         reinterpret_cast<void*>(&NoPen)},
        {"no pen for the dots", FALSE, TRUE, "gdi32.dll", "ExtCreatePen",
         reinterpret_cast<void*>(&NoPen)},
    };
    ASSERT_TRUE(StepMeter::Install());
    const TrailPoints zigzag = Zigzag();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failing);
        const auto setUp = [&](CMonitorWin& ribbon) {
            ASSERT_NO_FATAL_FAILURE(MakeRibbon(ribbon));
            ribbon.m_bPolyline = c.polyline;
            ribbon.m_bDots = c.dots;
            ribbon.m_crLine = RGB(255, 128, 0);
            ribbon.m_crDots = RGB(0, 0, 255);
            ribbon.m_bActive = TRUE;
        };
        // The whole picture of the steady movement, drawn with nothing failing, and what a tick
        // costs that finds the surface already holding its picture.
        CMonitorWin whole;
        setUp(whole);
        for (int tick = 1; tick < TRAIL_POINTS; ++tick) {
            whole.UpdateTrail(Steady(tick));
        }
        StepMeter::Start();
        whole.UpdateTrail(Steady(TRAIL_POINTS));
        const long pictureDrawn = StepMeter::Stop().objectsMade;
        StepMeter::Start();
        whole.UpdateTrail(Steady(TRAIL_POINTS + 1));
        const long pictureHeld = StepMeter::Stop().objectsMade;
        ASSERT_LT(pictureHeld, pictureDrawn) << "a picture the surface holds is not drawn again";
        ::GdiFlush();
        const std::vector<DWORD> expected = PixelsOf(whole.m_image);
        whole.DestroyWindow();

        CMonitorWin ribbon;
        setUp(ribbon);
        // A zigzag, then the steady movement: its last tick is the first whose history holds
        // nothing but the straight line.
        for (int i = TRAIL_POINTS - 1; i >= 0; --i) {
            ribbon.UpdateTrail(zigzag[i]);
        }
        for (int tick = 1; tick < TRAIL_POINTS; ++tick) {
            ribbon.UpdateTrail(Steady(tick));
        }
        g_refusals = 0;
        {
            const ScopedImportPatch failing(c.dll, c.function, c.refusal);
            ASSERT_TRUE(failing.Patched());
            ribbon.UpdateTrail(Steady(TRAIL_POINTS));
        }
        ASSERT_GT(g_refusals, 0) << "the step failed on that tick";
        ::GdiFlush();
        EXPECT_FALSE(PixelsOf(ribbon.m_image) == expected) << "the failed tick left it short";

        ribbon.UpdateTrail(Steady(TRAIL_POINTS + 1));
        ::GdiFlush();
        EXPECT_TRUE(PixelsOf(ribbon.m_image) == expected) << "the whole picture, drawn again";

        // Whole again, it is remembered: the next tick only places the window.
        StepMeter::Start();
        ribbon.UpdateTrail(Steady(TRAIL_POINTS + 2));
        EXPECT_EQ(StepMeter::Stop().objectsMade, pictureHeld);
        ribbon.DestroyWindow();
    }
}
