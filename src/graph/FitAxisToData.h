#pragma once

#include <utility>

namespace ovgGraph {

class Axis;
class Graph;

// The extent of the data of the graph's visible channels bound to the axis (as time axis or value
// axis, by its orientation). No data: 0 to 100 for values, the current day for times; a single
// value v: v -+ 10 %, and 0 alone: -1 to 1.
std::pair<double, double> DataRangeForAxis(Graph& graph, const Axis& axis);

// Makes that extent, widened by the axis's label generator (one label step on each side for
// values, whole minutes for times), the axis's range.
void FitAxisToData(Graph& graph, Axis& axis);

}  // namespace ovgGraph
