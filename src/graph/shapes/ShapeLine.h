#pragma once

#include "graph/GdiDrawLine.h"
#include "graph/shapes/ShapeBase.h"

namespace ovgGraph {

// A straight line from the origin to the end point, both in data values of the associated axes.
// An arrow is a line whose end point is an arrow head; a line read back with an arrow-head end
// is an arrow again.
class ShapeLine : public ShapeBase {
public:
    ShapeLine(Glyph* parent, Kind kind = Kind::kLine);

    GdiDrawLine& GetLine() { return m_line; }
    const GdiDrawLine& GetLine() const { return m_line; }
    double GetEndValueX() const { return m_endX; }
    double GetEndValueY() const { return m_endY; }
    void SetEndValues(double x, double y);
    Point GetEndPixel() const { return ToPixel(m_endX, m_endY); }
    // Sets origin and end from two graph pixels.
    void SetPixels(Point start, Point end);
    // Lines with an arrow-head end are arrows.
    void UpdateKindFromEnds();

    uint32_t HitHandle(Point point) const override;
    void MoveBy(const ShapeBase& from, int32_t dx, int32_t dy) override;
    void DragHandle(const ShapeBase& from, uint32_t handle, Point point) override;
    Rect Bounds() const override;
    void Draw(QPainter& painter) override;
    // A change of the end mark makes a line an arrow or an arrow a line.
    void Update(Subject* subject, uint32_t flags) override;

private:
    GdiDrawLine m_line;
    double m_endX = 0;
    double m_endY = 0;
};

}  // namespace ovgGraph
