#include "overlays/opacity.h"

#include <gtest/gtest.h>

TEST(AlphaFromPercent, TruncatesTowardZero)
{
    const struct {
        int percent;
        int alpha;
    } cases[] = {
        {50, 127},  // 127.5, not rounded up
        {70, 178},  // 178.5
        {0, 0},
        {100, 255},
        {1, 2},     // 2.55
        {-1, -2},   // -2.55: toward zero, not down to -3
        {-50, -127},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.percent);
        EXPECT_EQ(AlphaFromPercent(c.percent), c.alpha);
    }
}

