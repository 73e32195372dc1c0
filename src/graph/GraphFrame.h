#pragma once

#include <memory>

#include "graph/GdiDrawRect.h"
#include "graph/GlyphInt.h"

namespace ovgGraph {

// The plot area's look: its background and its border. The first pass fills the background and
// draws the border; the second draws the border again over the channel lines; pass 0 does both.
class GraphFrame : public GlyphInt {
public:
    explicit GraphFrame(Glyph* parent);
    GdiDrawRect& GetBackRect() { return *m_back; }
    GdiDrawRect& GetBorderRect() { return *m_border; }
    void SetPass(int32_t pass) { m_pass = pass; }
    void Draw(QPainter& painter) override;

private:
    std::shared_ptr<GdiDrawRect> m_back;
    std::shared_ptr<GdiDrawRect> m_border;
    int32_t m_pass = 0;
};

}  // namespace ovgGraph
