#pragma once

#include <cstdint>

#include "graph/Geometry.h"
#include "graph/Sender.h"

namespace ovgGraph {

// Automatic sizing of a box: a mode (low four bits) and four lengths; its owner reads and sets
// the values directly.
class AutoSizing : public Sender {
public:
    int32_t mode = 0;
    Rect length;
};

}  // namespace ovgGraph
