#include "graph/GraphTitle.h"

namespace ovgGraph {

GraphTitle::GraphTitle(Glyph* parent) : GlyphText(parent)
{
    SetOrigin(100, 100);
    GetDrawStr().SetTextColor(0x000000);
    GetDrawStr().SetFontName(QStringLiteral("Meiryo UI"));
    GetDrawStr().SetFontSize(16);
    paddingTop = paddingBottom = 4;
    ClearStateBits(kVisible);
}

void GraphTitle::SetPosition(int32_t position)
{
    if (position == m_position) return;
    m_position = position;
    Notify(kChanged | kRelayout);
}

}  // namespace ovgGraph
