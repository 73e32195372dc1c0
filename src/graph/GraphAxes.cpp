#include "graph/GraphAxes.h"

#include <algorithm>

#include "Common/Library/SeriousError.h"
#include "graph/Graph.h"

namespace ovgGraph {
namespace {
// List order in m_lists, and each list's identifier base.
constexpr uint8_t kListTypes[] = {Axis::kBelow, Axis::kLeft, Axis::kRight, Axis::kAbove};
constexpr int32_t kListBases[] = {10, 20, 30, 40};
}  // namespace

int GraphAxes::ListIndex(uint8_t type)
{
    for (int i = 0; i < 4; ++i)
        if (kListTypes[i] == type) return i;
    throw orvel::SeriousError("GraphAxes", __LINE__, "axis type " + std::to_string(type));
}

const std::vector<std::shared_ptr<Axis>>& GraphAxes::List(uint8_t type) const { return m_lists[size_t(ListIndex(type))]; }

std::shared_ptr<Axis> GraphAxes::GetAxis(int32_t identifier) const
{
    const int32_t list = identifier / 10 - 1, index = identifier % 10;
    if (identifier < 10 || identifier > 49 || size_t(index) >= m_lists[size_t(list)].size())
        throw orvel::SeriousError("GraphAxes", __LINE__, "axis " + std::to_string(identifier));
    return m_lists[size_t(list)][size_t(index)];
}

int32_t GraphAxes::IndexOf(const Axis* axis) const
{
    for (size_t list = 0; list < 4; ++list)
        for (size_t i = 0; i < m_lists[list].size() && i < 10; ++i)
            if (m_lists[list][i].get() == axis) return kListBases[list] + int32_t(i);
    return 0;
}

void GraphAxes::Insert(std::shared_ptr<Axis> axis, int32_t identifier)
{
    if (!axis) throw orvel::SeriousError("GraphAxes", __LINE__, "no axis");
    Remove(axis.get());
    if (axis->GetParent() != m_graph) axis->SetParent(m_graph);
    if (identifier == 0) {
        m_lists[size_t(ListIndex(axis->GetType()))].push_back(axis);
    } else {
        if (identifier < 10 || identifier > 49) throw orvel::SeriousError("GraphAxes", __LINE__, "axis " + std::to_string(identifier));
        auto& list = m_lists[size_t(identifier / 10 - 1)];
        const size_t index = size_t(identifier % 10);
        if (index > list.size()) throw orvel::SeriousError("GraphAxes", __LINE__, "axis index " + std::to_string(identifier));
        axis->SetType(kListTypes[identifier / 10 - 1]);
        list.insert(list.begin() + ptrdiff_t(index), axis);
    }
    axis->Notify(kChanged);
    if (m_graph) m_graph->Notify(kRelayout);
}

void GraphAxes::Remove(const Axis* axis)
{
    for (auto& list : m_lists)
        std::erase_if(list, [axis](const std::shared_ptr<Axis>& a) { return a.get() == axis; });
}

std::vector<std::shared_ptr<Axis>> GraphAxes::All() const
{
    std::vector<std::shared_ptr<Axis>> all;
    for (const uint8_t type : {Axis::kLeft, Axis::kAbove, Axis::kRight, Axis::kBelow}) {
        const auto& list = List(type);
        all.insert(all.end(), list.begin(), list.end());
    }
    return all;
}

}  // namespace ovgGraph
