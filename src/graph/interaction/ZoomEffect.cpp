#include "graph/interaction/ZoomEffect.h"

#include <QPainter>
#include <algorithm>

namespace ovgGraph {

Point ZoomEffect::Clip(Point point) const
{
    if (m_bounds.Width() <= 0 || m_bounds.Height() <= 0) return point;
    return {std::clamp(point.x, m_bounds.left, m_bounds.right - 1), std::clamp(point.y, m_bounds.top, m_bounds.bottom - 1)};
}

Rect ZoomEffect::Band() const
{
    Rect band{std::min(m_startPoint.x, m_endPoint.x), std::min(m_startPoint.y, m_endPoint.y),
              std::max(m_startPoint.x, m_endPoint.x) + 1, std::max(m_startPoint.y, m_endPoint.y) + 1};
    if (m_mode == kX) band.top = m_bounds.top, band.bottom = m_bounds.bottom;
    if (m_mode == kY) band.left = m_bounds.left, band.right = m_bounds.right;
    return band;
}

void ZoomEffect::Draw(QPainter& painter)
{
    const Rect band = Band();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(40, 90, 200), 1, Qt::DashLine));
    painter.setBrush(QColor(40, 90, 200, 40));
    painter.drawRect(band.left, band.top, band.Width() - 1, band.Height() - 1);
    painter.restore();
}

}  // namespace ovgGraph
