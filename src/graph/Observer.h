#pragma once

#include <cstdint>
#include <vector>

namespace ovgGraph {

class Subject;

// Receives change notifications. `flags` are glyph state bits (2 redraw, 4 changed, 64 lay out).
// An observer and the subjects it is attached to know each other, so whichever is destroyed
// first detaches itself: no list keeps a dangling pointer.
class Observer {
public:
    Observer() = default;
    Observer(const Observer&) = delete;
    Observer& operator=(const Observer&) = delete;
    virtual ~Observer();
    virtual void Update(Subject* subject, uint32_t flags);

private:
    friend class Subject;
    std::vector<Subject*> m_subjects;
};

}  // namespace ovgGraph
