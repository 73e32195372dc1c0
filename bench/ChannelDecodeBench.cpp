// Opening recordings and decoding a large kmv channel: loading a kmq and a kmv file (what `info`
// and the window do first), walking a channel through the data iterator (what CSV, the tools and
// macros do) and decoding in bulk into doubles (what the document and the graph use).
// Targets on one core, printed in each benchmark's label: kmq load >= 200 MB/s of file, kmv load
// >= 1 GB/s of file, iterator >= 400 M samples/s, bulk decode >= 400 M samples/s.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "filelib/FileKind.h"
#include "filelib/FileKmvChRawData.h"
#include "filelib/GCh.h"
#include "filelib/Stuff.h"
#include "fixtures/KmqBuilder.h"
#include "fixtures/KmvBuilder.h"

namespace {

constexpr int32_t kSamples = 10'000'000;

// The raw code of sample i: a slow wave with a no-data run now and then.
uint16_t WaveCode(int32_t i, int32_t phase)
{
    return (i % 100'000) < 30 ? 0xEEEE : uint16_t(1000 + 200 + (i / 600 + phase) % 150);
}

// A temperature channel of kSamples 1-second samples.
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
    for (int32_t i = 0; i < kSamples; ++i) OvGraphFileLib::Stuff::StoreU16(&data[size_t(i) * 2], WaveCode(i, 0));
    return block;
}

// A file in the temporary folder, removed when the benchmark is done with it.
class TemporaryFile {
public:
    TemporaryFile(const std::string& name, const std::string& bytes)
        : m_path(std::filesystem::temp_directory_path() / name)
    {
        std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), std::streamsize(bytes.size()));
    }
    ~TemporaryFile()
    {
        std::error_code error;
        std::filesystem::remove(m_path, error);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::filesystem::path& Path() const { return m_path; }
    int64_t Size() const { return int64_t(std::filesystem::file_size(m_path)); }

private:
    std::filesystem::path m_path;
};

std::string UniqueName(const char* stem, const char* extension)
{
    return std::string(stem) + "-" + std::to_string(::getpid()) + "." + extension;
}

// Opens the file as `info` does: the channel list and each channel's count and times.
void LoadFileBenchmark(benchmark::State& state, const TemporaryFile& file, size_t expectedChannels)
{
    for (auto _ : state) {
        const OvGraphFileLib::LoadedChannels loaded = OvGraphFileLib::LoadChannels(file.Path());
        if (!loaded.result.Ok() || loaded.channels.size() != expectedChannels) {
            state.SkipWithError("the recording did not load");
            return;
        }
        int64_t seen = 0;
        for (const auto& ch : loaded.channels) seen += ch->GetDataCount() + ch->GetLastTime();
        benchmark::DoNotOptimize(seen);
    }
    state.SetBytesProcessed(state.iterations() * file.Size());
}

// 4 channels x 1 M 16-bit samples at 1 s, as one kmq document (about 10.7 MB).
void BM_LoadKmq4x1M(benchmark::State& state)
{
    constexpr int32_t kChannelSamples = 1'000'000;
    orvel::fixtures::KmqSpec spec;
    for (int32_t c = 0; c < 4; ++c) {
        std::vector<uint16_t> codes(kChannelSamples);
        for (int32_t i = 0; i < kChannelSamples; ++i) codes[size_t(i)] = WaveCode(i, c * 37);
        spec.channels.push_back({{{"num", std::to_string(c + 1)},
                                  {"serial", "0x5A000001"},
                                  {"name", "Ch." + std::to_string(c + 1)},
                                  {"type", "13"},
                                  {"unix_time", "1780000000"},
                                  {"interval", "1"},
                                  {"count", std::to_string(kChannelSamples)}},
                                 orvel::fixtures::Codes16(codes)});
    }
    const TemporaryFile file(UniqueName("bench-load", "kmq"), orvel::fixtures::BuildKmq(spec));
    state.SetLabel("target >= 200 MB/s of file");
    LoadFileBenchmark(state, file, 4);
}
BENCHMARK(BM_LoadKmq4x1M)->Unit(benchmark::kMillisecond);

// The largest kmv there is: 64 channels of 99,999 16-bit samples (the record count has five
// digits), 6.4 M samples and about 12.8 MB.
void BM_LoadKmv64x100k(benchmark::State& state)
{
    constexpr int32_t kChannels = 64, kChannelSamples = 99'999;
    std::vector<orvel::fixtures::KmvChannelSpec> channels(kChannels);
    for (int32_t c = 0; c < kChannels; ++c) {
        orvel::fixtures::KmvChannelSpec& channel = channels[size_t(c)];
        channel.name = "Ch." + std::to_string(c + 1);
        channel.firstSeconds = 1'780'000'000;
        channel.intervalDigits = std::string("1");
        channel.codes.resize(kChannelSamples);
        for (int32_t i = 0; i < kChannelSamples; ++i) channel.codes[size_t(i)] = WaveCode(i, c * 37);
    }
    const TemporaryFile file(UniqueName("bench-load", "kmv"), orvel::fixtures::BuildKmv(channels, 0xFFFFFFFFu, 0xFFFFFFFFu));
    state.SetLabel("target >= 1 GB/s of file");
    LoadFileBenchmark(state, file, kChannels);
}
BENCHMARK(BM_LoadKmv64x100k)->Unit(benchmark::kMillisecond);

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
    state.SetLabel("target >= 400 M samples/s");
}
BENCHMARK(BM_IterateKmvChannel)->Unit(benchmark::kMillisecond);

// The same walk in batches. A per-sample loop with any call in it (here the iterator's next
// chunk) keeps a floating-point accumulator in memory, which costs more than the iterator
// itself; a consumer's loop over a batch holds no call.
void BM_ReadKmvChannel(benchmark::State& state)
{
    OvGraphFileLib::GCh channel;
    channel.AddRawData(MakeBlock());
    std::vector<OvGraphFileLib::ChSample> batch(1024);
    for (auto _ : state) {
        double sum = 0;
        int64_t lastTime = 0;
        OvGraphFileLib::GChDataIterator it = channel.begin();
        while (const size_t n = it.Read(batch.data(), batch.size())) {
            // A sum per batch: no call crosses its life, so it stays in a register.
            double part = 0;
            for (size_t i = 0; i < n; ++i) part += OvGraphFileLib::IsNoData(batch[i].value) ? 0 : batch[i].value;
            sum += part;
            lastTime = batch[n - 1].time;
        }
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(lastTime);
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
    state.SetLabel("target >= 400 M samples/s");
}
BENCHMARK(BM_ReadKmvChannel)->Unit(benchmark::kMillisecond);

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
    state.SetLabel("target >= 400 M samples/s");
}
BENCHMARK(BM_BulkDecodeKmvBlock)->Unit(benchmark::kMillisecond);

}  // namespace
