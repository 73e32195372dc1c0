#include "ui/WindowCommands.h"

#include "App/AppCh.h"
#include "Cmd/CmdAppChangeMemoStr.h"
#include "Cmd/CmdAppSetVisibleDataTable.h"
#include "Cmd/McrChDelete.h"
#include "Cmd/McrViewTemperatureUnit.h"
#include "Common/Library/CmdLambda.h"
#include "graph/Glyph.h"
#include "graph/Graph.h"

namespace ovgApp {

std::shared_ptr<orvel::Cmd> MakeDeleteChannelsCmd(AppContext& context, const std::vector<std::shared_ptr<AppCh>>& channels)
{
    return std::make_shared<McrChDelete>(context, channels);
}

std::shared_ptr<orvel::Cmd> MakeTemperatureUnitCmd(AppContext& context, int32_t type)
{
    return std::make_shared<McrViewTemperatureUnit>(context, type);
}

std::shared_ptr<orvel::Cmd> MakeChangeMemoCmd(AppContext& context, const QString& text)
{
    return std::make_shared<CmdAppChangeMemoStr>(context, text);
}

std::shared_ptr<orvel::Cmd> MakeSetVisibleDataTableCmd(AppContext&, std::shared_ptr<AppCh> channel, bool visible)
{
    return std::make_shared<CmdAppSetVisibleDataTable>(std::move(channel), visible);
}

// Showing or hiding a channel in the graph (bit 0 of its state); the graph lays out again.
std::shared_ptr<orvel::Cmd> MakeSetVisibleGraphCmd(AppContext& context, std::shared_ptr<AppCh> channel, bool visible)
{
    ovgGraph::Graph* graph = &context.graph;
    const auto apply = [graph, channel](bool on) {
        if (on)
            channel->SetStateBits(ovgGraph::kVisible);
        else
            channel->ClearStateBits(ovgGraph::kVisible);
        channel->Notify(ovgGraph::kChanged | ovgGraph::kRelayout);
        graph->Notify(ovgGraph::kRelayout);
    };
    return std::make_shared<orvel::CmdLambda>(u"GChCmdSetVisible", [apply, visible] { apply(visible); },
                                              [apply, visible] { apply(!visible); });
}

}  // namespace ovgApp
