// Plotting speed: generating a channel's polyline, and whole frames of a loaded graph.
// Targets: plot generation >= 100 M samples/s on one core (10 M samples in view at 1920 pixels);
// a whole frame of 8 channels x 1 M samples at 1920 x 1080 under 50 ms on 2 cores.
#include <benchmark/benchmark.h>

#include <cmath>

#include "fixtures/SeriesChannel.h"
#include "graph/Axis.h"
#include "graph/GdiDrawLineGraphGDIP.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/GraphFactory.h"
#include "graph/PlotGenerateLineGraph3.h"

using orvel::fixtures::SeriesChannel;
using namespace ovgGraph;

namespace {

std::vector<SeriesChannel::Sample> Wave(size_t count, double phase)
{
    std::vector<SeriesChannel::Sample> samples(count);
    for (size_t i = 0; i < count; ++i)
        samples[i] = {double(i), 20 + 10 * std::sin(double(i) / 50000.0 + phase) + 0.5 * std::sin(double(i) * 0.37)};
    return samples;
}

void BM_PlotGenerate10M(benchmark::State& state)
{
    constexpr size_t kSamples = 10'000'000;
    auto time = std::make_shared<Axis>(nullptr, Axis::kBelow);
    auto value = std::make_shared<Axis>(nullptr, Axis::kLeft);
    time->SetLength(1920);
    time->SetRange(0, double(kSamples));
    value->SetLength(1000);
    value->SetRange(0, 40);
    SeriesChannel channel(nullptr, Wave(kSamples, 0));
    channel.SetAxes(time, value);
    Segments segments;
    for (auto _ : state) {
        channel.GetPlotGenerator().Generate(channel, channel.GetTimeAxis()->GetMapping(), channel.GetValueAxis()->GetMapping(), segments);
        benchmark::DoNotOptimize(segments.data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(kSamples));
}
BENCHMARK(BM_PlotGenerate10M)->Unit(benchmark::kMillisecond);

void BM_WholeFrame8x1M(benchmark::State& state)
{
    Graph graph;
    graph.Initialize(nullptr);
    GraphFactory factory;
    auto time = factory.CreateTimeAxis(&graph);
    graph.GetAxes().Insert(time);
    std::vector<std::shared_ptr<Axis>> values;
    for (int i = 0; i < 2; ++i) {
        values.push_back(i == 0 ? factory.CreateLeftAxis(&graph) : factory.CreateRightAxis(&graph));
        graph.GetAxes().Insert(values.back());
        values.back()->SetRange(0, 40);
    }
    time->SetRange(1.78e9, 1.78e9 + 1e6);
    for (int c = 0; c < 8; ++c) {
        auto samples = Wave(1'000'000, c);
        for (auto& s : samples) s.time += 1.78e9;
        auto channel = std::make_shared<SeriesChannel>(&graph, std::move(samples));
        channel->GetDrawer().SetColor(uint32_t(0x203040 * (c + 1)) & 0xFFFFFF);
        graph.AddChannel(channel, time, values[size_t(c % 2)], QStringLiteral("Channel %1").arg(c + 1));
    }
    graph.Render(1920, 1080);
    int frame = 0;
    for (auto _ : state) {
        // A scroll by one second: lay out, re-plot every channel and repaint all three layers.
        time->SetDisplayRange(1.78e9 + (++frame % 2), 1.78e9 + 1e6 - 10);
        QImage image = graph.Render(1920, 1080);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_WholeFrame8x1M)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
