// The application model's bulk work: rebuilding a channel's points from its file channel, the
// memory those points take besides the shared recording, CSV export, and whole frames of large
// recordings drawn through the points' group summaries.
// Targets: rebuild >= 100 M samples/s; CSV export >= 300 MB/s on one core; plot generation through
// the summaries >= 500 M samples/s per core; a whole frame at 1920 x 1080 of 8 channels x 10 M
// samples <= 33 ms and of 1 channel x 10 M samples <= 16 ms on 2 cores.
#include <benchmark/benchmark.h>

#include <QPainter>
#include <filesystem>

#include "BenchChannels.h"
#include "App/AppCh.h"
#include "App/AppDateInfo.h"
#include "App/AppDocument.h"
#include "App/FileCsv.h"
#include "filelib/FileKmvChRawData.h"
#include "filelib/GCh.h"
#include "filelib/Stuff.h"
#include "graph/Axis.h"
#include "graph/GdiDrawLineGraphGDIP.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/GraphFactory.h"
#include "graph/PlotGenerateLineGraph3.h"

namespace {

// A temperature channel as a kmv recording stores it (with the recording's time difference).
std::shared_ptr<OvGraphFileLib::GCh> KmvChannel(int32_t count, int64_t intervalMs, uint16_t phase)
{
    auto ch = TemperatureChannel<OvGraphFileLib::FileKmvChRawData>(count, intervalMs, phase);
    ch->SetTimeDiff(32400000);
    return ch;
}

void BM_RebuildPoints10M(benchmark::State& state)
{
    ovgApp::AppDocument document;
    ovgApp::AppCh channel(&document, KmvChannel(10'000'000, 1000, 0));
    for (auto _ : state) {
        channel.Rebuild();
        benchmark::DoNotOptimize(channel.GetAverage());
    }
    state.SetItemsProcessed(state.iterations() * 10'000'000);
    state.counters["bytes_per_sample"] = double(channel.GetPoints().Footprint()) / 10'000'000.0;
}
BENCHMARK(BM_RebuildPoints10M)->Unit(benchmark::kMillisecond);

void BM_ExportCsv4x1M(benchmark::State& state)
{
    ovgApp::AppDocument document;
    const int64_t intervals[] = {1000, 2000, 5000, 10000};
    for (uint16_t c = 0; c < 4; ++c)
        document.AddChannel(std::make_shared<ovgApp::AppCh>(&document, KmvChannel(1'000'000, intervals[c], c)));
    ovgApp::AppDateInfo dateInfo;
    size_t bytes = 0;
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "orvel-bench-export.csv";
    for (auto _ : state) {
        ovgApp::FileCsv csv(document.GetChannels(), dateInfo);
        csv.Save(path);  // to a file, as the export does
        bytes = size_t(std::filesystem::file_size(path));
    }
    std::filesystem::remove(path);
    state.SetBytesProcessed(int64_t(state.iterations() * bytes));
}
BENCHMARK(BM_ExportCsv4x1M)->Unit(benchmark::kMillisecond);

void BM_PlotGenerateThroughSummaries10M(benchmark::State& state)
{
    constexpr int32_t kSamples = 10'000'000;
    ovgApp::AppDocument document;
    ovgApp::AppCh channel(&document, KmvChannel(kSamples, 1000, 0));
    auto time = std::make_shared<ovgGraph::Axis>(nullptr, ovgGraph::Axis::kBelow);
    auto value = std::make_shared<ovgGraph::Axis>(nullptr, ovgGraph::Axis::kLeft);
    time->SetLength(1920);
    time->SetRange(channel.GetFirstTime(), channel.GetLastTime());
    value->SetLength(1000);
    value->SetRange(0, 40);
    channel.SetAxes(time, value);
    for (auto _ : state) {
        channel.Replot(time->GetMapping(), value->GetMapping());
        benchmark::DoNotOptimize(channel.GetSegments().data());
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
    state.SetLabel("target >= 500 M items/s per core");
}
BENCHMARK(BM_PlotGenerateThroughSummaries10M)->Unit(benchmark::kMillisecond);

// A scroll by one sample: lay out, re-plot every channel and repaint all three layers. Without
// `scroll`, a colour change: every layer repainted from the vertices the channels have.
void WholeFrame(benchmark::State& state, int channels, const char* target, bool scroll = true)
{
    constexpr int32_t kSamples = 10'000'000;
    ovgApp::AppDocument document;
    ovgGraph::Graph graph;
    graph.Initialize(nullptr);
    ovgGraph::GraphFactory factory;
    auto time = factory.CreateTimeAxis(&graph);
    graph.GetAxes().Insert(time);
    std::vector<std::shared_ptr<ovgGraph::Axis>> values;
    for (int i = 0; i < 2; ++i) {
        values.push_back(i == 0 ? factory.CreateLeftAxis(&graph) : factory.CreateRightAxis(&graph));
        graph.GetAxes().Insert(values.back());
        values.back()->SetRange(10, 30);
    }
    std::vector<std::shared_ptr<ovgApp::AppCh>> keep;
    for (int c = 0; c < channels; ++c) {
        keep.push_back(std::make_shared<ovgApp::AppCh>(&document, KmvChannel(kSamples, 1000, uint16_t(c * 20))));
        graph.AddChannel(keep.back(), time, values[size_t(c % 2)], QStringLiteral("Channel %1").arg(c + 1));
    }
    const double first = keep[0]->GetFirstTime(), last = keep[0]->GetLastTime();
    time->SetRange(first, last);
    // The window paints the graph into its own surface every frame, as here.
    QImage window = graph.Render(1920, 1080);
    int frame = 0;
    for (auto _ : state) {
        if (scroll)
            time->SetDisplayRange(first + (++frame % 2), last - 10);
        else
            keep[0]->GetDrawer().SetColor(++frame % 2 ? 0x00FF00 : 0x0000FF);
        QPainter painter(&window);
        graph.Draw(painter);
        benchmark::DoNotOptimize(window.bits());
    }
    state.SetLabel(target);
}
void BM_WholeFrame8x10M(benchmark::State& state) { WholeFrame(state, 8, "target <= 33 ms"); }
void BM_WholeFrame1x10M(benchmark::State& state) { WholeFrame(state, 1, "target <= 16 ms"); }
void BM_RepaintWithoutReplot8x10M(benchmark::State& state) { WholeFrame(state, 8, "the drawing share of a frame", false); }
BENCHMARK(BM_WholeFrame8x10M)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_WholeFrame1x10M)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_RepaintWithoutReplot8x10M)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace
