#pragma once

namespace ovgGraph {
class Graph;
}

namespace ovgApp {

class AppDocument;
class CmdHistory;

// What the application commands work on: the document, its graph and the undo history. The
// objects are owned by the application (or a test) and outlive the commands that refer to them.
struct AppContext {
    AppDocument& document;
    ovgGraph::Graph& graph;
    CmdHistory& history;
};

}  // namespace ovgApp
