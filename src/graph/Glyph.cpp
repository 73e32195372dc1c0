#include "graph/Glyph.h"

#include <QPainter>

namespace ovgGraph {

Glyph::Glyph(Glyph* parent) : m_parent(parent)
{
    if (parent && parent != this) Attach(parent);
}

void Glyph::SetParent(Glyph* parent)
{
    if (parent == m_parent) return;
    if (m_parent) Detach(m_parent);
    m_parent = parent;
    if (parent && parent != this) Attach(parent);
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
