#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Common/Library/Cmd.h"

namespace ovgGraph {

class Axis;
class GCh;
class Graph;

// A shared pointer that does not own: for the graph a window holds by value, so that commands
// can name it as their target like any other graph object.
std::shared_ptr<Graph> Unowned(Graph& graph);

using Range = std::pair<double, double>;

// Sets an axis's range (the axis shows all of it). Disabled when the new range already is both
// the range and the displayed range; undo gives back both.
class AxisCmdSetAxisRange : public orvel::Cmd {
public:
    AxisCmdSetAxisRange(std::shared_ptr<Axis> axis, double min, double max);

protected:
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

private:
    std::shared_ptr<Axis> m_axis;
    Range m_new, m_oldRange, m_oldDisplay;
};

// Shows part of an axis's range; undo shows what was shown before.
class AxisCmdSetDisplayRange : public orvel::Cmd {
public:
    AxisCmdSetDisplayRange(std::shared_ptr<Axis> axis, double min, double max);

protected:
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

private:
    std::shared_ptr<Axis> m_axis;
    Range m_new, m_old;
};

// Shows an axis's whole range; disabled when it already does.
class AxisCmdFit : public orvel::Cmd {
public:
    explicit AxisCmdFit(std::shared_ptr<Axis> axis);

protected:
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

private:
    std::shared_ptr<Axis> m_axis;
    Range m_old;
};

// Shows the whole range of both axes of a channel; disabled only when both already do.
class GChCmdFit : public orvel::Cmd {
public:
    explicit GChCmdFit(std::shared_ptr<GCh> channel);

protected:
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

private:
    std::shared_ptr<GCh> m_channel;
    std::vector<std::pair<std::shared_ptr<Axis>, Range>> m_old;
};

// The displayed range of every axis of the graph before and after a zoom or a scroll.
// The live form is built before the interaction changes the axes and starts done: call
// CaptureAfter when the interaction ends, then record it without executing it. Valid until it
// has once been executed through the driver, afterwards only when some axis changed.
class GraphAxesCmdChangeDisplayRange : public orvel::Cmd {
public:
    explicit GraphAxesCmdChangeDisplayRange(std::shared_ptr<Graph> graph, bool live = false);

    // Sets the range an axis is to show (the usual form; axes not given keep theirs).
    void SetAfter(const Axis* axis, double min, double max);
    // Takes every axis's current displayed range as the after range (the live form).
    void CaptureAfter();
    bool IsValid() const override;

protected:
    GraphAxesCmdChangeDisplayRange(std::shared_ptr<Graph> graph, bool live, std::u16string name);
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;
    // X axes first, then Y axes.
    void ApplyRanges(bool after);

    struct Entry {
        std::shared_ptr<Axis> axis;
        Range before, after;
    };
    std::shared_ptr<Graph> m_graph;
    std::vector<Entry> m_entries;
    bool m_executedOnce = false;
};

// Shows every axis's whole range.
class GraphCmdFitGraph : public GraphAxesCmdChangeDisplayRange {
public:
    explicit GraphCmdFitGraph(std::shared_ptr<Graph> graph);

protected:
    void Prepare() override;
};

// Both axis cursors after the user dragged them: built with the values before and after, and
// recorded without executing again. Valid when either value differs.
class AxisCursorCmdSetValueBoth : public orvel::Cmd {
public:
    AxisCursorCmdSetValueBoth(std::shared_ptr<Axis> axis, double old1, double old2, double new1, double new2);
    bool IsValid() const override;

protected:
    void DoExecute() override;
    void DoUndo() override;

private:
    std::shared_ptr<Axis> m_axis;
    double m_old1, m_old2, m_new1, m_new2;
};

// The two ends of a scroll bar's displayed range after a drag, each pair ordered; written only
// when it differs from the current one.
class ScrollBarCmdSetDisplayBoth : public orvel::Cmd {
public:
    ScrollBarCmdSetDisplayBoth(std::shared_ptr<Axis> axis, double oldA, double oldB, double newA, double newB);
    bool IsValid() const override;

protected:
    void DoExecute() override;
    void DoUndo() override;

private:
    void Show(const Range& range);
    std::shared_ptr<Axis> m_axis;
    Range m_old, m_new;
};

// Fits an axis's range to the data of its channels (widened by its label generator).
class GraphCmdAutoAxisRange : public orvel::Cmd {
public:
    GraphCmdAutoAxisRange(std::shared_ptr<Graph> graph, std::shared_ptr<Axis> axis);

protected:
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

private:
    std::shared_ptr<Graph> m_graph;
    std::shared_ptr<Axis> m_axis;
    std::shared_ptr<orvel::Cmd> m_inner;
};

// Runs a command while keeping every axis's displayed range: as the first execution left it on
// redo, as it was before on undo.
class GraphCmdKeepDisplayRange : public orvel::Cmd {
public:
    GraphCmdKeepDisplayRange(std::shared_ptr<Graph> graph, std::shared_ptr<orvel::Cmd> inner);
    bool IsValid() const override;

protected:
    void DoExecute() override;
    void DoUndo() override;

private:
    using Ranges = std::vector<std::pair<std::shared_ptr<Axis>, Range>>;
    Ranges Capture() const;
    static void Restore(const Ranges& ranges);

    std::shared_ptr<Graph> m_graph;
    std::shared_ptr<orvel::Cmd> m_inner;
    Ranges m_before, m_after;
    bool m_captured = false;
};

}  // namespace ovgGraph
