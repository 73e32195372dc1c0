#include "graph/GdiDrawEllipse.h"

#include <QPainter>
#include <QPainterPath>

#include "graph/GdiDrawRect.h"

namespace ovgGraph {

// Without a frame the interior is filled with the back colour (or gradient), when there is one.
void GdiDrawEllipse::Draw(QPainter& painter, const Rect& rect) const
{
    const QRectF box(rect.left, rect.top, rect.Width(), rect.Height());
    painter.save();
    QBrush fill(Qt::NoBrush);
    if (m_backColor1 != kNoColour)
        fill = m_backGradation ? LinearGradient(box, m_backColor1, m_backColor2, m_backAngle) : QBrush(ToQColor(m_backColor1));
    const bool frame = m_frameColor != kNoColour && m_frameWidth > 0;
    painter.setPen(frame ? QPen(ToQColor(m_frameColor), m_frameWidth) : QPen(Qt::NoPen));
    painter.setBrush(fill);
    painter.drawEllipse(box);
    painter.restore();
}

}  // namespace ovgGraph
