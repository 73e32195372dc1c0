// The analysis tools over a large recording: thinning with each method and the mean kinetic
// temperature. Targets on this machine: thinning >= 200 M samples/s, MKT >= 100 M samples/s.
#include <benchmark/benchmark.h>

#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "App/MktCalculator.h"
#include "BenchChannels.h"
#include "filelib/FileKmvChRawData.h"
#include "filelib/ThinData.h"

namespace {

constexpr int32_t kSamples = 10'000'000;

const OvGraphFileLib::GCh& Recording()
{
    static const auto channel = TemperatureChannel<OvGraphFileLib::FileKmvChRawData>(kSamples, 1000, 0);
    return *channel;
}

// One-second samples into one-minute windows; the argument is the method.
void BM_Thin10M(benchmark::State& state)
{
    const OvGraphFileLib::ThinDataPrm prm{60'000, 0, int32_t(state.range(0)), 0};
    for (auto _ : state) {
        const auto thinned = OvGraphFileLib::ThinData(Recording(), prm);
        benchmark::DoNotOptimize(thinned.channel->GetDataCount());
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(BM_Thin10M)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// The calculator's pass over a channel's points, as the MKT dialog runs it.
void BM_Mkt10M(benchmark::State& state)
{
    ovgApp::AppDocument document;
    const ovgApp::AppCh channel(&document, std::make_shared<OvGraphFileLib::GCh>(Recording()));
    for (auto _ : state) benchmark::DoNotOptimize(ovgApp::Mkt::OfChannel(channel, ovgApp::Mkt::kDefaultActivationEnergy));
    state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(BM_Mkt10M)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
