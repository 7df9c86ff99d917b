#include "panel/settings_tables.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace {

// Indices that no table holds: just past the end, negative, and far outside either way.
constexpr int kIndicesOutside[] = {5, -1, 1000, INT_MAX, INT_MIN};

// A value no table yields, so "keeps its value" cannot pass by returning a table entry.
constexpr std::uint32_t kForeignColor = 0x00123456;
constexpr int kForeignWidth = 7;

TEST(PointerColorTable, MapsEachIndex)
{
    const struct {
        int index;
        std::uint32_t color;
    } cases[] = {
        {0, 0x0000FFFF}, {1, 0x00FFFFFF}, {2, 0x000000FF}, {3, 0x0000FF00}, {4, 0x00FF0000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(PointerColorFromIndex(c.index), c.color);
    }
}

TEST(PointerColorTable, FallsBackToYellowOutside)
{
    for (int index : kIndicesOutside) {
        SCOPED_TRACE(index);
        EXPECT_EQ(PointerColorFromIndex(index), kColorYellow);
    }
}

TEST(RibbonColorTable, MapsEachIndexWhateverTheCurrentValue)
{
    const struct {
        int index;
        std::uint32_t color;
    } cases[] = {
        {0, 0x000000FF}, {1, 0x0000FF00}, {2, 0x00FF0000}, {3, 0x0000FFFF}, {4, 0x00000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(RibbonColorOr(c.index, kForeignColor), c.color);
        EXPECT_EQ(RibbonColorOr(c.index, kColorRed), c.color);
    }
}

TEST(RibbonColorTable, KeepsCurrentValueOutside)
{
    for (int index : kIndicesOutside) {
        SCOPED_TRACE(index);
        EXPECT_EQ(RibbonColorOr(index, kForeignColor), kForeignColor);
        // The ribbon's own defaults: line red, dots yellow.
        EXPECT_EQ(RibbonColorOr(index, kColorRed), kColorRed);
        EXPECT_EQ(RibbonColorOr(index, kColorYellow), kColorYellow);
    }
}

TEST(RibbonWidthTable, MapsEachIndexAndKeepsCurrentValueOutside)
{
    const struct {
        int index;
        int current;
        int width;
    } cases[] = {
        {0, kForeignWidth, 2}, {1, kForeignWidth, 5}, {2, kForeignWidth, 10},
        {3, kForeignWidth, kForeignWidth}, {3, 5, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(RibbonWidthOr(c.index, c.current), c.width);
    }
    for (int index : kIndicesOutside) {
        SCOPED_TRACE(index);
        EXPECT_EQ(RibbonWidthOr(index, kForeignWidth), kForeignWidth);
    }
}

TEST(RibbonStyleTable, MapsEachStyleAndKeepsCurrentFlagsOutside)
{
    const RibbonStyleFlags ribbonDefaults{1, 1};
    const RibbonStyleFlags neither{0, 0};  // no style yields this
    const struct {
        int style;
        RibbonStyleFlags current;
        RibbonStyleFlags flags;
    } cases[] = {
        {0, neither, {1, 1}},
        {1, ribbonDefaults, {0, 1}},
        {2, ribbonDefaults, {1, 0}},
        {3, neither, neither},
        {7, ribbonDefaults, ribbonDefaults},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        const RibbonStyleFlags got = RibbonStyleOr(c.style, c.current);
        EXPECT_EQ(got.line, c.flags.line);
        EXPECT_EQ(got.dots, c.flags.dots);
    }
    for (int style : kIndicesOutside) {
        SCOPED_TRACE(style);
        EXPECT_EQ(RibbonStyleOr(style, neither), neither);
        EXPECT_EQ(RibbonStyleOr(style, RibbonStyleFlags{0, 1}), (RibbonStyleFlags{0, 1}));
    }
}

TEST(LensSizeForDesktop, ComputesEachAxisWithTruncatingSteps)
{
    const struct {
        int width, height, widthPercent, heightPercent;
        LensSize size;
    } cases[] = {
        {1920, 1080, 50, 50, {600, 337}},   // 202.5 truncated on the height
        {1366, 768, 50, 50, {426, 240}},    // 1366 / 8 truncated to 170 before the rest
        {1920, 1080, 0, 0, {240, 135}},     // exactly an eighth
        {1920, 1080, 100, 100, {960, 540}}, // exactly a half
        {1366, 1367, 0, 100, {170, 683}},   // E / 8 and E / 2 of odd extents
        {1366, 1367, 100, 0, {683, 170}},   // the percentages belong to their own axes
        {1920, 1080, 1, 1, {247, 139}},     // product before the division by 100
        {1920, 1080, -50, -50, {-120, -67}}, // -202.5 truncates toward zero
        {0, 0, 50, 50, {0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " at "
                                        << c.widthPercent << " / " << c.heightPercent);
        const LensSize got =
            LensSizeForDesktop(c.width, c.height, c.widthPercent, c.heightPercent);
        EXPECT_EQ(got.width, c.size.width);
        EXPECT_EQ(got.height, c.size.height);
    }
}

}  // namespace
