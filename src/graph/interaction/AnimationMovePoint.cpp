#include "graph/interaction/AnimationMovePoint.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace ovgGraph {

bool AnimationMovePoint::Start(Point from, Point to)
{
    if (m_running) return false;
    m_current = from;
    m_target = to;
    m_running = m_current != m_target;
    return true;
}

bool AnimationMovePoint::Tick(int64_t elapsedMs)
{
    if (!m_running) return false;
    // A tick comes a period after the last one at the earliest: at least one step.
    int64_t steps = std::max<int64_t>(1, std::llround(double(std::max<int64_t>(elapsedMs, 0)) / kPeriodMs));
    const int64_t distance = std::max(std::abs(m_target.x - m_current.x), std::abs(m_target.y - m_current.y));
    const int64_t remaining = (distance + kPixelsPerStep - 1) / kPixelsPerStep;
    if (remaining > 9) steps = remaining * steps / 9 + 1;
    const int64_t reach = steps * kPixelsPerStep;
    const auto towards = [reach](int32_t from, int32_t to) {
        return from < to ? int32_t(std::min<int64_t>(int64_t(from) + reach, to)) : int32_t(std::max<int64_t>(int64_t(from) - reach, to));
    };
    m_current = {towards(m_current.x, m_target.x), towards(m_current.y, m_target.y)};
    m_running = m_current != m_target;
    return m_running;
}

}  // namespace ovgGraph
