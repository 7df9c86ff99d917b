// Mode "Deka": the magnifier lens of the real program, as a user of Wine gets it. The
// Magnification API is absent under Wine, so the lens shows no picture here; its window still
// follows, hides and stacks by the same rules, and that is what these tests see. The picture
// path, through a stand-in library, is in lens_magnifier_test.cpp.
#include <gtest/gtest.h>

#include "harness/overlay_windows.h"
#include "harness/test_window.h"
#include "harness/tuvo_process.h"
#include "harness/windows.h"
#include "overlays/overlay_titles.h"
#include "res/resource.h"

namespace {

// 1920 x 1080 at the default 50 and 50 percent.
const int kLensWidth = 600;
const int kLensHeight = 337;

Rect LensAt(Point p) { return BoxCentredOn(p, kLensWidth, kLensHeight); }

}  // namespace

TEST(Lens, ExistsHiddenFromTheStartAndFollowsThePointerInDeka)
{
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    HWND lens = FindLens(tuvo);
    ASSERT_NE(lens, nullptr) << "the lens exists from the panel's start";
    ::SetCursorPos(1001, 501);
    ::Sleep(150);
    EXPECT_FALSE(::IsWindowVisible(lens)) << "inactive: hidden";

    tuvo.Click(IDC_RDEKA);
    // Odd cursor coordinates: the halves 300 and 168 are truncated.
    EXPECT_TRUE(ShowsSoonAt(lens, LensAt(Point{1001, 501})));
    EXPECT_EQ(ExStyleOf(lens) & (WS_EX_LAYERED | WS_EX_TRANSPARENT),
              static_cast<DWORD>(WS_EX_LAYERED | WS_EX_TRANSPARENT));
    EXPECT_TRUE(IsTopMost(lens));
    const LayeredAttributes layered = LayeredAttributesOf(lens);
    ASSERT_TRUE(layered.ok);
    EXPECT_EQ(layered.key, RGB(0, 0, 0));
    EXPECT_EQ(layered.alpha, 255);
    EXPECT_EQ(layered.flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));

    for (Point p : {Point{400, 300}, Point{1500, 800}}) {
        ::SetCursorPos(p.x, p.y);
        EXPECT_TRUE(ShowsSoonAt(lens, LensAt(p))) << p.x << "," << p.y;
        EXPECT_TRUE(IsNotActive(lens));
    }
}

TEST(Lens, HidesOverThePanelAndWhenAnotherModeIsChosen)
{
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    HWND lens = FindLens(tuvo);
    ChooseModeAt(tuvo, IDC_RDEKA, {1200, 700});
    ASSERT_TRUE(ShowsSoonAt(lens, LensAt(Point{1200, 700})));

    const Rect panel = RectOf(tuvo.Panel());
    ::SetCursorPos(panel.left, panel.top);
    EXPECT_TRUE(HidesSoon(lens)) << "over the panel";
    ::SetCursorPos(panel.right, panel.bottom);
    EXPECT_TRUE(ShowsSoonAt(lens, LensAt(Point{panel.right, panel.bottom}))) << "the edges are outside";

    for (int other : {IDC_RPEMO, IDC_RRIBBON, IDC_ROFF}) {
        tuvo.Click(IDC_RDEKA);
        ::SetCursorPos(1200, 700);
        ASSERT_TRUE(ShowsSoonAt(lens, LensAt(Point{1200, 700})));
        tuvo.Click(other);
        EXPECT_TRUE(HidesSoon(lens)) << "within a tick or two of mode " << other;
        EXPECT_EQ(FindLens(tuvo), lens) << "the same lens lives on";
    }
}

TEST(Lens, SitsDirectlyBehindAVisibleCompanionElseTopMost)
{
    TestWindow companion(kCompanionTitle, RECT{500, 300, 1100, 800});
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    HWND lens = FindLens(tuvo);
    ChooseModeAt(tuvo, IDC_RDEKA, {800, 550});
    ASSERT_TRUE(ShowsSoonAt(lens, LensAt(Point{800, 550})));
    EXPECT_TRUE(WaitUntil([&] { return ::GetWindow(companion.Handle(), GW_HWNDNEXT) == lens; }));
    EXPECT_FALSE(IsTopMost(lens));
    companion.Hide();
    EXPECT_TRUE(WaitUntil([&] { return IsTopMost(lens); }));
}

TEST(Lens, GoesWithTheMainWindow)
{
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    HWND lens = FindLens(tuvo);
    ChooseModeAt(tuvo, IDC_RDEKA, {1200, 700});
    ASSERT_TRUE(ShowsSoonAt(lens, LensAt(Point{1200, 700})));
    DWORD exitCode = 1234;
    ASSERT_TRUE(tuvo.Close(15000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_FALSE(::IsWindow(lens));
}
