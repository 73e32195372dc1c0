#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "graph/AxisCursor.h"
#include "graph/AxisDrawer.h"
#include "graph/GdiDrawStr.h"
#include "graph/GlyphText.h"
#include "graph/ScrollBar.h"

namespace ovgGraph {

class LabelGenerate;
class LabelFormat;

// The title along an axis, and the unit text at its end.
class AxisTitle : public GlyphText {
public:
    using GlyphText::GlyphText;
};
class AxisUnit : public GlyphText {
public:
    using GlyphText::GlyphText;
};

// The labels of an axis: one per scale value, ordered from the larger pixel to the smaller.
struct AxisLabel {
    int32_t pixel;
    QString text;
};

// What plotting reads of an axis, as a value: the plot tasks run in parallel and each gets its own
// copy, taken on the user-interface thread, so none reads an axis that may be changing.
struct AxisMapping {
    double displayMin = 0;
    double displayMax = 0;
    double valuePerPixel = 0;
    int32_t startInset = 0;
    bool operator==(const AxisMapping&) const = default;
};

// Maps values to pixels along one side of the plot and draws its line, ticks, labels, title and
// unit, with its scroll bar (which holds the range and the displayed range) and axis cursor.
// Coordinates: the origin is the start of the axis line; vertical axes grow upwards (negative y).
class Axis : public GlyphInt {
public:
    // Axis types: value axes on the left (1) or right (2), an axis above the plot (4), the time
    // axis below it (8). Vertical when any of the bits 1, 2 or 32 is set.
    enum Type : uint8_t { kLeft = 1, kRight = 2, kAbove = 4, kBelow = 8 };

    Axis(Glyph* parent, uint8_t type);

    uint8_t GetType() const { return m_type; }
    // A new type also turns the scroll bar and cursor to the matching orientation.
    void SetType(uint8_t type);
    bool IsVertical() const { return (m_type & 35) != 0; }

    // Range and displayed range (both through the scroll bar and mirrored into the cursor).
    void SetRange(double a, double b);
    void SetDisplayRange(double a, double b);
    // Shows the whole range.
    void Fit() { SetDisplayRange(m_scrollBar->GetRangeMin(), m_scrollBar->GetRangeMax()); }
    double GetRangeMin() const { return m_scrollBar->GetRangeMin(); }
    double GetRangeMax() const { return m_scrollBar->GetRangeMax(); }
    double GetDisplayMin() const { return m_scrollBar->GetDisplayMin(); }
    double GetDisplayMax() const { return m_scrollBar->GetDisplayMax(); }

    // The pixel of a value counted from the axis origin along the axis (upwards when vertical).
    int32_t ValueToPixel(double value) const;
    // The value at a pixel along the axis (the inverse of ValueToPixel, without rounding).
    double PixelToValue(int32_t pixel) const;
    double GetValuePerPixel() const { return m_valuePerPixel; }
    AxisMapping GetMapping() const { return {GetDisplayMin(), GetDisplayMax(), m_valuePerPixel, m_startInset}; }

    // A null generator or format is an internal error.
    void SetLabelGenerator(std::shared_ptr<LabelGenerate> generator);
    void SetLabelFormat(std::shared_ptr<LabelFormat> format);
    const LabelGenerate& GetLabelGenerator() const { return *m_labelGenerator; }
    const LabelFormat& GetLabelFormat() const { return *m_labelFormat; }

    int32_t GetLength() const { return m_length; }
    void SetLength(int32_t length);
    int32_t GetStartInset() const { return m_startInset; }
    int32_t GetEndInset() const { return m_endInset; }
    void SetInsets(int32_t start, int32_t end);
    double GetScaleInterval() const { return m_scaleInterval; }
    void SetScaleInterval(double interval);
    double GetSubscaleInterval() const { return m_subscaleInterval; }
    void SetSubscaleInterval(double interval);
    bool GetAutoRange() const { return m_autoRange; }
    void SetAutoRange(bool on);
    double GetMinimumSpan() const { return m_minimumSpan; }
    void SetMinimumSpan(double span) { m_minimumSpan = span; }
    int32_t GetLabelGap() const { return m_labelGap; }

    AxisTitle& GetTitle() { return *m_title; }
    AxisUnit& GetUnit() { return *m_unit; }
    ScrollBar& GetScrollBar() { return *m_scrollBar; }
    const ScrollBar& GetScrollBar() const { return *m_scrollBar; }
    AxisCursor& GetCursor() { return *m_cursor; }
    const AxisCursor& GetCursor() const { return *m_cursor; }
    GdiDrawStr& GetLabelFont() { return *m_labelFont; }
    AxisDrawer& GetDrawer() { return *m_drawer; }

    const std::vector<AxisLabel>& GetLabels() const { return m_labels; }
    const std::vector<int32_t>& GetScalePixels() const { return m_scalePixels; }
    const std::vector<int32_t>& GetSubscalePixels() const { return m_subscalePixels; }
    int32_t GetLabelExtentWidth() const { return m_labelExtentWidth; }
    int32_t GetLabelExtentHeight() const { return m_labelExtentHeight; }

    void Update(Subject* subject, uint32_t flags) override;
    void Layout(uint8_t hint) override;
    void Draw(QPainter& painter) override;

    virtual void ArrangeTitle();
    virtual void UpdateLabels();
    virtual void ArrangeScrollBar();
    virtual void ArrangeCursor();
    // Usable pixels along the axis; also computes the value per pixel.
    virtual int32_t UpdateScale();

private:
    void LayoutIfChanged(Glyph& child);
    // The distance of the labels from the axis line.
    int32_t LabelDistance() const { return 4 + m_labelGap; }

    uint8_t m_type;
    std::shared_ptr<AxisTitle> m_title;
    std::shared_ptr<AxisCursor> m_cursor;
    std::shared_ptr<ScrollBar> m_scrollBar;
    std::shared_ptr<AxisUnit> m_unit;
    std::shared_ptr<LabelGenerate> m_labelGenerator;
    std::shared_ptr<LabelFormat> m_labelFormat;
    std::shared_ptr<GdiDrawStr> m_labelFont;
    std::shared_ptr<AxisDrawer> m_drawer;
    std::vector<AxisLabel> m_labels;
    std::vector<int32_t> m_scalePixels;
    std::vector<int32_t> m_subscalePixels;
    double m_scaleInterval = 0;
    double m_subscaleInterval = 0;
    int32_t m_labelGap = 5;
    int32_t m_length = 33;
    int32_t m_startInset = 0;
    int32_t m_endInset = 0;
    bool m_autoRange = true;
    double m_minimumSpan = 1e-9;
    double m_valuePerPixel = 0;
    int32_t m_labelExtentWidth = 0;
    int32_t m_labelExtentHeight = 0;
};

}  // namespace ovgGraph
