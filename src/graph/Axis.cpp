#include "graph/Axis.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "Common/Library/SeriousError.h"
#include "graph/LabelFormatValue.h"
#include "graph/LabelGenerateAutoValue.h"

namespace ovgGraph {

Axis::Axis(Glyph* parent, uint8_t type)
    : GlyphInt(parent),
      m_type(type),
      m_title(std::make_shared<AxisTitle>(this)),
      m_cursor(std::make_shared<AxisCursor>(this)),
      m_scrollBar(std::make_shared<ScrollBar>(this)),
      m_unit(std::make_shared<AxisUnit>(this)),
      m_labelGenerator(std::make_shared<LabelGenerateAutoValue>()),
      m_labelFormat(std::make_shared<LabelFormatValue>()),
      m_labelFont(std::make_shared<GdiDrawStr>(this)),
      m_drawer(std::make_shared<AxisDrawer>(this))
{
    m_labelGenerator->Attach(this);
    m_labelFormat->Attach(this);
    m_title->ClearStateBits(kVisible);
    m_labelFont->SetTextColor(0xFFFFFF);
    const int32_t orientation = IsVertical() ? ScrollBar::kVertical : ScrollBar::kHorizontal;
    m_scrollBar->SetOrientation(orientation);
    m_cursor->SetOrientation(orientation);
    SetRange(-50, 100);
    m_scrollBar->SetViewMode(ScrollBar::kAutomatic);
}

void Axis::SetType(uint8_t type)
{
    if (type == m_type) return;
    m_type = type;
    const int32_t orientation = IsVertical() ? ScrollBar::kVertical : ScrollBar::kHorizontal;
    m_scrollBar->SetOrientation(orientation);
    m_cursor->SetOrientation(orientation);
    Notify(kChanged | kRelayout);
}

void Axis::SetRange(double a, double b)
{
    const double lo = std::min(a, b), hi = std::max(a, b);
    m_scrollBar->SetRangeValues(lo, hi);
    m_scrollBar->SetDisplayValues(lo, hi);
    m_cursor->SetLimits(lo, hi);
    m_cursor->SetDisplayRange(lo, hi);
    m_cursor->SetCursor1(a);
    m_cursor->SetCursor2(b);
    UpdateScale();
}

void Axis::SetDisplayRange(double a, double b)
{
    const double s = m_minimumSpan;
    const double rmin = m_scrollBar->GetRangeMin(), rmax = m_scrollBar->GetRangeMax();
    if (!(b - a >= s)) {
        a = m_scrollBar->GetDisplayMin();
        b = a + s;
    }
    a = std::clamp(a, rmin, std::max(rmin, rmax - s));
    b = std::clamp(b, std::min(rmin + s, rmax), rmax);
    if (a == b) b += s;
    m_scrollBar->SetDisplayValues(std::min(a, b), std::max(a, b));
    m_cursor->SetDisplayRange(a, b);
    UpdateScale();
}

int32_t Axis::UpdateScale()
{
    const int32_t n = m_length - m_endInset - m_startInset;
    m_valuePerPixel = n != 0 ? (GetDisplayMax() - GetDisplayMin()) / n : 0.0;
    return n;
}

int32_t Axis::ValueToPixel(double value) const
{
    if (!(m_valuePerPixel > 0) || !std::isfinite(value)) return m_startInset;
    const double steps = std::floor((value - GetDisplayMin()) / m_valuePerPixel + 1e-6);
    return int32_t(std::clamp(steps, -1e7, 1e7)) + m_startInset;
}

double Axis::PixelToValue(int32_t pixel) const { return GetDisplayMin() + (pixel - m_startInset) * m_valuePerPixel; }

void Axis::SetLabelGenerator(std::shared_ptr<LabelGenerate> generator)
{
    if (!generator) throw orvel::SeriousError("Axis", __LINE__, "no label generator");
    if (generator == m_labelGenerator) return;
    m_labelGenerator->Detach(this);
    m_labelGenerator = std::move(generator);
    m_labelGenerator->Attach(this);
    Notify(kChanged);
}

void Axis::SetLabelFormat(std::shared_ptr<LabelFormat> format)
{
    if (!format) throw orvel::SeriousError("Axis", __LINE__, "no label format");
    if (format == m_labelFormat) return;
    m_labelFormat->Detach(this);
    m_labelFormat = std::move(format);
    m_labelFormat->Attach(this);
    Notify(kChanged);
}

void Axis::SetLength(int32_t length)
{
    if (length == m_length) return;
    m_length = length;
    UpdateScale();
    Notify(kChanged);
}

void Axis::SetInsets(int32_t start, int32_t end)
{
    if (start == m_startInset && end == m_endInset) return;
    m_startInset = start;
    m_endInset = end;
    UpdateScale();
    Notify(kChanged);
}

void Axis::SetScaleInterval(double interval)
{
    if (interval == m_scaleInterval) return;
    m_scaleInterval = interval;
    Notify(kChanged);
}

void Axis::SetSubscaleInterval(double interval)
{
    if (interval == m_subscaleInterval) return;
    m_subscaleInterval = interval;
    Notify(kChanged);
}

void Axis::SetAutoRange(bool on)
{
    if (on == m_autoRange) return;
    m_autoRange = on;
    Notify(kChanged);
}

void Axis::Update(Subject* subject, uint32_t flags)
{
    if (subject == m_scrollBar.get() && (m_scrollBar->GetState() & kRelayout))
        m_cursor->SetDisplayRange(GetDisplayMin(), GetDisplayMax());
    Notify(flags);
}

void Axis::ArrangeTitle()
{
    GdiDrawStr& font = m_title->GetDrawStr();
    switch (m_type) {
        case kLeft: font.SetAlignment(kBottom | kHCentre); font.SetRotation(1); break;
        case kRight: font.SetAlignment(kTop | kHCentre); font.SetRotation(1); break;
        case kAbove: font.SetAlignment(kBottom | kHCentre); font.SetRotation(0); break;
        default: font.SetAlignment(kTop | kHCentre); font.SetRotation(0); break;
    }
    LayoutIfChanged(*m_title);
}

void Axis::ArrangeScrollBar()
{
    m_scrollBar->SetOrientation(IsVertical() ? ScrollBar::kVertical : ScrollBar::kHorizontal);
    m_scrollBar->SetArea(IsVertical() ? Rect{0, 0, 16, m_length} : Rect{0, 0, m_length, 16});
    LayoutIfChanged(*m_scrollBar);
}

void Axis::ArrangeCursor()
{
    m_cursor->SetOrientation(IsVertical() ? 1 : 0);
    m_cursor->SetArea(IsVertical() ? Rect{0, 0, 16, m_length} : Rect{0, 0, m_length, 16});
    LayoutIfChanged(*m_cursor);
}

void Axis::LayoutIfChanged(Glyph& child)
{
    if (child.GetState() & kChanged) {
        child.Layout(0);
        child.ClearStateBits(kChanged);
    }
}

void Axis::UpdateLabels()
{
    LabelParams params;
    params.scaleInterval = m_scaleInterval;
    params.subscaleInterval = m_subscaleInterval;
    params.rangeMin = GetRangeMin();
    params.rangeMax = GetRangeMax();
    params.displayMin = GetDisplayMin();
    params.displayMax = GetDisplayMax();
    std::vector<double> scale, subscale;
    m_labelGenerator->Generate(params, scale, subscale);
    m_scalePixels.clear();
    m_subscalePixels.clear();
    for (const double v : scale) m_scalePixels.push_back(ValueToPixel(v));
    for (const double v : subscale) m_subscalePixels.push_back(ValueToPixel(v));

    // The extent of the widest label: the range's two ends, with 4 pixels on both sides across the axis.
    m_labelExtentWidth = m_labelExtentHeight = 0;
    for (const double end : {GetRangeMin(), GetRangeMax()}) {
        std::vector<TextLine> lines;
        const Point size = m_labelFont->Measure(lines, m_labelFormat->Format(end));
        m_labelExtentWidth = std::max(m_labelExtentWidth, size.x + (IsVertical() ? 8 : 0));
        m_labelExtentHeight = std::max(m_labelExtentHeight, size.y + (IsVertical() ? 0 : 8));
    }

    m_labels.clear();
    for (size_t i = 0; i < scale.size(); ++i) m_labels.push_back({m_scalePixels[i], m_labelFormat->Format(scale[i])});
    if (m_labels.size() != m_scalePixels.size()) throw orvel::SeriousError("AxisLabels", __LINE__);
    std::stable_sort(m_labels.begin(), m_labels.end(), [](const AxisLabel& a, const AxisLabel& b) { return a.pixel > b.pixel; });

    // Thinning: keep every other label until neighbours are at least one label apart.
    const int32_t d = (IsVertical() ? m_labelExtentHeight : m_labelExtentWidth) - 4;
    if (m_length < 2 * d) {
        m_labels.clear();
        return;
    }
    while (m_labels.size() >= 2 && std::abs(m_labels[0].pixel - m_labels[1].pixel) < d) {
        std::vector<AxisLabel> kept;
        for (size_t i = 0; i < m_labels.size(); i += 2) kept.push_back(m_labels[i]);
        m_labels = std::move(kept);
    }
}

void Axis::Layout(uint8_t)
{
    UpdateScale();
    if (!IsVisible()) {
        SetArea(0, 0, 0, 0);
        return;
    }
    const Rect before = GetArea();
    Rect area{-marginLeft, -marginTop, marginRight, marginBottom};
    ArrangeTitle();
    ArrangeScrollBar();
    ArrangeCursor();
    UpdateLabels();

    const int32_t w = m_labelExtentWidth, h = m_labelExtentHeight, g = m_labelGap, L = m_length;
    const int32_t barW = m_scrollBar->IsShown() ? 16 : 0;
    const int32_t cursorW = m_cursor->IsVisible() ? 16 : 0;
    switch (m_type) {
        case kLeft:
            m_title->SetOrigin(-(w + g), -L / 2);
            m_scrollBar->SetOrigin(1, 1 - L);
            m_cursor->SetOrigin(barW + 1, 1 - L);
            area.top -= L - 1;
            area.right += 1 + barW + cursorW;
            break;
        case kRight:
            m_title->SetOrigin(w + g, -L / 2);
            m_scrollBar->SetOrigin(-barW, 1 - L);
            m_cursor->SetOrigin(-(barW + cursorW), 1 - L);
            area.left -= barW + cursorW;
            area.top -= L - 1;
            break;
        case kAbove:
            m_title->SetOrigin(L / 2, -(h + g));
            m_scrollBar->SetOrigin(0, 1);
            m_cursor->SetOrigin(0, 1 + (m_scrollBar->IsShown() ? 16 : 0));
            area.right += L;
            area.bottom += 1 + barW + cursorW;
            break;
        default:
            m_title->SetOrigin(L / 2, h + g);
            m_scrollBar->SetOrigin(0, -barW);
            m_cursor->SetOrigin(0, -(barW + cursorW));
            area.right += L;
            area.top -= barW + cursorW;
            break;
    }
    LayoutIfChanged(*m_title);
    // The area reaches the title only on the side away from the plot (a hidden title is empty at
    // its origin); a title longer than the axis overhangs its ends.
    const Rect t = m_title->IsVisible() ? m_title->GetArea() : Rect{};
    const int32_t titleX = m_title->GetOriginX(), titleY = m_title->GetOriginY();
    switch (m_type) {
        case kLeft: area.left = std::min(area.left, titleX + t.left); break;
        case kRight: area.right = std::max(area.right, titleX + t.right); break;
        case kAbove: area.top = std::min(area.top, titleY + t.top); break;
        default: area.bottom = std::max(area.bottom, titleY + t.bottom); break;
    }

    // The unit stands above the axis end, half a label higher, on the side away from the plot; the
    // area takes in that half label whether or not there is a unit text.
    if (IsVertical()) {
        m_unit->GetDrawStr().SetAlignment(m_type == kLeft ? (kBottom | TextAlign::kRight) : (kBottom | TextAlign::kLeft));
        m_unit->SetOrigin(0, area.top - h / 2);
        if (m_unit->IsVisible() && !m_unit->GetText().isEmpty())
            m_unit->Layout(0);
        else
            m_unit->SetArea(0, 0, 0, 0);
        const Rect u = m_unit->GetArea();
        area.top -= h / 2 + u.Height();
        if (u.Width() > 0) {
            area.left = std::min(area.left, m_unit->GetOriginX() + u.left);
            area.right = std::max(area.right, m_unit->GetOriginX() + u.right);
        }
    } else {
        m_unit->SetArea(0, 0, 0, 0);
    }
    LayoutIfChanged(*m_scrollBar);
    LayoutIfChanged(*m_cursor);
    SetArea(area);
    if (!(area == before)) SetStateBits(kRelayout);
}

void Axis::Draw(QPainter& painter)
{
    DrawChild(painter, *m_title);
    m_drawer->Draw(painter, *this, m_scalePixels, m_subscalePixels);
    DrawChild(painter, *m_cursor);
    DrawChild(painter, *m_scrollBar);
    const int32_t distance = LabelDistance();
    for (const AxisLabel& label : m_labels) {
        switch (m_type) {
            case kLeft: m_labelFont->DrawAt(painter, label.text, -distance, -label.pixel); break;
            case kRight: m_labelFont->DrawAt(painter, label.text, distance, -label.pixel); break;
            case kAbove: m_labelFont->DrawAt(painter, label.text, label.pixel, -distance); break;
            default: m_labelFont->DrawAt(painter, label.text, label.pixel, distance); break;
        }
    }
    if (m_unit->GetArea().Width() > 0) DrawChild(painter, *m_unit);
}

}  // namespace ovgGraph
