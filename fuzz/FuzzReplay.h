#pragma once

// Replays a fuzz corpus: every file under root/<target>/ through that target's body. Inputs the
// fuzzers found interesting (and every past finding) stay covered by the test suite this way.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>

// A target's body; what it returns (a reader's result) does not matter here.
using FuzzBody = std::function<void(const uint8_t*, size_t)>;

// Returns how many inputs ran. Each is named on standard error before it runs: a sanitizer report
// ends the process, and the last name is the input that caused it.
inline int ReplayFuzzCorpus(const std::filesystem::path& root, const std::map<std::string, FuzzBody>& targets)
{
    int replayed = 0;
    for (const auto& [target, run] : targets) {
        if (!std::filesystem::exists(root / target)) continue;
        for (const auto& entry : std::filesystem::directory_iterator(root / target)) {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(in), {}};
            std::fprintf(stderr, "%s\n", entry.path().c_str());
            run(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            ++replayed;
        }
    }
    return replayed;
}
