// The application model's bulk work: rebuilding a channel's points from its file channel, the
// memory those points take, and CSV export.
// Targets: rebuild >= 100 M samples/s; at most 12 bytes per sample for fixed-interval recordings;
// CSV export >= 200 MB/s on one core.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <filesystem>

#include "BenchChannels.h"
#include "App/AppCh.h"
#include "App/AppDateInfo.h"
#include "App/AppDocument.h"
#include "App/FileCsv.h"
#include "filelib/FileKmvChRawData.h"
#include "filelib/GCh.h"
#include "filelib/Stuff.h"

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

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
