#pragma once

#include <memory>

#include "graph/GlyphInt.h"
#include "graph/interaction/StateBase.h"
#include "graph/shapes/ShapeBase.h"

namespace ovgGraph {

// The pointer over a shape. A left drag moves the shape, or resizes it by an edge, or moves one
// end of a line or the anchor of a callout, whichever handle was under the pointer; the drag
// edits a copy shown in the shape's place, and the release records one GlyphCmdChange that puts
// the copy there for good (nothing when the pointer did not move). Escape or a right click during
// the drag puts the shape back. A locked shape is not dragged. A double-click on a shape with
// text starts editing it; a right click asks for the shape's menu.
class ShapeBaseState : public StateBase {
public:
    ShapeBaseState(Graph& graph, std::shared_ptr<ShapeBase> shape, uint32_t handle);
    // Leaving the state in the middle of a drag puts the shape back.
    ~ShapeBaseState() override;

    void Enter(Point point) override;
    void OnMouseMove(Point point) override;
    void OnLButtonDown(Point point) override;
    void OnLButtonUp(Point point) override;
    void OnLButtonDblClk(Point point) override;
    void OnRButtonUp(Point point) override;
    void OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags) override;

    // The cursor code for a handle.
    static int32_t CursorFor(uint32_t handle, bool locked);

private:
    void Cancel();

    std::shared_ptr<ShapeBase> m_shape;  // the shape in the list (the copy while dragging)
    std::shared_ptr<ShapeBase> m_original;
    uint32_t m_handle;
    Point m_start;
    bool m_moved = false;
};

// The band or line drawn while a new shape is dragged out.
class GraphShapesEffectInsert : public Effect {
public:
    GraphShapesEffectInsert(Glyph* parent, bool line) : Effect(parent), m_line(line) {}
    void Set(Point start, Point end) { m_startPoint = start, m_endPoint = end; }
    void Draw(QPainter& painter) override;

private:
    bool m_line;
    Point m_startPoint, m_endPoint;
};

// Inserting a new shape of one kind (Edit ▸ insert shape): the drag gives a box its rectangle,
// a line its two ends, a callout its anchor (where the drag starts) and its box (where it ends);
// a click gives the kind's default size. The new shape has the current theme's look, is tied to
// the first time axis and the first value axis, and is recorded as one GraphShapesCmdInsert; a
// text box or callout then opens for typing. Escape or a right click leaves without inserting.
class GraphShapesStateInsert : public StateBase {
public:
    GraphShapesStateInsert(Graph& graph, ShapeBase::Kind kind);

    void Enter(Point point) override;
    void OnMouseMove(Point point) override;
    void OnLButtonDown(Point point) override;
    void OnLButtonUp(Point point) override;
    void OnRButtonUp(Point point) override;
    void OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags) override;

    // A new shape of the kind for a drag from `start` to `end` (graph coordinates), not yet in the
    // graph's list.
    static std::shared_ptr<ShapeBase> MakeShape(Graph& graph, ShapeBase::Kind kind, Point start, Point end);

private:
    ShapeBase::Kind m_kind;
    Point m_start;
    std::shared_ptr<GraphShapesEffectInsert> m_effect;
};

}  // namespace ovgGraph
