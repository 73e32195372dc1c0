#pragma once

#include <memory>
#include <vector>

#include "graph/GCh.h"
#include "graph/Subject.h"

namespace ovgGraph {

// The graph's channels in drawing order.
class GraphChannels : public Subject {
public:
    void Add(std::shared_ptr<GCh> channel) { m_channels.push_back(std::move(channel)); }
    // At position `index`, at most the end of the list.
    void Insert(size_t index, std::shared_ptr<GCh> channel);
    void Remove(const GCh* channel);
    const std::vector<std::shared_ptr<GCh>>& List() const { return m_channels; }

private:
    std::vector<std::shared_ptr<GCh>> m_channels;
};

}  // namespace ovgGraph
