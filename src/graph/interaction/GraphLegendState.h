#pragma once

#include "graph/commands/GraphStructureCmds.h"
#include "graph/interaction/StateBase.h"

namespace ovgGraph {

// The pointer over the legend: a left drag moves it (it becomes free-standing, kept inside the
// graph by the layout), recorded as one GraphLegendCmdMove at the release; Escape during the drag
// puts it back. A double-click asks for its properties, a right click for its menu.
class GraphLegendState : public StateBase {
public:
    using StateBase::StateBase;

    void Enter(Point point) override;
    void OnMouseMove(Point point) override;
    void OnLButtonDown(Point point) override;
    void OnLButtonUp(Point point) override;
    void OnLButtonDblClk(Point point) override;
    void OnRButtonUp(Point point) override;
    void OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags) override;

    // Whether the point (client coordinates) lies on the legend as drawn.
    static bool IsOver(Graph& graph, Point point);

private:
    GraphBoxCmdMove::Place Current() const;
    void MoveTo(const GraphBoxCmdMove::Place& place);

    Point m_start;
    GraphBoxCmdMove::Place m_before;
};

}  // namespace ovgGraph
