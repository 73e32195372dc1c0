#include <cstdio>

#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "App/MktCalculator.h"
#include "CliSupport.h"
#include "Options.h"
#include "DocumentLoading.h"

namespace orvel::cli {

int RunMkt(const Args& args)
{
    bool webStorage = false, fahrenheit = false;
    double activationEnergy = ovgApp::Mkt::kDefaultActivationEnergy;
    std::optional<ovgApp::Mkt::Unit> unit;
    const auto parsed = ParseOptions(
        "mkt", args,
        {Flag("--web-storage", webStorage), Flag("--fahrenheit", fahrenheit),
         Custom("--activation-energy", "KJ", "kJ/mol above 0",
                [&activationEnergy](const std::string& value) { return ParseNumber(value, activationEnergy) && activationEnergy > 0; }),
         Custom("--unit", "C|F|K", "C, F or K", [&unit](const std::string& value) {
             if (value == "C") unit = ovgApp::Mkt::Unit::kCelsius;
             else if (value == "F") unit = ovgApp::Mkt::Unit::kFahrenheit;
             else if (value == "K") unit = ovgApp::Mkt::Unit::kKelvin;
             else return false;
             return true;
         })});
    if (!parsed) return 2;
    const std::vector<std::string>& paths = *parsed;
    if (paths.empty()) return UsageError("mkt", "give at least one file");
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
