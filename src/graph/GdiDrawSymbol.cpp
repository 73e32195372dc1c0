#include "graph/GdiDrawSymbol.h"

#include <QPainter>
#include <QPolygon>

namespace ovgGraph {

GdiDrawSymbol::GdiDrawSymbol(Observer* owner) : GdiDrawObject(owner) { Rebuild(); }

void GdiDrawSymbol::Rebuild()
{
    m_pen = MakePen(m_logPen);
    m_pen.setCapStyle(Qt::FlatCap);
    m_brush = QBrush(ToQColor(m_brushColor));
}

void GdiDrawSymbol::Draw(QPainter& painter, int32_t x, int32_t y) const
{
    if (m_kind < 1 || m_kind > 7) return;
    painter.save();
    painter.setPen(m_pen);
    painter.setBrush(m_brush);
    const auto polygon = [&](std::initializer_list<QPoint> points) {
        painter.drawPolygon(QPolygon(QList<QPoint>(points)), Qt::OddEvenFill);
    };
    switch (m_kind) {
        case 1: painter.drawEllipse(QRect(x - 4, y - 4, 8, 8)); break;  // with its outline: x - 4 to x + 4
        case 2: painter.fillRect(QRect(x - 4, y - 4, 9, 9), m_brush); break;
        case 3: polygon({{x, y - 4}, {x + 4, y + 4}, {x - 4, y + 4}}); break;
        case 4: polygon({{x, y + 4}, {x + 4, y - 4}, {x - 4, y - 4}}); break;
        case 5: polygon({{x, y - 4}, {x + 4, y}, {x, y + 4}, {x - 4, y}}); break;
        case 6:
            painter.drawLine(x - 4, y - 4, x + 4, y + 4);
            painter.drawLine(x - 4, y + 4, x + 4, y - 4);
            break;
        case 7:
            painter.drawLine(x - 4, y, x + 4, y);
            painter.drawLine(x, y - 4, x, y + 4);
            break;
        default: break;
    }
    painter.restore();
}

}  // namespace ovgGraph
