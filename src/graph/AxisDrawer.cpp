#include "graph/AxisDrawer.h"

#include <QPainter>
#include <utility>

#include "graph/Axis.h"

namespace ovgGraph {

AxisDrawer::AxisDrawer(Observer* owner) : GdiDrawObject(owner) { Rebuild(); }

void AxisDrawer::Rebuild()
{
    m_pen = MakePen(m_logPen);
    m_pen.setJoinStyle(Qt::BevelJoin);
    m_pen.setCapStyle(Qt::FlatCap);
}

namespace {

// A point `inward` pixels towards the plot from the axis line, at `along` pixels along the axis.
QPoint At(uint8_t type, int32_t along, int32_t inward)
{
    switch (type) {
        case Axis::kLeft: return {inward, -along};
        case Axis::kRight: return {-inward, -along};
        case Axis::kAbove: return {along, inward};
        default: return {along, -inward};  // below the plot
    }
}

// A straight line covering both of its end pixels. The painter covers a line from its lower device
// coordinate up to, not including, its higher one: the axis line would miss one end and ticks
// towards the plot on the right and below would sit a pixel off those on the left and above.
void DrawThrough(QPainter& painter, QPoint a, QPoint b)
{
    if (a.x() == b.x()) {
        if (a.y() > b.y()) std::swap(a, b);
        b.ry() += 1;
    } else {
        if (a.x() > b.x()) std::swap(a, b);
        b.rx() += 1;
    }
    painter.drawLine(a, b);
}

}  // namespace

void AxisDrawer::Draw(QPainter& painter, const Axis& axis, const std::vector<int32_t>& scalePixels,
                      const std::vector<int32_t>& subscalePixels) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(m_pen);
    DrawThrough(painter, At(axis.GetType(), 0, 0), At(axis.GetType(), axis.GetLength() - 1, 0));
    if (m_subscaleDrawType != kNone) DrawTicks(painter, axis, subscalePixels, m_subscaleLength, m_subscaleDrawType);
    if (m_scaleDrawType != kNone) DrawTicks(painter, axis, scalePixels, m_scaleLength, m_scaleDrawType);
    painter.restore();
}

void AxisDrawer::DrawTicks(QPainter& painter, const Axis& axis, const std::vector<int32_t>& pixels, int32_t length,
                           int32_t type) const
{
    const int32_t w = std::max(m_logPen.widthX, 1);
    const int32_t widthOffset = w == 1 ? 0 : w <= 3 ? 1 : 2;  // wide pens start and end a little further
    const int32_t inner = type == kInside || type == kCross ? length : 0;
    int32_t start = -widthOffset;
    if (type != kInside) start -= length * w;
    const int32_t end = inner + widthOffset;
    for (const int32_t pixel : pixels) DrawThrough(painter, At(axis.GetType(), pixel, start), At(axis.GetType(), pixel, end));
}

}  // namespace ovgGraph
