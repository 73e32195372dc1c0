#pragma once

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "graph/Subject.h"

namespace ovgGraph {

// What an axis hands to its label generator: its manual intervals (0 = automatic), the whole
// value range of its scroll bar and the displayed part of it. Values are in axis units (seconds
// since 1970-01-01 00:00 on the time axis).
struct LabelParams {
    double scaleInterval = 0, subscaleInterval = 0, rangeMin = 0, rangeMax = 0, displayMin = 0,
           displayMax = 0;
};

// Decides where an axis puts its labelled (scale) ticks and its small (subscale) ticks.
// Held by the axis through a shared pointer; the axis observes it.
class LabelGenerate : public Subject {
public:
    // Upper bound on the ticks of one list: a degenerate or absurd range (a span of centuries at
    // millisecond ticks, a value range far below the resolution of its magnitude) ends there
    // instead of looping for ever or filling memory.
    static constexpr std::size_t kMaxTicks = 100000;

    explicit LabelGenerate(Observer* owner = nullptr) : Subject(owner) {}

    // A new generator with the same settings and no observers.
    virtual std::shared_ptr<LabelGenerate> Clone() const = 0;
    // Replaces both lists with the tick values for the displayed range, each list ascending.
    virtual void Generate(const LabelParams& params, std::vector<double>& scaleValues,
                          std::vector<double>& subscaleValues) const = 0;
    // The range an axis takes to show data from min to max; this base keeps it as it is.
    virtual std::pair<double, double> FitRange(double min, double max) const;
};

}  // namespace ovgGraph
