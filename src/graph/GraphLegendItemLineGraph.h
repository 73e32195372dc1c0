#pragma once

#include <memory>

#include "graph/GlyphText.h"

namespace ovgGraph {

class GCh;
class GdiDrawStr;

// One legend row: a 50-pixel sample of the channel's line, then its label.
class GraphLegendItemLineGraph : public GlyphInt {
public:
    GraphLegendItemLineGraph(Glyph* parent, std::shared_ptr<GCh> channel, const GdiDrawStr& font);

    const std::shared_ptr<GCh>& GetChannel() const { return m_channel; }
    GlyphText& GetLabel() { return *m_label; }
    void Layout(uint8_t hint) override;
    void Draw(QPainter& painter) override;

    static constexpr int32_t kSampleWidth = 50;

private:
    std::shared_ptr<GCh> m_channel;
    std::shared_ptr<GlyphText> m_label;
};

}  // namespace ovgGraph
