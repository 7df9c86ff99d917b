#include "ribbon/trail_color.h"

#include <gtest/gtest.h>

namespace {

struct ColorCase {
    uint32_t color;  // 0x00BBGGRR, top byte possibly set
    uint32_t argb;   // 0xFFRRGGBB
};

TEST(TrailColor, SwapsRedAndBlueAndForcesFullAlpha)
{
    const ColorCase cases[] = {
        {0x000000FFu, 0xFFFF0000u},  // red
        {0x0000FF00u, 0xFF00FF00u},  // green
        {0x00FF0000u, 0xFF0000FFu},  // blue
        {0x0000FFFFu, 0xFFFFFF00u},  // yellow
        {0x00000000u, 0xFF000000u},  // black stays visible against the key
        {0x00010000u, 0xFF000001u},  // the window's colour key
        {0x00123456u, 0xFF563412u},  // every byte lands in its own place
        {0xAB123456u, 0xFF563412u},  // the top byte of the input is ignored
        {0xFFFFFFFFu, 0xFFFFFFFFu},
    };
    for (const ColorCase& c : cases) {
        EXPECT_EQ(OpaqueArgbFromColor(c.color), c.argb) << std::hex << "color 0x" << c.color;
    }
}

}  // namespace
