// Mode "Pemo": the pointer highlight of the real program, seen through the window system.
#include <gtest/gtest.h>

#include "harness/overlay_windows.h"
#include "harness/test_window.h"
#include "harness/tuvo_process.h"
#include "harness/windows.h"
#include "overlays/overlay_titles.h"
#include "res/resource.h"

namespace {

const int kDiameter = 81;  // the default size
const int kHalf = kDiameter / 2;

Rect DiscAt(Point p) { return BoxCentredOn(p, kDiameter, kDiameter); }

}  // namespace

TEST(PointerHighlight, IsATranslucentClickThroughDiscCentredOnThePointer)
{
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    EXPECT_EQ(FindPointerHighlight(tuvo), nullptr) << "no highlight before Pemo";
    ChooseModeAt(tuvo, IDC_RPEMO, {700, 600});
    HWND highlight = FindPointerHighlight(tuvo);
    ASSERT_NE(highlight, nullptr);

    const Rect r = RectOf(highlight);
    EXPECT_EQ(r.Width(), kDiameter);
    EXPECT_EQ(r.Height(), kDiameter);
    EXPECT_TRUE(ShowsSoonAt(highlight, DiscAt(Point{700, 600})));
    EXPECT_EQ(ExStyleOf(highlight) & (WS_EX_LAYERED | WS_EX_TRANSPARENT),
              static_cast<DWORD>(WS_EX_LAYERED | WS_EX_TRANSPARENT));
    EXPECT_TRUE(IsTopMost(highlight));
    EXPECT_EQ(::GetWindow(highlight, GW_OWNER), nullptr) << "a top-level window of its own";
    EXPECT_TRUE(StyleOf(highlight) & WS_POPUP);

    const LayeredAttributes layered = LayeredAttributesOf(highlight);
    ASSERT_TRUE(layered.ok);
    EXPECT_EQ(layered.alpha, 127);  // 50 percent, truncated
    EXPECT_EQ(layered.flags, static_cast<DWORD>(LWA_ALPHA)) << "the colour key is not in effect";

    // An elliptic region of its box: the middle of each side is in, the corners are out.
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(::GetWindowRgn(highlight, region), ERROR);
    RECT box{};
    ::GetRgnBox(region, &box);
    EXPECT_EQ(box.right - box.left, kDiameter - 1) << "the ellipse fills its box";
    EXPECT_EQ(box.bottom - box.top, kDiameter - 1);
    const int last = kDiameter - 2;
    for (POINT in : {POINT{kHalf, kHalf}, POINT{kHalf, 1}, POINT{1, kHalf}, POINT{last, kHalf},
                     POINT{kHalf, last}}) {
        EXPECT_TRUE(::PtInRegion(region, in.x, in.y)) << in.x << "," << in.y;
    }
    for (POINT out : {POINT{1, 1}, POINT{last, 1}, POINT{1, last}, POINT{last, last}}) {
        EXPECT_FALSE(::PtInRegion(region, out.x, out.y)) << out.x << "," << out.y;
    }
    ::DeleteObject(region);

    // It follows the pointer on its beat, and never takes the activation.
    for (Point p : {Point{300, 200}, Point{1500, 900}, Point{1000, 500}}) {
        ::SetCursorPos(p.x, p.y);
        EXPECT_TRUE(ShowsSoonAt(highlight, DiscAt(p))) << p.x << "," << p.y;
        EXPECT_TRUE(IsNotActive(highlight));
    }
    EXPECT_TRUE(IsNotActive(highlight));
}

TEST(PointerHighlight, LetsClicksThroughToTheWindowBeneath)
{
    TestWindow beneath(L"Tuvo test: beneath", RECT{900, 400, 1200, 700});
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    ChooseModeAt(tuvo, IDC_RPEMO, {1000, 500});
    HWND highlight = FindPointerHighlight(tuvo);
    ASSERT_TRUE(ShowsSoonAt(highlight, DiscAt(Point{1000, 500})));
    EXPECT_NE(::WindowFromPoint(POINT{1000, 500}), highlight);

    ClickAtPointer();
    EXPECT_TRUE(WaitUntil([&] { return beneath.Clicks() == 1; }, 3000));
}

TEST(PointerHighlight, HidesOverThePanelByTheEdgeRule)
{
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    ChooseModeAt(tuvo, IDC_RPEMO, {800, 700});
    HWND highlight = FindPointerHighlight(tuvo);
    ASSERT_TRUE(ShowsSoonAt(highlight, DiscAt(Point{800, 700})));

    const Rect panel = RectOf(tuvo.Panel());
    const int midX = (panel.left + panel.right) / 2;
    const int midY = (panel.top + panel.bottom) / 2;
    const struct {
        const char* where;
        Point p;
        bool hidden;
    } cases[] = {
        {"left edge", {panel.left, midY}, true},
        {"outside, right", {800, 700}, false},
        {"top edge", {midX, panel.top}, true},
        {"right edge", {panel.right, midY}, false},
        {"inside", {midX, midY}, true},
        {"bottom edge", {midX, panel.bottom}, false},
        {"last pixel inside", {panel.right - 1, panel.bottom - 1}, true},
        {"far outside", {1600, 900}, false},
    };
    for (const auto& c : cases) {
        ::SetCursorPos(c.p.x, c.p.y);
        if (c.hidden) {
            EXPECT_TRUE(HidesSoon(highlight)) << c.where;
            ::Sleep(120);  // a few more ticks over the panel: it stays hidden
            EXPECT_FALSE(::IsWindowVisible(highlight)) << c.where;
        } else {
            EXPECT_TRUE(ShowsSoonAt(highlight, DiscAt(c.p))) << c.where;
        }
    }
}

TEST(PointerHighlight, SitsDirectlyBehindAVisibleCompanionElseTopMost)
{
    // The companion exists before the highlight: once a window has been top-most, the window
    // system keeps it above ordinary windows.
    TestWindow companion(kCompanionTitle, RECT{600, 300, 1000, 700});
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    ChooseModeAt(tuvo, IDC_RPEMO, {800, 500});
    HWND highlight = FindPointerHighlight(tuvo);
    ASSERT_TRUE(ShowsSoonAt(highlight, DiscAt(Point{800, 500})));
    EXPECT_TRUE(WaitUntil([&] { return ::GetWindow(companion.Handle(), GW_HWNDNEXT) == highlight; }))
        << "directly behind the companion";
    EXPECT_FALSE(IsTopMost(highlight));
    EXPECT_TRUE(IsNotActive(highlight));

    companion.Hide();
    EXPECT_TRUE(WaitUntil([&] { return IsTopMost(highlight); }))
        << "top-most once the companion is hidden";
    EXPECT_TRUE(::IsWindowVisible(highlight));
}

TEST(PointerHighlight, LivesExactlyWhilePemoIsTheMode)
{
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    ChooseModeAt(tuvo, IDC_RPEMO, {900, 600});
    HWND first = FindPointerHighlight(tuvo);
    ASSERT_NE(first, nullptr);
    tuvo.Click(IDC_RPEMO);
    EXPECT_EQ(FindPointerHighlight(tuvo), first) << "a second Pemo keeps the same highlight";

    for (int other : {IDC_ROFF, IDC_RDEKA, IDC_RRIBBON}) {
        tuvo.Click(IDC_RPEMO);
        HWND highlight = FindPointerHighlight(tuvo);
        ASSERT_NE(highlight, nullptr);
        tuvo.Click(other);
        // Removed within the handler, before the click returns.
        EXPECT_FALSE(::IsWindow(highlight)) << other;
        EXPECT_EQ(FindPointerHighlight(tuvo), nullptr) << other;
    }
}

TEST(PointerHighlight, ClosingTheMainWindowInPemoRemovesItAndEndsTheProcess)
{
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    ChooseModeAt(tuvo, IDC_RPEMO, {900, 600});
    HWND highlight = FindPointerHighlight(tuvo);
    ASSERT_NE(highlight, nullptr);
    DWORD exitCode = 1234;
    ASSERT_TRUE(tuvo.Close(15000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_FALSE(::IsWindow(highlight));
}
