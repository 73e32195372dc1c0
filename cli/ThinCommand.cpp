#include <cstdio>

#include "CliSupport.h"
#include "filelib/ThinData.h"

namespace orvel::cli {

int RunThin(const Args& args)
{
    bool webStorage = false;
    OvGraphFileLib::ThinDataPrm prm;
    int64_t method = -1, channelIndex = 0;
    bool hasWindow = false;
    std::vector<std::string> paths;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--web-storage") {
            webStorage = true;
        } else if (arg == "--lenient") {
            prm.lenient = 1;
        } else if (arg == "--window" && hasValue && ParseInteger(args[i + 1], prm.windowLength)) {
            hasWindow = true;
            ++i;
        } else if (arg == "--origin" && hasValue && ParseInteger(args[i + 1], prm.origin)) {
            ++i;
        } else if (arg == "--method" && hasValue && ParseInteger(args[i + 1], method) && method >= 0 && method <= 4) {
            ++i;
        } else if (arg == "--channel" && hasValue && ParseInteger(args[i + 1], channelIndex) && channelIndex >= 0) {
            ++i;
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "orvelgraph-cli thin: unknown option or bad value: %s\n", arg.c_str());
            return 2;
        } else {
            paths.push_back(arg);
        }
    }
    if (!hasWindow || method < 0 || paths.size() != 1) {
        std::fprintf(stderr, "orvelgraph-cli thin: give --window MS, --method 0-4 and exactly one file (see --help)\n");
        return 2;
    }
    prm.method = int32_t(method);

    const OvGraphFileLib::LoadedChannels loaded = LoadFile(paths[0], webStorage);
    if (!loaded.result.Ok()) {
        std::fprintf(stderr, "%s: %s\n", paths[0].c_str(), DescribeFailure(loaded.result).c_str());
        return 1;
    }
    if (uint64_t(channelIndex) >= loaded.channels.size()) {
        std::fprintf(stderr, "%s: no channel %lld (the file has %zu)\n", paths[0].c_str(), static_cast<long long>(channelIndex),
                     loaded.channels.size());
        return 1;
    }
    const OvGraphFileLib::ThinDataResult thinned = OvGraphFileLib::ThinData(*loaded.channels[size_t(channelIndex)], prm);
    if (!thinned.result.Ok()) {
        std::fprintf(stderr, "%s\n", DescribeFailure(thinned.result).c_str());
        return 1;
    }
    PrintSamples(*thinned.channel);
    return 0;
}

}  // namespace orvel::cli
