// The stored form of shapes: one description per shape kind, registered under the shapes' tags.
#include "Common/Library/SeriousError.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/shapes/ShapeBallon.h"
#include "graph/state/GraphState.h"

namespace ovgGraph {
namespace {

using Value = std::optional<PropertyValue>;

template <class T>
T& Self(T& t)
{
    return t;
}

Graph* GraphOf(Glyph& glyph)
{
    for (Glyph* g = glyph.GetParent(); g; g = g->GetParent())
        if (auto* graph = dynamic_cast<Graph*>(g)) return graph;
    return nullptr;
}

Value AxisNumber(ShapeBase& shape, const std::shared_ptr<Axis>& axis)
{
    Graph* graph = GraphOf(shape);
    return int32_t(graph && axis ? graph->GetAxes().IndexOf(axis.get()) : 0);
}

// An axis number the graph does not have leaves the shape placed in pixels: a damaged document
// still opens.
void SetAssociation(ShapeBase& shape, const PropertyValue& v, bool x)
{
    Graph* graph = GraphOf(shape);
    std::shared_ptr<Axis> axis = graph ? FindAxis(*graph, FromValue<int32_t>(v)) : nullptr;
    if (axis && axis->IsVertical() == x) axis = nullptr;
    if (x)
        shape.SetAssociationAxes(axis, shape.GetAxisY());
    else
        shape.SetAssociationAxes(shape.GetAxisX(), axis);
}

Schema<ShapeBase> MakeShapeBase()
{
    using S = ShapeBase;
    return {"ShapeBase",
            {Part<S, Glyph>("Glyph", GlyphSchema(), &AsBase<S, Glyph>),
             Property<S>("origin_x", Encoding::kReal, [](S& s) -> Value { return s.GetOriginValueX(); },
                         [](S& s, const PropertyValue& v) { s.SetOriginValues(FromValue<double>(v), s.GetOriginValueY()); }),
             Property<S>("origin_y", Encoding::kReal, [](S& s) -> Value { return s.GetOriginValueY(); },
                         [](S& s, const PropertyValue& v) { s.SetOriginValues(s.GetOriginValueX(), FromValue<double>(v)); }),
             Property<S>("ass_ch", Encoding::kInt, [](S& s) -> Value { return s.GetAssociatedCh(); },
                         [](S& s, const PropertyValue& v) { s.SetAssociatedCh(FromValue<int32_t>(v)); }),
             Property<S>("AssociationAxisX", Encoding::kInt, [](S& s) { return AxisNumber(s, s.GetAxisX()); },
                         [](S& s, const PropertyValue& v) { SetAssociation(s, v, true); }),
             Property<S>("AssociationAxisY", Encoding::kInt, [](S& s) { return AxisNumber(s, s.GetAxisY()); },
                         [](S& s, const PropertyValue& v) { SetAssociation(s, v, false); }),
             // The lock (state bit 8) is kept beside the glyph's visibility.
             Property<S>("lock", Encoding::kInt, [](S& s) -> Value { return int32_t(s.IsLocked()); },
                         [](S& s, const PropertyValue& v) {
                             if (FromValue<int32_t>(v) != 0)
                                 s.SetStateBits(ShapeBase::kLocked);
                             else
                                 s.ClearStateBits(ShapeBase::kLocked);
                         })}};
}

Schema<ShapeLine> MakeShapeLineDrawer()
{
    return {"ShapeLineDrawer", {Part<ShapeLine, GdiDrawLine>("GdiDrawLine", GdiDrawLineSchema(), [](ShapeLine& s) -> GdiDrawLine& { return s.GetLine(); })}};
}

Schema<ShapeLine> MakeShapeLine()
{
    using S = ShapeLine;
    static const Schema<S> drawer = MakeShapeLineDrawer();
    Schema<S> schema{"ShapeLine",
                     {Part<S, ShapeBase>("ShapeBase", ShapeBaseSchema(), &AsBase<S, ShapeBase>), Part<S, S>("ShapeLineDrawer", drawer, &Self<S>),
                      Property<S>("end_point_x", Encoding::kReal, [](S& s) -> Value { return s.GetEndValueX(); },
                                  [](S& s, const PropertyValue& v) { s.SetEndValues(FromValue<double>(v), s.GetEndValueY()); }),
                      Property<S>("end_point_y", Encoding::kReal, [](S& s) -> Value { return s.GetEndValueY(); },
                                  [](S& s, const PropertyValue& v) { s.SetEndValues(s.GetEndValueX(), FromValue<double>(v)); })}};
    schema.afterApply = [](S& line, const ObjectMemento<S>&) { line.UpdateKindFromEnds(); };
    return schema;
}

Schema<ShapeTextBox> MakeShapeTextBoxDrawer()
{
    using S = ShapeTextBox;
    return {"ShapeTextBoxDrawer",
            {Part<S, GlyphText>("GlyphText", GlyphTextSchema(), [](S& s) -> GlyphText& { return s.GetText(); }),
             Part<S, GdiDrawRect>("GdiDrawRect", GdiDrawRectSchema(), [](S& s) -> GdiDrawRect& { return s.GetDrawRect(); })}};
}

template <int32_t Rect::*Side>
Field<ShapeTextBox> ExtentSide(const char* element)
{
    return Property<ShapeTextBox>(element, Encoding::kInt, [](ShapeTextBox& s) -> Value { return s.GetExtent().*Side; },
                                  [](ShapeTextBox& s, const PropertyValue& v) {
                                      Rect extent = s.GetExtent();
                                      extent.*Side = FromValue<int32_t>(v);
                                      s.SetExtent(extent);
                                  });
}

Schema<ShapeTextBox> MakeShapeTextBox()
{
    using S = ShapeTextBox;
    static const Schema<S> drawer = MakeShapeTextBoxDrawer();
    return {"ShapeTextBox",
            {Part<S, ShapeBase>("ShapeBase", ShapeBaseSchema(), &AsBase<S, ShapeBase>), Part<S, S>("ShapeTextBoxDrawer", drawer, &Self<S>),
             ExtentSide<&Rect::left>("left"), ExtentSide<&Rect::top>("top"), ExtentSide<&Rect::right>("right"),
             ExtentSide<&Rect::bottom>("bottom"), Property<S, &S::GetEnableText, &S::SetEnableText>("enable_text", Encoding::kInt),
             Property<S, &S::GetEnableBack, &S::SetEnableBack>("enable_back", Encoding::kInt),
             Property<S, &S::GetAutoFitSize, &S::SetAutoFitSize>("auto_fit_size", Encoding::kInt),
             Property<S, &S::GetSizeLock, &S::SetSizeLock>("size_lock", Encoding::kInt)}};
}

Schema<ShapeBallon> MakeShapeBallon()
{
    using S = ShapeBallon;
    Schema<S> schema{"ShapeBallon",
                     {Part<S, ShapeBase>("ShapeBase", ShapeBaseSchema(), &AsBase<S, ShapeBase>),
                      Part<S, ShapeLine>("ShapeLine", ShapeLineSchema(), [](S& s) -> ShapeLine& { return s.GetPointer(); }),
                      Part<S, ShapeTextBox>("ShapeTextBox", ShapeTextBoxSchema(), [](S& s) -> ShapeTextBox& { return s.GetBox(); }),
                      Property<S>("Alignment", Encoding::kByteLower, [](S& s) -> Value { return uint8_t(s.GetAlignment()); },
                                  [](S& s, const PropertyValue& v) { s.SetAlignment(FromValue<uint8_t>(v)); })}};
    // The callout's own place is its box's.
    schema.afterApply = [](S& ballon, const ObjectMemento<S>&) {
        ballon.SetOriginValues(ballon.GetBox().GetOriginValueX(), ballon.GetBox().GetOriginValueY());
        ballon.GetPointer().SetAssociationAxes(ballon.GetAxisX(), ballon.GetAxisY());
        ballon.GetBox().SetAssociationAxes(ballon.GetAxisX(), ballon.GetAxisY());
    };
    return schema;
}

template <class T>
std::shared_ptr<Memento> Capture(ShapeBase& shape, const Schema<T>& schema)
{
    auto memento = std::make_shared<ObjectMemento<T>>(schema, shape.Tag());
    memento->Capture(static_cast<T&>(shape));
    return memento;
}

template <class T>
bool ApplyAs(ShapeBase& shape, const Memento& memento)
{
    const auto* typed = dynamic_cast<const ObjectMemento<T>*>(&memento);
    if (!typed) return false;
    typed->Apply(static_cast<T&>(shape));
    return true;
}

}  // namespace

const Schema<ShapeBase>& ShapeBaseSchema()
{
    static const Schema<ShapeBase> s = MakeShapeBase();
    return s;
}
const Schema<ShapeLine>& ShapeLineSchema()
{
    static const Schema<ShapeLine> s = MakeShapeLine();
    return s;
}
const Schema<ShapeTextBox>& ShapeTextBoxSchema()
{
    static const Schema<ShapeTextBox> s = MakeShapeTextBox();
    return s;
}
const Schema<ShapeBallon>& ShapeBallonSchema()
{
    static const Schema<ShapeBallon> s = MakeShapeBallon();
    return s;
}

std::shared_ptr<Memento> CreateShapeMemento(ShapeBase& shape)
{
    switch (shape.GetKind()) {
        case ShapeBase::Kind::kLine:
        case ShapeBase::Kind::kArrow: return Capture(shape, ShapeLineSchema());
        case ShapeBase::Kind::kTextBox:
        case ShapeBase::Kind::kRect: return Capture(shape, ShapeTextBoxSchema());
        case ShapeBase::Kind::kBallon:
            static_cast<ShapeBallon&>(shape).SyncPointer();
            return Capture(shape, ShapeBallonSchema());
    }
    return nullptr;
}

void ApplyShapeMemento(ShapeBase& shape, const Memento& memento)
{
    switch (shape.GetKind()) {
        case ShapeBase::Kind::kLine:
        case ShapeBase::Kind::kArrow: ApplyAs<ShapeLine>(shape, memento); break;
        case ShapeBase::Kind::kTextBox:
        case ShapeBase::Kind::kRect: ApplyAs<ShapeTextBox>(shape, memento); break;
        case ShapeBase::Kind::kBallon: ApplyAs<ShapeBallon>(shape, memento); break;
    }
}

void RegisterShapeMementos(MementoFactory& factory)
{
    const auto registerAs = [&factory]<class T>(const Schema<T>& schema, const char* tag) {
        const Schema<T>* described = &schema;
        factory.Register(tag, [described, name = std::string(tag)] { return std::make_shared<ObjectMemento<T>>(*described, name); });
    };
    registerAs(ShapeLineSchema(), "ShpLine");
    registerAs(ShapeTextBoxSchema(), "ShpTextBox");
    registerAs(ShapeTextBoxSchema(), "ShpRect");
    // An older theme stores its rectangle under the text box's own name.
    registerAs(ShapeTextBoxSchema(), "ShapeTextBox");
    registerAs(ShapeBallonSchema(), "ShpBallon");
}

}  // namespace ovgGraph
