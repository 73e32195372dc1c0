#include "graph/GraphFrame.h"

namespace ovgGraph {

GraphFrame::GraphFrame(Glyph* parent)
    : GlyphInt(parent), m_back(std::make_shared<GdiDrawRect>(this)), m_border(std::make_shared<GdiDrawRect>(this))
{
    m_back->SetFrameColor(kNoColour);
    m_back->SetBackColor1(0xFFFFFF);
    m_border->SetFrameColor(0x808080);
    m_border->SetBackColor1(kNoColour);
}

void GraphFrame::Draw(QPainter& painter)
{
    if (m_pass == 0 || m_pass == 1) m_back->Draw(painter, GetArea());
    m_border->Draw(painter, GetArea());
}

}  // namespace ovgGraph
