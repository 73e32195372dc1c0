#pragma once

#include <QFont>
#include <QString>
#include <vector>

#include "graph/GdiDrawObject.h"

class QPainter;

namespace ovgGraph {

// A font as the graph stores it: height in pixels (negative: character height), weight
// (400 normal, 700 bold), italic, escapement in tenths of a degree, face name.
struct LogFont {
    int32_t height = -16;
    int32_t weight = 400;
    bool italic = false;
    int32_t escapement = 0;
    QString faceName = QStringLiteral("ＭＳ ゴシック");
    bool operator==(const LogFont&) const = default;
};

// Alignment byte: vertical 1 top, 2 centre, otherwise bottom; horizontal 16 left, 32 centre,
// 64 right. Rotation byte: 0 horizontal, 1 90°, 2 180°, 3 270° counter-clockwise.
enum TextAlign : uint8_t { kTop = 1, kVCentre = 2, kBottom = 4, kLeft = 16, kHCentre = 32, kRight = 64 };

struct TextLine {
    QString text;
    int32_t width = 0;
    int32_t height = 0;
};

// Draws text with a font, a colour, an alignment and a rotation.
class GdiDrawStr : public GdiDrawObject {
public:
    explicit GdiDrawStr(Observer* owner = nullptr);

    // Word-wrapped into the rectangle, aligned as the alignment byte says.
    void DrawInRect(QPainter& painter, const QString& text, int32_t left, int32_t top, int32_t right,
                    int32_t bottom) const;
    // The text block anchored at (x, y) by the alignment byte (which corner or edge sits there),
    // turned by the rotation.
    void DrawAt(QPainter& painter, const QString& text, int32_t x, int32_t y) const;
    // The lines one below another from the block's (turned) top-left corner at (x, y), each
    // aligned against the widest line.
    void DrawFrom(QPainter& painter, const QString& text, int32_t x, int32_t y) const;
    // The turn of an offset by the rotation: 1 → (dy, -dx), 2 → (-dx, -dy), 3 → (-dy, dx).
    static Point Turn(Point offset, uint8_t rotation);
    // Splits the text into lines with their sizes; returns the size of the whole block (unturned).
    Point Measure(std::vector<TextLine>& lines, const QString& text) const;

    const LogFont& GetLogFont() const { return m_logFont; }
    void SetLogFont(const LogFont& font) { Change(m_logFont, font); }
    void SetFontName(const QString& name);
    // Character height in pixels (positive).
    void SetFontSize(int32_t size);
    // Bit 0 italic, bit 1 bold.
    void SetFontStyle(int32_t style);
    int32_t GetFontSize() const { return -m_logFont.height; }
    int32_t GetFontStyle() const { return (m_logFont.italic ? 1 : 0) | (m_logFont.weight >= 700 ? 2 : 0); }
    uint32_t GetTextColor() const { return m_textColor; }
    void SetTextColor(uint32_t colour) { Change(m_textColor, colour); }
    uint8_t GetAlignment() const { return m_alignment; }
    void SetAlignment(uint8_t alignment) { Change(m_alignment, alignment); }
    uint8_t GetRotation() const { return m_rotation; }
    // Sets the font's escapement to 0, 900, 1800 or 2700 (any other rotation: 0).
    void SetRotation(uint8_t rotation);
    const QFont& GetFont() const { return m_font; }

protected:
    void Rebuild() override;

private:
    LogFont m_logFont;
    QFont m_font;
    uint32_t m_textColor = 0xC0C0C0;
    uint8_t m_alignment = kTop | kLeft;
    uint8_t m_rotation = 0;
};

// Where a block of the given size starts relative to its anchor, along one direction:
// start-aligned [0, n), centred [-n/2, n - n/2), end-aligned [1 - n, 1).
int32_t AnchorStart(int32_t length, bool start, bool centre, bool end);

}  // namespace ovgGraph
