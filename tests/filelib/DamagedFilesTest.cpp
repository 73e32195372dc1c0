// Damaged recordings: every sample file cut at every offset and changed in random bytes, every
// fuzz corpus input, and every allocation failing in turn. Each load ends in a result, never a
// crash or a sanitizer report, and holds no more memory than a bound of the file's size.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <new>
#include <random>
#include <sstream>

#include "AllocationProbe.h"
#include "FuzzReplay.h"
#include "FuzzTargets.h"
#include "filelib/FileKind.h"

using namespace OvGraphFileLib;

namespace {

constexpr size_t kMiB = 1024 * 1024;

// A reader's allowance: 8 times the file and 16 MiB.
size_t MemoryCap(size_t fileSize) { return 8 * fileSize + 16 * kMiB; }

struct Format {
    const char* fuzzTarget;
    std::function<std::shared_ptr<IFile>(const std::string& bytes)> reader;
    std::function<Result(const uint8_t*, size_t)> exercise;  // load and use every channel
};

std::shared_ptr<IFile> ReaderOf(uint32_t kind) { return CreateReader(kind); }

// kn1 and kn2 share one layout: the model text in the magic picks the reader.
std::shared_ptr<IFile> KnReader(const std::string& bytes)
{
    return ReaderOf(bytes.size() > 5 && bytes[5] == 'B' ? kFileKn2 : kFileKn1);
}

const Format* FormatOf(const std::filesystem::path& path)
{
    static const std::map<std::string, Format> formats = {
        {".kmv", {"fuzz_kmv", [](auto&) { return ReaderOf(kFileKmv); }, FuzzKmv}},
        {".kmq", {"fuzz_kmq", [](auto&) { return ReaderOf(kFileKmq); }, FuzzKmq}},
        {".ke8", {"fuzz_ke8", [](auto&) { return ReaderOf(kFileKe8); }, FuzzKe8}},
        {".kmw", {"fuzz_kmw", [](auto&) { return ReaderOf(kFileKmw); }, FuzzKmw}},
        {".ks2", {"fuzz_ks2", [](auto&) { return ReaderOf(kFileKs2); }, FuzzKs2}},
        {".ks3", {"fuzz_ks3", [](auto&) { return ReaderOf(kFileKs3); }, FuzzKs3}},
        {".cra", {"fuzz_cra", [](auto&) { return ReaderOf(kFileCra); }, FuzzCra}},
        {".kn1", {"fuzz_kn", KnReader, FuzzKn}},
        {".kn2", {"fuzz_kn", KnReader, FuzzKn}},
        {".json", {"fuzz_dss", [](auto&) { return std::make_shared<FileDss>(); }, FuzzDss}},
    };
    const auto found = formats.find(path.extension().string());
    return found == formats.end() ? nullptr : &found->second;
}

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// What the application's loader does with a file: load it and take its channels' data.
Result LoadAndTakeChannels(IFile& reader, std::istream& in)
{
    const Result result = reader.Load(in);
    if (result.Ok())
        for (const auto& channel : reader.GetChList()) (void)channel->GetRawData().size();
    return result;
}

// Loads the bytes, checks the result names its step and the most memory held, then uses every
// channel as a consumer would.
void CheckDamaged(const Format& format, const std::string& bytes, const std::string& what)
{
    std::istringstream in(bytes);
    const auto reader = format.reader(bytes);
    Result result;
    size_t peak = 0;
    {
        const alloc_probe::PeakScope probe;
        result = LoadAndTakeChannels(*reader, in);
        peak = probe.Peak();
    }
    // A failure names its step, or it is a general failure (a parser's own error) with the
    // parser's description.
    if (!result.Ok() && result.location == 0) {
        EXPECT_EQ(kFailure, result.code) << what;
        EXPECT_FALSE(result.where.empty()) << what;
    }
    EXPECT_LE(peak, MemoryCap(bytes.size())) << what << ": " << bytes.size() << " bytes";
    if (result.Ok()) format.exercise(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::vector<std::filesystem::path> SampleFiles()
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(ORVEL_SAMPLES_DIR))
        if (FormatOf(entry.path())) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

TEST(DamagedFiles, EveryCutAndTwoThousandFlipsOfEverySampleEndInAResultWithinTheMemoryCap)
{
    std::mt19937 random(20261207);
    for (const auto& path : SampleFiles()) {
        const Format& format = *FormatOf(path);
        const std::string bytes = ReadAll(path);
        const std::string name = path.filename().string();
        {
            std::istringstream in(bytes);
            ASSERT_TRUE(LoadAndTakeChannels(*format.reader(bytes), in).Ok()) << name;
        }
        for (size_t cut = 0; cut < bytes.size(); ++cut)
            CheckDamaged(format, bytes.substr(0, cut), name + " cut at " + std::to_string(cut));
        for (int flip = 0; flip < 2000; ++flip) {
            std::string damaged = bytes;
            const size_t at = random() % bytes.size();
            damaged[at] = char(damaged[at] ^ (1 + random() % 255));
            CheckDamaged(format, damaged, name + " byte " + std::to_string(at) + " changed");
        }
    }
}

// The fuzzers' corpora (tests/data/fuzz/<target>: what they kept, and every past finding) under
// the same checks, and the stored channels' corpus through its body.
TEST(DamagedFiles, EveryFuzzCorpusInputEndsInAResultWithinTheMemoryCap)
{
    std::map<std::string, const Format*> targets;
    for (const auto& path : SampleFiles()) targets.emplace(FormatOf(path)->fuzzTarget, FormatOf(path));
    int inputs = 0;
    for (const auto& [target, format] : targets) {
        const std::filesystem::path corpus = std::filesystem::path(ORVEL_FUZZ_CASES) / target;
        if (!std::filesystem::exists(corpus)) continue;
        for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
            CheckDamaged(*format, ReadAll(entry.path()), entry.path().string());
            ++inputs;
        }
    }
    inputs += ReplayFuzzCorpus(ORVEL_FUZZ_CASES, {{"fuzz_stored_channel", FuzzStoredChannel}});
    EXPECT_GT(inputs, 0);
}

// The first, second, ... allocation of a load fails in turn until a load succeeds: each failed
// load gives a result (std::bad_alloc becomes the general failure, code 1) and leaks nothing,
// which the leak checker confirms when the program ends.
TEST(DamagedFiles, AnAllocationFailingAnywhereInALoadGivesAResult)
{
    for (const auto& path : SampleFiles()) {
        const Format& format = *FormatOf(path);
        const std::string bytes = ReadAll(path);
        bool loaded = false;
        for (int64_t n = 1; !loaded && n < 100000; ++n) {
            std::istringstream in(bytes);
            const auto reader = format.reader(bytes);
            Result result;
            bool thrown = false;
            {
                const alloc_probe::FailScope failing(n);
                try {
                    result = LoadAndTakeChannels(*reader, in);
                } catch (const std::bad_alloc&) {
                    thrown = true;  // from handing out channels, which returns no result
                }
                loaded = !failing.Failed();
            }
            if (loaded) {
                EXPECT_TRUE(result.Ok()) << path.filename() << " with every allocation served";
                EXPECT_FALSE(thrown);
            } else if (!thrown) {
                EXPECT_EQ(kFailure, result.code) << path.filename() << " allocation " << n;
                EXPECT_TRUE(reader->GetChList().empty()) << path.filename() << " kept channels of a failed load";
            }
        }
        EXPECT_TRUE(loaded) << path.filename();
    }
}
