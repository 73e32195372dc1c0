#include <cstdio>

#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "App/MktCalculator.h"
#include "CliSupport.h"
#include "DocumentLoading.h"

namespace orvel::cli {

int RunMkt(const Args& args)
{
    bool webStorage = false, fahrenheit = false;
    double activationEnergy = ovgApp::Mkt::kDefaultActivationEnergy;
    std::optional<ovgApp::Mkt::Unit> unit;
    std::vector<std::string> paths;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--web-storage") {
            webStorage = true;
        } else if (arg == "--fahrenheit") {
            fahrenheit = true;
        } else if (arg == "--activation-energy" && hasValue && ParseNumber(args[i + 1], activationEnergy) && activationEnergy > 0) {
            ++i;
        } else if (arg == "--unit" && hasValue && (args[i + 1] == "C" || args[i + 1] == "F" || args[i + 1] == "K")) {
            const char letter = args[++i][0];
            unit = letter == 'C' ? ovgApp::Mkt::Unit::kCelsius : letter == 'F' ? ovgApp::Mkt::Unit::kFahrenheit : ovgApp::Mkt::Unit::kKelvin;
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "orvelgraph-cli mkt: unknown option or bad value: %s\n", arg.c_str());
            return 2;
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.empty()) {
        std::fprintf(stderr, "orvelgraph-cli mkt: give at least one file (see --help)\n");
        return 2;
    }
    if (!unit) unit = fahrenheit ? ovgApp::Mkt::Unit::kFahrenheit : ovgApp::Mkt::Unit::kCelsius;

    ovgApp::AppDocument document;
    document.SetTemperatureDisplayType(fahrenheit ? 14 : 13);
    const bool allLoaded = LoadIntoDocument(paths, webStorage, document);
    if (fahrenheit) document.SetTemperatureDisplayType(14);
    for (const auto& channel : document.GetChannels()) {
        const QString result = ovgApp::Mkt::Format(ovgApp::Mkt::OfChannel(*channel, activationEnergy), *unit);
        std::printf("%s\t%s\t%s\n", channel->GetChNumberText().toUtf8().constData(), channel->GetDisplayName().toUtf8().constData(),
                    result.toUtf8().constData());
    }
    return allLoaded ? 0 : 1;
}

}  // namespace orvel::cli
