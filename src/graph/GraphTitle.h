#pragma once

#include "graph/GlyphText.h"

namespace ovgGraph {

// The graph's title. Positions: 0 free, 1 top left, 2 top centre, 3 top right, 4 bottom left,
// 5 bottom centre, 6 bottom right. A plain text glyph until text box shapes exist.
class GraphTitle : public GlyphText {
public:
    explicit GraphTitle(Glyph* parent);
    int32_t GetPosition() const { return m_position; }
    void SetPosition(int32_t position);

private:
    int32_t m_position = 2;
};

}  // namespace ovgGraph
