#pragma once

#include <cstdint>

#include "graph/Sender.h"

namespace ovgGraph {

// Space between a glyph's edge and its content, in pixels.
class Padding : public Sender {
public:
    int32_t paddingLeft = 0;
    int32_t paddingTop = 0;
    int32_t paddingRight = 0;
    int32_t paddingBottom = 0;
};

}  // namespace ovgGraph
