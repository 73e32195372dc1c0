#pragma once

#include "graph/Colour.h"
#include "graph/GdiDrawObject.h"

class QPainter;

namespace ovgGraph {

// An ellipse inside a rectangle with the frame and fill settings of GdiDrawRect.
class GdiDrawEllipse : public GdiDrawObject {
public:
    using GdiDrawObject::GdiDrawObject;

    void Draw(QPainter& painter, const Rect& rect) const;

    uint32_t GetFrameColor() const { return m_frameColor; }
    void SetFrameColor(uint32_t colour) { Change(m_frameColor, colour); }
    int32_t GetFrameWidth() const { return m_frameWidth; }
    void SetFrameWidth(int32_t width) { Change(m_frameWidth, width); }
    uint32_t GetBackColor1() const { return m_backColor1; }
    void SetBackColor1(uint32_t colour) { Change(m_backColor1, colour); }
    uint32_t GetBackColor2() const { return m_backColor2; }
    void SetBackColor2(uint32_t colour) { Change(m_backColor2, colour); }
    int32_t GetBackAngle() const { return m_backAngle; }
    void SetBackAngle(int32_t degrees) { Change(m_backAngle, degrees); }
    bool GetBackGradation() const { return m_backGradation; }
    void SetBackGradation(bool on) { Change(m_backGradation, on); }

private:
    uint32_t m_frameColor = 0;
    int32_t m_frameWidth = 1;
    uint32_t m_backColor1 = kNoColour;
    uint32_t m_backColor2 = kNoColour;
    int32_t m_backAngle = 0;
    bool m_backGradation = false;
};

}  // namespace ovgGraph
