#include "overlays/placement_change.h"

#include <gtest/gtest.h>

namespace {

const Rect kTarget{500, 300, 581, 381};

// A shown top-most overlay, first on the screen, at the target: nothing to do.
OverlayNow InPlaceTopMost()
{
    OverlayNow now;
    now.visible = true;
    now.rect = kTarget;
    now.topMost = true;
    now.above = WindowAbove::None;
    return now;
}

// A shown overlay directly behind an ordinary companion window, at the target.
OverlayNow InPlaceBehindCompanion()
{
    OverlayNow now = InPlaceTopMost();
    now.topMost = false;
    now.above = WindowAbove::Companion;
    now.companionTopMost = false;
    return now;
}

TEST(PlacementChange, NothingIsAppliedThatIsInPlace)
{
    EXPECT_FALSE(ChangeToPlace(InPlaceTopMost(), kTarget, OverlayPlacement::TopMost).Any());
    EXPECT_FALSE(
        ChangeToPlace(InPlaceBehindCompanion(), kTarget, OverlayPlacement::BehindCompanion).Any());
    // Both top-most, the overlay directly behind: placing it after the companion keeps it there.
    OverlayNow bothTopMost = InPlaceBehindCompanion();
    bothTopMost.topMost = bothTopMost.companionTopMost = true;
    EXPECT_FALSE(ChangeToPlace(bothTopMost, kTarget, OverlayPlacement::BehindCompanion).Any());
}

TEST(PlacementChange, EachDifferenceIsAppliedAlone)
{
    struct Case {
        const char* what;
        Rect target;
        bool visible;
        bool move, resize, show;
    };
    const Case cases[] = {
        {"moved right", {501, 300, 582, 381}, true, true, false, false},
        {"moved up", {500, 299, 581, 380}, true, true, false, false},
        {"wider", {500, 300, 600, 381}, true, false, true, false},
        {"shorter", {500, 300, 581, 380}, true, false, true, false},
        {"left edge out, right edge kept", {499, 300, 581, 381}, true, true, true, false},
        {"hidden where it belongs", kTarget, false, false, false, true},
        {"hidden, elsewhere", {0, 0, 81, 81}, false, true, false, true},
    };
    for (const Case& c : cases) {
        OverlayNow now = InPlaceTopMost();
        now.visible = c.visible;
        const PlacementChange change = ChangeToPlace(now, c.target, OverlayPlacement::TopMost);
        EXPECT_EQ(change.move, c.move) << c.what;
        EXPECT_EQ(change.resize, c.resize) << c.what;
        EXPECT_EQ(change.show, c.show) << c.what;
        EXPECT_FALSE(change.restack) << c.what;
        EXPECT_TRUE(change.Any()) << c.what;
    }
}

// The rule's promise: whenever anything may have come above a top-most overlay or between the
// overlay and the companion, the overlay is placed again.
TEST(PlacementChange, ZOrderIsPlacedAgainUnlessCertainlyInPlace)
{
    struct Case {
        const char* what;
        OverlayPlacement wanted;
        bool topMost;
        WindowAbove above;
        bool companionTopMost;
        bool restack;
    };
    const Case cases[] = {
        {"top-most, first", OverlayPlacement::TopMost, true, WindowAbove::None, false, false},
        {"another window came above", OverlayPlacement::TopMost, true, WindowAbove::Other, false,
         true},
        {"the companion is above, now hidden", OverlayPlacement::TopMost, true,
         WindowAbove::Companion, true, true},
        {"first, but not top-most", OverlayPlacement::TopMost, false, WindowAbove::None, false,
         true},
        {"behind the companion", OverlayPlacement::BehindCompanion, false, WindowAbove::Companion,
         false, false},
        {"a window came between", OverlayPlacement::BehindCompanion, false, WindowAbove::Other,
         false, true},
        {"first on the screen, companion shown", OverlayPlacement::BehindCompanion, true,
         WindowAbove::None, false, true},
        {"behind it, but top-most and it is not", OverlayPlacement::BehindCompanion, true,
         WindowAbove::Companion, false, true},
        {"behind it, it top-most and the overlay not", OverlayPlacement::BehindCompanion, false,
         WindowAbove::Companion, true, true},
    };
    for (const Case& c : cases) {
        OverlayNow now = InPlaceTopMost();
        now.topMost = c.topMost;
        now.above = c.above;
        now.companionTopMost = c.companionTopMost;
        const PlacementChange change = ChangeToPlace(now, kTarget, c.wanted);
        EXPECT_EQ(change.restack, c.restack) << c.what;
        EXPECT_EQ(change.Any(), c.restack) << c.what;
        EXPECT_FALSE(change.move || change.resize || change.show) << c.what;
    }
}

}  // namespace
