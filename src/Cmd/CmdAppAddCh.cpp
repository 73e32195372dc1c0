#include "Cmd/CmdAppAddCh.h"

#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "App/AppGraphArrangement.h"
#include "Common/Library/SeriousError.h"
#include "graph/Graph.h"

namespace ovgApp {

CmdAppAddCh::CmdAppAddCh(AppContext context, std::vector<std::shared_ptr<AppCh>> channels)
    : Cmd(u"CmdAppAddCh"), m_context(context), m_channels(std::move(channels))
{
    for (const auto& channel : m_channels)
        if (!channel) ORVEL_SERIOUS_ERROR("no channel");
}

void CmdAppAddCh::Prepare()
{
    m_freshBefore = m_context.document.IsFresh();
    m_axesBefore = GraphAxesState::Capture(m_context.graph.GetAxes());
    if (m_channels.empty()) SetEnabled(false);
}

void CmdAppAddCh::DoExecute()
{
    ovgGraph::Graph& graph = m_context.graph;
    if (m_axesAfter) {
        m_axesAfter->Restore(graph.GetAxes());
    } else {
        std::vector<std::shared_ptr<AppCh>> unbound;
        for (const auto& channel : m_channels)
            if (NeedsArrangement(*channel)) unbound.push_back(channel);
        if (!unbound.empty()) {
            m_result = ArrangeNewChannels(graph, unbound);
            if (!m_result.Ok()) return;
            // The arrangement bound them and fitted the axes; they go back in below, in the given
            // order among the bound ones.
            for (const auto& channel : unbound) graph.RemoveChannel(channel.get());
        }
        m_axesAfter = GraphAxesState::Capture(graph.GetAxes());
    }
    AddToDocumentAndGraph();
}

void CmdAppAddCh::AddToDocumentAndGraph()
{
    for (const auto& channel : m_channels) {
        m_context.document.AddChannel(channel);
        m_context.graph.AddChannel(channel, channel->GetTimeAxis(), channel->GetValueAxis(),
                                   channel->GetDisplayName());
    }
    m_context.document.SetFresh(false);
}

void CmdAppAddCh::Finish()
{
    if (!m_result.Ok()) SetEnabled(false);
}

void CmdAppAddCh::DoUndo()
{
    if (!m_result.Ok()) return;  // nothing was added
    for (const auto& channel : m_channels) {
        m_context.document.RemoveChannel(channel.get());
        m_context.graph.RemoveChannel(channel.get());
    }
    m_axesBefore->Restore(m_context.graph.GetAxes());
    m_context.document.SetFresh(m_freshBefore);
}

}  // namespace ovgApp
