#include <cstdio>
#include <cstdlib>

#include "CliSupport.h"

namespace orvel::cli {

int RunDump(const Args& args)
{
    bool webStorage = false;
    long channelIndex = -1;
    std::vector<std::string> paths;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--web-storage") {
            webStorage = true;
        } else if (arg == "--channel") {
            char* end = nullptr;
            if (i + 1 < args.size()) channelIndex = std::strtol(args[i + 1].c_str(), &end, 10);
            if (i + 1 >= args.size() || end == args[i + 1].c_str() || *end != '\0' || channelIndex < 0) {
                std::fprintf(stderr, "orvelgraph-cli dump: --channel needs a channel number from 0\n");
                return 2;
            }
            ++i;
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "orvelgraph-cli dump: unknown option %s\n", arg.c_str());
            return 2;
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.size() != 1) {
        std::fprintf(stderr, "orvelgraph-cli dump: give exactly one file (see orvelgraph-cli dump --help)\n");
        return 2;
    }

    const OvGraphFileLib::LoadedChannels loaded = LoadFile(paths[0], webStorage);
    if (!loaded.result.Ok()) {
        std::fprintf(stderr, "%s: %s\n", paths[0].c_str(), DescribeFailure(loaded.result).c_str());
        return 1;
    }
    if (channelIndex >= 0) {
        if (size_t(channelIndex) >= loaded.channels.size()) {
            std::fprintf(stderr, "%s: no channel %ld (the file has %zu)\n", paths[0].c_str(), channelIndex,
                         loaded.channels.size());
            return 1;
        }
        PrintSamples(*loaded.channels[size_t(channelIndex)]);
        return 0;
    }
    for (size_t i = 0; i < loaded.channels.size(); ++i) {
        std::printf("# channel %zu\n", i);
        PrintSamples(*loaded.channels[i]);
    }
    return 0;
}

}  // namespace orvel::cli
