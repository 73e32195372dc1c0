#include "graph/GdiDrawStr.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "graph/Colour.h"

namespace ovgGraph {

GdiDrawStr::GdiDrawStr(Observer* owner) : GdiDrawObject(owner) { Rebuild(); }

void GdiDrawStr::Rebuild()
{
    m_font = QFont(m_logFont.faceName);
    m_font.setPixelSize(std::max(1, std::abs(m_logFont.height)));
    m_font.setWeight(m_logFont.weight >= 700 ? QFont::Bold : QFont::Normal);
    m_font.setItalic(m_logFont.italic);
    m_font.setStyleStrategy(QFont::PreferAntialias);
}

void GdiDrawStr::SetFontName(const QString& name)
{
    LogFont font = m_logFont;
    font.faceName = name.left(31);
    SetLogFont(font);
}

void GdiDrawStr::SetFontSize(int32_t size)
{
    LogFont font = m_logFont;
    font.height = -std::abs(size);
    SetLogFont(font);
}

void GdiDrawStr::SetFontStyle(int32_t style)
{
    LogFont font = m_logFont;
    font.italic = (style & 1) != 0;
    font.weight = (style & 2) ? 700 : 400;
    SetLogFont(font);
}

void GdiDrawStr::SetRotation(uint8_t rotation)
{
    LogFont font = m_logFont;
    font.escapement = rotation <= 3 ? rotation * 900 : 0;
    if (rotation == m_rotation && font == m_logFont) return;
    m_rotation = rotation;
    m_logFont = font;
    Rebuild();
    NotifyObservers(kChanged);
}

Point GdiDrawStr::Measure(std::vector<TextLine>& lines, const QString& text) const
{
    const QFontMetrics metrics(m_font);
    lines.clear();
    Point size;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        QString shown = line;
        shown.remove(QLatin1Char('\r'));
        TextLine measured{shown, metrics.horizontalAdvance(shown), metrics.height()};
        size.x = std::max(size.x, measured.width);
        size.y += measured.height;
        lines.push_back(measured);
    }
    return size;
}

void GdiDrawStr::DrawInRect(QPainter& painter, const QString& text, int32_t left, int32_t top, int32_t right,
                            int32_t bottom) const
{
    int flags = Qt::TextWordWrap | Qt::TextExpandTabs;
    flags |= (m_alignment & kLeft) ? Qt::AlignLeft : (m_alignment & kRight) ? Qt::AlignRight : Qt::AlignHCenter;
    flags |= (m_alignment & kTop) ? Qt::AlignTop : (m_alignment & kVCentre) ? Qt::AlignVCenter : Qt::AlignBottom;
    painter.save();
    painter.setFont(m_font);
    painter.setPen(ToQColor(m_textColor));
    painter.setClipRect(QRect(left, top, right - left, bottom - top), Qt::IntersectClip);
    painter.drawText(QRect(left, top, right - left, bottom - top), flags, text);
    painter.restore();
}

Point GdiDrawStr::Turn(Point offset, uint8_t rotation)
{
    switch (rotation) {
        case 1: return {offset.y, -offset.x};
        case 2: return {-offset.x, -offset.y};
        case 3: return {-offset.y, offset.x};
        default: return offset;
    }
}

void GdiDrawStr::DrawAt(QPainter& painter, const QString& text, int32_t x, int32_t y) const
{
    std::vector<TextLine> lines;
    const Point block = Measure(lines, text);
    const Point start{AnchorStart(block.x, m_alignment & kLeft, m_alignment & kHCentre, m_alignment & kRight),
                      AnchorStart(block.y, m_alignment & kTop, m_alignment & kVCentre, m_alignment & kBottom)};
    const Point turned = Turn(start, m_rotation);
    DrawFrom(painter, text, x + turned.x, y + turned.y);
}

void GdiDrawStr::DrawFrom(QPainter& painter, const QString& text, int32_t x, int32_t y) const
{
    std::vector<TextLine> lines;
    const Point block = Measure(lines, text);
    const QFontMetrics metrics(m_font);
    painter.save();
    painter.setFont(m_font);
    painter.setPen(ToQColor(m_textColor));
    int32_t dy = 0;
    for (const TextLine& line : lines) {
        int32_t dx = 0;
        if (m_alignment & kHCentre) dx = block.x / 2 - line.width / 2;
        else if (m_alignment & kRight) dx = block.x - line.width;
        // The line offset turns with the text.
        const Point turned = Turn({dx, dy}, m_rotation);
        painter.save();
        painter.translate(x + turned.x, y + turned.y);
        painter.rotate(-90.0 * (m_rotation <= 3 ? m_rotation : 0));
        painter.drawText(0, metrics.ascent(), line.text);
        painter.restore();
        dy += line.height;
    }
    painter.restore();
}

int32_t AnchorStart(int32_t length, bool start, bool centre, bool end)
{
    if (start) return 0;
    if (centre) return -length / 2;
    if (end) return 1 - length;
    return 0;
}

}  // namespace ovgGraph
