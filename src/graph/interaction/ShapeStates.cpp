#include "graph/interaction/ShapeStates.h"

#include "graph/interaction/GraphLegendState.h"
#include <QPainter>
#include <cstdlib>

#include "graph/Axis.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/GraphWindow.h"
#include "graph/commands/GraphRangeCmds.h"
#include "graph/commands/GraphStructureCmds.h"
#include "graph/commands/ShapeCmds.h"
#include "graph/interaction/GraphLegendState.h"
#include "graph/shapes/GraphShapes.h"
#include "graph/state/Theme.h"

namespace ovgGraph {
namespace {

constexpr int32_t kCursorSizeNwse = 7, kCursorSizeNesw = 8, kCursorSizeWe = 9, kCursorSizeNs = 10;

std::shared_ptr<Axis> First(const GraphAxes& axes, std::initializer_list<uint8_t> types)
{
    for (const uint8_t type : types)
        if (!axes.List(type).empty()) return axes.List(type).front();
    return nullptr;
}

bool Far(Point a, Point b) { return std::abs(a.x - b.x) >= 4 || std::abs(a.y - b.y) >= 4; }

}  // namespace

// --- the pointer over a shape ------------------------------------------------------------------

ShapeBaseState::ShapeBaseState(Graph& graph, std::shared_ptr<ShapeBase> shape, uint32_t handle)
    : StateBase(graph), m_shape(std::move(shape)), m_handle(handle)
{
}

ShapeBaseState::~ShapeBaseState()
{
    if (m_original) m_graph.GetShapes().Replace(m_shape.get(), m_original);
}

int32_t ShapeBaseState::CursorFor(uint32_t handle, bool locked)
{
    if (locked) return kCursorArrow;
    const bool horizontal = handle & (ShapeBase::kEdgeLeft | ShapeBase::kEdgeRight);
    const bool vertical = handle & (ShapeBase::kEdgeTop | ShapeBase::kEdgeBottom);
    if (horizontal && vertical) {
        const bool nwse = ((handle & ShapeBase::kEdgeLeft) != 0) == ((handle & ShapeBase::kEdgeTop) != 0);
        return nwse ? kCursorSizeNwse : kCursorSizeNesw;
    }
    if (horizontal) return kCursorSizeWe;
    if (vertical) return kCursorSizeNs;
    if (handle & (ShapeBase::kStartPoint | ShapeBase::kEndPoint)) return kCursorCross;
    return kCursorMove;
}

void ShapeBaseState::Enter(Point) { SetCursor(CursorFor(m_handle, m_shape->IsLocked())); }

void ShapeBaseState::OnMouseMove(Point point)
{
    if (!m_dragging) {
        // The legend and the title are drawn over shapes.
        if (GraphLegendState::IsOver(m_graph, point) || GraphTitleState::IsOver(m_graph, point)) {
            m_graph.ChangeState(nullptr);
            return;
        }
        uint32_t handle = 0;
        const auto shape = m_graph.GetShapes().At(point, &handle);
        if (shape != m_shape) {
            m_graph.ChangeState(shape ? std::make_shared<ShapeBaseState>(m_graph, shape, handle) : nullptr);
            return;
        }
        m_handle = handle;
        SetCursor(CursorFor(m_handle, m_shape->IsLocked()));
        return;
    }
    const int32_t dx = point.x - m_start.x, dy = point.y - m_start.y;
    if (!m_moved && std::abs(dx) <= 1 && std::abs(dy) <= 1) return;
    if (!m_moved) {
        // The drag edits a copy shown in the shape's place, from its first real movement on.
        m_moved = true;
        m_original = m_shape;
        m_shape = m_original->Clone();
        m_graph.GetShapes().Replace(m_original.get(), m_shape);
    }
    if (m_handle == ShapeBase::kBody)
        m_shape->MoveBy(*m_original, dx, dy);
    else
        m_shape->DragHandle(*m_original, m_handle, point);
    m_graph.GetWindow().Repaint();
}

void ShapeBaseState::OnLButtonDown(Point point)
{
    if (m_shape->IsLocked()) return;
    m_dragging = true;
    m_moved = false;
    m_start = point;
}

void ShapeBaseState::OnLButtonUp(Point)
{
    if (!m_dragging) return;
    m_dragging = false;
    if (!m_moved) return;
    const auto cmd = std::make_shared<GlyphCmdChange>(Unowned(m_graph), m_original, m_shape, true);
    m_original.reset();
    m_graph.GetWindow().RecordCmds({cmd}, false);
    m_graph.GetWindow().Repaint();
}

void ShapeBaseState::Cancel()
{
    m_dragging = false;
    if (!m_original) return;
    m_graph.GetShapes().Replace(m_shape.get(), m_original);
    m_shape = std::move(m_original);
    m_graph.GetWindow().Repaint();
}

void ShapeBaseState::OnLButtonDblClk(Point)
{
    if (m_dragging) Cancel();
    if (m_shape->HasText()) m_graph.GetWindow().EditShapeText(m_shape);
}

void ShapeBaseState::OnRButtonUp(Point point)
{
    if (m_dragging) {
        Cancel();
        return;
    }
    m_graph.ChangeState(nullptr);
    m_graph.GetWindow().ShowContextMenu(point.x, point.y);
}

void ShapeBaseState::OnKeyDown(uint32_t key, uint32_t, uint32_t)
{
    if (key == kKeyEscape && m_dragging) Cancel();
}

// --- inserting a shape -----------------------------------------------------------------------

void GraphShapesEffectInsert::Draw(QPainter& painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, m_line);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    if (m_line)
        painter.drawLine(m_startPoint.x, m_startPoint.y, m_endPoint.x, m_endPoint.y);
    else
        painter.drawRect(QRect(QPoint(m_startPoint.x, m_startPoint.y), QPoint(m_endPoint.x, m_endPoint.y)).normalized());
    painter.restore();
}

GraphShapesStateInsert::GraphShapesStateInsert(Graph& graph, ShapeBase::Kind kind)
    : StateBase(graph),
      m_kind(kind),
      m_effect(std::make_shared<GraphShapesEffectInsert>(&graph, kind == ShapeBase::Kind::kLine || kind == ShapeBase::Kind::kArrow ||
                                                                          kind == ShapeBase::Kind::kBallon))
{
    // The effect is an overlay, drawn by the graph but not one of its children.
    m_effect->SetParent(nullptr);
}

std::shared_ptr<ShapeBase> GraphShapesStateInsert::MakeShape(Graph& graph, ShapeBase::Kind kind, Point start, Point end)
{
    using K = ShapeBase::Kind;
    auto shape = CreateShape(kind, &graph);
    if (const auto& theme = graph.GetTheme())
        if (const auto look = theme->GetDefault(ShapeBase::ThemeSlot(kind))) ApplyShapeMemento(*shape, *look);
    const GraphAxes& axes = graph.GetAxes();
    shape->SetAssociationAxes(First(axes, {Axis::kBelow, Axis::kAbove}), First(axes, {Axis::kLeft, Axis::kRight}));
    const bool dragged = Far(start, end);
    switch (kind) {
        case K::kLine:
        case K::kArrow: {
            auto& line = static_cast<ShapeLine&>(*shape);
            if (kind == K::kArrow && line.GetLine().GetEndPointStyle() != 2 && line.GetLine().GetEndPointStyle() != 3) {
                line.GetLine().SetEndPointStyle(3);
                line.GetLine().SetEndPointSize(4);
            }
            line.SetPixels(start, dragged ? end : Point{start.x + 80, start.y});
            line.UpdateKindFromEnds();
            break;
        }
        case K::kTextBox:
        case K::kRect: {
            auto& box = static_cast<ShapeTextBox&>(*shape);
            const Rect size = box.GetExtent();
            box.SetBoxPixels(dragged ? Rect{start.x, start.y, end.x, end.y}
                                     : Rect{start.x, start.y, start.x + size.Width(), start.y + size.Height()});
            if (dragged && kind == K::kTextBox) box.SetAutoFitSize(false);
            break;
        }
        case K::kBallon: {
            auto& ballon = static_cast<ShapeBallon&>(*shape);
            const Point at = dragged ? end : Point{start.x + 30, start.y - 60};
            ballon.SetOrigin(at);
            ballon.SetAnchorPixel(start);
            break;
        }
    }
    shape->SetParent(nullptr);  // the insert command puts it in the graph
    return shape;
}

void GraphShapesStateInsert::Enter(Point) { SetCursor(kCursorCross); }

void GraphShapesStateInsert::OnMouseMove(Point point)
{
    SetCursor(kCursorCross);
    if (!m_dragging) return;
    m_effect->Set(m_start, point);
    m_graph.GetWindow().Repaint();
}

void GraphShapesStateInsert::OnLButtonDown(Point point)
{
    m_dragging = true;
    m_start = point;
    m_effect->Set(point, point);
    m_graph.SetOverlay(Graph::kDragOverlay, m_effect);
}

void GraphShapesStateInsert::OnLButtonUp(Point point)
{
    if (!m_dragging) return;
    m_dragging = false;
    m_graph.SetOverlay(Graph::kDragOverlay, nullptr);
    auto shape = MakeShape(m_graph, m_kind, m_start, point);
    const bool edit = shape->HasText() && m_kind != ShapeBase::Kind::kRect;
    m_graph.GetWindow().RecordCmds({std::make_shared<GraphShapesCmdInsert>(Unowned(m_graph), shape)}, true);
    m_graph.ChangeState(nullptr);
    if (edit) m_graph.GetWindow().EditShapeText(shape);
}

void GraphShapesStateInsert::OnRButtonUp(Point)
{
    m_graph.SetOverlay(Graph::kDragOverlay, nullptr);
    m_graph.ChangeState(nullptr);
}

void GraphShapesStateInsert::OnKeyDown(uint32_t key, uint32_t, uint32_t)
{
    if (key != kKeyEscape) return;
    m_graph.SetOverlay(Graph::kDragOverlay, nullptr);
    m_graph.ChangeState(nullptr);
}

}  // namespace ovgGraph
