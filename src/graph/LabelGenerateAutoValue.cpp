#include "graph/LabelGenerateAutoValue.h"

#include <algorithm>
#include <cmath>

namespace ovgGraph {

namespace {

// Ticks that land on a bound up to this fraction of a step are kept: 0.6 / 0.1 is 5.999999999999999
// in binary, and the label at 0.6 must not disappear for it.
constexpr double kStepTolerance = 1e-9;

// The decade p of the span (10^n <= span < 10^(n+1)) and r = span / p, in [1, 10).
// False when the span is not a positive finite number.
bool Decade(double lo, double hi, double& p, double& r)
{
    const double span = hi - lo;
    if (!std::isfinite(span) || !(span > 0)) return false;
    p = std::pow(10.0, std::floor(std::log10(span)));
    // log10 may land a hair off at exact powers of ten.
    if (span / p >= 10) p *= 10;
    if (span / p < 1) p /= 10;
    r = span / p;
    return std::isfinite(r) && p > 0;
}

// Appends origin + k × step for every integer k whose value lies in [lo, hi], ascending, at most
// LabelGenerate::kMaxTicks of them. The value is computed from k each time, so no rounding
// accumulates; it stops early when a step no longer changes the value at this magnitude.
void AppendMultiples(double origin, double step, double lo, double hi, std::vector<double>& values)
{
    if (!(step > 0) || !std::isfinite(step)) return;
    const double kFirst = std::ceil((lo - origin) / step - kStepTolerance);
    const double kLast = std::floor((hi - origin) / step + kStepTolerance);
    if (!std::isfinite(kFirst) || !std::isfinite(kLast)) return;
    std::size_t count = 0;
    for (double k = kFirst; k <= kLast && count < LabelGenerate::kMaxTicks; k += 1, ++count) {
        const double value = origin + k * step + 0.0;  // + 0.0 turns -0 into 0
        if (!values.empty() && value <= values.back()) break;
        values.push_back(value);
    }
}

}  // namespace

std::shared_ptr<LabelGenerate> LabelGenerateAutoValue::Clone() const
{
    return std::make_shared<LabelGenerateAutoValue>();
}

void LabelGenerateAutoValue::GenerateAuto(const LabelParams& params, std::vector<double>& scaleValues,
                                          std::vector<double>& subscaleValues) const
{
    scaleValues.clear();
    subscaleValues.clear();
    const double lo = params.displayMin, hi = params.displayMax;
    double p = 0, r = 0;
    if (!Decade(lo, hi, p, r)) return;
    const double step = r > 8 ? 2 * p : r > 4 ? p : r > 2 ? 0.5 * p : 0.2 * p;
    AppendMultiples(0, step, lo, hi, scaleValues);
    AppendMultiples(0, step / 5, lo, hi, subscaleValues);
}

void LabelGenerateAutoValue::Generate(const LabelParams& params, std::vector<double>& scaleValues,
                                      std::vector<double>& subscaleValues) const
{
    GenerateAuto(params, scaleValues, subscaleValues);
    // Manual intervals start at the range minimum, so an axis from -50 with interval 30 is
    // labelled -50, -20, 10, ... rather than at multiples of 30.
    const double from = std::max(params.displayMin, params.rangeMin);
    if (params.scaleInterval > 0) {
        scaleValues.clear();
        AppendMultiples(params.rangeMin, params.scaleInterval, from, params.displayMax, scaleValues);
    }
    if (params.subscaleInterval > 0) {
        subscaleValues.clear();
        AppendMultiples(params.rangeMin, params.subscaleInterval, from, params.displayMax, subscaleValues);
    }
}

std::vector<double> LabelGenerateAutoValue::Candidates(int index, double lo, double hi) const
{
    if (index < 0 || std::size_t(index) > kMaxTicks || !std::isfinite(lo)) return {};
    if (lo == hi) return {lo, lo};
    double p = 0, r = 0;
    if (!Decade(lo, hi, p, r)) return {};
    // Candidate steps, smallest first once sorted: 2p, p, p/2, p/5 down to the automatic one, then
    // more rounds with p grown by 10 (added, not multiplied) until index + 1 are known.
    std::vector<double> steps;
    const std::size_t wanted = std::size_t(index) + 1;
    bool found = false;
    for (;;) {
        if (!found && r > 8) found = true;
        steps.push_back(2 * p);
        if (!found && r > 4)
            found = true;
        else if (found && steps.size() >= wanted)
            break;
        steps.push_back(p);
        if (!found && r > 2)
            found = true;
        else if (found && steps.size() >= wanted)
            break;
        steps.push_back(0.5 * p);
        if (found && steps.size() >= wanted) break;
        steps.push_back(0.2 * p);
        found = true;
        if (steps.size() >= wanted) break;
        p += 10;
    }
    std::sort(steps.begin(), steps.end());
    std::vector<double> values;
    AppendMultiples(0, steps[std::size_t(index)], lo, hi, values);
    return values;
}

std::pair<double, double> LabelGenerateAutoValue::FitRange(double min, double max) const
{
    const std::vector<double> values = Candidates(0, min, max);
    if (values.size() >= 2) {
        const double step = values[1] - values[0];
        return {values.front() - step, values.back() + step};
    }
    if (values.size() == 1) return {values[0], values[0]};
    return {min, max};
}

}  // namespace ovgGraph
