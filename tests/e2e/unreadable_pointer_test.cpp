// The pointer that cannot be read: while the workstation is locked, on the secure desktop and in
// some remote sessions the system does not say where the pointer is. The fault hook makes every
// pointer read of the real program fail (handing back a position that is not the pointer's, as
// a caller that trusts a failed read would see), and the tests check that no overlay moves,
// shows or records anything on such ticks, and that each follows again once the pointer can be
// read.
#include <gtest/gtest.h>

#include <functional>

#include "harness/overlay_windows.h"
#include "harness/trail_expectations.h"
#include "harness/tuvo_process.h"
#include "harness/windows.h"
#include "res/resource.h"

namespace {

const Point kLastSeen{1300, 450};  // where the pointer was when it could last be read
const Point kMeanwhile{500, 800};  // where it goes while it cannot be read
const LONG kFailedReads = 20;      // at least ten ticks of every timer that reads the pointer

// Makes the program's pointer reads fail, moves the pointer to `to` and waits until
// kFailedReads of them have failed; true when `unchanged` held all along.
bool HoldsWhileThePointerCannotBeRead(FaultHookBlock& faults, Point to,
                                      const std::function<bool()>& unchanged)
{
    const LONG before = faults.failedPointerReads;
    faults.pointerUnreadable = 1;
    ::SetCursorPos(to.x, to.y);
    bool held = true;
    const bool ticked = WaitUntil([&] {
        held = held && unchanged();
        return faults.failedPointerReads - before >= kFailedReads;
    });
    return ticked && held && unchanged();
}

TuvoStart WithFaultHook(bool pointerUnreadableFromTheStart = false)
{
    TuvoStart start;
    start.faults = [pointerUnreadableFromTheStart](FaultHookBlock& faults) {
        faults.pointerUnreadable = pointerUnreadableFromTheStart ? 1 : 0;
    };
    return start;
}

}  // namespace

TEST(UnreadablePointer, TheHighlightAndTheLensStayPutAndFollowAgainOnceItCanBeRead)
{
    const struct {
        const char* mode;
        int radio;
        HWND (*find)(const TuvoProcess&);
    } overlays[] = {
        {"Pemo", IDC_RPEMO, &FindPointerHighlight},
        {"Deka", IDC_RDEKA, &FindLens},
    };
    for (const auto& overlay : overlays) {
        TuvoProcess tuvo(WithFaultHook());
        FaultHookBlock* faults = tuvo.Faults();
        ASSERT_NE(faults, nullptr) << overlay.mode;
        ChooseModeAt(tuvo, overlay.radio, kLastSeen);
        HWND window = overlay.find(tuvo);
        ASSERT_TRUE(ShowsCentredOn(window, kLastSeen)) << overlay.mode << ": " << PlaceOf(window);

        const Rect shown = RectOf(window);
        EXPECT_TRUE(HoldsWhileThePointerCannotBeRead(*faults, kMeanwhile, [&] {
            return ::IsWindowVisible(window) && RectOf(window) == shown;
        })) << overlay.mode << ": it moved while the pointer could not be read";

        faults->pointerUnreadable = 0;
        EXPECT_TRUE(ShowsCentredOn(window, kMeanwhile)) << overlay.mode << ": " << PlaceOf(window);
    }
}

TEST(UnreadablePointer, TheTrailHoldsItsLastPositionAndRecordsNothingElse)
{
    TuvoProcess tuvo(WithFaultHook());
    FaultHookBlock* faults = tuvo.Faults();
    ASSERT_NE(faults, nullptr);
    HWND ribbon = FindRibbon(tuvo);
    ASSERT_NE(ribbon, nullptr);
    ChooseModeAt(tuvo, IDC_RRIBBON, kLastSeen);
    ASSERT_TRUE(ShownAt(ribbon, CentredOrigin(ribbon, kLastSeen)));  // at rest there

    const Rect shown = RectOf(ribbon);
    EXPECT_TRUE(HoldsWhileThePointerCannotBeRead(*faults, kMeanwhile, [&] {
        return ::IsWindowVisible(ribbon) && RectOf(ribbon) == shown;
    })) << "the trail moved while the pointer could not be read";

    // The history holds the last position seen and, from the first tick that reads again, the
    // new one: a trail between the two, and nothing else, until it comes to rest.
    faults->pointerUnreadable = 0;
    EXPECT_TRUE(ShownAt(ribbon, ExpectedFrame(ribbon, History({kMeanwhile, kLastSeen})).origin));
    EXPECT_TRUE(ShownAt(ribbon, CentredOrigin(ribbon, kMeanwhile)));
}

TEST(UnreadablePointer, OverlaysChosenBeforeItWasEverReadShowNowhereUntilItCanBeRead)
{
    ::SetCursorPos(kMeanwhile.x, kMeanwhile.y);
    TuvoProcess tuvo(WithFaultHook(true));
    FaultHookBlock* faults = tuvo.Faults();
    ASSERT_NE(faults, nullptr);
    HWND lens = FindLens(tuvo);
    HWND ribbon = FindRibbon(tuvo);
    ASSERT_NE(lens, nullptr);
    ASSERT_NE(ribbon, nullptr);

    const auto noOverlayShows = [&] {
        HWND highlight = FindPointerHighlight(tuvo);
        return (highlight == nullptr || !::IsWindowVisible(highlight)) &&
               !::IsWindowVisible(lens) && !::IsWindowVisible(ribbon);
    };
    for (int radio : {IDC_RPEMO, IDC_RDEKA, IDC_RRIBBON}) {
        tuvo.Click(radio);
        EXPECT_TRUE(HoldsWhileThePointerCannotBeRead(*faults, kMeanwhile, noOverlayShows))
            << "mode " << radio << ": an overlay showed although the pointer was never read";
    }

    // The trail started at the panel's centre: its first frame runs from there to the pointer.
    const Rect panel = RectOf(tuvo.Panel());
    const Point panelCentre{(panel.left + panel.right) / 2, (panel.top + panel.bottom) / 2};
    faults->pointerUnreadable = 0;
    EXPECT_TRUE(ShownAt(ribbon, ExpectedFrame(ribbon, History({kMeanwhile, panelCentre})).origin));

    tuvo.Click(IDC_RPEMO);
    EXPECT_TRUE(ShowsCentredOn(FindPointerHighlight(tuvo), kMeanwhile));
    tuvo.Click(IDC_RDEKA);
    EXPECT_TRUE(ShowsCentredOn(lens, kMeanwhile));
}
