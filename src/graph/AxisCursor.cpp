#include "graph/AxisCursor.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "graph/Colour.h"
#include "graph/GdiDrawRect.h"

namespace ovgGraph {

AxisCursor::AxisCursor(Glyph* parent) : GlyphInt(parent), m_drawer(std::make_shared<AxisCursorDrawer>()) {}

void AxisCursor::SetOrientation(int32_t orientation)
{
    if (orientation == m_orientation) return;
    m_orientation = orientation;
    Notify(kChanged);
}

void AxisCursor::SetLimits(double lower, double upper)
{
    if (lower == m_lowerLimit && upper == m_upperLimit) return;
    m_lowerLimit = lower;
    m_upperLimit = upper;
    Notify(kChanged | kRelayout);
}

void AxisCursor::SetDisplayRange(double a, double b)
{
    if (b < a) std::swap(a, b);
    if (a == m_displayMin && b == m_displayMax) return;
    m_displayMin = a;
    m_displayMax = b;
    Notify(kChanged | kRelayout);
}

double AxisCursor::SetClamped(double& field, double value)
{
    const double clamped = value < m_lowerLimit ? m_lowerLimit : value > m_upperLimit ? m_upperLimit : value;
    if (clamped != field) {
        field = clamped;
        Notify(kChanged);
    }
    return field;
}

void AxisCursor::SetCursor1(double value) { SetClamped(m_cursor1, value); }
void AxisCursor::SetCursor2(double value) { SetClamped(m_cursor2, value); }

// Vertical: the displayed minimum at the bottom edge; horizontal: at the left edge.
int32_t AxisCursor::PixelOf(double value) const
{
    const Rect area = GetArea();
    const bool vertical = m_orientation == 1;
    const int32_t n = vertical ? area.Height() : area.Width();
    const double span = m_displayMax - m_displayMin;
    const double q = n != 0 ? span / n : span;
    const double steps = q != 0 && std::isfinite(q) ? std::floor((value - m_displayMin) / q + 1e-9) : 0.0;
    const int32_t offset = int32_t(std::clamp(steps, -1e7, 1e7));
    return vertical ? area.bottom + area.top - offset : area.left + offset;
}

Rect AxisCursor::HandleAt(double value) const
{
    const Rect area = GetArea();
    const int32_t h = m_handleSize;
    const int32_t p = PixelOf(value);
    if (m_orientation == 1) {
        int32_t top = std::max(p - h / 2, PixelOf(m_upperLimit));
        int32_t bottom = top + h;
        if (bottom > PixelOf(m_lowerLimit)) {
            bottom = PixelOf(m_lowerLimit);
            top = bottom - h;
        }
        return {area.left, top, area.right, bottom};
    }
    int32_t left = std::max(p - h / 2, PixelOf(m_lowerLimit));
    int32_t right = left + h;
    if (right > PixelOf(m_upperLimit)) {
        right = PixelOf(m_upperLimit);
        left = right - h;
    }
    return {left, area.top, right, area.bottom};
}

void AxisCursor::Layout(uint8_t)
{
    m_handle1 = HandleAt(m_cursor1);
    m_handle2 = HandleAt(m_cursor2);
    const Rect area = GetArea();
    if (m_orientation == 1) {
        const int32_t from = std::min(m_handle1.bottom, m_handle2.bottom);
        const int32_t to = std::max(m_handle1.top, m_handle2.top);
        m_band = {area.left, from, area.right, std::max(from, to)};
    } else {
        const int32_t from = std::min(m_handle1.right, m_handle2.right);
        const int32_t to = std::max(m_handle1.left, m_handle2.left);
        m_band = {from, area.top, std::max(from, to), area.bottom};
    }
}

void AxisCursor::Draw(QPainter& painter) { m_drawer->Draw(painter, *this); }

AxisCursorDrawer::AxisCursorDrawer() : m_font(QStringLiteral("Meiryo UI"))
{
    m_font.setPixelSize(11);
    m_font.setWeight(QFont::Normal);
}

// Roles of the colours: 0xA8A8A8 handle frame, 0xFFFFFF handle face and letters' halo,
// 0xC0C0C0 the band.
void AxisCursorDrawer::Draw(QPainter& painter, const AxisCursor& cursor)
{
    const Rect area = cursor.GetArea();
    if (area.Width() <= 0 || area.Height() <= 0) return;
    m_layer.Resize(area.Width(), area.Height(), painter.device() ? painter.device()->devicePixelRatioF() : 1.0);
    const bool vertical = cursor.GetOrientation() == 1;
    {
        QPainter strip(&m_layer.Image());
        strip.translate(-area.left, -area.top);
        const QRectF box(area.left, area.top, area.Width(), area.Height());
        strip.fillRect(box, LinearGradient(box, vertical ? 0xFFD0D0 : 0xFFC0C0, vertical ? 0xFFC0C0 : 0xFFD0D0,
                                           vertical ? 0 : 90));
        const auto toQ = [](const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); };
        if (cursor.GetBand().Width() > 0 && cursor.GetBand().Height() > 0)
            strip.fillRect(toQ(cursor.GetBand()), ToQColor(0xC0C0C0));
        strip.setFont(m_font);
        const std::pair<const Rect*, QString> handles[] = {{&cursor.GetHandle1(), QStringLiteral("A")},
                                                           {&cursor.GetHandle2(), QStringLiteral("B")}};
        for (const auto& [handle, letter] : handles) {
            const QRect r = toQ(*handle).adjusted(0, 0, -1, -1);
            strip.setPen(ToQColor(0xA8A8A8));
            strip.setBrush(ToQColor(0xFFFFFF));
            strip.drawRect(r);
            strip.setPen(ToQColor(0x404040));
            strip.drawText(toQ(*handle), Qt::AlignCenter, letter);
        }
    }
    painter.drawImage(QPoint(area.left, area.top), m_layer.Image());
}

}  // namespace ovgGraph
