#pragma once

#include <array>
#include <functional>
#include <vector>
#include <memory>
#include <string>

#include "Common/Library/Cmd.h"
#include "graph/state/GraphState.h"

namespace ovgGraph {

// A change of many graph properties at once (a theme, a document's saved state), undone and
// redone through mementos of the whole graph: the first execution takes one before and one after
// the change, undo applies the first and redo the second. Disabled when the change left the
// graph's state as it was.
class GraphCmdSetState : public orvel::Cmd {
public:
    GraphCmdSetState(std::u16string name, std::shared_ptr<Graph> graph, std::function<void(Graph&)> change);
    // Applies a memento as the change.
    GraphCmdSetState(std::u16string name, std::shared_ptr<Graph> graph, std::shared_ptr<const GraphMemento> state);

    // The state undo gives back, taken earlier by the caller (otherwise at the first execution).
    void SetBefore(std::shared_ptr<GraphMemento> before) { m_before = std::move(before); }

protected:
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

private:
    // Which axis objects the lists held: redo and undo give the graph back the very same axes
    // (a later command may refer to them), then their values.
    using AxisLists = std::array<std::vector<std::shared_ptr<Axis>>, 4>;
    AxisLists CaptureAxes() const;
    void RestoreAxes(const AxisLists& lists) const;
    using ShapeList = std::vector<std::shared_ptr<ShapeBase>>;
    void RestoreShapes(const ShapeList& shapes) const;

    std::shared_ptr<Graph> m_graph;
    AxisLists m_axesBefore, m_axesAfter;
    ShapeList m_shapesBefore, m_shapesAfter;
    std::function<void(Graph&)> m_change;
    std::shared_ptr<GraphMemento> m_before, m_after;
};

}  // namespace ovgGraph
