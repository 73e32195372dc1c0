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

    GraphSession session(paths);
    const OvGraphFileLib::Result saved = ovgApp::SaveGraphDocument(session.Document(), &session.Graph(), output, compressed);
    if (!saved.Ok()) {
        std::fprintf(stderr, "%s: %s\n", output.c_str(), DescribeFailure(saved).c_str());
        return 1;
    }
    return session.AllLoaded() ? 0 : 1;
}

}  // namespace orvel::cli
