#include "graph/state/Theme.h"

#include <set>

#include "graph/Axis.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/GraphBack.h"
#include "graph/GraphFactory.h"
#include "graph/GraphFrame.h"
#include "graph/GraphLegend.h"
#include "graph/shapes/GraphShapes.h"
#include "graph/shapes/ShapeBallon.h"
#include "graph/state/GraphState.h"

namespace ovgGraph {
namespace {

// Each stored default: its child element, the tag of the memento inside it, and the older tags
// also accepted on reading.
struct DefaultSlot {
    const char* child;
    const char* tag;
    std::vector<const char*> older;
};

const std::vector<DefaultSlot>& Slots()
{
    static const std::vector<DefaultSlot> table = {
        {"default_graph_back", "GlyGraphBack", {}},
        {"default_graph_frame", "GlyGraphFrame", {}},
        {"default_graph_legend", "GlyGraphLegend", {}},
        {"default_shape_rect", "ShpRect", {"ShapeTextBox"}},
        {"default_shape_line", "ShpLine", {}},
        {"default_shape_arrow", "ShpLine", {}},
        {"default_shape_textbox", "ShpTextBox", {}},
        {"default_shape_ballon", "ShpBallon", {}},
        {"default_axis_x", "GlyAxis", {}},
        {"default_axis_y", "Axis", {}},
    };
    return table;
}

// What a theme never carries: places, sizes, texts, ranges and the per-kind text alignment.
const std::set<std::string>& NotLook()
{
    static const std::set<std::string> names = {
        "GlyphInt", "AxisType", "ScrollBar", "AxisCursor", "label_format", "scale_band", "subscale_band", "auto_range",
        "Text", "position", "direction", "MaxCh", "Row", "Column", "LabelType", "alignment", "Alignment", "Padding",
        "AutoSizing", "ShapeBase", "end_point_x", "end_point_y", "left", "top", "right", "bottom", "size_lock"};
    return names;
}

void Prune(const XmlElement& element, XmlElement& pruned)
{
    for (const auto& child : element.Children()) {
        if (NotLook().count(child->Name())) continue;
        XmlElement& copy = pruned.Append(child->Name(), child->Text());
        Prune(*child, copy);
    }
}

// The look part of an object's memento, read back so that the theme holds only those values.
template <class T>
std::shared_ptr<Memento> LookOf(const Schema<T>& schema, T& object, const std::string& tag)
{
    ObjectMemento<T> full(schema, tag);
    full.Capture(object);
    XmlElement holder;
    full.Write(holder);
    XmlElement pruned(tag);
    Prune(*holder.Children().front(), pruned);
    auto look = std::make_shared<ObjectMemento<T>>(schema, tag);
    look->Read(pruned);
    return look;
}

template <class T>
void ApplyIf(const std::shared_ptr<Memento>& memento, T& target)
{
    if (const auto* typed = dynamic_cast<const ObjectMemento<T>*>(memento.get())) typed->Apply(target);
}

std::shared_ptr<Memento> ShapeLookOf(ShapeBase& shape)
{
    switch (shape.GetKind()) {
        case ShapeBase::Kind::kLine:
        case ShapeBase::Kind::kArrow: return LookOf(ShapeLineSchema(), static_cast<ShapeLine&>(shape), shape.Tag());
        case ShapeBase::Kind::kTextBox:
        case ShapeBase::Kind::kRect: return LookOf(ShapeTextBoxSchema(), static_cast<ShapeTextBox&>(shape), shape.Tag());
        case ShapeBase::Kind::kBallon: return LookOf(ShapeBallonSchema(), static_cast<ShapeBallon&>(shape), shape.Tag());
    }
    return nullptr;
}

std::shared_ptr<ThemeMemento> MakeDark()
{
    Graph graph;
    graph.Initialize(nullptr);
    GraphFactory factory;
    auto left = factory.CreateLeftAxis(&graph);
    auto time = factory.CreateTimeAxis(&graph);
    graph.GetBack().GetDrawRect().SetBackColor1(0x202020);
    graph.GetFrame().GetBackRect().SetBackColor1(0x2A2A2A);
    graph.GetFrame().GetBorderRect().SetFrameColor(0x707070);
    GraphLegend& legend = graph.GetLegend();
    legend.GetDrawRect().SetBackColor1(0x303030);
    legend.GetDrawRect().SetFrameColor(0x707070);
    legend.GetFont().SetTextColor(0xE0E0E0);
    for (Axis* axis : {left.get(), time.get()}) {
        axis->GetLabelFont().SetTextColor(0xE0E0E0);
        axis->GetTitle().GetDrawStr().SetTextColor(0xE0E0E0);
        axis->GetUnit().GetDrawStr().SetTextColor(0xE0E0E0);
        LogPen pen = axis->GetDrawer().GetLogPen();
        pen.color = 0xC0C0C0;
        axis->GetDrawer().SetLogPen(pen);
    }
    graph.GetAxes().Insert(left, 0);
    graph.GetAxes().Insert(time, 0);
    // Shapes that read on a dark plot: light lines and frames, dark boxes with light text.
    using Kind = ShapeBase::Kind;
    for (const Kind kind : {Kind::kTextBox, Kind::kRect, Kind::kLine, Kind::kArrow, Kind::kBallon}) {
        auto shape = CreateShape(kind, &graph);
        graph.GetShapes().Append(shape);
        if (auto* line = dynamic_cast<ShapeLine*>(shape.get())) line->GetLine().SetColor(0xE0E0E0);
        ShapeTextBox* box = dynamic_cast<ShapeTextBox*>(shape.get());
        if (auto* ballon = dynamic_cast<ShapeBallon*>(shape.get())) {
            ballon->GetPointer().GetLine().SetColor(0xE0E0E0);
            box = &ballon->GetBox();
        }
        if (box) {
            box->GetDrawRect().SetFrameColor(kind == Kind::kRect ? 0x40C0FF : 0xC0C0C0);
            if (kind != Kind::kRect) box->GetDrawRect().SetBackColor1(0x383838);
            box->GetText().GetDrawStr().SetTextColor(0xF0F0F0);
        }
    }
    return ThemeMemento::Capture(graph, QStringLiteral("ダーク"));
}

std::shared_ptr<ThemeMemento> MakeLight()
{
    Graph graph;
    graph.Initialize(nullptr);
    GraphFactory factory;
    graph.GetAxes().Insert(factory.CreateLeftAxis(&graph), 0);
    graph.GetAxes().Insert(factory.CreateTimeAxis(&graph), 0);
    return ThemeMemento::Capture(graph, QStringLiteral("ライト"));
}

}  // namespace

std::shared_ptr<ThemeMemento> ThemeMemento::Capture(Graph& graph, const QString& name)
{
    auto theme = std::make_shared<ThemeMemento>();
    theme->m_name = name;
    theme->m_defaults["default_graph_back"] = LookOf(GraphBackSchema(), graph.GetBack(), "GlyGraphBack");
    theme->m_defaults["default_graph_frame"] = LookOf(GraphFrameSchema(), graph.GetFrame(), "GlyGraphFrame");
    theme->m_defaults["default_graph_legend"] = LookOf(GraphLegendSchema(), graph.GetLegend(), "GlyGraphLegend");
    const GraphAxes& axes = graph.GetAxes();
    for (uint8_t type : {Axis::kBelow, Axis::kAbove})
        if (!axes.List(type).empty() && !theme->m_defaults.count("default_axis_x"))
            theme->m_defaults["default_axis_x"] = LookOf(AxisSchema(), *axes.List(type).front(), "GlyAxis");
    for (uint8_t type : {Axis::kLeft, Axis::kRight})
        if (!axes.List(type).empty() && !theme->m_defaults.count("default_axis_y"))
            theme->m_defaults["default_axis_y"] = LookOf(AxisSchema(), *axes.List(type).front(), "Axis");
    // The first shape of each kind stands for the kind.
    for (const auto& shape : graph.GetShapes().List()) {
        auto& look = theme->m_defaults[ShapeBase::ThemeSlot(shape->GetKind())];
        if (!look) look = ShapeLookOf(*shape);
    }
    return theme;
}

void ThemeMemento::Write(XmlElement& parent) const
{
    XmlElement& element = parent.Append(ElementName());
    element.Append("name", m_name.toStdString());
    for (const DefaultSlot& slot : Slots()) {
        const auto found = m_defaults.find(slot.child);
        if (found == m_defaults.end() || !found->second) continue;
        found->second->Write(element.Append(slot.child));
    }
}

void ThemeMemento::Read(const XmlElement& element)
{
    if (const XmlElement* name = element.Find("name")) m_name = QString::fromStdString(name->Text());
    for (const DefaultSlot& slot : Slots()) {
        const XmlElement* holder = element.Find(slot.child);
        if (!holder) continue;
        const XmlElement* stored = holder->Find(slot.tag);
        for (const char* older : slot.older)
            if (!stored) stored = holder->Find(older);
        if (!stored) continue;
        // Looks only, whatever the file holds; an older element name reads as the current one.
        XmlElement look(slot.tag);
        Prune(*stored, look);
        auto memento = MementoFactory::Instance().Create(slot.tag);
        memento->Read(look);
        memento->SetElementName(slot.tag);
        m_defaults[slot.child] = memento;
    }
}

std::shared_ptr<Memento> ThemeMemento::GetDefault(const std::string& child) const
{
    const auto found = m_defaults.find(child);
    return found == m_defaults.end() ? nullptr : found->second;
}

void ThemeMemento::ApplyToAxis(Axis& axis) const
{
    ApplyIf(GetDefault(axis.IsVertical() ? "default_axis_y" : "default_axis_x"), axis);
}

void ThemeMemento::Apply(Graph& graph) const
{
    ApplyIf(GetDefault("default_graph_back"), graph.GetBack());
    ApplyIf(GetDefault("default_graph_frame"), graph.GetFrame());
    ApplyIf(GetDefault("default_graph_legend"), graph.GetLegend());
    for (const auto& axis : graph.GetAxes().All()) ApplyToAxis(*axis);
    for (const auto& shape : graph.GetShapes().List())
        if (const auto look = GetDefault(ShapeBase::ThemeSlot(shape->GetKind()))) ApplyShapeMemento(*shape, *look);
    graph.Notify(kChanged | kRelayout);
}

const std::vector<std::shared_ptr<ThemeMemento>>& BuiltInThemes()
{
    static const std::vector<std::shared_ptr<ThemeMemento>> themes = {MakeLight(), MakeDark()};
    return themes;
}

std::shared_ptr<ThemeMemento> ReadTheme(const XmlElement& root)
{
    if (root.Name() != "theme") return nullptr;
    auto theme = std::make_shared<ThemeMemento>();
    theme->Read(root);
    return theme;
}

std::shared_ptr<XmlElement> WriteTheme(const ThemeMemento& theme)
{
    XmlElement holder;
    theme.Write(holder);
    return holder.Children().front();
}

}  // namespace ovgGraph
