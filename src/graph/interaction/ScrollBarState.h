#pragma once

#include <memory>

#include "graph/ScrollBar.h"
#include "graph/interaction/StateBase.h"

namespace ovgGraph {

class Axis;

// The pointer over a shown scroll bar of an axis. A press on a button steps the displayed range
// by two pixels' worth, on the bar beside the thumb by a page; held, it repeats after 500 ms and
// then every 50 ms while the pointer stays on the pressed part. Dragging the thumb scrolls,
// dragging one of its ends changes the displayed span. The release records one
// ScrollBarCmdSetDisplayBoth from the range at the press; Escape during a drag puts it back.
class ScrollBarState : public StateBase {
public:
    struct Hit {
        std::shared_ptr<Axis> axis;
        ScrollBar::Part part = ScrollBar::kCentre;
    };
    // The scroll-bar part under a point (client coordinates); no axis when there is none.
    static Hit At(Graph& graph, Point point);
    // The value one pixel of the bar's track stands for.
    static double ValuePerPixel(const Axis& axis);

    ScrollBarState(Graph& graph, Hit hit);
    ~ScrollBarState() override;

    void Enter(Point point) override;
    void OnMouseMove(Point point) override;
    void OnLButtonDown(Point point) override;
    void OnLButtonUp(Point point) override;
    void OnRButtonUp(Point point) override;
    void OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags) override;

    // One step of a button or page part, as the timer does.
    void Step();
    void OnTimer();

private:
    bool IsClickPart() const;
    void Show(double lo, double hi);

    Hit m_hit;
    Point m_start, m_last;
    double m_min = 0, m_max = 0;  // the displayed range at the press
    bool m_timerRunning = false;
};

}  // namespace ovgGraph
