#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "graph/PointRecord.h"
#include "graph/Subject.h"

namespace ovgGraph {

class GCh;
struct AxisMapping;

// Turns a channel's samples in the displayed time range into pixel polylines. Invalid samples
// break the line. With the reduce flag set, each pixel column keeps each distinct height once (in
// data order) and leaves the column at the height of its last sample, so the vertex count follows
// the plot width, not the sample count.
class PlotGenerateLineGraph3 : public Subject {
public:
    explicit PlotGenerateLineGraph3(Observer* owner = nullptr) : Subject(owner) {}

    // Reads only the mappings given and the channel's data: generators of different channels may
    // run at the same time.
    void Generate(const GCh& channel, const AxisMapping& time, const AxisMapping& value, Segments& segments);

    int32_t GetReduce() const { return m_reduce; }
    void SetReduce(int32_t reduce) { m_reduce = reduce; }

private:
    void FlushColumn(Segment& segment);
    // Whether the current column already holds the height; records it when not.
    bool SeenInColumn(int32_t y);

    int32_t m_reduce = 1;
    // The distinct heights of the current column: a bit per height in a window around the
    // column's first height (the common case, one test per sample), plus a list of all of them.
    static constexpr int32_t kWindow = 4096;
    std::array<uint64_t, kWindow / 64> m_seen{};
    int32_t m_windowBase = 0;
    std::vector<int32_t> m_columnHeights;
    PointRecord m_current;
};

}  // namespace ovgGraph
