#include "graph/commands/GraphCmdSetState.h"

#include "Common/Library/SeriousError.h"
#include "filelib/XmlElement.h"
#include "graph/Graph.h"

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

void GraphCmdSetState::Prepare()
{
    if (!m_before) m_before = CreateMemento(*m_graph);
}

void GraphCmdSetState::DoExecute()
{
    if (m_after) {
        SetMemento(*m_graph, *m_after);
        return;
    }
    m_change(*m_graph);
    m_after = CreateMemento(*m_graph);
    const auto before = WriteXmlDocument(*WriteGraphState(*m_before));
    if (before == WriteXmlDocument(*WriteGraphState(*m_after))) SetEnabled(false);
}

void GraphCmdSetState::DoUndo() { SetMemento(*m_graph, *m_before); }

}  // namespace ovgGraph
