#pragma once

#include <memory>
#include <vector>

#include "Cmd/AxisRangeState.h"

namespace ovgGraph {
class Axis;
class GraphAxes;
}  // namespace ovgGraph

namespace ovgApp {

// The axes of a graph at one moment: which axes are in each list, in order, and their ranges,
// displayed ranges and cursor positions. Commands that let the graph create or fit axes keep one
// from before and one from after their first execution, so that undo and redo can give the graph
// back either state with the very same axis objects.
class GraphAxesState {
public:
    static GraphAxesState Capture(const ovgGraph::GraphAxes& axes);

    // Makes the lists hold exactly the captured axes in the captured order, and puts the captured
    // values back on each.
    void Restore(ovgGraph::GraphAxes& axes) const;

private:
    struct Entry {
        std::shared_ptr<ovgGraph::Axis> axis;
        int32_t identifier;
        AxisRangeState values;
    };
    std::vector<Entry> m_entries;  // below, left, right, above; each list in order
};

}  // namespace ovgApp
