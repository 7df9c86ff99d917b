#include "overlays/follow_smoother.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct Step {
    Point position;
    Point expectedOffset;
    int expectedState;
};

// Feeds the steps in order to a smoother at the given percentage and checks every call.
void RunSteps(int percent, std::initializer_list<Step> steps)
{
    CFollowSmoother smoother;
    smoother.m_nPercent = percent;
    int call = 0;
    for (const Step& step : steps) {
        ++call;
        const Point offset = smoother.Update(step.position.x, step.position.y);
        EXPECT_EQ(offset.x, step.expectedOffset.x) << "call " << call;
        EXPECT_EQ(offset.y, step.expectedOffset.y) << "call " << call;
        EXPECT_EQ(smoother.m_ptLast, step.position) << "call " << call;
        EXPECT_EQ(smoother.m_nState, step.expectedState) << "call " << call;
    }
}

TEST(FollowSmoother, StartsEmptyWithThirtyPercent)
{
    const CFollowSmoother smoother;
    EXPECT_EQ(smoother.m_ptLast, (Point{-1000, -1000}));
    EXPECT_EQ(smoother.m_nState, 0);
    EXPECT_EQ(smoother.m_nPercent, 30);
}

TEST(FollowSmoother, WorkedExampleAtThirtyPercent)
{
    RunSteps(30, {
                     {{100, 100}, {0, 0}, 1},
                     {{110, 100}, {0, 0}, 2},
                     {{130, 95}, {6, -1}, 2},
                     {{130, 95}, {0, 0}, 2},
                     {{97, 95}, {-9, 0}, 2},
                 });
}

TEST(FollowSmoother, FirstTwoCallsOnlyRecordWhateverTheMovement)
{
    // Far from the initial (-1000, -1000) and a big jump between the two: still no offset.
    RunSteps(100, {
                      {{5000, -3000}, {0, 0}, 1},
                      {{-2000, 4000}, {0, 0}, 2},
                      {{-1990, 3990}, {10, -10}, 2},
                  });
}

TEST(FollowSmoother, OffsetTruncatesTowardZero)
{
    struct Case {
        int percent;
        int movement;
        int expected;
    };
    const Case cases[] = {
        {30, -33, -9}, // -9.9, not -10
        {30, 20, 6},
        {30, 40, 12},
        {30, 0, 0},
        {1, -150, -1}, // -1.5, not -2
        {1, 99, 0},
        {1, -99, 0},
        {0, 500, 0},
        {0, -500, 0},
        {100, 37, 37},
        {100, -37, -37},
    };
    for (const Case& c : cases) {
        CFollowSmoother smoother;
        smoother.m_nPercent = c.percent;
        smoother.Update(1000, 2000);
        smoother.Update(1000, 2000);
        const Point offset = smoother.Update(1000 + c.movement, 2000 - c.movement);
        EXPECT_EQ(offset.x, c.expected) << c.percent << "% of " << c.movement;
        EXPECT_EQ(offset.y, -c.expected) << c.percent << "% of " << -c.movement;
    }
}

TEST(FollowSmoother, PercentIsReadOnEveryCall)
{
    CFollowSmoother smoother;
    smoother.Update(0, 0);
    smoother.Update(0, 0);
    EXPECT_EQ(smoother.Update(40, 0).x, 12);
    smoother.m_nPercent = 100;
    EXPECT_EQ(smoother.Update(80, 0).x, 40);
}

TEST(FollowSmoother, ExtremeMovementKeepsItsDirection)
{
    // A movement across the whole int range must not wrap into the opposite direction.
    const int low = std::numeric_limits<int>::min();
    const int high = std::numeric_limits<int>::max();
    CFollowSmoother smoother;
    smoother.m_nPercent = 100;
    smoother.Update(low, high);
    smoother.Update(low, high);
    const Point offset = smoother.Update(high, low);
    EXPECT_EQ(offset.x, high);
    EXPECT_EQ(offset.y, low);
}

} // namespace
