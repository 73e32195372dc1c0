#include "graph/GlyphText.h"

#include <algorithm>

namespace ovgGraph {

GlyphText::GlyphText(Glyph* parent) : GlyphInt(parent), m_drawStr(std::make_shared<GdiDrawStr>(this)) {}

void GlyphText::SetText(const QString& text)
{
    if (text == m_text) return;
    m_text = text;
    Notify(kChanged);
}

void GlyphText::Layout(uint8_t)
{
    if (!IsVisible()) {
        SetArea(0, 0, 0, 0);
        return;
    }
    std::vector<TextLine> lines;
    const Point size = m_drawStr->Measure(lines, m_text);
    const uint8_t align = m_drawStr->GetAlignment();
    const bool left = align & kLeft, hCentre = align & kHCentre, right = align & kRight;
    const bool top = align & kTop, vCentre = align & kVCentre, bottom = align & kBottom;
    int32_t x = AnchorStart(size.x, left, hCentre, right);
    int32_t y = AnchorStart(size.y, top, vCentre, bottom);
    if (left) x += paddingLeft;
    else if (right && !hCentre) x -= paddingRight;
    if (top) y += paddingTop;
    else if (bottom && !vCentre) y -= paddingBottom;

    // Turn the block and the drawing point about the anchor by quarter turns.
    Rect block{x, y, x + size.x, y + size.y};
    Point point{x, y};
    const auto turnEdge = [](int32_t& ex, int32_t& ey, int rotation) {
        const int32_t px = ex, py = ey;
        switch (rotation) {
            case 1: ex = py; ey = 1 - px; break;
            case 2: ex = 1 - px; ey = 1 - py; break;
            case 3: ex = 1 - py; ey = px; break;
            default: break;
        }
    };
    const int rotation = m_drawStr->GetRotation();
    if (rotation >= 1 && rotation <= 3) {
        turnEdge(block.left, block.top, rotation);
        turnEdge(block.right, block.bottom, rotation);
        if (block.left > block.right) std::swap(block.left, block.right);
        if (block.top > block.bottom) std::swap(block.top, block.bottom);
        point = GdiDrawStr::Turn(point, uint8_t(rotation));
    }
    m_drawPoint = point;
    SetArea(block);
}

// The drawing point is the block's corner that Layout already anchored.
void GlyphText::Draw(QPainter& painter) { m_drawStr->DrawFrom(painter, m_text, m_drawPoint.x, m_drawPoint.y); }

}  // namespace ovgGraph
