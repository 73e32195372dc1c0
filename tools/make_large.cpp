// Writes a large temperature recording (kmq or kmv) for the speed and memory scripts, and
// optionally the same values as space-separated text for other plotters. The samples are
// generated and written in chunks, so memory stays small whatever the file size.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "Common/Library/OvChType.h"
#include "fixtures/KmqBuilder.h"
#include "fixtures/KmvBuilder.h"

namespace {

using namespace orvel::fixtures;

constexpr uint16_t kTemperature = 13;
constexpr uint32_t kFirstSeconds = 1796050800;  // 2026-12-01 00:00 in Japan
// A multiple of 3, so that Base64 chunks join without padding in between.
constexpr size_t kChunkSamples = 3 * 65536;
// The kmv record count is five ASCII digits, and the presence words hold 64 channels.
constexpr uint64_t kKmvMaxSamples = 99999;
constexpr int kKmvMaxChannels = 64;

struct Options {
    std::string format = "kmq";
    int channels = 4;
    uint64_t samples = 1'000'000;
    std::string output;
    std::string textOutput;
};

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// A slow wave plus noise around 20 degrees, the same every run; each channel has its own
// phase and noise stream.
class Signal {
public:
    Signal(int channel, uint64_t samples)
        : m_type(&orvel::detail::OvChTypeOf(kTemperature)),
          m_state(uint32_t(channel) * 2654435761u + 1),
          m_phase(0.7 * channel),
          m_period(std::max(1000.0, double(samples) / 3))
    {
    }

    uint16_t NextCode(uint64_t index)
    {
        m_state = m_state * 1664525u + 1013904223u;
        const double noise = double(m_state >> 8) / double(1u << 23) - 1.0;
        const double value =
            20 + 5 * std::sin(2 * std::numbers::pi * double(index) / m_period + m_phase) + 0.4 * noise;
        return m_type->ValueToRaw(value);
    }

private:
    const orvel::detail::OvChTypeBase* m_type;
    uint32_t m_state;
    double m_phase;
    double m_period;
};

bool Write(std::FILE* f, const void* data, size_t size)
{
    return std::fwrite(data, 1, size, f) == size;
}
bool Write(std::FILE* f, const std::string& text)
{
    return Write(f, text.data(), text.size());
}

std::vector<uint16_t> NextChunk(Signal& signal, uint64_t first, uint64_t total)
{
    std::vector<uint16_t> codes(size_t(std::min<uint64_t>(kChunkSamples, total - first)));
    for (size_t i = 0; i < codes.size(); ++i) codes[i] = signal.NextCode(first + i);
    return codes;
}

bool WriteKmq(std::FILE* f, const Options& o)
{
    KmqSpec spec;
    spec.name = "Large recording";
    spec.base = {{"serial", "0x5B000020"}, {"name", "Bench base"}};
    for (int c = 0; c < o.channels; ++c) {
        KmqChannelSpec ch;
        ch.elements = {{"num", std::to_string(c + 1)},
                       {"serial", "0x5A000900"},
                       {"model", "Logger"},
                       {"name", "Bench " + std::to_string(c + 1)},
                       {"time_diff", "540"},
                       {"std_bias", "0"},
                       {"dst_bias", "-60"},
                       {"type", std::to_string(kTemperature)},
                       {"unix_time", std::to_string(kFirstSeconds)},
                       {"interval", "1"},
                       {"count", std::to_string(o.samples)},
                       {"upper_limit", ""},
                       {"lower_limit", ""}};
        ch.records = std::vector<uint8_t>{};  // an empty data element marks where the records go
        spec.channels.push_back(std::move(ch));
    }
    const std::string xml = BuildKmq(spec);
    const std::string marker = "<data/>";
    size_t from = 0;
    for (int c = 0; c < o.channels; ++c) {
        const size_t at = xml.find(marker, from);
        if (at == std::string::npos) return false;
        if (!Write(f, xml.substr(from, at - from)) || !Write(f, "<data>")) return false;
        Signal signal(c, o.samples);
        for (uint64_t first = 0; first < o.samples; first += kChunkSamples)
            if (!Write(f, EncodeBase64(Codes16(NextChunk(signal, first, o.samples))))) return false;
        if (!Write(f, "</data>")) return false;
        from = at + marker.size();
    }
    return Write(f, xml.substr(from));
}

bool WriteKmv(std::FILE* f, const Options& o)
{
    const uint32_t bits0 = o.channels >= 32 ? 0xFFFFFFFFu : (1u << o.channels) - 1;
    const uint32_t bits1 = o.channels <= 32   ? 0
                           : o.channels == 64 ? 0xFFFFFFFFu
                                              : (1u << (o.channels - 32)) - 1;
    if (!Write(f, BuildKmv({}, bits0, bits1))) return false;
    for (int c = 0; c < o.channels; ++c) {
        KmvChannelSpec ch;
        ch.name = "Bench " + std::to_string(c + 1);
        ch.typeByte = uint8_t(kTemperature);
        ch.firstSeconds = kFirstSeconds;
        ch.intervalDigits = std::string("1");  // a temporary: GCC 12 warns wrongly on assigning the literal
        ch.countDigits = std::to_string(o.samples);
        const std::vector<uint8_t> header = BuildKmvChannelHeader(ch);
        if (!Write(f, header.data(), header.size())) return false;
        Signal signal(c, o.samples);
        for (uint64_t first = 0; first < o.samples; first += kChunkSamples) {
            const std::vector<uint8_t> bytes = Codes16(NextChunk(signal, first, o.samples));
            if (!Write(f, bytes.data(), bytes.size())) return false;
        }
        const std::vector<uint8_t> padding(((o.samples * 2 + 15) & ~uint64_t(15)) - o.samples * 2, 0);
        if (!Write(f, padding.data(), padding.size())) return false;
    }
    return true;
}

// One line per sample: the time in seconds from the first sample, then each channel's value.
bool WriteText(std::FILE* f, const Options& o)
{
    const auto& type = orvel::detail::OvChTypeOf(kTemperature);
    std::vector<Signal> signals;
    for (int c = 0; c < o.channels; ++c) signals.emplace_back(c, o.samples);
    std::vector<std::vector<uint16_t>> chunks(size_t(o.channels));
    std::string text;
    char number[64];
    for (uint64_t first = 0; first < o.samples; first += kChunkSamples) {
        for (int c = 0; c < o.channels; ++c)
            chunks[size_t(c)] = NextChunk(signals[size_t(c)], first, o.samples);
        text.clear();
        for (size_t i = 0; i < chunks[0].size(); ++i) {
            text.append(number, std::to_chars(number, number + sizeof number, first + i).ptr);
            for (const auto& chunk : chunks) {
                text += ' ';
                const auto end = std::to_chars(number, number + sizeof number, type.RawToValue(chunk[i]),
                                               std::chars_format::fixed, type.ValueDecimals());
                text.append(number, end.ptr);
            }
            text += '\n';
        }
        if (!Write(f, text)) return false;
    }
    return true;
}

bool WriteFile(const std::string& path, bool (*writer)(std::FILE*, const Options&), const Options& o)
{
    File f(std::fopen(path.c_str(), "wb"));
    bool ok = f && writer(f.get(), o);
    if (f) ok = std::fclose(f.release()) == 0 && ok;
    if (!ok) std::fprintf(stderr, "make_large: cannot write %s\n", path.c_str());
    return ok;
}

const char* kUsage =
    "Usage: make_large [--format kmq|kmv] [--channels C] [--samples N] [--text OUT.dat] -o OUT\n"
    "Writes C channels of N temperature samples (one a second; a slow wave plus noise, the same\n"
    "every run). --text also writes the values as space-separated text: the time in seconds from\n"
    "the first sample, then one column per channel. A kmv channel holds at most 99999 samples\n"
    "and a kmv file at most 64 channels.\n";

std::optional<Options> Parse(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        }
        if (!value) return std::nullopt;
        ++i;
        if (arg == "--format")
            o.format = value;
        else if (arg == "--channels")
            o.channels = std::atoi(value);
        else if (arg == "--samples")
            o.samples = std::strtoull(value, nullptr, 10);
        else if (arg == "--text")
            o.textOutput = value;
        else if (arg == "-o")
            o.output = value;
        else
            return std::nullopt;
    }
    if ((o.format != "kmq" && o.format != "kmv") || o.channels < 1 || o.samples < 1 || o.output.empty())
        return std::nullopt;
    if (o.format == "kmq" && o.samples > uint64_t(INT32_MAX)) return std::nullopt;
    return o;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::optional<Options> options = Parse(argc, argv);
    if (!options) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const Options& o = *options;
    if (o.format == "kmv" && (o.samples > kKmvMaxSamples || o.channels > kKmvMaxChannels)) {
        std::fprintf(stderr, "make_large: a kmv file holds at most %d channels of %llu samples\n",
                     kKmvMaxChannels, static_cast<unsigned long long>(kKmvMaxSamples));
        return 2;
    }
    if (!WriteFile(o.output, o.format == "kmq" ? WriteKmq : WriteKmv, o)) return 1;
    if (!o.textOutput.empty() && !WriteFile(o.textOutput, WriteText, o)) return 1;
    return 0;
}
