#include "graph/interaction/GraphLegendState.h"

#include "graph/Graph.h"
#include "graph/GraphLegend.h"
#include "graph/GraphTitle.h"
#include "graph/GraphWindow.h"
#include "graph/commands/GraphRangeCmds.h"

namespace ovgGraph {

GraphBoxCmdMove::Place GraphBoxState::Current() const { return {Box().GetOrigin(), GetPosition(), Box().GetArea()}; }

void GraphBoxState::MoveTo(const GraphBoxCmdMove::Place& place)
{
    Box().SetOrigin(place.origin);
    if (GetPosition() != place.position) {
        SetPosition(place.position);
        Box().Notify(kRelayout);
    }
    Box().Notify(kChanged);
    m_graph.GetWindow().Repaint();
}

void GraphBoxState::Enter(Point) { SetCursor(kCursorMove); }

void GraphBoxState::OnMouseMove(Point point)
{
    if (!m_dragging) {
        if (!IsOverBox(point)) {
            m_graph.ChangeState(nullptr);
            return;
        }
        SetCursor(kCursorMove);
        return;
    }
    // The layout keeps a free box inside the graph.
    MoveTo({{m_before.origin.x + point.x - m_start.x, m_before.origin.y + point.y - m_start.y}, FreePosition(), m_before.rect});
}

void GraphBoxState::OnLButtonDown(Point point)
{
    m_dragging = true;
    m_start = point;
    m_before = Current();
}

void GraphBoxState::OnLButtonUp(Point)
{
    if (!m_dragging) return;
    m_dragging = false;
    const auto cmd = MoveCmd(m_before, Current());
    if (cmd->IsValid()) m_graph.GetWindow().RecordCmds({cmd}, false);
    m_graph.GetWindow().Repaint();
}

void GraphBoxState::OnLButtonDblClk(Point) { m_graph.GetWindow().OpenProperties(); }

void GraphBoxState::OnRButtonUp(Point point)
{
    if (m_dragging) {  // a right click during the drag cancels it, as Escape does
        OnKeyDown(kKeyEscape, 0, 0);
        return;
    }
    m_graph.ChangeState(nullptr);
    m_graph.GetWindow().ShowContextMenu(point.x, point.y);
}

void GraphBoxState::OnKeyDown(uint32_t key, uint32_t, uint32_t)
{
    if (key != kKeyEscape || !m_dragging) return;
    m_dragging = false;
    MoveTo(m_before);
}

// --- the legend -------------------------------------------------------------------------------

bool GraphLegendState::IsOver(Graph& graph, Point point)
{
    GraphLegend& legend = graph.GetLegend();
    if (!legend.IsVisible() || !legend.HasShownItems()) return false;
    return legend.HitTest({point.x - legend.GetOriginX(), point.y - legend.GetOriginY()});
}

GlyphInt& GraphLegendState::Box() const { return m_graph.GetLegend(); }
int32_t GraphLegendState::GetPosition() const { return m_graph.GetLegend().GetPosition(); }
void GraphLegendState::SetPosition(int32_t position) { m_graph.GetLegend().SetPosition(position); }

std::shared_ptr<GraphBoxCmdMove> GraphLegendState::MoveCmd(const GraphBoxCmdMove::Place& before, const GraphBoxCmdMove::Place& after) const
{
    return std::make_shared<GraphLegendCmdMove>(std::shared_ptr<GraphLegend>(Unowned(m_graph), &m_graph.GetLegend()), before, after);
}

// --- the title --------------------------------------------------------------------------------

bool GraphTitleState::IsOver(Graph& graph, Point point)
{
    GraphTitle& title = graph.GetTitle();
    if (!title.IsVisible() || title.GetText().isEmpty()) return false;
    return title.HitTest({point.x - title.GetOriginX(), point.y - title.GetOriginY()});
}

GlyphInt& GraphTitleState::Box() const { return m_graph.GetTitle(); }
int32_t GraphTitleState::GetPosition() const { return m_graph.GetTitle().GetPosition(); }
void GraphTitleState::SetPosition(int32_t position) { m_graph.GetTitle().SetPosition(position); }

std::shared_ptr<GraphBoxCmdMove> GraphTitleState::MoveCmd(const GraphBoxCmdMove::Place& before, const GraphBoxCmdMove::Place& after) const
{
    return std::make_shared<GraphTitleCmdMove>(std::shared_ptr<GraphTitle>(Unowned(m_graph), &m_graph.GetTitle()), before, after);
}

}  // namespace ovgGraph
