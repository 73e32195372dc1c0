#include "graph/commands/GraphRangeCmds.h"

#include <algorithm>

#include "Common/Library/SeriousError.h"
#include "graph/commands/PropertySetCmd.h"
#include "graph/Axis.h"
#include "graph/FitAxisToData.h"
#include "graph/GCh.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/LabelGenerate.h"

namespace ovgGraph {
namespace {

Range DisplayOf(const Axis& axis) { return {axis.GetDisplayMin(), axis.GetDisplayMax()}; }
Range RangeOf(const Axis& axis) { return {axis.GetRangeMin(), axis.GetRangeMax()}; }

}  // namespace

std::shared_ptr<Graph> Unowned(Graph& graph) { return std::shared_ptr<Graph>(std::shared_ptr<Graph>(), &graph); }

AxisCmdSetAxisRange::AxisCmdSetAxisRange(std::shared_ptr<Axis> axis, double min, double max)
    : Cmd(u"AxisCmdSetAxisRange"), m_axis(Required(std::move(axis), "AxisCmdSetAxisRange.cpp", __LINE__)), m_new(min, max)
{
}

void AxisCmdSetAxisRange::Prepare()
{
    m_oldRange = RangeOf(*m_axis);
    m_oldDisplay = DisplayOf(*m_axis);
    if (m_new == m_oldDisplay && m_new == m_oldRange) SetEnabled(false);
}

void AxisCmdSetAxisRange::DoExecute() { m_axis->SetRange(m_new.first, m_new.second); }

void AxisCmdSetAxisRange::DoUndo()
{
    m_axis->SetRange(m_oldRange.first, m_oldRange.second);
    m_axis->SetDisplayRange(m_oldDisplay.first, m_oldDisplay.second);
}

AxisCmdSetDisplayRange::AxisCmdSetDisplayRange(std::shared_ptr<Axis> axis, double min, double max)
    : Cmd(u"AxisCmdSetDisplayRange"), m_axis(Required(std::move(axis), "AxisCmdSetDisplayRange.cpp", __LINE__)), m_new(min, max)
{
}

void AxisCmdSetDisplayRange::Prepare()
{
    m_old = DisplayOf(*m_axis);
    if (m_old == m_new) SetEnabled(false);
}

void AxisCmdSetDisplayRange::DoExecute() { m_axis->SetDisplayRange(m_new.first, m_new.second); }
void AxisCmdSetDisplayRange::DoUndo() { m_axis->SetDisplayRange(m_old.first, m_old.second); }

AxisCmdFit::AxisCmdFit(std::shared_ptr<Axis> axis)
    : Cmd(u"AxisCmdFit"), m_axis(Required(std::move(axis), "AxisCmdFit.cpp", __LINE__))
{
}

void AxisCmdFit::Prepare()
{
    m_old = DisplayOf(*m_axis);
    if (m_old == RangeOf(*m_axis)) SetEnabled(false);
}

void AxisCmdFit::DoExecute() { m_axis->Fit(); }
void AxisCmdFit::DoUndo() { m_axis->SetDisplayRange(m_old.first, m_old.second); }

GChCmdFit::GChCmdFit(std::shared_ptr<GCh> channel)
    : Cmd(u"GChCmdFit"), m_channel(Required(std::move(channel), "GChCmdFit.cpp", __LINE__))
{
}

void GChCmdFit::Prepare()
{
    bool changes = false;
    for (const auto& axis : {m_channel->GetTimeAxis(), m_channel->GetValueAxis()}) {
        if (!axis) continue;
        m_old.emplace_back(axis, DisplayOf(*axis));
        changes |= DisplayOf(*axis) != RangeOf(*axis);
    }
    if (!changes) SetEnabled(false);
}

void GChCmdFit::DoExecute()
{
    for (const auto& [axis, old] : m_old) axis->Fit();
}

void GChCmdFit::DoUndo()
{
    for (const auto& [axis, old] : m_old) axis->SetDisplayRange(old.first, old.second);
}

GraphAxesCmdChangeDisplayRange::GraphAxesCmdChangeDisplayRange(std::shared_ptr<Graph> graph, bool live)
    : GraphAxesCmdChangeDisplayRange(std::move(graph), live, u"GraphAxesCmdChangeDisplayRange")
{
}

GraphAxesCmdChangeDisplayRange::GraphAxesCmdChangeDisplayRange(std::shared_ptr<Graph> graph, bool live, std::u16string name)
    : Cmd(std::move(name), live ? kDone : kNotDone),
      m_graph(Required(std::move(graph), "GraphAxesCmdChangeDisplayRange.cpp", __LINE__))
{
    // X axes first, then Y axes: the order the ranges are applied in.
    for (uint8_t type : {Axis::kBelow, Axis::kAbove, Axis::kLeft, Axis::kRight})
        for (const auto& axis : m_graph->GetAxes().List(type)) m_entries.push_back({axis, DisplayOf(*axis), DisplayOf(*axis)});
}

void GraphAxesCmdChangeDisplayRange::SetAfter(const Axis* axis, double min, double max)
{
    for (Entry& entry : m_entries)
        if (entry.axis.get() == axis) entry.after = {min, max};
}

void GraphAxesCmdChangeDisplayRange::CaptureAfter()
{
    for (Entry& entry : m_entries) entry.after = DisplayOf(*entry.axis);
}

bool GraphAxesCmdChangeDisplayRange::IsValid() const
{
    if (!m_executedOnce) return IsEnabled();
    for (const Entry& entry : m_entries)
        if (entry.before != entry.after) return true;
    return false;
}

void GraphAxesCmdChangeDisplayRange::Prepare()
{
    // The usual form starts from the ranges at its first execution, and covers axes added since
    // it was built (they keep their ranges unless SetAfter named them).
    for (Entry& entry : m_entries) entry.before = DisplayOf(*entry.axis);
    for (uint8_t type : {Axis::kBelow, Axis::kAbove, Axis::kLeft, Axis::kRight})
        for (const auto& axis : m_graph->GetAxes().List(type)) {
            const bool known = std::any_of(m_entries.begin(), m_entries.end(), [&](const Entry& e) { return e.axis == axis; });
            if (!known) m_entries.push_back({axis, DisplayOf(*axis), DisplayOf(*axis)});
        }
}

void GraphAxesCmdChangeDisplayRange::ApplyRanges(bool after)
{
    for (const Entry& entry : m_entries) {
        const Range& range = after ? entry.after : entry.before;
        entry.axis->SetDisplayRange(range.first, range.second);
    }
}

void GraphAxesCmdChangeDisplayRange::DoExecute()
{
    m_executedOnce = true;
    ApplyRanges(true);
}

void GraphAxesCmdChangeDisplayRange::DoUndo() { ApplyRanges(false); }

GraphCmdFitGraph::GraphCmdFitGraph(std::shared_ptr<Graph> graph)
    : GraphAxesCmdChangeDisplayRange(std::move(graph), false, u"GraphCmdFitGraph")
{
}

void GraphCmdFitGraph::Prepare()
{
    GraphAxesCmdChangeDisplayRange::Prepare();
    bool changes = false;
    for (Entry& entry : m_entries) {
        entry.after = RangeOf(*entry.axis);
        changes |= entry.after != entry.before;
    }
    if (!changes) SetEnabled(false);
}

AxisCursorCmdSetValueBoth::AxisCursorCmdSetValueBoth(std::shared_ptr<Axis> axis, double old1, double old2, double new1,
                                                     double new2)
    : Cmd(u"AxisCursorCmdSetValueBoth", kNeither),
      m_axis(Required(std::move(axis), "AxisCursorCmdSetValueBoth.cpp", __LINE__)),
      m_old1(old1), m_old2(old2), m_new1(new1), m_new2(new2)
{
}

bool AxisCursorCmdSetValueBoth::IsValid() const { return m_old1 != m_new1 || m_old2 != m_new2; }

void AxisCursorCmdSetValueBoth::DoExecute()
{
    m_axis->GetCursor().SetCursor1(m_new1);
    m_axis->GetCursor().SetCursor2(m_new2);
}

void AxisCursorCmdSetValueBoth::DoUndo()
{
    m_axis->GetCursor().SetCursor1(m_old1);
    m_axis->GetCursor().SetCursor2(m_old2);
}

ScrollBarCmdSetDisplayBoth::ScrollBarCmdSetDisplayBoth(std::shared_ptr<Axis> axis, double oldA, double oldB, double newA,
                                                       double newB)
    : Cmd(u"ScrollBarCmdSetDisplayBoth", kNeither),
      m_axis(Required(std::move(axis), "ScrollBarCmdSetDisplayBoth.cpp", __LINE__)),
      m_old(std::min(oldA, oldB), std::max(oldA, oldB)),
      m_new(std::min(newA, newB), std::max(newA, newB))
{
}

bool ScrollBarCmdSetDisplayBoth::IsValid() const { return m_old != m_new; }

void ScrollBarCmdSetDisplayBoth::Show(const Range& range)
{
    if (DisplayOf(*m_axis) == range) return;
    m_axis->SetDisplayRange(range.first, range.second);
    m_axis->Notify(kChanged | kRelayout);
}

void ScrollBarCmdSetDisplayBoth::DoExecute() { Show(m_new); }
void ScrollBarCmdSetDisplayBoth::DoUndo() { Show(m_old); }

GraphCmdAutoAxisRange::GraphCmdAutoAxisRange(std::shared_ptr<Graph> graph, std::shared_ptr<Axis> axis)
    : Cmd(u"GraphCmdAutoAxisRange"),
      m_graph(Required(std::move(graph), "GraphCmdAutoAxisRange.cpp", __LINE__)),
      m_axis(Required(std::move(axis), "GraphCmdAutoAxisRange.cpp", __LINE__))
{
}

void GraphCmdAutoAxisRange::Prepare()
{
    const auto [lo, hi] = DataRangeForAxis(*m_graph, *m_axis);
    const auto [min, max] = m_axis->GetLabelGenerator().FitRange(lo, hi);
    m_inner = std::make_shared<AxisCmdSetAxisRange>(m_axis, min, max);
}

void GraphCmdAutoAxisRange::DoExecute()
{
    orvel::ExecuteCmd(*m_inner);
    SetEnabled(m_inner->IsValid());
}

void GraphCmdAutoAxisRange::DoUndo()
{
    if (m_inner->GetState() == kDone) orvel::UndoCmd(*m_inner);
}

GraphCmdKeepDisplayRange::GraphCmdKeepDisplayRange(std::shared_ptr<Graph> graph, std::shared_ptr<orvel::Cmd> inner)
    : Cmd(u"GraphCmdKeepDisplayRange"),
      m_graph(Required(std::move(graph), "GraphCmdKeepDisplayRange.cpp", __LINE__)),
      m_inner(Required(std::move(inner), "GraphCmdKeepDisplayRange.cpp", __LINE__))
{
}

bool GraphCmdKeepDisplayRange::IsValid() const { return m_inner->IsValid(); }

GraphCmdKeepDisplayRange::Ranges GraphCmdKeepDisplayRange::Capture() const
{
    Ranges ranges;
    for (const auto& axis : m_graph->GetAxes().All()) ranges.emplace_back(axis, DisplayOf(*axis));
    return ranges;
}

void GraphCmdKeepDisplayRange::Restore(const Ranges& ranges)
{
    for (const auto& [axis, range] : ranges) axis->SetDisplayRange(range.first, range.second);
}

void GraphCmdKeepDisplayRange::DoExecute()
{
    if (!m_captured) m_before = Capture();
    orvel::ExecuteCmd(*m_inner);
    if (!m_captured) {
        m_after = Capture();
        m_captured = true;
    }
    Restore(m_after);
}

void GraphCmdKeepDisplayRange::DoUndo()
{
    if (m_inner->GetState() == kDone) orvel::UndoCmd(*m_inner);
    Restore(m_before);
}

}  // namespace ovgGraph
