#pragma once

#include <memory>
#include <string>

#include "graph/Glyph.h"

namespace ovgGraph {

class Axis;
class Graph;

// An annotation on a graph: a text box, rectangle, line, arrow or callout. Its place is kept in
// data values of its associated axes, so it stays on its data when the graph is zoomed or
// scrolled; without an associated axis the value is the pixel itself. Shapes are drawn in
// graph (client) coordinates, above the plot, in the order of the graph's shapes list.
// State bit 8 locks a shape: it can still be selected, but not moved or resized.
class ShapeBase : public Glyph {
public:
    enum class Kind { kTextBox, kRect, kLine, kArrow, kBallon };
    static constexpr uint32_t kLocked = 8;

    // What a point of the shape is for: moving it, or one of its edges or ends.
    enum Handle : uint32_t {
        kNoHandle = 0,
        kEdgeLeft = 1,
        kEdgeTop = 2,
        kEdgeRight = 4,
        kEdgeBottom = 8,
        kBody = 16,
        kStartPoint = 32,
        kEndPoint = 64,
    };

    ShapeBase(Glyph* parent, Kind kind);

    Kind GetKind() const { return m_kind; }
    // The element name a shape of this kind is stored under ("ShpLine" for lines and arrows).
    static const char* Tag(Kind kind);
    const char* Tag() const { return Tag(m_kind); }
    // The child of a theme that holds the kind's look ("default_shape_arrow", ...).
    static const char* ThemeSlot(Kind kind);
    // The default-value property set of the kind ("GDV/ShapeArrow", ...).
    static const char* PropertyObject(Kind kind);
    bool IsLocked() const { return (GetState() & kLocked) != 0; }
    bool HasText() const { return m_kind == Kind::kTextBox || m_kind == Kind::kRect || m_kind == Kind::kBallon; }

    double GetOriginValueX() const { return m_originX; }
    double GetOriginValueY() const { return m_originY; }
    virtual void SetOriginValues(double x, double y);
    int32_t GetAssociatedCh() const { return m_associatedCh; }
    void SetAssociatedCh(int32_t channel) { m_associatedCh = channel; }
    const std::shared_ptr<Axis>& GetAxisX() const { return m_axisX; }
    const std::shared_ptr<Axis>& GetAxisY() const { return m_axisY; }
    // The axes stay where the values are: the stored values do not change, the place may.
    virtual void SetAssociationAxes(std::shared_ptr<Axis> x, std::shared_ptr<Axis> y);

    // Values <-> graph pixels through the associated axes as they display now.
    Point ToPixel(double x, double y) const;
    double ToValueX(int32_t x) const;
    double ToValueY(int32_t y) const;

    // Where the handle under a point (graph coordinates) is; kNoHandle when the shape is not there.
    virtual uint32_t HitHandle(Point point) const = 0;
    // Moves the whole shape by a pixel offset from where `from` had it.
    virtual void MoveBy(const ShapeBase& from, int32_t dx, int32_t dy) = 0;
    // Drags a handle to a point, starting from the shape as `from` had it.
    virtual void DragHandle(const ShapeBase& from, uint32_t handle, Point point) = 0;
    // The smallest rectangle that holds the shape as drawn (graph coordinates).
    virtual Rect Bounds() const = 0;
    // A shape of the same kind with the same properties, under the same parent.
    std::shared_ptr<ShapeBase> Clone() const;

    // The glyph interface in pixels: the origin converts through the associated axes; a shape has
    // no glyph area, so the area operations are internal errors.
    void SetOrigin(Point origin) override;
    void SetOrigin(int32_t x, int32_t y) override { SetOrigin(Point{x, y}); }
    void SetOriginX(int32_t x) override;
    void SetOriginY(int32_t y) override;
    Point GetOrigin() const override { return ToPixel(m_originX, m_originY); }
    int32_t GetOriginX() const override { return GetOrigin().x; }
    int32_t GetOriginY() const override { return GetOrigin().y; }
    void SetArea(int32_t, int32_t, int32_t, int32_t) override;
    void SetArea(const Rect&) override;
    void SetAreaLeft(int32_t) override;
    void SetAreaRight(int32_t) override;
    void SetAreaTop(int32_t) override;
    void SetAreaBottom(int32_t) override;
    Rect GetArea() const override;
    int32_t GetAreaLeft() const override;
    int32_t GetAreaRight() const override;
    int32_t GetAreaTop() const override;
    int32_t GetAreaBottom() const override;
    int32_t GetWidth() const override;
    int32_t GetHeight() const override;
    bool HitTest(Point point) const override { return HitHandle(point) != kNoHandle; }

protected:
    void SetKind(Kind kind) { m_kind = kind; }

private:
    [[noreturn]] static void NoArea(int line);
    // An axis still in the graph, or none: a deleted axis no longer places anything.
    const Axis* Live(const std::shared_ptr<Axis>& axis) const;

    Kind m_kind;
    double m_originX = 0;
    double m_originY = 0;
    int32_t m_associatedCh = -1;
    std::shared_ptr<Axis> m_axisX;
    std::shared_ptr<Axis> m_axisY;
};

// A new shape of a kind under a parent (the graph), with the engine's default look; null for a
// stored tag no kind has.
std::shared_ptr<ShapeBase> CreateShape(ShapeBase::Kind kind, Glyph* parent);
std::shared_ptr<ShapeBase> CreateShape(const std::string& tag, Glyph* parent);

// The distance from a point to the segment between a and b, in pixels.
double DistanceToSegment(Point p, Point a, Point b);

}  // namespace ovgGraph
