#include "graph/interaction/IdleState.h"

#include <algorithm>
#include <cstdlib>

#include "graph/Axis.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/GraphWindow.h"
#include "graph/commands/GraphRangeCmds.h"
#include "graph/interaction/AxisCursorState.h"
#include "graph/interaction/GraphLegendState.h"
#include "graph/interaction/ScrollBarState.h"
#include "graph/interaction/ShapeStates.h"
#include "graph/shapes/GraphShapes.h"
#include "graph/interaction/ValuePopupEffect.h"
#include "graph/interaction/ZoomEffect.h"

namespace ovgGraph {
namespace {

std::shared_ptr<GraphAxesCmdChangeDisplayRange> LiveRangeCmd(Graph& graph)
{
    return std::make_shared<GraphAxesCmdChangeDisplayRange>(Unowned(graph), true);
}

void Record(Graph& graph, const std::shared_ptr<GraphAxesCmdChangeDisplayRange>& cmd)
{
    cmd->CaptureAfter();
    graph.GetWindow().RecordCmds({cmd}, false);
}

// A client point's pixel along an axis, as Axis::PixelToValue counts it.
int32_t AxisPixel(const Graph& graph, const Axis& axis, int32_t x, int32_t y)
{
    const Rect& plot = graph.GetPlotArea();
    return axis.IsVertical() ? (plot.bottom - 1) - y : x - plot.left;
}

}  // namespace

void StateBase::SetCursor(int32_t code)
{
    m_cursor = code;
    m_graph.GetWindow().SetCursorCode(code);
}

int32_t ClampOperationType(int32_t operationType) { return std::clamp(operationType, 0, 2); }

std::shared_ptr<StateBase> MakeIdleState(Graph& graph, int32_t operationType)
{
    switch (ClampOperationType(operationType)) {
    case 1: return std::make_shared<IdleStateTypeB>(graph);
    case 2: return std::make_shared<IdleStateTypeC>(graph);
    default: return std::make_shared<IdleStateTypeA>(graph);
    }
}

void ZoomAxesToPixels(Graph& graph, int32_t x0, int32_t x1, int32_t y0, int32_t y1, bool x, bool y)
{
    for (const auto& axis : graph.GetAxes().All()) {
        if (axis->IsVertical() ? !y : !x) continue;
        double a = axis->PixelToValue(AxisPixel(graph, *axis, x0, y0));
        double b = axis->PixelToValue(AxisPixel(graph, *axis, x1, y1));
        if (a > b) std::swap(a, b);
        if (a < b) axis->SetDisplayRange(a, b);
    }
}

IdleState::IdleState(Graph& graph) : StateOperationDrag(graph), m_zoomEffect(std::make_shared<ZoomEffect>(&graph)) {}

void IdleState::SampleShift()
{
    m_shiftUp = !m_graph.GetWindow().IsKeyDown(kKeyShift);
    SetCursor(m_shiftUp ? kCursorZoomIn : kCursorZoomOut);
}

void IdleState::Enter(Point)
{
    m_dragging = false;
    SampleShift();
}

void IdleState::OnMouseMove(Point point)
{
    if (m_dragging) Drag(point);
}

void IdleState::OnLButtonDown(Point point)
{
    m_dragging = true;
    m_start = point;
    BeginDrag();
    m_graph.GetWindow().Repaint();
}

void IdleState::OnLButtonUp(Point)
{
    if (m_dragging) {
        EndDrag();
        m_dragging = false;
    }
    m_graph.GetWindow().Repaint();
}

void IdleState::OnRButtonUp(Point point)
{
    if (m_dragging)
        CancelDrag();
    else
        m_graph.GetWindow().ShowContextMenu(point.x, point.y);
}

void IdleState::OnKeyDown(uint32_t key, uint32_t, uint32_t)
{
    SampleShift();
    if (key == kKeyEscape) {
        CancelDrag();
        SetCursor(kCursorArrow);
    }
}

void IdleState::OnKeyUp(uint32_t, uint32_t, uint32_t) { SampleShift(); }

void IdleState::CancelDrag()
{
    m_dragging = false;
    m_graph.SetOverlay(Graph::kDragOverlay, nullptr);
    m_graph.GetWindow().Repaint();
}

void IdleState::BeginDrag()
{
    const Rect& plot = m_graph.GetPlotArea();
    m_zoomEffect->SetBounds({plot.left + 1, plot.top + 1, plot.right - 1, plot.bottom - 1});
    m_zoomEffect->SetStart(m_start);
    m_zoomEffect->SetEnd(m_start);
    m_graph.SetOverlay(Graph::kDragOverlay, m_zoomEffect);
    SetCursor(m_shiftUp ? kCursorZoomIn : kCursorZoomOut);
}

void IdleState::Drag(Point point)
{
    m_zoomEffect->SetEnd(point);
    m_graph.GetWindow().Repaint();
}

void IdleState::EndDrag()
{
    m_graph.SetOverlay(Graph::kDragOverlay, nullptr);
    SetCursor(kCursorArrow);
    const Point s = m_zoomEffect->GetStart(), e = m_zoomEffect->GetEnd();
    // A click without movement is no zoom (except in the explicit zoom mode).
    if (m_zoomOnClick || std::abs(e.x - s.x) > 1 || std::abs(e.y - s.y) > 1) ZoomAndRecord();
}

void IdleState::ZoomAndRecord()
{
    const auto cmd = LiveRangeCmd(m_graph);
    const Rect& plot = m_graph.GetPlotArea();
    const int32_t w = plot.Width(), h = plot.Height();
    const Point s = m_zoomEffect->GetStart(), e = m_zoomEffect->GetEnd();
    const int32_t mode = m_zoomEffect->GetZoomMode();
    const bool x = mode != ZoomEffect::kY, y = mode != ZoomEffect::kX;
    if (!m_shiftUp)
        ZoomAxesToPixels(m_graph, s.x - w, s.x + w, s.y - h, s.y + h, true, true);  // out by 2, whatever the mode
    else if (std::abs(e.x - s.x) < 4 && std::abs(e.y - s.y) < 4)
        ZoomAxesToPixels(m_graph, s.x - w / 4, s.x + w / 4, s.y - h / 4, s.y + h / 4, x, y);  // a small drag: in by 2
    else
        ZoomAxesToPixels(m_graph, s.x, e.x, s.y, e.y, x, y);
    Record(m_graph, cmd);
}

void IdleStatePopupValue::OnMouseMove(Point point)
{
    if (m_dragging) {
        IdleState::OnMouseMove(point);
        return;
    }
    SetCursor(kCursorArrow);
    // Objects with a hover state of their own take the pointer in the order they are drawn from
    // the top: legend and title, shapes, then what lies under them.
    if (GraphLegendState::IsOver(m_graph, point)) {
        m_graph.ChangeState(std::make_shared<GraphLegendState>(m_graph));
        return;
    }
    if (GraphTitleState::IsOver(m_graph, point)) {
        m_graph.ChangeState(std::make_shared<GraphTitleState>(m_graph));
        return;
    }
    uint32_t handle = 0;
    if (auto shape = m_graph.GetShapes().At(point, &handle)) {
        m_graph.ChangeState(std::make_shared<ShapeBaseState>(m_graph, std::move(shape), handle));
        return;
    }
    if (const AxisCursorState::Hit hit = AxisCursorState::At(m_graph, point); hit.axis) {
        m_graph.ChangeState(std::make_shared<AxisCursorState>(m_graph, hit));
        return;
    }
    if (ScrollBarState::Hit hit = ScrollBarState::At(m_graph, point); hit.axis) {
        m_graph.ChangeState(std::make_shared<ScrollBarState>(m_graph, std::move(hit)));
        return;
    }
    // Over a channel's line: the value popup for the sample there. A popup already shown moves
    // to the new sample in 30 ms steps instead of jumping.
    const Point wasAt = m_popup->GetBoxAnchor();
    const bool shown = m_graph.IsValuePopupEnabled() && m_popup->Find(m_graph, point);
    if (shown && m_popupShown && wasAt != m_popup->GetAnchor()) {
        if (m_move.IsRunning()) {
            m_move.Retarget(m_popup->GetAnchor());
        } else if (m_move.Start(wasAt, m_popup->GetAnchor())) {
            m_lastTick = std::chrono::steady_clock::now();
            m_graph.GetWindow().StartTimer(AnimationMovePoint::kPeriodMs, [this] { OnAnimationTick(); });
        }
        m_popup->SetBoxAnchor(m_move.IsRunning() ? m_move.Current() : m_popup->GetAnchor());
    } else if (!shown && m_move.IsRunning()) {
        m_move.Stop();
        m_graph.GetWindow().StopTimer();
    }
    if (shown || m_popupShown) {
        m_graph.SetOverlay(Graph::kHoverOverlay, shown ? m_popup : nullptr);
        m_graph.GetWindow().Repaint();
    }
    m_popupShown = shown;
}

void IdleStatePopupValue::OnAnimationTick()
{
    const auto now = std::chrono::steady_clock::now();
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - m_lastTick).count();
    m_lastTick = now;
    const bool going = m_move.Tick(elapsed);
    m_popup->SetBoxAnchor(m_move.Current());
    m_graph.GetWindow().Repaint();
    if (going) m_graph.GetWindow().StartTimer(AnimationMovePoint::kPeriodMs, [this] { OnAnimationTick(); });
}

IdleStatePopupValue::~IdleStatePopupValue()
{
    if (m_move.IsRunning()) m_graph.GetWindow().StopTimer();
}

IdleStatePopupValue::IdleStatePopupValue(Graph& graph) : IdleState(graph), m_popup(std::make_shared<ValuePopupEffect>(&graph)) {}

void IdleStatePopupValue::OnMouseLeave()
{
    if (m_move.IsRunning()) {
        m_move.Stop();
        m_graph.GetWindow().StopTimer();
    }
    m_popupShown = false;
    m_graph.SetOverlay(Graph::kHoverOverlay, nullptr);
    m_graph.GetWindow().Repaint();
}

IdleStateTypeA::IdleStateTypeA(Graph& graph) : IdleStatePopupValue(graph) { m_zoomEffect->SetZoomMode(ZoomEffect::kX); }

void IdleStateTypeA::OnLButtonDblClk(Point)
{
    m_graph.SetOverlay(Graph::kDragOverlay, nullptr);
    SetCursor(kCursorArrow);
    const auto cmd = LiveRangeCmd(m_graph);
    for (const auto& axis : m_graph.GetAxes().All()) axis->Fit();
    Record(m_graph, cmd);
    m_graph.GetWindow().Repaint();
    OnMouseMove(m_graph.GetLastMousePos());
}

IdleStateTypeC::IdleStateTypeC(Graph& graph) : IdleStatePopupValue(graph) { m_zoomEffect->SetZoomMode(ZoomEffect::kXY); }

void IdleStateTypeB::OnMouseMove(Point point)
{
    IdleStatePopupValue::OnMouseMove(point);
    if (!m_graph.IsCurrentState(this)) return;  // the pointer went to another object's state
    if (!m_dragging) {
        m_wheelZoom = false;
        SetCursor(kCursorArrow);
    }
}

void IdleStateTypeB::OnMouseWheel(uint32_t, int32_t delta, Point point)
{
    if (m_dragScroll) return;
    m_wheelZoom = true;
    const auto cmd = LiveRangeCmd(m_graph);
    const bool valueAxes = m_dragging;  // the left button held: the Y axes
    const double factor = delta >= 0 ? 0.8 : 1.25;
    SetCursor(delta >= 0 ? kCursorZoomIn : kCursorZoomOut);
    for (const auto& axis : m_graph.GetAxes().All()) {
        if (axis->IsVertical() != valueAxes) continue;
        const double k = axis->GetValuePerPixel(), a = axis->GetDisplayMin(), b = axis->GetDisplayMax();
        if (!(k > 0) || !(b > a)) continue;
        // The value under the pointer stays under it.
        const double p = AxisPixel(m_graph, *axis, point.x, point.y) - axis->GetStartInset();
        const double length = (b - a) / k;
        const double v = p * k + a, span = (b - a) * factor, u = span / length;
        const double min = v - p * u, max = v + (length - p) * u;
        if (min < max && span > 1e-9) axis->SetDisplayRange(min, max);
    }
    Record(m_graph, cmd);
    SetCursor(kCursorArrow);
    m_graph.GetWindow().Repaint();
}

void IdleStateTypeB::BeginDrag()
{
    m_wheelZoom = m_dragScroll = false;
    m_scroll = LiveRangeCmd(m_graph);
    m_before.clear();
    for (const auto& axis : m_graph.GetAxes().All()) m_before.push_back({axis->GetDisplayMin(), axis->GetDisplayMax()});
}

void IdleStateTypeB::Drag(Point point)
{
    if (m_wheelZoom) return;
    m_dragScroll = true;
    SetCursor(kCursorScroll);
    const auto axes = m_graph.GetAxes().All();
    for (size_t i = 0; i < axes.size() && i < m_before.size(); ++i) {
        const int32_t pixels = axes[i]->IsVertical() ? point.y - m_start.y : m_start.x - point.x;
        const double shift = pixels * axes[i]->GetValuePerPixel();
        axes[i]->SetDisplayRange(m_before[i].min + shift, m_before[i].max + shift);
    }
    m_graph.GetWindow().Repaint();
}

void IdleStateTypeB::OnRButtonUp(Point point)
{
    if (!m_dragging) {
        IdleStatePopupValue::OnRButtonUp(point);
        return;
    }
    m_dragging = false;
    EndDrag();
    m_graph.GetWindow().Repaint();
}

void IdleStateTypeB::EndDrag()
{
    SetCursor(kCursorArrow);
    // Only a drag that scrolled is a step (a wheel turn while held recorded its own).
    if (m_dragScroll && m_scroll) Record(m_graph, m_scroll);
    m_wheelZoom = m_dragScroll = false;
    m_scroll.reset();
}

ZoomState::ZoomState(Graph& graph, int32_t zoomMode) : IdleState(graph)
{
    m_zoomEffect->SetZoomMode(zoomMode);
    m_zoomOnClick = true;
}

void ZoomState::OnRButtonUp(Point)
{
    if (m_dragging) CancelDrag();
    m_graph.ChangeState(nullptr);
}

void ZoomState::OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags)
{
    IdleState::OnKeyDown(key, repeat, flags);
    if (key == kKeyEscape) m_graph.ChangeState(nullptr);
}

}  // namespace ovgGraph
