#include "graph/PlotGenerateLineGraph3.h"

#include <algorithm>
#include <cmath>

#include "filelib/ChConstants.h"
#include "graph/Axis.h"
#include "graph/GCh.h"

namespace ovgGraph {
namespace {

// floor(offset / perPixel + 1e-6), kept inside a sane pixel range whatever the data says. The
// division is a multiplication by the reciprocal (pixelsPerUnit): the two differ by far less than
// the 1e-6 allowance, so only an offset within about 1e-12 of a pixel boundary could land apart.
inline int32_t Pixels(double offset, double pixelsPerUnit)
{
    // floor by truncation and correction: std::floor is a library call on baseline x86-64.
    const double p = offset * pixelsPerUnit + 1e-6;
    if (!(p > -1e8)) return p != p ? 0 : -100000000;
    if (p > 1e8) return 100000000;
    const int32_t truncated = int32_t(p);
    return double(truncated) > p ? truncated - 1 : truncated;
}

inline double Reciprocal(double perPixel) { return perPixel > 0 ? 1.0 / perPixel : 0.0; }

}  // namespace

bool PlotGenerateLineGraph3::SeenInColumn(int32_t y)
{
    if (m_columnHeights.empty()) m_windowBase = y - kWindow / 2;
    const int64_t index = int64_t(y) - m_windowBase;
    if (index >= 0 && index < kWindow) {
        uint64_t& word = m_seen[size_t(index >> 6)];
        const uint64_t bit = uint64_t(1) << (index & 63);
        if (word & bit) return true;
        word |= bit;
    } else if (std::find(m_columnHeights.begin(), m_columnHeights.end(), y) != m_columnHeights.end()) {
        return true;
    }
    m_columnHeights.push_back(y);
    return false;
}

void PlotGenerateLineGraph3::FlushColumn(Segment& segment)
{
    if (m_columnHeights.size() >= 2 && !segment.empty() && segment.back().y != m_current.y) segment.push_back(m_current);
    for (const int32_t y : m_columnHeights) {
        const int64_t index = int64_t(y) - m_windowBase;
        if (index >= 0 && index < kWindow) m_seen[size_t(index >> 6)] = 0;
    }
    m_columnHeights.clear();
}

void PlotGenerateLineGraph3::Generate(const GCh& channel, const AxisMapping& time, const AxisMapping& value, Segments& segments,
                                      bool groups)
{
    ++m_generations;
    segments.clear();
    m_usedGroups = false;
    if (!channel.IsVisible()) return;
    GenerateFrom(channel.CreateDataIterator(time.displayMin, time.displayMax, -1, 1), time, value, segments, groups);
}

void PlotGenerateLineGraph3::GenerateFrom(GCh::DataRange range, const AxisMapping& time, const AxisMapping& value,
                                          Segments& segments, bool groups)
{
    segments.clear();
    m_usedGroups = false;
    m_columnHeights.clear();
    m_seen.fill(0);
    if (!range.first || !range.last) return;
    groups = groups && m_reduce;

    const double timeMin = time.displayMin;
    const double timePerPixel = Reciprocal(time.valuePerPixel);
    const int32_t timeInset = time.startInset;
    const double valueMin = value.displayMin;
    const double valuePerPixel = Reciprocal(value.valuePerPixel);
    const int32_t valueInset = value.startInset;
    const auto column = [&](double t) { return Pixels(t - timeMin, timePerPixel) + timeInset; };
    const auto height = [&](double v) { return -(Pixels(v - valueMin, valuePerPixel) + valueInset); };

    segments.emplace_back();
    Segment* segment = &segments.back();
    bool columnOpen = false;
    // The current point lives in locals in the loop (the hot path), and in m_current for flushing.
    int32_t currentX = 0, currentY = 0;
    double currentT = 0, currentV = 0;
    const auto syncCurrent = [&] { m_current = PointRecord{currentX, currentY, currentT, currentV}; };
    constexpr size_t kChunk = 2048;
    double times[kChunk], values[kChunk];
    for (;;) {
        if (groups && columnOpen && segment->front().x != currentX) {
            GCh::SampleGroup group;
            // The column's vertical extent so far: only heights beyond it change the drawing
            // (its first and last height are kept apart, and the last one by FlushColumn).
            int32_t top = currentY, bottom = currentY;
            for (auto p = segment->rbegin(); p != segment->rend() && p->x == currentX; ++p)
                top = std::min(top, p->y), bottom = std::max(bottom, p->y);
            while (range.first->PeekGroup(*range.last, group) && column(group.lastTime) == currentX) {
                // Every sample of the group lies in the current column (times ascend): the column
                // gains the group's extremes and ends at its last sample.
                const int32_t high = height(group.maximum), low = height(group.minimum);
                if (high < top && !SeenInColumn(high)) segment->push_back(PointRecord{currentX, high, group.lastTime, group.maximum});
                if (low > bottom && !SeenInColumn(low)) segment->push_back(PointRecord{currentX, low, group.lastTime, group.minimum});
                top = std::min(top, high), bottom = std::max(bottom, low);
                currentY = height(group.lastValue), currentT = group.lastTime, currentV = group.lastValue;
                range.first->Skip(group.count);
                m_usedGroups = true;
            }
        }
        const size_t boundary = groups ? range.first->ToGroupBoundary() : 0;
        const size_t n = range.first->Read(*range.last, times, values, boundary ? std::min(boundary, kChunk) : kChunk);
        if (n == 0) break;
        for (size_t i = 0; i < n; ++i) {
            const double t = times[i];
            const double v = values[i];
            if (OvGraphFileLib::IsNoData(v)) {
                syncCurrent();
                FlushColumn(*segment);
                columnOpen = false;
                if (!segment->empty()) {
                    segments.emplace_back();
                    segment = &segments.back();
                    segment->reserve(1000);
                }
                continue;
            }
            const int32_t x = column(t);
            const int32_t y = height(v);
            const bool sameColumn = columnOpen && x == currentX;
            // The same height as the column's latest sample is always known to the column already.
            if (sameColumn && y == currentY && m_reduce) {
                currentT = t;
                currentV = v;
                continue;
            }
            if (columnOpen && !sameColumn) {
                syncCurrent();
                FlushColumn(*segment);
            }
            currentX = x, currentY = y, currentT = t, currentV = v;
            columnOpen = true;
            if (m_reduce && SeenInColumn(y)) continue;
            segment->push_back(PointRecord{x, y, t, v});
        }
    }
    syncCurrent();
    FlushColumn(segments.back());
    if (segments.back().empty()) segments.pop_back();
    for (Segment& s : segments) {
        // Only a column's first, largest, smallest and last height are drawn; with groups the
        // other vertices are not kept either (hit tests generate them again).
        if (groups && ReduceToDrawn(s)) m_usedGroups = true;
        // Vertices stay until the next re-plot, for every channel: no spare capacity.
        s.shrink_to_fit();
    }
}

bool PlotGenerateLineGraph3::ReduceToDrawn(Segment& segment)
{
    // A segment of one column keeps its vertices: one, two or more of them draw differently.
    if (segment.size() < 3 || segment.front().x == segment.back().x) return false;
    Segment drawn;
    drawn.reserve(segment.size());
    for (size_t i = 0; i < segment.size();) {
        size_t end = i + 1, largest = i, smallest = i;
        for (; end < segment.size() && segment[end].x == segment[i].x; ++end) {
            if (segment[end].y > segment[largest].y) largest = end;
            if (segment[end].y < segment[smallest].y) smallest = end;
        }
        const PointRecord &first = segment[i], &high = segment[largest], &low = segment[smallest], &last = segment[end - 1];
        // The vertices the column reduction draws, in its order, ending at the column's last
        // height so that reducing them again gives the same.
        drawn.push_back(first);
        if (!(high.y == first.y && high.y == last.y)) drawn.push_back(high);
        if (!(low.y == first.y && low.y == last.y)) drawn.push_back(low);
        if (drawn.back().y != last.y) drawn.push_back(last);
        i = end;
    }
    if (drawn.size() >= segment.size()) return false;
    segment = std::move(drawn);
    return true;
}

}  // namespace ovgGraph
