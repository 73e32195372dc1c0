#include "graph/shapes/ShapeLine.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace ovgGraph {
namespace {

constexpr int32_t kGrip = 5;  // how near a point must be to take an end or the line

bool Near(Point a, Point b) { return std::abs(a.x - b.x) <= kGrip && std::abs(a.y - b.y) <= kGrip; }

}  // namespace

ShapeLine::ShapeLine(Glyph* parent, Kind kind) : ShapeBase(parent, kind), m_line(this)
{
    m_line.SetLogPen({0, 2, 2, 0x000000});
    if (kind == Kind::kArrow) {
        m_line.SetEndPointStyle(3);
        m_line.SetEndPointSize(4);
    }
}

void ShapeLine::SetEndValues(double x, double y)
{
    if (x == m_endX && y == m_endY) return;
    m_endX = x;
    m_endY = y;
    Notify(kChanged | kRedraw);
}

void ShapeLine::SetPixels(Point start, Point end)
{
    SetOrigin(start);
    SetEndValues(ToValueX(end.x), ToValueY(end.y));
}

void ShapeLine::UpdateKindFromEnds()
{
    const uint8_t end = m_line.GetEndPointStyle();
    SetKind(end == 2 || end == 3 ? Kind::kArrow : Kind::kLine);
}

void ShapeLine::Update(Subject* subject, uint32_t flags)
{
    if (subject == &m_line && (GetKind() == Kind::kLine || GetKind() == Kind::kArrow)) UpdateKindFromEnds();
    ShapeBase::Update(subject, flags);
}

uint32_t ShapeLine::HitHandle(Point point) const
{
    const Point start = GetOrigin(), end = GetEndPixel();
    if (Near(point, end)) return kEndPoint;
    if (Near(point, start)) return kStartPoint;
    const double reach = std::max(kGrip, m_line.GetLogPen().widthX / 2 + 3);
    return DistanceToSegment(point, start, end) <= reach ? kBody : kNoHandle;
}

void ShapeLine::MoveBy(const ShapeBase& from, int32_t dx, int32_t dy)
{
    const auto& line = static_cast<const ShapeLine&>(from);
    const Point start = line.GetOrigin(), end = line.GetEndPixel();
    SetPixels({start.x + dx, start.y + dy}, {end.x + dx, end.y + dy});
}

void ShapeLine::DragHandle(const ShapeBase& from, uint32_t handle, Point point)
{
    const auto& line = static_cast<const ShapeLine&>(from);
    if (handle == kStartPoint) SetPixels(point, line.GetEndPixel());
    if (handle == kEndPoint) SetPixels(line.GetOrigin(), point);
}

Rect ShapeLine::Bounds() const
{
    const Point a = GetOrigin(), b = GetEndPixel();
    const int32_t grow = std::max<int32_t>(kGrip, m_line.GetLogPen().widthX * std::max({m_line.GetEndPointSize(), m_line.GetStartPointSize(), uint8_t(1)}));
    return {std::min(a.x, b.x) - grow, std::min(a.y, b.y) - grow, std::max(a.x, b.x) + grow + 1, std::max(a.y, b.y) + grow + 1};
}

void ShapeLine::Draw(QPainter& painter)
{
    const Point a = GetOrigin(), b = GetEndPixel();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    m_line.Draw(painter, a.x, a.y, b.x, b.y);
    painter.restore();
}

}  // namespace ovgGraph
