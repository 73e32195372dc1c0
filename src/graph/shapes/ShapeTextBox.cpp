#include "graph/shapes/ShapeTextBox.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace ovgGraph {
namespace {

constexpr int32_t kGrip = 4;     // how near an edge a point must be to take it
constexpr int32_t kMinSide = 8;  // the smallest box an edge drag leaves

Rect Normalised(Rect r)
{
    if (r.left > r.right) std::swap(r.left, r.right);
    if (r.top > r.bottom) std::swap(r.top, r.bottom);
    r.right = std::max(r.right, r.left + kMinSide);
    r.bottom = std::max(r.bottom, r.top + kMinSide);
    return r;
}

}  // namespace

ShapeTextBox::ShapeTextBox(Glyph* parent, Kind kind) : ShapeBase(parent, kind), m_text(std::make_shared<GlyphText>(this)), m_rect(this)
{
    m_text->paddingLeft = m_text->paddingRight = m_text->paddingTop = m_text->paddingBottom = 4;
    m_text->GetDrawStr().SetTextColor(0x000000);
    m_text->GetDrawStr().SetFontSize(14);
    m_rect.SetFrameColor(0x000000);
    m_rect.SetFrameWidth(1);
    if (kind == Kind::kRect) {
        m_rect.SetFrameWidth(2);
        m_rect.SetFrameColor(0x0000FF);
    } else {
        m_rect.SetBackColor1(0xFFFFFF);
        m_autoFit = true;
    }
}

void ShapeTextBox::SetExtent(const Rect& extent) { Change(m_extent, extent); }

Rect ShapeTextBox::BoxPixels() const
{
    const Point o = GetOrigin();
    Rect box{o.x + m_extent.left, o.y + m_extent.top, o.x + m_extent.right, o.y + m_extent.bottom};
    if (m_autoFit) {
        std::vector<TextLine> lines;
        const QString text = m_text->GetText().isEmpty() ? QStringLiteral(" ") : m_text->GetText();
        const Point size = m_text->GetDrawStr().Measure(lines, text);
        box.right = box.left + size.x + m_text->paddingLeft + m_text->paddingRight;
        box.bottom = box.top + size.y + m_text->paddingTop + m_text->paddingBottom;
    }
    return box;
}

void ShapeTextBox::SetBoxPixels(Rect box)
{
    box = Normalised(box);
    SetOrigin(Point{box.left, box.top});
    SetExtent({0, 0, box.Width(), box.Height()});
}

uint32_t ShapeTextBox::HitHandle(Point p) const
{
    const Rect box = BoxPixels();
    const Rect grown{box.left - kGrip, box.top - kGrip, box.right + kGrip, box.bottom + kGrip};
    if (!grown.Contains(p)) return kNoHandle;
    if (m_sizeLock || m_autoFit) return kBody;
    uint32_t edges = 0;
    if (std::abs(p.x - box.left) <= kGrip) edges |= kEdgeLeft;
    if (std::abs(p.x - (box.right - 1)) <= kGrip) edges |= kEdgeRight;
    if (std::abs(p.y - box.top) <= kGrip) edges |= kEdgeTop;
    if (std::abs(p.y - (box.bottom - 1)) <= kGrip) edges |= kEdgeBottom;
    if ((edges & kEdgeLeft) && (edges & kEdgeRight)) edges &= ~kEdgeLeft;  // a narrow box: the right edge wins
    if ((edges & kEdgeTop) && (edges & kEdgeBottom)) edges &= ~kEdgeTop;
    return edges ? edges : kBody;
}

void ShapeTextBox::MoveBy(const ShapeBase& from, int32_t dx, int32_t dy)
{
    const Point o = from.GetOrigin();
    SetOrigin(Point{o.x + dx, o.y + dy});
}

void ShapeTextBox::DragHandle(const ShapeBase& from, uint32_t handle, Point p)
{
    Rect box = static_cast<const ShapeTextBox&>(from).BoxPixels();
    if (handle & kEdgeLeft) box.left = p.x;
    if (handle & kEdgeRight) box.right = p.x + 1;
    if (handle & kEdgeTop) box.top = p.y;
    if (handle & kEdgeBottom) box.bottom = p.y + 1;
    SetBoxPixels(box);
}

Rect ShapeTextBox::Bounds() const
{
    const Rect box = BoxPixels();
    const int32_t shadow = std::max(0, m_rect.GetShadowDepth());
    return {box.left - 1, box.top - 1, box.right + shadow + 1, box.bottom + shadow + 1};
}

void ShapeTextBox::Draw(QPainter& painter)
{
    const Rect box = BoxPixels();
    if (m_enableBack) m_rect.Draw(painter, box);
    if (m_enableText && !m_text->GetText().isEmpty()) {
        const GlyphText& t = *m_text;
        t.GetDrawStr().DrawInRect(painter, t.GetText(), box.left + t.paddingLeft, box.top + t.paddingTop, box.right - t.paddingRight,
                                  box.bottom - t.paddingBottom);
    }
}

}  // namespace ovgGraph
