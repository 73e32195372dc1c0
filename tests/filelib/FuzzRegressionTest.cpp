#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "FuzzTargets.h"

// Every input the fuzzers ever flagged, replayed through the same code under the sanitizers.
// tests/data/fuzz/<target>/<case> holds the inputs.
TEST(FuzzRegression, FindingsStayFixed)
{
    const std::map<std::string, void (*)(const uint8_t*, size_t)> targets = {
        {"fuzz_kmv", FuzzKmv}, {"fuzz_cra", FuzzCra}, {"fuzz_ks3", FuzzKs3}, {"fuzz_kmq", FuzzKmq}, {"fuzz_dss", FuzzDss}, {"fuzz_ke8", FuzzKe8},
        {"fuzz_kmw", FuzzKmw}, {"fuzz_ks2", FuzzKs2}, {"fuzz_kn", FuzzKn}, {"fuzz_stored_channel", FuzzStoredChannel}};
    const std::filesystem::path root = ORVEL_FUZZ_CASES;
    int replayed = 0;
    for (const auto& [target, run] : targets) {
        if (!std::filesystem::exists(root / target)) continue;
        for (const auto& entry : std::filesystem::directory_iterator(root / target)) {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(in), {}};
            SCOPED_TRACE(entry.path().string());
            run(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0);
}
