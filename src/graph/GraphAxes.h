#pragma once

#include <array>
#include <memory>
#include <vector>

#include "graph/Axis.h"
#include "graph/Sender.h"

namespace ovgGraph {

class Graph;

// The graph's axes in four ordered lists, one per axis type. An axis's identifier is its list's
// base plus its index: below (time) 10-19, left 20-29, right 30-39, above 40-49; 0 when absent.
class GraphAxes : public Sender {
public:
    explicit GraphAxes(Graph* graph) : Sender(graph), m_graph(graph) {}

    // An identifier outside the table, or an index beyond its list, is an internal error.
    std::shared_ptr<Axis> GetAxis(int32_t identifier) const;
    int32_t IndexOf(const Axis* axis) const;
    // Identifier 0 appends to the list of the axis's own type; otherwise the axis takes the
    // identifier's type and goes to its index (at most the list's end).
    void Insert(std::shared_ptr<Axis> axis, int32_t identifier = 0);
    void Remove(const Axis* axis);

    // The list of an axis type (1 left, 2 right, 4 above, 8 below).
    const std::vector<std::shared_ptr<Axis>>& List(uint8_t type) const;
    // Every axis: lists in the order left, above, right, below.
    std::vector<std::shared_ptr<Axis>> All() const;
    size_t ValueAxisCount() const { return List(Axis::kLeft).size() + List(Axis::kRight).size(); }

private:
    static int ListIndex(uint8_t type);

    Graph* m_graph;
    std::array<std::vector<std::shared_ptr<Axis>>, 4> m_lists;  // below, left, right, above
};

// Fewer than this many value axes (left and right together) fit a graph.
inline constexpr size_t kValueAxisLimit = 10;

}  // namespace ovgGraph
