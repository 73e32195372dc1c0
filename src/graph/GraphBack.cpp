#include "graph/GraphBack.h"

namespace ovgGraph {

GraphBack::GraphBack(Glyph* parent) : GlyphInt(parent), m_rect(std::make_shared<GdiDrawRect>(this))
{
    m_rect->SetFrameColor(kNoColour);
    m_rect->SetBackColor1(0xFFFFFF);
}

}  // namespace ovgGraph
