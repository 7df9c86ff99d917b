#include "overlays/follow_smoother.h"

#include <cstdint>
#include <limits>

namespace {

// delta * percent / 100 with C++ division (toward zero). The intermediate is 64-bit so that
// no movement can overflow; for every on-screen movement the result equals the 32-bit one.
int ShareOfMovement(int from, int to, int percent)
{
    const std::int64_t delta = static_cast<std::int64_t>(to) - from;
    const std::int64_t share = delta * percent / 100;
    if (share > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    if (share < std::numeric_limits<int>::min()) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(share);
}

} // namespace

Point CFollowSmoother::Update(int x, int y)
{
    Point offset;
    if (m_nState == 0 || m_nState == 1) {
        // The first two calls only record: the initial m_ptLast is no real position.
        m_nState += 1;
    } else {
        offset.x = ShareOfMovement(m_ptLast.x, x, m_nPercent);
        offset.y = ShareOfMovement(m_ptLast.y, y, m_nPercent);
    }
    m_ptLast = Point{x, y};
    return offset;
}
