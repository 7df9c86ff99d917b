#pragma once
// The picture the stand-in magnifier shows in place of the screen: a fixed pattern whose every
// pixel says where on the screen it lies, so that a screenshot of the lens tells which part of
// "the screen" it shows and at what scale. Pure black squares (32 x 32 pixels, one in every
// 128 x 128 block) let the lens's colour key be seen: black is where the lens is see-through.
// No platform header: the stand-in paints with it and the tests read screenshots with it.
#include <cstdint>

namespace SyntheticScreen {

const int kBlockSize = 128;
const int kBlackSize = 32;
const int kWrap = 2048;  // positions are told apart modulo this, in both directions

// Colour as 0x00BBGGRR: red holds the low 8 bits of x, green those of y, blue 0x80 plus the
// next 3 bits of x and 3 of y, so no colour outside the black squares is black (or white).
inline bool IsBlack(int x, int y)
{
    return (x & (kBlockSize - 1)) < kBlackSize && (y & (kBlockSize - 1)) < kBlackSize;
}

inline std::uint32_t ColourAt(int x, int y)
{
    if (IsBlack(x, y)) {
        return 0;
    }
    const std::uint32_t ux = static_cast<std::uint32_t>(x) & (kWrap - 1);
    const std::uint32_t uy = static_cast<std::uint32_t>(y) & (kWrap - 1);
    const std::uint32_t blue = 0x80 | (ux >> 8) | ((uy >> 8) << 3);
    return (ux & 0xFF) | ((uy & 0xFF) << 8) | (blue << 16);
}

// The position (modulo kWrap) a pattern colour stands for; false for colours the pattern never
// has outside its black squares.
inline bool PositionOf(std::uint32_t colour, int* x, int* y)
{
    const std::uint32_t blue = (colour >> 16) & 0xFF;
    if ((blue & 0xC0) != 0x80 || (colour >> 24) != 0) {
        return false;
    }
    *x = static_cast<int>((colour & 0xFF) | ((blue & 0x07) << 8));
    *y = static_cast<int>(((colour >> 8) & 0xFF) | (((blue >> 3) & 0x07) << 8));
    return true;
}

}  // namespace SyntheticScreen
