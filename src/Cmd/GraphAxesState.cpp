#include "Cmd/GraphAxesState.h"

#include "graph/Axis.h"
#include "graph/GraphAxes.h"

namespace ovgApp {

namespace {
constexpr uint8_t kListOrder[] = {ovgGraph::Axis::kBelow, ovgGraph::Axis::kLeft, ovgGraph::Axis::kRight,
                                  ovgGraph::Axis::kAbove};
}

GraphAxesState GraphAxesState::Capture(const ovgGraph::GraphAxes& axes)
{
    GraphAxesState state;
    for (const uint8_t type : kListOrder)
        for (const auto& axis : axes.List(type))
            state.m_entries.push_back({axis, axes.IndexOf(axis.get()), AxisRangeState::Capture(*axis)});
    return state;
}

void GraphAxesState::Restore(ovgGraph::GraphAxes& axes) const
{
    for (const auto& axis : axes.All()) axes.Remove(axis.get());
    // Entries are in list order, so each identifier is the end of its list when it is inserted.
    for (const Entry& entry : m_entries) {
        axes.Insert(entry.axis, entry.identifier);
        entry.values.Apply(*entry.axis);
    }
}

}  // namespace ovgApp
