#pragma once

#include <QPen>
#include <vector>

#include "graph/GdiDrawObject.h"
#include "graph/LogPen.h"

class QPainter;

namespace ovgGraph {

class Axis;

// Draws an axis line and its tick marks. Draw types: 0 none, 1 inside (towards the plot),
// 2 outside, 3 cross (both sides). Lengths in pixels.
class AxisDrawer : public GdiDrawObject {
public:
    enum DrawType : int32_t { kNone = 0, kInside = 1, kOutside = 2, kCross = 3 };

    explicit AxisDrawer(Observer* owner = nullptr);

    // Ticks at the pixel positions along the axis (counted from its origin).
    void Draw(QPainter& painter, const Axis& axis, const std::vector<int32_t>& scalePixels,
              const std::vector<int32_t>& subscalePixels) const;

    int32_t GetScaleLength() const { return m_scaleLength; }
    void SetScaleLength(int32_t length) { Change(m_scaleLength, length); }
    int32_t GetScaleDrawType() const { return m_scaleDrawType; }
    void SetScaleDrawType(int32_t type) { Change(m_scaleDrawType, type); }
    int32_t GetSubscaleLength() const { return m_subscaleLength; }
    void SetSubscaleLength(int32_t length) { Change(m_subscaleLength, length); }
    int32_t GetSubscaleDrawType() const { return m_subscaleDrawType; }
    void SetSubscaleDrawType(int32_t type) { Change(m_subscaleDrawType, type); }
    const LogPen& GetLogPen() const { return m_logPen; }
    void SetLogPen(const LogPen& pen) { Change(m_logPen, pen); }

protected:
    void Rebuild() override;

private:
    void DrawTicks(QPainter& painter, const Axis& axis, const std::vector<int32_t>& pixels, int32_t length,
                   int32_t type) const;

    int32_t m_scaleLength = 5;
    int32_t m_scaleDrawType = kOutside;
    int32_t m_subscaleLength = 3;
    int32_t m_subscaleDrawType = kNone;
    LogPen m_logPen{0, 1, 0, 0};
    QPen m_pen;
};

}  // namespace ovgGraph
