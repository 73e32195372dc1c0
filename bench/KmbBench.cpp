// The graph document file against zlib alone: saving a document of 4 channels x 1 million samples
// against compress2 (level 6) of the same body bytes, loading it against inflating them.
// Targets: save within 1.3x of compress2, load within 1.5x of inflate; the load's peak heap
// within 3x the inflated body.
//
// Peak heap: this program replaces the global operator new and delete and keeps the peak of the
// bytes they hold (zlib's own state, about 300 KB when deflating and 40 KB when inflating, is
// allocated with malloc and not counted). The counters report it per iteration, above what was
// held when the iteration started.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <zlib.h>

#include <QCoreApplication>
#include <atomic>
#include <cstdlib>
#include <new>
#include <sstream>
#include <string>

#include "BenchChannels.h"
#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "App/FileKmb.h"
#include "filelib/GCh.h"
#include "filelib/GChRawData.h"
#include "filelib/Stuff.h"
#include "filelib/XmlElement.h"

namespace {

std::atomic<int64_t> g_held{0};
std::atomic<int64_t> g_peak{0};

void* Allocate(size_t size)
{
    void* p = std::malloc(size ? size : 1);
    if (!p) throw std::bad_alloc();
    const int64_t held = g_held += int64_t(malloc_usable_size(p));
    int64_t peak = g_peak;
    while (held > peak && !g_peak.compare_exchange_weak(peak, held)) {
    }
    return p;
}

void Release(void* p)
{
    if (!p) return;
    g_held -= int64_t(malloc_usable_size(p));
    std::free(p);
}

}  // namespace

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept
{
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, size_t) noexcept { Release(p); }
void operator delete[](void* p, size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }

namespace {

constexpr int32_t kSamples = 1'000'000;
constexpr int kChannels = 4;

// Peak bytes held above the level at construction.
class PeakHeap {
public:
    PeakHeap() : m_base(g_held) { g_peak = m_base; }
    double MegaBytes() const { return double(g_peak - m_base) / (1 << 20); }

private:
    int64_t m_base;
};

struct Fixture {
    ovgApp::AppDocument document;
    std::shared_ptr<OvGraphFileLib::XmlElement> graphState;
    std::string body;        // the plain body: what the gzip stream holds
    std::string compressed;  // the whole file as saved
    std::string deflated;    // compress2 of the body

    Fixture()
    {
        const int64_t intervals[kChannels] = {1000, 2000, 5000, 10000};
        for (int c = 0; c < kChannels; ++c)
            document.AddChannel(std::make_shared<ovgApp::AppCh>(&document, TemperatureChannel<OvGraphFileLib::GChRawData>(kSamples, intervals[c], uint16_t(c))));
        graphState = std::make_shared<OvGraphFileLib::XmlElement>("graph_state");
        graphState->Append("title", "bench");
        compressed = Save(true);
        body = Save(false).substr(ovgApp::FileKmbFileHeader::kSize);
        uLongf size = compressBound(uLong(body.size()));
        deflated.resize(size);
        compress2(reinterpret_cast<Bytef*>(deflated.data()), &size, reinterpret_cast<const Bytef*>(body.data()),
                  uLong(body.size()), 6);
        deflated.resize(size);
    }

    std::string Save(bool compress) const
    {
        ovgApp::FileKmb file;
        file.FromDocument(document, graphState, ovgApp::FileKmb::AxisIdsOf{}, compress);
        std::ostringstream out;
        file.Save(out);
        return out.str();
    }
};

const Fixture& GetFixture()
{
    static const Fixture* fixture = new Fixture;
    return *fixture;
}

void BM_KmbSave4x1M(benchmark::State& state)
{
    const Fixture& f = GetFixture();
    double peak = 0;
    for (auto _ : state) {
        PeakHeap heap;
        benchmark::DoNotOptimize(f.Save(true));
        peak = heap.MegaBytes();
    }
    state.SetBytesProcessed(int64_t(state.iterations() * f.body.size()));
    state.counters["peak_heap_MB"] = peak;
    state.counters["ratio"] = double(f.body.size()) / double(f.compressed.size());
}
BENCHMARK(BM_KmbSave4x1M)->Unit(benchmark::kMillisecond);

void BM_Compress2Body(benchmark::State& state)
{
    const Fixture& f = GetFixture();
    std::string out(compressBound(uLong(f.body.size())), '\0');
    for (auto _ : state) {
        uLongf size = uLongf(out.size());
        compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(f.body.data()),
                  uLong(f.body.size()), 6);
        benchmark::DoNotOptimize(size);
    }
    state.SetBytesProcessed(int64_t(state.iterations() * f.body.size()));
}
BENCHMARK(BM_Compress2Body)->Unit(benchmark::kMillisecond);

void BM_KmbLoad4x1M(benchmark::State& state)
{
    const Fixture& f = GetFixture();
    double peak = 0;
    for (auto _ : state) {
        PeakHeap heap;
        std::istringstream in(f.compressed);
        ovgApp::FileKmb file;
        if (!file.Load(in).Ok()) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(file.GetRecords().size());
        peak = heap.MegaBytes();
    }
    state.SetBytesProcessed(int64_t(state.iterations() * f.body.size()));
    state.counters["peak_heap_MB"] = peak;
    state.counters["body_MB"] = double(f.body.size()) / (1 << 20);
}
BENCHMARK(BM_KmbLoad4x1M)->Unit(benchmark::kMillisecond);

void BM_InflateBody(benchmark::State& state)
{
    const Fixture& f = GetFixture();
    std::string out(f.body.size(), '\0');
    for (auto _ : state) {
        uLongf size = uLongf(out.size());
        uncompress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(f.deflated.data()),
                   uLong(f.deflated.size()));
        benchmark::DoNotOptimize(size);
    }
    state.SetBytesProcessed(int64_t(state.iterations() * f.body.size()));
}
BENCHMARK(BM_InflateBody)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
