#include "graph/GdiDrawRect.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace ovgGraph {

GdiDrawRect::GdiDrawRect(Observer* owner) : GdiDrawObject(owner) { Rebuild(); }

void GdiDrawRect::SetFrameRound(int32_t round)
{
    if (m_frameRoundX == round && m_frameRoundY == round) return;
    m_frameRoundX = m_frameRoundY = round;
    Rebuild();
    NotifyObservers(kChanged);
}

void GdiDrawRect::Rebuild()
{
    m_pen = HasFrame() ? QPen(ToQColor(m_frameColor), m_frameWidth) : QPen(Qt::NoPen);
    m_brush = !m_backGradation && m_backColor1 != kNoColour ? QBrush(ToQColor(m_backColor1)) : QBrush(Qt::NoBrush);
}

QBrush LinearGradient(const QRectF& rect, uint32_t from, uint32_t to, int32_t degrees)
{
    const double radians = degrees * M_PI / 180.0;
    const QPointF direction(std::cos(radians), -std::sin(radians));
    // The gradient spans the rectangle's extent along the direction, through its centre.
    const double half = (std::abs(direction.x()) * rect.width() + std::abs(direction.y()) * rect.height()) / 2;
    QLinearGradient gradient(rect.center() - direction * half, rect.center() + direction * half);
    gradient.setColorAt(0, ToQColor(from));
    gradient.setColorAt(1, ToQColor(to == kNoColour ? from : to));
    return QBrush(gradient);
}

void DrawDropShadow(QPainter& painter, const QRectF& rect, int32_t depth)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    for (int32_t i = depth; i >= 1; --i) {
        // Darker near the body, fading outwards.
        painter.setBrush(QColor(0, 0, 0, 60 * (depth - i + 1) / depth / 2 + 10));
        painter.drawRect(rect.translated(i, i).adjusted(0, 0, 0, 0));
    }
    painter.restore();
}

void GdiDrawRect::Draw(QPainter& painter, const Rect& given) const
{
    const bool rounded = m_frameRoundX > 0 && m_frameRoundY >= 1;
    const int32_t w = m_frameWidth;
    QRectF rect(given.left, given.top, given.Width(), given.Height());
    painter.save();
    painter.setPen(Qt::NoPen);

    const auto shape = [&](const QRectF& r) {
        QPainterPath path;
        if (rounded)
            path.addRoundedRect(r, m_frameRoundX / 2.0, m_frameRoundY / 2.0);
        else
            path.addRect(r);
        return path;
    };

    // A rectangle no wider than twice its frame is all frame; a zero-width one still covers a pixel.
    if (HasFrame() && std::min(given.Width(), given.Height()) <= 2 * w) {
        if (rect.width() <= 0) rect.setWidth(1);
        if (rect.height() <= 0) rect.setHeight(1);
        painter.fillPath(shape(rect), ToQColor(m_frameColor));
        painter.restore();
        return;
    }

    if (m_backColor1 != kNoColour && m_shadowDepth >= 1) {
        const int32_t room = std::min(given.Width(), given.Height());
        const int32_t depth = std::clamp(std::min(m_shadowDepth, room / 4), 0, room);
        rect.adjust(0, 0, -depth, -depth);
        DrawDropShadow(painter, rect, depth);
    }

    const QPainterPath outer = shape(rect);
    QBrush fill = m_brush;
    if (m_backColor1 != kNoColour && m_backGradation) fill = LinearGradient(rect, m_backColor1, m_backColor2, m_backAngle);
    if (HasFrame()) {
        const QPainterPath inner = shape(rect.adjusted(w, w, -w, -w));
        painter.fillPath(outer.subtracted(inner), ToQColor(m_frameColor));
        if (fill.style() != Qt::NoBrush) painter.fillPath(inner, fill);
    } else if (fill.style() != Qt::NoBrush) {
        painter.fillPath(outer, fill);
    }
    painter.restore();
}

}  // namespace ovgGraph
