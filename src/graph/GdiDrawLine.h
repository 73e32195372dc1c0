#pragma once

#include <QBrush>
#include <QPen>

#include "graph/GdiDrawObject.h"
#include "graph/LogPen.h"

class QPainter;

namespace ovgGraph {

// Draws a straight line with optional end marks. Point styles: 0 none, 1 round dot, 2 open arrow
// head, 3 filled arrow head; a mark's size is the point size times the pen width.
class GdiDrawLine : public GdiDrawObject {
public:
    explicit GdiDrawLine(Observer* owner = nullptr);

    void Draw(QPainter& painter, int32_t x1, int32_t y1, int32_t x2, int32_t y2) const;
    void DrawDot(QPainter& painter, int32_t x, int32_t y, int32_t radius) const;
    // An arrow head at (x, y) pointing along the angle (radians), of the given size.
    void DrawOpenArrow(QPainter& painter, int32_t x, int32_t y, double angle, int32_t size) const;
    void DrawFilledArrow(QPainter& painter, int32_t x, int32_t y, double angle, int32_t size) const;

    const LogPen& GetLogPen() const { return m_logPen; }
    void SetLogPen(const LogPen& pen) { Change(m_logPen, pen); }
    void SetColor(uint32_t colour) { SetLogPen({m_logPen.style, m_logPen.widthX, m_logPen.widthY, colour}); }
    void SetWidth(int32_t width) { SetLogPen({m_logPen.style, width, m_logPen.widthY, m_logPen.color}); }
    void SetStyle(uint32_t style) { SetLogPen({style, m_logPen.widthX, m_logPen.widthY, m_logPen.color}); }
    uint8_t GetStartPointStyle() const { return m_startPointStyle; }
    void SetStartPointStyle(uint8_t style) { Change(m_startPointStyle, style); }
    uint8_t GetStartPointSize() const { return m_startPointSize; }
    void SetStartPointSize(uint8_t size) { Change(m_startPointSize, size); }
    uint8_t GetEndPointStyle() const { return m_endPointStyle; }
    void SetEndPointStyle(uint8_t style) { Change(m_endPointStyle, style); }
    uint8_t GetEndPointSize() const { return m_endPointSize; }
    void SetEndPointSize(uint8_t size) { Change(m_endPointSize, size); }
    const QPen& GetPen() const { return m_pen; }

protected:
    void Rebuild() override;

private:
    void DrawEnd(QPainter& painter, int32_t x, int32_t y, double angle, uint8_t style, uint8_t size) const;

    LogPen m_logPen;
    QPen m_pen;
    QBrush m_brush;
    uint8_t m_startPointStyle = 0;
    uint8_t m_startPointSize = 0;
    uint8_t m_endPointStyle = 0;
    uint8_t m_endPointSize = 0;
};

}  // namespace ovgGraph
