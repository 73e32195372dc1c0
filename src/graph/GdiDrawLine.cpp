#include "graph/GdiDrawLine.h"

#include <QPainter>
#include <QPolygon>
#include <cmath>

namespace ovgGraph {

QPen MakePen(const LogPen& record)
{
    static constexpr Qt::PenStyle kStyles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                               Qt::DashDotDotLine, Qt::NoPen};
    const Qt::PenStyle style = record.style < 6 ? kStyles[record.style] : Qt::SolidLine;
    if (style == Qt::NoPen) return QPen(Qt::NoPen);
    QPen pen(ToQColor(record.color), std::max(record.widthX, 1), style, Qt::RoundCap, Qt::RoundJoin);
    return pen;
}

GdiDrawLine::GdiDrawLine(Observer* owner) : GdiDrawObject(owner) { Rebuild(); }

void GdiDrawLine::Rebuild()
{
    m_pen = MakePen(m_logPen);
    m_brush = QBrush(ToQColor(m_logPen.color));
}

void GdiDrawLine::Draw(QPainter& painter, int32_t x1, int32_t y1, int32_t x2, int32_t y2) const
{
    painter.save();
    painter.setPen(m_pen);
    painter.setBrush(m_brush);
    painter.drawLine(x1, y1, x2, y2);
    const double angle = std::atan2(double(y2 - y1), double(x2 - x1));
    DrawEnd(painter, x2, y2, angle, m_endPointStyle, m_endPointSize);
    DrawEnd(painter, x1, y1, angle - M_PI, m_startPointStyle, m_startPointSize);
    painter.restore();
}

void GdiDrawLine::DrawEnd(QPainter& painter, int32_t x, int32_t y, double angle, uint8_t style, uint8_t size) const
{
    if (style == 0 || size == 0) return;
    const int32_t scaled = size * std::max(m_logPen.widthX, 1);
    switch (style) {
        case 1: DrawDot(painter, x, y, scaled); break;
        case 2: DrawOpenArrow(painter, x, y, angle, scaled); break;
        case 3: DrawFilledArrow(painter, x, y, angle, scaled); break;
        default: break;
    }
}

void GdiDrawLine::DrawDot(QPainter& painter, int32_t x, int32_t y, int32_t radius) const
{
    painter.save();
    painter.setPen(m_pen);
    painter.setBrush(m_brush);
    painter.drawEllipse(QRect(x - radius, y - radius, 2 * radius, 2 * radius));  // outline included
    painter.restore();
}

namespace {
// The two back corners of an arrow head: the tip plus (-sqrt(3) s, +-s) turned by the angle.
QPolygon ArrowHead(int32_t x, int32_t y, double angle, int32_t size)
{
    const double c = std::cos(angle), s = std::sin(angle);
    const double bx = -std::sqrt(3.0) * size;
    const auto corner = [&](double by) { return QPoint(x + int(bx * c - by * s), y + int(bx * s + by * c)); };
    return QPolygon({corner(size), QPoint(x, y), corner(-size)});
}
}  // namespace

void GdiDrawLine::DrawOpenArrow(QPainter& painter, int32_t x, int32_t y, double angle, int32_t size) const
{
    painter.save();
    painter.setPen(m_pen);
    painter.drawPolyline(ArrowHead(x, y, angle, size));
    painter.restore();
}

void GdiDrawLine::DrawFilledArrow(QPainter& painter, int32_t x, int32_t y, double angle, int32_t size) const
{
    painter.save();
    painter.setPen(m_pen);
    painter.setBrush(m_brush);
    painter.drawPolygon(ArrowHead(x, y, angle, size));
    painter.restore();
}

}  // namespace ovgGraph
