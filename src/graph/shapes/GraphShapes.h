#pragma once

#include <memory>
#include <vector>

#include "graph/Subject.h"
#include "graph/shapes/ShapeBase.h"

namespace ovgGraph {

// The ordered shapes of a graph, drawn first to last (the last on top). A shape in the list has
// the graph as its parent; one taken out leaves the tree. Every change notifies flag 4.
class GraphShapes : public Subject {
public:
    explicit GraphShapes(Glyph& graph) : Subject(&graph), m_graph(graph) {}

    const std::vector<std::shared_ptr<ShapeBase>>& List() const { return m_shapes; }
    // The shape's position, -1 when it is not in the list.
    int IndexOf(const ShapeBase* shape) const;
    // At the index (at most the end).
    void Insert(std::shared_ptr<ShapeBase> shape, size_t index);
    void Append(std::shared_ptr<ShapeBase> shape) { Insert(std::move(shape), m_shapes.size()); }
    // Returns the former index, -1 when it was not in the list.
    int Remove(const ShapeBase* shape);
    // Puts `replacement` where `shape` is; false when `shape` is not in the list.
    bool Replace(const ShapeBase* shape, std::shared_ptr<ShapeBase> replacement);
    // Moves the shape at `from` to `to` (both inside the list).
    void Move(size_t from, size_t to);
    void Clear();
    // The topmost shape whose handle lies under the point, or null.
    std::shared_ptr<ShapeBase> At(Point point, uint32_t* handle = nullptr) const;

private:
    Glyph& m_graph;
    std::vector<std::shared_ptr<ShapeBase>> m_shapes;
};

}  // namespace ovgGraph
