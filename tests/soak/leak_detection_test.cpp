// The soak's three measures each catch a leak: a test build of the program leaks one GDI object,
// one window and a block of memory on every tick that shows an overlay, and each measure must
// see its growth over a few hundred ticks, with the same tolerance the soak allows.
#include <gtest/gtest.h>

#include "harness/tuvo_process.h"
#include "harness/windows.h"
#include "res/resource.h"
#include "soak/driver.h"
#include "soak/overlay_table.h"
#include "soak/process_census.h"

namespace {

const int kLeakyTicks = 300;

std::wstring LeakyProgramPath()
{
    std::wstring path = TuvoProcess::DefaultProgramPath();
    return path.replace(path.rfind(L"Tuvo.exe"), 8, L"Tuvo_leaky.exe");
}

}  // namespace

TEST(SoakMeasures, EachSeesTheLeakOfATestBuildThatLeaksOnEveryTick)
{
    TuvoStart start;
    start.programPath = LeakyProgramPath();
    TuvoProcess leaky(start);
    ASSERT_NE(leaky.Panel(), nullptr);
    const Rect screen = ScreenRect();
    const Rect panel = RectOf(leaky.Panel());
    ::SetCursorPos(1000, 600);
    leaky.Click(IDC_RPEMO);
    const OverlayRow& highlight = Overlays().front();
    ASSERT_EQ(highlight.modeRadio, IDC_RPEMO);
    HWND window = highlight.tickWindow(leaky);
    ASSERT_NE(window, nullptr);

    const ProcessCensus before = TakeCensus(leaky);
    int shownTicks = 0;
    for (int i = 0; i < kLeakyTicks; ++i) {
        const Point p = PathPoint(i, screen, panel);
        ::SetCursorPos(p.x, p.y);
        ASSERT_TRUE(SendTick(window));
        shownTicks += PointInRect(panel, p) ? 0 : 1;
    }
    const ProcessCensus after = TakeCensus(leaky);
    std::printf("soak: leaky build over %d ticks, %d shown: from %s to %s\n", kLeakyTicks,
                shownTicks, Describe(before).c_str(), Describe(after).c_str());

    const std::vector<std::string> all = {"GDI objects", "windows", "memory"};
    EXPECT_EQ(MeasuresThatGrew(before, after), all);
    // At least one of each per shown tick (the program's own 50 ms beat adds more).
    EXPECT_GE(after.gdiObjects - before.gdiObjects, shownTicks);
    EXPECT_GE(after.windows - before.windows, shownTicks);
}
