// Hours of use, compressed: every mode held for ten thousand ticks with the pointer moving, then
// a thousand random mode switches while the companion window comes, hides and goes. Throughout,
// the program stays alive and responsive and shows only the overlay of its mode; at the end its
// GDI objects, windows and memory are where they started.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "harness/test_window.h"
#include "harness/tuvo_process.h"
#include "harness/windows.h"
#include "overlays/overlay_titles.h"
#include "res/resource.h"
#include "soak/driver.h"
#include "soak/overlay_table.h"
#include "soak/process_census.h"
#include "soak/soak_scale.h"

namespace {

const int kHeldTicks = 10000;
const int kRandomSwitches = 1000;
const int kCheckEveryTicks = 250;

double SecondsSince(ULONGLONG startMs) { return (::GetTickCount64() - startMs) / 1000.0; }

void Report(const char* phase, const ProcessCensus& census, double seconds)
{
    std::printf("soak: %-28s %s (%.1f s)\n", phase, Describe(census).c_str(), seconds);
    std::fflush(stdout);
}

// One tick of every overlay that exists, `times` over.
void TickEveryOverlay(const TuvoProcess& tuvo, int times)
{
    for (int t = 0; t < times; ++t) {
        for (const OverlayRow& row : Overlays()) {
            if (HWND window = row.tickWindow(tuvo)) {
                SendTick(window);
            }
        }
    }
}

// Times a late motion event of an earlier move put the pointer somewhere else after it was set.
int g_pointerMovedBack = 0;

Point PointerNow()
{
    POINT now{};
    ::GetCursorPos(&now);
    return Point{now.x, now.y};
}

std::string DescribeOverlays(const TuvoProcess& tuvo)
{
    std::string text;
    for (const OverlayRow& row : Overlays()) {
        text += std::string(row.name) + ": ";
        if (HWND window = row.find(tuvo)) {
            const Rect r = RectOf(window);
            text += (::IsWindowVisible(window) ? "shown at " : "hidden at ") +
                    std::to_string(r.left) + "," + std::to_string(r.top) + " size " +
                    std::to_string(r.Width()) + "x" + std::to_string(r.Height()) + "\n";
        } else {
            text += "none\n";
        }
    }
    return text;
}

// The pointer comes to rest at p and every overlay takes two ticks there; then nothing may be on
// screen that the mode does not own. Under Wine a motion event of an earlier move can arrive
// late and put the pointer back where it was; the overlays then rightly follow that place, so
// the pointer is set and the ticks are given again until it stays. False on a fault.
bool CheckAt(const TuvoProcess& tuvo, int modeRadio, Point p)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        ::SetCursorPos(p.x, p.y);
        TickEveryOverlay(tuvo, 2);
        if (PointerNow() == p) {
            break;
        }
        ++g_pointerMovedBack;
    }
    const Point seen = PointerNow();
    const std::string faults = OverlayFaults(tuvo, modeRadio, seen);
    EXPECT_EQ(faults, "") << "pointer set at " << p.x << "," << p.y << ", seen at " << seen.x
                          << "," << seen.y << "\n"
                          << DescribeOverlays(tuvo);
    const bool responsive = Responsive(tuvo);
    EXPECT_TRUE(responsive);
    return faults.empty() && responsive;
}

RECT RandomRect(SoakRandom& random, const Rect& screen)
{
    const int w = 200 + random.Below(600);
    const int h = 150 + random.Below(400);
    const int x = screen.left + random.Below(screen.Width() - w);
    const int y = screen.top + random.Below(screen.Height() - h);
    return RECT{x, y, x + w, y + h};
}

// The companion program's window: appears (shown or hidden), shows, hides or vanishes.
void StirCompanion(std::unique_ptr<TestWindow>& companion, SoakRandom& random, const Rect& screen)
{
    if (!companion) {
        companion = std::make_unique<TestWindow>(kCompanionTitle, RandomRect(random, screen),
                                                 random.Chance(70));
        return;
    }
    switch (random.Below(3)) {
    case 0:
        companion->Show();
        break;
    case 1:
        companion->Hide();
        break;
    default:
        companion.reset();
        break;
    }
}

// Every path of the soak once, so that whatever the program and the platform make on first use
// (caches, the hook library in the program, window classes) is in the starting figures.
void WarmUp(TuvoProcess& tuvo, HotItemSender& hotItem, const Rect& screen)
{
    std::unique_ptr<TestWindow> companion =
        std::make_unique<TestWindow>(kCompanionTitle, RECT{900, 500, 1300, 800});
    for (int radio : ModeRadios()) {
        tuvo.Click(radio);
        for (int i = 0; i < 40; ++i) {
            const Point p = PathPoint(i * 50, screen, RectOf(tuvo.Panel()));
            ::SetCursorPos(p.x, p.y);
            TickEveryOverlay(tuvo, 1);
        }
        hotItem.Send(IDC_ROFF, HICF_ENTERING);
        companion->Hide();
        TickEveryOverlay(tuvo, 2);
        companion->Show();
    }
    companion.reset();
    tuvo.Click(IDC_ROFF);
    TickEveryOverlay(tuvo, 3);
}

// The mode is held for `ticks` ticks of every overlay's timer while the pointer moves.
void HoldMode(TuvoProcess& tuvo, int modeRadio, const Rect& screen, int ticks)
{
    SCOPED_TRACE("holding " + ModeName(modeRadio));
    const ULONGLONG start = ::GetTickCount64();
    const Rect panel = RectOf(tuvo.Panel());
    tuvo.Click(modeRadio);
    CheckAt(tuvo, modeRadio, PathPoint(1, screen, panel));
    const ProcessCensus settled = TakeCensus(tuvo);

    int unanswered = 0;
    for (int i = 0; i < ticks; ++i) {
        const Point p = PathPoint(i, screen, panel);
        ::SetCursorPos(p.x, p.y);
        for (const OverlayRow& row : Overlays()) {
            HWND window = row.tickWindow(tuvo);
            const bool mustTick = row.modeRadio == modeRadio ||
                                  row.presence == Presence::VisibleOnlyInItsMode;
            if (mustTick && (window == nullptr || !SendTick(window))) {
                ++unanswered;
            }
        }
        if (i % kCheckEveryTicks == kCheckEveryTicks - 1) {
            ASSERT_TRUE(CheckAt(tuvo, modeRadio, PathPoint(i + 1, screen, panel)))
                << "after tick " << i;
            ASSERT_TRUE(tuvo.IsRunning());
        }
    }
    EXPECT_EQ(unanswered, 0) << "ticks the program did not answer";
    const ProcessCensus after = TakeCensus(tuvo);
    EXPECT_EQ(MeasuresThatGrew(settled, after), std::vector<std::string>{})
        << "from " << Describe(settled) << " to " << Describe(after);
    Report((ModeName(modeRadio) + " settled").c_str(), settled, 0);
    char phase[64];
    std::snprintf(phase, sizeof phase, "%s after %d ticks", ModeName(modeRadio).c_str(), ticks);
    Report(phase, after, SecondsSince(start));
}

void SwitchAtRandom(TuvoProcess& tuvo, HotItemSender& hotItem, const Rect& screen, int switches)
{
    SoakRandom random(SoakSeed());
    std::unique_ptr<TestWindow> companion;
    const Rect panel = RectOf(tuvo.Panel());
    int mode = IDC_ROFF;
    tuvo.Click(mode);
    for (int step = 0; step < switches; ++step) {
        SCOPED_TRACE("random switch " + std::to_string(step) + ", seed " +
                     std::to_string(SoakSeed()));
        if (random.Chance(20)) {
            StirCompanion(companion, random, screen);
        }
        // Mostly away from the panel, now and then over it.
        const Point p = random.Chance(10)
                            ? Point{panel.left + random.Below(panel.Width()),
                                    panel.top + random.Below(panel.Height())}
                            : Point{screen.left + random.Below(screen.Width()),
                                    screen.top + random.Below(screen.Height())};
        ::SetCursorPos(p.x, p.y);
        if (random.Chance(25)) {
            // Re-reads and re-applies the selected mode without changing it.
            hotItem.Send(IDC_ROFF, random.Chance(50) ? HICF_ENTERING : HICF_LEAVING);
        } else {
            mode = ModeRadios()[random.Below(static_cast<int>(ModeRadios().size()))];
            tuvo.Click(mode);
        }
        ASSERT_EQ(::SendMessageW(tuvo.Control(mode), BM_GETCHECK, 0, 0), BST_CHECKED);
        ASSERT_TRUE(CheckAt(tuvo, mode, p));
        ASSERT_TRUE(tuvo.IsRunning());
    }
}

}  // namespace

TEST(Soak, EveryModeHeldThenRandomSwitchesEndWhereTheyStarted)
{
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    HotItemSender hotItem(tuvo);
    ASSERT_TRUE(hotItem.Hooked());
    const Rect screen = ScreenRect();
    const ULONGLONG start = ::GetTickCount64();

    WarmUp(tuvo, hotItem, screen);
    const ProcessCensus atStart = TakeCensus(tuvo);
    Report("start (OFF, warmed up)", atStart, SecondsSince(start));

    const int ticks = Scaled(kHeldTicks, 200);
    for (int radio : ModeRadios()) {
        HoldMode(tuvo, radio, screen, ticks);
        ASSERT_FALSE(HasFatalFailure());
    }

    const ULONGLONG switching = ::GetTickCount64();
    const int switches = Scaled(kRandomSwitches, 30);
    SwitchAtRandom(tuvo, hotItem, screen, switches);
    ASSERT_FALSE(HasFatalFailure());

    tuvo.Click(IDC_ROFF);
    CheckAt(tuvo, IDC_ROFF, PathPoint(0, screen, RectOf(tuvo.Panel())));
    const ProcessCensus atEnd = TakeCensus(tuvo);
    char phase[64];
    std::snprintf(phase, sizeof phase, "end (OFF, %d switches)", switches);
    Report(phase, atEnd, SecondsSince(switching));
    EXPECT_EQ(MeasuresThatGrew(atStart, atEnd), std::vector<std::string>{})
        << "from " << Describe(atStart) << " to " << Describe(atEnd);
    EXPECT_LE(atEnd.gdiObjects, atStart.gdiObjects) << "nothing made is kept";
    EXPECT_LE(atEnd.windows, atStart.windows);

    DWORD exitCode = 1234;
    ASSERT_TRUE(tuvo.Close(15000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    std::printf("soak: whole run %.1f s; the platform put the pointer back %d times\n",
                SecondsSince(start), g_pointerMovedBack);
}
