#include "graph/GraphLegend.h"

#include <algorithm>
#include <vector>

#include "graph/GCh.h"

namespace ovgGraph {

GraphLegend::GraphLegend(Glyph* parent)
    : GlyphInt(parent), m_font(std::make_shared<GdiDrawStr>(this)), m_rect(std::make_shared<GdiDrawRect>(this))
{
    m_font->SetTextColor(0x000000);
    m_font->SetFontName(QStringLiteral("Meiryo UI"));
    m_font->SetFontSize(12);
    m_rect->SetFrameColor(0x808080);
    m_rect->SetFrameWidth(1);
    m_rect->SetBackColor1(0xFFFFFF);
    paddingLeft = paddingRight = paddingTop = paddingBottom = 4;
    marginLeft = marginRight = marginTop = marginBottom = 4;
}

void GraphLegend::SetPosition(int32_t position)
{
    if (position == m_position) return;
    m_position = position;
    Notify(kChanged | kRelayout);
}

void GraphLegend::SetLabelType(int32_t type)
{
    if (type == m_labelType) return;
    m_labelType = type;
    Notify(kChanged | kRelayout);
}

void GraphLegend::SetGrid(int32_t maxCh, int32_t rows, int32_t columns)
{
    if (maxCh == m_maxCh && rows == m_rows && columns == m_columns) return;
    m_maxCh = maxCh;
    m_rows = rows;
    m_columns = columns;
    Notify(kChanged | kRelayout);
}

void GraphLegend::SetItems(const std::vector<std::pair<std::shared_ptr<GCh>, QString>>& channels)
{
    for (const auto& item : m_items) item->Detach(this);
    m_items.clear();
    for (const auto& [channel, label] : channels) {
        auto item = std::make_shared<GraphLegendItemLineGraph>(this, channel, *m_font);
        item->GetLabel().SetText(label);
        m_items.push_back(item);
    }
    Notify(kChanged | kRelayout);
}

void GraphLegend::GridFor(int32_t rows, int32_t columns, int32_t& n, int32_t& gridColumns, int32_t& gridRows)
{
    const auto ceilDiv = [](int32_t a, int32_t b) { return b > 0 ? (a + b - 1) / b : 0; };
    if (rows <= 0 && columns <= 0) {
        gridColumns = 1;
        gridRows = n;
    } else if (rows > 0 && columns > 0) {
        gridColumns = columns;
        gridRows = rows;
        n = std::min(n, rows * columns);
    } else if (columns > 0) {
        gridColumns = std::min(n, columns);
        gridRows = ceilDiv(n, columns);
    } else if (n <= rows) {
        gridColumns = 1;
        gridRows = n;
    } else {
        gridColumns = ceilDiv(n, rows);
        gridRows = ceilDiv(n, gridColumns);
    }
}

bool GraphLegend::HasShownItems() const
{
    return std::any_of(m_items.begin(), m_items.end(), [](const auto& item) { return !item->GetChannel() || item->GetChannel()->IsVisible(); });
}

void GraphLegend::Layout(uint8_t)
{
    // One item per shown channel: the items of hidden channels take no cell.
    std::vector<GraphLegendItemLineGraph*> shown;
    int32_t cellWidth = 0, cellHeight = 0;
    for (const auto& item : m_items) {
        item->ClearStateBits(kVisible);
        if (item->GetChannel() && !item->GetChannel()->IsVisible()) continue;
        // The labels write in the legend's font as it is now (a theme may have changed it).
        GdiDrawStr& label = item->GetLabel().GetDrawStr();
        label.SetLogFont(m_font->GetLogFont());
        label.SetTextColor(m_font->GetTextColor());
        item->Layout(0);
        cellWidth = std::max(cellWidth, item->GetWidth());
        cellHeight = std::max(cellHeight, item->GetHeight());
        shown.push_back(item.get());
    }
    int32_t n = std::min<int32_t>(int32_t(shown.size()), m_maxCh);
    int32_t columns = 0, rows = 0;
    GridFor(m_rows, m_columns, n, columns, rows);
    // Room for the frame width is kept even when the frame has no colour.
    const int32_t frame = m_rect->GetFrameWidth();
    for (int32_t i = 0; i < n && columns > 0; ++i) {
        GraphLegendItemLineGraph& item = *shown[size_t(i)];
        item.SetOrigin(paddingLeft + frame + (i % columns) * cellWidth, paddingTop + frame + (i / columns) * cellHeight);
        item.SetStateBits(kVisible);
    }
    const Rect area = GetArea();
    SetArea(area.left, area.top, area.left + columns * cellWidth + paddingLeft + paddingRight + 2 * frame,
            area.top + rows * cellHeight + paddingTop + paddingBottom + 2 * frame);
}

void GraphLegend::Draw(QPainter& painter)
{
    m_rect->Draw(painter, GetArea());
    for (const auto& item : m_items) DrawChild(painter, *item);
}

}  // namespace ovgGraph
