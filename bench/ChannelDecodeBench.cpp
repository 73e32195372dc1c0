// Decoding a large kmv channel: through the channel data iterator (what plotting and listing do)
// and in bulk into doubles (what the document and the graph use).
// Targets on one core: iterator >= 100 M samples/s, bulk decode >= 400 M samples/s.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "filelib/FileKmvChRawData.h"
#include "filelib/GCh.h"
#include "filelib/Stuff.h"

namespace {

constexpr int32_t kSamples = 10'000'000;

// A temperature channel of kSamples 1-second samples: a slow wave with a no-data run now and then.
std::shared_ptr<OvGraphFileLib::FileKmvChRawData> MakeBlock()
{
    auto block = std::make_shared<OvGraphFileLib::FileKmvChRawData>();
    block->SetChType(13);
    block->SetInterval(1000);
    block->SetCount(kSamples);
    block->SetFirstTime(1'780'000'000'000);
    block->SetLastTime(1'780'000'000'000 + int64_t(kSamples - 1) * 1000);
    std::vector<uint8_t>& data = block->GetData();
    data.resize(size_t(kSamples) * 2);
    for (int32_t i = 0; i < kSamples; ++i) {
        const uint16_t code = (i % 100'000) < 30 ? 0xEEEE : uint16_t(1000 + 200 + (i / 600) % 150);
        OvGraphFileLib::Stuff::StoreU16(&data[size_t(i) * 2], code);
    }
    return block;
}

void BM_IterateKmvChannel(benchmark::State& state)
{
    OvGraphFileLib::GCh channel;
    channel.AddRawData(MakeBlock());
    for (auto _ : state) {
        double sum = 0;
        int64_t lastTime = 0;
        for (const OvGraphFileLib::ChSample sample : channel) {
            sum += OvGraphFileLib::IsNoData(sample.value) ? 0 : sample.value;
            lastTime = sample.time;
        }
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(lastTime);
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(BM_IterateKmvChannel)->Unit(benchmark::kMillisecond);

void BM_BulkDecodeKmvBlock(benchmark::State& state)
{
    const auto block = MakeBlock();
    std::vector<double> values(kSamples);
    for (auto _ : state) {
        block->GetValues(0, kSamples, values.data());
        benchmark::DoNotOptimize(values.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(BM_BulkDecodeKmvBlock)->Unit(benchmark::kMillisecond);

}  // namespace
