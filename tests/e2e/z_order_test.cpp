// Every overlay keeps its place in the Z-order on the very next tick, whatever came above it or
// between it and the companion, while a tick that finds it in place leaves it alone. The
// pointer rests throughout, so only the Z-order can call for placing the overlay again.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "harness/overlay_windows.h"
#include "harness/test_window.h"
#include "harness/tuvo_process.h"
#include "harness/windows.h"
#include "overlays/overlay_titles.h"
#include "res/resource.h"

namespace {

const Point kRest{1300, 600};  // away from the panel, inside the companion below

struct Overlay {
    const char* mode;
    int radioId;
};

void PrintTo(const Overlay& o, std::ostream* os) { *os << o.mode; }

const Overlay kOverlays[] = {
    {"Pemo", IDC_RPEMO},
    {"Deka", IDC_RDEKA},
    {"Ribbon", IDC_RRIBBON},
};

// The overlay of the mode, and the window whose timer ticks it (the panel's for the ribbon).
struct Ticked {
    HWND overlay = nullptr;
    HWND ticker = nullptr;
};

Ticked ChooseAndFind(const TuvoProcess& tuvo, const Overlay& o)
{
    ChooseModeAt(tuvo, o.radioId, kRest);
    Ticked t;
    WaitUntil([&] {
        t.overlay = o.radioId == IDC_RPEMO   ? FindPointerHighlight(tuvo)
                    : o.radioId == IDC_RDEKA ? FindLens(tuvo)
                                             : FindRibbon(tuvo);
        return t.overlay != nullptr && ::IsWindowVisible(t.overlay);
    });
    t.ticker = o.radioId == IDC_RRIBBON ? tuvo.Panel() : t.overlay;
    return t;
}

HWND Above(HWND w) { return ::GetWindow(w, GW_HWNDPREV); }

class ZOrder : public ::testing::TestWithParam<Overlay> {
protected:
    void SetUp() override { ::SetCursorPos(kRest.x, kRest.y); }
};

TEST_P(ZOrder, ATopMostWindowRaisedAboveTheOverlayGoesBelowItOnTheNextTick)
{
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    const Ticked t = ChooseAndFind(tuvo, GetParam());
    ASSERT_NE(t.overlay, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsTopMost(t.overlay) && Above(t.overlay) == nullptr; }))
        << "first on the screen";

    TestWindow other(L"Another top-most window", RECT{1100, 500, 1500, 700});
    int seenAbove = 0;  // the overlay's own beat may place it again before the test looks
    for (int round = 0; round < 3; ++round) {
        other.Raise(true);
        seenAbove += Above(other.Handle()) == nullptr;
        ASSERT_TRUE(SendTick(t.ticker));
        EXPECT_EQ(Above(t.overlay), nullptr) << "placed again, round " << round;
        EXPECT_TRUE(IsTopMost(t.overlay));
    }
    EXPECT_GT(seenAbove, 0) << "the other window never came first";
}

TEST_P(ZOrder, AWindowBetweenTheCompanionAndTheOverlayGoesBelowItOnTheNextTick)
{
    // The companion exists before the overlay is first shown, and above the main window: once
    // a window has been top-most, and for the ribbon owned by the main window, the window
    // system would keep it elsewhere (see the placement tests of each overlay).
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    TestWindow companion(kCompanionTitle, RECT{1100, 400, 1500, 800});
    const Ticked t = ChooseAndFind(tuvo, GetParam());
    ASSERT_NE(t.overlay, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return Above(t.overlay) == companion.Handle(); }))
        << "directly behind the companion";

    TestWindow between(L"A window in between", RECT{1000, 500, 1400, 700});
    int seenBetween = 0;  // the overlay's own beat may place it again before the test looks
    for (int round = 0; round < 3; ++round) {
        // The other window comes first, then the companion is raised above it: the other one
        // is now between the companion and the overlay.
        between.Raise();
        companion.Raise();
        seenBetween += ::GetWindow(companion.Handle(), GW_HWNDNEXT) == between.Handle();
        ASSERT_TRUE(SendTick(t.ticker));
        EXPECT_EQ(Above(t.overlay), companion.Handle()) << "behind it again, round " << round;
        EXPECT_FALSE(IsTopMost(t.overlay));
    }
    EXPECT_GT(seenBetween, 0) << "the other window never came between";
}

TEST_P(ZOrder, ATopMostCompanionShownAgainHasTheOverlayDirectlyBehindItOnTheNextTick)
{
    TuvoProcess tuvo;
    ASSERT_NE(tuvo.Panel(), nullptr);
    TestWindow companion(kCompanionTitle, RECT{1100, 400, 1500, 800});
    companion.Raise(true);
    const Ticked t = ChooseAndFind(tuvo, GetParam());
    ASSERT_NE(t.overlay, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return Above(t.overlay) == companion.Handle(); }))
        << "directly behind the companion";

    for (int round = 0; round < 3; ++round) {
        companion.Hide();
        ASSERT_TRUE(SendTick(t.ticker));
        EXPECT_EQ(Above(t.overlay), nullptr) << "first on the screen, round " << round;
        // Shown where it was, behind the overlay.
        companion.Show();
        ASSERT_TRUE(SendTick(t.ticker));
        EXPECT_EQ(Above(t.overlay), companion.Handle()) << "behind it again, round " << round;
        EXPECT_TRUE(::IsWindowVisible(t.overlay));
    }
}

INSTANTIATE_TEST_SUITE_P(EveryOverlay, ZOrder, ::testing::ValuesIn(kOverlays),
                         [](const ::testing::TestParamInfo<Overlay>& info) {
                             return std::string(info.param.mode);
                         });

}  // namespace
