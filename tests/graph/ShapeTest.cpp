// Shapes on a graph: inserting each kind by dragging, their stored form, staying on their data
// when zooming, the drawing order, and the drags that move and resize them.
#include <gtest/gtest.h>

#include "Common/Library/SeriousError.h"
#include "graph/commands/GraphCmdSetState.h"
#include "graph/commands/GraphStructureCmds.h"
#include "graph/commands/ShapeCmds.h"
#include "graph/interaction/ShapeStates.h"
#include "graph/shapes/GraphShapes.h"
#include "graph/state/GraphState.h"
#include "graph/state/Theme.h"
#include "graph/GraphLegend.h"
#include "graph/GraphLegendItemLineGraph.h"
#include "InteractiveGraph.h"

using namespace ovgGraph;
using namespace ovgGraph::test;
using Kind = ShapeBase::Kind;

namespace {

std::string Name(const orvel::Cmd& cmd) { return QString::fromStdU16String(cmd.GetName()).toStdString(); }

struct ShapeGraph : InteractiveGraphBase {
    ShapeGraph() : InteractiveGraphBase(2) {}

    // Inserts a shape through its insert state and records the step as a window would.
    std::shared_ptr<ShapeBase> Insert(Kind kind, Point from, Point to)
    {
        const size_t before = window.recorded.size();
        graph.ChangeState(std::make_shared<GraphShapesStateInsert>(graph, kind));
        Drag(from, to);
        EXPECT_EQ(window.recorded.size(), before + 1);
        EXPECT_TRUE(window.executeFlags.back());
        orvel::ExecuteCmd(*window.recorded.back().front());
        return graph.GetShapes().List().back();
    }
    Point PixelOf(double t, double v) const
    {
        return {time->GetOriginX() + time->ValueToPixel(t), value->GetOriginY() - value->ValueToPixel(v)};
    }
    QImage Picture() { return graph.Render(800, 600); }
    std::vector<ShapeBase*> Order()
    {
        std::vector<ShapeBase*> order;
        for (const auto& shape : graph.GetShapes().List()) order.push_back(shape.get());
        return order;
    }
};

TEST(Shapes, EachKindInsertedByDraggingComesBackFromTheDocument)
{
    const struct {
        Kind kind;
        const char* tag;
        bool edited;  // the text editor opens on it
    } cases[] = {
        {Kind::kTextBox, "ShpTextBox", true}, {Kind::kRect, "ShpRect", false}, {Kind::kLine, "ShpLine", false},
        {Kind::kArrow, "ShpLine", false},     {Kind::kBallon, "ShpBallon", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tag);
        ShapeGraph g;
        const QImage empty = g.Picture();
        const auto shape = g.Insert(c.kind, {200, 200}, {320, 260});
        ASSERT_EQ(g.graph.GetShapes().List().size(), 1u);
        EXPECT_EQ(shape->GetKind(), c.kind);
        EXPECT_EQ(g.window.edits.size(), c.edited ? 1u : 0u);
        if (auto box = std::dynamic_pointer_cast<ShapeTextBox>(shape)) box->GetText().SetText(QStringLiteral("Peak 温度"));
        EXPECT_NE(g.Picture(), empty);
        EXPECT_EQ(shape->HitHandle({200, 200}) != ShapeBase::kNoHandle, true);

        const std::string xml = WriteXmlDocumentOf(g.graph);
        EXPECT_NE(xml.find(std::string("<") + c.tag + ">"), std::string::npos);
        ShapeGraph copy;
        SetMemento(copy.graph, *ReadGraphState(*WriteGraphState(*CreateMemento(g.graph))));
        ASSERT_EQ(copy.graph.GetShapes().List().size(), 1u);
        EXPECT_EQ(copy.graph.GetShapes().List()[0]->GetKind(), c.kind);
        EXPECT_EQ(WriteXmlDocumentOf(copy.graph), xml);
        EXPECT_EQ(copy.Picture(), g.Picture());

        orvel::UndoCmd(*g.window.recorded.back().front());
        EXPECT_TRUE(g.graph.GetShapes().List().empty());
        EXPECT_EQ(g.Picture(), empty);
    }
}

TEST(Shapes, AnAssociatedShapeStaysOnItsDataWhenZooming)
{
    ShapeGraph g;
    const Point peak = g.PixelOf(500, 50);
    const auto arrow = std::static_pointer_cast<ShapeLine>(g.Insert(Kind::kArrow, {peak.x - 100, peak.y - 80}, peak));
    const double endX = arrow->GetEndValueX(), endY = arrow->GetEndValueY();
    // A free box, tied to no axis, keeps its pixels instead.
    const auto note = g.Insert(Kind::kRect, {100, 100}, {160, 140});
    orvel::ExecuteCmd(*std::make_shared<ShapeBaseCmdSetAssociationAxis>(note, nullptr, nullptr));
    EXPECT_EQ(note->GetOrigin(), (Point{100, 100}));

    g.graph.ChangeState(nullptr);
    g.Drag({peak.x - 150, peak.y - 100}, {peak.x + 40, peak.y + 60});  // zoom into the box
    g.graph.Render(800, 600);
    ASSERT_NE(g.Now().timeMax, 1000.0);
    EXPECT_EQ(arrow->GetEndValueX(), endX);
    EXPECT_EQ(arrow->GetEndValueY(), endY);
    const Point now = g.PixelOf(endX, endY);
    EXPECT_EQ(arrow->GetEndPixel(), now);
    EXPECT_NE(now, peak);
    EXPECT_EQ(note->GetOrigin(), (Point{100, 100}));
}

TEST(Shapes, OrderCommandsAndDeleteKeepTheDrawingOrder)
{
    ShapeGraph g;
    const auto a = g.Insert(Kind::kRect, {100, 100}, {150, 150});
    const auto b = g.Insert(Kind::kLine, {120, 120}, {170, 170});
    const auto c = g.Insert(Kind::kTextBox, {140, 140}, {190, 190});
    const auto graph = std::shared_ptr<Graph>(std::shared_ptr<Graph>(), &g.graph);
    using Order = std::vector<ShapeBase*>;
    const struct {
        std::shared_ptr<orvel::Cmd> cmd;
        bool valid;
        Order after;
    } cases[] = {
        {std::make_shared<GraphShapesCmdTop>(graph, c), false, {a.get(), b.get(), c.get()}},
        {std::make_shared<GraphShapesCmdForward>(graph, c), false, {a.get(), b.get(), c.get()}},
        {std::make_shared<GraphShapesCmdBottom>(graph, a), false, {a.get(), b.get(), c.get()}},
        {std::make_shared<GraphShapesCmdBack>(graph, a), false, {a.get(), b.get(), c.get()}},
        {std::make_shared<GraphShapesCmdTop>(graph, a), true, {b.get(), c.get(), a.get()}},
        {std::make_shared<GraphShapesCmdBottom>(graph, c), true, {c.get(), a.get(), b.get()}},
        {std::make_shared<GraphShapesCmdForward>(graph, a), true, {b.get(), a.get(), c.get()}},
        {std::make_shared<GraphShapesCmdBack>(graph, b), true, {b.get(), a.get(), c.get()}},
        {std::make_shared<GraphShapesCmdDelete>(graph, b), true, {a.get(), c.get()}},
    };
    const Order start = g.Order();
    const QImage picture = g.Picture();
    for (const auto& row : cases) {
        SCOPED_TRACE(Name(*row.cmd));
        orvel::ExecuteCmd(*row.cmd);
        EXPECT_EQ(row.cmd->IsValid(), row.valid);
        EXPECT_EQ(g.Order(), row.after);
        orvel::UndoCmd(*row.cmd);
        EXPECT_EQ(g.Order(), start);
        EXPECT_EQ(g.Picture(), picture);
    }
    // A shape that is not in the graph is an internal error.
    auto stray = CreateShape(Kind::kLine, nullptr);
    EXPECT_THROW(orvel::ExecuteCmd(*std::make_shared<GraphShapesCmdDelete>(graph, stray)), orvel::SeriousError);
}

TEST(Shapes, DragsMoveAndResizeAsOneUndoableStep)
{
    ShapeGraph g;
    const auto box = std::static_pointer_cast<ShapeTextBox>(g.Insert(Kind::kRect, {200, 200}, {300, 260}));
    g.graph.ChangeState(nullptr);
    const QImage before = g.Picture();
    const size_t recorded = g.window.recorded.size();

    const struct {
        const char* what;
        Point from, to;
        Rect expected;
    } cases[] = {
        {"body", {250, 230}, {280, 250}, {230, 220, 330, 280}},
        {"right edge", {299, 230}, {349, 230}, {200, 200, 350, 260}},
        {"top-left corner", {200, 200}, {180, 170}, {180, 170, 300, 260}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        g.Drag(c.from, c.to);
        ASSERT_EQ(g.window.recorded.size(), recorded + 1);
        EXPECT_FALSE(g.window.executeFlags.back());
        auto& cmd = *g.window.recorded.back().front();
        EXPECT_EQ(Name(cmd), "GlyphCmdChange");
        const auto moved = std::static_pointer_cast<ShapeTextBox>(g.graph.GetShapes().List().front());
        EXPECT_NE(moved, box);
        EXPECT_EQ(moved->BoxPixels(), c.expected);
        const QImage after = g.Picture();
        orvel::UndoCmd(cmd);
        EXPECT_EQ(g.graph.GetShapes().List().front(), box);
        EXPECT_EQ(g.Picture(), before);
        orvel::ExecuteCmd(cmd);
        EXPECT_EQ(g.Picture(), after);
        orvel::UndoCmd(cmd);
        g.window.recorded.pop_back();
        g.window.executeFlags.pop_back();
        g.graph.ChangeState(nullptr);
    }

    // Escape during a drag, a click without movement and a locked shape record nothing.
    g.graph.OnMouseMove({250, 230});
    g.graph.OnLButtonDown({250, 230});
    g.graph.OnMouseMove({300, 300});
    g.graph.OnKeyDown(kKeyEscape, 0, 0);
    g.graph.OnLButtonUp({300, 300});
    g.Drag({250, 230}, {251, 231});
    orvel::ExecuteCmd(*std::make_shared<ShapeBaseCmdSetLock>(box, true));
    g.Drag({250, 230}, {300, 300});
    EXPECT_EQ(g.window.recorded.size(), recorded);
    EXPECT_EQ(g.graph.GetShapes().List().front(), box);
    EXPECT_EQ(g.Picture(), before);
    EXPECT_NE(WriteXmlDocumentOf(g.graph).find("<lock>1</lock>"), std::string::npos);
    ShapeGraph copy;
    SetMemento(copy.graph, *ReadGraphState(*WriteGraphState(*CreateMemento(g.graph))));
    EXPECT_TRUE(copy.graph.GetShapes().List().front()->IsLocked());
}

TEST(Shapes, ALineMovesByItsEndsAndACalloutByItsAnchor)
{
    ShapeGraph g;
    const auto line = g.Insert(Kind::kLine, {100, 300}, {200, 300});
    const auto ballon = std::static_pointer_cast<ShapeBallon>(g.Insert(Kind::kBallon, {400, 300}, {500, 200}));
    g.graph.ChangeState(nullptr);
    g.Drag({200, 300}, {250, 350});
    auto moved = std::static_pointer_cast<ShapeLine>(g.graph.GetShapes().List()[0]);
    EXPECT_EQ(moved->GetOrigin(), (Point{100, 300}));
    EXPECT_EQ(moved->GetEndPixel(), (Point{250, 350}));
    g.graph.ChangeState(nullptr);
    g.Drag({400, 300}, {420, 330});  // the anchor
    auto callout = std::static_pointer_cast<ShapeBallon>(g.graph.GetShapes().List()[1]);
    EXPECT_EQ(callout->GetAnchorPixel(), (Point{420, 330}));
    EXPECT_EQ(callout->GetBox().GetOrigin(), ballon->GetBox().GetOrigin());
    EXPECT_THROW(line->GetArea(), orvel::SeriousError);
    EXPECT_THROW(line->SetArea(Rect{}), orvel::SeriousError);
}

// A theme gives shapes (and the legend's labels) its look; putting the state back keeps the very
// shape objects that commands in the history hold.
TEST(Shapes, ThemesGiveShapesTheirLookInPlace)
{
    ShapeGraph g;
    const auto arrow = std::static_pointer_cast<ShapeLine>(g.Insert(Kind::kArrow, {200, 200}, {300, 260}));
    const auto box = std::static_pointer_cast<ShapeTextBox>(g.Insert(Kind::kTextBox, {100, 100}, {100, 100}));
    const std::string before = WriteXmlDocumentOf(g.graph);
    const auto memento = CreateMemento(g.graph);
    const auto& dark = BuiltInThemes().at(1);
    dark->Apply(g.graph);
    g.graph.Render(800, 600);
    EXPECT_EQ(arrow->GetLine().GetLogPen().color, 0xE0E0E0u);
    EXPECT_EQ(arrow->GetLine().GetEndPointStyle(), 3) << "still an arrow";
    EXPECT_EQ(box->GetText().GetDrawStr().GetTextColor(), 0xF0F0F0u);
    EXPECT_EQ(box->GetOrigin(), (Point{100, 100})) << "a theme never moves anything";
    GraphLegend& legend = g.graph.GetLegend();
    ASSERT_FALSE(legend.GetItems().empty());
    EXPECT_EQ(legend.GetItems().front()->GetLabel().GetDrawStr().GetTextColor(), legend.GetFont().GetTextColor());

    SetMemento(g.graph, *memento);
    EXPECT_EQ(g.graph.GetShapes().List()[0], arrow);
    EXPECT_EQ(g.graph.GetShapes().List()[1], box);
    EXPECT_EQ(WriteXmlDocumentOf(g.graph), before);

    // A shape inserted under the theme takes its look.
    g.graph.SetTheme(dark);
    const auto line = std::static_pointer_cast<ShapeLine>(g.Insert(Kind::kLine, {400, 300}, {500, 300}));
    EXPECT_EQ(line->GetLine().GetLogPen().color, 0xE0E0E0u);
    EXPECT_EQ(line->GetKind(), Kind::kLine);
}

// What the shapes must survive: a callout's anchor mark is the pointer's start and shows; a line
// given an arrow head becomes an arrow; a press without movement, or a state left mid-drag,
// leaves the shape as it was; deleting the axis a shape is tied to keeps it where it is drawn;
// replacing the whole graph state and undoing it gives back the very shape objects.
TEST(Shapes, SurvivingAnchorsArrowHeadsAbandonedDragsDeletedAxesAndStateChanges)
{
    ShapeGraph g;
    const auto ballon = std::static_pointer_cast<ShapeBallon>(g.Insert(Kind::kBallon, {400, 300}, {500, 200}));
    EXPECT_EQ(ballon->GetAnchorPixel(), (Point{400, 300}));
    const QImage dot = g.Picture();
    orvel::ExecuteCmd(*std::make_shared<ShapeBallonCmdSetStartPointStyle>(ballon, uint8_t(3)));
    EXPECT_NE(g.Picture(), dot) << "the mark at the anchor is drawn, not hidden under the box";

    const auto line = std::static_pointer_cast<ShapeLine>(g.Insert(Kind::kLine, {100, 400}, {200, 400}));
    orvel::ExecuteCmd(*std::make_shared<ShapeLineCmdSetEndPointStyle>(line, uint8_t(3)));
    EXPECT_EQ(line->GetKind(), Kind::kArrow);
    orvel::ExecuteCmd(*std::make_shared<ShapeLineCmdSetEndPointStyle>(line, uint8_t(0)));
    EXPECT_EQ(line->GetKind(), Kind::kLine);

    // A press, then the state changes before any movement or in the middle of a drag.
    g.graph.ChangeState(nullptr);
    g.graph.OnMouseMove({150, 400});
    g.graph.OnLButtonDown({150, 400});
    g.graph.ChangeState(nullptr);
    EXPECT_EQ(g.graph.GetShapes().List()[1], line);
    g.graph.OnMouseMove({150, 400});
    g.graph.OnLButtonDown({150, 400});
    g.graph.OnMouseMove({180, 450});
    EXPECT_NE(g.graph.GetShapes().List()[1], line) << "a copy is dragged";
    g.graph.SetOperationType(1);
    EXPECT_EQ(g.graph.GetShapes().List()[1], line);
    EXPECT_EQ(line->GetOrigin(), (Point{100, 400}));

    // The time axis a shape is tied to goes: the shape moves to the other time axis in place.
    GraphFactory factory;
    auto above = factory.CreateTimeAxis(&g.graph);
    above->SetType(Axis::kAbove);
    g.graph.GetAxes().Insert(above);
    above->SetRange(-500, 500);
    g.graph.Render(800, 600);
    const Point placed = line->GetOrigin();
    ShapeBaseCmdSetAssociationAxis retie(line, g.time, g.value);
    orvel::ExecuteCmd(retie);
    ShapeBaseCmdSetAssociationAxis moveOff(line, above, g.value);
    orvel::ExecuteCmd(moveOff);
    EXPECT_EQ(line->GetOrigin(), placed);

    // A whole state without shapes replaces the list; undo brings back the same objects.
    const auto state = std::make_shared<GraphCmdSetState>(u"Test_State", std::shared_ptr<Graph>(std::shared_ptr<Graph>(), &g.graph),
                                                          [](Graph& graph) { graph.GetShapes().Clear(); });
    const auto before = g.graph.GetShapes().List();
    orvel::ExecuteCmd(*state);
    EXPECT_TRUE(g.graph.GetShapes().List().empty());
    orvel::UndoCmd(*state);
    EXPECT_EQ(g.graph.GetShapes().List(), before);
    orvel::ExecuteCmd(*state);
    orvel::UndoCmd(*state);
    orvel::UndoCmd(*g.window.recorded.back().front());  // the line's insert, undone after all that
    EXPECT_EQ(g.graph.GetShapes().List().size(), 1u);
    EXPECT_EQ(g.graph.GetShapes().List()[0], ballon);
}

}  // namespace
