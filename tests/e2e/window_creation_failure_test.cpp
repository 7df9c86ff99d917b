// An overlay window that cannot be made: when the system is out of window handles, making a
// dialog window fails. The fault hook keeps the real program from making the windows of one
// template a given number of times; the mode of that overlay then shows nothing and leaves
// nothing running, everything else works, and choosing the mode again tries again.
#include <gtest/gtest.h>

#include "harness/overlay_windows.h"
#include "harness/test_window.h"
#include "harness/tuvo_process.h"
#include "harness/windows.h"
#include "res/resource.h"

namespace {

const Point kPointer{1200, 650};  // away from the panel

const struct Overlay {
    const char* mode;
    int radio;
    int templateId;
    HWND (*find)(const TuvoProcess&);
    bool madeAtStart;  // the lens and the trail window are made when the panel starts
} kOverlays[] = {
    {"Pemo", IDC_RPEMO, IDD_OVERLAY, &FindPointerHighlight, false},
    {"Deka", IDC_RDEKA, IDD_OVERLAY, &FindLens, true},
    {"Ribbon", IDC_RRIBBON, IDD_MONITOR, &FindRibbon, true},
};

// Ticks enough for every timer of the program to have run a few times.
void LetSomeTicksPass(const TuvoProcess& tuvo)
{
    const ULONGLONG until = ::GetTickCount64() + 300;
    WaitUntil([&] { return ::GetTickCount64() >= until || !tuvo.IsRunning(); });
}

}  // namespace

TEST(WindowThatCannotBeMade, ItsModeShowsNothingTheOthersWorkAndChoosingItAgainTriesAgain)
{
    const LONG kFailures = 2;
    for (const Overlay& overlay : kOverlays) {
        SCOPED_TRACE(overlay.mode);
        // A window of someone else's: the program must not make it repaint.
        TestWindow bystander(L"Tuvo test: bystander", RECT{100, 500, 400, 800});
        TuvoStart start;
        start.faults = [&](FaultHookBlock& faults) {
            faults.creationFaults[0] = {overlay.templateId, overlay.madeAtStart ? kFailures : 0};
        };
        TuvoProcess tuvo(start);
        FaultHookBlock* faults = tuvo.Faults();
        ASSERT_NE(faults, nullptr);
        const LONG failingChoices = kFailures - faults->failedCreations;
        faults->creationFaults[0].count = failingChoices;
        MovePointerTo(kPointer);

        // The mode shows nothing, for as long as its window cannot be made.
        for (LONG i = 0; i < failingChoices; ++i) {
            tuvo.Click(overlay.radio);
            const int paints = bystander.Paints();
            LetSomeTicksPass(tuvo);
            EXPECT_EQ(overlay.find(tuvo), nullptr);
            EXPECT_EQ(bystander.Paints(), paints) << "the program repainted other windows";
        }
        EXPECT_EQ(faults->failedCreations, kFailures) << "each choice tried to make the window";

        // Every other mode works.
        for (const Overlay& other : kOverlays) {
            if (other.radio != overlay.radio) {
                tuvo.Click(other.radio);
                EXPECT_TRUE(ShowsCentredOn(other.find(tuvo), kPointer))
                    << other.mode << ": " << PlaceOf(other.find(tuvo));
            }
        }

        // Chosen again, the mode makes its window.
        tuvo.Click(overlay.radio);
        EXPECT_TRUE(ShowsCentredOn(overlay.find(tuvo), kPointer)) << PlaceOf(overlay.find(tuvo));

        EXPECT_EQ(faults->windowlessTimers, 0) << "a timer was started for no window";
        DWORD exitCode = 1234;
        EXPECT_TRUE(tuvo.Close(15000, &exitCode));
        EXPECT_EQ(exitCode, 0u);
    }
}
