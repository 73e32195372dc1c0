#include "graph/interaction/AxisCursorState.h"

#include "graph/Axis.h"
#include "graph/AxisCursor.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/GraphWindow.h"
#include "graph/commands/GraphRangeCmds.h"

namespace ovgGraph {
namespace {

// A client point in the cursor strip's own coordinates.
Point InCursor(const Axis& axis, const AxisCursor& cursor, Point point)
{
    return {point.x - axis.GetOriginX() - cursor.GetOriginX(), point.y - axis.GetOriginY() - cursor.GetOriginY()};
}

}  // namespace

AxisCursorState::Hit AxisCursorState::At(Graph& graph, Point point)
{
    for (const auto& axis : graph.GetAxes().All()) {
        const AxisCursor& cursor = axis->GetCursor();
        if (!axis->IsVisible() || graph.IsFolded(axis.get()) || !cursor.IsVisible()) continue;
        const Point p = InCursor(*axis, cursor, point);
        if (!cursor.HitTest(p)) continue;
        // B is drawn over A: it wins where they overlap.
        if (cursor.GetHandle2().Contains(p)) return {axis, kCursor2};
        if (cursor.GetHandle1().Contains(p)) return {axis, kCursor1};
        if (cursor.GetBand().Contains(p)) return {axis, kBand};
    }
    return {};
}

AxisCursorState::AxisCursorState(Graph& graph, Hit hit) : StateBase(graph), m_hit(std::move(hit)) {}

void AxisCursorState::Enter(Point)
{
    const bool vertical = m_hit.axis && m_hit.axis->GetCursor().GetOrientation() == 1;
    SetCursor(m_hit.part == kBand ? kCursorSizeAll : vertical ? 10 : 9);
}

void AxisCursorState::Set(double cursor1, double cursor2)
{
    AxisCursor& cursor = m_hit.axis->GetCursor();
    cursor.SetCursor1(cursor1);
    cursor.SetCursor2(cursor2);
    cursor.Layout(0);
    m_graph.GetWindow().Repaint();
}

void AxisCursorState::OnMouseMove(Point point)
{
    if (!m_dragging) {
        const Hit hit = At(m_graph, point);
        if (hit.axis != m_hit.axis || hit.part != m_hit.part) m_graph.ChangeState(hit.axis ? std::make_shared<AxisCursorState>(m_graph, hit) : nullptr);
        return;
    }
    const AxisCursor& cursor = m_hit.axis->GetCursor();
    const bool vertical = cursor.GetOrientation() == 1;
    const Rect area = cursor.GetArea();
    const int32_t pixels = vertical ? area.Height() : area.Width();
    if (pixels <= 0) return;
    // Along the strip: right is more, and up is more on a vertical one.
    const double perPixel = (cursor.GetDisplayMax() - cursor.GetDisplayMin()) / pixels;
    const double delta = (vertical ? m_start.y - point.y : point.x - m_start.x) * perPixel;
    Set(m_hit.part != kCursor2 ? m_before1 + delta : m_before1, m_hit.part != kCursor1 ? m_before2 + delta : m_before2);
}

void AxisCursorState::OnLButtonDown(Point point)
{
    m_dragging = true;
    m_start = point;
    m_before1 = m_hit.axis->GetCursor().GetCursor1();
    m_before2 = m_hit.axis->GetCursor().GetCursor2();
}

void AxisCursorState::OnLButtonUp(Point)
{
    if (!m_dragging) return;
    m_dragging = false;
    m_graph.SetKeyFocusState(std::make_shared<AxisCursorStateSelect>(m_graph, m_hit));
    const AxisCursor& cursor = m_hit.axis->GetCursor();
    const auto cmd = std::make_shared<AxisCursorCmdSetValueBoth>(m_hit.axis, m_before1, m_before2, cursor.GetCursor1(), cursor.GetCursor2());
    if (cmd->IsValid()) m_graph.GetWindow().RecordCmds({cmd}, false);
}

void AxisCursorState::OnRButtonUp(Point point)
{
    if (m_dragging) return;
    m_graph.ChangeState(nullptr);
    m_graph.GetWindow().ShowContextMenu(point.x, point.y);
}

void AxisCursorState::OnKeyDown(uint32_t key, uint32_t, uint32_t)
{
    if (key != kKeyEscape || !m_dragging) return;
    m_dragging = false;
    Set(m_before1, m_before2);
}

AxisCursorStateSelect::AxisCursorStateSelect(Graph& graph, AxisCursorState::Hit hit) : StateBase(graph), m_hit(std::move(hit)) {}

void AxisCursorStateSelect::OnOutsideClick(Point point)
{
    const AxisCursorState::Hit hit = AxisCursorState::At(m_graph, point);
    if (hit.axis != m_hit.axis || hit.part != m_hit.part) m_graph.SetKeyFocusState(nullptr);  // ends this state's selection
}

void AxisCursorStateSelect::OnKeyDown(uint32_t key, uint32_t, uint32_t)
{
    if ((key != kKeyLeft && key != kKeyRight) || !m_hit.axis) return;
    AxisCursor& cursor = m_hit.axis->GetCursor();
    if (!cursor.IsVisible()) return;
    const Rect area = cursor.GetArea();
    const int32_t pixels = cursor.GetOrientation() == 1 ? area.Height() : area.Width();
    if (pixels <= 0) return;
    const double step = (key == kKeyRight ? 1 : -1) * (cursor.GetDisplayMax() - cursor.GetDisplayMin()) / pixels;
    const double old1 = cursor.GetCursor1(), old2 = cursor.GetCursor2();
    if (m_hit.part != AxisCursorState::kCursor2) cursor.SetCursor1(old1 + step);
    if (m_hit.part != AxisCursorState::kCursor1) cursor.SetCursor2(old2 + step);
    cursor.Layout(0);
    const auto cmd = std::make_shared<AxisCursorCmdSetValueBoth>(m_hit.axis, old1, old2, cursor.GetCursor1(), cursor.GetCursor2());
    if (cmd->IsValid()) m_graph.GetWindow().RecordCmds({cmd}, false);
    m_graph.GetWindow().Repaint();
}

}  // namespace ovgGraph
