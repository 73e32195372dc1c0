#pragma once

#include <QBrush>
#include <QPen>

#include "graph/GdiDrawObject.h"
#include "graph/LogPen.h"

class QPainter;

namespace ovgGraph {

// A 9 x 9 pixel marker around a point. Kinds: 0 none, 1 circle, 2 square, 3 triangle up,
// 4 triangle down, 5 diamond, 6 diagonal cross, 7 upright cross.
class GdiDrawSymbol : public GdiDrawObject {
public:
    explicit GdiDrawSymbol(Observer* owner = nullptr);

    void Draw(QPainter& painter, int32_t x, int32_t y) const;

    int32_t GetKind() const { return m_kind; }
    void SetKind(int32_t kind) { Change(m_kind, kind); }
    uint32_t GetBrushColor() const { return m_brushColor; }
    void SetBrushColor(uint32_t colour) { Change(m_brushColor, colour); }
    const LogPen& GetLogPen() const { return m_logPen; }
    void SetLogPen(const LogPen& pen) { Change(m_logPen, pen); }

protected:
    void Rebuild() override;

private:
    uint32_t m_brushColor = 0;
    LogPen m_logPen;
    QPen m_pen;
    QBrush m_brush;
    int32_t m_kind = 0;
};

}  // namespace ovgGraph
