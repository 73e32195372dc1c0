#include "graph/shapes/GraphShapes.h"

#include <algorithm>

namespace ovgGraph {

int GraphShapes::IndexOf(const ShapeBase* shape) const
{
    for (size_t i = 0; i < m_shapes.size(); ++i)
        if (m_shapes[i].get() == shape) return int(i);
    return -1;
}

void GraphShapes::Insert(std::shared_ptr<ShapeBase> shape, size_t index)
{
    if (!shape) return;
    shape->SetParent(&m_graph);
    m_shapes.insert(m_shapes.begin() + std::ptrdiff_t(std::min(index, m_shapes.size())), std::move(shape));
    NotifyObservers(kChanged);
}

int GraphShapes::Remove(const ShapeBase* shape)
{
    const int index = IndexOf(shape);
    if (index < 0) return -1;
    const auto removed = m_shapes[size_t(index)];
    m_shapes.erase(m_shapes.begin() + index);
    removed->SetParent(nullptr);
    NotifyObservers(kChanged);
    return index;
}

bool GraphShapes::Replace(const ShapeBase* shape, std::shared_ptr<ShapeBase> replacement)
{
    const int index = IndexOf(shape);
    if (index < 0 || !replacement) return false;
    const auto old = m_shapes[size_t(index)];
    replacement->SetParent(&m_graph);
    m_shapes[size_t(index)] = std::move(replacement);
    old->SetParent(nullptr);
    NotifyObservers(kChanged);
    return true;
}

void GraphShapes::Move(size_t from, size_t to)
{
    if (from >= m_shapes.size() || to >= m_shapes.size() || from == to) return;
    auto shape = m_shapes[from];
    m_shapes.erase(m_shapes.begin() + std::ptrdiff_t(from));
    m_shapes.insert(m_shapes.begin() + std::ptrdiff_t(to), std::move(shape));
    NotifyObservers(kChanged);
}

void GraphShapes::Clear()
{
    if (m_shapes.empty()) return;
    for (const auto& shape : m_shapes) shape->SetParent(nullptr);
    m_shapes.clear();
    NotifyObservers(kChanged);
}

std::shared_ptr<ShapeBase> GraphShapes::At(Point point, uint32_t* handle) const
{
    for (auto it = m_shapes.rbegin(); it != m_shapes.rend(); ++it) {
        if (!(*it)->IsVisible()) continue;
        if (const uint32_t found = (*it)->HitHandle(point)) {
            if (handle) *handle = found;
            return *it;
        }
    }
    return nullptr;
}

}  // namespace ovgGraph
