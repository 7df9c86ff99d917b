// A change of the screen's size while "Deka" is the mode: the lens keeps its size until "Deka"
// is selected again, then takes the size the new screen calls for, and nothing breaks. It needs
// a virtual display that can change its size; where the display cannot, the test says so and
// skips.
#include <gtest/gtest.h>

#include <string>

#include "harness/tuvo_process.h"
#include "harness/windows.h"
#include "res/resource.h"
#include "soak/driver.h"
#include "soak/overlay_table.h"

namespace {

// The lens for a screen of w x h at the panel's 50 and 50 percent, truncated step by step.
Point LensSizeFor(int w, int h)
{
    return Point{w / 8 + ((w / 2 - w / 8) * 50) / 100, h / 8 + ((h / 2 - h / 8) * 50) / 100};
}

bool ScreenIs(int w, int h)
{
    return WaitUntil([&] { return ScreenRect().Width() == w && ScreenRect().Height() == h; },
                     3000);
}

bool OffersMode(int w, int h)
{
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    for (DWORD i = 0; ::EnumDisplaySettingsW(nullptr, i, &mode); ++i) {
        if (mode.dmPelsWidth == static_cast<DWORD>(w) &&
            mode.dmPelsHeight == static_cast<DWORD>(h)) {
            return true;
        }
    }
    return false;
}

// Asks the window system for a screen of w x h, when it offers that size. (Under Wine the X
// driver makes the change through the X server's resize extension.)
bool ResizeScreen(int w, int h)
{
    if (!OffersMode(w, h)) {
        return false;
    }
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(w);
    mode.dmPelsHeight = static_cast<DWORD>(h);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    return ::ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr) ==
               DISP_CHANGE_SUCCESSFUL &&
           ScreenIs(w, h);
}

bool LensHasSize(HWND lens, Point size)
{
    return WaitUntil(
        [&] {
            SendTick(lens);
            const Rect r = RectOf(lens);
            return ::IsWindowVisible(lens) && r.Width() == size.x && r.Height() == size.y;
        },
        3000);
}

}  // namespace

TEST(DisplaySize, InDekaTheLensTakesTheNewScreenSizeAtTheNextSelection)
{
    const Rect original = ScreenRect();
    const Point smaller{1280, 1024};
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    const OverlayRow& lensRow = Overlays()[1];
    ASSERT_EQ(lensRow.modeRadio, IDC_RDEKA);
    HWND lens = lensRow.find(tuvo);
    ::SetCursorPos(700, 500);
    tuvo.Click(IDC_RDEKA);
    const Point before = LensSizeFor(original.Width(), original.Height());
    ASSERT_TRUE(LensHasSize(lens, before));

    if (!ResizeScreen(smaller.x, smaller.y)) {
        GTEST_SKIP() << "the display cannot change its size: it offers no mode but "
                     << original.Width() << " x " << original.Height()
                     << " (so it is with Xvfb, whose one output has one fixed mode)";
    }
    ::SetCursorPos(600, 400);
    EXPECT_TRUE(LensHasSize(lens, before)) << "the size is read only when Deka is selected";
    tuvo.Click(IDC_RDEKA);
    EXPECT_TRUE(LensHasSize(lens, LensSizeFor(smaller.x, smaller.y)));
    EXPECT_TRUE(Responsive(tuvo));

    ResizeScreen(original.Width(), original.Height());
    tuvo.SendHotItemChange(IDC_ROFF);  // the re-selection by the hot-item notification
    EXPECT_TRUE(LensHasSize(lens, before));
    DWORD exitCode = 1234;
    ASSERT_TRUE(tuvo.Close(15000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}
