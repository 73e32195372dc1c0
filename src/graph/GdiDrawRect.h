#pragma once

#include <QBrush>
#include <QPen>

#include "graph/Colour.h"
#include "graph/GdiDrawObject.h"

class QPainter;

namespace ovgGraph {

// Draws a rectangle: an optional frame (drawn inside the rectangle), a solid or gradient fill,
// rounded corners and a soft drop shadow. Colours 0x00BBGGRR; 0xFFFFFFFF is none.
class GdiDrawRect : public GdiDrawObject {
public:
    explicit GdiDrawRect(Observer* owner = nullptr);

    void Draw(QPainter& painter, const Rect& rect) const;

    uint32_t GetFrameColor() const { return m_frameColor; }
    void SetFrameColor(uint32_t colour) { Change(m_frameColor, colour); }
    int32_t GetFrameWidth() const { return m_frameWidth; }
    void SetFrameWidth(int32_t width) { Change(m_frameWidth, width); }
    int32_t GetFrameRound() const { return m_frameRoundX; }
    // One value for both corner ellipse sizes.
    void SetFrameRound(int32_t round);
    uint32_t GetBackColor1() const { return m_backColor1; }
    void SetBackColor1(uint32_t colour) { Change(m_backColor1, colour); }
    uint32_t GetBackColor2() const { return m_backColor2; }
    void SetBackColor2(uint32_t colour) { Change(m_backColor2, colour); }
    int32_t GetBackAngle() const { return m_backAngle; }
    void SetBackAngle(int32_t degrees) { Change(m_backAngle, degrees); }
    bool GetBackGradation() const { return m_backGradation; }
    void SetBackGradation(bool on) { Change(m_backGradation, on); }
    int32_t GetShadowDepth() const { return m_shadowDepth; }
    void SetShadowDepth(int32_t depth) { Change(m_shadowDepth, depth); }

    bool HasFrame() const { return m_frameColor != kNoColour && m_frameWidth > 0; }
    const QPen& GetPen() const { return m_pen; }
    const QBrush& GetBrush() const { return m_brush; }

protected:
    void Rebuild() override;

private:
    uint32_t m_frameColor = 0;
    int32_t m_frameWidth = 1;
    int32_t m_frameRoundX = 0;
    int32_t m_frameRoundY = 0;
    uint32_t m_backColor1 = kNoColour;
    uint32_t m_backColor2 = kNoColour;
    int32_t m_backAngle = 0;
    bool m_backGradation = false;
    int32_t m_shadowDepth = 0;
    QBrush m_brush;
    QPen m_pen;
};

// A linear two-colour gradient across the rectangle at an angle in degrees (0: left to right,
// 90: bottom to top).
QBrush LinearGradient(const QRectF& rect, uint32_t from, uint32_t to, int32_t degrees);

// A soft shadow of the given depth on the right and bottom of the rectangle.
void DrawDropShadow(QPainter& painter, const QRectF& rect, int32_t depth);

}  // namespace ovgGraph
