#include "App/GraphDocumentSave.h"

#include "App/FileKmb.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/state/GraphState.h"

namespace ovgApp {

OvGraphFileLib::Result SaveGraphDocument(const AppDocument& document, ovgGraph::Graph* graph, const std::filesystem::path& path,
                                         bool compressed)
{
    constexpr const char* kWhere = "SaveGraphDocument";
    if (!graph) return {OvGraphFileLib::kBadBlock, 5501, kWhere};
    if (!graph->IsInitialized()) return {OvGraphFileLib::kBadBlock, 5502, kWhere};
    if (OvGraphFileLib::Result axes = FileKmb::CheckValueAxisCount(graph->GetAxes()); !axes.Ok()) return axes;
    const auto memento = ovgGraph::CreateMemento(*graph);
    if (!memento) return {OvGraphFileLib::kBadBlock, 5503, kWhere};
    auto tree = ovgGraph::WriteGraphState(*memento);
    if (!tree || tree->Children().empty()) return {OvGraphFileLib::kBadBlock, 5504, kWhere};
    FileKmb file;
    if (OvGraphFileLib::Result built = file.FromDocument(document, std::move(tree), graph->GetAxes(), compressed); !built.Ok())
        return built;
    return file.Save(path);
}

}  // namespace ovgApp
