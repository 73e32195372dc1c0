#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Common/Library/Cmd.h"
#include "graph/state/PropertyValue.h"

namespace ovgGraph {

class Axis;
class GCh;
class Graph;
class ShapeBase;

// The object the property pane shows: the graph's title or legend, one of its axes, channels or
// shapes (the pointer of the kind is set, the others are null).
struct PropertyTarget {
    enum Kind { kTitle, kLegend, kAxis, kChannel, kShape } kind = kTitle;
    std::shared_ptr<Axis> axis;
    std::shared_ptr<GCh> channel;
    std::shared_ptr<ShapeBase> shape;
};

// How the pane edits an entry, and the value type it carries:
// kHeader a group's title (no value); kBool int32_t 0 or 1; kInt int32_t in [min, max];
// kColour uint32_t 0x00BBGGRR (0xFFFFFFFF none); kFontName and kText QString; kChoice int32_t,
// one of the choices; kReal double; kDateTime double seconds on the graph's clock (shown as UTC);
// kRect a Rect of four pixel counts (left, top, right, bottom).
enum class PropertyEditor {
    kHeader,
    kBool,
    kInt,
    kColour,
    kFontName,
    kChoice,
    kText,
    kReal,
    kDateTime,
    kRect
};

// One row of the pane. Title, legend and shapes use the keys of their default-value property
// sets ("GDV/Legend/View/FrameColor"); axes and channels, which have none, use "Axis/<group>/..."
// and "Ch/<group>/...". A header's key ends after the group.
struct PropertyItem {
    std::string key;
    QString label;
    PropertyEditor editor = PropertyEditor::kHeader;
    // kChoice: the values to choose from; kColour: named colours offered besides any colour
    // (0xFFFFFFFF "なし"), each value a colour cast to int32_t.
    std::vector<std::pair<QString, int32_t>> choices;
    // kInt: the accepted values; kReal: a lower bound when min < max.
    int32_t min = 0, max = 0;
};

// The rows of the target in pane order, each group behind its header. Entries the object does
// not have (a date-time axis has no decimal places, the title no frame) are left out, and so is a
// group left empty.
std::vector<PropertyItem> PropertyItemsOf(Graph& graph, const PropertyTarget& target);

// The entry's current value in its editor's value type; nullopt for a header, a key the target
// does not show, or a target that is not set.
std::optional<PropertyValue> ReadProperty(Graph& graph, const PropertyTarget& target, const std::string& key);

// The graph command that sets the entry to the value (not executed yet); null for a header, a key
// the target does not show, or a value the entry does not accept (out of its range, not one of its
// choices, a display or axis range whose minimum would not stay below its maximum, an empty font
// name). A command for the current value is built, but is not valid once executed.
std::shared_ptr<orvel::Cmd> MakePropertyCmd(Graph& graph, const PropertyTarget& target,
                                            const std::string& key, const PropertyValue& value);

// Whether the target is still part of the graph: an undo or a drag may have taken a shape, axis or
// channel out (a dragged shape is replaced by its edited copy).
bool IsInGraph(Graph& graph, const PropertyTarget& target);

}  // namespace ovgGraph
