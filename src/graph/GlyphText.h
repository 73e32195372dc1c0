#pragma once

#include <QString>
#include <memory>

#include "graph/GdiDrawStr.h"
#include "graph/GlyphInt.h"
#include "graph/Padding.h"

namespace ovgGraph {

// A text anchored at the glyph's origin by the alignment of its GdiDrawStr, kept off the anchored
// sides by the padding, and turned by the rotation. Layout computes the area and drawing point.
class GlyphText : public GlyphInt, public Padding {
public:
    explicit GlyphText(Glyph* parent);

    const QString& GetText() const { return m_text; }
    void SetText(const QString& text);
    GdiDrawStr& GetDrawStr() { return *m_drawStr; }
    const GdiDrawStr& GetDrawStr() const { return *m_drawStr; }
    Point GetDrawPoint() const { return m_drawPoint; }

    void Layout(uint8_t hint) override;
    void Draw(QPainter& painter) override;

private:
    QString m_text;
    std::shared_ptr<GdiDrawStr> m_drawStr;
    Point m_drawPoint;
};

}  // namespace ovgGraph
