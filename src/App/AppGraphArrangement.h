#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "filelib/Result.h"

namespace ovgGraph {
class Graph;
class GraphAxes;
}  // namespace ovgGraph

namespace ovgApp {

class AppCh;

// Puts new channels on a graph the way a new document shows them: one time axis, and one value
// axis per distinct unit (the first on the left, the next on the right, then alternating), each
// titled with its unit; every axis fitted to its channels' data. Fails with code 57 when that
// would need ten or more value axes, and then changes nothing.
OvGraphFileLib::Result ArrangeNewChannels(ovgGraph::Graph& graph, const std::vector<std::shared_ptr<AppCh>>& channels);

// The decimal places a new value axis's labels get: as many as the automatic label step over the
// displayed range needs (at most 6), and at least its channels' own (at most 3).
int32_t AxisDecimalPlaces(double displayMin, double displayMax, int32_t channelPlaces);

// Whether a channel still needs axes from ArrangeNewChannels: it lacks a time or a value axis.
bool NeedsArrangement(const AppCh& channel);

// The units ArrangeNewChannels would give new value axes for these channels: each unit that no
// value axis of the graph is titled with yet, once, in the order the channels first use it.
std::vector<QString> NewValueAxisUnits(const ovgGraph::GraphAxes& axes, const std::vector<std::shared_ptr<AppCh>>& channels);

// Which files of a load fit the graph's value axes. Files are taken in the given order while the
// value axes their channels need, together with those of the files taken before them, stay
// within the limit; a file that would pass it is left out with its Result (code 57) and the
// files after it are still tried. Only channels that need arrangement count; a file
// without such channels is always taken. Changes nothing.
struct FileSelection {
    std::vector<size_t> taken;  // file indices, ascending
    struct LeftOut {
        size_t fileIndex;
        OvGraphFileLib::Result result;
    };
    std::vector<LeftOut> leftOut;  // ascending file indices
};
FileSelection SelectFilesThatFit(const ovgGraph::GraphAxes& axes,
                                 const std::vector<std::vector<std::shared_ptr<AppCh>>>& files);

// The line colour of the n-th channel of a document (0x00BBGGRR).
uint32_t DefaultChannelColor(size_t index);
// The colour a channel added to the graph takes: the first palette colour not in use.
uint32_t NextChannelColor(ovgGraph::Graph& graph);

}  // namespace ovgApp
