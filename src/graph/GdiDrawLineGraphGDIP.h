#pragma once

#include <QPen>
#include <QPolygonF>
#include <memory>

#include "graph/GdiDrawObject.h"
#include "graph/GdiDrawSymbol.h"
#include "graph/PointRecord.h"

class QPainter;

namespace ovgGraph {

// Draws a channel's plotted segments as anti-aliased polylines with a line style and optional
// symbols. Styles: 0 solid (and any value other than 1 to 5), 1 dash, 2 dot, 3 dash-dot,
// 4 dash-dot-dot, 5 custom. Setters that change a value notify with 66 (re-plot and redraw).
class GdiDrawLineGraphGDIP : public GdiDrawObject {
public:
    explicit GdiDrawLineGraphGDIP(Observer* owner = nullptr);

    void Draw(QPainter& painter, const Segments& segments) const;

    uint32_t GetColor() const { return m_color; }
    void SetColor(uint32_t colour);
    int32_t GetWidth() const { return m_width; }
    void SetWidth(int32_t width);
    int32_t GetStyle() const { return m_style; }
    void SetStyle(int32_t style);
    int32_t GetSymbol() const { return m_symbol->GetKind(); }
    void SetSymbol(int32_t kind);
    GdiDrawSymbol& GetSymbolDrawer() { return *m_symbol; }
    int32_t GetSymbolDist() const { return m_symbolDist; }
    void SetSymbolDist(int32_t pixels);
    const QPen& GetPen() const { return m_pen; }

    // A segment as handed to the painter: each pixel column reduced to at most four vertices
    // (first, lowest, highest, last); one vertex becomes a one-pixel vertical line.
    static QPolygonF ReduceColumns(const Segment& segment);
    // The vertices that carry a symbol: at least `distance` pixels after the previous symbol,
    // counted across segments.
    static std::vector<const PointRecord*> SymbolVertices(const Segments& segments, int32_t distance);

private:
    void Changed();

    uint32_t m_color = 0xFF0000;  // blue
    int32_t m_width = 1;
    int32_t m_style = 0;
    int32_t m_symbolDist = 0;
    std::shared_ptr<GdiDrawSymbol> m_symbol;
    QPen m_pen;
};

}  // namespace ovgGraph
