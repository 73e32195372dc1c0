#include "graph/LabelFormat.h"

#include "graph/Glyph.h"

namespace ovgGraph {

void LabelFormat::NotifyChanged()
{
    NotifyObservers(kChanged);
}

}  // namespace ovgGraph
