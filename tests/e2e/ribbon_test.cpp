// Mode "Ribbon": the trail window of the real program, seen through the window system.
#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "harness/screen_capture.h"
#include "harness/test_window.h"
#include "harness/overlay_windows.h"
#include "harness/trail_expectations.h"
#include "harness/tuvo_process.h"
#include "harness/windows.h"
#include "overlays/overlay_timer.h"
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

// The dots' yellow, which the panel's trail never shows.
bool IsDotYellow(COLORREF c)
{
    return GetRValue(c) >= 200 && GetGValue(c) >= 200 && GetBValue(c) <= 80;
}

// The first trail-red row in column x from top down to bottom; bottom + 1 when there is none.
int FirstRedDown(const ScreenCapture& shot, int x, int top, int bottom)
{
    for (int y = top; y <= bottom; ++y) {
        if (IsTrailRed(shot.At(Point{x, y}))) {
            return y;
        }
    }
    return bottom + 1;
}

// The V of the drawing test: from the left up to its tip and down to the right, one tick each.
// It is wider than the window, so it is squeezed sideways and its two ends are held at the
// margins; the tip is held nowhere, and the line turns sharply there.
const Point kVLeft{300, 800};
const Point kVTip{1000, 550};
const Point kVRight{1700, 800};
// How far beside the tip the line's course tells a curve from straight segments.
const int kBesideTip = 40;

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
    ASSERT_TRUE(MovePointerTo(kRest));  // before the start: the history holds only kRest
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

// The panel's trail on the screen: a red curve, 5 points wide, without dots, through every
// recorded position. The panel's timer is stopped and the test sends the ticks itself, so the
// picture holds still until it is captured however slow the machine is (on the timer, the walk's
// positions would leave the history within a second).
TEST(Ribbon, DrawsTheRedCurveWhereTheArithmeticPutsIt)
{
    // A white window beneath the trail: what the colour key leaves transparent shows white.
    TestWindow backdrop(L"Tuvo test: backdrop", RECT{200, 200, 1800, 1060});
    ASSERT_TRUE(MovePointerTo(kVLeft));  // before the start: the history holds only kVLeft
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    HWND ribbon = FindRibbon(tuvo);
    ASSERT_NE(ribbon, nullptr);
    const Rect panel = RectOf(tuvo.Panel());
    for (Point p : {kVLeft, kVTip, kVRight}) {
        ASSERT_FALSE(PointInRect(panel, p)) << "the V keeps clear of the panel " << Where(p);
    }
    tuvo.Click(IDC_RRIBBON);
    ASSERT_TRUE(ShownAt(ribbon, CentredOrigin(ribbon, kVLeft)));
    ASSERT_TRUE(tuvo.StopPanelTimer());

    // Up to the tip and down the other arm, one tick each.
    for (Point p : {kVTip, kVRight}) {
        ASSERT_TRUE(MovePointerTo(p));
        ::SendMessageW(tuvo.Panel(), WM_TIMER, IDT_FOLLOW, 0);
    }
    const TrailFrame frame = ExpectedFrame(ribbon, History({kVRight, kVTip, kVLeft}));
    EXPECT_TRUE(ShownAt(ribbon, frame.origin)) << "expected " << Where(frame.origin);

    // Every vertex of the trail, in screen coordinates: the curve passes through them.
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
        3000);
    // The last picture taken, whatever it shows, for a person to look at.
    EXPECT_TRUE(shot->SaveBmp(TestProgramFolder() + L"\\screenshots\\ribbon.bmp"));
    EXPECT_TRUE(allRed) << "red at every vertex of the trail";
    EXPECT_TRUE(clearIsWhite) << "the key colour is transparent";

    // A curve rounds the sharp turn at the tip: it passes the tip level, so a little to either
    // side the line is still close to the tip's height, where straight segments towards the
    // arms' ends would already have dropped well below it.
    const Point tip = vertices[1];
    for (Point end : {vertices[0], vertices[2]}) {
        const int x = end.x < tip.x ? tip.x - kBesideTip : tip.x + kBesideTip;
        const int straightDrop = (end.y - tip.y) * kBesideTip / std::abs(end.x - tip.x);
        const int lineTop = FirstRedDown(*shot, x, tip.y - 10, tip.y + 2 * straightDrop);
        EXPECT_LT(lineTop - tip.y, straightDrop / 2)
            << "beside the tip at x " << x << ": a straight segment would be " << straightDrop
            << " pixels below the tip";
    }
    // Running level at the tip, the line is exactly as thick as the 5-point pen.
    int thickness = 0;
    for (int y = tip.y - 2 * frame.linePixels; y <= tip.y + 2 * frame.linePixels; ++y) {
        thickness += IsTrailRed(shot->At(Point{tip.x, y})) ? 1 : 0;
    }
    EXPECT_NEAR(thickness, frame.linePixels, 1);
    // The line only: no dot anywhere.
    bool dots = false;
    for (int y = r.top; y < r.bottom && !dots; ++y) {
        for (int x = r.left; x < r.right && !dots; ++x) {
            dots = IsDotYellow(shot->At(Point{x, y}));
        }
    }
    EXPECT_FALSE(dots) << "the dots' yellow in the trail window";

    // Clicks at the pointer, inside the trail window, reach the window beneath.
    ClickAtPointer();
    EXPECT_TRUE(WaitUntil([&] { return backdrop.Clicks() == 1; }, 3000));

    // The trail holds the last 15 ticks. The pointer goes back to the tip and rests there: the
    // V's left end, recorded last on the tick before the tip's, stays in the trail until the
    // 15th tick after that one, when the trail shrinks to the tip and the right end, and the
    // window moves (the resting pointer is then the trail's left end).
    const int kTicksHeld = 15;
    ASSERT_TRUE(MovePointerTo(kVTip));
    const Point held = ExpectedFrame(ribbon, History({kVTip, kVRight, kVTip, kVLeft})).origin;
    const Point shrunk = ExpectedFrame(ribbon, History({kVTip, kVRight, kVTip})).origin;
    ASSERT_NE(shrunk, held);
    for (int tick = 3; tick <= kTicksHeld; ++tick) {
        ::SendMessageW(tuvo.Panel(), WM_TIMER, IDT_FOLLOW, 0);
        const Point expected = tick < kTicksHeld ? held : shrunk;
        const Rect at = RectOf(ribbon);
        EXPECT_TRUE(at.left == expected.x && at.top == expected.y)
            << "tick " << tick << " after the left end: window at "
            << Where(Point{at.left, at.top}) << ", expected " << Where(expected);
    }
}

TEST(Ribbon, RecordsThePointerInEveryModeSoItsFirstFrameShowsTheLastMoves)
{
    ASSERT_TRUE(MovePointerTo(kVLeft));  // before the start: the history holds only kVLeft
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    HWND ribbon = FindRibbon(tuvo);
    ASSERT_NE(ribbon, nullptr);
    ASSERT_TRUE(tuvo.StopPanelTimer());

    // The V walked in other modes, one tick each, while the trail is hidden.
    const struct {
        int mode;
        Point p;
    } walk[] = {{IDC_RPEMO, kVTip}, {IDC_RDEKA, kVRight}};
    for (const auto& step : walk) {
        tuvo.Click(step.mode);
        ASSERT_TRUE(MovePointerTo(step.p));
        ::SendMessageW(tuvo.Panel(), WM_TIMER, IDT_FOLLOW, 0);
        EXPECT_FALSE(::IsWindowVisible(ribbon));
    }
    tuvo.Click(IDC_RRIBBON);
    ::SendMessageW(tuvo.Panel(), WM_TIMER, IDT_FOLLOW, 0);
    const Point origin = ExpectedFrame(ribbon, History({kVRight, kVRight, kVTip, kVLeft})).origin;
    EXPECT_TRUE(ShownAt(ribbon, origin)) << "expected " << Where(origin) << ", window at "
                                         << Where(Point{RectOf(ribbon).left, RectOf(ribbon).top});
}

TEST(Ribbon, HidesWhileThePointerIsOverThePanelAndTheHistoryMovesOn)
{
    ASSERT_TRUE(MovePointerTo(kRest));  // before the start: the history holds only kRest
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
    ASSERT_TRUE(MovePointerTo(kRest));
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
    ASSERT_TRUE(MovePointerTo(kRest));  // before the start: the history holds only kRest
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
    ASSERT_TRUE(MovePointerTo(kRest));  // before the start: the history holds only kRest
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
