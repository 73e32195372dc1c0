#pragma once

#include <algorithm>
#include <cstddef>

#include "filelib/ChConstants.h"

namespace ovgGraph {

// The largest, smallest and average value of a channel, leaving out whatever is no data
// (OvGraphFileLib::IsNoData). Without data the extremes stay -INVALID_VALUE and INVALID_VALUE,
// no data themselves, and the average is 0.
struct ValueStatistics {
    double maximum = -OvGraphFileLib::INVALID_VALUE;
    double minimum = OvGraphFileLib::INVALID_VALUE;
    double sum = 0;
    size_t count = 0;

    void Add(double y)
    {
        if (OvGraphFileLib::IsNoData(y)) return;
        maximum = std::max(maximum, y);
        minimum = std::min(minimum, y);
        sum += y;
        ++count;
    }
    double Average() const { return count ? sum / double(count) : 0; }
};

}  // namespace ovgGraph
