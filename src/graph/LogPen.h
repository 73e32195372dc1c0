#pragma once

#include <QPen>
#include <cstdint>

#include "graph/Colour.h"

namespace ovgGraph {

// A pen as the graph stores it. Styles: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot,
// 5 none. Width 0 draws one pixel.
struct LogPen {
    uint32_t style = 0;
    int32_t widthX = 0;
    int32_t widthY = 0;
    uint32_t color = 0;
    bool operator==(const LogPen&) const = default;
};

QPen MakePen(const LogPen& record);

}  // namespace ovgGraph
