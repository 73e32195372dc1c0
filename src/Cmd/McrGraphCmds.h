#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Cmd/AppContext.h"
#include "Common/Library/Mcr.h"
#include "graph/Geometry.h"

namespace ovgGraph {
class Axis;
class ShapeBase;
class ThemeMemento;
}  // namespace ovgGraph

namespace ovgApp {

class AppCh;
using AppChList = std::vector<std::shared_ptr<AppCh>>;

// An application command made of steps built when it is constructed (graph engine commands and
// value steps): executed first to last, undone first to last, recorded when any step changed
// something. Each command of the menus, the property pane and the macros below is one of these
// under its own class name.
class McrGraphCmds : public orvel::Mcr {
public:
    McrGraphCmds(std::u16string name, std::vector<std::shared_ptr<orvel::Cmd>> steps);

protected:
    void Prepare() override;

private:
    std::vector<std::shared_ptr<orvel::Cmd>> m_steps;
};

// A step that changes one value through a getter and a setter, named "<group>_<step>": the old
// value is read at the first execution, and the step is not valid when the new value equals it.
template <class T>
class CmdAppSetValue : public orvel::Cmd {
public:
    CmdAppSetValue(std::u16string name, std::function<T()> get, std::function<void(const T&)> set, T value)
        : Cmd(std::move(name)), m_get(std::move(get)), m_set(std::move(set)), m_new(std::move(value))
    {
    }

protected:
    void Prepare() override
    {
        m_old = m_get();
        if (m_old == m_new) SetEnabled(false);
    }
    void DoExecute() override { m_set(m_new); }
    void DoUndo() override { m_set(m_old); }

private:
    std::function<T()> m_get;
    std::function<void(const T&)> m_set;
    T m_new, m_old{};
};

// Decimal places as the channel stores them (-1 too), so that an undo gives back exactly those.
int32_t StoredDecimalPlaces(const AppCh& channel);

#define OVG_APP_GRAPH_MCR(Name, ...)                      \
    class Name : public McrGraphCmds {                    \
    public:                                               \
        explicit Name(__VA_ARGS__);                       \
    }

// Channels.
OVG_APP_GRAPH_MCR(McrChSetChName, AppContext context, std::shared_ptr<AppCh> channel, const QString& name);
OVG_APP_GRAPH_MCR(McrChSetDecimalPlaces, AppContext context, const AppChList& channels, int32_t places);
OVG_APP_GRAPH_MCR(McrChSetLimit, AppContext context, std::shared_ptr<AppCh> channel, double upper, double lower);
OVG_APP_GRAPH_MCR(McrChSetVisibleGraph, AppContext context, const AppChList& channels, bool visible);
OVG_APP_GRAPH_MCR(McrChSetVisibleDataTable, AppContext context, const AppChList& channels, bool visible);
OVG_APP_GRAPH_MCR(McrChSetAxisY, AppContext context, const AppChList& channels, std::shared_ptr<ovgGraph::Axis> axis);
// Moves channels to a new value axis on the right or left, labelled with the first channel's
// unit and fitted to their data.
OVG_APP_GRAPH_MCR(McrChSetNewAxisY, AppContext context, const AppChList& channels, bool right);
OVG_APP_GRAPH_MCR(McrChSetLineGraphColor, AppContext context, const AppChList& channels, uint32_t colour);
OVG_APP_GRAPH_MCR(McrChSetLineGraphStyle, AppContext context, const AppChList& channels, int32_t style);
OVG_APP_GRAPH_MCR(McrChSetLineGraphWidth, AppContext context, const AppChList& channels, int32_t width);
OVG_APP_GRAPH_MCR(McrChSetLineGraphSymbol, AppContext context, const AppChList& channels, int32_t symbol);
OVG_APP_GRAPH_MCR(McrChSetLineGraphSymbolDist, AppContext context, const AppChList& channels, int32_t pixels);

// Puts a new channel in the place of one in the document and in the graph (same position, axes,
// legend place and line look); steps "Doc", "Graph" and "Refresh" (the new channel re-plotted).
OVG_APP_GRAPH_MCR(McrChReplace, AppContext context, std::shared_ptr<AppCh> channel, std::shared_ptr<AppCh> replacement);

// Fitting.
OVG_APP_GRAPH_MCR(McrFitAxis, AppContext context, std::shared_ptr<ovgGraph::Axis> axis);
OVG_APP_GRAPH_MCR(McrFitCh, AppContext context, std::shared_ptr<AppCh> channel);
OVG_APP_GRAPH_MCR(McrFitGraph, AppContext context);

// Axes.
OVG_APP_GRAPH_MCR(McrAxisChangeProperty, AppContext context, std::shared_ptr<orvel::Cmd> change);
// A new, empty value axis on the right or on the left.
OVG_APP_GRAPH_MCR(McrAxisAdd, AppContext context, bool right);
OVG_APP_GRAPH_MCR(McrAxisDelete, AppContext context, std::shared_ptr<ovgGraph::Axis> axis);
OVG_APP_GRAPH_MCR(McrAxisMoveLeft, AppContext context, std::shared_ptr<ovgGraph::Axis> axis);
OVG_APP_GRAPH_MCR(McrAxisMoveRight, AppContext context, std::shared_ptr<ovgGraph::Axis> axis);
OVG_APP_GRAPH_MCR(McrAxisSetDisplayRange, AppContext context, std::shared_ptr<ovgGraph::Axis> axis, double min, double max);
OVG_APP_GRAPH_MCR(McrAxisCursorSetValue, AppContext context, std::shared_ptr<ovgGraph::Axis> axis, double cursor1, double cursor2);
OVG_APP_GRAPH_MCR(McrAxisSetAxisCursorVisible, AppContext context, std::shared_ptr<ovgGraph::Axis> axis, bool visible);
OVG_APP_GRAPH_MCR(McrAxisSetScaleLineVisible, AppContext context, std::shared_ptr<ovgGraph::Axis> axis, bool visible);
OVG_APP_GRAPH_MCR(McrAxisSetScrollbarViewMode, AppContext context, std::shared_ptr<ovgGraph::Axis> axis, int32_t mode);
OVG_APP_GRAPH_MCR(McrAxisSetTitleVisible, AppContext context, std::shared_ptr<ovgGraph::Axis> axis, bool visible);

// Legend and title.
OVG_APP_GRAPH_MCR(McrLegendMove, AppContext context, ovgGraph::Point origin, int32_t position, ovgGraph::Rect rect);
OVG_APP_GRAPH_MCR(McrLegendChangeProperty, AppContext context, std::shared_ptr<orvel::Cmd> change);
OVG_APP_GRAPH_MCR(McrGraphTitleMove, AppContext context, ovgGraph::Point origin, int32_t position, ovgGraph::Rect rect);
OVG_APP_GRAPH_MCR(McrGraphTitleVisible, AppContext context, bool visible);

// Shows or hides the value popup that follows the mouse over a line; step "show".
// Shapes: their order (top is drawn last) and removal.
OVG_APP_GRAPH_MCR(McrShapeTop, AppContext context, std::shared_ptr<ovgGraph::ShapeBase> shape);
OVG_APP_GRAPH_MCR(McrShapeForward, AppContext context, std::shared_ptr<ovgGraph::ShapeBase> shape);
OVG_APP_GRAPH_MCR(McrShapeBack, AppContext context, std::shared_ptr<ovgGraph::ShapeBase> shape);
OVG_APP_GRAPH_MCR(McrShapeBottom, AppContext context, std::shared_ptr<ovgGraph::ShapeBase> shape);
OVG_APP_GRAPH_MCR(McrShapeDelete, AppContext context, std::shared_ptr<ovgGraph::ShapeBase> shape);

OVG_APP_GRAPH_MCR(McrViewPopupValue, AppContext context, bool show);

// One property edited in the property pane: the engine command the pane built.
OVG_APP_GRAPH_MCR(McrPropertyChange, AppContext context, std::shared_ptr<orvel::Cmd> change);

// Makes a theme current: the graph takes its look (step "Graph"), new axes will too, and
// `remember` (may be empty) is told the current theme's name after every execution and undo
// (step "Current").
OVG_APP_GRAPH_MCR(McrThemeSetCurrent, AppContext context, std::shared_ptr<const ovgGraph::ThemeMemento> theme,
                  std::function<void(const QString&)> remember);

#undef OVG_APP_GRAPH_MCR

}  // namespace ovgApp
