#include "overlays/pointer_shape.h"

namespace {

constexpr int kDiameters[] = {21, 41, 61, 81, 101, 150};
constexpr int kRingInsets[] = {5, 10};
constexpr int kDefaultDiameter = 81;
constexpr int kDefaultRingInset = 15;

template <int N>
int LookUp(const int (&table)[N], int index, int fallback)
{
    return index >= 0 && index < N ? table[index] : fallback;
}

} // namespace

int PointerDiameter(int sizeIndex)
{
    return LookUp(kDiameters, sizeIndex, kDefaultDiameter);
}

int PointerRingInset(int sizeIndex)
{
    return LookUp(kRingInsets, sizeIndex, kDefaultRingInset);
}
