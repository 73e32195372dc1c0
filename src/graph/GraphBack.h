#pragma once

#include <memory>

#include "graph/GdiDrawRect.h"
#include "graph/GlyphInt.h"

namespace ovgGraph {

// The background of the whole graph area.
class GraphBack : public GlyphInt {
public:
    explicit GraphBack(Glyph* parent);
    GdiDrawRect& GetDrawRect() { return *m_rect; }
    void Draw(QPainter& painter) override { m_rect->Draw(painter, GetArea()); }

private:
    std::shared_ptr<GdiDrawRect> m_rect;
};

}  // namespace ovgGraph
