#include "graph/interaction/ScrollBarState.h"

#include <algorithm>

#include "graph/Axis.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/GraphWindow.h"
#include "graph/commands/GraphRangeCmds.h"

namespace ovgGraph {
namespace {

constexpr int32_t kFirstRepeatMs = 500, kRepeatMs = 50;

Point InBar(const Axis& axis, Point point)
{
    const ScrollBar& bar = axis.GetScrollBar();
    return {point.x - axis.GetOriginX() - bar.GetOriginX(), point.y - axis.GetOriginY() - bar.GetOriginY()};
}

}  // namespace

ScrollBarState::Hit ScrollBarState::At(Graph& graph, Point point)
{
    for (const auto& axis : graph.GetAxes().All()) {
        const ScrollBar& bar = axis->GetScrollBar();
        if (!axis->IsVisible() || graph.IsFolded(axis.get()) || !bar.IsShown()) continue;
        const Point p = InBar(*axis, point);
        if (!bar.HitTest(p)) continue;
        for (int part = ScrollBar::kDecreaseButton; part <= ScrollBar::kIncreaseButton; ++part)
            if (bar.GetPart(ScrollBar::Part(part)).Contains(p)) return {axis, ScrollBar::Part(part)};
    }
    return {};
}

double ScrollBarState::ValuePerPixel(const Axis& axis)
{
    const ScrollBar& bar = axis.GetScrollBar();
    const int32_t length = bar.GetOrientation() == ScrollBar::kVertical ? bar.GetHeight() : bar.GetWidth();
    const int32_t track = length - 2 * bar.GetButtonLength();
    const double range = bar.GetRangeMax() - bar.GetRangeMin();
    return track > 0 ? range / track : range;
}

ScrollBarState::ScrollBarState(Graph& graph, Hit hit) : StateBase(graph), m_hit(std::move(hit)) {}

ScrollBarState::~ScrollBarState()
{
    if (m_timerRunning) m_graph.GetWindow().StopTimer();
}

bool ScrollBarState::IsClickPart() const
{
    return m_hit.part == ScrollBar::kDecreaseButton || m_hit.part == ScrollBar::kIncreaseButton || m_hit.part == ScrollBar::kDecreasePan ||
           m_hit.part == ScrollBar::kIncreasePan;
}

void ScrollBarState::Enter(Point) { SetCursor(kCursorArrow); }

void ScrollBarState::Show(double lo, double hi)
{
    m_hit.axis->SetDisplayRange(std::min(lo, hi), std::max(lo, hi));
    m_graph.GetWindow().Repaint();
}

void ScrollBarState::Step()
{
    const Axis& axis = *m_hit.axis;
    const double lo = axis.GetDisplayMin(), hi = axis.GetDisplayMax(), span = hi - lo;
    const double rangeMin = axis.GetRangeMin(), rangeMax = axis.GetRangeMax();
    const bool page = m_hit.part == ScrollBar::kDecreasePan || m_hit.part == ScrollBar::kIncreasePan;
    const double step = page ? span : std::min(2 * ValuePerPixel(axis), span);
    if (m_hit.part == ScrollBar::kIncreaseButton || m_hit.part == ScrollBar::kIncreasePan) {
        const double max = std::min(hi + step, rangeMax);
        Show(max - span, max);
    } else {
        const double min = std::max(lo - step, rangeMin);
        Show(min, min + span);
    }
}

void ScrollBarState::OnTimer()
{
    m_timerRunning = false;
    if (!m_dragging || !IsClickPart()) return;
    // Only while the pointer stays on the pressed part.
    const Hit now = At(m_graph, m_last);
    if (now.axis == m_hit.axis && now.part == m_hit.part) Step();
    m_timerRunning = true;
    m_graph.GetWindow().StartTimer(kRepeatMs, [this] { OnTimer(); });
}

void ScrollBarState::OnMouseMove(Point point)
{
    m_last = point;
    if (!m_dragging) {
        const Hit now = At(m_graph, point);
        if (now.axis != m_hit.axis) {
            m_graph.ChangeState(nullptr);
            return;
        }
        m_hit.part = now.part;
        return;
    }
    if (IsClickPart()) return;
    const Axis& axis = *m_hit.axis;
    const bool vertical = axis.GetScrollBar().GetOrientation() == ScrollBar::kVertical;
    const double delta = (vertical ? m_start.y - point.y : point.x - m_start.x) * ValuePerPixel(axis);
    const double rangeMin = axis.GetRangeMin(), rangeMax = axis.GetRangeMax(), minSpan = std::max(axis.GetMinimumSpan(), 0.0);
    switch (m_hit.part) {
        case ScrollBar::kCentre: {
            const double shift = std::clamp(delta, rangeMin - m_min, rangeMax - m_max);
            Show(m_min + shift, m_max + shift);
            break;
        }
        case ScrollBar::kDecreaseEdge: Show(std::clamp(m_min + delta, rangeMin, m_max - minSpan), m_max); break;
        case ScrollBar::kIncreaseEdge: Show(m_min, std::clamp(m_max + delta, m_min + minSpan, rangeMax)); break;
        default: break;
    }
}

void ScrollBarState::OnLButtonDown(Point point)
{
    m_dragging = true;
    m_start = m_last = point;
    m_min = m_hit.axis->GetDisplayMin();
    m_max = m_hit.axis->GetDisplayMax();
    if (IsClickPart()) {
        Step();
        m_timerRunning = true;
        m_graph.GetWindow().StartTimer(kFirstRepeatMs, [this] { OnTimer(); });
    }
}

void ScrollBarState::OnLButtonUp(Point)
{
    if (!m_dragging) return;
    m_dragging = false;
    if (m_timerRunning) m_graph.GetWindow().StopTimer();
    m_timerRunning = false;
    const auto cmd = std::make_shared<ScrollBarCmdSetDisplayBoth>(m_hit.axis, m_min, m_max, m_hit.axis->GetDisplayMin(),
                                                                  m_hit.axis->GetDisplayMax());
    if (cmd->IsValid()) m_graph.GetWindow().RecordCmds({cmd}, false);
    m_graph.GetWindow().Repaint();
}

void ScrollBarState::OnRButtonUp(Point point)
{
    if (m_dragging) {  // a right click during the press cancels it, as Escape does
        OnKeyDown(kKeyEscape, 0, 0);
        return;
    }
    m_graph.ChangeState(nullptr);
    m_graph.GetWindow().ShowContextMenu(point.x, point.y);
}

void ScrollBarState::OnKeyDown(uint32_t key, uint32_t, uint32_t)
{
    if (key != kKeyEscape || !m_dragging) return;
    m_dragging = false;
    if (m_timerRunning) m_graph.GetWindow().StopTimer();
    m_timerRunning = false;
    Show(m_min, m_max);
}

}  // namespace ovgGraph
