// The graph's share of the interaction: the current state and the window's input routed to it.
#include "graph/Graph.h"
#include "graph/Axis.h"
#include "graph/GraphAxes.h"
#include "graph/GraphWindow.h"
#include "graph/interaction/IdleState.h"

namespace ovgGraph {

GraphWindow& Graph::GetWindow() const
{
    static NullGraphWindow none;
    return m_window ? *m_window : none;
}

StateBase& Graph::GetCurrentState() { return *CurrentState(); }

std::shared_ptr<StateBase> Graph::CurrentState()
{
    if (!m_state) ChangeState(nullptr);
    return m_state;  // a copy: the state lives on while it switches to another one
}

void Graph::ChangeState(std::shared_ptr<StateBase> state)
{
    if (!state) state = MakeIdleState(*this, m_operationType);
    if (state == m_state) return;
    SetOverlay(kDragOverlay, nullptr);
    SetOverlay(kHoverOverlay, nullptr);
    m_state = std::move(state);
    m_state->Enter(m_lastMouse);
    GetWindow().Repaint();
}

std::shared_ptr<Axis> Graph::AxisAt(Point point)
{
    for (const auto& axis : m_axes->All())
        if (axis->IsVisible() && !IsFolded(axis.get()) && axis->HitTest({point.x - axis->GetOriginX(), point.y - axis->GetOriginY()})) return axis;
    return nullptr;
}

void Graph::SetValuePopupEnabled(bool on)
{
    m_valuePopup = on;
    if (!on) SetOverlay(kHoverOverlay, nullptr);
    GetWindow().Repaint();
}

void Graph::SetOperationType(int32_t type)
{
    m_operationType = ClampOperationType(type);
    ChangeState(MakeIdleState(*this, m_operationType));
}

void Graph::OnMouseMove(Point point)
{
    m_lastMouse = point;
    CurrentState()->OnMouseMove(point);
}

void Graph::OnMouseWheel(uint32_t flags, int32_t delta, Point point) { CurrentState()->OnMouseWheel(flags, delta, point); }

void Graph::OnLButtonDown(Point point)
{
    m_lastMouse = point;
    if (const auto focus = m_keyFocusState) focus->OnOutsideClick(point);  // may end itself
    CurrentState()->OnLButtonDown(point);
}

void Graph::OnLButtonUp(Point point) { CurrentState()->OnLButtonUp(point); }

void Graph::OnLButtonDblClk(Point point) { CurrentState()->OnLButtonDblClk(point); }

void Graph::OnRButtonDown(Point point)
{
    m_lastMouse = point;
    if (const auto focus = m_keyFocusState) focus->OnOutsideClick(point);  // may end itself
    CurrentState()->OnRButtonDown(point);
}

void Graph::OnRButtonUp(Point point) { CurrentState()->OnRButtonUp(point); }

void Graph::OnRButtonDblClk(Point point) { CurrentState()->OnOutsideClick(point); }

void Graph::OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags)
{
    const auto current = CurrentState();
    (m_keyFocusState && m_keyFocusState != current ? m_keyFocusState : current)->OnKeyDown(key, repeat, flags);
}

void Graph::OnKeyUp(uint32_t key, uint32_t repeat, uint32_t flags)
{
    const auto current = CurrentState();
    (m_keyFocusState && m_keyFocusState != current ? m_keyFocusState : current)->OnKeyUp(key, repeat, flags);
}

void Graph::OnMouseLeave() { CurrentState()->OnMouseLeave(); }

}  // namespace ovgGraph
