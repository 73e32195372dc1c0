#pragma once

#include <filesystem>

#include "filelib/Result.h"

namespace ovgGraph {
class Graph;
}

namespace ovgApp {

class AppDocument;

// Saves the document and the graph that shows it as a graph document file: every channel with
// its display settings and data, the memo and the graph's whole state. Fails, writing nothing,
// without a graph (code 56 at 5501) or an initialised one (56 at 5502), with ten or more value
// axes (57 at 5505), or when the graph gives no state (56 at 5503 and 5504); otherwise the file's
// own result. A failed save leaves the previous file as it was.
OvGraphFileLib::Result SaveGraphDocument(const AppDocument& document, ovgGraph::Graph* graph, const std::filesystem::path& path,
                                         bool compressed = true);

}  // namespace ovgApp
