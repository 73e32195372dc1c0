#include <cstdio>
#include <optional>

#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "App/DewPointMaker.h"
#include "CliSupport.h"
#include "Options.h"
#include "DocumentLoading.h"
#include "filelib/CalcCh.h"

namespace orvel::cli {

int RunDewPoint(const Args& args)
{
    bool webStorage = false;
    std::optional<int64_t> temperatureIndex, humidityIndex;
    const auto paths = ParseOptions("dewpoint", args,
                                    {Flag("--web-storage", webStorage),
                                     Integer("--temperature", "K", temperatureIndex, 0, INT32_MAX, "a channel number from 0"),
                                     Integer("--humidity", "K", humidityIndex, 0, INT32_MAX, "a channel number from 0")});
    if (!paths) return 2;
    if (!temperatureIndex || !humidityIndex || paths->empty())
        return UsageError("dewpoint", "give --temperature K, --humidity K and at least one file");

    ovgApp::AppDocument document;
    // A file left out would move the channel positions the numbers refer to.
    if (!LoadIntoDocument(*paths, webStorage, document)) return 1;
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
    PrintSamples(stdout, *made.channel);
    return 0;
}

}  // namespace orvel::cli
