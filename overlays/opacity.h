#pragma once
// The opacity rule every overlay shares: the panel keeps each overlay's opacity as a percentage,
// and the window system takes an alpha value. No platform header here: compiled natively for the
// unit tests as well.

// Window alpha of an opacity percentage: (percent * 255) / 100, truncated toward zero, so 50 gives
// 127 and 70 gives 178. Not clamped; only the low 8 bits of the result reach the window system.
constexpr int AlphaFromPercent(int percent) { return (percent * 255) / 100; }
