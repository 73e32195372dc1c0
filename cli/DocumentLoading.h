#pragma once

#include <memory>
#include <string>
#include <vector>

#include "App/AppDocument.h"

class QGuiApplication;

namespace ovgGraph {
class Graph;
}

namespace orvel::cli {

class ProgressLine;

// Loads every file into the document as application channels through FileLoader::Load, the
// window's loader, so graph documents load too (a first graph document into a fresh document
// also restores its memo; no temperature question is asked). A file that fails is reported on
// stderr with its message, and the load's progress on the progress line, if given. Returns
// whether every file loaded.
bool LoadIntoDocument(const std::vector<std::string>& paths, bool webStorage, ovgApp::AppDocument& document,
                      ProgressLine* progress = nullptr);

// Loads the files into the document and onto the graph as the window does, as one load
// command: one value axis per unit, files taken while their value axes fit (a file past the
// limit is reported with code 57), and a first graph document into the fresh document restores
// its graph state and memo. Failures are reported on stderr. Returns whether every file loaded.
bool LoadIntoGraph(const std::vector<std::string>& paths, ovgApp::AppDocument& document, ovgGraph::Graph& graph,
                   ProgressLine* progress = nullptr);

// What the drawing commands work on: a GUI application without a display (fonts lay out the
// graph's texts; the offscreen platform unless one is chosen), and a document with its graph
// loaded from the files by LoadIntoGraph.
class GraphSession {
public:
    explicit GraphSession(const std::vector<std::string>& paths, ProgressLine* progress = nullptr);
    ~GraphSession();
    ovgApp::AppDocument& Document() { return *m_document; }
    ovgGraph::Graph& Graph() { return *m_graph; }
    bool AllLoaded() const { return m_allLoaded; }

private:
    int m_argc = 1;
    char m_name[16] = "orvelgraph-cli";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QGuiApplication> m_app;
    std::unique_ptr<ovgApp::AppDocument> m_document;
    std::unique_ptr<ovgGraph::Graph> m_graph;
    bool m_allLoaded = false;
};

}  // namespace orvel::cli
