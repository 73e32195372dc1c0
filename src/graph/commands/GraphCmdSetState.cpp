#include "graph/commands/GraphCmdSetState.h"

#include "Common/Library/SeriousError.h"
#include "filelib/XmlElement.h"
#include "graph/Axis.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/shapes/GraphShapes.h"

namespace ovgGraph {

GraphCmdSetState::GraphCmdSetState(std::u16string name, std::shared_ptr<Graph> graph, std::function<void(Graph&)> change)
    : Cmd(std::move(name)), m_graph(std::move(graph)), m_change(std::move(change))
{
    if (!m_graph || !m_change) throw orvel::SeriousError("GraphCmdSetState.cpp", __LINE__, "no target");
}

GraphCmdSetState::GraphCmdSetState(std::u16string name, std::shared_ptr<Graph> graph, std::shared_ptr<const GraphMemento> state)
    : GraphCmdSetState(std::move(name), std::move(graph), [state](Graph& g) {
          if (state) SetMemento(g, *state);
      })
{
}

namespace {
constexpr uint8_t kAxisTypes[] = {Axis::kBelow, Axis::kLeft, Axis::kRight, Axis::kAbove};
}

GraphCmdSetState::AxisLists GraphCmdSetState::CaptureAxes() const
{
    AxisLists lists;
    for (size_t i = 0; i < 4; ++i) lists[i] = m_graph->GetAxes().List(kAxisTypes[i]);
    return lists;
}

void GraphCmdSetState::RestoreAxes(const AxisLists& lists) const
{
    GraphAxes& axes = m_graph->GetAxes();
    for (const auto& axis : axes.All()) axes.Remove(axis.get());
    for (size_t i = 0; i < 4; ++i)
        for (size_t j = 0; j < lists[i].size() && j < 10; ++j) axes.Insert(lists[i][j], int32_t(10 * (i + 1) + j));
}

// The very shape objects go back in the list (commands in the history hold them); the memento
// then gives them their values in place.
void GraphCmdSetState::RestoreShapes(const ShapeList& shapes) const
{
    GraphShapes& list = m_graph->GetShapes();
    list.Clear();
    for (const auto& shape : shapes) list.Append(shape);
}

void GraphCmdSetState::Prepare()
{
    if (!m_before) m_before = CreateMemento(*m_graph);
    m_axesBefore = CaptureAxes();
    m_shapesBefore = m_graph->GetShapes().List();
}

void GraphCmdSetState::DoExecute()
{
    if (m_after) {
        RestoreAxes(m_axesAfter);
        RestoreShapes(m_shapesAfter);
        SetMemento(*m_graph, *m_after);
        return;
    }
    m_change(*m_graph);
    m_after = CreateMemento(*m_graph);
    m_axesAfter = CaptureAxes();
    m_shapesAfter = m_graph->GetShapes().List();
    const auto before = WriteXmlDocument(*WriteGraphState(*m_before));
    if (before == WriteXmlDocument(*WriteGraphState(*m_after))) SetEnabled(false);
}

void GraphCmdSetState::DoUndo()
{
    RestoreAxes(m_axesBefore);
    RestoreShapes(m_shapesBefore);
    SetMemento(*m_graph, *m_before);
}

}  // namespace ovgGraph
