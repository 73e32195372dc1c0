#include "graph/GlyphInt.h"

namespace ovgGraph {

void GlyphInt::SetOrigin(Point origin)
{
    if (origin == m_origin) return;
    m_origin = origin;
    Notify(kChanged);
}

void GlyphInt::SetArea(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    SetArea(Rect{left, top, right, bottom});
}

void GlyphInt::SetArea(const Rect& area)
{
    if (area == m_area) return;
    m_area = area;
    Notify(kChanged);
}

}  // namespace ovgGraph
