#include "Cmd/CmdAppDeleteCh.h"

#include <algorithm>

#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "Common/Library/SeriousError.h"
#include "graph/Graph.h"
#include "graph/GraphChannels.h"
#include "graph/GraphLegend.h"

namespace ovgApp {

CmdAppDeleteCh::CmdAppDeleteCh(AppContext context, std::vector<std::shared_ptr<AppCh>> channels)
    : Cmd(u"CmdAppDeleteCh"), m_context(context), m_channels(std::move(channels))
{
    for (const auto& channel : m_channels)
        if (!channel) ORVEL_SERIOUS_ERROR("no channel");
}

void CmdAppDeleteCh::Prepare()
{
    const auto& graphChannels = m_context.graph.GetChannels().List();
    const auto& legendItems = m_context.graph.GetLegend().GetItems();
    for (const auto& channel : m_channels) {
        const int index = m_context.document.IndexOf(channel.get());
        const bool listedTwice =
            std::any_of(m_documentPlaces.begin(), m_documentPlaces.end(),
                        [&channel](const Place& place) { return place.channel == channel; });
        if (index < 0 || listedTwice) continue;
        m_documentPlaces.push_back({channel, size_t(index)});
        const auto inGraph = std::find(graphChannels.begin(), graphChannels.end(), channel);
        if (inGraph == graphChannels.end()) continue;
        QString label = channel->GetDisplayName();
        for (const auto& item : legendItems)
            if (item->GetChannel() == channel) label = item->GetLabel().GetText();
        m_graphPlaces.push_back({channel, size_t(inGraph - graphChannels.begin()), channel->GetTimeAxis(),
                                 channel->GetValueAxis(), label});
    }
    std::sort(m_documentPlaces.begin(), m_documentPlaces.end(),
              [](const Place& a, const Place& b) { return a.index < b.index; });
    std::sort(m_graphPlaces.begin(), m_graphPlaces.end(),
              [](const GraphPlace& a, const GraphPlace& b) { return a.index < b.index; });
    if (m_documentPlaces.empty()) SetEnabled(false);
}

void CmdAppDeleteCh::DoExecute()
{
    for (const Place& place : m_documentPlaces) {
        m_context.document.RemoveChannel(place.channel.get());
        m_context.graph.RemoveChannel(place.channel.get());
    }
}

void CmdAppDeleteCh::DoUndo()
{
    for (const Place& place : m_documentPlaces) m_context.document.InsertChannel(place.index, place.channel);
    for (const GraphPlace& place : m_graphPlaces)
        m_context.graph.InsertChannel(place.index, place.channel, place.timeAxis, place.valueAxis,
                                      place.label);
}

}  // namespace ovgApp
