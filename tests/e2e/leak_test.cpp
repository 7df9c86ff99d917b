// GDI objects of the real program over hundreds of overlay ticks. The window system's own count
// reads 0 under Wine, so the program's live count of the objects its wrappers made is read
// instead; a build that leaks one object per tick shows that the check can fail.
#include <gtest/gtest.h>

#include <cmath>

#include "harness/tuvo_process.h"
#include "harness/windows.h"
#include "res/resource.h"

namespace {

// Moves the cursor around a circle away from the panel for about `ticks` 50 ms beats.
void CircleTheCursor(int ticks)
{
    for (int i = 0; i < ticks; ++i) {
        const double angle = i * 0.3;
        ::SetCursorPos(1000 + static_cast<int>(300 * std::cos(angle)),
                       600 + static_cast<int>(250 * std::sin(angle)));
        ::Sleep(50);
    }
}

}  // namespace

TEST(GdiObjects, StaySteadyOverHundredsOfTicksInEveryMode)
{
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    const long atStart = tuvo.LiveGdiObjects();
    EXPECT_GT(atStart, 0) << "the panel's own brush at least";
    for (int mode : {IDC_RPEMO, IDC_RDEKA, IDC_RRIBBON}) {
        ::SetCursorPos(1000, 600);
        tuvo.Click(mode);
        CircleTheCursor(20);  // the mode's objects are made
        const long settled = tuvo.LiveGdiObjects();
        CircleTheCursor(240);
        EXPECT_EQ(tuvo.LiveGdiObjects(), settled) << "mode " << mode;
        tuvo.Click(IDC_ROFF);
        EXPECT_EQ(tuvo.LiveGdiObjects(), atStart) << "after leaving mode " << mode;
    }
}

TEST(GdiObjects, TheCheckCatchesAnInjectedLeak)
{
    TuvoStart start;
    start.programPath = TuvoProcess::DefaultProgramPath();
    start.programPath.replace(start.programPath.rfind(L"Tuvo.exe"), 8, L"Tuvo_leaky.exe");
    TuvoProcess leaky(start);
    ASSERT_NE(leaky.Panel(), nullptr);
    ::SetCursorPos(1000, 600);
    leaky.Click(IDC_RPEMO);
    CircleTheCursor(5);
    const long before = leaky.LiveGdiObjects();
    CircleTheCursor(40);
    EXPECT_GE(leaky.LiveGdiObjects() - before, 20) << "one object per tick";
}
