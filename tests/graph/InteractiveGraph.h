#pragma once

// A graph of 800 x 600 with one channel, laid out, and a window that keeps what the interaction
// states hand it: the fixture of the tests that drive the graph's input operations.
#include <functional>
#include <memory>
#include <vector>

#include "Common/Library/Cmd.h"
#include "fixtures/SeriesChannel.h"
#include "graph/Axis.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/GraphFactory.h"
#include "graph/GraphWindow.h"
#include "graph/interaction/StateBase.h"

namespace ovgGraph::test {

using orvel::fixtures::SeriesChannel;

// A window that keeps what the states hand it.
class ScriptedWindow : public GraphWindow {
public:
    std::vector<std::vector<std::shared_ptr<orvel::Cmd>>> recorded;
    std::vector<bool> executeFlags;
    int menus = 0;
    bool shift = false;
    int32_t cursor = 0;

    void Repaint() override {}
    void SetCursorCode(int32_t code) override { cursor = code; }
    void ShowContextMenu(int32_t, int32_t) override { ++menus; }
    void OpenProperties() override {}
    void RecordCmds(std::vector<std::shared_ptr<orvel::Cmd>> cmds, bool execute) override
    {
        recorded.push_back(std::move(cmds));
        executeFlags.push_back(execute);
    }
    bool IsKeyDown(uint32_t key) const override { return key == kKeyShift && shift; }
    std::vector<std::shared_ptr<ShapeBase>> edits;
    int32_t timerMs = 0;  // the last timer started; -1 after a stop
    std::function<void()> tick;
    void StartTimer(int32_t ms, std::function<void()> callback) override
    {
        timerMs = ms;
        tick = std::move(callback);
    }
    void StopTimer() override
    {
        timerMs = -1;
        tick = nullptr;
    }
    // Runs the pending timer as the window's message loop would.
    void Fire()
    {
        if (auto callback = std::move(tick)) callback();
    }
    void EditShapeText(const std::shared_ptr<ShapeBase>& shape) override { edits.push_back(shape); }
};

struct Ranges {
    double timeMin, timeMax, valueMin, valueMax;
    bool operator==(const Ranges&) const = default;
};

// A laid-out graph of 800 x 600 with a time axis and a value axis.
struct InteractiveGraphBase {
    ScriptedWindow window;
    Graph graph;
    std::shared_ptr<Axis> time, value;

    explicit InteractiveGraphBase(int32_t operationType)
    {
        graph.Initialize(&window);
        GraphFactory factory;
        time = factory.CreateTimeAxis(&graph);
        value = factory.CreateLeftAxis(&graph);
        graph.GetAxes().Insert(time);
        graph.GetAxes().Insert(value);
        time->SetRange(0, 1000);
        value->SetRange(0, 100);
        auto channel = std::make_shared<SeriesChannel>(&graph, std::vector<SeriesChannel::Sample>{{0, 0}, {1000, 100}});
        graph.AddChannel(channel, time, value, QStringLiteral("ch"));
        graph.Render(800, 600);
        graph.SetOperationType(operationType);
    }
    Ranges Now() const { return {time->GetDisplayMin(), time->GetDisplayMax(), value->GetDisplayMin(), value->GetDisplayMax()}; }
    // The values the pixels at client x and y show now.
    double TimeAt(int32_t x) const { return time->PixelToValue(x - graph.GetPlotArea().left); }
    double ValueAt(int32_t y) const { return value->PixelToValue(graph.GetPlotArea().bottom - 1 - y); }
    Point Centre() const
    {
        const Rect& plot = graph.GetPlotArea();
        return {(plot.left + plot.right) / 2, (plot.top + plot.bottom) / 2};
    }
    void Drag(Point from, Point to)
    {
        graph.OnMouseMove(from);
        graph.OnLButtonDown(from);
        graph.OnMouseMove(to);
        graph.OnLButtonUp(to);
    }
};

}  // namespace ovgGraph::test
