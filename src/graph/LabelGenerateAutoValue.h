#pragma once

#include "graph/LabelGenerate.h"

namespace ovgGraph {

// Labels of a value axis at round steps: 1, 2 or 5 times a power of ten, chosen so that the
// displayed range holds about five to ten of them, with subscale ticks at a fifth of the step.
// Manual intervals count from the range minimum instead.
class LabelGenerateAutoValue : public LabelGenerate {
public:
    explicit LabelGenerateAutoValue(Observer* owner = nullptr) : LabelGenerate(owner) {}

    std::shared_ptr<LabelGenerate> Clone() const override;
    // Automatic ticks, then a positive manual scale or subscale interval replaces its list with
    // rangeMin + k × interval inside the displayed range (k = 0, 1, ...).
    void Generate(const LabelParams& params, std::vector<double>& scaleValues,
                  std::vector<double>& subscaleValues) const override;
    // The automatic ticks of the displayed range [lo, hi]. With p the power of ten not above the
    // span and r = span / p, the step is 2p when r > 8, p when r > 4, p/2 when r > 2 and p/5
    // otherwise; scale values are the multiples of the step in [lo, hi], subscale values the
    // multiples of a fifth of it. No ticks when hi is not above lo or either is not finite.
    void GenerateAuto(const LabelParams& params, std::vector<double>& scaleValues,
                      std::vector<double>& subscaleValues) const;
    // The ticks at the index-th smallest of the candidate steps for [lo, hi], ascending; index 0
    // is the automatic step. lo equal to hi gives lo twice; an empty range or an index outside
    // 0..kMaxTicks gives nothing.
    std::vector<double> Candidates(int index, double lo, double hi) const;
    // Widens [min, max] to the automatic ticks inside it plus one step on each side; the input
    // when there are fewer than two ticks (and (v, v) for min equal to max).
    std::pair<double, double> FitRange(double min, double max) const override;
};

}  // namespace ovgGraph
