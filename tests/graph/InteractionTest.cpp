// The graph's mouse and key handling, driven through the graph's input operations as the window
// forwards them: what each gesture does to the axes, the one command it records, and its undo.
#include <gtest/gtest.h>

#include <cmath>

#include "Common/Library/Cmd.h"
#include "fixtures/SeriesChannel.h"
#include "graph/Axis.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/GraphFactory.h"
#include "graph/GraphLegend.h"
#include "graph/GraphTitle.h"
#include "graph/GraphWindow.h"
#include "graph/AxisCursor.h"
#include "graph/interaction/AxisCursorState.h"
#include "graph/interaction/GraphLegendState.h"
#include "graph/interaction/AnimationMovePoint.h"
#include "graph/interaction/IdleState.h"
#include "graph/interaction/ScrollBarState.h"
#include "graph/ScrollBar.h"
#include "graph/interaction/ValuePopupEffect.h"
#include "graph/LabelFormat.h"
#include "graph/interaction/ZoomEffect.h"
#include "InteractiveGraph.h"

using namespace ovgGraph;
using namespace ovgGraph::test;
using orvel::fixtures::SeriesChannel;

namespace {

struct InteractiveGraph : InteractiveGraphBase {
    using InteractiveGraphBase::InteractiveGraphBase;
    // The one step recorded last, undone: the ranges before it must come back.
    void ExpectOneStepUndoneTo(const Ranges& before)
    {
        ASSERT_EQ(window.recorded.size(), 1u);
        EXPECT_FALSE(window.executeFlags[0]);
        ASSERT_EQ(window.recorded[0].size(), 1u);
        orvel::Cmd& cmd = *window.recorded[0][0];
        EXPECT_TRUE(cmd.IsValid());
        const Ranges after = Now();
        orvel::UndoCmd(cmd);
        EXPECT_EQ(Now(), before);
        orvel::ExecuteCmd(cmd);
        EXPECT_EQ(Now(), after);
    }
};

TEST(Interaction, ZoomByDraggingPerOperationType)
{
    struct Case {
        const char* what;
        int32_t type;
        bool shift;
        Point offset;  // of the end point from the plot's centre (the start)
        bool zooms;
    } const cases[] = {
        {"a click without movement", 2, false, {1, 1}, false},
        {"type C box zooms both axes", 2, false, {120, 80}, true},
        {"type A box zooms the time axis only", 0, false, {120, 80}, true},
        {"a 3-pixel drag zooms in by 2 around the start", 2, false, {3, -2}, true},
        {"shift zooms out by 2 in both directions, even in type A", 0, true, {150, 90}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        InteractiveGraph g(c.type);
        g.time->SetDisplayRange(300, 500);  // room to zoom out inside the axes' ranges
        g.value->SetDisplayRange(30, 50);
        const Ranges before = g.Now();
        const Point s = g.Centre(), e{s.x + c.offset.x, s.y + c.offset.y};
        const int32_t w = g.graph.GetPlotArea().Width(), h = g.graph.GetPlotArea().Height();
        Ranges expected = before;
        if (c.shift) {
            expected = {g.TimeAt(s.x - w), g.TimeAt(s.x + w), g.ValueAt(s.y + h), g.ValueAt(s.y - h)};
        } else if (std::abs(c.offset.x) < 4 && std::abs(c.offset.y) < 4) {
            expected = {g.TimeAt(s.x - w / 4), g.TimeAt(s.x + w / 4), g.ValueAt(s.y + h / 4), g.ValueAt(s.y - h / 4)};
        } else {
            expected.timeMin = g.TimeAt(s.x), expected.timeMax = g.TimeAt(e.x);
            if (c.type == 2) expected.valueMin = g.ValueAt(e.y), expected.valueMax = g.ValueAt(s.y);
        }
        g.window.shift = c.shift;
        g.graph.OnKeyDown(kKeyShift, 0, 0);  // the state samples Shift at key events
        g.Drag(s, e);
        if (!c.zooms) {
            EXPECT_TRUE(g.window.recorded.empty());
            EXPECT_EQ(g.Now(), before);
            continue;
        }
        EXPECT_DOUBLE_EQ(g.Now().timeMin, expected.timeMin);
        EXPECT_DOUBLE_EQ(g.Now().timeMax, expected.timeMax);
        EXPECT_DOUBLE_EQ(g.Now().valueMin, expected.valueMin);
        EXPECT_DOUBLE_EQ(g.Now().valueMax, expected.valueMax);
        g.ExpectOneStepUndoneTo(before);
    }
}

TEST(Interaction, CancelledDragsAndTheContextMenu)
{
    InteractiveGraph g(2);
    const Ranges before = g.Now();
    const Point s = g.Centre();
    g.graph.OnLButtonDown(s);
    g.graph.OnMouseMove({s.x + 100, s.y + 100});
    g.graph.OnKeyDown(kKeyEscape, 0, 0);
    g.graph.OnLButtonUp({s.x + 100, s.y + 100});
    g.graph.OnLButtonDown(s);
    g.graph.OnMouseMove({s.x + 100, s.y + 100});
    g.graph.OnRButtonUp({s.x + 100, s.y + 100});
    g.graph.OnLButtonUp({s.x + 100, s.y + 100});
    EXPECT_TRUE(g.window.recorded.empty());
    EXPECT_EQ(g.Now(), before);
    EXPECT_EQ(g.window.menus, 0) << "a right click during a drag only cancels it";
    g.graph.OnRButtonUp(s);
    EXPECT_EQ(g.window.menus, 1);
}

TEST(Interaction, TypeADoubleClickShowsTheWholeGraph)
{
    InteractiveGraph g(0);
    g.time->SetDisplayRange(200, 600);
    g.value->SetDisplayRange(20, 60);
    const Ranges before = g.Now();
    g.graph.OnLButtonDblClk(g.Centre());
    EXPECT_EQ(g.Now(), (Ranges{0, 1000, 0, 100}));
    g.ExpectOneStepUndoneTo(before);

    InteractiveGraph c(2);
    c.time->SetDisplayRange(200, 600);
    c.graph.OnLButtonDblClk(c.Centre());
    EXPECT_TRUE(c.window.recorded.empty()) << "only type A answers the double-click";
}

TEST(Interaction, TypeBWheelZoomsAroundThePointerAndDragScrolls)
{
    InteractiveGraph g(1);
    g.time->SetDisplayRange(200, 600);
    g.value->SetDisplayRange(20, 60);
    const Ranges before = g.Now();
    const Point p{g.Centre().x + 50, g.Centre().y};
    const double under = g.TimeAt(p.x);
    g.graph.OnMouseWheel(0, 120, p);
    EXPECT_NEAR(g.Now().timeMax - g.Now().timeMin, 400 * 0.8, 1e-9);
    EXPECT_NEAR(g.TimeAt(p.x), under, g.time->GetValuePerPixel());
    EXPECT_EQ(g.Now().valueMin, 20) << "the wheel alone zooms the time axis";
    g.ExpectOneStepUndoneTo(before);

    // With the left button held the wheel zooms the value axis and the drag no longer scrolls.
    InteractiveGraph held(1);
    held.value->SetDisplayRange(20, 60);
    held.graph.OnLButtonDown(held.Centre());
    held.graph.OnMouseWheel(kFlagLButton, -120, held.Centre());
    EXPECT_NEAR(held.value->GetDisplayMax() - held.value->GetDisplayMin(), 40 * 1.25, 1e-9);
    const Ranges zoomed = held.Now();
    held.graph.OnMouseMove({held.Centre().x + 40, held.Centre().y});
    held.graph.OnLButtonUp({held.Centre().x + 40, held.Centre().y});
    EXPECT_EQ(held.Now(), zoomed);
    EXPECT_EQ(held.window.recorded.size(), 1u) << "the wheel step only";

    // A wheel step that would shrink the span to 1e-9 or less leaves the axis alone.
    InteractiveGraph tiny(1);
    tiny.time->SetDisplayRange(500, 500 + 1e-9);
    const Ranges narrow = tiny.Now();
    tiny.graph.OnMouseWheel(0, 120, tiny.Centre());
    EXPECT_EQ(tiny.Now().timeMin, narrow.timeMin);
    EXPECT_EQ(tiny.Now().timeMax, narrow.timeMax);

    // Dragging scrolls every axis by the pixels moved: one step at the release.
    InteractiveGraph scroll(1);
    scroll.time->SetDisplayRange(200, 600);
    scroll.value->SetDisplayRange(20, 60);
    const Ranges start = scroll.Now();
    const double k = scroll.time->GetValuePerPixel(), kv = scroll.value->GetValuePerPixel();
    scroll.Drag(scroll.Centre(), {scroll.Centre().x - 30, scroll.Centre().y + 20});
    EXPECT_NEAR(scroll.Now().timeMin, 200 + 30 * k, 1e-9);
    EXPECT_NEAR(scroll.Now().valueMin, 20 + 20 * kv, 1e-9);
    scroll.ExpectOneStepUndoneTo(start);
}

TEST(Interaction, OperationTypesAndTheZoomMode)
{
    struct Row {
        int32_t setting, type;
    } const rows[] = {{-1, 0}, {0, 0}, {1, 1}, {2, 2}, {5, 2}};
    for (const Row& row : rows) {
        InteractiveGraph g(row.setting);
        EXPECT_EQ(g.graph.GetOperationType(), row.type) << row.setting;
        const bool isB = dynamic_cast<IdleStateTypeB*>(&g.graph.GetCurrentState()) != nullptr;
        EXPECT_EQ(isB, row.type == 1) << row.setting;
    }

    // The explicit zoom mode zooms at every release, a click included, until Escape.
    InteractiveGraph g(1);
    const Ranges before = g.Now();
    g.graph.ChangeState(std::make_shared<ZoomState>(g.graph, ZoomEffect::kY));
    g.Drag(g.Centre(), g.Centre());
    EXPECT_EQ(g.Now().timeMin, before.timeMin);
    EXPECT_NEAR(g.Now().valueMax - g.Now().valueMin, 50, 1);
    g.ExpectOneStepUndoneTo(before);
    g.graph.OnKeyDown(kKeyEscape, 0, 0);
    EXPECT_NE(dynamic_cast<IdleStateTypeB*>(&g.graph.GetCurrentState()), nullptr);
}

// Over the legend the pointer can drag it: it becomes free-standing, stays inside the graph, and
// the move is one step whose undo puts it back; Escape during the drag puts it back unrecorded.
TEST(Interaction, DraggingTheLegendAndTheTitle)
{
    const struct {
        const char* what;
        int32_t free;  // the position of a box left where it is put
        const char* cmd;
    } rows[] = {{"legend", 4, "GraphLegendCmdMove"}, {"title", 0, "GraphTitleCmdMove"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        InteractiveGraph g(0);
        g.graph.GetTitle().SetText(QStringLiteral("Cold room 3"));
        g.graph.GetTitle().SetStateBits(kVisible);
        g.graph.Render(800, 600);
        const bool isLegend = row.free == 4;
        GlyphInt& box = isLegend ? static_cast<GlyphInt&>(g.graph.GetLegend()) : g.graph.GetTitle();
        const auto position = [&] { return isLegend ? g.graph.GetLegend().GetPosition() : g.graph.GetTitle().GetPosition(); };
        const Point origin = box.GetOrigin();
        const int32_t before = position();
        const Rect area = box.GetArea();
        const Point on{origin.x + area.left + area.Width() / 2, origin.y + area.top + area.Height() / 2};
        g.graph.OnMouseMove(on);
        if (isLegend)
            ASSERT_NE(dynamic_cast<GraphLegendState*>(&g.graph.GetCurrentState()), nullptr);
        else
            ASSERT_NE(dynamic_cast<GraphTitleState*>(&g.graph.GetCurrentState()), nullptr);
        EXPECT_EQ(g.window.cursor, kCursorMove);

        g.graph.OnLButtonDown(on);
        g.graph.OnMouseMove({on.x - 300, on.y + 200});
        g.graph.OnKeyDown(kKeyEscape, 0, 0);
        g.graph.OnLButtonUp({on.x - 300, on.y + 200});
        EXPECT_EQ(box.GetOrigin(), origin);
        EXPECT_EQ(position(), before);
        EXPECT_TRUE(g.window.recorded.empty());

        g.graph.OnLButtonDown(on);
        g.graph.OnMouseMove({on.x - 300, on.y + 5000});  // far below the graph
        g.graph.OnLButtonUp({on.x - 300, on.y + 5000});
        g.graph.Render(800, 600);
        EXPECT_EQ(position(), row.free);
        EXPECT_EQ(box.GetOriginX(), origin.x - 300);
        EXPECT_LE(box.GetOriginY() + area.bottom, 600) << "kept inside the graph";
        ASSERT_EQ(g.window.recorded.size(), 1u);
        EXPECT_EQ(QString::fromStdU16String(g.window.recorded[0][0]->GetName()).toStdString(), row.cmd);
        orvel::UndoCmd(*g.window.recorded[0][0]);
        EXPECT_EQ(box.GetOrigin(), origin);
        EXPECT_EQ(position(), before);

        g.graph.OnMouseMove(g.Centre());
        EXPECT_NE(dynamic_cast<IdleStateTypeA*>(&g.graph.GetCurrentState()), nullptr) << "off the box: idle again";
    }
}

// Dragging a shown axis cursor: a handle moves its cursor by the pixels dragged along the strip,
// the band between the handles moves both; one step at the release, undone exactly.
// The time axis's scroll bar: buttons step and repeat after 500 ms then every 50 ms while held on
// the part, the bar beside the thumb pages, the thumb drags; each press is one step of history.
TEST(Interaction, ScrollBarButtonsRepeatAndTheThumbDrags)
{
    InteractiveGraph g(0);
    g.time->GetScrollBar().SetViewMode(ScrollBar::kShown);
    g.time->SetDisplayRange(400, 600);
    g.graph.Render(800, 600);
    const ScrollBar& bar = g.time->GetScrollBar();
    const auto centreOf = [&](ScrollBar::Part part) {
        const Rect r = bar.GetPart(part);
        return Point{g.time->GetOriginX() + bar.GetOriginX() + (r.left + r.right) / 2,
                     g.time->GetOriginY() + bar.GetOriginY() + (r.top + r.bottom) / 2};
    };
    const double step = 2 * ScrollBarState::ValuePerPixel(*g.time);
    ASSERT_GT(step, 0);
    const Point up = centreOf(ScrollBar::kIncreaseButton);
    g.graph.OnMouseMove(up);
    ASSERT_NE(dynamic_cast<ScrollBarState*>(&g.graph.GetCurrentState()), nullptr);
    g.graph.OnLButtonDown(up);
    EXPECT_DOUBLE_EQ(g.time->GetDisplayMin(), 400 + step);
    EXPECT_EQ(g.window.timerMs, 500);
    g.window.Fire();
    EXPECT_DOUBLE_EQ(g.time->GetDisplayMin(), 400 + 2 * step);
    EXPECT_EQ(g.window.timerMs, 50);
    g.graph.OnMouseMove({up.x, up.y - 100});  // off the button: the repeat waits
    g.window.Fire();
    EXPECT_DOUBLE_EQ(g.time->GetDisplayMin(), 400 + 2 * step);
    g.graph.OnMouseMove(up);
    g.window.Fire();
    g.graph.OnLButtonUp(up);
    EXPECT_EQ(g.window.timerMs, -1);
    EXPECT_DOUBLE_EQ(g.time->GetDisplayMax() - g.time->GetDisplayMin(), 200);
    ASSERT_EQ(g.window.recorded.size(), 1u);
    EXPECT_FALSE(g.window.executeFlags[0]);
    orvel::UndoCmd(*g.window.recorded[0][0]);
    EXPECT_EQ(g.Now().timeMin, 400);
    EXPECT_EQ(g.Now().timeMax, 600);

    // A page towards the minimum stops at the range's end.
    g.graph.Render(800, 600);
    const Point page = centreOf(ScrollBar::kDecreasePan);
    g.graph.OnMouseMove(page);
    g.graph.OnLButtonDown(page);
    g.graph.OnLButtonUp(page);
    EXPECT_EQ(g.Now().timeMin, 200);
    for (int i = 0; i < 3; ++i) {
        g.graph.Render(800, 600);
        const Point p = centreOf(ScrollBar::kDecreasePan);
        g.graph.OnMouseMove(p);
        g.graph.OnLButtonDown(p);
        g.graph.OnLButtonUp(p);
    }
    EXPECT_EQ(g.Now().timeMin, 0);
    EXPECT_EQ(g.Now().timeMax, 200);

    // The thumb drags by the track's value per pixel and keeps inside the range; Escape puts it back.
    g.graph.Render(800, 600);
    const Point thumb = centreOf(ScrollBar::kCentre);
    const size_t recorded = g.window.recorded.size();
    g.graph.OnMouseMove(thumb);
    g.graph.OnLButtonDown(thumb);
    g.graph.OnMouseMove({thumb.x + 10, thumb.y});
    EXPECT_NEAR(g.Now().timeMin, 10 * ScrollBarState::ValuePerPixel(*g.time), 1e-9);
    g.graph.OnKeyDown(kKeyEscape, 0, 0);
    g.graph.OnLButtonUp({thumb.x + 10, thumb.y});
    EXPECT_EQ(g.Now().timeMin, 0);
    EXPECT_EQ(g.window.recorded.size(), recorded);
    g.graph.OnLButtonDown(thumb);
    g.graph.OnMouseMove({thumb.x + 5000, thumb.y});
    g.graph.OnLButtonUp({thumb.x + 5000, thumb.y});
    EXPECT_EQ(g.Now().timeMax, 1000);
    EXPECT_EQ(g.Now().timeMin, 800);
    EXPECT_EQ(g.window.recorded.size(), recorded + 1);
}

// A right click in the middle of a drag: type B keeps what it scrolled as a step and the wheel
// still zooms afterwards; a legend drag is put back.
TEST(Interaction, RightClickDuringADrag)
{
    InteractiveGraph b(1);
    const Ranges before = b.Now();
    b.graph.OnMouseMove(b.Centre());
    b.graph.OnLButtonDown(b.Centre());
    b.graph.OnMouseMove({b.Centre().x - 40, b.Centre().y});
    b.graph.OnRButtonUp({b.Centre().x - 40, b.Centre().y});
    b.graph.OnLButtonUp({b.Centre().x - 40, b.Centre().y});
    ASSERT_EQ(b.window.recorded.size(), 1u);
    EXPECT_GT(b.Now().timeMin, before.timeMin);
    const Ranges scrolled = b.Now();
    b.graph.OnMouseWheel(0, 120, b.Centre());
    EXPECT_LT(b.Now().timeMax - b.Now().timeMin, scrolled.timeMax - scrolled.timeMin) << "the wheel zooms again";

    InteractiveGraph a(0);
    GraphLegend& legend = a.graph.GetLegend();
    const Point origin = legend.GetOrigin();
    const Point on{origin.x + legend.GetArea().Width() / 2, origin.y + legend.GetArea().Height() / 2};
    a.graph.OnMouseMove(on);
    a.graph.OnLButtonDown(on);
    a.graph.OnMouseMove({on.x - 200, on.y + 100});
    a.graph.OnRButtonUp({on.x - 200, on.y + 100});
    a.graph.OnLButtonUp({on.x - 200, on.y + 100});
    EXPECT_EQ(legend.GetOrigin(), origin);
    EXPECT_TRUE(a.window.recorded.empty());
    EXPECT_EQ(a.window.menus, 0);
}

TEST(Interaction, DraggingTheAxisCursors)
{
    for (const auto part : {AxisCursorState::kCursor1, AxisCursorState::kCursor2, AxisCursorState::kBand}) {
        SCOPED_TRACE(int(part));
        InteractiveGraph g(0);
        AxisCursor& cursor = g.value->GetCursor();
        cursor.SetStateBits(kVisible);
        cursor.SetCursor1(20);
        cursor.SetCursor2(60);
        g.graph.Render(800, 600);
        const Rect r = part == AxisCursorState::kCursor1 ? cursor.GetHandle1()
                       : part == AxisCursorState::kCursor2 ? cursor.GetHandle2()
                                                            : cursor.GetBand();
        const Point on{g.value->GetOriginX() + cursor.GetOriginX() + (r.left + r.right) / 2,
                       g.value->GetOriginY() + cursor.GetOriginY() + (r.top + r.bottom) / 2};
        g.graph.OnMouseMove(on);
        auto* state = dynamic_cast<AxisCursorState*>(&g.graph.GetCurrentState());
        ASSERT_NE(state, nullptr);
        const double perPixel = (cursor.GetDisplayMax() - cursor.GetDisplayMin()) / cursor.GetArea().Height();
        g.graph.OnLButtonDown(on);
        g.graph.OnMouseMove({on.x, on.y - 40});  // up: larger values
        g.graph.OnLButtonUp({on.x, on.y - 40});
        const bool first = part != AxisCursorState::kCursor2, second = part != AxisCursorState::kCursor1;
        EXPECT_NEAR(cursor.GetCursor1(), first ? 20 + 40 * perPixel : 20, 1e-9);
        EXPECT_NEAR(cursor.GetCursor2(), second ? 60 + 40 * perPixel : 60, 1e-9);
        ASSERT_EQ(g.window.recorded.size(), 1u);
        orvel::UndoCmd(*g.window.recorded[0][0]);
        EXPECT_EQ(cursor.GetCursor1(), 20);
        EXPECT_EQ(cursor.GetCursor2(), 60);

        // The part dragged last is selected: the arrow keys step it, one step per press; a
        // press elsewhere ends the selection.
        g.graph.OnKeyDown(kKeyRight, 0, 0);
        EXPECT_NEAR(cursor.GetCursor1(), first ? 20 + perPixel : 20, 1e-9);
        EXPECT_NEAR(cursor.GetCursor2(), second ? 60 + perPixel : 60, 1e-9);
        EXPECT_EQ(g.window.recorded.size(), 2u);
        g.graph.OnMouseMove(g.Centre());
        g.graph.OnLButtonDown(g.Centre());
        g.graph.OnLButtonUp(g.Centre());
        g.graph.OnKeyDown(kKeyLeft, 0, 0);
        EXPECT_EQ(g.window.recorded.size(), 2u);
    }
}

// Hovering over a channel's line shows its name, the sample's time and value beside the sample;
// elsewhere, or with the popup switched off, nothing.
// The popup's move: 30 pixels per 30 ms, faster when far, never past the target.
TEST(Interaction, AnimationMovePointStepsTowardsItsTarget)
{
    const struct {
        Point from, to;
        int64_t elapsed;
        Point after;
    } rows[] = {
        {{0, 0}, {100, 0}, 30, {30, 0}},     // one step
        {{0, 0}, {100, 50}, 60, {60, 50}},   // two steps, y arrives first
        {{0, 0}, {20, -20}, 90, {20, -20}},  // never past the target
        {{0, 0}, {600, 0}, 30, {90, 0}},     // 20 steps away: 20 * 1 / 9 + 1 = 3 steps
        {{0, 0}, {600, 0}, 0, {90, 0}},      // a tick is a step at least
        {{0, 0}, {600, 0}, 300, {600, 0}},   // 10 steps of time, 20 away: 20 * 10 / 9 + 1 = 23 steps, stops there
        {{5, 5}, {5, 5}, 30, {5, 5}},        // already there: nothing runs
    };
    for (const auto& row : rows) {
        AnimationMovePoint move;
        ASSERT_TRUE(move.Start(row.from, row.to));
        move.Tick(row.elapsed);
        EXPECT_EQ(move.Current(), row.after);
        EXPECT_EQ(move.IsRunning(), row.after != row.to);
    }
    AnimationMovePoint busy;
    busy.Start({0, 0}, {300, 0});
    EXPECT_FALSE(busy.Start({0, 0}, {10, 10})) << "one move at a time";
}

TEST(Interaction, ValuePopupOverALine)
{
    InteractiveGraph g(0);
    const Rect& plot = g.graph.GetPlotArea();
    const auto popup = [&g] { return std::dynamic_pointer_cast<ValuePopupEffect>(g.graph.GetOverlay(Graph::kHoverOverlay)); };
    const Point lastSample{plot.right - 1, plot.top};
    g.graph.OnMouseMove({lastSample.x - 1, lastSample.y + 1});
    ASSERT_TRUE(popup());
    EXPECT_EQ(popup()->GetLines().size(), 3);
    EXPECT_EQ(popup()->GetLines()[0], QStringLiteral("ch"));
    EXPECT_EQ(popup()->GetLines()[2], g.value->GetLabelFormat().Format(100));
    EXPECT_LE(std::abs(popup()->GetAnchor().x - lastSample.x), 1);

    // Along the line to another sample: the box glides there in 30 ms ticks, the marker jumps.
    const Point earlier{(plot.left + plot.right) / 2, (plot.top + plot.bottom) / 2};
    g.graph.OnMouseMove(earlier);
    ASSERT_TRUE(popup());
    EXPECT_EQ(g.window.timerMs, 30);
    EXPECT_NE(popup()->GetBoxAnchor(), popup()->GetAnchor());
    for (int tick = 0; tick < 40 && g.window.tick; ++tick) g.window.Fire();
    EXPECT_EQ(popup()->GetBoxAnchor(), popup()->GetAnchor());

    g.graph.OnMouseMove({plot.left + 20, plot.top + 20});  // far from the diagonal line
    EXPECT_FALSE(popup());
    g.graph.SetValuePopupEnabled(false);
    g.graph.OnMouseMove({lastSample.x - 1, lastSample.y + 1});
    EXPECT_FALSE(popup());
}

}  // namespace
