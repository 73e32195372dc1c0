#pragma once

#include <cstdint>

#include "graph/Observer.h"

namespace ovgGraph::test {

// Counts the notifications it receives and remembers their flags.
class Recorder : public Observer {
public:
    int calls = 0;
    uint32_t flags = 0;
    void Update(Subject*, uint32_t f) override
    {
        ++calls;
        flags |= f;
    }
};

}  // namespace ovgGraph::test
