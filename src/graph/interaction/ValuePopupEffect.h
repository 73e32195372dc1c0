#pragma once

#include <QString>
#include <QStringList>

#include "graph/GlyphInt.h"

namespace ovgGraph {

class GCh;
class Graph;

// The value popup: a small box beside a data point of a channel's line with the channel's name,
// the sample's time and its value, kept inside the graph's area.
class ValuePopupEffect : public Effect {
public:
    using Effect::Effect;

    // Finds the sample under a client point on a shown channel's line (a vertex or a drawn segment
    // near it) and sets the popup to it; false when no line is there.
    bool Find(Graph& graph, Point point);
    Point GetAnchor() const { return m_anchor; }
    // Where the box is placed from while it moves to the anchor (the anchor itself when still).
    void SetBoxAnchor(Point point) { m_boxAnchor = point; }
    Point GetBoxAnchor() const { return m_boxAnchor; }
    // The channel Find found last.
    const GCh* GetChannel() const { return m_channel; }
    const QStringList& GetLines() const { return m_lines; }

    void Draw(QPainter& painter) override;

private:
    Point m_anchor;     // the data point, client coordinates
    Point m_boxAnchor;  // the box's place follows it
    Rect m_bounds;      // where the box must stay
    QStringList m_lines;
    uint32_t m_colour = 0;  // the channel's line colour (0x00BBGGRR)
    const GCh* m_channel = nullptr;
};

}  // namespace ovgGraph
