#pragma once

#include <array>
#include <memory>

#include "graph/GlyphInt.h"

namespace ovgGraph {

class ScrollBarDrawer;

// The model of an axis's range and the bar that shows it: the whole range, the displayed part of
// it, and the geometry of seven parts from the minimum end (left, or bottom when vertical):
// decrease button, decrease pan area, decrease edge, centre button, increase edge, increase pan
// area, increase button. The edges and the centre button are the thumb.
class ScrollBar : public GlyphInt {
public:
    enum Orientation : int32_t { kHorizontal = 0, kVertical = 1 };
    enum ViewMode : int32_t { kHidden = 0, kShown = 1, kAutomatic = 2 };
    enum Part : int { kDecreaseButton, kDecreasePan, kDecreaseEdge, kCentre, kIncreaseEdge, kIncreasePan, kIncreaseButton };

    explicit ScrollBar(Glyph* parent);

    int32_t GetOrientation() const { return m_orientation; }
    void SetOrientation(int32_t orientation);
    int32_t GetViewMode() const { return m_viewMode; }
    // 0 hidden, 1 shown, 2 automatic (hidden until the pointer shows it); others: SeriousError.
    void SetViewMode(int32_t mode);
    double GetRangeMin() const { return m_rangeMin; }
    double GetRangeMax() const { return m_rangeMax; }
    double GetDisplayMin() const { return m_displayMin; }
    double GetDisplayMax() const { return m_displayMax; }
    // Store the interval (lo <= hi) and notify with 0x44 when it differs.
    void SetRangeValues(double lo, double hi);
    void SetDisplayValues(double lo, double hi);
    // Shown means visible and not in automatic mode.
    bool IsShown() const { return IsVisible() && m_viewMode != kAutomatic; }

    int32_t GetButtonLength() const { return m_buttonLength; }
    int32_t GetEdgeLength() const { return m_edgeLength; }
    int32_t GetCentreMinimum() const { return m_centreMinimum; }
    // Thumb ends in pixels from the maximum end (top of a vertical bar): upper end, lower end.
    int32_t GetThumbUpper() const { return m_thumbUpper; }
    int32_t GetThumbLower() const { return m_thumbLower; }
    const Rect& GetPart(Part part) const { return m_parts[size_t(part)]; }

    void Layout(uint8_t hint) override;
    void Draw(QPainter& painter) override;

private:
    void ComputeGeometry();

    int32_t m_orientation = kHorizontal;
    int32_t m_viewMode = kHidden;
    double m_rangeMin = 0;
    double m_rangeMax = 0;
    double m_displayMin = 0;
    double m_displayMax = 0;
    int32_t m_buttonLength = 16;
    int32_t m_edgeLength = 4;
    int32_t m_centreMinimum = 4;
    int32_t m_thumbUpper = 0;
    int32_t m_thumbLower = 0;
    std::array<Rect, 7> m_parts{};
    std::shared_ptr<ScrollBarDrawer> m_drawer;
};

// Draws the parts of a scroll bar: buttons with arrows, pan areas, the thumb.
class ScrollBarDrawer {
public:
    virtual ~ScrollBarDrawer() = default;
    virtual void Draw(QPainter& painter, const ScrollBar& bar) const;
};

}  // namespace ovgGraph
