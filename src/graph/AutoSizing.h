#pragma once

#include <cstdint>

#include "graph/Sender.h"

namespace ovgGraph {

// Automatic sizing of a box; its owner reads and sets the two values directly.
class AutoSizing : public Sender {
public:
    int32_t mode = 0;
    int32_t length = 0;
};

}  // namespace ovgGraph
