#include <QImage>
#include <cstdio>
#include <cstdlib>

#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "CliSupport.h"
#include "DocumentLoading.h"
#include "graph/Graph.h"

namespace orvel::cli {

int RunRender(const Args& args)
{
    int width = 1280, height = 720;
    std::string output;
    std::vector<std::string> paths;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--size" && i + 1 < args.size()) {
            if (std::sscanf(args[++i].c_str(), "%dx%d", &width, &height) != 2 || width < 50 || height < 50 ||
                width > 16384 || height > 16384) {
                std::fprintf(stderr, "orvelgraph-cli render: --size takes WIDTHxHEIGHT, 50 to 16384 pixels\n");
                return 2;
            }
        } else if (arg == "-o" && i + 1 < args.size()) {
            output = args[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "orvelgraph-cli render: unknown or incomplete option %s\n", arg.c_str());
            return 2;
        } else {
            paths.push_back(arg);
        }
    }
    if (output.empty() || paths.empty()) {
        std::fprintf(stderr, "orvelgraph-cli render: give -o OUT.png and at least one file (see --help)\n");
        return 2;
    }

    GraphSession session(paths);
    const QImage image = session.Graph().RenderOnce(width, height);
    if (!image.save(QString::fromStdString(output), "PNG")) {
        std::fprintf(stderr, "orvelgraph-cli render: cannot write %s\n", output.c_str());
        return 1;
    }
    return session.AllLoaded() ? 0 : 1;
}

}  // namespace orvel::cli
