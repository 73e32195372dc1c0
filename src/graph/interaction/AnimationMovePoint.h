#pragma once

#include <cstdint>

#include "graph/Geometry.h"

namespace ovgGraph {

// Moves a point towards a target in timed steps of 30 pixels every 30 ms; a long way is covered
// faster (more than 9 steps away, the steps taken grow with the distance left), so the popup
// arrives within about 9 ticks whatever the distance.
class AnimationMovePoint {
public:
    static constexpr int32_t kPeriodMs = 30;
    static constexpr int32_t kPixelsPerStep = 30;

    // Starts from a point towards a target; false (nothing changes) while a move still runs.
    bool Start(Point from, Point to);
    // Goes on towards a new target from where the point is now.
    void Retarget(Point to) { m_target = to; }
    // Advances by the time since the last tick; returns true while the point has not arrived.
    bool Tick(int64_t elapsedMs);
    Point Current() const { return m_current; }
    bool IsRunning() const { return m_running; }
    void Stop() { m_running = false; }

private:
    Point m_current, m_target;
    bool m_running = false;
};

}  // namespace ovgGraph
