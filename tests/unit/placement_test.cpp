#include "overlays/placement.h"

#include <gtest/gtest.h>

namespace {

const Rect kPanel{100, 200, 300, 400};

TEST(Placement, PanelEdgesFollowTheWindowSystemRule)
{
    struct Case {
        Point p;
        bool over;
    };
    const Case cases[] = {
        {{100, 300}, true},   // left edge
        {{200, 200}, true},   // top edge
        {{100, 200}, true},   // top-left corner
        {{299, 399}, true},   // last pixel inside
        {{300, 300}, false},  // right edge
        {{200, 400}, false},  // bottom edge
        {{300, 400}, false},  // bottom-right corner
        {{99, 300}, false},   // just left
        {{200, 199}, false},  // just above
        {{-50, -50}, false},  // another monitor, left of and above the primary
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PointerOverPanel(c.p, kPanel), c.over) << c.p.x << "," << c.p.y;
        for (CompanionState companion :
             {CompanionState::Absent, CompanionState::Hidden, CompanionState::Visible}) {
            const OverlayPlacement placement = DecidePlacement(c.p, kPanel, companion);
            EXPECT_EQ(placement == OverlayPlacement::Hide, c.over) << c.p.x << "," << c.p.y;
        }
    }
}

TEST(Placement, CompanionDecidesTheZOrderOutsideThePanel)
{
    struct Case {
        CompanionState companion;
        OverlayPlacement expected;
    };
    const Case cases[] = {
        {CompanionState::Absent, OverlayPlacement::TopMost},
        {CompanionState::Hidden, OverlayPlacement::TopMost},
        {CompanionState::Visible, OverlayPlacement::BehindCompanion},
    };
    const Point outside{300, 300};
    for (const Case& c : cases) {
        EXPECT_EQ(ShownPlacement(c.companion), c.expected);
        EXPECT_EQ(DecidePlacement(outside, kPanel, c.companion), c.expected);
    }
}

TEST(Placement, EmptyPanelRectangleHidesNothing)
{
    const Rect empty{100, 100, 100, 100};
    EXPECT_EQ(DecidePlacement({100, 100}, empty, CompanionState::Absent),
              OverlayPlacement::TopMost);
}

TEST(Placement, CentringTruncatesTheHalves)
{
    struct Case {
        Point p;
        int width;
        int height;
        Point expected;
    };
    const Case cases[] = {
        {{500, 500}, 21, 21, {490, 490}},
        {{500, 500}, 150, 150, {425, 425}},
        {{1000, 500}, 401, 200, {800, 400}},
        {{1000, 500}, 400, 201, {800, 400}},
        {{-10, -20}, 81, 81, {-50, -60}}, // left of and above the primary monitor
        {{7, 7}, 1, 0, {7, 7}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TopLeftCentredOn(c.p, c.width, c.height), c.expected)
            << c.width << "x" << c.height;
    }
}

} // namespace
