#include "graph/interaction/ValuePopupEffect.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "graph/Axis.h"
#include "graph/Colour.h"
#include "graph/GCh.h"
#include "graph/GdiDrawLineGraphGDIP.h"
#include "graph/Graph.h"
#include "graph/GraphChannels.h"
#include "graph/GraphLegend.h"
#include "graph/GraphLegendItemLineGraph.h"
#include "graph/LabelFormat.h"
#include "graph/PointRecord.h"

namespace ovgGraph {
namespace {

QString OneLine(QString text) { return text.replace(QLatin1Char('\n'), QLatin1Char(' ')); }

}  // namespace

bool ValuePopupEffect::Find(Graph& graph, Point point)
{
    const Rect& plot = graph.GetPlotArea();
    if (!plot.Contains(point)) return false;
    const Point inPlot{point.x - plot.left, point.y - (plot.bottom - 1)};
    // The topmost channel (drawn last) wins; a hit in the same column only is no hit here.
    const auto& channels = graph.GetChannels().List();
    for (auto it = channels.rbegin(); it != channels.rend(); ++it) {
        const GCh& channel = **it;
        PointRecord hit;
        const int result = channel.HitTestLine(inPlot, &hit);
        if (result != 2 && result != 3) continue;
        QString name;
        for (const auto& item : graph.GetLegend().GetItems())
            if (item->GetChannel().get() == &channel) name = item->GetLabel().GetText();
        m_lines = {name};
        if (graph.GetTimeTextFormatter())
            m_lines << graph.GetTimeTextFormatter()(hit.time);
        else if (channel.GetTimeAxis())
            m_lines << OneLine(channel.GetTimeAxis()->GetLabelFormat().Format(hit.time));
        if (channel.GetValueAxis()) m_lines << OneLine(channel.GetValueAxis()->GetLabelFormat().Format(hit.value));
        m_anchor = m_boxAnchor = {plot.left + hit.x, plot.bottom - 1 + hit.y};
        m_bounds = graph.GetArea();
        m_colour = channel.GetDrawer().GetColor();
        m_channel = &channel;
        return true;
    }
    return false;
}

void ValuePopupEffect::Draw(QPainter& painter)
{
    if (m_lines.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QFontMetrics metrics(painter.font());
    int32_t width = 0;
    for (const QString& line : m_lines) width = std::max<int32_t>(width, metrics.horizontalAdvance(line));
    const int32_t lineHeight = metrics.height();
    const int32_t w = width + 12, h = lineHeight * int32_t(m_lines.size()) + 8;
    // Up and to the right of the point, turned back inside the graph where it would leave it.
    int32_t x = m_boxAnchor.x + 12, y = m_boxAnchor.y - 12 - h;
    if (x + w > m_bounds.right) x = m_boxAnchor.x - 12 - w;
    if (y < m_bounds.top) y = m_boxAnchor.y + 12;
    x = std::clamp(x, m_bounds.left, std::max(m_bounds.left, m_bounds.right - w));
    y = std::clamp(y, m_bounds.top, std::max(m_bounds.top, m_bounds.bottom - h));
    const QColor line = ToQColor(m_colour);
    painter.setPen(QPen(line, 2));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(m_anchor.x + 0.5, m_anchor.y + 0.5), 4, 4);
    painter.setPen(QPen(line, 1));
    painter.setBrush(QColor(255, 255, 240, 235));
    painter.drawRoundedRect(QRectF(x + 0.5, y + 0.5, w, h), 4, 4);
    painter.setPen(Qt::black);
    for (int i = 0; i < m_lines.size(); ++i)
        painter.drawText(QPointF(x + 6, y + 4 + metrics.ascent() + i * lineHeight), m_lines[i]);
    painter.restore();
}

}  // namespace ovgGraph
