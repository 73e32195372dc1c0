#include <cstdio>

#include "App/AppDocument.h"
#include "App/GraphDocumentSave.h"
#include "CliSupport.h"
#include "Options.h"
#include "DocumentLoading.h"
#include "graph/Graph.h"

namespace orvel::cli {

int RunSaveKmb(const Args& args)
{
    std::string output;
    bool uncompressed = false;
    const auto paths = ParseOptions("save-kmb", args, {Text("-o", "OUT.kmb", output), Flag("--uncompressed", uncompressed)});
    if (!paths) return 2;
    if (output.empty() || paths->empty()) return UsageError("save-kmb", "give -o OUT.kmb and at least one file");
    const bool compressed = !uncompressed;

    GraphSession session(*paths);
    const OvGraphFileLib::Result saved = ovgApp::SaveGraphDocument(session.Document(), &session.Graph(), output, compressed);
    if (!saved.Ok()) {
        std::fprintf(stderr, "%s: %s\n", output.c_str(), DescribeFailure(saved).c_str());
        return 1;
    }
    return session.AllLoaded() ? 0 : 1;
}

}  // namespace orvel::cli
