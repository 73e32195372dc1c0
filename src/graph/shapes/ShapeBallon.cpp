#include "graph/shapes/ShapeBallon.h"

#include <QPainter>
#include <algorithm>

namespace ovgGraph {

ShapeBallon::ShapeBallon(Glyph* parent)
    : ShapeBase(parent, Kind::kBallon),
      m_pointer(std::make_shared<ShapeLine>(this, Kind::kLine)),
      m_box(std::make_shared<ShapeTextBox>(this, Kind::kTextBox))
{
    m_pointer->GetLine().SetLogPen({0, 1, 1, 0x000000});
    m_pointer->GetLine().SetStartPointStyle(1);
    m_pointer->GetLine().SetStartPointSize(2);
    m_box->GetDrawRect().SetFrameRound(8);
    m_box->GetDrawRect().SetBackColor1(0xE0FFFF);
}

void ShapeBallon::SetAlignment(int32_t alignment)
{
    if (alignment == m_alignment) return;
    m_alignment = alignment;
    Notify(kChanged | kRedraw);
}

void ShapeBallon::SetAnchorPixel(Point point) { m_pointer->SetOrigin(point); }

void ShapeBallon::SyncPointer()
{
    const Rect box = m_box->BoxPixels();
    m_pointer->SetEndValues(m_pointer->ToValueX(box.left + box.Width() / 2), m_pointer->ToValueY(box.top + box.Height() / 2));
}

void ShapeBallon::SetOriginValues(double x, double y)
{
    ShapeBase::SetOriginValues(x, y);
    m_box->SetOriginValues(x, y);
}

void ShapeBallon::SetAssociationAxes(std::shared_ptr<Axis> x, std::shared_ptr<Axis> y)
{
    ShapeBase::SetAssociationAxes(x, y);
    m_box->SetAssociationAxes(x, y);
    m_pointer->SetAssociationAxes(std::move(x), std::move(y));
}

uint32_t ShapeBallon::HitHandle(Point point) const
{
    if (m_pointer->HitHandle(point) == kStartPoint) return kEndPoint;  // the anchor: the callout's far end
    if (const uint32_t handle = m_box->HitHandle(point)) return handle;
    const Rect box = m_box->BoxPixels();
    const Point centre{box.left + box.Width() / 2, box.top + box.Height() / 2};
    return DistanceToSegment(point, centre, GetAnchorPixel()) <= 4 ? kBody : kNoHandle;
}

void ShapeBallon::MoveBy(const ShapeBase& from, int32_t dx, int32_t dy)
{
    const Point o = static_cast<const ShapeBallon&>(from).GetBox().GetOrigin();
    SetOrigin(Point{o.x + dx, o.y + dy});
}

void ShapeBallon::DragHandle(const ShapeBase& from, uint32_t handle, Point point)
{
    const auto& ballon = static_cast<const ShapeBallon&>(from);
    if (handle == kEndPoint) {
        SetAnchorPixel(point);
        return;
    }
    m_box->DragHandle(ballon.GetBox(), handle, point);
    ShapeBase::SetOriginValues(m_box->GetOriginValueX(), m_box->GetOriginValueY());
}

Rect ShapeBallon::Bounds() const
{
    const Rect a = m_box->Bounds(), b = m_pointer->Bounds();
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

void ShapeBallon::Draw(QPainter& painter)
{
    // Drawn from the box's centre as it is now, without storing it: drawing changes nothing.
    const Rect box = m_box->BoxPixels();
    const Point anchor = GetAnchorPixel();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    m_pointer->GetLine().Draw(painter, anchor.x, anchor.y, box.left + box.Width() / 2, box.top + box.Height() / 2);
    painter.restore();
    m_box->Draw(painter);
}

}  // namespace ovgGraph
