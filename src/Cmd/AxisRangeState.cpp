#include "Cmd/AxisRangeState.h"

#include "graph/Axis.h"

namespace ovgApp {

AxisRangeState AxisRangeState::Capture(const ovgGraph::Axis& axis)
{
    const ovgGraph::AxisCursor& cursor = axis.GetCursor();
    return {axis.GetRangeMin(),  axis.GetRangeMax(),   axis.GetDisplayMin(),
            axis.GetDisplayMax(), cursor.GetCursor1(), cursor.GetCursor2()};
}

void AxisRangeState::Apply(ovgGraph::Axis& axis) const
{
    axis.SetRange(rangeMin, rangeMax);
    axis.SetDisplayRange(displayMin, displayMax);
    axis.GetCursor().SetCursor1(cursor1);
    axis.GetCursor().SetCursor2(cursor2);
}

}  // namespace ovgApp
