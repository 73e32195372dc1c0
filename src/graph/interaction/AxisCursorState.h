#pragma once

#include <memory>

#include "graph/interaction/StateBase.h"

namespace ovgGraph {

class Axis;

// The pointer over a shown axis cursor: dragging handle A or B moves that cursor, dragging the
// band between them moves both; the release records one AxisCursorCmdSetValueBoth, Escape puts
// the cursors back. Leaving the strip returns to the idle state.
class AxisCursorState : public StateBase {
public:
    enum Part { kNone = 0, kCursor1 = 1, kCursor2 = 2, kBand = 3 };
    struct Hit {
        std::shared_ptr<Axis> axis;
        Part part = kNone;
    };
    // The cursor part under a client point.
    static Hit At(Graph& graph, Point point);

    AxisCursorState(Graph& graph, Hit hit);

    void Enter(Point point) override;
    void OnMouseMove(Point point) override;
    void OnLButtonDown(Point point) override;
    void OnLButtonUp(Point point) override;
    void OnRButtonUp(Point point) override;
    void OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags) override;

private:
    void Set(double cursor1, double cursor2);

    Hit m_hit;
    Point m_start;
    double m_before1 = 0, m_before2 = 0;
};

// The axis cursor part the user clicked last, as the graph's key-focus state: the left and right
// arrow keys move it one pixel's worth of value (both cursors for the band), each press one
// recorded step. A press outside that part ends the selection.
class AxisCursorStateSelect : public StateBase {
public:
    AxisCursorStateSelect(Graph& graph, AxisCursorState::Hit hit);
    const AxisCursorState::Hit& GetSelection() const { return m_hit; }

    void OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags) override;
    void OnOutsideClick(Point point) override;

private:
    AxisCursorState::Hit m_hit;
};

}  // namespace ovgGraph
