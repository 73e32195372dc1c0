#include "App/GraphDocumentSave.h"

#include "App/AppCh.h"
#include "App/FileKmb.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/state/GraphState.h"

namespace ovgApp {

OvGraphFileLib::Result SaveGraphDocument(const AppDocument& document, ovgGraph::Graph* graph, const std::filesystem::path& path,
                                         bool compressed)
{
    constexpr const char* kWhere = "SaveGraphDocument";
    // The records first (5500), then the graph (5501 to 5505), so the first failure in that order
    // is the one reported.
    const bool withAxes = graph && graph->IsInitialized();
    const auto idsOf = [&](const AppCh& channel) {
        if (!withAxes) return FileKmb::AxisIds{};
        const ovgGraph::GraphAxes& axes = graph->GetAxes();
        return FileKmb::AxisIds{uint8_t(axes.IndexOf(channel.GetTimeAxis().get())), uint8_t(axes.IndexOf(channel.GetValueAxis().get()))};
    };
    FileKmb file;
    auto placeholder = std::make_shared<OvGraphFileLib::XmlElement>("GlyGraph");
    if (OvGraphFileLib::Result built = file.FromDocument(document, placeholder, idsOf, compressed); !built.Ok()) return built;
    if (!graph) return {OvGraphFileLib::kBadBlock, 5501, kWhere};
    if (!withAxes) return {OvGraphFileLib::kBadBlock, 5502, kWhere};
    if (OvGraphFileLib::Result axes = FileKmb::CheckValueAxisCount(graph->GetAxes()); !axes.Ok()) return axes;
    const auto memento = ovgGraph::CreateMemento(*graph);
    if (!memento) return {OvGraphFileLib::kBadBlock, 5503, kWhere};
    auto tree = ovgGraph::WriteGraphState(*memento);
    if (!tree || tree->Children().empty()) return {OvGraphFileLib::kBadBlock, 5504, kWhere};
    file.SetGraphState(std::move(tree));
    return file.Save(path);
}

}  // namespace ovgApp
