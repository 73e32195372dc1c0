#pragma once

#include "graph/GlyphInt.h"

namespace ovgGraph {

// The zoom rectangle over the plot while the user drags it out. The end point stays inside the
// bounds; in X-only mode (0) the band covers the bounds' whole height, in Y-only mode (1) their
// whole width.
class ZoomEffect : public Effect {
public:
    using Effect::Effect;

    enum Mode : int32_t { kX = 0, kY = 1, kXY = 2 };
    int32_t GetZoomMode() const { return m_mode; }
    void SetZoomMode(int32_t mode) { m_mode = mode; }
    void SetBounds(const Rect& bounds) { m_bounds = bounds; }
    void SetStart(Point point) { m_startPoint = Clip(point); }
    void SetEnd(Point point) { m_endPoint = Clip(point); }
    Point GetStart() const { return m_startPoint; }
    Point GetEnd() const { return m_endPoint; }
    // The rectangle drawn, in client coordinates.
    Rect Band() const;

    void Draw(QPainter& painter) override;

private:
    Point Clip(Point point) const;

    int32_t m_mode = kXY;
    Rect m_bounds;
    Point m_startPoint, m_endPoint;
};

}  // namespace ovgGraph
