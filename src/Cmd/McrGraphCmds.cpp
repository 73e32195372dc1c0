#include "Cmd/McrGraphCmds.h"

#include <algorithm>

#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "filelib/GCh.h"
#include "Common/Library/CmdLambda.h"
#include "Common/Library/SeriousError.h"
#include "graph/GdiDrawLineGraphGDIP.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/GraphChannels.h"
#include "graph/GraphFactory.h"
#include "graph/GraphLegend.h"
#include "graph/GraphLegendItemLineGraph.h"
#include "graph/GraphScaleLine.h"
#include "graph/GraphTitle.h"
#include "graph/commands/GraphCmdSetState.h"
#include "graph/commands/GraphRangeCmds.h"
#include "graph/commands/GraphSetterCmds.h"
#include "graph/commands/ShapeCmds.h"
#include "graph/shapes/GraphShapes.h"
#include "graph/commands/GraphStructureCmds.h"
#include "graph/state/GraphState.h"
#include "graph/state/Theme.h"

namespace ovgApp {
namespace {

using orvel::Cmd;
using Steps = std::vector<std::shared_ptr<Cmd>>;

// A part of the window's graph as a command target: the graph outlives every command.
template <class T>
std::shared_ptr<T> Part(AppContext& context, T& part)
{
    return std::shared_ptr<T>(ovgGraph::Unowned(context.graph), &part);
}

template <class Command, class Value>
Steps PerChannel(const AppChList& channels, Value value)
{
    Steps steps;
    for (const auto& channel : channels) steps.push_back(std::make_shared<Command>(channel, value));
    return steps;
}

std::u16string StepName(const char* group, const char* step) { return ovgGraph::CmdName(group) + u"_" + ovgGraph::CmdName(step); }

Steps One(std::shared_ptr<Cmd> step)
{
    if (!step) throw orvel::SeriousError("McrGraphCmds.cpp", __LINE__, "no command");
    return {std::move(step)};
}

using ObjectMementoOfLine = ovgGraph::ObjectMemento<ovgGraph::GdiDrawLineGraphGDIP>;

void SetVisibleBit(ovgGraph::Glyph& glyph, bool visible)
{
    if (visible)
        glyph.SetStateBits(ovgGraph::kVisible);
    else
        glyph.ClearStateBits(ovgGraph::kVisible);
}

// Both limits of a channel, given in the displayed unit. Undo writes back the limits the file
// channel held, not a conversion of them, so a Fahrenheit display gives back the very values.
class CmdAppSetLimits : public Cmd {
public:
    CmdAppSetLimits(std::shared_ptr<AppCh> channel, double upper, double lower)
        : Cmd(StepName("McrChSetLimit", "SetValue")), m_channel(std::move(channel)), m_upper(upper), m_lower(lower)
    {
    }

protected:
    void Prepare() override
    {
        if (m_channel->GetUpperLimit() == m_upper && m_channel->GetLowerLimit() == m_lower) SetEnabled(false);
        m_storedUpper = m_channel->GetFileCh().GetUpperLimit();
        m_storedLower = m_channel->GetFileCh().GetLowerLimit();
    }
    void DoExecute() override
    {
        m_channel->SetUpperLimit(m_upper);
        m_channel->SetLowerLimit(m_lower);
    }
    void DoUndo() override
    {
        if (auto* editable = dynamic_cast<OvGraphFileLib::GCh*>(m_channel->GetFileChPtr().get())) {
            editable->SetUpperLimit(m_storedUpper);
            editable->SetLowerLimit(m_storedLower);
            m_channel->Notify(ovgGraph::kChanged);
        }
    }

private:
    std::shared_ptr<AppCh> m_channel;
    double m_upper, m_lower, m_storedUpper = 0, m_storedLower = 0;
};

}  // namespace

int32_t StoredDecimalPlaces(const AppCh& channel)
{
    if (dynamic_cast<const OvGraphFileLib::GCh*>(&channel.GetFileCh())) return channel.GetFileCh().GetDecimalPlaces();
    return channel.GetDecimalPlaces();
}

McrGraphCmds::McrGraphCmds(std::u16string name, std::vector<std::shared_ptr<orvel::Cmd>> steps)
    : Mcr(std::move(name)), m_steps(std::move(steps))
{
}

void McrGraphCmds::Prepare()
{
    for (auto& step : m_steps) AddChild(std::move(step));
    m_steps.clear();
}

McrChSetChName::McrChSetChName(AppContext context, std::shared_ptr<AppCh> channel, const QString& name)
    : McrGraphCmds(u"McrChSetChName", One(std::make_shared<CmdAppSetValue<QString>>(
                                          StepName("McrChSetChName", "SetValue"), [channel] { return channel->GetDisplayName(); },
                                          [channel, graph = &context.graph](const QString& text) {
                                              channel->SetDisplayName(text);
                                              // The legend shows the name too.
                                              for (const auto& item : graph->GetLegend().GetItems())
                                                  if (item->GetChannel() == channel) item->GetLabel().SetText(text);
                                          },
                                          name)))
{
}

// Decimal places as the channel stores them (-1 too), so undo gives back exactly what was there.
McrChSetDecimalPlaces::McrChSetDecimalPlaces(AppContext, const AppChList& channels, int32_t places)
    : McrGraphCmds(u"McrChSetDecimalPlaces", [&] {
          Steps steps;
          for (const auto& channel : channels)
              steps.push_back(std::make_shared<CmdAppSetValue<int32_t>>(
                  StepName("McrChSetDecimalPlaces", "SetValue"), [channel] { return StoredDecimalPlaces(*channel); },
                  [channel](const int32_t& p) { channel->SetDecimalPlaces(p); }, places));
          return steps;
      }())
{
}

McrChSetLimit::McrChSetLimit(AppContext, std::shared_ptr<AppCh> channel, double upper, double lower)
    : McrGraphCmds(u"McrChSetLimit", One(std::make_shared<CmdAppSetLimits>(channel, upper, lower)))
{
}

McrChSetVisibleGraph::McrChSetVisibleGraph(AppContext context, const AppChList& channels, bool visible)
    : McrGraphCmds(u"McrChSetVisibleGraph", [&] {
          std::vector<size_t> indices;
          const auto& list = context.graph.GetChannels().List();
          for (const auto& channel : channels) {
              const auto found = std::find(list.begin(), list.end(), channel);
              if (found != list.end()) indices.push_back(size_t(found - list.begin()));
          }
          return One(std::make_shared<ovgGraph::GraphCmdSetVisibleCh>(ovgGraph::Unowned(context.graph), indices, visible));
      }())
{
}

McrChSetVisibleDataTable::McrChSetVisibleDataTable(AppContext, const AppChList& channels, bool visible)
    : McrGraphCmds(u"McrChSetVisibleDataTable", [&] {
          Steps steps;
          for (const auto& channel : channels)
              steps.push_back(std::make_shared<CmdAppSetValue<bool>>(
                  StepName("McrChSetVisibleDataTable", "Visible"), [channel] { return channel->IsVisibleInTable(); },
                  [channel](const bool& on) { channel->SetVisibleInTable(on); }, visible));
          return steps;
      }())
{
}

McrChSetAxisY::McrChSetAxisY(AppContext, const AppChList& channels, std::shared_ptr<ovgGraph::Axis> axis)
    : McrGraphCmds(u"McrChSetAxisY", PerChannel<ovgGraph::GChCmdSetAxisY>(channels, axis))
{
}

namespace {

std::shared_ptr<ovgGraph::Axis> NewValueAxis(AppContext& context, bool right, const QString& unit)
{
    const ovgGraph::GraphFactory factory;
    auto axis = right ? factory.CreateRightAxis(&context.graph) : factory.CreateLeftAxis(&context.graph);
    axis->SetParent(nullptr);  // the add step puts it in the graph
    axis->GetTitle().SetText(unit);
    axis->GetTitle().ClearStateBits(ovgGraph::kVisible);
    axis->GetUnit().SetText(unit);
    return axis;
}

}  // namespace

McrChSetNewAxisY::McrChSetNewAxisY(AppContext context, const AppChList& channels, bool right)
    : McrGraphCmds(u"McrChSetNewAxisY", [&] {
          std::vector<std::shared_ptr<orvel::Cmd>> steps;
          if (channels.empty()) return steps;
          const auto axis = NewValueAxis(context, right, channels.front()->GetUnitText());
          steps.push_back(std::make_shared<ovgGraph::GraphAxesCmdAdd>(ovgGraph::Unowned(context.graph), axis));
          for (auto& step : PerChannel<ovgGraph::GChCmdSetAxisY>(channels, axis)) steps.push_back(std::move(step));
          steps.push_back(std::make_shared<ovgGraph::GraphCmdAutoAxisRange>(ovgGraph::Unowned(context.graph), axis));
          return steps;
      }())
{
}

McrAxisAdd::McrAxisAdd(AppContext context, bool right)
    : McrGraphCmds(u"McrAxisAdd", One(std::make_shared<ovgGraph::GraphAxesCmdAdd>(ovgGraph::Unowned(context.graph),
                                                                                    NewValueAxis(context, right, QString()))))
{
}

McrChSetLineGraphColor::McrChSetLineGraphColor(AppContext, const AppChList& channels, uint32_t colour)
    : McrGraphCmds(u"McrChSetLineGraphColor", PerChannel<ovgGraph::GChCmdSetColor>(channels, colour))
{
}

McrChSetLineGraphStyle::McrChSetLineGraphStyle(AppContext, const AppChList& channels, int32_t style)
    : McrGraphCmds(u"McrChSetLineGraphStyle", PerChannel<ovgGraph::GChCmdSetStyle>(channels, style))
{
}

McrChSetLineGraphWidth::McrChSetLineGraphWidth(AppContext, const AppChList& channels, int32_t width)
    : McrGraphCmds(u"McrChSetLineGraphWidth", PerChannel<ovgGraph::GChCmdSetWidth>(channels, width))
{
}

McrChSetLineGraphSymbol::McrChSetLineGraphSymbol(AppContext, const AppChList& channels, int32_t symbol)
    : McrGraphCmds(u"McrChSetLineGraphSymbol", PerChannel<ovgGraph::GChCmdSetSymbol>(channels, symbol))
{
}

McrChSetLineGraphSymbolDist::McrChSetLineGraphSymbolDist(AppContext, const AppChList& channels, int32_t pixels)
    : McrGraphCmds(u"McrChSetLineGraphSymbolDist", PerChannel<ovgGraph::GChCmdSetSymbolDist>(channels, pixels))
{
}

McrChReplace::McrChReplace(AppContext context, std::shared_ptr<AppCh> channel, std::shared_ptr<AppCh> replacement)
    : McrGraphCmds(u"McrChReplace", [&] {
          if (!channel || !replacement) throw orvel::SeriousError("McrChReplace.cpp", __LINE__, "no channel");
          AppDocument* document = &context.document;
          ovgGraph::Graph* graph = &context.graph;
          const int docIndex = document->IndexOf(channel.get());
          if (docIndex < 0) throw orvel::SeriousError("McrChReplace.cpp", __LINE__, "channel not in the document");
          const auto swapIn = [document, docIndex](const std::shared_ptr<AppCh>& out, const std::shared_ptr<AppCh>& in) {
              document->RemoveChannel(out.get());
              document->InsertChannel(size_t(docIndex), in);
          };
          // The graph place: position in the channel list, axes, legend label and line look.
          const auto swapGraph = [graph](const std::shared_ptr<AppCh>& out, const std::shared_ptr<AppCh>& in) {
              const auto& list = graph->GetChannels().List();
              const auto found = std::find(list.begin(), list.end(), out);
              if (found == list.end()) return;
              const size_t index = size_t(found - list.begin());
              QString label;
              for (const auto& item : graph->GetLegend().GetItems())
                  if (item->GetChannel() == out) label = item->GetLabel().GetText();
              ObjectMementoOfLine look(ovgGraph::GdiDrawLineGraphSchema());
              look.Capture(out->GetDrawer());
              look.Apply(in->GetDrawer());
              SetVisibleBit(*in, out->IsVisible());
              graph->RemoveChannel(out.get());
              graph->InsertChannel(index, in, out->GetTimeAxis(), out->GetValueAxis(), label);
          };
          return Steps{
              std::make_shared<orvel::CmdLambda>(StepName("McrChReplace", "Doc"), [=] { swapIn(channel, replacement); },
                                                 [=] { swapIn(replacement, channel); }),
              std::make_shared<orvel::CmdLambda>(StepName("McrChReplace", "Graph"), [=] { swapGraph(channel, replacement); },
                                                 [=] { swapGraph(replacement, channel); }),
              std::make_shared<orvel::CmdLambda>(
                  StepName("McrChReplace", "Refresh"), [graph] { graph->Notify(ovgGraph::kChanged | ovgGraph::kRelayout); },
                  [graph] { graph->Notify(ovgGraph::kChanged | ovgGraph::kRelayout); })};
      }())
{
}

McrFitAxis::McrFitAxis(AppContext, std::shared_ptr<ovgGraph::Axis> axis)
    : McrGraphCmds(u"McrFitAxis", One(std::make_shared<ovgGraph::AxisCmdFit>(std::move(axis))))
{
}

McrFitCh::McrFitCh(AppContext, std::shared_ptr<AppCh> channel)
    : McrGraphCmds(u"McrFitCh", One(std::make_shared<ovgGraph::GChCmdFit>(std::move(channel))))
{
}

McrFitGraph::McrFitGraph(AppContext context)
    : McrGraphCmds(u"McrFitGraph", One(std::make_shared<ovgGraph::GraphCmdFitGraph>(ovgGraph::Unowned(context.graph))))
{
}

McrAxisChangeProperty::McrAxisChangeProperty(AppContext, std::shared_ptr<orvel::Cmd> change)
    : McrGraphCmds(u"McrAxisChangeProperty", One(std::move(change)))
{
}

McrAxisDelete::McrAxisDelete(AppContext context, std::shared_ptr<ovgGraph::Axis> axis)
    : McrGraphCmds(u"McrAxisDelete", [&] {
          std::vector<std::shared_ptr<orvel::Cmd>> steps;
          // Shapes tied to the axis move to another axis of its orientation first, where they are
          // drawn now, so that they do not lose their place with it.
          std::shared_ptr<ovgGraph::Axis> other;
          for (const auto& candidate : context.graph.GetAxes().All())
              if (candidate != axis && axis && candidate->IsVertical() == axis->IsVertical() && !other) other = candidate;
          for (const auto& shape : context.graph.GetShapes().List()) {
              if (!axis || (shape->GetAxisX() != axis && shape->GetAxisY() != axis)) continue;
              steps.push_back(std::make_shared<ovgGraph::ShapeBaseCmdSetAssociationAxis>(
                  shape, shape->GetAxisX() == axis ? other : shape->GetAxisX(), shape->GetAxisY() == axis ? other : shape->GetAxisY()));
          }
          steps.push_back(std::make_shared<ovgGraph::GraphAxesCmdDelete>(ovgGraph::Unowned(context.graph), axis));
          return steps;
      }())
{
}

McrAxisMoveLeft::McrAxisMoveLeft(AppContext context, std::shared_ptr<ovgGraph::Axis> axis)
    : McrGraphCmds(u"McrAxisMoveLeft", One(std::make_shared<ovgGraph::GraphAxesCmdMoveLeft>(ovgGraph::Unowned(context.graph), std::move(axis))))
{
}

McrAxisMoveRight::McrAxisMoveRight(AppContext context, std::shared_ptr<ovgGraph::Axis> axis)
    : McrGraphCmds(u"McrAxisMoveRight",
                   One(std::make_shared<ovgGraph::GraphAxesCmdMoveRight>(ovgGraph::Unowned(context.graph), std::move(axis))))
{
}

McrAxisSetDisplayRange::McrAxisSetDisplayRange(AppContext, std::shared_ptr<ovgGraph::Axis> axis, double min, double max)
    : McrGraphCmds(u"McrAxisSetDisplayRange", One(std::make_shared<ovgGraph::AxisCmdSetDisplayRange>(std::move(axis), min, max)))
{
}

McrAxisCursorSetValue::McrAxisCursorSetValue(AppContext, std::shared_ptr<ovgGraph::Axis> axis, double cursor1, double cursor2)
    : McrGraphCmds(u"McrAxisCursorSetValue", [&] {
          auto step = std::make_shared<CmdAppSetValue<std::pair<double, double>>>(
              StepName("McrAxisCursorSetValue", "SetValue"),
              [axis] { return std::pair(axis->GetCursor().GetCursor1(), axis->GetCursor().GetCursor2()); },
              [axis](const std::pair<double, double>& v) {
                  axis->GetCursor().SetCursor1(v.first);
                  axis->GetCursor().SetCursor2(v.second);
              },
              std::pair(cursor1, cursor2));
          return One(step);
      }())
{
}

McrAxisSetAxisCursorVisible::McrAxisSetAxisCursorVisible(AppContext, std::shared_ptr<ovgGraph::Axis> axis, bool visible)
    : McrGraphCmds(u"McrAxisSetAxisCursorVisible", One(std::make_shared<ovgGraph::AxisCmdSetAxisCursorVisible>(std::move(axis), visible)))
{
}

McrAxisSetScaleLineVisible::McrAxisSetScaleLineVisible(AppContext, std::shared_ptr<ovgGraph::Axis> axis, bool visible)
    : McrGraphCmds(u"McrAxisSetScaleLineVisible", One(std::make_shared<ovgGraph::AxisCmdSetGraphScaleLineVisible>(std::move(axis), visible)))
{
}

McrAxisSetScrollbarViewMode::McrAxisSetScrollbarViewMode(AppContext, std::shared_ptr<ovgGraph::Axis> axis, int32_t mode)
    : McrGraphCmds(u"McrAxisSetScrollbarViewMode", One(std::make_shared<ovgGraph::ScrollBarCmdSetViewMode>(std::move(axis), mode)))
{
}

McrAxisSetTitleVisible::McrAxisSetTitleVisible(AppContext, std::shared_ptr<ovgGraph::Axis> axis, bool visible)
    : McrGraphCmds(u"McrAxisSetTitleVisible", One(std::make_shared<ovgGraph::AxisCmdSetTitleVisible>(std::move(axis), visible)))
{
}

McrLegendMove::McrLegendMove(AppContext context, ovgGraph::Point origin, int32_t position, ovgGraph::Rect rect)
    : McrGraphCmds(u"McrLegendMove", One(std::make_shared<ovgGraph::GraphLegendCmdMove>(Part(context, context.graph.GetLegend()),
                                                                                         origin, position, rect)))
{
}

McrLegendChangeProperty::McrLegendChangeProperty(AppContext, std::shared_ptr<orvel::Cmd> change)
    : McrGraphCmds(u"McrLegendChangeProperty", One(std::move(change)))
{
}

McrGraphTitleMove::McrGraphTitleMove(AppContext context, ovgGraph::Point origin, int32_t position, ovgGraph::Rect rect)
    : McrGraphCmds(u"McrGraphTitleMove", One(std::make_shared<ovgGraph::GraphTitleCmdMove>(Part(context, context.graph.GetTitle()),
                                                                                           origin, position, rect)))
{
}

McrViewPopupValue::McrViewPopupValue(AppContext context, bool show)
    : McrGraphCmds(u"McrViewPopupValue", One(std::make_shared<CmdAppSetValue<bool>>(
                                             StepName("McrViewPopupValue", "show"),
                                             [graph = &context.graph] { return graph->IsValuePopupEnabled(); },
                                             [graph = &context.graph](const bool& on) { graph->SetValuePopupEnabled(on); }, show)))
{
}

McrGraphTitleVisible::McrGraphTitleVisible(AppContext context, bool visible)
    : McrGraphCmds(u"McrGraphTitleVisible", One(std::make_shared<ovgGraph::GlyphCmdSetVisible>(
                                                Part(context, context.graph.GetTitle()), visible, ovgGraph::kChanged | ovgGraph::kRelayout)))
{
}

#define OVG_SHAPE_MCR(Name, Step)                                                                                        \
    Name::Name(AppContext context, std::shared_ptr<ovgGraph::ShapeBase> shape)                                            \
        : McrGraphCmds(u## #Name, One(std::make_shared<ovgGraph::Step>(ovgGraph::Unowned(context.graph), std::move(shape)))) \
    {                                                                                                                    \
    }
OVG_SHAPE_MCR(McrShapeTop, GraphShapesCmdTop)
OVG_SHAPE_MCR(McrShapeForward, GraphShapesCmdForward)
OVG_SHAPE_MCR(McrShapeBack, GraphShapesCmdBack)
OVG_SHAPE_MCR(McrShapeBottom, GraphShapesCmdBottom)
OVG_SHAPE_MCR(McrShapeDelete, GraphShapesCmdDelete)
#undef OVG_SHAPE_MCR

McrPropertyChange::McrPropertyChange(AppContext, std::shared_ptr<orvel::Cmd> change)
    : McrGraphCmds(u"McrPropertyChange", One(std::move(change)))
{
}

McrThemeSetCurrent::McrThemeSetCurrent(AppContext context, std::shared_ptr<const ovgGraph::ThemeMemento> theme,
                                       std::function<void(const QString&)> remember)
    : McrGraphCmds(u"McrThemeSetCurrent", [&] {
          if (!theme) throw orvel::SeriousError("McrThemeSetCurrent.cpp", __LINE__, "no theme");
          ovgGraph::Graph* graph = &context.graph;
          auto look = std::make_shared<ovgGraph::GraphCmdSetState>(StepName("McrThemeSetCurrent", "Graph"), ovgGraph::Unowned(*graph),
                                                                    [theme](ovgGraph::Graph& g) { theme->Apply(g); });
          // The current theme is what new axes take; it changes even when the look already matched.
          auto current = std::make_shared<CmdAppSetValue<std::shared_ptr<const ovgGraph::ThemeMemento>>>(
              StepName("McrThemeSetCurrent", "Current"), [graph] { return graph->GetTheme(); },
              [graph, remember](const std::shared_ptr<const ovgGraph::ThemeMemento>& t) {
                  graph->SetTheme(t);
                  if (remember) remember(t ? t->GetName() : QString());
              },
              theme);
          return Steps{look, current};
      }())
{
}

}  // namespace ovgApp
