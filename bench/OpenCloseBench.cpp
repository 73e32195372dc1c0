// Opening three recordings and closing them again, as the window does, a thousand times in one
// process: the resident size must not grow by 1 MiB or more (a Release build, where freed memory
// goes back to the allocator; the unit test counts heap bytes under the sanitizers instead).
#include <benchmark/benchmark.h>

#include <QStringList>
#include <fstream>
#include <string>

#include "App/AppDocument.h"
#include "App/CmdHistory.h"
#include "App/FileLoader.h"
#include "Cmd/AppContext.h"
#include "Cmd/McrLoadFiles.h"
#include "graph/Graph.h"

namespace {

int64_t ResidentBytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stoll(line.substr(6)) * 1024;
    return 0;
}

void OpenAndClose()
{
    static const QStringList paths = {QStringLiteral(ORVEL_SAMPLES_DIR "/warehouse-week.kmv"),
                                      QStringLiteral(ORVEL_SAMPLES_DIR "/lab-two-days.kmq"),
                                      QStringLiteral(ORVEL_SAMPLES_DIR "/pump-station.ke8")};
    ovgApp::AppDocument document;
    ovgGraph::Graph graph;
    graph.Initialize(nullptr);
    ovgApp::CmdHistory history;
    ovgApp::AppContext context{document, graph, history};
    ovgApp::FileLoader::Prm prm;
    prm.paths = paths;
    prm.document = &document;
    ovgApp::FileLoader::Load(prm);
    history.Add(true, ovgApp::McrLoadFiles::FromLoad(context, prm, nullptr));
    benchmark::DoNotOptimize(graph.RenderOnce(320, 240));
}

void BM_OpenAndClose1000(benchmark::State& state)
{
    for (int i = 0; i < 20; ++i) OpenAndClose();  // caches that live for the process fill up
    const int64_t before = ResidentBytes();
    for (auto _ : state)
        for (int i = 0; i < 1000; ++i) OpenAndClose();
    state.counters["rss_growth_KiB"] = double(ResidentBytes() - before) / 1024;
    state.SetLabel("target: rss_growth < 1024 KiB");
}
BENCHMARK(BM_OpenAndClose1000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
