#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Common/Library/Cmd.h"
#include "graph/state/PropertyValue.h"

namespace ovgGraph {

class Graph;

// The property sets of the objects the user edits in the property pane, which are also the keys
// of the user's default values for new objects: "GDV/<object>/<group>/<property>", groups
// "Overall", "View" and "Font"; a key that ends after the group stands for the group's header.
// The objects: "GDV/GraphTitle", "GDV/Legend", "GDV/ShapeLine", "GDV/ShapeArrow",
// "GDV/ShapeTextBox", "GDV/ShapeRect", "GDV/ShapeBallon", "GDV/DataPopup"; a channel's line graph
// is the one key "GDV/Ch/Overall/LineGraph".
// Returns the object's keys in pane order, headers included; empty for an unknown object.
const std::vector<std::string>& PropertyKeys(const std::string& object);

// The graph command that an edit of the entry makes, with the new value; null for a header, an
// unknown key, or an object the graph does not have yet (shapes, the data popup).
std::shared_ptr<orvel::Cmd> MakePropertyCmd(Graph& graph, const std::string& key, const PropertyValue& value);

}  // namespace ovgGraph
