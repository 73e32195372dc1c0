#include "graph/commands/GraphStructureCmds.h"

#include <algorithm>

#include "Common/Library/SeriousError.h"
#include "graph/commands/PropertySetCmd.h"
#include "graph/AutoSizing.h"
#include "graph/Axis.h"
#include "graph/GCh.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/GraphChannels.h"
#include "graph/GraphLegend.h"
#include "graph/GraphLegendItemLineGraph.h"
#include "graph/GraphScaleLine.h"
#include "graph/GraphTitle.h"
#include "graph/shapes/GraphShapes.h"
#include "graph/Padding.h"

namespace ovgGraph {
namespace {

void SetVisibleBit(Glyph& glyph, bool visible)
{
    if (visible)
        glyph.SetStateBits(kVisible);
    else
        glyph.ClearStateBits(kVisible);
}

template <class T>
T& Facet(Glyph& glyph, const char* source, int line)
{
    T* facet = dynamic_cast<T*>(&glyph);
    if (!facet) throw orvel::SeriousError(source, line, "glyph without that part");
    return *facet;
}

}  // namespace

// --- channel visibility ----------------------------------------------------------------------

GraphCmdSetVisibleCh::GraphCmdSetVisibleCh(std::shared_ptr<Graph> graph, std::vector<size_t> indices, bool visible)
    : Cmd(u"GraphCmdSetVisibleCh"),
      m_graph(Required(std::move(graph), "GraphCmdSetVisibleCh.cpp", __LINE__)),
      m_indices(std::move(indices)),
      m_visible(visible)
{
}

void GraphCmdSetVisibleCh::Prepare()
{
    const auto& channels = m_graph->GetChannels().List();
    bool changes = false;
    for (size_t index : m_indices) {
        if (index >= channels.size()) throw orvel::SeriousError("GraphCmdSetVisibleCh.cpp", 47, "channel index");
        m_old.push_back(channels[index]->IsVisible());
        changes |= m_old.back() != m_visible;
        for (const auto& axis : {channels[index]->GetTimeAxis(), channels[index]->GetValueAxis()})
            if (axis)
                m_ranges.push_back({axis,
                                    {{axis->GetRangeMin(), axis->GetRangeMax()},
                                     {axis->GetDisplayMin(), axis->GetDisplayMax()},
                                     {axis->GetCursor().GetCursor1(), axis->GetCursor().GetCursor2()}}});
    }
    if (!changes) SetEnabled(false);
}

void GraphCmdSetVisibleCh::Show(bool after)
{
    const auto& channels = m_graph->GetChannels().List();
    for (size_t i = 0; i < m_indices.size(); ++i) {
        GCh& channel = *channels[m_indices[i]];
        SetVisibleBit(channel, after ? m_visible : m_old[i]);
        channel.Notify(kChanged | kRelayout);
    }
    // The user's ranges stay as they were, whatever the channels shown; setting a range moves
    // the cursors to its ends, so they are put back too.
    for (const auto& [axis, kept] : m_ranges) {
        if (axis->GetRangeMin() != kept.range.first || axis->GetRangeMax() != kept.range.second) {
            axis->SetRange(kept.range.first, kept.range.second);
            axis->GetCursor().SetCursor1(kept.cursors.first);
            axis->GetCursor().SetCursor2(kept.cursors.second);
        }
        if (axis->GetDisplayMin() != kept.display.first || axis->GetDisplayMax() != kept.display.second)
            axis->SetDisplayRange(kept.display.first, kept.display.second);
    }
    m_graph->Notify(kRelayout);
}

void GraphCmdSetVisibleCh::DoExecute() { Show(true); }
void GraphCmdSetVisibleCh::DoUndo() { Show(false); }

// --- adding and deleting channels ------------------------------------------------------------

GraphCmdAddCh::GraphCmdAddCh(std::shared_ptr<Graph> graph, std::vector<std::shared_ptr<GCh>> channels, std::vector<QString> labels)
    : Cmd(u"GraphCmdAddCh"),
      m_graph(Required(std::move(graph), "GraphCmdAddCh.cpp", __LINE__)),
      m_channels(std::move(channels)),
      m_labels(std::move(labels))
{
    m_labels.resize(m_channels.size());
}

std::vector<GraphCmdAddCh::AxisRanges> GraphCmdAddCh::Capture() const
{
    std::vector<AxisRanges> ranges;
    for (const auto& channel : m_channels)
        for (const auto& axis : {channel->GetTimeAxis(), channel->GetValueAxis()}) {
            const bool known = std::any_of(ranges.begin(), ranges.end(), [&](const AxisRanges& r) { return r.axis == axis; });
            if (!known)
                ranges.push_back({axis, {axis->GetRangeMin(), axis->GetRangeMax()}, {axis->GetDisplayMin(), axis->GetDisplayMax()}});
        }
    return ranges;
}

void GraphCmdAddCh::Apply(const std::vector<AxisRanges>& ranges)
{
    for (const AxisRanges& r : ranges) {
        if (r.axis->GetRangeMin() != r.range.first || r.axis->GetRangeMax() != r.range.second)
            r.axis->SetRange(r.range.first, r.range.second);
        r.axis->SetDisplayRange(r.display.first, r.display.second);
    }
}

void GraphCmdAddCh::Prepare()
{
    for (const auto& channel : m_channels)
        if (!channel || !channel->GetTimeAxis() || !channel->GetValueAxis())
            throw orvel::SeriousError("GraphCmdAddCh.cpp", __LINE__, "channel without axes");
    m_wasEmpty = m_graph->GetChannels().List().empty();
    m_before = Capture();
}

void GraphCmdAddCh::DoExecute()
{
    for (size_t i = 0; i < m_channels.size(); ++i)
        m_graph->AddChannel(m_channels[i], m_channels[i]->GetTimeAxis(), m_channels[i]->GetValueAxis(), m_labels[i]);
    if (m_after.empty()) m_after = m_wasEmpty ? Capture() : m_before;
    Apply(m_after);
}

void GraphCmdAddCh::DoUndo()
{
    for (const auto& channel : m_channels) m_graph->RemoveChannel(channel.get());
    Apply(m_before);
}

GraphCmdDeleteCh::GraphCmdDeleteCh(std::shared_ptr<Graph> graph, std::vector<std::shared_ptr<GCh>> channels)
    : Cmd(u"GraphCmdDeleteCh"), m_graph(Required(std::move(graph), "GraphCmdDeleteCh.cpp", __LINE__)), m_channels(std::move(channels))
{
}

void GraphCmdDeleteCh::Prepare()
{
    const auto& list = m_graph->GetChannels().List();
    const auto& items = m_graph->GetLegend().GetItems();
    for (size_t i = 0; i < list.size(); ++i) {
        if (std::find(m_channels.begin(), m_channels.end(), list[i]) == m_channels.end()) continue;
        QString label;
        for (const auto& item : items)
            if (item->GetChannel() == list[i]) label = item->GetLabel().GetText();
        m_removed.push_back({list[i], i, label});
        for (const auto& axis : {list[i]->GetTimeAxis(), list[i]->GetValueAxis()})
            if (axis)
                m_ranges.push_back({axis, {{axis->GetRangeMin(), axis->GetRangeMax()}, {axis->GetDisplayMin(), axis->GetDisplayMax()}}});
    }
    if (m_removed.empty()) SetEnabled(false);
}

void GraphCmdDeleteCh::DoExecute()
{
    for (const Removed& removed : m_removed) m_graph->RemoveChannel(removed.channel.get());
    for (const auto& [axis, ranges] : m_ranges) axis->SetDisplayRange(ranges.second.first, ranges.second.second);
}

void GraphCmdDeleteCh::DoUndo()
{
    // In list order, so each goes back to its own index.
    for (const Removed& removed : m_removed)
        m_graph->InsertChannel(removed.index, removed.channel, removed.channel->GetTimeAxis(), removed.channel->GetValueAxis(),
                               removed.label);
    for (const auto& [axis, ranges] : m_ranges) {
        if (axis->GetRangeMin() != ranges.first.first || axis->GetRangeMax() != ranges.first.second)
            axis->SetRange(ranges.first.first, ranges.first.second);
        axis->SetDisplayRange(ranges.second.first, ranges.second.second);
    }
}

// --- grid lines and the glyph tree ------------------------------------------------------------

AxisCmdSetGraphScaleLineVisible::AxisCmdSetGraphScaleLineVisible(std::shared_ptr<Axis> axis, bool visible)
    : Cmd(u"AxisCmdSetGraphScaleLineVisible"),
      m_axis(Required(std::move(axis), "AxisCmdSetGraphScaleLineVisible.cpp", __LINE__)),
      m_visible(visible)
{
    if (!dynamic_cast<Graph*>(m_axis->GetParent()))
        throw orvel::SeriousError("AxisCmdSetGraphScaleLineVisible.cpp", __LINE__, "axis outside a graph");
}

GraphScaleLine& AxisCmdSetGraphScaleLineVisible::Lines() const { return static_cast<Graph*>(m_axis->GetParent())->GetScaleLine(); }

void AxisCmdSetGraphScaleLineVisible::Prepare()
{
    m_old = Lines().IsShown(m_axis->IsVertical());
    if (m_old == m_visible) SetEnabled(false);
}

void AxisCmdSetGraphScaleLineVisible::DoExecute() { Lines().SetShown(m_axis->IsVertical(), m_visible); }
void AxisCmdSetGraphScaleLineVisible::DoUndo() { Lines().SetShown(m_axis->IsVertical(), m_old); }

GlyphCmdChange::GlyphCmdChange(std::shared_ptr<Glyph> parent, std::shared_ptr<Glyph> oldChild, std::shared_ptr<Glyph> newChild, bool live)
    : Cmd(u"GlyphCmdChange", live ? kNeither : kNotDone), m_parent(Required(std::move(parent), "GlyphCmdChange.cpp", __LINE__)), m_old(std::move(oldChild)),
      m_new(std::move(newChild))
{
}

namespace {

// A shape's place is in its graph's shapes list, not among the graph's other children.
bool ReplaceShape(Glyph& parent, const std::shared_ptr<Glyph>& child, const std::shared_ptr<Glyph>& replacement)
{
    auto* graph = dynamic_cast<Graph*>(&parent);
    auto shape = std::dynamic_pointer_cast<ShapeBase>(replacement);
    if (!graph || !shape || !dynamic_cast<ShapeBase*>(child.get())) return false;
    graph->GetShapes().Replace(static_cast<ShapeBase*>(child.get()), shape);
    return true;
}

}  // namespace

void GlyphCmdChange::DoExecute()
{
    if (!m_new) throw orvel::SeriousError("GlyphCmdChange.cpp", 26, "no new glyph");
    if (m_old && ReplaceShape(*m_parent, m_old, m_new)) return;
    if (m_old)
        m_parent->ReplaceChild(*m_old, *m_new);
    else
        m_parent->InsertChild(*m_new);
    m_parent->Notify(kChanged);
}

void GlyphCmdChange::DoUndo()
{
    if (!m_old) throw orvel::SeriousError("GlyphCmdChange.cpp", 38, "no old glyph");
    if (ReplaceShape(*m_parent, m_new, m_old)) return;
    m_parent->ReplaceChild(*m_new, *m_old);
    m_parent->Notify(kChanged);
}

// --- channel axis ----------------------------------------------------------------------------

GChCmdSetAxisY::GChCmdSetAxisY(std::shared_ptr<GCh> channel, std::shared_ptr<Axis> axis)
    : Cmd(u"GChCmdSetAxisY"),
      m_channel(Required(std::move(channel), "GChCmdSetAxisY.cpp", __LINE__)),
      m_new(Required(std::move(axis), "GChCmdSetAxisY.cpp", __LINE__))
{
}

void GChCmdSetAxisY::Prepare()
{
    m_old = m_channel->GetValueAxis();
    if (m_old == m_new) SetEnabled(false);
}

void GChCmdSetAxisY::DoExecute() { m_channel->SetAxes(m_channel->GetTimeAxis(), m_new); }
void GChCmdSetAxisY::DoUndo() { m_channel->SetAxes(m_channel->GetTimeAxis(), m_old); }

// --- axes ------------------------------------------------------------------------------------

GraphAxesCmdAdd::GraphAxesCmdAdd(std::shared_ptr<Graph> graph, std::shared_ptr<Axis> axis)
    : Cmd(u"GraphAxesCmdAdd"),
      m_graph(Required(std::move(graph), "GraphAxesCmdAdd.cpp", __LINE__)),
      m_axis(Required(std::move(axis), "GraphAxesCmdAdd.cpp", __LINE__))
{
}

void GraphAxesCmdAdd::Prepare()
{
    if (m_graph->GetAxes().IndexOf(m_axis.get()) != 0) throw orvel::SeriousError("GraphAxesCmdAdd.cpp", __LINE__, "axis already in the graph");
}

void GraphAxesCmdAdd::DoExecute()
{
    m_graph->GetAxes().Insert(m_axis, 0);
    m_graph->Notify(kRelayout);
}

void GraphAxesCmdAdd::DoUndo()
{
    m_graph->GetAxes().Remove(m_axis.get());
    m_graph->Notify(kRelayout);
}

GraphAxesCmdDelete::GraphAxesCmdDelete(std::shared_ptr<Graph> graph, std::shared_ptr<Axis> axis)
    : Cmd(u"GraphAxesCmdDelete"),
      m_graph(Required(std::move(graph), "GraphAxesCmdDelete.cpp", __LINE__)),
      m_axis(Required(std::move(axis), "GraphAxesCmdDelete.cpp", __LINE__))
{
}

void GraphAxesCmdDelete::Prepare()
{
    const GraphAxes& axes = m_graph->GetAxes();
    if (m_axis->IsVertical()) {
        if (axes.ValueAxisCount() <= 1) throw orvel::SeriousError("GraphAxesCmdDelete.cpp", 42, "last Y axis");
    } else if (axes.List(Axis::kBelow).size() + axes.List(Axis::kAbove).size() < 2) {
        throw orvel::SeriousError("GraphAxesCmdDelete.cpp", 51, "last X axis");
    }
    m_identifier = axes.IndexOf(m_axis.get());
    if (m_identifier == 0) throw orvel::SeriousError("GraphAxesCmdDelete.cpp", 60, "axis not in the graph");
}

void GraphAxesCmdDelete::DoExecute()
{
    m_graph->GetAxes().Remove(m_axis.get());
    m_graph->Notify(kRelayout);
}

void GraphAxesCmdDelete::DoUndo()
{
    m_graph->GetAxes().Insert(m_axis, m_identifier);
    m_graph->Notify(kRelayout);
}

namespace {

// The value axes as drawn from left to right, and how many of them are on the left.
std::pair<std::vector<std::shared_ptr<Axis>>, size_t> ValueAxisRow(const Graph& graph)
{
    const GraphAxes& axes = const_cast<Graph&>(graph).GetAxes();
    const auto& left = axes.List(Axis::kLeft);
    std::vector<std::shared_ptr<Axis>> row(left.rbegin(), left.rend());
    const auto& right = axes.List(Axis::kRight);
    row.insert(row.end(), right.begin(), right.end());
    return {row, left.size()};
}

}  // namespace

bool GraphAxesCmdMove::CanMove(const Graph& graph, const Axis& axis, bool left)
{
    if (!axis.IsVertical()) return false;
    const auto [row, boundary] = ValueAxisRow(graph);
    const auto found = std::find_if(row.begin(), row.end(), [&axis](const auto& a) { return a.get() == &axis; });
    if (found == row.end()) return false;
    const size_t at = size_t(found - row.begin());
    // Next to the plot an axis changes sides; elsewhere it swaps with its neighbour.
    if (left) return at == boundary || at > 0;
    return at < boundary || at + 1 < row.size();
}

void GraphAxesCmdMove::Move(Graph& graph, const std::shared_ptr<Axis>& axis, bool left)
{
    auto [row, boundary] = ValueAxisRow(graph);
    const size_t at = size_t(std::find(row.begin(), row.end(), axis) - row.begin());
    if (left) {
        if (at == boundary)
            ++boundary;
        else
            std::swap(row[at], row[at - 1]);
    } else {
        if (at + 1 == boundary)
            --boundary;
        else
            std::swap(row[at], row[at + 1]);
    }
    GraphAxes& axes = graph.GetAxes();
    for (const auto& a : row) axes.Remove(a.get());
    for (size_t i = boundary; i-- > 0;) {
        row[i]->SetType(Axis::kLeft);
        row[i]->GetLabelFont().SetAlignment(kVCentre | kRight);
        axes.Insert(row[i], 0);
    }
    for (size_t i = boundary; i < row.size(); ++i) {
        row[i]->SetType(Axis::kRight);
        row[i]->GetLabelFont().SetAlignment(kVCentre | kLeft);
        axes.Insert(row[i], 0);
    }
    graph.Notify(kRelayout);
}

GraphAxesCmdMove::GraphAxesCmdMove(std::u16string name, const char* source, std::shared_ptr<Graph> graph,
                                   std::shared_ptr<Axis> axis, bool left)
    : Cmd(std::move(name)),
      m_graph(Required(std::move(graph), source, __LINE__)),
      m_axis(Required(std::move(axis), source, __LINE__)),
      m_left(left),
      m_source(source)
{
}

void GraphAxesCmdMove::Prepare()
{
    if (!CanMove(*m_graph, *m_axis, m_left)) throw orvel::SeriousError(m_source, __LINE__, "axis cannot move that way");
}

void GraphAxesCmdMove::DoExecute() { Move(*m_graph, m_axis, m_left); }
void GraphAxesCmdMove::DoUndo() { Move(*m_graph, m_axis, !m_left); }

GraphAxesCmdMoveLeft::GraphAxesCmdMoveLeft(std::shared_ptr<Graph> graph, std::shared_ptr<Axis> axis)
    : GraphAxesCmdMove(u"GraphAxesCmdMoveLeft", "GraphAxesCmdMoveLeft.cpp", std::move(graph), std::move(axis), true)
{
}

GraphAxesCmdMoveRight::GraphAxesCmdMoveRight(std::shared_ptr<Graph> graph, std::shared_ptr<Axis> axis)
    : GraphAxesCmdMove(u"GraphAxesCmdMoveRight", "GraphAxesCmdMoveRight.cpp", std::move(graph), std::move(axis), false)
{
}

// --- glyph properties ------------------------------------------------------------------------

GlyphCmdSetVisible::GlyphCmdSetVisible(std::shared_ptr<Glyph> glyph, bool visible, uint32_t notifyFlags)
    : Cmd(u"GlyphCmdSetVisible"), m_glyph(Required(std::move(glyph), "GlyphCmdSetVisible.cpp", __LINE__)), m_visible(visible),
      m_notify(notifyFlags)
{
}

void GlyphCmdSetVisible::Prepare()
{
    m_old = m_glyph->IsVisible();
    if (m_old == m_visible) SetEnabled(false);
}

void GlyphCmdSetVisible::Set(bool visible)
{
    SetVisibleBit(*m_glyph, visible);
    if (m_notify != 0) m_glyph->Notify(m_notify);
}

void GlyphCmdSetVisible::DoExecute() { Set(m_visible); }
void GlyphCmdSetVisible::DoUndo() { Set(m_old); }

PaddingCmdSetPadding::PaddingCmdSetPadding(std::shared_ptr<Glyph> holder, Rect padding)
    : Cmd(u"PaddingCmdSetPadding"), m_holder(Required(std::move(holder), "PaddingCmdSetPadding.cpp", __LINE__)), m_new(padding)
{
    Facet<Padding>(*m_holder, "PaddingCmdSetPadding.cpp", __LINE__);
}

void PaddingCmdSetPadding::Prepare()
{
    const Padding& p = Facet<Padding>(*m_holder, "PaddingCmdSetPadding.cpp", __LINE__);
    m_old = {p.paddingLeft, p.paddingTop, p.paddingRight, p.paddingBottom};
    if (m_old == m_new) SetEnabled(false);
}

void PaddingCmdSetPadding::Set(const Rect& r)
{
    Padding& p = Facet<Padding>(*m_holder, "PaddingCmdSetPadding.cpp", __LINE__);
    p.paddingLeft = r.left, p.paddingTop = r.top, p.paddingRight = r.right, p.paddingBottom = r.bottom;
    m_holder->Notify(kChanged);
}

void PaddingCmdSetPadding::DoExecute() { Set(m_new); }
void PaddingCmdSetPadding::DoUndo() { Set(m_old); }

AutoSizingCmdSetMode::AutoSizingCmdSetMode(std::shared_ptr<Glyph> holder, int32_t mode)
    : Cmd(u"AutoSizingCmdSetMode"), m_holder(Required(std::move(holder), "AutoSizingCmdSetMode.cpp", __LINE__)), m_new(mode & 0xF)
{
    Facet<AutoSizing>(*m_holder, "AutoSizingCmdSetMode.cpp", __LINE__);
}

void AutoSizingCmdSetMode::Prepare()
{
    m_old = Facet<AutoSizing>(*m_holder, "AutoSizingCmdSetMode.cpp", __LINE__).mode;
    if (m_old == m_new) SetEnabled(false);
}

void AutoSizingCmdSetMode::Set(int32_t mode)
{
    Facet<AutoSizing>(*m_holder, "AutoSizingCmdSetMode.cpp", __LINE__).mode = mode;
    m_holder->Notify(kChanged);
}

void AutoSizingCmdSetMode::DoExecute() { Set(m_new); }
void AutoSizingCmdSetMode::DoUndo() { Set(m_old); }

AutoSizingCmdSetLength::AutoSizingCmdSetLength(std::shared_ptr<Glyph> holder, Rect length)
    : Cmd(u"AutoSizingCmdSetLength"), m_holder(Required(std::move(holder), "AutoSizingCmdSetLength.cpp", __LINE__)), m_new(length)
{
    Facet<AutoSizing>(*m_holder, "AutoSizingCmdSetLength.cpp", __LINE__);
}

void AutoSizingCmdSetLength::Prepare()
{
    m_old = Facet<AutoSizing>(*m_holder, "AutoSizingCmdSetLength.cpp", __LINE__).length;
    if (m_old == m_new) SetEnabled(false);
}

void AutoSizingCmdSetLength::Set(const Rect& length)
{
    Facet<AutoSizing>(*m_holder, "AutoSizingCmdSetLength.cpp", __LINE__).length = length;
    m_holder->Notify(kChanged);
}

void AutoSizingCmdSetLength::DoExecute() { Set(m_new); }
void AutoSizingCmdSetLength::DoUndo() { Set(m_old); }

// --- moves of legend and title ---------------------------------------------------------------

GraphBoxCmdMove::GraphBoxCmdMove(std::u16string name, const char* source, std::shared_ptr<Glyph> box, Place place)
    : Cmd(std::move(name)), m_box(Required(std::move(box), source, __LINE__)), m_new(place)
{
}

GraphBoxCmdMove::GraphBoxCmdMove(std::u16string name, const char* source, std::shared_ptr<Glyph> box, Place before, Place after)
    : Cmd(std::move(name), kNeither), m_box(Required(std::move(box), source, __LINE__)), m_new(after), m_old(before), m_live(true)
{
}

bool GraphBoxCmdMove::IsValid() const { return m_live ? !(m_old == m_new) : IsEnabled(); }

void GraphBoxCmdMove::Prepare()
{
    if (m_live) return;
    m_old = {m_box->GetOrigin(), GetPosition(), m_box->GetArea()};
    if (m_old == m_new) SetEnabled(false);
}

void GraphBoxCmdMove::Apply(const Place& place)
{
    if (!(place.origin == m_box->GetOrigin())) {
        m_box->SetOrigin(place.origin);
        m_box->Notify(kChanged);  // drawn again at its place
    }
    if (place.position != GetPosition()) {
        SetPosition(place.position);
        m_box->Notify(kRelayout);
    }
    if (!(place.rect == m_box->GetArea())) {
        m_box->SetArea(place.rect);
        m_box->Notify(kChanged);
    }
}

void GraphBoxCmdMove::DoExecute() { Apply(m_new); }
void GraphBoxCmdMove::DoUndo() { Apply(m_old); }

GraphLegendCmdMove::GraphLegendCmdMove(std::shared_ptr<GraphLegend> legend, Point origin, int32_t position, Rect rect)
    : GraphBoxCmdMove(u"GraphLegendCmdMove", "GraphLegendCmdMove.cpp", std::move(legend), {origin, position, rect})
{
}

GraphLegendCmdMove::GraphLegendCmdMove(std::shared_ptr<GraphLegend> legend, Place before, Place after)
    : GraphBoxCmdMove(u"GraphLegendCmdMove", "GraphLegendCmdMove.cpp", std::move(legend), before, after)
{
}

int32_t GraphLegendCmdMove::GetPosition() const { return static_cast<GraphLegend&>(Box()).GetPosition(); }
void GraphLegendCmdMove::SetPosition(int32_t position) { static_cast<GraphLegend&>(Box()).SetPosition(position); }

GraphTitleCmdMove::GraphTitleCmdMove(std::shared_ptr<GraphTitle> title, Point origin, int32_t position, Rect rect)
    : GraphBoxCmdMove(u"GraphTitleCmdMove", "GraphTitleCmdMove.cpp", std::move(title), {origin, position, rect})
{
}

GraphTitleCmdMove::GraphTitleCmdMove(std::shared_ptr<GraphTitle> title, Place before, Place after)
    : GraphBoxCmdMove(u"GraphTitleCmdMove", "GraphTitleCmdMove.cpp", std::move(title), before, after)
{
}

int32_t GraphTitleCmdMove::GetPosition() const { return static_cast<GraphTitle&>(Box()).GetPosition(); }
void GraphTitleCmdMove::SetPosition(int32_t position) { static_cast<GraphTitle&>(Box()).SetPosition(position); }

}  // namespace ovgGraph
