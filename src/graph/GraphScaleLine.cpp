#include "graph/GraphScaleLine.h"

namespace ovgGraph {

GraphScaleLine::GraphScaleLine(Glyph* parent) : GlyphInt(parent), m_line(std::make_shared<GdiDrawLine>(this))
{
    m_line->SetLogPen({2, 1, 0, 0xC0C0C0});  // dotted light grey
}

void GraphScaleLine::SetAxes(std::shared_ptr<Axis> timeAxis, std::shared_ptr<Axis> valueAxis)
{
    if (timeAxis == m_timeAxis && valueAxis == m_valueAxis) return;
    m_timeAxis = std::move(timeAxis);
    m_valueAxis = std::move(valueAxis);
    Notify(kChanged);
}

// Drawn in the plot's coordinates: x from the left edge, y from the bottom edge upwards.
void GraphScaleLine::SetShown(bool valueLines, bool shown)
{
    bool& flag = valueLines ? m_valueLinesShown : m_timeLinesShown;
    if (flag == shown) return;
    flag = shown;
    Notify(kChanged);
}

void GraphScaleLine::Draw(QPainter& painter)
{
    const Rect plot = GetArea();
    if (m_timeAxis && m_timeLinesShown)
        for (const AxisLabel& label : m_timeAxis->GetLabels())
            m_line->Draw(painter, plot.left + label.pixel, plot.top, plot.left + label.pixel, plot.bottom - 1);
    if (m_valueAxis && m_valueLinesShown)
        for (const AxisLabel& label : m_valueAxis->GetLabels())
            m_line->Draw(painter, plot.left, plot.bottom - 1 - label.pixel, plot.right - 1, plot.bottom - 1 - label.pixel);
}

}  // namespace ovgGraph
