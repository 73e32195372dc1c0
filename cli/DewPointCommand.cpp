#include <cstdio>
#include <optional>

#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "App/DewPointMaker.h"
#include "CliSupport.h"
#include "DocumentLoading.h"
#include "filelib/CalcCh.h"

namespace orvel::cli {

int RunDewPoint(const Args& args)
{
    bool webStorage = false;
    std::optional<int64_t> temperatureIndex, humidityIndex;
    int64_t number = 0;
    std::vector<std::string> paths;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--web-storage") {
            webStorage = true;
        } else if ((arg == "--temperature" || arg == "--humidity") && hasValue && ParseInteger(args[i + 1], number)) {
            (arg == "--temperature" ? temperatureIndex : humidityIndex) = number;
            ++i;
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "orvelgraph-cli dewpoint: unknown option or bad value: %s\n", arg.c_str());
            return 2;
        } else {
            paths.push_back(arg);
        }
    }
    if (!temperatureIndex || !humidityIndex || paths.empty()) {
        std::fprintf(stderr, "orvelgraph-cli dewpoint: give --temperature K, --humidity K and at least one file (see --help)\n");
        return 2;
    }

    ovgApp::AppDocument document;
    // A file left out would move the channel positions the numbers refer to.
    if (!LoadIntoDocument(paths, webStorage, document)) return 1;
    const auto& channels = document.GetChannels();
    for (const int64_t index : {*temperatureIndex, *humidityIndex}) {
        if (index < 0 || uint64_t(index) >= channels.size()) {
            std::fprintf(stderr, "orvelgraph-cli dewpoint: no channel %lld (the document has %zu, numbered from 0)\n",
                         static_cast<long long>(index), channels.size());
            return 1;
        }
    }
    const ovgApp::DewPoint::Made made =
        ovgApp::DewPoint::Make(channels[size_t(*temperatureIndex)].get(), channels[size_t(*humidityIndex)].get());
    if (!made.channel) {
        std::fprintf(stderr, "%s\n", made.error.toUtf8().constData());
        return 1;
    }
    PrintSamples(*made.channel);
    return 0;
}

}  // namespace orvel::cli
