#include "graph/ScrollBar.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>

#include "Common/Library/SeriousError.h"
#include "graph/Colour.h"

namespace ovgGraph {

ScrollBar::ScrollBar(Glyph* parent) : GlyphInt(parent), m_drawer(std::make_shared<ScrollBarDrawer>())
{
    ClearStateBits(kVisible);  // hidden until a view mode shows it
}

void ScrollBar::SetOrientation(int32_t orientation)
{
    if (orientation == m_orientation) return;
    m_orientation = orientation;
    Notify(kChanged);
}

void ScrollBar::SetViewMode(int32_t mode)
{
    if (mode == m_viewMode) return;
    switch (mode) {
        case kHidden: ClearStateBits(kVisible | kAutoView); break;
        case kShown: SetStateBits(kVisible); ClearStateBits(kAutoView); break;
        case kAutomatic: ClearStateBits(kVisible); SetStateBits(kAutoView); break;
        default: throw orvel::SeriousError("ScrollBar", __LINE__, "view mode " + std::to_string(mode));
    }
    m_viewMode = mode;
    Notify(kChanged | kRelayout);
}

void ScrollBar::SetRangeValues(double lo, double hi)
{
    if (lo == m_rangeMin && hi == m_rangeMax) return;
    m_rangeMin = lo;
    m_rangeMax = hi;
    Notify(kChanged | kRelayout);
}

void ScrollBar::SetDisplayValues(double lo, double hi)
{
    if (lo == m_displayMin && hi == m_displayMax) return;
    m_displayMin = lo;
    m_displayMax = hi;
    Notify(kChanged | kRelayout);
}

void ScrollBar::Layout(uint8_t) { ComputeGeometry(); }

// Lengths are counted from the maximum end (the top of a vertical bar); a horizontal bar mirrors
// them so that its minimum end is on the left.
void ScrollBar::ComputeGeometry()
{
    const Rect area = GetArea();
    const bool vertical = m_orientation == kVertical;
    const int32_t L = vertical ? area.Height() : area.Width();
    const int32_t B = m_buttonLength, E = m_edgeLength, C = m_centreMinimum;
    const int32_t shortest = C + 2 * (B + E);
    int32_t upper, lower;
    if (L < shortest) {
        // Too short: the thumb fills the track and the parts are laid out for the shortest bar.
        upper = B;
        lower = L - B - 1;
    } else {
        const int32_t track = L - 2 * B;
        const double span = m_rangeMax - m_rangeMin;
        const double q = track > 0 && span > 0 ? span / track : 1.0;
        const auto pixels = [&](double v) {
            const double p = std::floor((v - m_rangeMin) / q + 1e-9);
            return int32_t(std::clamp(p, -1e6, 1e6));
        };
        lower = (L - B) - pixels(m_displayMin) - 1;
        upper = (L - B) - pixels(m_displayMax);
        if (lower - upper + 1 < C + 2 * E) upper = lower - (C + 2 * E) + 1;
        if (upper < B) {
            lower += B - upper;
            upper = B;
        }
    }
    m_thumbUpper = upper;
    m_thumbLower = lower;
    const int32_t M = std::max(L, shortest);
    // From the top: increase button, increase pan, increase edge, centre, decrease edge,
    // decrease pan, decrease button.
    const std::array<std::pair<int32_t, int32_t>, 7> fromTop = {{{M - B, M},
                                                                  {lower + 1, M - B},
                                                                  {lower - E + 1, lower + 1},
                                                                  {upper + E, lower - E + 1},
                                                                  {upper, upper + E},
                                                                  {B, upper},
                                                                  {0, B}}};
    for (size_t i = 0; i < 7; ++i) {
        const auto [a, b] = fromTop[i];
        m_parts[i] = vertical ? Rect{area.left, area.top + a, area.right, area.top + b}
                              : Rect{area.left + M - b, area.top, area.left + M - a, area.bottom};
    }
}

void ScrollBar::Draw(QPainter& painter) { m_drawer->Draw(painter, *this); }

void ScrollBarDrawer::Draw(QPainter& painter, const ScrollBar& bar) const
{
    const auto box = [](const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); };
    painter.save();
    painter.fillRect(box(bar.GetPart(ScrollBar::kDecreasePan)), ToQColor(0xF0F0F0));
    painter.fillRect(box(bar.GetPart(ScrollBar::kIncreasePan)), ToQColor(0xF0F0F0));
    const Rect thumb{std::min(bar.GetPart(ScrollBar::kDecreaseEdge).left, bar.GetPart(ScrollBar::kIncreaseEdge).left),
                     std::min(bar.GetPart(ScrollBar::kDecreaseEdge).top, bar.GetPart(ScrollBar::kIncreaseEdge).top),
                     std::max(bar.GetPart(ScrollBar::kDecreaseEdge).right, bar.GetPart(ScrollBar::kIncreaseEdge).right),
                     std::max(bar.GetPart(ScrollBar::kDecreaseEdge).bottom, bar.GetPart(ScrollBar::kIncreaseEdge).bottom)};
    painter.fillRect(box(thumb), ToQColor(0xC0C0C0));
    const bool vertical = bar.GetOrientation() == ScrollBar::kVertical;
    for (const auto part : {ScrollBar::kDecreaseButton, ScrollBar::kIncreaseButton}) {
        const QRect button = box(bar.GetPart(part));
        painter.fillRect(button, ToQColor(0xE0E0E0));
        // An arrow pointing away from the thumb.
        const QPointF c = QRectF(button).center();
        const double s = std::min(button.width(), button.height()) / 4.0;
        const bool towardsMax = part == ScrollBar::kIncreaseButton;
        QPolygonF arrow;
        if (vertical) {
            const double d = towardsMax ? -s : s;
            arrow << QPointF(c.x() - s, c.y() - d / 2) << QPointF(c.x() + s, c.y() - d / 2) << QPointF(c.x(), c.y() + d / 2);
        } else {
            const double d = towardsMax ? s : -s;
            arrow << QPointF(c.x() - d / 2, c.y() - s) << QPointF(c.x() - d / 2, c.y() + s) << QPointF(c.x() + d / 2, c.y());
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(ToQColor(0x606060));
        painter.drawPolygon(arrow);
    }
    painter.restore();
}

}  // namespace ovgGraph
