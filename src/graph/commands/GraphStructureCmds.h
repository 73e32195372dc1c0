#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QString>

#include "Common/Library/Cmd.h"
#include "graph/Geometry.h"
#include "graph/commands/GraphRangeCmds.h"

namespace ovgGraph {

class Axis;
class GCh;
class Glyph;
class Graph;
class GraphLegend;
class GraphScaleLine;
class GraphTitle;

// Shows or hides channels of the graph by their positions in its channel list, keeping every
// axis's range and displayed range as they were. A position outside the list is an internal
// error. Disabled when no channel changes.
class GraphCmdSetVisibleCh : public orvel::Cmd {
public:
    GraphCmdSetVisibleCh(std::shared_ptr<Graph> graph, std::vector<size_t> indices, bool visible);

protected:
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

private:
    void Show(bool after);

    std::shared_ptr<Graph> m_graph;
    std::vector<size_t> m_indices;
    bool m_visible;
    std::vector<bool> m_old;
    struct KeptAxis {
        Range range, display, cursors;
    };
    std::vector<std::pair<std::shared_ptr<Axis>, KeptAxis>> m_ranges;
};

// Adds channels, each bound to its time and value axis already, with its legend label (none:
// empty). The ranges of the axes they use stay stable: when the graph already showed channels the
// existing axes keep their ranges; when it was empty, the ranges adding produced are kept. Undo
// removes them and gives back the ranges of before. A channel without both axes is an internal
// error.
class GraphCmdAddCh : public orvel::Cmd {
public:
    GraphCmdAddCh(std::shared_ptr<Graph> graph, std::vector<std::shared_ptr<GCh>> channels, std::vector<QString> labels = {});

protected:
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

private:
    struct AxisRanges {
        std::shared_ptr<Axis> axis;
        Range range, display;
    };
    std::vector<AxisRanges> Capture() const;
    static void Apply(const std::vector<AxisRanges>& ranges);

    std::shared_ptr<Graph> m_graph;
    std::vector<std::shared_ptr<GCh>> m_channels;
    std::vector<QString> m_labels;
    bool m_wasEmpty = false;
    std::vector<AxisRanges> m_before, m_after;
};

// Removes channels from the graph, keeping the axes' ranges; undo puts each back at its place in
// the channel list and the legend with its label.
class GraphCmdDeleteCh : public orvel::Cmd {
public:
    GraphCmdDeleteCh(std::shared_ptr<Graph> graph, std::vector<std::shared_ptr<GCh>> channels);

protected:
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

private:
    struct Removed {
        std::shared_ptr<GCh> channel;
        size_t index;
        QString label;
    };
    std::shared_ptr<Graph> m_graph;
    std::vector<std::shared_ptr<GCh>> m_channels;
    std::vector<Removed> m_removed;  // in list order
    std::vector<std::pair<std::shared_ptr<Axis>, std::pair<Range, Range>>> m_ranges;
};

// Shows or hides the grid lines that belong to an axis's kind: the time axis's vertical lines or
// the value axes' horizontal lines. Disabled when they already are so.
class AxisCmdSetGraphScaleLineVisible : public orvel::Cmd {
public:
    AxisCmdSetGraphScaleLineVisible(std::shared_ptr<Axis> axis, bool visible);

protected:
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

private:
    GraphScaleLine& Lines() const;
    std::shared_ptr<Axis> m_axis;
    bool m_visible, m_old = false;
};

// Replaces one child of a glyph by another in the glyph tree (a shape: in its graph's shapes
// list, at the same place); notifies 4. `live`: the replacement is in place already, so the
// command can be undone before it was ever executed.
class GlyphCmdChange : public orvel::Cmd {
public:
    GlyphCmdChange(std::shared_ptr<Glyph> parent, std::shared_ptr<Glyph> oldChild, std::shared_ptr<Glyph> newChild, bool live = false);

protected:
    void DoExecute() override;
    void DoUndo() override;

private:
    std::shared_ptr<Glyph> m_parent, m_old, m_new;
};

// Moves a channel to another value axis; disabled when it is already there.
class GChCmdSetAxisY : public orvel::Cmd {
public:
    GChCmdSetAxisY(std::shared_ptr<GCh> channel, std::shared_ptr<Axis> axis);

protected:
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

private:
    std::shared_ptr<GCh> m_channel;
    std::shared_ptr<Axis> m_new, m_old;
};

// Appends an axis to the list of its kind; an axis already in the graph is an internal error.
class GraphAxesCmdAdd : public orvel::Cmd {
public:
    GraphAxesCmdAdd(std::shared_ptr<Graph> graph, std::shared_ptr<Axis> axis);

protected:
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

private:
    std::shared_ptr<Graph> m_graph;
    std::shared_ptr<Axis> m_axis;
};

// Removes an axis; undo puts it back at its place. The last X axis, or the last Y axis of both
// sides together, cannot go (an internal error, as is an axis not in the graph).
class GraphAxesCmdDelete : public orvel::Cmd {
public:
    GraphAxesCmdDelete(std::shared_ptr<Graph> graph, std::shared_ptr<Axis> axis);

protected:
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

private:
    std::shared_ptr<Graph> m_graph;
    std::shared_ptr<Axis> m_axis;
    int32_t m_identifier = 0;
};

// Moves a value axis one place to the left or right in the row of value axes as drawn (the left
// axes outermost first, the plot, then the right axes): next to the plot it changes sides. An
// axis that cannot move that way, or an X axis, is an internal error. Each one's execution is
// the other's undo.
class GraphAxesCmdMove : public orvel::Cmd {
public:
    static bool CanMove(const Graph& graph, const Axis& axis, bool left);

protected:
    GraphAxesCmdMove(std::u16string name, const char* source, std::shared_ptr<Graph> graph, std::shared_ptr<Axis> axis,
                     bool left);
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

private:
    static void Move(Graph& graph, const std::shared_ptr<Axis>& axis, bool left);

    std::shared_ptr<Graph> m_graph;
    std::shared_ptr<Axis> m_axis;
    bool m_left;
    const char* m_source;
};

class GraphAxesCmdMoveLeft : public GraphAxesCmdMove {
public:
    GraphAxesCmdMoveLeft(std::shared_ptr<Graph> graph, std::shared_ptr<Axis> axis);
};

class GraphAxesCmdMoveRight : public GraphAxesCmdMove {
public:
    GraphAxesCmdMoveRight(std::shared_ptr<Graph> graph, std::shared_ptr<Axis> axis);
};

// Shows or hides a glyph (state bit 0); a notify flag other than 0 is sent to its observers.
class GlyphCmdSetVisible : public orvel::Cmd {
public:
    GlyphCmdSetVisible(std::shared_ptr<Glyph> glyph, bool visible, uint32_t notifyFlags);

protected:
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

private:
    void Set(bool visible);
    std::shared_ptr<Glyph> m_glyph;
    bool m_visible, m_old = false;
    uint32_t m_notify;
};

// The four paddings of a glyph that has them (legend, text, graph); notifies 4.
class PaddingCmdSetPadding : public orvel::Cmd {
public:
    PaddingCmdSetPadding(std::shared_ptr<Glyph> holder, Rect padding);

protected:
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

private:
    void Set(const Rect& padding);
    std::shared_ptr<Glyph> m_holder;
    Rect m_new, m_old;
};

// The automatic sizing of a glyph that has it: mode (low four bits kept) or length; notifies 4.
class AutoSizingCmdSetMode : public orvel::Cmd {
public:
    AutoSizingCmdSetMode(std::shared_ptr<Glyph> holder, int32_t mode);

protected:
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

private:
    void Set(int32_t mode);
    std::shared_ptr<Glyph> m_holder;
    int32_t m_new, m_old = 0;
};

class AutoSizingCmdSetLength : public orvel::Cmd {
public:
    AutoSizingCmdSetLength(std::shared_ptr<Glyph> holder, Rect length);

protected:
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

private:
    void Set(const Rect& length);
    std::shared_ptr<Glyph> m_holder;
    Rect m_new, m_old;
};

// A legend or title moved: origin, position mode and rectangle (its area). The mode change lays
// the graph out again (0x40); the rectangle change tells the observers (4). Disabled when nothing
// differs, so a drag that ends where it started is not recorded. The live form, built after a
// drag already moved the box, takes the place before the drag too and is recorded without being
// executed again.
class GraphBoxCmdMove : public orvel::Cmd {
public:
    struct Place {
        Point origin;
        int32_t position = 0;
        Rect rect;
        bool operator==(const Place&) const = default;
    };
    bool IsValid() const override;

protected:
    GraphBoxCmdMove(std::u16string name, const char* source, std::shared_ptr<Glyph> box, Place place);
    GraphBoxCmdMove(std::u16string name, const char* source, std::shared_ptr<Glyph> box, Place before, Place after);
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;
    virtual int32_t GetPosition() const = 0;
    virtual void SetPosition(int32_t position) = 0;
    Glyph& Box() const { return *m_box; }

private:
    void Apply(const Place& place);
    std::shared_ptr<Glyph> m_box;
    Place m_new, m_old;
    bool m_live = false;
};

class GraphLegendCmdMove : public GraphBoxCmdMove {
public:
    GraphLegendCmdMove(std::shared_ptr<GraphLegend> legend, Point origin, int32_t position, Rect rect);
    GraphLegendCmdMove(std::shared_ptr<GraphLegend> legend, Place before, Place after);

protected:
    int32_t GetPosition() const override;
    void SetPosition(int32_t position) override;
};

class GraphTitleCmdMove : public GraphBoxCmdMove {
public:
    GraphTitleCmdMove(std::shared_ptr<GraphTitle> title, Point origin, int32_t position, Rect rect);
    GraphTitleCmdMove(std::shared_ptr<GraphTitle> title, Place before, Place after);

protected:
    int32_t GetPosition() const override;
    void SetPosition(int32_t position) override;
};

}  // namespace ovgGraph
