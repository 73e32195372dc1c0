#include "graph/interaction/GraphLegendState.h"

#include "graph/Graph.h"
#include "graph/GraphLegend.h"
#include "graph/GraphWindow.h"
#include "graph/commands/GraphRangeCmds.h"

namespace ovgGraph {
namespace {

constexpr int32_t kFree = 4;

}  // namespace

bool GraphLegendState::IsOver(Graph& graph, Point point)
{
    GraphLegend& legend = graph.GetLegend();
    if (!legend.IsVisible() || !legend.HasShownItems()) return false;
    return legend.HitTest({point.x - legend.GetOriginX(), point.y - legend.GetOriginY()});
}

GraphBoxCmdMove::Place GraphLegendState::Current() const
{
    GraphLegend& legend = m_graph.GetLegend();
    return {legend.GetOrigin(), legend.GetPosition(), legend.GetArea()};
}

void GraphLegendState::MoveTo(const GraphBoxCmdMove::Place& place)
{
    GraphLegend& legend = m_graph.GetLegend();
    legend.SetOrigin(place.origin);
    if (legend.GetPosition() != place.position) {
        legend.SetPosition(place.position);
        legend.Notify(kRelayout);
    }
    legend.Notify(kChanged);
    m_graph.GetWindow().Repaint();
}

void GraphLegendState::Enter(Point) { SetCursor(kCursorMove); }

void GraphLegendState::OnMouseMove(Point point)
{
    if (!m_dragging) {
        if (!IsOver(m_graph, point)) {
            m_graph.ChangeState(nullptr);
            return;
        }
        SetCursor(kCursorMove);
        return;
    }
    // The layout keeps a free legend inside the graph.
    MoveTo({{m_before.origin.x + point.x - m_start.x, m_before.origin.y + point.y - m_start.y}, kFree, m_before.rect});
}

void GraphLegendState::OnLButtonDown(Point point)
{
    m_dragging = true;
    m_start = point;
    m_before = Current();
}

void GraphLegendState::OnLButtonUp(Point)
{
    if (!m_dragging) return;
    m_dragging = false;
    const auto legend = std::shared_ptr<GraphLegend>(Unowned(m_graph), &m_graph.GetLegend());
    const auto cmd = std::make_shared<GraphLegendCmdMove>(legend, m_before, Current());
    if (cmd->IsValid()) m_graph.GetWindow().RecordCmds({cmd}, false);
    m_graph.GetWindow().Repaint();
}

void GraphLegendState::OnLButtonDblClk(Point) { m_graph.GetWindow().OpenProperties(); }

void GraphLegendState::OnRButtonUp(Point point)
{
    if (m_dragging) return;
    m_graph.ChangeState(nullptr);
    m_graph.GetWindow().ShowContextMenu(point.x, point.y);
}

void GraphLegendState::OnKeyDown(uint32_t key, uint32_t, uint32_t)
{
    if (key != kKeyEscape || !m_dragging) return;
    m_dragging = false;
    MoveTo(m_before);
}

}  // namespace ovgGraph
