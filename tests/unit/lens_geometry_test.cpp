#include "overlays/lens_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const Point kCursor{1000, 500};

TEST(LensGeometry, WindowIsCentredOnTheCursor)
{
    struct Case {
        int width;
        int height;
        Rect expected;
    };
    const Case cases[] = {
        {400, 200, {800, 400, 1200, 600}},
        {401, 200, {800, 400, 1201, 600}}, // odd width: left edge 200 px left of the pointer
        {600, 337, {700, 332, 1300, 669}},
    };
    for (const Case& c : cases) {
        const Rect window = LensWindowRect(kCursor, c.width, c.height);
        EXPECT_EQ(window, c.expected) << c.width << "x" << c.height;
        EXPECT_EQ(window.Width(), c.width);
        EXPECT_EQ(window.Height(), c.height);
    }
}

TEST(LensGeometry, SourceShrinksTheLensAroundItsCentre)
{
    const Rect lens = LensWindowRect(kCursor, 400, 200);
    struct Case {
        float zoom;
        Rect expected;
    };
    const Case cases[] = {
        {1.0f, lens},
        {2.0f, {900, 450, 1100, 550}},
        {3.0f, {933, 467, 1066, 533}}, // 133 x 66, halves 267 / 2 and 134 / 2 truncated
        {4.0f, {950, 475, 1050, 525}},
        {1000.0f, {1000, 500, 1000, 500}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LensSourceRect(lens, c.zoom), c.expected) << "zoom " << c.zoom;
    }
}

TEST(LensGeometry, SourceOfAnOddLensAndNegativeCoordinates)
{
    // Left of and above the primary monitor: only sizes are divided, positions are offset.
    const Rect lens = LensWindowRect({-1000, -500}, 401, 201);
    EXPECT_EQ(lens, (Rect{-1200, -600, -799, -399}));
    // 401 / 3 = 133 (268 / 2 = 134), 201 / 3 = 67 (134 / 2 = 67).
    EXPECT_EQ(LensSourceRect(lens, 3.0f), (Rect{-1066, -533, -933, -466}));
}

TEST(LensGeometry, ZoomBelowOneIsTakenAsOne)
{
    struct Case {
        int requested;
        float expected;
    };
    const Case cases[] = {
        {2, 2.0f},
        {1, 1.0f},
        {0, 1.0f},
        {-3, 1.0f},
        {std::numeric_limits<int>::min(), 1.0f},
        {16, 16.0f},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LensZoomFactor(c.requested), c.expected) << "requested " << c.requested;
    }
}

TEST(LensGeometry, SourceIsSoundForZoomsBelowOne)
{
    // The lens itself is shown: never a division by zero nor a negative size.
    const Rect lens = LensWindowRect(kCursor, 400, 200);
    for (float zoom : {0.5f, 0.0f, -0.0f, -2.0f, std::nanf("")}) {
        EXPECT_EQ(LensSourceRect(lens, zoom), lens) << "zoom " << zoom;
    }
}

} // namespace
