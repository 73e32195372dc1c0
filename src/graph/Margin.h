#pragma once

#include <cstdint>

#include "graph/Sender.h"

namespace ovgGraph {

// Space a glyph keeps around itself in its container, in pixels.
class Margin : public Sender {
public:
    int32_t marginLeft = 0;
    int32_t marginTop = 0;
    int32_t marginRight = 0;
    int32_t marginBottom = 0;
};

}  // namespace ovgGraph
