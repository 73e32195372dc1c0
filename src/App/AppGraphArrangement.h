#pragma once

#include <memory>
#include <vector>

#include "filelib/Result.h"

namespace ovgGraph {
class Graph;
}

namespace ovgApp {

class AppCh;

// Puts new channels on a graph the way a new document shows them: one time axis, and one value
// axis per distinct unit (the first on the left, the next on the right, then alternating), each
// titled with its unit; every axis fitted to its channels' data. Fails with code 57 when that
// would need ten or more value axes, and then changes nothing.
OvGraphFileLib::Result ArrangeNewChannels(ovgGraph::Graph& graph, const std::vector<std::shared_ptr<AppCh>>& channels);

// The line colour of the n-th channel of a document (0x00BBGGRR).
uint32_t DefaultChannelColor(size_t index);

}  // namespace ovgApp
