#pragma once
// Colour conversion for the trail's curve pen, which takes an ARGB value.

#include <cstdint>

// A colour laid out 0x00BBGGRR as an opaque 0xFFRRGGBB value. The input's top byte is ignored:
// the curve is always drawn opaque, the window's own alpha makes it translucent.
constexpr uint32_t OpaqueArgbFromColor(uint32_t color)
{
    const uint32_t red = color & 0xFFu;
    const uint32_t green = (color >> 8) & 0xFFu;
    const uint32_t blue = (color >> 16) & 0xFFu;
    return 0xFF000000u | (red << 16) | (green << 8) | blue;
}
