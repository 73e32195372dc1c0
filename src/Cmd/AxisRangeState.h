#pragma once

namespace ovgGraph {
class Axis;
}

namespace ovgApp {

// The values an axis holds in its own unit: its range, its displayed range and the positions of
// its two cursors. Apply gives an axis exactly these values back (setting the range moves the
// cursors to its ends, so they are put back after it).
struct AxisRangeState {
    double rangeMin = 0, rangeMax = 0;
    double displayMin = 0, displayMax = 0;
    double cursor1 = 0, cursor2 = 0;

    static AxisRangeState Capture(const ovgGraph::Axis& axis);
    void Apply(ovgGraph::Axis& axis) const;
    // Every value through f, which must keep their order (a change of unit such as °C to °F).
    template <typename F>
    AxisRangeState Map(F f) const
    {
        return {f(rangeMin), f(rangeMax), f(displayMin), f(displayMax), f(cursor1), f(cursor2)};
    }

    bool operator==(const AxisRangeState&) const = default;
};

}  // namespace ovgApp
