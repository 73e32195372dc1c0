#pragma once

#include "graph/Glyph.h"
#include "graph/Margin.h"

namespace ovgGraph {

// A glyph with integer geometry: its origin in the parent's coordinates and its area in its own.
// Setters store and notify with 4 only when the value changes.
class GlyphInt : public Glyph, public Margin {
public:
    explicit GlyphInt(Glyph* parent) : Glyph(parent) {}

    void SetOrigin(Point origin) override;
    void SetOrigin(int32_t x, int32_t y) override { SetOrigin(Point{x, y}); }
    void SetOriginX(int32_t x) override { SetOrigin(Point{x, m_origin.y}); }
    void SetOriginY(int32_t y) override { SetOrigin(Point{m_origin.x, y}); }
    Point GetOrigin() const override { return m_origin; }
    int32_t GetOriginX() const override { return m_origin.x; }
    int32_t GetOriginY() const override { return m_origin.y; }
    void SetArea(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    void SetArea(const Rect& area) override;
    void SetAreaLeft(int32_t v) override { SetArea(v, m_area.top, m_area.right, m_area.bottom); }
    void SetAreaRight(int32_t v) override { SetArea(m_area.left, m_area.top, v, m_area.bottom); }
    void SetAreaTop(int32_t v) override { SetArea(m_area.left, v, m_area.right, m_area.bottom); }
    void SetAreaBottom(int32_t v) override { SetArea(m_area.left, m_area.top, m_area.right, v); }
    Rect GetArea() const override { return m_area; }
    int32_t GetAreaLeft() const override { return m_area.left; }
    int32_t GetAreaRight() const override { return m_area.right; }
    int32_t GetAreaTop() const override { return m_area.top; }
    int32_t GetAreaBottom() const override { return m_area.bottom; }
    int32_t GetWidth() const override { return m_area.Width(); }
    int32_t GetHeight() const override { return m_area.Height(); }
    bool HitTest(Point point) const override { return m_area.Contains(point); }

private:
    Point m_origin;
    Rect m_area;
};

// Base of transient overlay glyphs (highlights, drag feedback).
class Effect : public GlyphInt {
public:
    using GlyphInt::GlyphInt;
};

}  // namespace ovgGraph
