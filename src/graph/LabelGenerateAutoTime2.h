#pragma once

#include "graph/LabelGenerate.h"

namespace ovgGraph {

// Labels of the time axis at calendar steps (10 years down to 1 second) and at fractions of a
// second (0.5 s down to 1 ms). Times are seconds since 1970-01-01 00:00 of a clock without a time
// zone, so the calendar is worked out as UTC whatever the process time zone is. Times before 1970
// get no ticks.
//
// A level numbers one row of the step table: 1 is 10 years, 35 is 1 second, 36-44 are the
// fractional steps 0.5 s ... 0.001 s, and 0 is the 5-second advance used for an empty range.
class LabelGenerateAutoTime2 : public LabelGenerate {
public:
    static constexpr int kLevelCount = 45;  // levels 0 to 44

    explicit LabelGenerateAutoTime2(Observer* owner = nullptr) : LabelGenerate(owner) {}

    std::shared_ptr<LabelGenerate> Clone() const override;
    // Scale ticks at the level of the scale interval when it is positive (the interval is a level
    // number, 1-44; anything else is level 0), otherwise at the automatic level of the displayed
    // span; subscale ticks likewise at the subscale interval's level, otherwise at the subscale
    // level that the table gives for the automatic level.
    void Generate(const LabelParams& params, std::vector<double>& scaleValues,
                  std::vector<double>& subscaleValues) const override;
    // Rounds outward to whole minutes; a bound already on a minute moves a whole minute out.
    std::pair<double, double> FitRange(double min, double max) const override;

    // The coarsest level whose threshold is not above the span (seconds); 0 for a span of 0 or
    // less, 44 for a span below every threshold.
    static int AutoLevel(double span);
    // The level of the subscale ticks that go with the given scale level.
    static int SubscaleLevel(int level);
    // Appends the ticks of one level over [lo, hi] in ascending order. Calendar levels (0-35)
    // include hi, fractional levels (36-44) stop below it. Nothing for a level outside 0-44, a
    // bound that is not finite or a start outside the years 1970-9999; at most kMaxTicks ticks.
    static void GenerateLevel(int level, double lo, double hi, std::vector<double>& values);
};

}  // namespace ovgGraph
