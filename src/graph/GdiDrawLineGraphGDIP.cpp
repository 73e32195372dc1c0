#include "graph/GdiDrawLineGraphGDIP.h"

#include <QPainter>
#include <algorithm>

#include "graph/Colour.h"

namespace ovgGraph {

GdiDrawLineGraphGDIP::GdiDrawLineGraphGDIP(Observer* owner)
    : GdiDrawObject(owner), m_symbol(std::make_shared<GdiDrawSymbol>())
{
    Changed();
    m_symbol->SetBrushColor(m_color);
    m_symbol->SetLogPen({0, 1, 0, m_color});
}

void GdiDrawLineGraphGDIP::Changed()
{
    static constexpr Qt::PenStyle kStyles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                               Qt::DashDotDotLine, Qt::CustomDashLine};
    m_pen = QPen(ToQColor(m_color), std::max(m_width, 1));
    m_pen.setJoinStyle(Qt::BevelJoin);
    m_pen.setStyle(m_style >= 1 && m_style <= 5 ? kStyles[m_style] : Qt::SolidLine);
    if (m_style == 5) m_pen.setDashPattern({6, 2, 1, 2});
}

void GdiDrawLineGraphGDIP::SetColor(uint32_t colour)
{
    if (colour == m_color) return;
    m_color = colour;
    Changed();
    m_symbol->SetBrushColor(colour);
    m_symbol->SetLogPen({0, 1, 0, colour});
    NotifyObservers(kRelayout | kRedraw);
}

void GdiDrawLineGraphGDIP::SetWidth(int32_t width)
{
    if (width == m_width) return;
    m_width = width;
    Changed();
    NotifyObservers(kRelayout | kRedraw);
}

void GdiDrawLineGraphGDIP::SetStyle(int32_t style)
{
    if (style == m_style) return;
    m_style = style;
    Changed();
    NotifyObservers(kRelayout | kRedraw);
}

void GdiDrawLineGraphGDIP::SetSymbol(int32_t kind)
{
    if (kind == m_symbol->GetKind()) return;
    m_symbol->SetKind(kind);
    NotifyObservers(kRelayout | kRedraw);
}

void GdiDrawLineGraphGDIP::SetSymbolDist(int32_t pixels)
{
    if (pixels == m_symbolDist) return;
    m_symbolDist = pixels;
    NotifyObservers(kRelayout | kRedraw);
}

QPolygonF GdiDrawLineGraphGDIP::ReduceColumns(const Segment& segment)
{
    QPolygonF polygon;
    if (segment.size() == 1) {
        polygon << QPointF(segment[0].x, segment[0].y) << QPointF(segment[0].x, segment[0].y + 1);
        return polygon;
    }
    if (segment.size() == 2) {
        polygon << QPointF(segment[0].x, segment[0].y) << QPointF(segment[1].x, segment[1].y);
        return polygon;
    }
    polygon.reserve(qsizetype(std::min<size_t>(segment.size(), 4 * 4096)));
    for (size_t i = 0; i < segment.size();) {
        const int32_t x = segment[i].x;
        const int32_t first = segment[i].y;
        int32_t largest = first, smallest = first, last = first;
        size_t j = i + 1;
        for (; j < segment.size() && segment[j].x == x; ++j) {
            largest = std::max(largest, segment[j].y);
            smallest = std::min(smallest, segment[j].y);
            last = segment[j].y;
        }
        polygon << QPointF(x, first);
        if (!(largest == first && largest == last)) polygon << QPointF(x, largest);
        if (!(smallest == first && smallest == last)) polygon << QPointF(x, smallest);
        if (last != first) polygon << QPointF(x, last);
        i = j;
    }
    return polygon;
}

std::vector<const PointRecord*> GdiDrawLineGraphGDIP::SymbolVertices(const Segments& segments, int32_t distance)
{
    std::vector<const PointRecord*> marked;
    int32_t lastX = -10000;
    for (const Segment& segment : segments)
        for (const PointRecord& point : segment)
            if (point.x - lastX >= distance) {
                marked.push_back(&point);
                lastX = point.x;
            }
    return marked;
}

void GdiDrawLineGraphGDIP::Draw(QPainter& painter, const Segments& segments) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Vertices sit on whole pixels; a line of odd width is centred in them, so a 1-pixel line
    // covers one pixel row rather than half of two.
    const bool odd = int(m_pen.widthF() + 0.5) % 2 == 1 || m_pen.widthF() == 0;
    if (odd) painter.translate(0.5, 0.5);
    painter.setPen(m_pen);
    painter.setBrush(Qt::NoBrush);
    for (const Segment& segment : segments) {
        if (segment.empty()) continue;
        if (segment.size() == 1) {
            // A lone sample has no line to it: a dot a little wider than the line shows it.
            const double radius = std::max(2.0, m_pen.widthF() + 1);
            painter.setPen(Qt::NoPen);
            painter.setBrush(m_pen.color());
            painter.drawEllipse(QPointF(segment[0].x, segment[0].y), radius, radius);
            painter.setPen(m_pen);
            painter.setBrush(Qt::NoBrush);
            continue;
        }
        painter.drawPolyline(ReduceColumns(segment));
    }
    if (odd) painter.translate(-0.5, -0.5);
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (m_symbol->GetKind() != 0)
        for (const PointRecord* point : SymbolVertices(segments, m_symbolDist)) m_symbol->Draw(painter, point->x, point->y);
    painter.restore();
}

}  // namespace ovgGraph
