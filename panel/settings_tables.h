#pragma once
// The control panel's lookup tables and the integer rules that turn its settings into the values
// the overlays use. No platform header here: compiled natively for the unit tests as well.

#include <cstdint>

// Colours in the window system's layout, 0x00BBGGRR.
constexpr std::uint32_t kColorYellow = 0x0000FFFF;
constexpr std::uint32_t kColorWhite = 0x00FFFFFF;
constexpr std::uint32_t kColorRed = 0x000000FF;
constexpr std::uint32_t kColorGreen = 0x0000FF00;
constexpr std::uint32_t kColorBlue = 0x00FF0000;
constexpr std::uint32_t kColorBlack = 0x00000000;

// Pointer highlight colour: 0 yellow, 1 white, 2 red, 3 green, 4 blue; any other index is yellow.
std::uint32_t PointerColorFromIndex(int index);

// Ribbon colour, for the line and the dots alike: 0 red, 1 green, 2 blue, 3 yellow, 4 black.
// An index outside the table returns `current`, so the ribbon's field keeps its value.
std::uint32_t RibbonColorOr(int index, std::uint32_t current);

// Ribbon pen width in points: 0 gives 2, 1 gives 5, 2 gives 10; any other index returns `current`.
int RibbonWidthOr(int index, int current);

// The ribbon's two drawing switches, held as 0/1 integers like the ribbon's own members.
struct RibbonStyleFlags {
    int line = 0;
    int dots = 0;
};

inline bool operator==(RibbonStyleFlags a, RibbonStyleFlags b)
{
    return a.line == b.line && a.dots == b.dots;
}
inline bool operator!=(RibbonStyleFlags a, RibbonStyleFlags b) { return !(a == b); }

// Style 0 draws line and dots, 1 dots only, 2 line only; any other style returns `current`.
RibbonStyleFlags RibbonStyleOr(int style, RibbonStyleFlags current);

struct LensSize {
    int width = 0;
    int height = 0;
};

inline bool operator==(LensSize a, LensSize b)
{
    return a.width == b.width && a.height == b.height;
}
inline bool operator!=(LensSize a, LensSize b) { return !(a == b); }

// Lens size on a desktop of the given size. Each axis runs from one eighth (percent 0) to one half
// (percent 100) of the desktop's extent: E / 8 + ((E / 2 - E / 8) * percent) / 100, every division
// truncating on its own, so 1920 x 1080 at 50 and 50 gives 600 x 337.
LensSize LensSizeForDesktop(int desktopWidth, int desktopHeight, int widthPercent,
                            int heightPercent);
