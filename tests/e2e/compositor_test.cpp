// The screen where a compositing manager draws it, as on most Linux desktops: it blends the
// overlays' translucency, and it takes the trail window's shape, which Wine cuts out of the
// window's picture by the colour key, only when the window is placed. These tests run with
// xcompmgr on the test display (tests/e2e/under_compositor.sh); the other end-to-end tests run
// without one, where the screen shows the overlays opaque.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>

#include "harness/overlay_windows.h"
#include "harness/screen_capture.h"
#include "harness/test_window.h"
#include "harness/tuvo_process.h"
#include "harness/windows.h"
#include "res/resource.h"

namespace {

const RECT kBackdrop{200, 200, 1800, 1060};
const COLORREF kWhite = RGB(255, 255, 255);

std::string Where(Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

std::wstring Wide(const char* text) { return std::wstring(text, text + std::strlen(text)); }

std::string Describe(const Rect& r)
{
    return Where(Point{r.left, r.top}) + " to " + Where(Point{r.right, r.bottom});
}

Rect Union(const Rect& a, const Rect& b)
{
    return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

bool Contains(const Rect& outer, const Rect& inner)
{
    return outer.left <= inner.left && outer.top <= inner.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// What a box of the screen shows other than the white backdrop.
struct Ink {
    long pixels = 0;
    long translucent = 0;  // the trail's red at its 70 percent over white: about 255, 77, 77
    long opaque = 0;       // the trail's red with nothing showing through
    Rect span{};           // the box the pixels span
};

Ink InkIn(const ScreenCapture& shot, const Rect& box)
{
    Ink ink;
    ink.span = Rect{box.right, box.bottom, box.left, box.top};
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            const COLORREF c = shot.At(Point{x, y});
            if (c == kWhite) {
                continue;
            }
            ++ink.pixels;
            const int r = GetRValue(c);
            const int g = GetGValue(c);
            const int b = GetBValue(c);
            ink.translucent += r >= 230 && g >= 60 && g <= 100 && b >= 60 && b <= 100 ? 1 : 0;
            ink.opaque += r >= 230 && g <= 20 && b <= 20 ? 1 : 0;
            ink.span = Rect{std::min(ink.span.left, x), std::min(ink.span.top, y),
                            std::max(ink.span.right, x + 1), std::max(ink.span.bottom, y + 1)};
        }
    }
    return ink;
}

// One tick of the panel's timer, which moves the trail, with the pointer at p. Returns once
// the trail window has painted what the tick changed and the screen shows it, as the program's
// 50 ms beat leaves time for between two ticks.
::testing::AssertionResult TickAt(const TuvoProcess& tuvo, HWND ribbon, Point p)
{
    using ::testing::AssertionFailure;
    if (!MovePointerTo(p)) {
        return AssertionFailure() << "the pointer did not stay at " << Where(p);
    }
    if (!SendTick(tuvo.Panel())) {
        return AssertionFailure() << "the program did not answer the tick at " << Where(p);
    }
    POINT now{};
    if (!::GetCursorPos(&now) || now.x != p.x || now.y != p.y) {
        return AssertionFailure() << "the pointer left " << Where(p) << " in the tick";
    }
    if (!WaitUntil([&] { return !::GetUpdateRect(ribbon, nullptr, FALSE); }, 3000)) {
        return AssertionFailure() << "the trail window was not painted after the tick at "
                                  << Where(p);
    }
    if (!SettledScreen()) {
        return AssertionFailure() << "the screen did not come to rest after the tick at "
                                  << Where(p);
    }
    return ::testing::AssertionSuccess();
}

// A stroke across the white backdrop, clear of the panel. The pointer then comes to rest, for
// longer than the 15 ticks the trail holds, so that the trail shrinks into it and vanishes.
const Point kStroke[] = {{760, 560}, {820, 600}, {900, 640}, {1000, 660}, {1100, 650}, {1180, 610}};
const int kRestTicks = 20;
// Far fewer than the trail's line across the stroke covers (about 3000).
const long kTrailPixels = 1000;

// Where the pointer rests: how the stroke ends. Resting at the stroke's last point, the trail
// window moves on the tick the trail vanishes, and whether the compositor reads the window's
// shape before or after the repaint reaches the display is down to timing. After a nudge of one
// pixel up and left the window already stands where the trail at rest puts it and stays put on
// that tick: the compositor keeps an earlier shape whatever the timing.
struct Ending {
    const char* name;
    Point rest;
};
const Ending kEndings[] = {
    {"AtTheLastStep", kStroke[std::size(kStroke) - 1]},
    {"AfterANudgeOfOnePixel", {1179, 609}},
};

// How a failing case names its ending.
void PrintTo(const Ending& ending, std::ostream* out)
{
    *out << ending.name << ", at rest at " << Where(ending.rest);
}

}  // namespace

// As the trail vanishes into the resting pointer its window is repainted all key colour, after
// the tick placed it. The compositor keeps the shape the window had when last placed: unless the
// window is placed once more, the last piece of the trail stays on the screen, translucent red,
// for as long as the pointer rests.
class UnderACompositor : public ::testing::TestWithParam<Ending> {};

TEST_P(UnderACompositor, TheTrailLeavesNothingOnTheScreenOnceThePointerRests)
{
    const Point rest = GetParam().rest;
    TestWindow backdrop(L"Tuvo test: backdrop", kBackdrop);
    ASSERT_TRUE(MovePointerTo(kStroke[0]));  // before the start: the history holds only this
    // No timer of the program starts: only the ticks sent here move the trail.
    TuvoStart start;
    start.faults = [](FaultHookBlock& block) { block.windowTimersHeld = 1; };
    TuvoProcess tuvo(start);
    ASSERT_NE(tuvo.Panel(), nullptr);
    ASSERT_NE(tuvo.Faults(), nullptr);
    HWND ribbon = FindRibbon(tuvo);
    ASSERT_NE(ribbon, nullptr);
    ChooseModeAt(tuvo, IDC_RRIBBON, kStroke[0]);

    // Every place the trail window stands must lie on the backdrop.
    const Rect backdropRect{kBackdrop.left, kBackdrop.top, kBackdrop.right, kBackdrop.bottom};
    std::optional<Rect> stood;
    const auto tickAt = [&](Point p) {
        const ::testing::AssertionResult ticked = TickAt(tuvo, ribbon, p);
        stood = stood ? Union(*stood, RectOf(ribbon)) : RectOf(ribbon);
        return ticked;
    };
    for (Point p : kStroke) {
        ASSERT_TRUE(tickAt(p));
    }
    ASSERT_TRUE(Contains(backdropRect, *stood)) << "the trail window stood at " << Describe(*stood);

    // The trail shows, blended over the backdrop: the compositor runs.
    const std::optional<ScreenCapture> moving = SettledScreen();
    ASSERT_TRUE(moving);
    const Ink drawn = InkIn(*moving, RectOf(ribbon));
    EXPECT_TRUE(moving->SaveBmp(TestProgramFolder() + L"\\screenshots\\compositor-trail.bmp"));
    EXPECT_GT(drawn.translucent, kTrailPixels)
        << "the trail's red blended over white: " << drawn.pixels
        << " pixels other than white in the trail window, " << drawn.opaque
        << " of them opaque red (no compositing manager blends the window)";

    for (int tick = 1; tick <= kRestTicks; ++tick) {
        ASSERT_TRUE(tickAt(rest)) << "rest tick " << tick;
    }
    EXPECT_TRUE(::IsWindowVisible(ribbon)) << "the trail window stays shown, with nothing on it";
    ASSERT_TRUE(Contains(backdropRect, *stood)) << "the trail window stood at " << Describe(*stood);
    const std::optional<ScreenCapture> resting = SettledScreen();
    ASSERT_TRUE(resting);
    const Ink left = InkIn(*resting, *stood);
    EXPECT_TRUE(resting->SaveBmp(TestProgramFolder() + L"\\screenshots\\compositor-rest-" +
                                 Wide(GetParam().name) + L".bmp"));
    EXPECT_EQ(left.pixels, 0) << "pixels other than the backdrop's white where the trail window "
                              << "stood (" << Describe(*stood) << ") after " << kRestTicks
                              << " ticks with the pointer at rest at " << Where(rest) << ": "
                              << left.translucent << " of them the trail's translucent red, within "
                              << Describe(left.span);
}

INSTANTIATE_TEST_SUITE_P(Endings, UnderACompositor, ::testing::ValuesIn(kEndings),
                         [](const ::testing::TestParamInfo<Ending>& info) {
                             return std::string(info.param.name);
                         });
