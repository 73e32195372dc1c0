#include <cerrno>
#include <cstdio>
#include <cstring>

#include "CliSupport.h"
#include "Options.h"

namespace orvel::cli {

int RunDump(const Args& args)
{
    bool webStorage = false;
    int64_t channelIndex = -1;
    std::string output = "-";
    const auto paths = ParseOptions("dump", args,
                                    {Flag("--web-storage", webStorage),
                                     Integer("--channel", "K", channelIndex, 0, INT32_MAX, "a channel number from 0"),
                                     Text("-o", "OUT", output)});
    if (!paths) return 2;
    if (paths->size() != 1) return UsageError("dump", "give exactly one file");
    const std::string& path = paths->front();

    const OvGraphFileLib::LoadedChannels loaded = LoadFile(path, webStorage);
    if (!loaded.result.Ok()) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), DescribeFailure(loaded.result).c_str());
        return 1;
    }
    if (channelIndex >= 0 && size_t(channelIndex) >= loaded.channels.size()) {
        std::fprintf(stderr, "%s: no channel %lld (the file has %zu)\n", path.c_str(), static_cast<long long>(channelIndex),
                     loaded.channels.size());
        return 1;
    }
    Output out(output);
    if (!out.File()) {
        std::fprintf(stderr, "orvelgraph-cli dump: cannot write %s: %s\n", output.c_str(), std::strerror(errno));
        return 1;
    }
    if (channelIndex >= 0) {
        PrintSamples(out.File(), *loaded.channels[size_t(channelIndex)]);
    } else {
        for (size_t i = 0; i < loaded.channels.size(); ++i) {
            std::fprintf(out.File(), "# channel %zu\n", i);
            PrintSamples(out.File(), *loaded.channels[i]);
        }
    }
    if (!out.Commit()) {
        std::fprintf(stderr, "orvelgraph-cli dump: cannot write %s: %s\n", output.c_str(), std::strerror(errno));
        return 1;
    }
    return 0;
}

}  // namespace orvel::cli
