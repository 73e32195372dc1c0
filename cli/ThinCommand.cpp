#include <cstdio>
#include <optional>

#include "CliSupport.h"
#include "Options.h"
#include "filelib/ThinData.h"

namespace orvel::cli {

int RunThin(const Args& args)
{
    bool webStorage = false;
    OvGraphFileLib::ThinDataPrm prm;
    int64_t method = -1, channelIndex = 0;
    bool lenient = false;
    std::optional<int64_t> window;
    const auto parsed = ParseOptions("thin", args,
                                     {Flag("--web-storage", webStorage), Flag("--lenient", lenient),
                                      Integer("--window", "MS", window, INT64_MIN, INT64_MAX, "milliseconds"),
                                      Integer("--origin", "MS", prm.origin, INT64_MIN, INT64_MAX, "milliseconds since 1970"),
                                      Integer("--method", "N", method, 0, 4, "0 to 4"),
                                      Integer("--channel", "K", channelIndex, 0, INT32_MAX, "a channel number from 0")});
    if (!parsed) return 2;
    const std::vector<std::string>& paths = *parsed;
    prm.lenient = lenient ? 1 : 0;
    if (!window || method < 0 || paths.size() != 1)
        return UsageError("thin", "give --window MS, --method 0-4 and exactly one file");
    prm.windowLength = *window;
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
    PrintSamples(stdout, *thinned.channel);
    return 0;
}

}  // namespace orvel::cli
