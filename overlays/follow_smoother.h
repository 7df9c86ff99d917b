#pragma once
// Turns the pointer's movement over the last tick into a lead offset for the pointer highlight.

#include "framework/geometry.h"

class CFollowSmoother {
public:
    // Returns m_nPercent percent of the movement since the previous call, truncated toward zero.
    // The first two calls only record the position and return (0, 0).
    Point Update(int x, int y);

    Point m_ptLast{-1000, -1000}; // position handed to the previous call
    int m_nState = 0;             // 0 empty, 1 one position recorded, 2 running
    int m_nPercent = 30;          // share of the last movement returned as offset
};
