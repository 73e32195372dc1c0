#include "graph/state/GraphState.h"

#include <bit>

#include "Common/Library/SeriousError.h"
#include "graph/Axis.h"
#include "graph/GCh.h"
#include "graph/GdiDrawLine.h"
#include "graph/GdiDrawLineGraphGDIP.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/GraphBack.h"
#include "graph/GraphChannels.h"
#include "graph/GraphFactory.h"
#include "graph/GraphFrame.h"
#include "graph/GraphLegend.h"
#include "graph/GraphScaleLine.h"
#include "graph/GraphTitle.h"
#include "graph/LabelFormatValue.h"
#include "graph/shapes/GraphShapes.h"

static_assert(std::endian::native == std::endian::little, "real numbers are stored as little-endian bytes");

namespace ovgGraph {
namespace {

using Value = std::optional<PropertyValue>;

template <class T>
T& Self(T& t)
{
    return t;
}

// A value kept in the memento and written back, but not applied: it mirrors another property.
template <class T>
void Mirrored(T&, const PropertyValue&)
{
}

Rect MarginOf(const Margin& m) { return {m.marginLeft, m.marginTop, m.marginRight, m.marginBottom}; }
void SetMargin(Margin& m, const Rect& r)
{
    m.marginLeft = r.left, m.marginTop = r.top, m.marginRight = r.right, m.marginBottom = r.bottom;
}
Rect PaddingOf(const Padding& p) { return {p.paddingLeft, p.paddingTop, p.paddingRight, p.paddingBottom}; }

// Paddings are stored as plain fields: the owner is told to lay out again.
template <class T>
void SetPadding(T& owner, const PropertyValue& v)
{
    const Rect r = FromValue<Rect>(v);
    if (PaddingOf(owner) == r) return;
    owner.paddingLeft = r.left, owner.paddingTop = r.top, owner.paddingRight = r.right, owner.paddingBottom = r.bottom;
    owner.Notify(kChanged | kRelayout);
}

template <class T>
Field<T> PaddingField()
{
    return Property<T>("Padding", Encoding::kRect, [](T& t) -> Value { return PaddingOf(t); }, &SetPadding<T>);
}

Graph* ParentGraph(Glyph& glyph) { return dynamic_cast<Graph*>(glyph.GetParent()); }

int32_t AxisIdentifier(Glyph& owner, const std::shared_ptr<Axis>& axis)
{
    Graph* graph = ParentGraph(owner);
    return graph && axis ? graph->GetAxes().IndexOf(axis.get()) : 0;
}

// A memento kept as the XML it was read from, so a document that holds one writes it back.
class RawMemento : public Memento {
public:
    using Memento::Memento;
    void Write(XmlElement& parent) const override
    {
        auto element = m_element ? std::make_shared<XmlElement>(*m_element) : std::make_shared<XmlElement>(ElementName());
        element->SetName(ElementName());
        parent.Append(element);
    }
    void Read(const XmlElement& element) override { m_element = std::make_shared<XmlElement>(element); }

private:
    std::shared_ptr<XmlElement> m_element;
};

// --- primitives -----------------------------------------------------------------------------

Schema<GdiDrawStr> MakeGdiDrawStr()
{
    using S = GdiDrawStr;
    return {"GdiDrawStr",
            {Property<S, &S::GetTextColor, &S::SetTextColor>("text_color", Encoding::kTextColor),
             Property<S>("font_name", Encoding::kText, [](S& s) -> Value { return s.GetLogFont().faceName; },
                         [](S& s, const PropertyValue& v) { s.SetFontName(FromValue<QString>(v)); }),
             Property<S, &S::GetFontStyle, &S::SetFontStyle>("font_style", Encoding::kInt),
             Property<S, &S::GetFontSize, &S::SetFontSize>("font_size", Encoding::kInt),
             Property<S, &S::GetAlignment, &S::SetAlignment>("alignment", Encoding::kByteLower)}};
}

Schema<GdiDrawRect> MakeGdiDrawRect()
{
    using S = GdiDrawRect;
    return {"GdiDrawRect",
            {Property<S, &S::GetFrameColor, &S::SetFrameColor>("frame_color", Encoding::kColor),
             Property<S, &S::GetFrameWidth, &S::SetFrameWidth>("frame_width", Encoding::kInt),
             Property<S, &S::GetFrameRound, &S::SetFrameRound>("frame_round", Encoding::kInt),
             Property<S, &S::GetBackColor1, &S::SetBackColor1>("back_color1", Encoding::kColor),
             Property<S, &S::GetBackColor2, &S::SetBackColor2>("back_color2", Encoding::kColor),
             Property<S, &S::GetBackGradation, &S::SetBackGradation>("back_gradation", Encoding::kInt),
             Property<S, &S::GetBackAngle, &S::SetBackAngle>("back_angle", Encoding::kInt),
             Property<S, &S::GetShadowDepth, &S::SetShadowDepth>("shadow_depth", Encoding::kInt)}};
}

// A pen field of a line: read the pen, change one member, write it back.
template <class S, auto Member, Encoding E>
Field<S> PenField(std::string element)
{
    return Property<S>(
        std::move(element), E, [](S& s) -> Value { return ToValue(s.GetLogPen().*Member); },
        [](S& s, const PropertyValue& v) {
            LogPen pen = s.GetLogPen();
            pen.*Member = FromValue<std::remove_cvref_t<decltype(pen.*Member)>>(v);
            s.SetLogPen(pen);
        });
}

Schema<GdiDrawLine> MakeGdiDrawLine()
{
    using S = GdiDrawLine;
    return {"GdiDrawLine",
            {PenField<S, &LogPen::style, Encoding::kInt>("lopn_style"),
             PenField<S, &LogPen::widthX, Encoding::kInt>("lopn_width_x"),
             PenField<S, &LogPen::widthY, Encoding::kInt>("lopn_width_y"),
             PenField<S, &LogPen::color, Encoding::kColor>("lopn_color"),
             Property<S, &S::GetStartPointStyle, &S::SetStartPointStyle>("start_point_style", Encoding::kByteUpper),
             Property<S, &S::GetStartPointSize, &S::SetStartPointSize>("start_point_size", Encoding::kByteUpper),
             Property<S, &S::GetEndPointStyle, &S::SetEndPointStyle>("end_point_style", Encoding::kByteUpper),
             Property<S, &S::GetEndPointSize, &S::SetEndPointSize>("end_point_size", Encoding::kByteUpper)}};
}

// A line graph's symbol follows the line colour; only its kind is applied, through the line
// graph so that the channel re-plots.
Schema<GdiDrawLineGraphGDIP> MakeLineGraphSymbol()
{
    using S = GdiDrawLineGraphGDIP;
    return {"GdiDrawSymbol",
            {Property<S>("color", Encoding::kColor, [](S& s) -> Value { return s.GetSymbolDrawer().GetBrushColor(); },
                         &Mirrored<S>),
             Property<S, &S::GetSymbol, &S::SetSymbol>("symbol", Encoding::kInt)}};
}

Schema<GdiDrawLineGraphGDIP> MakeLineGraph()
{
    using S = GdiDrawLineGraphGDIP;
    return {"GdiDrawLineGraphGDIP",
            {Property<S, &S::GetColor, &S::SetColor>("color", Encoding::kColor),
             Property<S, &S::GetWidth, &S::SetWidth>("width", Encoding::kInt),
             Property<S, &S::GetStyle, &S::SetStyle>("style", Encoding::kInt), Part<S, S>("GdiDrawSymbol", GdiDrawLineGraphSymbolSchema(), &Self<S>),
             Property<S, &S::GetSymbolDist, &S::SetSymbolDist>("symbol_dist", Encoding::kInt)}};
}

Schema<AutoSizing> MakeAutoSizing()
{
    using S = AutoSizing;
    return {"AutoSizing",
            {Property<S>("mode", Encoding::kInt, [](S& s) -> Value { return s.mode; },
                         [](S& s, const PropertyValue& v) { s.mode = FromValue<int32_t>(v) & 0xF; }),
             Property<S>("length", Encoding::kRect, [](S& s) -> Value { return s.length; },
                         [](S& s, const PropertyValue& v) { s.length = FromValue<Rect>(v); })}};
}

// --- glyphs ---------------------------------------------------------------------------------

Schema<Glyph> MakeGlyph()
{
    return {"Glyph",
            {Property<Glyph>("visible", Encoding::kInt, [](Glyph& g) -> Value { return int32_t(g.IsVisible()); },
                             [](Glyph& g, const PropertyValue& v) {
                                 const bool visible = FromValue<int32_t>(v) != 0;
                                 if (visible == g.IsVisible()) return;
                                 if (visible)
                                     g.SetStateBits(kVisible);
                                 else
                                     g.ClearStateBits(kVisible);
                                 g.Notify(kChanged | kRelayout);
                             })}};
}

Schema<GlyphInt> MakeGlyphInt()
{
    using S = GlyphInt;
    return {"GlyphInt",
            {Part<S, Glyph>("Glyph", GlyphSchema(), &AsBase<S, Glyph>),
             Property<S>("Margin", Encoding::kRect, [](S& s) -> Value { return MarginOf(s); },
                         [](S& s, const PropertyValue& v) { SetMargin(s, FromValue<Rect>(v)); }),
             Property<S, &S::GetOrigin, static_cast<void (S::*)(Point)>(&S::SetOrigin)>("origin", Encoding::kPoint),
             Property<S, &S::GetArea, static_cast<void (S::*)(const Rect&)>(&S::SetArea)>("area", Encoding::kRect)}};
}

Schema<GlyphText> MakeGlyphText()
{
    using S = GlyphText;
    return {"GlyphText",
            {Part<S, GlyphInt>("GlyphInt", GlyphIntSchema(), &AsBase<S, GlyphInt>), PaddingField<S>(),
             Part<S, GdiDrawStr>("GdiDrawStr", GdiDrawStrSchema(), [](S& s) -> GdiDrawStr& { return s.GetDrawStr(); }),
             Property<S>("Alignment", Encoding::kByteLower, [](S& s) -> Value { return int32_t(s.GetDrawStr().GetAlignment()); },
                         [](S& s, const PropertyValue& v) { s.GetDrawStr().SetAlignment(FromValue<uint8_t>(v)); }),
             Property<S, &S::GetText, &S::SetText>("Text", Encoding::kText)}};
}

template <class T>
Schema<T> MakeTextHolder(std::string name)
{
    return {std::move(name), {Part<T, GlyphText>("GlyphText", GlyphTextSchema(), &AsBase<T, GlyphText>)}};
}

Schema<GraphBack> MakeGraphBack()
{
    using S = GraphBack;
    return {"GraphBack",
            {Part<S, GlyphInt>("GlyphInt", GlyphIntSchema(), &AsBase<S, GlyphInt>),
             Part<S, GdiDrawRect>("GdiDrawRect", GdiDrawRectSchema(), [](S& s) -> GdiDrawRect& { return s.GetDrawRect(); })}};
}

// The plot frame keeps its fill and its border in two rectangles (the border is drawn again over
// the channel lines); its one stored rectangle takes the frame from the border and the fill
// from the back.
Schema<GraphFrame> MakeFrameRect()
{
    using S = GraphFrame;
    Schema<S> schema{"GdiDrawRect", {}};
#define OVG_FRAME_FIELD(element, Get, Set, Rect_, Enc)                                                         \
    schema.fields.push_back(Property<S>(element, Enc, [](S& s) -> Value { return ToValue(s.Rect_().Get()); }, \
                                        [](S& s, const PropertyValue& v) {                                    \
                                            s.Rect_().Set(FromValue<std::remove_cvref_t<decltype(s.Rect_().Get())>>(v)); \
                                        }))
    OVG_FRAME_FIELD("frame_color", GetFrameColor, SetFrameColor, GetBorderRect, Encoding::kColor);
    OVG_FRAME_FIELD("frame_width", GetFrameWidth, SetFrameWidth, GetBorderRect, Encoding::kInt);
    OVG_FRAME_FIELD("frame_round", GetFrameRound, SetFrameRound, GetBorderRect, Encoding::kInt);
    OVG_FRAME_FIELD("back_color1", GetBackColor1, SetBackColor1, GetBackRect, Encoding::kColor);
    OVG_FRAME_FIELD("back_color2", GetBackColor2, SetBackColor2, GetBackRect, Encoding::kColor);
    OVG_FRAME_FIELD("back_gradation", GetBackGradation, SetBackGradation, GetBackRect, Encoding::kInt);
    OVG_FRAME_FIELD("back_angle", GetBackAngle, SetBackAngle, GetBackRect, Encoding::kInt);
    OVG_FRAME_FIELD("shadow_depth", GetShadowDepth, SetShadowDepth, GetBorderRect, Encoding::kInt);
#undef OVG_FRAME_FIELD
    return schema;
}

Schema<GraphFrame> MakeGraphFrame()
{
    using S = GraphFrame;
    static const Schema<S> rect = MakeFrameRect();
    return {"GraphFrame",
            {Part<S, GlyphInt>("GlyphInt", GlyphIntSchema(), &AsBase<S, GlyphInt>), Part<S, S>("GdiDrawRect", rect, &Self<S>)}};
}

Schema<GraphLegend> MakeGraphLegend()
{
    using S = GraphLegend;
    return {"GraphLegend",
            {Part<S, GlyphInt>("GlyphInt", GlyphIntSchema(), &AsBase<S, GlyphInt>), PaddingField<S>(),
             Part<S, AutoSizing>("AutoSizing", AutoSizingSchema(), &AsBase<S, AutoSizing>),
             Property<S, &S::GetPosition, &S::SetPosition>("position", Encoding::kInt),
             // Which way the items run follows from the position; written for readers, not read back.
             Property<S>("direction", Encoding::kInt,
                         [](S& s) -> Value { return int32_t(s.GetPosition() == 1 || s.GetPosition() == 3); }, nullptr),
             Part<S, GdiDrawStr>("GdiDrawStr", GdiDrawStrSchema(), [](S& s) -> GdiDrawStr& { return s.GetFont(); }),
             Part<S, GdiDrawRect>("GdiDrawRect", GdiDrawRectSchema(), [](S& s) -> GdiDrawRect& { return s.GetDrawRect(); }),
             Property<S>("MaxCh", Encoding::kInt, [](S& s) -> Value { return s.GetMaxCh(); },
                         [](S& s, const PropertyValue& v) { s.SetGrid(FromValue<int32_t>(v), s.GetRows(), s.GetColumns()); }),
             Property<S>("Row", Encoding::kInt, [](S& s) -> Value { return s.GetRows(); },
                         [](S& s, const PropertyValue& v) { s.SetGrid(s.GetMaxCh(), FromValue<int32_t>(v), s.GetColumns()); }),
             Property<S>("Column", Encoding::kInt, [](S& s) -> Value { return s.GetColumns(); },
                         [](S& s, const PropertyValue& v) { s.SetGrid(s.GetMaxCh(), s.GetRows(), FromValue<int32_t>(v)); }),
             Property<S, &S::GetLabelType, &S::SetLabelType>("LabelType", Encoding::kInt)}};
}

// The title is stored as the text box it is drawn like: its text inside the box's drawer.
Schema<GraphTitle> MakeTitleDrawer()
{
    return {"ShapeTextBoxDrawer", {Part<GraphTitle, GlyphText>("GlyphText", GlyphTextSchema(), &AsBase<GraphTitle, GlyphText>)}};
}

Schema<GraphTitle> MakeTitleTextBox()
{
    static const Schema<GraphTitle> drawer = MakeTitleDrawer();
    return {"ShapeTextBox", {Part<GraphTitle, GraphTitle>("ShapeTextBoxDrawer", drawer, &Self<GraphTitle>)}};
}

Schema<GraphTitle> MakeGraphTitle()
{
    using S = GraphTitle;
    static const Schema<S> textBox = MakeTitleTextBox();
    return {"GraphTitle",
            {Part<S, S>("ShapeTextBox", textBox, &Self<S>),
             Property<S>("Margin", Encoding::kRect, [](S& s) -> Value { return MarginOf(s); },
                         [](S& s, const PropertyValue& v) { SetMargin(s, FromValue<Rect>(v)); }),
             Property<S, &S::GetPosition, &S::SetPosition>("Position", Encoding::kInt)}};
}

void SetScaleLineAxis(GraphScaleLine& line, const PropertyValue& v, bool time)
{
    Graph* graph = ParentGraph(line);
    if (!graph) return;
    std::shared_ptr<Axis> axis = FindAxis(*graph, FromValue<int32_t>(v));
    if (!axis) return;
    // The time axis always follows the graph's first time axis; only the value axis is a choice.
    if (!time) line.SetAxes(nullptr, axis);
}

Schema<GraphScaleLine> MakeGraphScaleLine()
{
    using S = GraphScaleLine;
    return {"GraphScaleLine",
            {Part<S, GlyphInt>("GlyphInt", GlyphIntSchema(), &AsBase<S, GlyphInt>),
             Part<S, GdiDrawLine>("GdiDrawLine", GdiDrawLineSchema(), [](S& s) -> GdiDrawLine& { return s.GetLine(); }),
             Property<S>("AxisX", Encoding::kInt,
                         [](S& s) -> Value {
                             Graph* graph = ParentGraph(s);
                             if (!graph || graph->GetAxes().List(Axis::kBelow).empty()) return int32_t(0);
                             return int32_t(10);
                         },
                         [](S& s, const PropertyValue& v) { SetScaleLineAxis(s, v, true); }),
             Property<S>("AxisY", Encoding::kInt, [](S& s) -> Value { return AxisIdentifier(s, s.GetValueAxis()); },
                         [](S& s, const PropertyValue& v) { SetScaleLineAxis(s, v, false); }),
             Property<S>("VisibleX", Encoding::kInt, [](S& s) -> Value { return int32_t(s.IsShown(false)); },
                         [](S& s, const PropertyValue& v) { s.SetShown(false, FromValue<int32_t>(v) != 0); }),
             Property<S>("VisibleY", Encoding::kInt, [](S& s) -> Value { return int32_t(s.IsShown(true)); },
                         [](S& s, const PropertyValue& v) { s.SetShown(true, FromValue<int32_t>(v) != 0); })}};
}

// --- axes -----------------------------------------------------------------------------------

Schema<Axis> MakeAxisType()
{
    return {"AxisType", {Property<Axis, &Axis::GetType, &Axis::SetType>("type", Encoding::kInt)}};
}

// The scroll bar holds the axis's range and displayed range; they are applied together through
// the axis, which keeps its cursor's limits in step.
Schema<Axis> MakeScrollBar()
{
    using S = Axis;
    Schema<S> schema{"ScrollBar",
                     {Part<S, GlyphInt>("GlyphInt", GlyphIntSchema(), [](S& s) -> GlyphInt& { return s.GetScrollBar(); }),
                      Property<S>("type", Encoding::kInt, [](S& s) -> Value { return s.GetScrollBar().GetViewMode(); },
                                  [](S& s, const PropertyValue& v) {
                                      const int32_t mode = FromValue<int32_t>(v);
                                      if (mode >= 0 && mode <= 2) s.GetScrollBar().SetViewMode(mode);
                                  }),
                      Property<S>("range_min", Encoding::kReal, [](S& s) -> Value { return s.GetRangeMin(); }, &Mirrored<S>),
                      Property<S>("range_max", Encoding::kReal, [](S& s) -> Value { return s.GetRangeMax(); }, &Mirrored<S>),
                      Property<S>("display_min", Encoding::kReal, [](S& s) -> Value { return s.GetDisplayMin(); }, &Mirrored<S>),
                      Property<S>("display_max", Encoding::kReal, [](S& s) -> Value { return s.GetDisplayMax(); }, &Mirrored<S>)}};
    schema.afterApply = [](S& axis, const ObjectMemento<S>& m) {
        const auto* rangeMin = m.Value("range_min");
        const auto* rangeMax = m.Value("range_max");
        if (*rangeMin && *rangeMax) axis.SetRange(FromValue<double>(**rangeMin), FromValue<double>(**rangeMax));
        const auto* displayMin = m.Value("display_min");
        const auto* displayMax = m.Value("display_max");
        if (*displayMin && *displayMax) axis.SetDisplayRange(FromValue<double>(**displayMin), FromValue<double>(**displayMax));
    };
    return schema;
}

// The cursor's limits and displayed range mirror the scroll bar; its two values are its own.
Schema<Axis> MakeAxisCursor()
{
    using S = Axis;
    return {"AxisCursor",
            {Part<S, GlyphInt>("GlyphInt", GlyphIntSchema(), [](S& s) -> GlyphInt& { return s.GetCursor(); }),
             Property<S>("type", Encoding::kInt, [](S& s) -> Value { return s.GetCursor().GetOrientation(); }, &Mirrored<S>),
             Property<S>("range_min", Encoding::kReal, [](S& s) -> Value { return s.GetCursor().GetLowerLimit(); }, &Mirrored<S>),
             Property<S>("range_max", Encoding::kReal, [](S& s) -> Value { return s.GetCursor().GetUpperLimit(); }, &Mirrored<S>),
             Property<S>("display_min", Encoding::kReal, [](S& s) -> Value { return s.GetCursor().GetDisplayMin(); }, &Mirrored<S>),
             Property<S>("display_max", Encoding::kReal, [](S& s) -> Value { return s.GetCursor().GetDisplayMax(); }, &Mirrored<S>),
             Property<S>("cursor1", Encoding::kReal, [](S& s) -> Value { return s.GetCursor().GetCursor1(); },
                         [](S& s, const PropertyValue& v) { s.GetCursor().SetCursor1(FromValue<double>(v)); }),
             Property<S>("cursor2", Encoding::kReal, [](S& s) -> Value { return s.GetCursor().GetCursor2(); },
                         [](S& s, const PropertyValue& v) { s.GetCursor().SetCursor2(FromValue<double>(v)); })}};
}

Schema<Axis> MakeLabelFormat()
{
    using S = Axis;
    return {"label_format",
            {Property<S>("decimal_places", Encoding::kInt,
                         [](S& s) -> Value {
                             const auto* format = dynamic_cast<const LabelFormatValue*>(&s.GetLabelFormat());
                             if (!format) return std::nullopt;
                             return format->GetDecimalPlaces();
                         },
                         [](S& s, const PropertyValue& v) { SetAxisDecimalPlaces(s, FromValue<int32_t>(v)); })}};
}

Schema<AxisDrawer> MakeAxisDrawer()
{
    using S = AxisDrawer;
    return {"AxisDrawer",
            {Property<S, &S::GetScaleDrawType, &S::SetScaleDrawType>("scale_draw_type", Encoding::kInt),
             Property<S, &S::GetScaleLength, &S::SetScaleLength>("scale_length", Encoding::kInt),
             Property<S, &S::GetSubscaleDrawType, &S::SetSubscaleDrawType>("subscale_draw_type", Encoding::kInt),
             Property<S, &S::GetSubscaleLength, &S::SetSubscaleLength>("subscale_length", Encoding::kInt),
             PenField<S, &LogPen::color, Encoding::kColor>("color"), PenField<S, &LogPen::widthX, Encoding::kInt>("witdh")}};
}

Schema<Axis> MakeAxis()
{
    using S = Axis;
    static const Schema<S> type = MakeAxisType();
    static const Schema<AxisTitle> title = MakeTextHolder<AxisTitle>("AxisTitle");
    static const Schema<AxisUnit> unit = MakeTextHolder<AxisUnit>("AxisUnit");
    return {"Axis",
            {Part<S, GlyphInt>("GlyphInt", GlyphIntSchema(), &AsBase<S, GlyphInt>), Part<S, S>("AxisType", type, &Self<S>),
             Part<S, AxisTitle>("AxisTitle", title, [](S& s) -> AxisTitle& { return s.GetTitle(); }),
             Part<S, GdiDrawStr>("GdiDrawStr", GdiDrawStrSchema(), [](S& s) -> GdiDrawStr& { return s.GetLabelFont(); }),
             Part<S, S>("ScrollBar", AxisScrollBarSchema(), &Self<S>),
             Part<S, S>("AxisCursor", AxisCursorSchema(), &Self<S>),
             Part<S, S>("label_format", AxisLabelFormatSchema(), &Self<S>),
             Part<S, AxisDrawer>("AxisDrawer", AxisDrawerSchema(), [](S& s) -> AxisDrawer& { return s.GetDrawer(); }),
             Property<S, &S::GetScaleInterval, &S::SetScaleInterval>("scale_band", Encoding::kReal),
             Property<S, &S::GetSubscaleInterval, &S::SetSubscaleInterval>("subscale_band", Encoding::kReal),
             Property<S, &S::GetAutoRange, &S::SetAutoRange>("auto_range", Encoding::kInt),
             Part<S, AxisUnit>("AxisUnit", unit, [](S& s) -> AxisUnit& { return s.GetUnit(); })}};
}

// --- channels and the graph -----------------------------------------------------------------

void BindChannelAxis(GCh& channel, const PropertyValue& v, bool time)
{
    Graph* graph = ParentGraph(channel);
    if (!graph) return;
    std::shared_ptr<Axis> axis = FindAxis(*graph, FromValue<int32_t>(v));
    if (!axis || axis->IsVertical() == time) return;  // a time axis must lie, a value axis stand
    if (time)
        channel.SetAxes(axis, channel.GetValueAxis());
    else
        channel.SetAxes(channel.GetTimeAxis(), axis);
}

Schema<GCh> MakeGCh()
{
    using S = GCh;
    return {"GCh",
            {Part<S, GlyphInt>("GlyphInt", GlyphIntSchema(), &AsBase<S, GlyphInt>),
             Property<S>("axis_x", Encoding::kInt, [](S& s) -> Value { return AxisIdentifier(s, s.GetTimeAxis()); },
                         [](S& s, const PropertyValue& v) { BindChannelAxis(s, v, true); }),
             Property<S>("axis_y", Encoding::kInt, [](S& s) -> Value { return AxisIdentifier(s, s.GetValueAxis()); },
                         [](S& s, const PropertyValue& v) { BindChannelAxis(s, v, false); }),
             Part<S, GdiDrawLineGraphGDIP>("GdiDrawLineGraphGDIP", GdiDrawLineGraphSchema(),
                                           [](S& s) -> GdiDrawLineGraphGDIP& { return s.GetDrawer(); })}};
}

std::shared_ptr<Axis> CreateAxisOfType(Graph& graph, int32_t type)
{
    const GraphFactory factory;
    switch (type) {
        case Axis::kLeft: return factory.CreateLeftAxis(&graph);
        case Axis::kRight: return factory.CreateRightAxis(&graph);
        case Axis::kAbove: {
            auto axis = factory.CreateTimeAxis(&graph);
            axis->SetType(Axis::kAbove);
            return axis;
        }
        case Axis::kBelow: return factory.CreateTimeAxis(&graph);
        default: return nullptr;
    }
}

int32_t MemberAxisType(const Memento& member)
{
    const auto* axis = dynamic_cast<const AxisMemento*>(&member);
    if (!axis) return 0;
    const auto type = std::dynamic_pointer_cast<AxisMemento>(axis->Part("AxisType"));
    if (!type || !*type->Value("type")) return 0;
    return FromValue<int32_t>(**type->Value("type"));
}

constexpr uint8_t kAxisTypes[] = {Axis::kBelow, Axis::kLeft, Axis::kRight, Axis::kAbove};

Field<Graph> AxesField()
{
    Field<Graph> field;
    field.element = "GraphAxes";
    field.create = [] { return std::make_shared<ListMemento>("GraphAxes"); };
    field.capture = [](Graph& graph) -> std::shared_ptr<Memento> {
        auto list = std::make_shared<ListMemento>("GraphAxes");
        for (uint8_t type : kAxisTypes)
            for (const auto& axis : graph.GetAxes().List(type)) {
                auto member = std::make_shared<AxisMemento>(AxisSchema(), "GlyAxis");
                member->Capture(*axis);
                list->Members().push_back(member);
            }
        return list;
    };
    field.apply = [](Graph& graph, const Memento& memento) {
        const auto* list = dynamic_cast<const ListMemento*>(&memento);
        if (!list) return;
        for (uint8_t type : kAxisTypes) {
            size_t index = 0;
            for (const auto& member : list->Members()) {
                if (MemberAxisType(*member) != type) continue;
                // Ten axes of a kind at most: identifiers have one digit for the index.
                if (index >= 10) break;
                const auto& axes = graph.GetAxes().List(type);
                std::shared_ptr<Axis> axis = index < axes.size() ? axes[index] : CreateAxisOfType(graph, type);
                if (index >= axes.size()) graph.GetAxes().Insert(axis, 0);
                static_cast<const AxisMemento&>(*member).Apply(*axis);
                ++index;
            }
        }
    };
    return field;
}

Field<Graph> ChannelsField()
{
    Field<Graph> field;
    field.element = "GraphChannels";
    field.create = [] { return std::make_shared<ListMemento>("GraphChannels"); };
    field.capture = [](Graph& graph) -> std::shared_ptr<Memento> {
        auto list = std::make_shared<ListMemento>("GraphChannels");
        for (const auto& channel : graph.GetChannels().List()) {
            auto member = std::make_shared<ObjectMemento<GCh>>(GChSchema(), "GlyCh");
            member->Capture(*channel);
            list->Members().push_back(member);
        }
        return list;
    };
    field.apply = [](Graph& graph, const Memento& memento) {
        const auto* list = dynamic_cast<const ListMemento*>(&memento);
        if (!list) return;
        const auto& channels = graph.GetChannels().List();
        for (size_t i = 0; i < list->Members().size() && i < channels.size(); ++i)
            if (const auto* member = dynamic_cast<const ObjectMemento<GCh>*>(list->Members()[i].get())) member->Apply(*channels[i]);
    };
    return field;
}

Field<Graph> ShapesField()
{
    Field<Graph> field;
    field.element = "GraphShapes";
    field.create = [] { return std::make_shared<ListMemento>("GraphShapes"); };
    field.capture = [](Graph& graph) -> std::shared_ptr<Memento> {
        auto list = std::make_shared<ListMemento>("GraphShapes");
        for (const auto& shape : graph.GetShapes().List()) list->Members().push_back(CreateShapeMemento(*shape));
        return list;
    };
    // Shapes of the same kinds in the same order take the stored values in place, so commands
    // that hold them (moves, order changes) still find them; otherwise the list is rebuilt as
    // stored, in drawing order, skipping members of no shape kind.
    field.apply = [](Graph& graph, const Memento& memento) {
        const auto* list = dynamic_cast<const ListMemento*>(&memento);
        if (!list) return;
        const auto& shapes = graph.GetShapes().List();
        bool same = shapes.size() == list->Members().size();
        for (size_t i = 0; same && i < shapes.size(); ++i) same = list->Members()[i]->ElementName() == shapes[i]->Tag();
        if (same) {
            for (size_t i = 0; i < shapes.size(); ++i) ApplyShapeMemento(*shapes[i], *list->Members()[i]);
            return;
        }
        graph.GetShapes().Clear();
        for (const auto& member : list->Members()) {
            auto shape = CreateShape(member->ElementName(), &graph);
            if (!shape) continue;
            graph.GetShapes().Append(shape);
            ApplyShapeMemento(*shape, *member);
        }
    };
    return field;
}

// Axes the memento does not describe go, unless a channel still uses them.
void RemoveSurplusAxes(Graph& graph, const GraphMemento& memento)
{
    const auto list = std::dynamic_pointer_cast<ListMemento>(memento.Part("GraphAxes"));
    if (!list) return;
    for (uint8_t type : kAxisTypes) {
        size_t wanted = 0;
        for (const auto& member : list->Members()) wanted += MemberAxisType(*member) == type;
        const std::vector<std::shared_ptr<Axis>> axes = graph.GetAxes().List(type);
        for (size_t i = axes.size(); i-- > wanted;) {
            bool used = false;
            for (const auto& channel : graph.GetChannels().List())
                used |= channel->GetTimeAxis() == axes[i] || channel->GetValueAxis() == axes[i];
            if (!used) graph.GetAxes().Remove(axes[i].get());
        }
    }
}

Schema<Graph> MakeGraph()
{
    using S = Graph;
    Schema<S> schema{"Graph",
                     {Part<S, GlyphInt>("GlyphInt", GlyphIntSchema(), &AsBase<S, GlyphInt>), PaddingField<S>(),
                      Part<S, GraphBack>("GraphBack", GraphBackSchema(), [](S& s) -> GraphBack& { return s.GetBack(); }),
                      Part<S, GraphFrame>("GraphFrame", GraphFrameSchema(), [](S& s) -> GraphFrame& { return s.GetFrame(); }),
                      Part<S, GraphLegend>("GraphLegend", GraphLegendSchema(), [](S& s) -> GraphLegend& { return s.GetLegend(); }),
                      Part<S, GraphTitle>("GraphTitle", GraphTitleSchema(), [](S& s) -> GraphTitle& { return s.GetTitle(); }),
                      AxesField(), ChannelsField(), ShapesField(),
                      Part<S, GraphScaleLine>("GraphScaleLine", GraphScaleLineSchema(),
                                              [](S& s) -> GraphScaleLine& { return s.GetScaleLine(); })}};
    schema.afterApply = [](S& graph, const GraphMemento& memento) {
        RemoveSurplusAxes(graph, memento);
        graph.Notify(kChanged | kRelayout);
    };
    return schema;
}

template <class T>
void RegisterObject(MementoFactory& factory, const Schema<T>& schema, const std::string& tag)
{
    const Schema<T>* described = &schema;
    factory.Register(schema.name, [described] { return std::make_shared<ObjectMemento<T>>(*described); });
    if (!tag.empty())
        factory.Register(tag, [described, tag] { return std::make_shared<ObjectMemento<T>>(*described, tag); });
}

}  // namespace

void SetAxisDecimalPlaces(Axis& axis, int32_t places)
{
    const auto* format = dynamic_cast<const LabelFormatValue*>(&axis.GetLabelFormat());
    if (!format || format->GetDecimalPlaces() == places) return;
    auto copy = std::dynamic_pointer_cast<LabelFormatValue>(format->Clone());
    copy->SetDecimalPlaces(places);
    axis.SetLabelFormat(copy);
}

#define OVG_SCHEMA(Type, Maker)              \
    const Schema<Type>& Type##Schema()       \
    {                                        \
        static const Schema<Type> s = Maker(); \
        return s;                            \
    }
OVG_SCHEMA(Glyph, MakeGlyph)
OVG_SCHEMA(GlyphInt, MakeGlyphInt)
OVG_SCHEMA(GlyphText, MakeGlyphText)
OVG_SCHEMA(AutoSizing, MakeAutoSizing)
OVG_SCHEMA(GdiDrawRect, MakeGdiDrawRect)
OVG_SCHEMA(GdiDrawStr, MakeGdiDrawStr)
OVG_SCHEMA(GdiDrawLine, MakeGdiDrawLine)
OVG_SCHEMA(GraphBack, MakeGraphBack)
OVG_SCHEMA(GraphFrame, MakeGraphFrame)
OVG_SCHEMA(GraphLegend, MakeGraphLegend)
OVG_SCHEMA(GraphTitle, MakeGraphTitle)
OVG_SCHEMA(GraphScaleLine, MakeGraphScaleLine)
OVG_SCHEMA(Axis, MakeAxis)
OVG_SCHEMA(GCh, MakeGCh)
OVG_SCHEMA(Graph, MakeGraph)
#undef OVG_SCHEMA

#define OVG_NAMED_SCHEMA(Type, Function, Maker) \
    const Schema<Type>& Function()                \
    {                                             \
        static const Schema<Type> s = Maker();    \
        return s;                                 \
    }
OVG_NAMED_SCHEMA(GdiDrawLineGraphGDIP, GdiDrawLineGraphSchema, MakeLineGraph)
OVG_NAMED_SCHEMA(GdiDrawLineGraphGDIP, GdiDrawLineGraphSymbolSchema, MakeLineGraphSymbol)
OVG_NAMED_SCHEMA(Axis, AxisScrollBarSchema, MakeScrollBar)
OVG_NAMED_SCHEMA(Axis, AxisCursorSchema, MakeAxisCursor)
OVG_NAMED_SCHEMA(Axis, AxisLabelFormatSchema, MakeLabelFormat)
OVG_NAMED_SCHEMA(AxisDrawer, AxisDrawerSchema, MakeAxisDrawer)
#undef OVG_NAMED_SCHEMA

void RegisterGraphMementos(MementoFactory& factory)
{
    RegisterObject(factory, GraphSchema(), "GlyGraph");
    RegisterObject(factory, GraphBackSchema(), "GlyGraphBack");
    RegisterObject(factory, GraphFrameSchema(), "GlyGraphFrame");
    RegisterObject(factory, GraphLegendSchema(), "GlyGraphLegend");
    RegisterObject(factory, GraphScaleLineSchema(), "GlyGraphScaleLine");
    RegisterObject(factory, GlyphIntSchema(), "GlyGlyphInt");
    RegisterObject(factory, AxisSchema(), "GlyAxis");
    RegisterObject(factory, GChSchema(), "GlyCh");
    RegisterObject(factory, GlyphSchema(), "");
    RegisterObject(factory, GlyphTextSchema(), "");
    RegisterObject(factory, AutoSizingSchema(), "");
    RegisterObject(factory, GdiDrawRectSchema(), "");
    RegisterObject(factory, GdiDrawStrSchema(), "");
    RegisterObject(factory, GdiDrawLineSchema(), "");
    RegisterObject(factory, GdiDrawLineGraphSchema(), "");
    RegisterShapeMementos(factory);
    // A padding stored by itself has no object of its own: kept as read.
    factory.Register("GlyPadding", [] { return std::make_shared<RawMemento>("GlyPadding"); });
}

std::shared_ptr<GraphMemento> CreateMemento(Graph& graph)
{
    auto memento = std::make_shared<GraphMemento>(GraphSchema(), "GlyGraph");
    memento->Capture(graph);
    return memento;
}

void SetMemento(Graph& graph, const GraphMemento& memento) { memento.Apply(graph); }

std::shared_ptr<XmlElement> WriteGraphState(const GraphMemento& memento)
{
    XmlElement holder;
    memento.Write(holder);
    return holder.Children().front();
}

std::string WriteXmlDocumentOf(Graph& graph) { return OvGraphFileLib::WriteXmlDocument(*WriteGraphState(*CreateMemento(graph))); }

std::shared_ptr<GraphMemento> ReadGraphState(const XmlElement& root)
{
    auto memento = std::make_shared<GraphMemento>(GraphSchema(), root.Name());
    memento->Read(root);
    return memento;
}

std::shared_ptr<Axis> FindAxis(Graph& graph, int32_t identifier)
{
    const int32_t base = identifier / 10, index = identifier % 10;
    if (identifier < 10 || base > 4) return nullptr;
    constexpr uint8_t kTypeOfBase[] = {0, Axis::kBelow, Axis::kLeft, Axis::kRight, Axis::kAbove};
    const auto& list = graph.GetAxes().List(kTypeOfBase[base]);
    return size_t(index) < list.size() ? list[size_t(index)] : nullptr;
}

}  // namespace ovgGraph
