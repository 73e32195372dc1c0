#pragma once

#include <cstdint>

namespace ovgGraph {

class Subject;

// Receives change notifications. `flags` are glyph state bits (2 redraw, 4 changed, 64 lay out).
class Observer {
public:
    virtual ~Observer() = default;
    virtual void Update(Subject* subject, uint32_t flags);
};

}  // namespace ovgGraph
