#pragma once

#include <string>
#include <vector>

#include "App/AppDocument.h"

namespace ovgGraph {
class Graph;
}

namespace orvel::cli {

// Loads every file into the document as application channels through FileLoader::Load, the
// window's loader, so graph documents load too (a first graph document into a fresh document
// also restores its memo; no temperature question is asked). A file that fails is reported on
// stderr with its message. Returns whether every file loaded.
bool LoadIntoDocument(const std::vector<std::string>& paths, bool webStorage, ovgApp::AppDocument& document);

// Loads the files into the document and onto the graph as the window does, as one load
// command: one value axis per unit, files taken while their value axes fit (a file past the
// limit is reported with code 57), and a first graph document into the fresh document restores
// its graph state and memo. Failures are reported on stderr. Returns whether every file loaded.
bool LoadIntoGraph(const std::vector<std::string>& paths, ovgApp::AppDocument& document, ovgGraph::Graph& graph);

}  // namespace orvel::cli
