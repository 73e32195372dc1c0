#include "graph/Glyph.h"

#include <QPainter>
#include <algorithm>

namespace ovgGraph {

Glyph::Glyph(Glyph* parent) { SetParent(parent); }

Glyph::~Glyph()
{
    SetParent(nullptr);
    for (Glyph* child : m_children) child->m_parent = nullptr;
}

void Glyph::SetParent(Glyph* parent)
{
    if (parent == m_parent || parent == this) return;
    if (m_parent) {
        Detach(m_parent);
        std::erase(m_parent->m_children, this);
    }
    m_parent = parent;
    if (parent) {
        Attach(parent);
        parent->m_children.push_back(this);
    }
}

void Glyph::RemoveChild(Glyph& child)
{
    if (child.m_parent == this) child.SetParent(nullptr);
}

void Glyph::ReplaceChild(Glyph& child, Glyph& replacement)
{
    if (child.m_parent != this || &replacement == &child) return;
    replacement.SetParent(this);
    // The replacement takes the old child's place in the order.
    auto& children = m_children;
    std::erase(children, &replacement);
    const auto at = std::find(children.begin(), children.end(), &child);
    children.insert(at, &replacement);
    child.SetParent(nullptr);
}

void Glyph::Walk(const std::function<void(Glyph&)>& visit)
{
    visit(*this);
    for (Glyph* child : std::vector<Glyph*>(m_children)) child->Walk(visit);
}

void Glyph::Update(Subject*, uint32_t flags) { Notify(flags); }

void Glyph::Layout(uint8_t) {}

void Glyph::Draw(QPainter&) {}

void Glyph::Notify(uint32_t flags)
{
    m_state |= flags;
    NotifyObservers(flags);
}

void DrawChild(QPainter& painter, Glyph& child)
{
    if (!child.IsVisible()) return;
    painter.save();
    painter.translate(child.GetOriginX(), child.GetOriginY());
    child.Draw(painter);
    painter.restore();
    child.ClearStateBits(kRedraw | kRelayout);
}

}  // namespace ovgGraph
