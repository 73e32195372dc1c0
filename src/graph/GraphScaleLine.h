#pragma once

#include <memory>

#include "graph/Axis.h"
#include "graph/GdiDrawLine.h"
#include "graph/GlyphInt.h"

namespace ovgGraph {

// Grid lines across the plot area at the labelled scale positions of the time axis and of one
// chosen value axis. Its area is the plot area; the axes are shared with the graph.
class GraphScaleLine : public GlyphInt {
public:
    explicit GraphScaleLine(Glyph* parent);
    GdiDrawLine& GetLine() { return *m_line; }
    void SetAxes(std::shared_ptr<Axis> timeAxis, std::shared_ptr<Axis> valueAxis);
    const std::shared_ptr<Axis>& GetValueAxis() const { return m_valueAxis; }
    // The lines of the time axis (vertical lines) and of the value axis (horizontal lines) are
    // shown or hidden each on their own.
    bool IsShown(bool valueLines) const { return valueLines ? m_valueLinesShown : m_timeLinesShown; }
    void SetShown(bool valueLines, bool shown);
    void Draw(QPainter& painter) override;

private:
    std::shared_ptr<Axis> m_timeAxis;
    std::shared_ptr<Axis> m_valueAxis;
    std::shared_ptr<GdiDrawLine> m_line;
    bool m_timeLinesShown = true;
    bool m_valueLinesShown = true;
};

}  // namespace ovgGraph
