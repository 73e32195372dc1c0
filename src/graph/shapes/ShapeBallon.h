#pragma once

#include <memory>

#include "graph/shapes/ShapeLine.h"
#include "graph/shapes/ShapeTextBox.h"

namespace ovgGraph {

// A callout: a text box and a pointer line from an anchor point (the line's start, whose mark
// the user styles) to the box's centre, drawn under the box so that it leaves the box at its edge. The callout's origin is the box's; moving the
// callout moves the box and leaves the anchor on its data. "Alignment" is kept for the stored
// form (0: the pointer leaves from the box's centre, the only placement drawn).
class ShapeBallon : public ShapeBase {
public:
    explicit ShapeBallon(Glyph* parent);

    ShapeLine& GetPointer() { return *m_pointer; }
    const ShapeLine& GetPointer() const { return *m_pointer; }
    ShapeTextBox& GetBox() { return *m_box; }
    const ShapeTextBox& GetBox() const { return *m_box; }
    int32_t GetAlignment() const { return m_alignment; }
    void SetAlignment(int32_t alignment);
    // The anchor, where the pointer points: the pointer line's start.
    Point GetAnchorPixel() const { return m_pointer->GetOrigin(); }
    void SetAnchorPixel(Point point);
    // Stores the pointer's end at the box's centre, where it is drawn to (before saving).
    void SyncPointer();

    void SetOriginValues(double x, double y) override;
    void SetAssociationAxes(std::shared_ptr<Axis> x, std::shared_ptr<Axis> y) override;
    uint32_t HitHandle(Point point) const override;
    void MoveBy(const ShapeBase& from, int32_t dx, int32_t dy) override;
    void DragHandle(const ShapeBase& from, uint32_t handle, Point point) override;
    Rect Bounds() const override;
    void Draw(QPainter& painter) override;

private:
    std::shared_ptr<ShapeLine> m_pointer;
    std::shared_ptr<ShapeTextBox> m_box;
    int32_t m_alignment = 0;
};

}  // namespace ovgGraph
