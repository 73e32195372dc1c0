#include "graph/shapes/ShapeBase.h"

#include <algorithm>
#include <cmath>

#include "Common/Library/SeriousError.h"
#include "graph/Axis.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/shapes/ShapeBallon.h"
#include "graph/shapes/ShapeLine.h"
#include "graph/shapes/ShapeTextBox.h"
#include "graph/state/GraphState.h"

namespace ovgGraph {

ShapeBase::ShapeBase(Glyph* parent, Kind kind) : Glyph(parent), m_kind(kind) {}

const char* ShapeBase::Tag(Kind kind)
{
    switch (kind) {
        case Kind::kTextBox: return "ShpTextBox";
        case Kind::kRect: return "ShpRect";
        case Kind::kLine:
        case Kind::kArrow: return "ShpLine";
        case Kind::kBallon: return "ShpBallon";
    }
    return "ShpLine";
}

const char* ShapeBase::ThemeSlot(Kind kind)
{
    switch (kind) {
        case Kind::kTextBox: return "default_shape_textbox";
        case Kind::kRect: return "default_shape_rect";
        case Kind::kLine: return "default_shape_line";
        case Kind::kArrow: return "default_shape_arrow";
        case Kind::kBallon: return "default_shape_ballon";
    }
    return "default_shape_line";
}

const char* ShapeBase::PropertyObject(Kind kind)
{
    switch (kind) {
        case Kind::kTextBox: return "GDV/ShapeTextBox";
        case Kind::kRect: return "GDV/ShapeRect";
        case Kind::kLine: return "GDV/ShapeLine";
        case Kind::kArrow: return "GDV/ShapeArrow";
        case Kind::kBallon: return "GDV/ShapeBallon";
    }
    return "GDV/ShapeLine";
}

void ShapeBase::SetOriginValues(double x, double y)
{
    if (x == m_originX && y == m_originY) return;
    m_originX = x;
    m_originY = y;
    Notify(kChanged | kRedraw);
}

void ShapeBase::SetAssociationAxes(std::shared_ptr<Axis> x, std::shared_ptr<Axis> y)
{
    if (x == m_axisX && y == m_axisY) return;
    m_axisX = std::move(x);
    m_axisY = std::move(y);
    Notify(kChanged | kRedraw);
}

const Axis* ShapeBase::Live(const std::shared_ptr<Axis>& axis) const
{
    if (!axis) return nullptr;
    auto* graph = dynamic_cast<Graph*>(GetParent());
    if (!graph) {
        // A callout's parts sit under the callout, which sits under the graph.
        if (const Glyph* parent = GetParent()) graph = dynamic_cast<Graph*>(parent->GetParent());
    }
    if (graph && graph->IsInitialized() && graph->GetAxes().IndexOf(axis.get()) == 0) return nullptr;
    return axis.get();
}

Point ShapeBase::ToPixel(double x, double y) const
{
    const auto clampPixel = [](double v) { return int32_t(std::clamp(v, -1e7, 1e7)); };
    Point pixel{clampPixel(std::trunc(x)), clampPixel(std::trunc(y))};
    if (const Axis* axis = Live(m_axisX)) pixel.x = axis->GetOriginX() + axis->ValueToPixel(x);
    if (const Axis* axis = Live(m_axisY)) pixel.y = axis->GetOriginY() - axis->ValueToPixel(y);
    return pixel;
}

double ShapeBase::ToValueX(int32_t x) const
{
    const Axis* axis = Live(m_axisX);
    return axis ? axis->PixelToValue(x - axis->GetOriginX()) : double(x);
}

double ShapeBase::ToValueY(int32_t y) const
{
    const Axis* axis = Live(m_axisY);
    return axis ? axis->PixelToValue(axis->GetOriginY() - y) : double(y);
}

void ShapeBase::SetOrigin(Point origin) { SetOriginValues(ToValueX(origin.x), ToValueY(origin.y)); }
void ShapeBase::SetOriginX(int32_t x) { SetOriginValues(ToValueX(x), m_originY); }
void ShapeBase::SetOriginY(int32_t y) { SetOriginValues(m_originX, ToValueY(y)); }

std::shared_ptr<ShapeBase> ShapeBase::Clone() const
{
    auto copy = CreateShape(m_kind, GetParent());
    const auto memento = CreateShapeMemento(const_cast<ShapeBase&>(*this));
    ApplyShapeMemento(*copy, *memento);
    // The copy is not in the shapes list yet: it leaves the tree until a command puts it there.
    copy->SetParent(nullptr);
    return copy;
}

void ShapeBase::NoArea(int line) { throw orvel::SeriousError("ShapeBase.cpp", line, "a shape has no glyph area"); }
void ShapeBase::SetArea(int32_t, int32_t, int32_t, int32_t) { NoArea(__LINE__); }
void ShapeBase::SetArea(const Rect&) { NoArea(__LINE__); }
void ShapeBase::SetAreaLeft(int32_t) { NoArea(__LINE__); }
void ShapeBase::SetAreaRight(int32_t) { NoArea(__LINE__); }
void ShapeBase::SetAreaTop(int32_t) { NoArea(__LINE__); }
void ShapeBase::SetAreaBottom(int32_t) { NoArea(__LINE__); }
Rect ShapeBase::GetArea() const { NoArea(__LINE__); }
int32_t ShapeBase::GetAreaLeft() const { NoArea(__LINE__); }
int32_t ShapeBase::GetAreaRight() const { NoArea(__LINE__); }
int32_t ShapeBase::GetAreaTop() const { NoArea(__LINE__); }
int32_t ShapeBase::GetAreaBottom() const { NoArea(__LINE__); }
int32_t ShapeBase::GetWidth() const { NoArea(__LINE__); }
int32_t ShapeBase::GetHeight() const { NoArea(__LINE__); }

std::shared_ptr<ShapeBase> CreateShape(ShapeBase::Kind kind, Glyph* parent)
{
    switch (kind) {
        case ShapeBase::Kind::kTextBox:
        case ShapeBase::Kind::kRect: return std::make_shared<ShapeTextBox>(parent, kind);
        case ShapeBase::Kind::kLine:
        case ShapeBase::Kind::kArrow: return std::make_shared<ShapeLine>(parent, kind);
        case ShapeBase::Kind::kBallon: return std::make_shared<ShapeBallon>(parent);
    }
    return nullptr;
}

std::shared_ptr<ShapeBase> CreateShape(const std::string& tag, Glyph* parent)
{
    using K = ShapeBase::Kind;
    for (const K kind : {K::kTextBox, K::kRect, K::kLine, K::kBallon})
        if (tag == ShapeBase::Tag(kind)) return CreateShape(kind, parent);
    return nullptr;
}

double DistanceToSegment(Point p, Point a, Point b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

}  // namespace ovgGraph
