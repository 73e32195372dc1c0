#pragma once

#include <QString>
#include <memory>

#include "graph/GdiDrawRect.h"
#include "graph/GlyphText.h"
#include "graph/shapes/ShapeBase.h"

namespace ovgGraph {

// A box with text; the rectangle shape is a text box too. The box is its extent (pixels) around
// the origin's pixel; an auto-fit box takes the size of its text and padding instead, and a
// size-locked box cannot be resized by its edges.
class ShapeTextBox : public ShapeBase {
public:
    ShapeTextBox(Glyph* parent, Kind kind = Kind::kTextBox);

    GlyphText& GetText() { return *m_text; }
    const GlyphText& GetText() const { return *m_text; }
    GdiDrawRect& GetDrawRect() { return m_rect; }
    const GdiDrawRect& GetDrawRect() const { return m_rect; }
    Rect GetExtent() const { return m_extent; }
    void SetExtent(const Rect& extent);
    bool GetEnableText() const { return m_enableText; }
    void SetEnableText(bool on) { Change(m_enableText, on); }
    bool GetEnableBack() const { return m_enableBack; }
    void SetEnableBack(bool on) { Change(m_enableBack, on); }
    bool GetAutoFitSize() const { return m_autoFit; }
    void SetAutoFitSize(bool on) { Change(m_autoFit, on); }
    bool GetSizeLock() const { return m_sizeLock; }
    void SetSizeLock(bool on) { Change(m_sizeLock, on); }

    // The box as drawn now, in graph pixels.
    Rect BoxPixels() const;
    // Places the box on a pixel rectangle (normalised; at least 8 × 8): origin at its top left.
    void SetBoxPixels(Rect box);

    uint32_t HitHandle(Point point) const override;
    void MoveBy(const ShapeBase& from, int32_t dx, int32_t dy) override;
    void DragHandle(const ShapeBase& from, uint32_t handle, Point point) override;
    Rect Bounds() const override;
    void Draw(QPainter& painter) override;

private:
    template <class T>
    void Change(T& field, T value)
    {
        if (field == value) return;
        field = value;
        Notify(kChanged | kRedraw);
    }

    std::shared_ptr<GlyphText> m_text;
    GdiDrawRect m_rect;
    Rect m_extent{0, 0, 120, 40};
    bool m_enableText = true;
    bool m_enableBack = true;
    bool m_autoFit = false;
    bool m_sizeLock = false;
};

}  // namespace ovgGraph
