#include "Cmd/McrInitApp.h"

#include <vector>

#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "App/CmdHistory.h"
#include "Common/Library/SeriousError.h"
#include "graph/Axis.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/state/GraphState.h"
#include "graph/state/Theme.h"

namespace ovgApp {

McrInitApp::McrInitApp(AppContext context) : Mcr(u"McrInitApp"), m_context(context) {}

void McrInitApp::DoExecute()
{
    AppDocument& document = m_context.document;
    const std::vector<std::shared_ptr<AppCh>> channels = document.GetChannels();
    for (const auto& channel : channels) {
        m_context.graph.RemoveChannel(channel.get());
        document.RemoveChannel(channel.get());
    }
    ovgGraph::GraphAxes& axes = m_context.graph.GetAxes();
    for (const auto& axis : axes.All()) axes.Remove(axis.get());
    // The graph's look starts again from the engine's own, in the current theme.
    if (m_context.graph.IsInitialized()) {
        ovgGraph::Graph fresh;
        fresh.Initialize(nullptr);
        ovgGraph::SetMemento(m_context.graph, *ovgGraph::CreateMemento(fresh));
        if (const auto& theme = m_context.graph.GetTheme()) theme->Apply(m_context.graph);
    }
    document.SetMemo(QString());
    document.SetFresh(true);
    m_context.history.Clear();
    Refresh();
}

void McrInitApp::DoUndo()
{
    ORVEL_SERIOUS_ERROR("McrInitApp cannot be undone");
}

}  // namespace ovgApp
