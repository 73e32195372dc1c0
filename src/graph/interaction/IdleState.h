#pragma once

#include <chrono>

#include <memory>
#include <vector>

#include "graph/interaction/AnimationMovePoint.h"
#include "graph/interaction/StateBase.h"

namespace ovgGraph {

class GraphAxesCmdChangeDisplayRange;
class ValuePopupEffect;
class ZoomEffect;

// The state when nothing else applies: a left drag zooms into the rectangle dragged out (with
// Shift held: zooms out by 2 around the start point), Escape or a right click cancels the drag,
// a right click otherwise asks for the graph's context menu.
class IdleState : public StateOperationDrag {
public:
    explicit IdleState(Graph& graph);

    void Enter(Point point) override;
    void OnMouseMove(Point point) override;
    void OnLButtonDown(Point point) override;
    void OnLButtonUp(Point point) override;
    void OnRButtonUp(Point point) override;
    void OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags) override;
    void OnKeyUp(uint32_t key, uint32_t repeat, uint32_t flags) override;

    const std::shared_ptr<ZoomEffect>& GetZoomEffect() const { return m_zoomEffect; }

protected:
    void BeginDrag() override;
    void Drag(Point point) override;
    void EndDrag() override;

    void SampleShift();
    // Releases the drag: no overlay, no zoom at the button's release.
    void CancelDrag();
    // Zooms as the zoom effect says and records it.
    void ZoomAndRecord();

    std::shared_ptr<ZoomEffect> m_zoomEffect;
    bool m_shiftUp = true;
    bool m_zoomOnClick = false;  // a release without movement zooms in too
};

// Adds what hovering shows: the arrow cursor, the hover states of axis cursors and the legend,
// and the value popup over a channel's line.
class IdleStatePopupValue : public IdleState {
public:
    explicit IdleStatePopupValue(Graph& graph);
    ~IdleStatePopupValue() override;
    void OnMouseMove(Point point) override;
    void OnMouseLeave() override;
    // One tick of the popup's move to its new sample (the window's timer, every 30 ms).
    void OnAnimationTick();
    const ValuePopupEffect& GetPopup() const { return *m_popup; }

private:
    std::shared_ptr<ValuePopupEffect> m_popup;
    bool m_popupShown = false;
    AnimationMovePoint m_move;
    std::chrono::steady_clock::time_point m_lastTick;
};

// Operation type A: the drag zooms the X axes only; a double-click shows the whole graph.
class IdleStateTypeA : public IdleStatePopupValue {
public:
    explicit IdleStateTypeA(Graph& graph);
    void OnLButtonDblClk(Point point) override;
};

// Operation type B: the wheel zooms the X axes around the pointer (the Y axes while the left
// button is held); a drag scrolls the graph.
class IdleStateTypeB : public IdleStatePopupValue {
public:
    using IdleStatePopupValue::IdleStatePopupValue;
    void OnMouseMove(Point point) override;
    void OnMouseWheel(uint32_t flags, int32_t delta, Point point) override;
    void OnKeyDown(uint32_t, uint32_t, uint32_t) override {}
    void OnKeyUp(uint32_t, uint32_t, uint32_t) override {}
    // A right click during a drag ends it as a release would: what it scrolled stays, as a step.
    void OnRButtonUp(Point point) override;

protected:
    void BeginDrag() override;
    void Drag(Point point) override;
    void EndDrag() override;

private:
    struct AxisRange {
        double min, max;
    };
    bool m_wheelZoom = false;
    bool m_dragScroll = false;
    std::shared_ptr<GraphAxesCmdChangeDisplayRange> m_scroll;
    std::vector<AxisRange> m_before;  // every axis's range when the drag began, in GraphAxes::All order
};

// Operation type C: the drag zooms both axes.
class IdleStateTypeC : public IdleStatePopupValue {
public:
    explicit IdleStateTypeC(Graph& graph);
};

// The explicit zoom mode of the menu commands (both axes, X only, Y only): every release zooms,
// a click without movement zooms in by 2 around it; Escape or a right click returns to the idle
// state.
class ZoomState : public IdleState {
public:
    ZoomState(Graph& graph, int32_t zoomMode);
    void OnRButtonUp(Point point) override;
    void OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags) override;
};

// The idle state of an operation type (0 A, 1 B, 2 C; others clamped to them).
std::shared_ptr<StateBase> MakeIdleState(Graph& graph, int32_t operationType);
int32_t ClampOperationType(int32_t operationType);

// Sets the axes to the values that the pixels show now: X axes to [x0, x1] when `x`, Y axes to
// [y0, y1] (client coordinates) when `y`.
void ZoomAxesToPixels(Graph& graph, int32_t x0, int32_t x1, int32_t y0, int32_t y1, bool x, bool y);

}  // namespace ovgGraph
