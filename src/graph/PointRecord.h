#pragma once

#include <cstdint>
#include <vector>

namespace ovgGraph {

// One vertex of a plotted line: pixels from the plot's bottom-left corner (y negative upwards)
// and the sample it came from (time in seconds).
struct PointRecord {
    int32_t x = 0;
    int32_t y = 0;
    double time = 0;
    double value = 0;
    bool operator==(const PointRecord&) const = default;
};

using Segment = std::vector<PointRecord>;
using Segments = std::vector<Segment>;

}  // namespace ovgGraph
