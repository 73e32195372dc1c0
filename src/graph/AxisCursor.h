#pragma once

#include <QFont>
#include <memory>

#include "graph/GlyphInt.h"
#include "graph/Layer.h"

namespace ovgGraph {

class AxisCursorDrawer;

// The pair of axis cursors (A = cursor 1, B = cursor 2) drawn as handles along an axis, with the
// band between them. Values are clamped into the limits; the displayed range maps them to pixels.
class AxisCursor : public GlyphInt {
public:
    explicit AxisCursor(Glyph* parent);

    int32_t GetOrientation() const { return m_orientation; }
    void SetOrientation(int32_t orientation);
    double GetLowerLimit() const { return m_lowerLimit; }
    double GetUpperLimit() const { return m_upperLimit; }
    // Store and notify with 0x44 when they differ.
    void SetLimits(double lower, double upper);
    double GetDisplayMin() const { return m_displayMin; }
    double GetDisplayMax() const { return m_displayMax; }
    // Orders the two values; stores and notifies with 0x44 when they differ.
    void SetDisplayRange(double a, double b);
    double GetCursor1() const { return m_cursor1; }
    double GetCursor2() const { return m_cursor2; }
    // Clamped into [lower limit, upper limit]; notifies with 4 on a change.
    void SetCursor1(double value);
    void SetCursor2(double value);
    int32_t GetHandleSize() const { return m_handleSize; }

    // The pixel of a value along the cursor (y grows downwards on a vertical cursor).
    int32_t PixelOf(double value) const;
    const Rect& GetHandle1() const { return m_handle1; }
    const Rect& GetHandle2() const { return m_handle2; }
    const Rect& GetBand() const { return m_band; }

    void Layout(uint8_t hint) override;
    void Draw(QPainter& painter) override;

private:
    Rect HandleAt(double value) const;
    double SetClamped(double& field, double value);

    int32_t m_orientation = 0;
    double m_lowerLimit = 0;
    double m_upperLimit = 0;
    double m_displayMin = 0;
    double m_displayMax = 0;
    double m_cursor1 = 0;
    double m_cursor2 = 0;
    int32_t m_handleSize = 17;
    Rect m_handle1;
    Rect m_handle2;
    Rect m_band;
    std::shared_ptr<AxisCursorDrawer> m_drawer;
};

// Renders the cursor strip into its own layer: a two-colour gradient, the two handles marked
// "A" and "B", the band between them; then copies the strip to the target.
class AxisCursorDrawer {
public:
    AxisCursorDrawer();
    virtual ~AxisCursorDrawer() = default;
    virtual void Draw(QPainter& painter, const AxisCursor& cursor);

private:
    Layer m_layer;
    QFont m_font;
};

}  // namespace ovgGraph
