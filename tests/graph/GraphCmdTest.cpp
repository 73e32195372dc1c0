#include <gtest/gtest.h>

#include <functional>

#include "Common/Library/SeriousError.h"
#include "fixtures/SeriesChannel.h"
#include "graph/Axis.h"
#include "graph/GdiDrawLineGraphGDIP.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/GraphBack.h"
#include "graph/GraphChannels.h"
#include "graph/GraphFactory.h"
#include "graph/GraphLegend.h"
#include "graph/GraphTitle.h"
#include "graph/LabelFormat.h"
#include "graph/GraphLegendItemLineGraph.h"
#include "graph/GraphScaleLine.h"
#include "graph/commands/GraphCmdSetState.h"
#include "graph/commands/PropertyKeys.h"
#include "graph/commands/GraphRangeCmds.h"
#include "graph/commands/GraphSetterCmds.h"
#include "graph/commands/GraphStructureCmds.h"
#include "graph/state/GraphState.h"
#include "graph/state/Theme.h"

using namespace ovgGraph;
using orvel::Cmd;
using orvel::ExecuteCmd;
using orvel::UndoCmd;
using orvel::fixtures::SeriesChannel;

namespace {

// A graph owned through a shared pointer: a time axis, two left axes, one right axis, three
// channels (the third on the right axis).
struct CmdGraph {
    std::shared_ptr<Graph> graph = std::make_shared<Graph>();
    std::shared_ptr<Axis> time, left, left2, right;
    std::vector<std::shared_ptr<SeriesChannel>> channels;

    CmdGraph()
    {
        graph->Initialize(nullptr);
        GraphFactory factory;
        time = factory.CreateTimeAxis(graph.get());
        left = factory.CreateLeftAxis(graph.get());
        left2 = factory.CreateLeftAxis(graph.get());
        right = factory.CreateRightAxis(graph.get());
        for (const auto& axis : {time, left, left2, right}) graph->GetAxes().Insert(axis);
        time->SetRange(1000, 2000);
        left->SetRange(0, 40);
        right->SetRange(0, 100);
        for (int i = 0; i < 3; ++i) {
            auto ch = std::make_shared<SeriesChannel>(graph.get(), std::vector<SeriesChannel::Sample>{{1000, 1.0 * i}, {2000, 30}});
            graph->AddChannel(ch, time, i == 2 ? right : left, QStringLiteral("ch"));
            channels.push_back(ch);
        }
    }
};

// Executes as the history does: the command counts only when valid afterwards.
bool Executed(Cmd& cmd)
{
    ExecuteCmd(cmd);
    return cmd.IsValid();
}

}  // namespace

// Every family of plain setters: the value reads back, undo gives the old one, an equal value
// records nothing, and redo after another change writes the same value again.
TEST(GraphSetterCmds, SetUndoRedoAndNoChange)
{
    CmdGraph g;
    auto ch = std::static_pointer_cast<GCh>(g.channels[0]);
    auto legend = std::shared_ptr<GraphLegend>(g.graph, &g.graph->GetLegend());
    auto backRect = std::shared_ptr<GdiDrawRect>(g.graph, &g.graph->GetBack().GetDrawRect());
    using Make = std::function<std::shared_ptr<Cmd>(PropertyValue)>;
    using Read = std::function<PropertyValue()>;
    const struct {
        const char* name;
        Make make;
        Read read;
        PropertyValue other, another;
    } cases[] = {
        {"GChCmdSetColor", [&](PropertyValue v) { return std::make_shared<GChCmdSetColor>(ch, FromValue<uint32_t>(v)); },
         [&] { return PropertyValue(ch->GetDrawer().GetColor()); }, uint32_t(0x123456), uint32_t(0x654321)},
        {"GChCmdSetWidth", [&](PropertyValue v) { return std::make_shared<GChCmdSetWidth>(ch, FromValue<int32_t>(v)); },
         [&] { return PropertyValue(ch->GetDrawer().GetWidth()); }, int32_t(4), int32_t(2)},
        {"GChCmdSetSymbol", [&](PropertyValue v) { return std::make_shared<GChCmdSetSymbol>(ch, FromValue<int32_t>(v)); },
         [&] { return PropertyValue(ch->GetDrawer().GetSymbol()); }, int32_t(3), int32_t(5)},
        {"AxisCmdSetTitleText", [&](PropertyValue v) { return std::make_shared<AxisCmdSetTitleText>(g.left, FromValue<QString>(v)); },
         [&] { return PropertyValue(g.left->GetTitle().GetText()); }, QStringLiteral("温度"), QStringLiteral("T")},
        {"AxisCmdSetUnitFontSize", [&](PropertyValue v) { return std::make_shared<AxisCmdSetUnitFontSize>(g.left, FromValue<int32_t>(v)); },
         [&] { return PropertyValue(g.left->GetUnit().GetDrawStr().GetFontSize()); }, int32_t(20), int32_t(9)},
        {"AxisCmdSetLabelFontColor",
         [&](PropertyValue v) { return std::make_shared<AxisCmdSetLabelFontColor>(g.right, FromValue<uint32_t>(v)); },
         [&] { return PropertyValue(g.right->GetLabelFont().GetTextColor()); }, uint32_t(0xFF), uint32_t(0xFF00)},
        {"AxisCmdSetDecimalPlaces", [&](PropertyValue v) { return std::make_shared<AxisCmdSetDecimalPlaces>(g.left, FromValue<int32_t>(v)); },
         [&] { return PropertyValue(g.left->GetLabelFormat().Format(1.0)); }, int32_t(3), int32_t(0)},
        {"AxisCmdSetAxisCursorVisible",
         [&](PropertyValue v) { return std::make_shared<AxisCmdSetAxisCursorVisible>(g.left, FromValue<int32_t>(v) != 0); },
         [&] { return PropertyValue(int32_t(g.left->GetCursor().IsVisible())); }, int32_t(1), int32_t(0)},
        {"ScrollBarCmdSetViewMode", [&](PropertyValue v) { return std::make_shared<ScrollBarCmdSetViewMode>(g.left, FromValue<int32_t>(v)); },
         [&] { return PropertyValue(g.left->GetScrollBar().GetViewMode()); }, int32_t(1), int32_t(0)},
        {"GraphLegendCmdSetPosition", [&](PropertyValue v) { return std::make_shared<GraphLegendCmdSetPosition>(legend, FromValue<int32_t>(v)); },
         [&] { return PropertyValue(legend->GetPosition()); }, int32_t(0), int32_t(3)},
        {"GraphLegendCmdSetRow", [&](PropertyValue v) { return std::make_shared<GraphLegendCmdSetRow>(legend, FromValue<int32_t>(v)); },
         [&] { return PropertyValue(legend->GetRows()); }, int32_t(2), int32_t(5)},
        {"GraphLegendCmdSetFontName", [&](PropertyValue v) { return std::make_shared<GraphLegendCmdSetFontName>(legend, FromValue<QString>(v)); },
         [&] { return PropertyValue(legend->GetFont().GetLogFont().faceName); }, QStringLiteral("Noto Sans"), QStringLiteral("Serif")},
        {"GraphLegendCmdSetBackColor2",
         [&](PropertyValue v) { return std::make_shared<GraphLegendCmdSetBackColor2>(legend, FromValue<uint32_t>(v)); },
         [&] { return PropertyValue(legend->GetDrawRect().GetBackColor2()); }, uint32_t(0x111111), uint32_t(0x222222)},
        {"GdiDrawRectCmdSetBackColor1",
         [&](PropertyValue v) { return std::make_shared<GdiDrawRectCmdSetBackColor1>(backRect, FromValue<uint32_t>(v)); },
         [&] { return PropertyValue(backRect->GetBackColor1()); }, uint32_t(0x00FF00), uint32_t(0x0000FF)},
        {"GdiDrawRectCmdSetFrameWidth",
         [&](PropertyValue v) { return std::make_shared<GdiDrawRectCmdSetFrameWidth>(backRect, FromValue<int32_t>(v)); },
         [&] { return PropertyValue(backRect->GetFrameWidth()); }, int32_t(5), int32_t(2)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PropertyValue original = c.read();
        auto first = c.make(c.other);
        EXPECT_EQ(first->GetName(), CmdName(c.name));
        ASSERT_TRUE(Executed(*first));
        const PropertyValue set = c.read();
        EXPECT_NE(set, original);
        UndoCmd(*first);
        EXPECT_EQ(c.read(), original);
        // Redo after another change writes the same value again; undo goes back to the first
        // execution's old value.
        ExecuteCmd(*first);
        auto second = c.make(c.another);
        ASSERT_TRUE(Executed(*second));
        UndoCmd(*first);
        EXPECT_EQ(c.read(), original);
        ExecuteCmd(*first);
        EXPECT_EQ(c.read(), set);
        // The current value: nothing to record.
        auto same = c.make(c.other);
        EXPECT_FALSE(Executed(*same));
        UndoCmd(*first);
    }
    // A frame width below 1 is stored as 0; the legend's version also tells the legend.
    auto thin = std::make_shared<GraphLegendCmdSetFrameWidth>(legend, -3);
    ASSERT_TRUE(Executed(*thin));
    EXPECT_EQ(legend->GetDrawRect().GetFrameWidth(), 0);
    EXPECT_FALSE(Executed(*std::make_shared<GraphLegendCmdSetFrameWidth>(legend, 0)));
    // Date-time labels have no decimal places.
    EXPECT_FALSE(Executed(*std::make_shared<AxisCmdSetDecimalPlaces>(g.time, 3)));
    EXPECT_THROW(GChCmdSetColor(nullptr, 0), orvel::SeriousError);
}

TEST(GraphRangeCmds, RangesFitAndLiveChanges)
{
    CmdGraph g;
    g.left->SetDisplayRange(10, 20);
    // Setting the axis range shows all of it; undo gives back range and displayed range.
    AxisCmdSetAxisRange range(g.left, -10, 50);
    ASSERT_TRUE(Executed(range));
    EXPECT_EQ(g.left->GetDisplayMin(), -10);
    UndoCmd(range);
    EXPECT_EQ(g.left->GetRangeMax(), 40);
    EXPECT_EQ(g.left->GetDisplayMin(), 10);
    EXPECT_EQ(g.left->GetDisplayMax(), 20);

    AxisCmdFit fit(g.left);
    ASSERT_TRUE(Executed(fit));
    EXPECT_FALSE(Executed(*std::make_shared<AxisCmdFit>(g.left)));
    UndoCmd(fit);

    // Fitting the graph shows every axis whole; undo restores each.
    g.time->SetDisplayRange(1200, 1300);
    GraphCmdFitGraph fitGraph(g.graph);
    ASSERT_TRUE(Executed(fitGraph));
    EXPECT_EQ(fitGraph.GetName(), u"GraphCmdFitGraph");
    EXPECT_EQ(g.time->GetDisplayMin(), 1000);
    EXPECT_EQ(g.left->GetDisplayMax(), 40);
    UndoCmd(fitGraph);
    EXPECT_EQ(g.time->GetDisplayMin(), 1200);
    EXPECT_EQ(g.left->GetDisplayMin(), 10);
    // A channel's fit shows both its axes whole; a second one has nothing left to do.
    GChCmdFit fitCh(g.channels[2]);
    ASSERT_TRUE(Executed(fitCh));
    EXPECT_EQ(g.time->GetDisplayMin(), 1000);
    EXPECT_FALSE(Executed(*std::make_shared<GChCmdFit>(g.channels[2])));
    UndoCmd(fitCh);

    // A live zoom: built before, the after ranges captured at the end, recorded undone-able.
    GraphAxesCmdChangeDisplayRange zoom(g.graph, true);
    g.time->SetDisplayRange(1500, 1600);
    zoom.CaptureAfter();
    EXPECT_TRUE(zoom.IsValid());
    UndoCmd(zoom);
    EXPECT_EQ(g.time->GetDisplayMin(), 1200);
    ExecuteCmd(zoom);
    EXPECT_EQ(g.time->GetDisplayMin(), 1500);
    GraphAxesCmdChangeDisplayRange still(g.graph, true);
    still.CaptureAfter();
    UndoCmd(still);
    ExecuteCmd(still);
    EXPECT_FALSE(still.IsValid());

    AxisCursorCmdSetValueBoth same(g.left, 1, 2, 1, 2);
    EXPECT_FALSE(same.IsValid());
    AxisCursorCmdSetValueBoth cursors(g.left, 1, 2, 5, 6);
    UndoCmd(cursors);
    EXPECT_EQ(g.left->GetCursor().GetCursor1(), 1);
    ExecuteCmd(cursors);
    EXPECT_EQ(g.left->GetCursor().GetCursor2(), 6);

    // Fitting to data, and keeping the displayed ranges around another command.
    g.channels[2]->SetSamples({{1000, 500}, {2000, 700}});
    GraphCmdAutoAxisRange autoRange(g.graph, g.right);
    ASSERT_TRUE(Executed(autoRange));
    EXPECT_LE(g.right->GetRangeMin(), 500);
    EXPECT_GE(g.right->GetRangeMax(), 700);
    UndoCmd(autoRange);
    EXPECT_EQ(g.right->GetRangeMax(), 100);
    GraphCmdKeepDisplayRange keep(g.graph, std::make_shared<AxisCmdSetAxisRange>(g.left, 0, 80));
    ASSERT_TRUE(Executed(keep));
    EXPECT_EQ(g.left->GetRangeMax(), 80);
    UndoCmd(keep);
    EXPECT_EQ(g.left->GetDisplayMax(), 20);
}

TEST(GraphStructureCmds, ChannelsAxesAndMoves)
{
    CmdGraph g;
    g.left->SetDisplayRange(5, 15);
    g.left->GetCursor().SetCursor1(7);
    // Hiding channels keeps the user's ranges and cursors; a position outside the list is refused.
    GraphCmdSetVisibleCh hide(g.graph, {0, 2}, false);
    ASSERT_TRUE(Executed(hide));
    EXPECT_FALSE(g.channels[0]->IsVisible());
    EXPECT_FALSE(g.channels[2]->IsVisible());
    EXPECT_EQ(g.left->GetDisplayMin(), 5);
    UndoCmd(hide);
    EXPECT_TRUE(g.channels[2]->IsVisible());
    EXPECT_EQ(g.left->GetCursor().GetCursor1(), 7);
    EXPECT_FALSE(Executed(*std::make_shared<GraphCmdSetVisibleCh>(g.graph, std::vector<size_t>{1}, true)));
    EXPECT_THROW(ExecuteCmd(*std::make_shared<GraphCmdSetVisibleCh>(g.graph, std::vector<size_t>{3}, true)), orvel::SeriousError);

    GChCmdSetAxisY toRight(g.channels[0], g.right);
    ASSERT_TRUE(Executed(toRight));
    EXPECT_EQ(g.channels[0]->GetValueAxis(), g.right);
    UndoCmd(toRight);
    EXPECT_EQ(g.channels[0]->GetValueAxis(), g.left);
    EXPECT_FALSE(Executed(*std::make_shared<GChCmdSetAxisY>(g.channels[0], g.left)));

    // Deleting puts the axis back at its place; the last of a kind cannot go.
    GraphAxesCmdDelete del(g.graph, g.left);
    ASSERT_TRUE(Executed(del));
    EXPECT_EQ(g.graph->GetAxes().IndexOf(g.left2.get()), 20);
    UndoCmd(del);
    EXPECT_EQ(g.graph->GetAxes().IndexOf(g.left.get()), 20);
    EXPECT_THROW(ExecuteCmd(*std::make_shared<GraphAxesCmdDelete>(g.graph, g.time)), orvel::SeriousError);
    EXPECT_THROW(ExecuteCmd(*std::make_shared<GraphAxesCmdAdd>(g.graph, g.left)), orvel::SeriousError);

    // The row as drawn: left2, left | plot | right. Moving right next to the plot changes sides.
    const auto ids = [&] {
        std::vector<int32_t> v;
        for (const auto& a : {g.left, g.left2, g.right}) v.push_back(g.graph->GetAxes().IndexOf(a.get()));
        return v;
    };
    GraphAxesCmdMoveRight cross(g.graph, g.left);
    ASSERT_TRUE(Executed(cross));
    EXPECT_EQ(ids(), (std::vector<int32_t>{30, 20, 31}));
    EXPECT_EQ(g.left->GetType(), Axis::kRight);
    UndoCmd(cross);
    EXPECT_EQ(ids(), (std::vector<int32_t>{20, 21, 30}));
    GraphAxesCmdMoveLeft outwards(g.graph, g.left);
    ASSERT_TRUE(Executed(outwards));
    EXPECT_EQ(ids(), (std::vector<int32_t>{21, 20, 30}));
    UndoCmd(outwards);
    EXPECT_EQ(ids(), (std::vector<int32_t>{20, 21, 30}));
    EXPECT_THROW(ExecuteCmd(*std::make_shared<GraphAxesCmdMoveLeft>(g.graph, g.left2)), orvel::SeriousError);
    EXPECT_THROW(ExecuteCmd(*std::make_shared<GraphAxesCmdMoveRight>(g.graph, g.right)), orvel::SeriousError);

    // A drag of the legend that ends where it started is not recorded.
    auto legend = std::shared_ptr<GraphLegend>(g.graph, &g.graph->GetLegend());
    EXPECT_FALSE(Executed(*std::make_shared<GraphLegendCmdMove>(legend, legend->GetOrigin(), legend->GetPosition(), legend->GetArea())));
    GraphLegendCmdMove move(legend, Point{30, 40}, 4, Rect{0, 0, 80, 50});
    ASSERT_TRUE(Executed(move));
    EXPECT_EQ(legend->GetPosition(), 4);
    UndoCmd(move);
    EXPECT_EQ(legend->GetPosition(), 2);
    // After a drag: built with the place before and after, recorded without executing again.
    const GraphBoxCmdMove::Place before{legend->GetOrigin(), 2, legend->GetArea()}, after{Point{5, 6}, 4, Rect{0, 0, 70, 40}};
    legend->SetPosition(4);
    legend->SetOrigin(5, 6);
    GraphLegendCmdMove dragged(legend, before, after);
    EXPECT_TRUE(dragged.IsValid());
    UndoCmd(dragged);
    EXPECT_EQ(legend->GetPosition(), 2);
    EXPECT_EQ(legend->GetOrigin(), before.origin);
    ExecuteCmd(dragged);
    EXPECT_EQ(legend->GetOrigin(), (Point{5, 6}));
    EXPECT_FALSE(GraphLegendCmdMove(legend, before, before).IsValid());
}

TEST(GraphCmdSetState, ThemeUndoAndRedo)
{
    CmdGraph g;
    const auto theme = BuiltInThemes()[1];
    GraphCmdSetState apply(u"ThemeTest", g.graph, [theme](Graph& graph) { theme->Apply(graph); });
    ASSERT_TRUE(Executed(apply));
    EXPECT_EQ(g.graph->GetBack().GetDrawRect().GetBackColor1(), 0x202020u);
    UndoCmd(apply);
    EXPECT_EQ(g.graph->GetBack().GetDrawRect().GetBackColor1(), 0xFFFFFFu);
    ExecuteCmd(apply);
    EXPECT_EQ(g.right->GetLabelFont().GetTextColor(), 0xE0E0E0u);
    GraphCmdSetState again(u"ThemeTest", g.graph, [theme](Graph& graph) { theme->Apply(graph); });
    EXPECT_FALSE(Executed(again));
}

// A state that creates axes gives the graph back the very same axis objects on redo, so a later
// command that names one of them still finds it.
TEST(GraphCmdSetState, RedoKeepsTheAxesItCreated)
{
    CmdGraph g;
    CmdGraph wider;
    wider.graph->GetAxes().Insert(GraphFactory().CreateRightAxis(wider.graph.get()));
    GraphCmdSetState state(u"StateTest", g.graph, std::shared_ptr<const GraphMemento>(CreateMemento(*wider.graph)));
    ASSERT_TRUE(Executed(state));
    ASSERT_EQ(g.graph->GetAxes().List(Axis::kRight).size(), 2u);
    const auto created = g.graph->GetAxes().List(Axis::kRight)[1];
    AxisCmdSetTitleText title(created, QStringLiteral("new"));
    ASSERT_TRUE(Executed(title));
    UndoCmd(title);
    UndoCmd(state);
    EXPECT_EQ(g.graph->GetAxes().List(Axis::kRight).size(), 1u);
    ExecuteCmd(state);
    ExecuteCmd(title);
    EXPECT_EQ(g.graph->GetAxes().List(Axis::kRight)[1], created);
    EXPECT_EQ(created->GetTitle().GetText(), QStringLiteral("new"));
}

TEST(GraphStructureCmds, AddDeleteChannelsAndGridLines)
{
    CmdGraph g;
    g.left->SetDisplayRange(5, 15);
    auto extra = std::make_shared<SeriesChannel>(g.graph.get(), std::vector<SeriesChannel::Sample>{{900, -50}, {2500, 90}});
    extra->SetAxes(g.time, g.left);
    // Adding to a graph that shows channels keeps the existing axes' ranges.
    GraphCmdAddCh add(g.graph, {extra}, {QStringLiteral("extra")});
    ASSERT_TRUE(Executed(add));
    EXPECT_EQ(g.graph->GetChannels().List().back(), extra);
    EXPECT_EQ(g.left->GetDisplayMin(), 5);
    EXPECT_EQ(g.graph->GetLegend().GetItems().back()->GetLabel().GetText(), QStringLiteral("extra"));
    UndoCmd(add);
    EXPECT_EQ(g.graph->GetChannels().List().size(), 3u);
    auto unbound = std::make_shared<SeriesChannel>(g.graph.get());
    EXPECT_THROW(ExecuteCmd(*std::make_shared<GraphCmdAddCh>(g.graph, std::vector<std::shared_ptr<GCh>>{unbound})), orvel::SeriousError);

    // Deleting the middle channel; undo puts it back at its place with its label.
    const auto middle = g.channels[1];
    GraphCmdDeleteCh del(g.graph, {middle});
    ASSERT_TRUE(Executed(del));
    EXPECT_EQ(g.graph->GetChannels().List().size(), 2u);
    EXPECT_EQ(middle->GetParent(), nullptr);
    UndoCmd(del);
    EXPECT_EQ(g.graph->GetChannels().List()[1], middle);
    EXPECT_EQ(g.graph->GetLegend().GetItems()[1]->GetChannel(), middle);
    EXPECT_EQ(g.left->GetDisplayMin(), 5);

    // Grid lines go by the axis's kind.
    AxisCmdSetGraphScaleLineVisible grid(g.right, false);
    ASSERT_TRUE(Executed(grid));
    EXPECT_FALSE(g.graph->GetScaleLine().IsShown(true));
    EXPECT_TRUE(g.graph->GetScaleLine().IsShown(false));
    EXPECT_FALSE(Executed(*std::make_shared<AxisCmdSetGraphScaleLineVisible>(g.left, false)));
    UndoCmd(grid);
    EXPECT_TRUE(g.graph->GetScaleLine().IsShown(true));
}

// Every entry of the legend's and the title's property sets that the graph has issues its
// command: it changes the graph's state and undo gives it back exactly.
TEST(PropertyKeys, EntriesIssueTheirCommands)
{
    CmdGraph g;
    const auto state = [&] { return WriteXmlDocumentOf(*g.graph); };
    EXPECT_EQ(PropertyKeys("GDV/Legend").front(), "GDV/Legend/Overall");
    EXPECT_EQ(PropertyKeys("GDV/Legend").size(), 22u);
    EXPECT_EQ(PropertyKeys("GDV/ShapeBallon").size(), 20u);
    EXPECT_TRUE(PropertyKeys("GDV/Nothing").empty());
    int issued = 0;
    for (const char* object : {"GDV/Legend", "GDV/GraphTitle"}) {
        for (const std::string& key : PropertyKeys(object)) {
            SCOPED_TRACE(key);
            const std::string suffix = key.substr(key.rfind('/') + 1);
            PropertyValue value = int32_t(3);
            if (suffix.find("Color") != std::string::npos) value = uint32_t(0x123456);
            if (suffix == "Name") value = QStringLiteral("Serif");
            if (suffix == "Padding") value = Rect{3, 4, 5, 6};
            if (suffix == "Gradation") value = int32_t(1);
            if (suffix == "Visible") value = int32_t(key.find("Legend") != std::string::npos ? 0 : 1);
            auto cmd = MakePropertyCmd(*g.graph, key, value);
            if (!cmd) continue;
            ++issued;
            const std::string before = state();
            ASSERT_TRUE(Executed(*cmd));
            EXPECT_NE(state(), before);
            UndoCmd(*cmd);
            EXPECT_EQ(state(), before);
        }
    }
    EXPECT_EQ(issued, 24);
    EXPECT_EQ(MakePropertyCmd(*g.graph, "GDV/Legend/View", int32_t(0)), nullptr);
}
