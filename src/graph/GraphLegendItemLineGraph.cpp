#include "graph/GraphLegendItemLineGraph.h"

#include <QPainter>

#include "graph/GCh.h"
#include "graph/GdiDrawLineGraphGDIP.h"

namespace ovgGraph {

GraphLegendItemLineGraph::GraphLegendItemLineGraph(Glyph* parent, std::shared_ptr<GCh> channel, const GdiDrawStr& font)
    : GlyphInt(parent), m_channel(std::move(channel)), m_label(std::make_shared<GlyphText>(this))
{
    m_label->GetDrawStr().SetLogFont(font.GetLogFont());
    m_label->GetDrawStr().SetTextColor(font.GetTextColor());
    m_label->GetDrawStr().SetAlignment(kVCentre | kLeft);
}

void GraphLegendItemLineGraph::Layout(uint8_t)
{
    m_label->Layout(0);
    const int32_t h = m_label->GetHeight();
    m_label->SetOrigin(kSampleWidth, h / 2);
    SetArea(0, 0, kSampleWidth + m_label->GetWidth(), h);
}

void GraphLegendItemLineGraph::Draw(QPainter& painter)
{
    const GdiDrawLineGraphGDIP& drawer = m_channel->GetDrawer();
    const int32_t y = GetHeight() / 2;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(drawer.GetPen());
    painter.drawLine(QPointF(4, y), QPointF(kSampleWidth - 6, y));
    painter.restore();
    DrawChild(painter, *m_label);
}

}  // namespace ovgGraph
