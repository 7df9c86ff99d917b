#include "panel/settings_tables.h"

namespace {

constexpr std::uint32_t kPointerColors[] = {
    kColorYellow, kColorWhite, kColorRed, kColorGreen, kColorBlue,
};

// Ordered differently from the pointer's, and with black where the pointer has white.
constexpr std::uint32_t kRibbonColors[] = {
    kColorRed, kColorGreen, kColorBlue, kColorYellow, kColorBlack,
};

constexpr int kRibbonWidthPoints[] = {2, 5, 10};

constexpr RibbonStyleFlags kRibbonStyles[] = {
    {1, 1},  // line and dots
    {0, 1},  // dots only
    {1, 0},  // line only
};

template <typename T, int N>
constexpr bool IsTableIndex(const T (&)[N], int index)
{
    return index >= 0 && index < N;
}

// One axis of the lens; the product comes before the division by 100 so that small percentages
// still count.
int LensExtent(int desktopExtent, int percent)
{
    const int smallest = desktopExtent / 8;
    const int largest = desktopExtent / 2;
    return smallest + ((largest - smallest) * percent) / 100;
}

}  // namespace

std::uint32_t PointerColorFromIndex(int index)
{
    return IsTableIndex(kPointerColors, index) ? kPointerColors[index] : kColorYellow;
}

std::uint32_t RibbonColorOr(int index, std::uint32_t current)
{
    return IsTableIndex(kRibbonColors, index) ? kRibbonColors[index] : current;
}

int RibbonWidthOr(int index, int current)
{
    return IsTableIndex(kRibbonWidthPoints, index) ? kRibbonWidthPoints[index] : current;
}

RibbonStyleFlags RibbonStyleOr(int style, RibbonStyleFlags current)
{
    return IsTableIndex(kRibbonStyles, style) ? kRibbonStyles[style] : current;
}

LensSize LensSizeForDesktop(int desktopWidth, int desktopHeight, int widthPercent,
                            int heightPercent)
{
    return {LensExtent(desktopWidth, widthPercent), LensExtent(desktopHeight, heightPercent)};
}
