#pragma once

#include <QImage>
#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <set>
#include <memory>

#include "filelib/Result.h"
#include "graph/Axis.h"
#include "graph/GlyphInt.h"
#include "graph/Layer.h"
#include "graph/Padding.h"

namespace ovgGraph {

class Axis;
class GCh;
class GraphAxes;
class GraphBack;
class GraphChannels;
class GraphFrame;
class GraphLegend;
class GraphScaleLine;
class GraphShapes;
class GraphTitle;
class GraphWindow;
class ListMemento;
class StateBase;
class ThemeMemento;

// The root glyph of one graph: axes, channels, legend, title, background, plot frame and grid
// lines, laid out inside its area and painted through three layers (1: background, frame, grid
// and channel lines; 2: shapes, axes, frame border, legend, title; 3: overlays).
// State bit 64 re-lays out, re-plots and redraws layer 1; bit 2 redraws layer 2.
class Graph : public GlyphInt, public Padding {
public:
    Graph();
    ~Graph() override;

    // Creates the fixed children; the window (not owned) is told to repaint on changes.
    void Initialize(GraphWindow* window);

    // Whether Initialize has made the fixed children.
    bool IsInitialized() const { return m_back != nullptr; }
    GraphAxes& GetAxes() { return *m_axes; }
    GraphChannels& GetChannels() { return *m_channels; }
    GraphBack& GetBack() { return *m_back; }
    GraphFrame& GetFrame() { return *m_frame; }
    GraphLegend& GetLegend() { return *m_legend; }
    GraphTitle& GetTitle() { return *m_title; }
    GraphScaleLine& GetScaleLine() { return *m_scaleLine; }
    const Rect& GetPlotArea() const { return m_plotArea; }
    // The smallest plot the layout keeps in a small window.
    static constexpr int32_t kMinPlotWidth = 120;
    static constexpr int32_t kMinPlotHeight = 60;
    // A value axis the layout left out because the window is too narrow for all of them.
    bool IsFolded(const Axis* axis) const { return m_foldedAxes.count(axis) != 0; }
    // Where the legend may draw: the room the layout gave it.
    const Rect& GetLegendClip() const { return m_legendClip; }

    // Adds a channel bound to two axes of this graph, with its legend label.
    void AddChannel(std::shared_ptr<GCh> channel, std::shared_ptr<Axis> timeAxis, std::shared_ptr<Axis> valueAxis,
                    const QString& label);
    // Puts a channel at position `index` of the channel list (at most its end), bound to two axes
    // of this graph, with its legend item at the same position among the legend items.
    void InsertChannel(size_t index, std::shared_ptr<GCh> channel, std::shared_ptr<Axis> timeAxis,
                       std::shared_ptr<Axis> valueAxis, const QString& label);
    // Takes a channel and its legend item out of the graph; the channel keeps its axis binding so
    // that it can be inserted again as it was. Returns its former position, -1 when it was not in
    // the graph (nothing changes then).
    int RemoveChannel(const GCh* channel);
    // Whether `count` value axes (left and right together) fit a graph: fewer than ten.
    static OvGraphFileLib::Result CheckValueAxisCount(size_t count, int32_t location);

    // The look new axes take (none: the engine's own). Applying a theme to what exists is a
    // command's business; this only remembers it.
    const std::shared_ptr<const ThemeMemento>& GetTheme() const { return m_theme; }
    void SetTheme(std::shared_ptr<const ThemeMemento> theme) { m_theme = std::move(theme); }

    // The annotations, drawn above the plot in list order.
    GraphShapes& GetShapes() { return *m_shapes; }

    int32_t GetReduce() const { return m_reduce; }
    void SetReduce(int32_t reduce);

    // An overlay slot 0-2; null installs an empty effect.
    void SetOverlay(int slot, std::shared_ptr<Glyph> effect);
    enum OverlaySlot { kDragOverlay = 0, kHoverOverlay = 1 };
    const std::shared_ptr<Glyph>& GetOverlay(int slot) const { return m_overlays[size_t(std::clamp(slot, 0, 2))]; }

    // Interaction. The window hands its mouse and key input to these; they go to the current
    // state (key input to the key-focus state when there is one). Window thread only.
    GraphWindow& GetWindow() const;
    StateBase& GetCurrentState();
    bool IsCurrentState(const StateBase* state) const { return m_state.get() == state; }
    // Makes the state current (null: the idle state of the operation type): clears both overlays,
    // enters the state at the last pointer position and repaints.
    void ChangeState(std::shared_ptr<StateBase> state);
    void SetKeyFocusState(std::shared_ptr<StateBase> state) { m_keyFocusState = std::move(state); }
    // 0 type A, 1 type B, 2 type C (others clamped); replaces the idle state.
    int32_t GetOperationType() const { return m_operationType; }
    void SetOperationType(int32_t type);
    Point GetLastMousePos() const { return m_lastMouse; }
    // Whether hovering over a channel's line shows the value popup (on by default).
    bool IsValuePopupEnabled() const { return m_valuePopup; }
    void SetValuePopupEnabled(bool on);
    // How the value popup writes a sample's time (seconds on the graph's clock): the
    // application's date settings once it sets them, else the time axis's label format.
    using TimeTextFormatter = std::function<QString(double time)>;
    void SetTimeTextFormatter(TimeTextFormatter formatter) { m_timeText = std::move(formatter); }
    const TimeTextFormatter& GetTimeTextFormatter() const { return m_timeText; }
    // The axis drawn at a client point (its line, labels, unit and cursor strip), or null.
    std::shared_ptr<Axis> AxisAt(Point point);
    void OnMouseMove(Point point);
    void OnMouseWheel(uint32_t flags, int32_t delta, Point point);
    void OnLButtonDown(Point point);
    void OnLButtonUp(Point point);
    void OnLButtonDblClk(Point point);
    void OnRButtonDown(Point point);
    void OnRButtonUp(Point point);
    void OnRButtonDblClk(Point point);
    void OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags);
    void OnKeyUp(uint32_t key, uint32_t repeat, uint32_t flags);
    void OnMouseLeave();

    void SetOrigin(Point origin) override;
    void SetArea(const Rect& area) override;
    void SetArea(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    void Update(Subject* subject, uint32_t flags) override;
    void Layout(uint8_t force) override;
    void Draw(QPainter& painter) override;

    // Lays out and paints the whole graph into an image of the given size (no display needed),
    // through the layers as a window would.
    QImage Render(int width, int height, qreal devicePixelRatio = 1.0);
    // The same picture without the layers, for a one-off image (the command line's): the three
    // layers' passes one after the other into one image, then onto white, in a quarter of the
    // memory. The layers are left to be painted by the next Draw.
    QImage RenderOnce(int width, int height, qreal devicePixelRatio = 1.0);
    // Lays the graph out at the given size (in the painter's units) and paints the layers' passes
    // straight onto the painter, so that a vector device (SVG, PDF, a printer) gets lines and
    // texts rather than a picture of them. Nothing is painted under the graph's own background.
    void PaintOnto(QPainter& painter, int width, int height);

private:
    void LayoutPass(bool force);
    // What each layer holds: the background, frame, scale line and channels; the axes, shapes,
    // legend and title; the overlays. Each pass paints over what the one before left.
    void PaintChannelLayer(QPainter& painter);
    void PaintAxisLayer(QPainter& painter);
    void PaintOverlayLayer(QPainter& painter);
    // The three passes, one after the other, onto one painter.
    void PaintPasses(QPainter& painter);
    // The current state (the idle state when none), shared so that it outlives a switch it makes.
    std::shared_ptr<StateBase> CurrentState();
    // Re-plots the channels that need it in parallel, one task per channel. Thread rule: each task
    // gets copies of its axes' mappings and writes only its own channel's plot; the calling thread
    // waits for all of them, so nothing else of the graph changes meanwhile.
    void ReplotChannels(bool force);
    void RefreshScaleLine();

    GraphWindow* m_window = nullptr;
    std::unique_ptr<GraphAxes> m_axes;
    std::unique_ptr<GraphChannels> m_channels;
    std::unique_ptr<GraphShapes> m_shapes;
    std::shared_ptr<GraphBack> m_back;
    std::shared_ptr<GraphFrame> m_frame;
    std::shared_ptr<GraphLegend> m_legend;
    std::shared_ptr<GraphTitle> m_title;
    std::shared_ptr<GraphScaleLine> m_scaleLine;
    std::array<std::shared_ptr<Glyph>, 3> m_overlays;
    std::shared_ptr<StateBase> m_state;
    std::shared_ptr<StateBase> m_keyFocusState;
    int32_t m_operationType = 0;
    Point m_lastMouse;
    bool m_valuePopup = true;
    TimeTextFormatter m_timeText;
    std::array<Layer, 3> m_layers;
    Rect m_plotArea;
    Rect m_legendClip;
    std::set<const Axis*> m_foldedAxes;
    int32_t m_reduce = 1;
    std::shared_ptr<const ThemeMemento> m_theme;
    // What each channel was last plotted against: re-plot when it changes.
    // Everything a channel's plot depends on: when none of it changed, a re-layout (a colour,
    // a legend or title that leaves the plot area's size, shapes, effects) redraws the channel
    // from the vertices it has.
    struct PlotBasis {
        const Axis* timeAxis = nullptr;
        const Axis* valueAxis = nullptr;
        AxisMapping time, value;
        uint64_t dataVersion = 0;
        bool visible = false;
        bool groups = false;
        int32_t reduce = 0;
        bool operator==(const PlotBasis&) const = default;
    };
    std::map<const GCh*, PlotBasis> m_plotBases;
};

}  // namespace ovgGraph
