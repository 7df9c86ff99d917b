#include "overlays/pointer_shape.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(PointerShape, DiameterAndRingInsetBySizeIndex)
{
    struct Case {
        int index;
        int diameter;
        int inset;
    };
    const Case cases[] = {
        {0, 21, 5},
        {1, 41, 10},
        {2, 61, 15},
        {3, 81, 15},
        {4, 101, 15},
        {5, 150, 15},
        {6, 81, 15},
        {-1, 81, 15},
        {100, 81, 15},
        {std::numeric_limits<int>::max(), 81, 15},
        {std::numeric_limits<int>::min(), 81, 15},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PointerDiameter(c.index), c.diameter) << "index " << c.index;
        EXPECT_EQ(PointerRingInset(c.index), c.inset) << "index " << c.index;
    }
}

} // namespace
