#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "graph/Geometry.h"
#include "graph/Subject.h"

class QPainter;

namespace ovgGraph {

// State bits of a glyph.
enum GlyphState : uint32_t {
    kVisible = 1,      // only visible glyphs are laid out and drawn
    kRedraw = 2,       // must be redrawn
    kChanged = 4,      // geometry or appearance changed (every setter sets it)
    kAutoView = 16,    // a scroll bar in automatic view mode
    kRelayout = 64,    // the whole graph must be laid out again (the root's business)
};

// A node of the graph's tree of drawable objects. It observes its children (and its drawing
// primitives): a change below notifies it, and it notifies its own parent in turn.
// Neither link owns: children are owned by their containers through shared pointers. A glyph
// leaves its parent's child list when it is destroyed or moved, and the children of a destroyed
// glyph are left without a parent, so a channel that outlives its graph points nowhere.
class Glyph : public Observer, public Subject {
public:
    // Attaches the parent as an observer of the new glyph.
    explicit Glyph(Glyph* parent);
    ~Glyph() override;

    Glyph* GetParent() const { return m_parent; }
    // Moves the glyph under another parent (none: out of the tree), which then observes it
    // instead of the old one.
    void SetParent(Glyph* parent);
    // The child interface: the glyphs whose parent this is, in the order they joined.
    const std::vector<Glyph*>& GetChildren() const { return m_children; }
    void InsertChild(Glyph& child) { child.SetParent(this); }
    void RemoveChild(Glyph& child);
    // Puts `replacement` where `child` was among the children; `child` leaves the tree.
    void ReplaceChild(Glyph& child, Glyph& replacement);
    // Calls visit on this glyph and every glyph below it, parents before children.
    void Walk(const std::function<void(Glyph&)>& visit);
    uint32_t GetState() const { return m_state; }
    bool IsVisible() const { return (m_state & kVisible) != 0; }
    void SetStateBits(uint32_t bits) { m_state |= bits; }
    void ClearStateBits(uint32_t bits) { m_state &= ~bits; }

    // Calls Notify(flags).
    void Update(Subject* subject, uint32_t flags) override;
    virtual void SetOrigin(Point origin) = 0;
    virtual void SetOrigin(int32_t x, int32_t y) = 0;
    virtual void SetOriginX(int32_t x) = 0;
    virtual void SetOriginY(int32_t y) = 0;
    virtual Point GetOrigin() const = 0;
    virtual int32_t GetOriginX() const = 0;
    virtual int32_t GetOriginY() const = 0;
    virtual void SetArea(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
    virtual void SetArea(const Rect& area) = 0;
    virtual void SetAreaLeft(int32_t v) = 0;
    virtual void SetAreaRight(int32_t v) = 0;
    virtual void SetAreaTop(int32_t v) = 0;
    virtual void SetAreaBottom(int32_t v) = 0;
    virtual Rect GetArea() const = 0;
    virtual int32_t GetAreaLeft() const = 0;
    virtual int32_t GetAreaRight() const = 0;
    virtual int32_t GetAreaTop() const = 0;
    virtual int32_t GetAreaBottom() const = 0;
    virtual int32_t GetWidth() const = 0;
    virtual int32_t GetHeight() const = 0;
    // Whether the point, in the glyph's own coordinates, lies in its area (right and bottom out).
    virtual bool HitTest(Point point) const = 0;
    // Sizes and places the glyph and its children; the hint is passed down by the container.
    virtual void Layout(uint8_t hint);
    // Draws in the glyph's own coordinates.
    virtual void Draw(QPainter& painter);
    // ORs the flags into the state, then notifies every observer.
    virtual void Notify(uint32_t flags);

private:
    Glyph* m_parent = nullptr;
    std::vector<Glyph*> m_children;
    uint32_t m_state = kVisible;
};

// Draws a visible child in its own coordinates (the painter translated by the child's origin),
// then clears the child's redraw and relayout bits.
void DrawChild(QPainter& painter, Glyph& child);

}  // namespace ovgGraph
