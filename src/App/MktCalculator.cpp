#include "App/MktCalculator.h"

#include <cmath>
#include <vector>

#include "App/AppCh.h"
#include "filelib/ChConstants.h"

namespace ovgApp::Mkt {
namespace {

constexpr int32_t kCelsiusType = 13;

}  // namespace

std::optional<double> Compute(const double* celsius, size_t count, double activationEnergy)
{
    const double k = activationEnergy * 1000 / kGasConstant;
    double sum = 0;
    size_t valid = 0;
    for (size_t i = 0; i < count; ++i) {
        const double t = celsius[i];
        if (OvGraphFileLib::IsNoData(t)) continue;
        sum += std::exp(-k / (t + 273.15));
        ++valid;
    }
    if (valid == 0) return std::nullopt;
    const double mkt = k / -std::log(sum / double(valid)) - 273.15;
    if (!std::isfinite(mkt)) return std::nullopt;
    return mkt;
}

std::optional<double> OfChannel(const AppCh& channel, double activationEnergy)
{
    // The points already hold the values in Celsius unless the channel shows Fahrenheit.
    if (!channel.IsTemperature() || channel.GetTemperatureDisplayType() == kCelsiusType) {
        const AppPoints& points = channel.GetPoints();
        return Compute(points.YData(), points.Size(), activationEnergy);
    }
    std::vector<double> values;
    for (const OvGraphFileLib::ChSample& sample : channel.GetSamples(kCelsiusType)) values.push_back(sample.value);
    return Compute(values.data(), values.size(), activationEnergy);
}

QString Format(std::optional<double> celsius, Unit unit)
{
    if (!celsius) return QStringLiteral("----");
    double value = *celsius;
    if (unit == Unit::kFahrenheit) value = value * 1.8 + 32;
    if (unit == Unit::kKelvin) value += 273.15;
    return QString::asprintf("%.2f", value);
}

}  // namespace ovgApp::Mkt
