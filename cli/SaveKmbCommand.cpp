#include <QGuiApplication>
#include <cstdio>

#include "App/AppDocument.h"
#include "App/GraphDocumentSave.h"
#include "CliSupport.h"
#include "DocumentLoading.h"
#include "graph/Graph.h"

namespace orvel::cli {

int RunSaveKmb(const Args& args)
{
    std::string output;
    bool compressed = true;
    std::vector<std::string> paths;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-o" && i + 1 < args.size()) {
            output = args[++i];
        } else if (arg == "--uncompressed") {
            compressed = false;
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "orvelgraph-cli save-kmb: unknown or incomplete option %s\n", arg.c_str());
            return 2;
        } else {
            paths.push_back(arg);
        }
    }
    if (output.empty() || paths.empty()) {
        std::fprintf(stderr, "orvelgraph-cli save-kmb: give -o OUT.kmb and at least one file (see --help)\n");
        return 2;
    }

    // The graph lays out its texts with fonts, which need a GUI application but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "orvelgraph-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    ovgApp::AppDocument document;
    ovgGraph::Graph graph;
    graph.Initialize(nullptr);
    const bool allLoaded = LoadIntoGraph(paths, document, graph);
    const OvGraphFileLib::Result saved = ovgApp::SaveGraphDocument(document, &graph, output, compressed);
    if (!saved.Ok()) {
        std::fprintf(stderr, "%s: %s\n", output.c_str(), DescribeFailure(saved).c_str());
        return 1;
    }
    return allLoaded ? 0 : 1;
}

}  // namespace orvel::cli
