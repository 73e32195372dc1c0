#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "graph/GCh.h"
#include "graph/PointRecord.h"
#include "graph/Subject.h"

namespace ovgGraph {

struct AxisMapping;

// Turns a channel's samples in the displayed time range into pixel polylines. Invalid samples
// break the line. With the reduce flag set, each pixel column keeps each distinct height once (in
// data order) and leaves the column at the height of its last sample, so the vertex count follows
// the plot width, not the sample count. With group summaries, a column is instead given its
// extremes and its last height, which is all the drawing uses of it (first, largest, smallest
// and last): the picture is the one a full scan gives, and the work follows the plot width.
class PlotGenerateLineGraph3 : public Subject {
public:
    explicit PlotGenerateLineGraph3(Observer* owner = nullptr) : Subject(owner) {}

    // Reads only the mappings given and the channel's data: generators of different channels may
    // run at the same time.
    // With `groups`, whole groups of samples inside one column are taken from the channel's
    // summaries (never in a segment's first column, so that a segment keeps its vertex count
    // class: one, two or more vertices draw differently).
    void Generate(const GCh& channel, const AxisMapping& time, const AxisMapping& value, Segments& segments,
                  bool groups = false);
    // The same for the given samples.
    void GenerateFrom(GCh::DataRange range, const AxisMapping& time, const AxisMapping& value, Segments& segments,
                      bool groups);
    // Whether the last generation took any group from a summary or dropped vertices the drawing
    // does not use: hit tests then need the vertices generated again.
    bool UsedGroups() const { return m_usedGroups; }
    // How many times Generate has run, for tests of what re-plots.
    uint64_t GetGenerationCount() const { return m_generations; }

    int32_t GetReduce() const { return m_reduce; }
    void SetReduce(int32_t reduce) { m_reduce = reduce; }

private:
    void FlushColumn(Segment& segment);
    // Keeps of each column of a segment of several columns the vertices the drawing uses;
    // whether any was dropped.
    static bool ReduceToDrawn(Segment& segment);
    // Whether the current column already holds the height; records it when not.
    bool SeenInColumn(int32_t y);

    int32_t m_reduce = 1;
    bool m_usedGroups = false;
    uint64_t m_generations = 0;
    // The distinct heights of the current column: a bit per height in a window around the
    // column's first height (the common case, one test per sample), plus a list of all of them.
    static constexpr int32_t kWindow = 4096;
    std::array<uint64_t, kWindow / 64> m_seen{};
    int32_t m_windowBase = 0;
    std::vector<int32_t> m_columnHeights;
    PointRecord m_current;
};

}  // namespace ovgGraph
