// Writes the bundled sample recordings into a folder (default data/samples).
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "fixtures/SampleRecordings.h"

int main(int argc, char** argv)
{
    const std::filesystem::path folder = argc > 1 ? argv[1] : "data/samples";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (const auto& sample : orvel::fixtures::BuildSampleRecordings()) {
        std::ofstream out(folder / sample.name, std::ios::binary | std::ios::trunc);
        out.write(sample.bytes.data(), std::streamsize(sample.bytes.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", (folder / sample.name).c_str());
            return 1;
        }
        std::printf("%s (%zu bytes)\n", (folder / sample.name).c_str(), sample.bytes.size());
    }
    return 0;
}
