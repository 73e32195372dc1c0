#include "App/MktCalculator.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "App/AppCh.h"
#include "filelib/ChConstants.h"

namespace ovgApp::Mkt {
namespace {

constexpr int32_t kCelsiusType = 13;

// Two passes over the values, which `visit(f)` hands to f one by one.
template <class Visit>
std::optional<double> ComputeOver(Visit visit, double activationEnergy)
{
    const double k = activationEnergy * 1000 / kGasConstant;
    // The terms are summed relative to the largest one (that of the highest temperature), so a
    // large dH cannot underflow them all to 0: ln S = m + ln(sum exp(-k / T - m) / n).
    double highest = -HUGE_VAL;
    size_t valid = 0;
    visit([&](double t) {
        if (OvGraphFileLib::IsNoData(t)) return;
        highest = std::max(highest, t);
        ++valid;
    });
    if (valid == 0) return std::nullopt;
    const double m = -k / (highest + 273.15);
    double sum = 0;
    visit([&](double t) {
        if (!OvGraphFileLib::IsNoData(t)) sum += std::exp(-k / (t + 273.15) - m);
    });
    const double lnS = m + std::log(sum / double(valid));
    const double mkt = k / -lnS - 273.15;
    if (!std::isfinite(mkt)) return std::nullopt;
    return mkt;
}

}  // namespace

std::optional<double> Compute(const double* celsius, size_t count, double activationEnergy)
{
    return ComputeOver([&](auto&& f) { std::for_each(celsius, celsius + count, f); }, activationEnergy);
}

std::optional<double> OfChannel(const AppCh& channel, double activationEnergy)
{
    // The points already hold the values in Celsius unless the channel shows Fahrenheit.
    if (!channel.IsTemperature() || channel.GetTemperatureDisplayType() == kCelsiusType) {
        const AppPoints& points = channel.GetPoints();
        return ComputeOver([&](auto&& f) { points.ForEachY(0, points.Size(), f); }, activationEnergy);
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
