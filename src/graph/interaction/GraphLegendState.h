#pragma once

#include "graph/commands/GraphStructureCmds.h"
#include "graph/interaction/StateBase.h"

namespace ovgGraph {

class GlyphInt;

// The pointer over a box of the graph that the user places (the legend, the title): a left drag
// moves it (it becomes free-standing, kept inside the graph by the layout), recorded as one move
// command at the release; Escape during the drag puts it back. A double-click asks for its
// properties, a right click for its menu.
class GraphBoxState : public StateBase {
public:
    using StateBase::StateBase;

    void Enter(Point point) override;
    void OnMouseMove(Point point) override;
    void OnLButtonDown(Point point) override;
    void OnLButtonUp(Point point) override;
    void OnLButtonDblClk(Point point) override;
    void OnRButtonUp(Point point) override;
    void OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags) override;

protected:
    virtual GlyphInt& Box() const = 0;
    virtual int32_t GetPosition() const = 0;
    virtual void SetPosition(int32_t position) = 0;
    // The position that leaves the box where it is put.
    virtual int32_t FreePosition() const = 0;
    virtual bool IsOverBox(Point point) const = 0;
    virtual std::shared_ptr<GraphBoxCmdMove> MoveCmd(const GraphBoxCmdMove::Place& before, const GraphBoxCmdMove::Place& after) const = 0;

private:
    GraphBoxCmdMove::Place Current() const;
    void MoveTo(const GraphBoxCmdMove::Place& place);

    Point m_start;
    GraphBoxCmdMove::Place m_before;
};

// The legend, recorded as a GraphLegendCmdMove.
class GraphLegendState : public GraphBoxState {
public:
    using GraphBoxState::GraphBoxState;
    // Whether the point (client coordinates) lies on the legend as drawn.
    static bool IsOver(Graph& graph, Point point);

protected:
    GlyphInt& Box() const override;
    int32_t GetPosition() const override;
    void SetPosition(int32_t position) override;
    int32_t FreePosition() const override { return 4; }
    bool IsOverBox(Point point) const override { return IsOver(m_graph, point); }
    std::shared_ptr<GraphBoxCmdMove> MoveCmd(const GraphBoxCmdMove::Place& before, const GraphBoxCmdMove::Place& after) const override;
};

// The title, recorded as a GraphTitleCmdMove: like the legend, it moves by its place alone, so
// undo never swaps the title object under a pending text edit.
class GraphTitleState : public GraphBoxState {
public:
    using GraphBoxState::GraphBoxState;
    static bool IsOver(Graph& graph, Point point);

protected:
    GlyphInt& Box() const override;
    int32_t GetPosition() const override;
    void SetPosition(int32_t position) override;
    int32_t FreePosition() const override { return 0; }
    bool IsOverBox(Point point) const override { return IsOver(m_graph, point); }
    std::shared_ptr<GraphBoxCmdMove> MoveCmd(const GraphBoxCmdMove::Place& before, const GraphBoxCmdMove::Place& after) const override;
};

}  // namespace ovgGraph
