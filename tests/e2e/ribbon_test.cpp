// Mode "Ribbon": the trail window of the real program, seen through the window system.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "harness/screen_capture.h"
#include "harness/test_window.h"
#include "harness/overlay_windows.h"
#include "harness/trail_expectations.h"
#include "harness/tuvo_process.h"
#include "harness/windows.h"
#include "overlays/overlay_titles.h"
#include "res/resource.h"
#include "ribbon/trail_geometry.h"

namespace {

const COLORREF kKeyColor = 0x00010000;

bool HiddenSoon(HWND window, DWORD timeoutMs = 3000)
{
    return WaitUntil([&] { return !::IsWindowVisible(window); }, timeoutMs);
}

std::string Where(Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

// The path of the trail tests, away from the panel: at rest at kRest, then a jump to each
// corner of the trail's box, then back. Both spans exceed the window, so both axes are squeezed.
const Point kRest{1200, 500};
const Point kLowCorner{400, 300};
const Point kHighCorner{1700, 1000};

// Walks the path and waits, at every stage, for the origin the arithmetic gives. The origin
// depends only on the newest position and on the extremes of the recorded ones, so waiting for
// each stage proves that a tick recorded it, and the result does not depend on how many ticks
// fall on each stage. Leaves the cursor at kRest with both corners still in the history.
void WalkThePath(HWND ribbon)
{
    const struct {
        const char* stage;
        Point cursor;
        TrailPoints history;
    } stages[] = {
        {"low corner", kLowCorner, History({kLowCorner, kRest})},
        {"high corner, head clamped at the edge", kHighCorner,
         History({kHighCorner, kLowCorner, kRest})},
        {"back at rest, both corners recorded", kRest,
         History({kRest, kHighCorner, kLowCorner, kRest})},
    };
    for (const auto& s : stages) {
        ::SetCursorPos(s.cursor.x, s.cursor.y);
        const Point origin = ExpectedFrame(ribbon, s.history).origin;
        EXPECT_TRUE(ShownAt(ribbon, origin))
            << s.stage << ": expected origin " << Where(origin) << ", window at "
            << Where(Point{RectOf(ribbon).left, RectOf(ribbon).top});
    }
}

// The trail's red as the screen shows it (no compositor blends the window's opacity here).
bool IsTrailRed(COLORREF c)
{
    return GetRValue(c) >= 200 && GetGValue(c) <= 80 && GetBValue(c) <= 80;
}

// True when a trail-red pixel lies within `radius` of p.
bool RedNear(const ScreenCapture& shot, Point p, int radius)
{
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            if (IsTrailRed(shot.At(Point{p.x + dx, p.y + dy}))) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

TEST(Ribbon, ExistsHiddenAsALayeredClickThroughPopupOwnedByTheMainWindow)
{
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    HWND ribbon = FindRibbon(tuvo);
    ASSERT_NE(ribbon, nullptr) << "exactly one layered popup owned by the main window";

    EXPECT_FALSE(::IsWindowVisible(ribbon));
    EXPECT_NE(StyleOf(ribbon) & WS_POPUP, 0u);
    EXPECT_EQ(StyleOf(ribbon) & WS_CAPTION, 0u);
    EXPECT_EQ(ExStyleOf(ribbon) & (WS_EX_LAYERED | WS_EX_TRANSPARENT),
              static_cast<DWORD>(WS_EX_LAYERED | WS_EX_TRANSPARENT));
    EXPECT_EQ(WindowText(ribbon), L"");

    const LayeredAttributes layered = LayeredAttributesOf(ribbon);
    ASSERT_TRUE(layered.ok);
    EXPECT_EQ(layered.key, kKeyColor);
    EXPECT_EQ(layered.alpha, 178);  // the panel's 70 percent, truncated
    EXPECT_EQ(layered.flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));

    const Rect r = RectOf(ribbon);
    EXPECT_GT(r.Width(), 2 * TRAIL_MARGIN + 20) << "room for a trail inside the margins";
    EXPECT_GT(r.Height(), 2 * TRAIL_MARGIN + 20);

    ::Sleep(200);  // a few ticks in "OFF": it stays hidden
    EXPECT_FALSE(::IsWindowVisible(ribbon));
}

TEST(Ribbon, CentresOnTheRestingPointerAndPlacesTheTrailByItsArithmetic)
{
    ::SetCursorPos(kRest.x, kRest.y);  // before the start: the history holds only kRest
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    HWND ribbon = FindRibbon(tuvo);
    ASSERT_NE(ribbon, nullptr);
    const Rect panel = RectOf(tuvo.Panel());
    for (Point p : {kRest, kLowCorner, kHighCorner}) {
        ASSERT_FALSE(PointInRect(panel, p)) << "the path keeps clear of the panel " << Where(p);
    }
    const Rect size = RectOf(ribbon);

    tuvo.Click(IDC_RRIBBON);
    EXPECT_TRUE(ShownAt(ribbon, CentredOrigin(ribbon, kRest))) << "centred on the resting pointer";
    EXPECT_TRUE(IsTopMost(ribbon));
    EXPECT_TRUE(IsNotActive(ribbon));

    WalkThePath(ribbon);

    // At rest the older positions drop out of the history and the trail collapses again.
    EXPECT_TRUE(ShownAt(ribbon, CentredOrigin(ribbon, kRest)));
    EXPECT_EQ(RectOf(ribbon).Width(), size.Width()) << "never resized";
    EXPECT_EQ(RectOf(ribbon).Height(), size.Height());
    EXPECT_TRUE(IsNotActive(ribbon));
}

TEST(Ribbon, DrawsTheRedTrailWhereTheArithmeticPutsIt)
{
    // A white window beneath the trail: what the colour key leaves transparent shows white.
    TestWindow backdrop(L"Tuvo test: backdrop", RECT{300, 200, 1800, 1060});
    ::SetCursorPos(kRest.x, kRest.y);  // before the start: the history holds only kRest
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    HWND ribbon = FindRibbon(tuvo);
    ASSERT_NE(ribbon, nullptr);
    tuvo.Click(IDC_RRIBBON);
    ASSERT_TRUE(ShownAt(ribbon, CentredOrigin(ribbon, kRest)));

    WalkThePath(ribbon);

    // Every distinct vertex of the trail, in screen coordinates: the curve passes through them.
    const TrailFrame frame =
        ExpectedFrame(ribbon, History({kRest, kHighCorner, kLowCorner, kRest}));
    const Rect r = RectOf(ribbon);
    TrailPoints surface;
    MapTrailToSurface(frame.fitted, frame.halves.vertex, r.Width(), r.Height(), surface);
    std::vector<Point> vertices;
    for (Point s : surface) {
        vertices.push_back(Point{frame.origin.x + s.x, frame.origin.y + s.y});
    }
    // Corners of the window, inside the margin that is never drawn.
    const std::vector<Point> clear = {{r.left + 5, r.top + 5},
                                      {r.right - 6, r.top + 5},
                                      {r.left + 5, r.bottom - 6},
                                      {r.right - 6, r.bottom - 6}};

    bool allRed = false;
    bool clearIsWhite = false;
    std::unique_ptr<ScreenCapture> shot;
    WaitUntil(
        [&] {
            shot = std::make_unique<ScreenCapture>();
            allRed = true;
            for (Point v : vertices) {
                allRed = allRed && RedNear(*shot, v, 2);
            }
            clearIsWhite = true;
            for (Point c : clear) {
                clearIsWhite = clearIsWhite && shot->At(c) == RGB(255, 255, 255);
            }
            return allRed && clearIsWhite;
        },
        2000);
    // The last picture taken, whatever it shows, for a person to look at.
    EXPECT_TRUE(shot->SaveBmp(TestProgramFolder() + L"\\screenshots\\ribbon.bmp"));
    EXPECT_TRUE(allRed) << "red at every vertex of the trail";
    EXPECT_TRUE(clearIsWhite) << "the key colour is transparent";
    EXPECT_EQ(RectOf(ribbon).left, frame.origin.x) << "the picture shows the expected frame";
    EXPECT_EQ(RectOf(ribbon).top, frame.origin.y);

    // Clicks at the pointer, inside the trail window, reach the window beneath.
    ClickAtPointer();
    EXPECT_TRUE(WaitUntil([&] { return backdrop.Clicks() == 1; }, 3000));
}

TEST(Ribbon, HidesWhileThePointerIsOverThePanelAndTheHistoryMovesOn)
{
    ::SetCursorPos(kRest.x, kRest.y);  // before the start: the history holds only kRest
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    HWND ribbon = FindRibbon(tuvo);
    ASSERT_NE(ribbon, nullptr);
    tuvo.Click(IDC_RRIBBON);
    ASSERT_TRUE(ShownAt(ribbon, CentredOrigin(ribbon, kRest)));

    const Rect panel = RectOf(tuvo.Panel());
    const Point overPanel{(panel.left + panel.right) / 2, (panel.top + panel.bottom) / 2};
    ::SetCursorPos(overPanel.x, overPanel.y);
    EXPECT_TRUE(HiddenSoon(ribbon));
    ::Sleep(150);  // more ticks over the panel: it stays hidden
    EXPECT_FALSE(::IsWindowVisible(ribbon));

    // The position over the panel was recorded although nothing was shown.
    const Point outside{1500, 400};
    ::SetCursorPos(outside.x, outside.y);
    const Point origin = ExpectedFrame(ribbon, History({outside, overPanel, kRest})).origin;
    EXPECT_TRUE(ShownAt(ribbon, origin)) << "expected " << Where(origin);
}

TEST(Ribbon, SitsDirectlyBehindAVisibleCompanionElseTopMost)
{
    ::SetCursorPos(kRest.x, kRest.y);
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    // The companion comes above the main window: the window system keeps an owned window above
    // its owner, so the trail can only go behind a companion that is above the main window.
    // And it comes before the trail is first shown: once a window has been top-most, the window
    // system keeps it above ordinary windows.
    TestWindow companion(kCompanionTitle, RECT{900, 400, 1300, 800});
    HWND ribbon = FindRibbon(tuvo);
    ASSERT_NE(ribbon, nullptr);
    tuvo.Click(IDC_RRIBBON);
    ASSERT_TRUE(ShownAt(ribbon, CentredOrigin(ribbon, kRest)));
    EXPECT_TRUE(WaitUntil([&] { return ::GetWindow(companion.Handle(), GW_HWNDNEXT) == ribbon; }))
        << "directly behind the companion";
    EXPECT_FALSE(IsTopMost(ribbon));
    EXPECT_TRUE(IsNotActive(ribbon));

    companion.Hide();
    EXPECT_TRUE(WaitUntil([&] { return IsTopMost(ribbon); }))
        << "top-most once the companion is hidden";
    EXPECT_TRUE(::IsWindowVisible(ribbon));
}

TEST(Ribbon, AnotherModeHidesItWithinATickOrTwo)
{
    ::SetCursorPos(kRest.x, kRest.y);  // before the start: the history holds only kRest
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    HWND ribbon = FindRibbon(tuvo);
    ASSERT_NE(ribbon, nullptr);
    for (int other : {IDC_ROFF, IDC_RPEMO, IDC_RDEKA}) {
        tuvo.Click(IDC_RRIBBON);
        ASSERT_TRUE(ShownAt(ribbon, CentredOrigin(ribbon, kRest))) << other;
        tuvo.Click(other);
        EXPECT_TRUE(HiddenSoon(ribbon, 500)) << other;
        ::Sleep(150);
        EXPECT_FALSE(::IsWindowVisible(ribbon)) << other;
    }
}

TEST(Ribbon, ClosingTheMainWindowInRibbonRemovesItAndEndsTheProcess)
{
    ::SetCursorPos(kRest.x, kRest.y);  // before the start: the history holds only kRest
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    HWND ribbon = FindRibbon(tuvo);
    ASSERT_NE(ribbon, nullptr);
    tuvo.Click(IDC_RRIBBON);
    ASSERT_TRUE(ShownAt(ribbon, CentredOrigin(ribbon, kRest)));
    DWORD exitCode = 1234;
    ASSERT_TRUE(tuvo.Close(15000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_FALSE(::IsWindow(ribbon));
}
