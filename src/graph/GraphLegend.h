#pragma once

#include <memory>
#include <vector>

#include "graph/AutoSizing.h"
#include "graph/GdiDrawRect.h"
#include "graph/GdiDrawStr.h"
#include "graph/GraphLegendItemLineGraph.h"
#include "graph/Padding.h"

namespace ovgGraph {

// The legend: one item per shown channel, in a grid of rows and columns, in a framed box.
// Positions: 0 left of the plot, 1 above, 2 right, 3 below, 4 free.
class GraphLegend : public GlyphInt, public Padding, public AutoSizing {
public:
    explicit GraphLegend(Glyph* parent);

    int32_t GetPosition() const { return m_position; }
    void SetPosition(int32_t position);
    int32_t GetMaxCh() const { return m_maxCh; }
    int32_t GetRows() const { return m_rows; }
    int32_t GetColumns() const { return m_columns; }
    void SetGrid(int32_t maxCh, int32_t rows, int32_t columns);
    // What the items show: 0 the channel's label text (the only kind drawn so far).
    int32_t GetLabelType() const { return m_labelType; }
    void SetLabelType(int32_t type);
    GdiDrawStr& GetFont() { return *m_font; }
    GdiDrawRect& GetDrawRect() { return *m_rect; }

    // One item per channel, labelled with the given texts.
    void SetItems(const std::vector<std::pair<std::shared_ptr<GCh>, QString>>& channels);
    const std::vector<std::shared_ptr<GraphLegendItemLineGraph>>& GetItems() const { return m_items; }
    // Whether any item belongs to a shown channel (only those take a cell).
    bool HasShownItems() const;

    // Columns and rows for n items under the grid settings; n may be limited by rows x columns.
    static void GridFor(int32_t rows, int32_t columns, int32_t& n, int32_t& gridColumns, int32_t& gridRows);

    void Layout(uint8_t hint) override;
    void Draw(QPainter& painter) override;

private:
    int32_t m_position = 2;
    std::shared_ptr<GdiDrawStr> m_font;
    std::shared_ptr<GdiDrawRect> m_rect;
    std::vector<std::shared_ptr<GraphLegendItemLineGraph>> m_items;
    int32_t m_maxCh = 10;
    int32_t m_rows = 0;
    int32_t m_columns = 1;
    int32_t m_labelType = 0;
};

}  // namespace ovgGraph
