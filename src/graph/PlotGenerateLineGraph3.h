#pragma once

#include <vector>

#include "graph/PointRecord.h"
#include "graph/Subject.h"

namespace ovgGraph {

class GCh;

// Turns a channel's samples in the displayed time range into pixel polylines. Invalid samples
// break the line. With the reduce flag set, each pixel column keeps each distinct height once (in
// data order) and leaves the column at the height of its last sample, so the vertex count follows
// the plot width, not the sample count.
class PlotGenerateLineGraph3 : public Subject {
public:
    explicit PlotGenerateLineGraph3(Observer* owner = nullptr) : Subject(owner) {}

    void Generate(const GCh& channel, Segments& segments);

    int32_t GetReduce() const { return m_reduce; }
    void SetReduce(int32_t reduce) { m_reduce = reduce; }

private:
    void FlushColumn(Segment& segment);

    int32_t m_reduce = 1;
    std::vector<int32_t> m_columnHeights;  // distinct y pixels of the current column, sorted
    PointRecord m_current;
};

}  // namespace ovgGraph
